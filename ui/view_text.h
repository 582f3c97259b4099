#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/match_place.h"
#include "engine/match_reader.h"
#include "engine/views.h"
#include "ui/figure_text.h"

namespace tovrik {

// The summary of one run: each figure as the window shows it, beside its caption.
std::string SummaryText(const std::string& mapChoice, const std::string& weapon, const Figures& figures, char sep);

// "2026-12-06 19:45:12  goldrush  /path/file": a match as the terminal shows
// it; "-" for a date or a time its path does not tell.
std::string PlaceText(const MatchPlace& place);

// The same as a JSON object of its date, time, map and file; null for none.
std::string PlaceJson(const std::optional<MatchPlace>& place);

// The notes under a view: the matches a period left out for want of a date
// in their path, and the folders and files passed over for want of
// permission; a line each, "" for none.
std::string LeftOutNote(std::size_t dateless);
// The session a period is, when it is one: "Session: 2026-12-06 19:45 to 2026-12-06 22:10.\n"; else "".
std::string SessionNote(const Period& period);
// The same for JSON: {"first": "2026-12-06 19:45", "last": ...}, or null.
std::string SessionJson(const Period& period);
std::string DeniedNote(const MatchNames& names);

// The headers of a table whose first column is `first`: the group, then
// the figures.
std::vector<std::string> TableHeaders(const std::string& first);

// The rows as a table under `firstHeader` (Weapon, Map, Day, ...): each
// figure as a table cell with `sep`.
std::string TableText(const std::string& firstHeader, const std::vector<ViewRow>& rows, char sep);

// The same as comma-separated values, empty cells where there is no figure.
std::string TableCsv(const std::string& firstHeader, const std::vector<ViewRow>& rows);

// JSON texts: a string (bytes that are not UTF-8 kept as the characters of
// their values), the figures' members, and the rows as an array of objects
// whose label is named `labelKey`.
std::string JsonString(const std::string& bytes);
std::string JsonFigures(const Figures& figures);
std::string JsonRows(const std::string& labelKey, const std::vector<ViewRow>& rows);

// A career (--career): the summary, a caption a line; a table of rows under
// `firstHeader`; the same as CSV, with a column of the matches that told each
// figure some may lack; JSON members, those counts as "KEY_matches".
std::vector<std::string> CareerHeaders(const std::string& first);
std::string CareerSummaryText(const std::string& mapChoice, const CareerFigures& figures, char sep);
std::string CareerTableText(const std::string& firstHeader, const std::vector<CareerRow>& rows, char sep);
std::string CareerCsv(const std::string& firstHeader, const std::vector<CareerRow>& rows);
std::string CareerJson(const CareerFigures& figures);
std::string CareerJsonRows(const std::string& labelKey, const std::vector<CareerRow>& rows);
// A line for each figure some of the matches did not tell: "Damage given: told by 12 of 13 matches.\n".
std::string ToldNote(const CareerFigures& figures);

}  // namespace tovrik
