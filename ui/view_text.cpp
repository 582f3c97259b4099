#include "ui/view_text.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "base/number_text.h"
#include "base/quote.h"

namespace tovrik {
namespace {

// The characters of a text: its bytes but UTF-8 continuation bytes.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A text from a file for the terminal: control bytes written out, and a table
// cell cut with "…" after kCellWidth characters.
constexpr std::size_t kCellWidth = 40;
std::string CellText(const std::string& text) {
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

std::vector<std::string> Cells(const ViewRow& row, char sep) {
    std::vector<std::string> cells{CellText(row.label)};
    for (const Figure& figure : FigureTable()) cells.push_back(CellText(figure, row.figures, sep));
    return cells;
}

// Strict UTF-8 (RFC 3629): no overlong form, no surrogate, nothing above
// U+10FFFF, no sequence cut short.
bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0, n = 0; i < s.size(); i += n)
        if ((n = Utf8Length(s, i)) == 0) return false;
    return true;
}

// A text cell: quoted where it holds a separator, and never read as a formula
// by a spreadsheet, for map names come from game servers.
std::string CsvText(const std::string& text) {
    std::string cell =
        !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos ? "'" + text : text;
    if (cell.find_first_of(",\"\n\r") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The cells of a table, two spaces apart: the first column and the last
// `textsLast` to the left, the numbers between them to the right. No line
// ends in spaces.
std::string Aligned(const std::vector<std::vector<std::string>>& table, std::size_t textsLast = 0) {
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

// Lines of cells, each already a CSV cell, separated by commas.
std::string CsvLines(const std::vector<std::vector<std::string>>& lines) {
    std::string out;
    for (const auto& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i) out += (i > 0 ? "," : "") + cells[i];
        out += '\n';
    }
    return out;
}

// Rows as a JSON array of objects: the label as `labelKey`, then the members
// `members` makes of the row's figures.
template <class Row, class Members>
std::string RowsJson(const std::string& labelKey, const std::vector<Row>& rows, Members members) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i)
        out += (i ? ",\n  " : "\n  ") + std::string("{\"") + labelKey + "\": " + JsonString(rows[i].label) + ", " +
               members(rows[i].figures) + "}";
    return out + "]";
}

// A career figure's cell for the terminal, a text of a file's escaped.
std::string CareerCell(const CareerFigure& figure, const CareerFigures& figures, char sep) {
    const std::string text = CellText(figure, figures, sep);
    return figure.kind == FigureKind::Text && text != "-" ? CellText(text) : text;
}

}  // namespace

std::vector<std::string> CareerHeaders(const std::string& first) {
    std::vector<std::string> headers{first};
    for (const CareerFigure& figure : CareerTable()) headers.emplace_back(figure.header);
    return headers;
}

std::string CareerSummaryText(const std::string& mapChoice, const CareerFigures& figures, char sep) {
    std::string out = Pad("Map:", 23) + Escaped(MapText(mapChoice)) + "\n";
    for (const CareerFigure& figure : CareerTable())
        out += Pad(figure.caption, 23) + CareerCell(figure, figures, sep) + "\n";
    return out;
}

std::string ToldNote(const CareerFigures& figures) {
    std::string out;
    for (const CareerFigure& figure : CareerTable()) {
        if (figure.told == nullptr || figure.told(figures) >= figures.games) continue;
        out += std::string(figure.caption) + " told by " + std::to_string(figure.told(figures)) + " of " +
               std::to_string(figures.games) + " matches.\n";
    }
    return out;
}

std::string CareerTableText(const std::string& firstHeader, const std::vector<CareerRow>& rows, char sep) {
    std::vector<std::vector<std::string>> table{CareerHeaders(firstHeader)};
    for (const CareerRow& row : rows) {
        std::vector<std::string>& cells = table.emplace_back(std::vector<std::string>{CellText(row.label)});
        for (const CareerFigure& figure : CareerTable()) cells.push_back(CareerCell(figure, row.figures, sep));
    }
    return Aligned(table, 1);  // the rank
}

std::string CareerCsv(const std::string& firstHeader, const std::vector<CareerRow>& rows) {
    std::vector<std::vector<std::string>> lines{CareerHeaders(firstHeader)};
    for (const CareerFigure& figure : CareerTable())
        if (figure.told != nullptr) lines[0].push_back(std::string(figure.header) + " matches");
    for (const CareerRow& row : rows) {
        std::vector<std::string>& cells = lines.emplace_back(std::vector<std::string>{CsvText(row.label)});
        for (const CareerFigure& figure : CareerTable()) {
            const std::string data = DataText(figure, row.figures, "");
            cells.push_back(figure.kind == FigureKind::Text ? CsvText(data) : data);
        }
        for (const CareerFigure& figure : CareerTable())
            if (figure.told != nullptr) cells.push_back(std::to_string(figure.told(row.figures)));
    }
    return CsvLines(lines);
}

