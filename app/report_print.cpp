#include "app/report_print.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "base/number_text.h"

namespace tovrik {
namespace {

std::string Pad(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::vector<std::string> Headers(const std::string& first) {
    return {first,   "Games",  "Shots", "Hits", "Hit %",  "Headshots", "HS %",
            "Kills", "Deaths", "K/D",   "Mean", "Lowest", "Highest"};
}

std::vector<std::string> Cells(const ViewRow& row, char sep) {
    FigureTexts t = DescribeCells(row.figures, sep);
    return {row.label, t.games,  t.shots, t.hits, t.hitShare, t.headshots, t.headshotShare,
            t.kills,   t.deaths, t.ratio, t.mean, t.lowest,   t.highest};
}

std::string TwoDecimals(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

// The figures with two decimals where they are fractions; `none` where there is no figure.
std::vector<std::string> Decimals(const Figures& f, const std::string& none) {
    auto figure = [&](double value, bool known) { return known ? TwoDecimals(value) : none; };
    bool shots = f.shots != 0, collected = f.collected > 0;
    double ratio = f.deaths != 0 ? KillDeathRatio(f.kills, f.deaths) : f.kills;  // no death: the kills
    return {LongToText(f.games),         LongToText(f.shots),
            LongToText(f.hits),          figure(shots ? SharePercent(f.hits, f.shots) : 0, shots),
            LongToText(f.headshots),     figure(shots ? SharePercent(f.headshots, f.shots) : 0, shots),
            LongToText(f.kills),         LongToText(f.deaths),
            TwoDecimals(ratio),          figure(f.mean, collected),
            figure(f.lowest, collected), figure(f.highest, collected)};
}

bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

std::string CsvText(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

std::string SummaryText(const std::string& mapChoice, const std::string& weapon, const FigureTexts& t) {
    std::ostringstream out;
    auto row = [&](const char* caption, const std::string& value, const std::string& extra = "") {
        out << Pad(caption, 18) << (extra.empty() ? value : Pad(value, 10) + extra) << '\n';
    };
    row("Map:", MapText(mapChoice));
    row("Weapon:", weapon);
    row("Played:", t.games);
    row("Total shoots:", t.shots);
    row("Total hits:", t.hits, t.hitShare);
    row("Total headshots:", t.headshots, t.headshotShare);
    row("Total kills:", t.kills);
    row("Total deaths:", t.deaths);
    row("Ratio (k/d):", t.ratio);
    row("Accuracy:", t.mean, "lowest " + t.lowest + "   highest " + t.highest);
    return out.str();
}

std::string MatchText(const MatchTable& table, const MatchRecord& match) {
    std::string day = DayText(match.date), time = TimeText(match.time);
    return (day.empty() ? "-" : day) + " " + (time.empty() ? "-" : time) + "  " + std::string(table.map(match)) + "  " +
           table.path(match);
}

std::string TableText(const std::string& firstHeader, const std::vector<ViewRow>& rows, char sep) {
    std::vector<std::vector<std::string>> table{Headers(firstHeader)};
    for (const ViewRow& row : rows) table.push_back(Cells(row, sep));
    std::vector<std::size_t> widths(table[0].size(), 0);
    for (const auto& cells : table)
        for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], cells[i].size());
    std::ostringstream out;
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += (i == 0 ? Pad(cells[i], widths[i]) : "  " + PadLeft(cells[i], widths[i]));
        out << line << '\n';
    }
    return out.str();
}

std::string TableCsv(const std::string& firstHeader, const std::vector<ViewRow>& rows) {
    std::ostringstream out;
    auto line = [&](const std::string& first, const std::vector<std::string>& cells) {
        out << first;
        for (const std::string& cell : cells) out << ',' << cell;
        out << '\n';
    };
    std::vector<std::string> headers = Headers(firstHeader);
    line(headers[0], std::vector<std::string>(headers.begin() + 1, headers.end()));
    for (const ViewRow& row : rows) line(CsvText(row.label), Decimals(row.figures, ""));
    return out.str();
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

std::string JsonFigures(const Figures& f) {
    static const char* const kKeys[] = {"games",         "shots",           "hits",
                                        "hit_percent",   "headshots",       "headshot_percent",
                                        "kills",         "deaths",          "kill_death_ratio",
                                        "mean_accuracy", "lowest_accuracy", "highest_accuracy"};
    std::vector<std::string> values = Decimals(f, "null");
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i ? ", \"" : "\"") + std::string(kKeys[i]) + "\": " + values[i];
    return out;
}

std::string JsonRows(const std::string& labelKey, const std::vector<ViewRow>& rows) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i)
        out += (i ? ",\n  " : "\n  ") + std::string("{\"") + labelKey + "\": " + JsonString(rows[i].label) + ", " +
               JsonFigures(rows[i].figures) + "}";
    return out + "]";
}

}  // namespace tovrik
