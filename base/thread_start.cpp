#include "base/thread_start.h"

#include <pthread.h>

namespace tovrik {

// Called before each thread starts: nothing in the programs; the tests link
// their own to refuse a thread as a process at its limit is refused.
[[gnu::weak]] void BeforeThreadStart(const char* name);
void BeforeThreadStart(const char*) {}

std::thread StartThread(const char* name, std::function<void()> body) {
    BeforeThreadStart(name);
    return std::thread([name, body = std::move(body)] {
        pthread_setname_np(pthread_self(), name);
        body();
    });
}

}  // namespace tovrik
