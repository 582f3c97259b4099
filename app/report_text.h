#pragma once

#include <string>
#include <vector>

#include "engine/match_table.h"
#include "ui/recording_controls.h"
#include "ui/table_run.h"

namespace tovrik {

// One row of a table view: what it is of (a weapon, a map, a period) and its
// figures.
struct ViewRow {
    std::string label;
    WeaponFigures figures;
};

// The summary of one run: each value label's text beside its caption.
std::string SummaryText(const RecordingControls& controls);

// A match's day as "2026-12-06" and its time as "19:45:12"; "" where its path
// tells none.
std::string DayText(const MatchDate& date);
std::string TimeText(int time);

// "2026-12-06 19:45:12  goldrush  /path/file": the match a collected accuracy
// was read from; "-" for a date or a time its path does not tell.
std::string MatchText(const MatchTable& table, const MatchRecord& match);

// The rows as a table under `firstHeader` (Weapon, Map, Day, ...): games,
// shots, hits and hit %, headshots and headshot %, kills, deaths, k/d, mean,
// lowest and highest accuracy, cut as the window's labels are, with `sep`;
// "-" where the window would show no figure.
std::string TableText(const std::string& firstHeader, const std::vector<ViewRow>& rows, char sep);

// The same as comma-separated values: "." decimals, two of them for
// percentages and ratios, empty cells where there is no figure.
std::string TableCsv(const std::string& firstHeader, const std::vector<ViewRow>& rows);

// JSON texts: a string (bytes that are not UTF-8 kept as the characters of
// their values), a number with two decimals, and the figures' members.
std::string JsonString(const std::string& bytes);
std::string JsonDecimal(double value);
std::string JsonFigures(const WeaponFigures& figures);

}  // namespace tovrik