std::string CareerJson(const CareerFigures& figures) {
    std::string out;
    for (const CareerFigure& figure : CareerTable()) {
        const std::string data = DataText(figure, figures, "null");
        out += (out.empty() ? "\"" : ", \"") + std::string(figure.key) +
               "\": " + (figure.kind == FigureKind::Text && data != "null" ? JsonString(data) : data);
    }
    for (const CareerFigure& figure : CareerTable())
        if (figure.told != nullptr)
            out += ", \"" + std::string(figure.key) + "_matches\": " + std::to_string(figure.told(figures));
    return out;
}

std::string CareerJsonRows(const std::string& labelKey, const std::vector<CareerRow>& rows) {
    return RowsJson(labelKey, rows, CareerJson);
}

std::string LeftOutNote(std::size_t dateless) {
    if (dateless == 0) return "";
    return "Left out: " + std::to_string(dateless) + " match" + (dateless == 1 ? "" : "es") +
           " without a date in its path or its file.\n";
}

std::string SessionNote(const Period& period) {
    if (!period.moments) return "";
    if (period.moments->last < period.moments->first) return "Session: none, for no match tells its day and time.\n";
    return "Session: " + MomentText(period.moments->first) + " to " + MomentText(period.moments->last) + ".\n";
}

std::string SessionJson(const Period& period) {
    if (!period.moments || period.moments->last < period.moments->first) return "null";
    return "{\"first\": \"" + MomentText(period.moments->first) + "\", \"last\": \"" +
           MomentText(period.moments->last) + "\"}";
}

std::string DeniedNote(const MatchNames& names) {
    auto count = [](std::size_t n, const char* one, const char* many) {
        return n == 0 ? std::string() : std::to_string(n) + " " + (n == 1 ? one : many);
    };
    const std::string folders = count(names.deniedFolders, "folder", "folders"),
                      files = count(names.deniedFiles, "file", "files");
    if (folders.empty() && files.empty()) return "";
    return "Passed over for want of permission: " + folders + (folders.empty() || files.empty() ? "" : " and ") +
           files + ".\n";
}

std::vector<std::string> TableHeaders(const std::string& first) {
    std::vector<std::string> headers{first};
    for (const Figure& figure : FigureTable()) headers.emplace_back(figure.header);
    return headers;
}

std::string SummaryText(const std::string& mapChoice, const std::string& weapon, const Figures& figures, char sep) {
    std::ostringstream out;
    // A line: its caption, its figure, and the figures written beside it.
    std::string caption, value, beside;
    auto endLine = [&] {
        if (!caption.empty()) out << Pad(caption, 18) << (beside.empty() ? value : Pad(value, 10) + beside) << '\n';
    };
    caption = "Map:", value = Escaped(MapText(mapChoice));
    endLine();
    caption = "Weapon:", value = weapon;
    for (const Figure& figure : FigureTable()) {
        std::string text = WindowText(figure, figures, sep);
        if (figure.caption == nullptr) {
            beside += figure.beside + text;
            continue;
        }
        endLine();
        caption = figure.caption, value = text, beside.clear();
    }
    endLine();
    return out.str();
}

std::string PlaceText(const MatchPlace& place) {
    return place.when() + "  " + Escaped(place.map) + "  " + Escaped(place.path);
}

std::string TableText(const std::string& firstHeader, const std::vector<ViewRow>& rows, char sep) {
    std::vector<std::vector<std::string>> table{TableHeaders(firstHeader)};
    for (const ViewRow& row : rows) table.push_back(Cells(row, sep));
    return Aligned(table);
}

std::string TableCsv(const std::string& firstHeader, const std::vector<ViewRow>& rows) {
    std::vector<std::vector<std::string>> lines{TableHeaders(firstHeader)};
    for (const ViewRow& row : rows) {
        std::vector<std::string>& cells = lines.emplace_back(std::vector<std::string>{CsvText(row.label)});
        for (const Figure& figure : FigureTable()) cells.push_back(DataText(figure, row.figures, ""));
    }
    return CsvLines(lines);
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

std::string JsonFigures(const Figures& figures) {
    std::string out;
    for (const Figure& figure : FigureTable())
        out += (out.empty() ? "\"" : ", \"") + std::string(figure.key) + "\": " + DataText(figure, figures, "null");
    return out;
}

std::string PlaceJson(const std::optional<MatchPlace>& place) {
    if (!place) return "null";
    std::string day = place->day(), time = place->clock();
    return "{\"date\": " + (day.empty() ? "null" : JsonString(day)) +
           ", \"time\": " + (time.empty() ? "null" : JsonString(time)) + ", \"map\": " + JsonString(place->map) +
           ", \"file\": " + JsonString(place->path) + "}";
}

std::string JsonRows(const std::string& labelKey, const std::vector<ViewRow>& rows) {
    return RowsJson(labelKey, rows, JsonFigures);
}

}  // namespace tovrik
