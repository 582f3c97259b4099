#include "base/quote.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/ascii.h"
#include "base/number_text.h"

namespace tovrik {
namespace {

constexpr std::size_t kMostQuoted = 80;

}  // namespace

bool LocaleIsUtf8() {
    static const bool utf8 = [] {
        std::string folded;
        for (const char* c = UserLocale("LC_CTYPE"); *c != '\0'; ++c)
            if (*c != '-') folded += static_cast<char>(AsciiLower(static_cast<unsigned char>(*c)));
        return folded.find(".utf8") != std::string::npos;
    }();
    return utf8;
}

std::size_t Utf8Length(std::string_view s, std::size_t at) {
    auto c = static_cast<unsigned char>(s[at]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : (c >> 4) == 0xE ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || at + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[at + k]) & 0xC0) != 0x80) return 0;
    if (n == 1) return 1;
    auto second = static_cast<unsigned char>(s[at + 1]);
    if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
        (c == 0xF4 && second > 0x8F))
        return 0;  // overlong, a surrogate, or past U+10FFFF
    return n;
}

std::string Escaped(std::string_view text) {
    const bool utf8 = LocaleIsUtf8();
    std::string out;
    auto hex = [&](unsigned char byte) {
        char written[5];
        std::snprintf(written, sizeof written, "\\x%02X", byte);
        out += written;
    };
    for (std::size_t i = 0, n = 1; i < text.size(); i += n) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        // A character of several bytes is kept whole, but a C1 control (U+0080 to U+009F); a byte of no character is
        // written out.
        n = utf8 && byte >= 0x80 ? std::max<std::size_t>(Utf8Length(text, i), 1) : 1;
        const bool whole = n > 1 && !(byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F);
        if (c == '\n' || c == '\r' || c == '\t') {
            out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
        } else if (whole) {
            out.append(text.substr(i, n));
        } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && (utf8 || byte <= 0x9F))) {
            for (std::size_t k = 0; k < n; ++k) hex(static_cast<unsigned char>(text[i + k]));
        } else {
            out += c;
        }
    }
    return out;
}

std::string Quoted(std::string_view text) {
    if (text.size() <= kMostQuoted) return "\"" + Escaped(text) + "\"";
    std::size_t cut = kMostQuoted;
    // Not inside a UTF-8 sequence: back off over its continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + Escaped(text.substr(0, cut)) + "\xE2\x80\xA6\"";
}

}  // namespace tovrik
