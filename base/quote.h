#pragma once

#include <string>
#include <string_view>

namespace tovrik {

// `text` with its control characters written out, so that it stays on one
// line of a message and a terminal obeys none of it: \n, \r, \t, and \xNN for
// the other C0 bytes and DEL; where the user's locale is UTF-8, each byte of
// an invalid sequence and of U+0080 to U+009F; in any other locale the bytes
// 0x80 to 0x9F.
std::string Escaped(std::string_view text);

// True when the user's locale (LC_ALL, else LC_CTYPE, else LANG) is UTF-8;
// read once.
bool LocaleIsUtf8();

// The length of the valid UTF-8 sequence (RFC 3629: no overlong form, no
// surrogate, nothing past U+10FFFF) that starts at `at`; 0 when none does.
std::size_t Utf8Length(std::string_view text, std::size_t at);

// `text` escaped and between double quotes, cut after 80 characters with
// "…" where it is longer.
std::string Quoted(std::string_view text);

}  // namespace tovrik
