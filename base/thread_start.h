#pragma once

#include <functional>
#include <thread>

namespace tovrik {

// Starts a thread running `body`, named `name` (at most 15 bytes) where the
// system shows threads (top, a debugger). Throws std::system_error, as
// std::thread does, when the process may start no more: its callers then go
// on with the threads they have.
std::thread StartThread(const char* name, std::function<void()> body);

}  // namespace tovrik
