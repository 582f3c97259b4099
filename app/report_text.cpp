#include "app/report_text.h"

#include <iomanip>
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

// The cells of one row, as the window's labels would write them; "-" where
// the window would show no figure (no shots, no collected accuracy).
std::vector<std::string> Cells(const WeaponFigures& row, char sep) {
    auto percent = [&](std::int32_t part, std::int32_t whole) {
        if (whole == 0) return std::string("-");
        return Virgule(SharePercent(part, whole), sep) + "%";
    };
    bool collected = row.collected > 0;
    return {row.weapon,
            LongToText(row.games),
            LongToText(row.shots),
            LongToText(row.hits),
            percent(row.hits, row.shots),
            LongToText(row.headshots),
            percent(row.headshots, row.shots),
            LongToText(row.kills),
            LongToText(row.deaths),
            row.deaths != 0 ? Virgule(KillDeathRatio(row.kills, row.deaths), sep) : LongToText(row.kills),
            collected ? Virgule(static_cast<float>(row.meanAccuracy), sep) + "%" : "-",
            collected ? Virgule(row.lowest, sep) + "%" : "-",
            collected ? Virgule(row.highest, sep) + "%" : "-"};
}

const std::vector<std::string>& Headers() {
    static const std::vector<std::string> kHeaders = {"Weapon",    "Games",  "Shots",  "Hits",   "Hit %",
                                                      "Headshots", "HS %",   "Kills",  "Deaths", "K/D",
                                                      "Mean",      "Lowest", "Highest"};
    return kHeaders;
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

std::string OverviewTable(const std::vector<WeaponFigures>& rows, char sep) {
    std::vector<std::vector<std::string>> table{Headers()};
    for (const WeaponFigures& row : rows) table.push_back(Cells(row, sep));
    std::vector<std::size_t> widths(Headers().size(), 0);
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

std::string OverviewCsv(const std::vector<WeaponFigures>& rows) {
    std::ostringstream out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << cells[i];
        out << '\n';
    };
    line(Headers());
    for (const WeaponFigures& row : rows) {
        std::vector<std::string> cells = Cells(row, '.');
        for (std::string& cell : cells) {
            if (cell == "-") cell.clear();  // no figure: an empty cell
            if (!cell.empty() && cell.back() == '%') cell.pop_back();
        }
        line(cells);
    }
    return out.str();
}

}  // namespace tovrik
