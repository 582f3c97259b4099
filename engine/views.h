#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/match_place.h"
#include "engine/match_reader.h"
#include "engine/tally.h"
#include "engine/tree_scan.h"

namespace tovrik {

// The moments of a session's first and last match (MomentOf), both included.
struct MomentSpan {
    std::int64_t first = 0, last = -1;
};

// The days a view counts, both ends included, or the moments of a session;
// every match when not limited.
struct Period {
    std::optional<MatchDate> since = {}, until = {};
    std::optional<MomentSpan> moments = {};

    bool limited() const { return since || until || moments; }
    // False when it ends before it starts.
    bool ordered() const { return !since || !until || since->key() <= until->key(); }
    // True when the match counts: any match when not limited, else one whose
    // day (and time, for moments) lies inside the period.
    bool holds(const MatchRecord& match) const;
};

// The least time between the last match of a session and the first of the
// next, in seconds, unless chosen otherwise: two hours.
constexpr int kSessionGap = 2 * 3600;

// The sessions of the read matches: each match whose day and time are known
// and that the period holds, with every match before it in time less than
// `gap` seconds apart, in one session. Per match, its session's first moment;
// none for a match in none.
std::vector<std::optional<std::int64_t>> Sessions(const MatchTable& table, const Period& period, int gap);

// The period of the last session of the read matches; one that holds no match
// when no match has a day and a time.
Period LastSession(const MatchTable& table, int gap);

// The read matches that a limited period leaves out for want of a date.
std::size_t DatelessMatches(const MatchTable& table, const Period& period);

enum class Grouping { Map, Day, Week, Month, Year, Session };

// How a grouping is named, and about half its period's days: the room a time
// axis leaves before its first group and after its last.
struct GroupingName {
    Grouping grouping;
    const char* word;    // as an option gives it: "map", "day", ...
    const char* header;  // its table's first header: "Map", "Day", ...
    int halfDays;
};

// Every grouping, in the order of Grouping.
const std::vector<GroupingName>& Groupings();

// The group each read match falls in: its map, or the day, ISO week
// ("2026-W49"), month ("2026-12") or year of its date, or its session as
// GroupRows names it; "no date" when it has none. "" for a match the period
// does not hold.
std::vector<std::string> GroupLabels(const MatchTable& table, const Period& period, Grouping grouping,
                                     int sessionGap = kSessionGap);

// One row of a table view: what it is of (a weapon, a map, a period) and its figures.
struct ViewRow {
    std::string label;
    Figures figures;
    std::optional<int> firstDay = {};  // of a period's row, as days since 1970-01-01
};

// The runs of the chosen weapons over the matches of the period, a match at a
// time in search order: as a table is read, or over one read before.
class WeaponRuns {
public:
    WeaponRuns(WeaponSet weapons, const std::string& mapChoice, const Period& period);
    // Adds the match numbered `match`, the next in search order, its names in
    // `names`; false once a run has stopped: no later match can change what
    // the runs end with.
    bool add(const MatchNames& names, const MatchRecord& record, std::size_t match);
    // Ends the runs. Throws the run-time error of the run that stops first in search order.
    const WeaponRuns& finish(const MatchTable& table);
    // The finished run of a chosen weapon.
    const Tally& of(std::size_t weapon) const { return tallies_[slot(weapon)]; }
    // Every weapon's figures, in the weapon list's order (none for one not chosen).
    std::vector<ViewRow> rows() const;
    WeaponSet weapons() const { return weapons_; }

private:
    // A chosen weapon's place among the tallies.
    std::size_t slot(std::size_t weapon) const {
        return static_cast<std::size_t>(__builtin_popcount(weapons_ & (WeaponBit(weapon) - 1)));
    }

    WeaponSet weapons_;
    Period period_;
    std::vector<Tally> tallies_;  // one a chosen weapon, in the list's order
};

// Called with each match as it is kept, numbered in search order; false when
// the reading may end there.
using MatchAdder = std::function<bool(const MatchTable& table, const MatchRecord& match, std::size_t index)>;

// Reads the tree below `statsDir` as ReadTree does, with the rows of
// `weapons`, handing each match to `add` as it is kept, beside the readers,
// until `add` says the rest cannot matter. The table keeps the matches
// without their rows: `add` has summed them.
MatchTable SumTree(const std::string& statsDir, WeaponSet weapons, const MatchAdder& add,
                   const ScanOptions& options = {});

// The same, each match added to `runs`.
MatchTable SumTree(const std::string& statsDir, WeaponRuns& runs);

// One weapon's run over the tree below a statistics folder: what the
// window and the report's summary show.
struct WeaponRun {
    MatchTable table;     // every match read, without its rows
    Tally tally;          // finished: the figures, the accuracies collected, the stop
    std::size_t mapsMet;  // the first of table.maps: those met up to the stop

    MatchPlace placeOf(const CollectedAccuracy& at) const { return MatchPlace::Of(table, table.matches[at.match]); }
};

// The run of `weapon` (none: no weapon, which counts nothing but meets the
// maps) over the matches of the period whose map passes `mapChoice`; the
// curve's places on a chart of `box`, with the points, when `keepPoints`.
WeaponRun RunWeapon(const std::string& statsDir, std::optional<std::size_t> weapon, const std::string& mapChoice,
                    const Period& period, const ChartBox& box = {}, bool keepPoints = false);

// The finished runs of `weapons` over the matches of a table read before.
// Throws the run-time error of the run that stops first in search order.
WeaponRuns RunsOver(const MatchTable& table, WeaponSet weapons, const std::string& mapChoice, const Period& period);

// Every weapon over the matches of the period, in the weapon list's order.
// Throws as RunsOver.
std::vector<ViewRow> OverviewRows(const MatchTable& table, const std::string& mapChoice, const Period& period);

// The finished run of one weapon over the matches of the period. Throws
// where it stops.
Tally SummaryRun(const MatchTable& table, std::size_t weapon, const std::string& mapChoice, const Period& period);
// The same with its accuracies kept, for the chart RunWeapon would draw.
Tally ChartRun(const MatchTable& table, std::size_t weapon, const std::string& mapChoice, const Period& period);

// The matches of a period that fall in one group, and how the group is named.
struct MatchGroup {
    std::string label;
    std::optional<int> firstDay;   // of a period's group, as days since 1970-01-01
    std::size_t first, count = 0;  // its matches: MatchGroups::matches[first] and on, in search order
};

// The matches the period holds by group: one list of the matches, group by
// group, that each group points into, so that a hundred thousand groups cost
// no hundred thousand lists.
struct MatchGroups {
    std::vector<std::size_t> matches;
    std::vector<MatchGroup> groups;  // in the order a view shows them
};

// The groups of the matches the period holds, in the order a view shows
// them: maps in the map list's order, periods in date order, sessions
// ("2026-12-06 19:45", their first match's day and time) apart by
// `sessionGap`, "no date" last.
MatchGroups GroupMatches(const MatchTable& table, const Period& period, Grouping grouping,
                         int sessionGap = kSessionGap);

// One weapon by group, the groups it was used in: maps in the map list's
// order, periods in date order, sessions ("2026-12-06 19:45", their first
// match's day and time) apart by `sessionGap`, "no date" last. Throws where
// the run over all the matches stops, else where the first group's run
// stops. `whole`, when given, receives the run over all the matches.
std::vector<ViewRow> GroupRows(const MatchTable& table, std::size_t weapon, const std::string& mapChoice,
                               const Period& period, Grouping grouping, Tally* whole = nullptr,
                               int sessionGap = kSessionGap);

}  // namespace tovrik
