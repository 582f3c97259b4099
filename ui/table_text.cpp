#include "ui/table_text.h"

#include <algorithm>
#include <cstdio>

#include "base/quote.h"

namespace tovrik {
namespace {

// The characters of a text: its bytes but UTF-8 continuation bytes.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Strict UTF-8 (RFC 3629): no overlong form, no surrogate, nothing above
// U+10FFFF, no sequence cut short.
bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0, n = 0; i < s.size(); i += n)
        if ((n = Utf8Length(s, i)) == 0) return false;
    return true;
}

// Characters of a cell of text.
constexpr std::size_t kCellWidth = 40;
}  // namespace

std::string EscapedCell(const std::string& text) {
    std::string shown = Escaped(text);
    if (Width(shown) <= kCellWidth) return shown;
    std::size_t cut = 0, chars = 0;
    for (; cut < shown.size(); ++cut)
        if ((static_cast<unsigned char>(shown[cut]) & 0xC0) != 0x80 && chars++ == kCellWidth - 1) break;
    return shown.substr(0, cut) + "\xE2\x80\xA6";
}

std::string Pad(const std::string& text, std::size_t width) {
    return Width(text) >= width ? text : text + std::string(width - Width(text), ' ');
}

std::string CsvText(const std::string& text) {
    std::string cell =
        !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos ? "'" + text : text;
    if (cell.find_first_of(",\"\n\r") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string Aligned(const std::vector<std::vector<std::string>>& table, std::size_t textsLast) {
    std::vector<std::size_t> widths(table[0].size(), 0);
    for (const auto& cells : table)
        for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], Width(cells[i]));
    std::string out;
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::size_t room = widths[i] - Width(cells[i]);
            const bool left = i == 0 || i + textsLast >= cells.size();
            if (i > 0) line.append(2 + (left ? 0 : room), ' ');
            line += cells[i];
            if (left) line.append(room, ' ');
        }
        out += line.erase(line.find_last_not_of(' ') + 1) + '\n';
    }
    return out;
}

std::string CsvLines(const std::vector<std::vector<std::string>>& lines) {
    std::string out;
    for (const auto& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i) out += (i > 0 ? "," : "") + cells[i];
        out += '\n';
    }
    return out;
}

std::string JsonString(const std::string& bytes) {
    bool utf8 = ValidUtf8(bytes);
    std::string out = "\"";
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || (!utf8 && byte >= 0x80)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace tovrik
