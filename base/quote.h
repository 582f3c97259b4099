#pragma once

#include <string>
#include <string_view>

namespace tovrik {

// `text` with its control characters written out, so that it stays on one
// line of a message: \n, \r, \t, and \xNN for the others.
std::string Escaped(std::string_view text);

// `text` escaped and between double quotes, cut after 80 characters with
// "…" where it is longer.
std::string Quoted(std::string_view text);

}  // namespace tovrik
