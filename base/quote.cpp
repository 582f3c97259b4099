#include "base/quote.h"

#include <cstdio>

namespace tovrik {
namespace {

constexpr std::size_t kMostQuoted = 80;

}  // namespace

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
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
