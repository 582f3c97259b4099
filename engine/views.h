#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/match_reader.h"
#include "engine/tally.h"

namespace tovrik {

// The days a view counts, both ends included; every match when not limited.
struct Period {
    std::optional<MatchDate> since, until;

    bool limited() const { return since || until; }
    // True when the match counts: any match when not limited, else one whose
    // path tells a day inside the period.
    bool holds(const MatchRecord& match) const;
};

// The read matches that a limited period leaves out for want of a date.
std::size_t DatelessMatches(const MatchTable& table, const Period& period);

enum class Grouping { Map, Day, Week, Month, Year };

// The group a read match falls in: its map, or the day, ISO week ("2026-W49"),
// month ("2026-12") or year of its date; "no date" when its path tells none.
std::string GroupLabel(const MatchNames& names, const MatchRecord& match, Grouping grouping);

// The first day of a dated group, as days since 1970-01-01; none for a map
// or "no date".
std::optional<int> GroupStartDay(Grouping grouping, const std::string& label);

// One row of a table view: what it is of (a weapon, a map, a period) and its figures.
struct ViewRow {
    std::string label;
    Figures figures;
};

// The runs of the chosen weapons over the matches of the period, a match at a
// time in search order: as a table is read, or over one read before.
class WeaponRuns {
public:
    WeaponRuns(WeaponSet weapons, const std::string& mapChoice, const Period& period, bool keepPoints = false);
    // Adds the match numbered `match`, the next in search order, its names in `names`.
    void add(const MatchNames& names, const MatchRecord& record, std::size_t match);
    // Ends the runs. Throws the run-time error of the run that stops first in search order.
    const WeaponRuns& finish(const MatchTable& table);
    // The finished run of a chosen weapon.
    const Tally& of(std::size_t weapon) const { return tallies_[weapon]; }
    // Every weapon's figures, in the weapon list's order (none for one not chosen).
    std::vector<ViewRow> rows() const;
    WeaponSet weapons() const { return weapons_; }

private:
    WeaponSet weapons_;
    Period period_;
    std::vector<Tally> tallies_;  // one a weapon of the list
};

// Reads the tree below `statsDir` as ReadTree does, adding each match to
// `runs` as it is kept, beside the readers. The table keeps the matches
// without their rows: the runs have summed them.
MatchTable SumTree(const std::string& statsDir, WeaponRuns& runs);

// Every weapon over the matches of the period, in the weapon list's order.
// Throws the run-time error of the run that stops first in search order.
std::vector<ViewRow> OverviewRows(const MatchTable& table, const std::string& mapChoice, const Period& period);

// The finished run of one weapon over the matches of the period, with the
// curve's points when `keepPoints`. Throws where it stops.
Tally SummaryRun(const MatchTable& table, std::size_t weapon, const std::string& mapChoice, const Period& period,
                 bool keepPoints = false);

// One weapon by group, the groups it was used in: maps in the map list's
// order, periods in date order, "no date" last. Throws where the run over all
// the matches stops, else where the first group's run stops.
std::vector<ViewRow> GroupRows(const MatchTable& table, std::size_t weapon, const std::string& mapChoice,
                               const Period& period, Grouping grouping);

}  // namespace tovrik
