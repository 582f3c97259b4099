#include "ui/view_text.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "base/number_text.h"
#include "base/quote.h"
#include "ui/table_text.h"

namespace tovrik {
namespace {

std::vector<std::string> Cells(const ViewRow& row, char sep) {
    std::vector<std::string> cells{EscapedCell(row.label)};
    for (const Figure& figure : FigureTable()) cells.push_back(CellText(figure, row.figures, sep));
    return cells;
}

}  // namespace

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
