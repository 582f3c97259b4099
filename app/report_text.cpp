#include "app/report_text.h"

#include <cstdio>
#include <sstream>

#include "ui/number_text.h"
#include "ui/summary.h"

namespace tovrik {
namespace {

std::string Pad(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// The figures of a row as numbers; nullopt-like NaN marks "no figure".
struct Derived {
    bool shotsKnown, collected;
    double hitPercent, headshotPercent, ratio;
};

Derived Derive(const WeaponFigures& f) {
    Derived d{f.shots != 0, f.collected > 0, 0, 0, 0};
    if (d.shotsKnown) {
        d.hitPercent = SharePercent(f.hits, f.shots);
        d.headshotPercent = SharePercent(f.headshots, f.shots);
    }
    // With no death the window shows the kills as the ratio.
    d.ratio = f.deaths != 0 ? KillDeathRatio(f.kills, f.deaths) : f.kills;
    return d;
}

// The cells of one row, as the window's labels would write them; "-" where
// the window would show no figure (no shots, no collected accuracy).
std::vector<std::string> Cells(const ViewRow& row, char sep) {
    const WeaponFigures& f = row.figures;
    Derived d = Derive(f);
    auto percent = [&](double value, bool known) {
        return known ? Virgule(static_cast<float>(value), sep) + "%" : std::string("-");
    };
    return {row.label,
            LongToText(f.games),
            LongToText(f.shots),
            LongToText(f.hits),
            percent(d.hitPercent, d.shotsKnown),
            LongToText(f.headshots),
            percent(d.headshotPercent, d.shotsKnown),
            LongToText(f.kills),
            LongToText(f.deaths),
            f.deaths != 0 ? Virgule(static_cast<float>(d.ratio), sep) : LongToText(f.kills),
            percent(f.meanAccuracy, d.collected),
            percent(f.lowest, d.collected),
            percent(f.highest, d.collected)};
}

std::vector<std::string> Headers(const std::string& first) {
    return {first,   "Games",  "Shots", "Hits", "Hit %",  "Headshots", "HS %",
            "Kills", "Deaths", "K/D",   "Mean", "Lowest", "Highest"};
}

std::string TwoDecimals(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
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

}  // namespace

std::string SummaryText(const RecordingControls& c) {
    std::ostringstream out;
    auto row = [&](const char* caption, const std::string& value, const std::string& extra = "") {
        out << Pad(caption, 18) << (extra.empty() ? value : Pad(value, 10) + extra) << '\n';
    };
    row("Map:", c.caption(Label::Label5));
    row("Weapon:", c.caption(Label::Label6));
    row("Played:", c.caption(Label::Label26));
    row("Total shoots:", c.caption(Label::Label10));
    row("Total hits:", c.caption(Label::Label12), c.caption(Label::Label18));
    row("Total headshots:", c.caption(Label::Label9), c.caption(Label::Label17));
    row("Total kills:", c.caption(Label::Label15));
    row("Total deaths:", c.caption(Label::Label16));
    row("Ratio (k/d):", c.caption(Label::Label20));
    row("Accuracy:", c.caption(Label::Label24),
        "lowest " + c.caption(Label::Label22) + "   highest " + c.caption(Label::Label23));
    return out.str();
}

std::string DayText(const MatchDate& date) {
    if (!date.known()) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string TimeText(int time) {
    if (time < 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time / 10000, time / 100 % 100, time % 100);
    return text;
}

std::string MatchText(const MatchTable& table, const MatchRecord& match) {
    std::string day = DayText(match.date), time = TimeText(match.time);
    return (day.empty() ? "-" : day) + " " + (time.empty() ? "-" : time) + "  " + table.maps[match.map] + "  " +
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
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << cells[i];
        out << '\n';
    };
    line(Headers(firstHeader));
    for (const ViewRow& row : rows) {
        const WeaponFigures& f = row.figures;
        Derived d = Derive(f);
        auto figure = [](double value, bool known) { return known ? TwoDecimals(value) : std::string(); };
        std::string label = row.label;
        if (label.find_first_of(",\"\n") != std::string::npos) {
            std::string quoted = "\"";
            for (char c : label) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            label = quoted + "\"";
        }
        line({label, LongToText(f.games), LongToText(f.shots), LongToText(f.hits), figure(d.hitPercent, d.shotsKnown),
              LongToText(f.headshots), figure(d.headshotPercent, d.shotsKnown), LongToText(f.kills),
              LongToText(f.deaths), TwoDecimals(d.ratio), figure(f.meanAccuracy, d.collected),
              figure(f.lowest, d.collected), figure(f.highest, d.collected)});
    }
    return out.str();
}

std::string JsonString(const std::string& bytes) {
    bool utf8 = ValidUtf8(bytes);
    std::string out = "\"";
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        char escape[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || (!utf8 && byte >= 0x80)) {
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonDecimal(double value) { return TwoDecimals(value); }

std::string JsonFigures(const WeaponFigures& f) {
    Derived d = Derive(f);
    auto figure = [](double value, bool known) { return known ? TwoDecimals(value) : std::string("null"); };
    return "\"games\": " + LongToText(f.games) + ", \"shots\": " + LongToText(f.shots) +
           ", \"hits\": " + LongToText(f.hits) + ", \"hit_percent\": " + figure(d.hitPercent, d.shotsKnown) +
           ", \"headshots\": " + LongToText(f.headshots) +
           ", \"headshot_percent\": " + figure(d.headshotPercent, d.shotsKnown) +
           ", \"kills\": " + LongToText(f.kills) + ", \"deaths\": " + LongToText(f.deaths) +
           ", \"kill_death_ratio\": " + TwoDecimals(d.ratio) +
           ", \"mean_accuracy\": " + figure(f.meanAccuracy, d.collected) +
           ", \"lowest_accuracy\": " + figure(f.lowest, d.collected) +
           ", \"highest_accuracy\": " + figure(f.highest, d.collected);
}

}  // namespace tovrik
