#include "engine/views.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <tuple>

#include "base/ascii.h"
#include "engine/tree_scan.h"
#include "engine/weapons.h"

namespace tovrik {
namespace {

std::function<std::string(std::size_t)> PathIn(const MatchTable& table) {
    return [&table](std::size_t match) { return table.path(match); };
}

}  // namespace

WeaponRuns::WeaponRuns(WeaponSet weapons, const std::string& mapChoice, const Period& period)
    : weapons_(weapons & (WeaponBit(Weapons().size()) - 1)), period_(period) {
    for (std::size_t w = 0; w < Weapons().size(); ++w)
        if ((weapons_ & WeaponBit(w)) != 0) tallies_.emplace_back(w, mapChoice);
}

bool WeaponRuns::add(const MatchNames& names, const MatchRecord& record, std::size_t match) {
    if (!period_.holds(record)) return true;
    // A weapon's run changes only at its rows, or at a match that stops every run: those weapons, in order.
    WeaponSet met = record.status == MatchStatus::Stops ? weapons_ : 0;
    for (const CountedRow& row : record.rows) met |= WeaponBit(row.weapon);
    bool carryOn = true;
    for (met &= weapons_; met != 0; met &= met - 1) {
        Tally& tally = tallies_[slot(static_cast<std::size_t>(__builtin_ctz(met)))];
        tally.add(names, record, match);
        carryOn = carryOn && tally.stop() == nullptr;
    }
    return carryOn;
}

const WeaponRuns& WeaponRuns::finish(const MatchTable& table) {
    std::vector<const Tally*> finished;
    for (Tally& tally : tallies_) tally.finish(PathIn(table)), finished.push_back(&tally);
    ThrowFirstStop(finished);
    return *this;
}

std::vector<ViewRow> WeaponRuns::rows() const {
    std::vector<ViewRow> rows;
    for (std::size_t w = 0; w < Weapons().size(); ++w)
        rows.push_back(ViewRow{Weapons()[w], (weapons_ & WeaponBit(w)) != 0 ? of(w).figures() : Figures{}});
    return rows;
}

MatchTable SumTree(const std::string& statsDir, WeaponSet weapons, const MatchAdder& add, const ScanOptions& options) {
    MatchTable table;
    table.withLines = options.matchLines;
    ScanTree(
        statsDir, weapons, table,
        [&](const MatchNames&, MatchRecord& record, const MatchLines& lines) {
            const bool carryOn = add(table, record, table.matches.size());
            record.rows.clear();  // summed: the table keeps the match without them
            table.keep(record, lines);
            return carryOn;
        },
        options);
    return table;
}

MatchTable SumTree(const std::string& statsDir, WeaponRuns& runs) {
    return SumTree(statsDir, runs.weapons(),
                   [&runs](const MatchTable& names, const MatchRecord& match, std::size_t index) {
                       return runs.add(names, match, index);
                   });
}

WeaponRun RunWeapon(const std::string& statsDir, std::optional<std::size_t> weapon, const std::string& mapChoice,
                    const Period& period, const ChartBox& box, bool keepPoints) {
    Tally tally(weapon, mapChoice, box, keepPoints);
    MatchTable table = SumTree(statsDir, weapon ? WeaponBit(*weapon) : 0,
                               [&](const MatchTable& names, const MatchRecord& match, std::size_t index) {
                                   if (period.holds(match)) tally.add(names, match, index);
                                   return tally.stop() == nullptr;  // nothing later changes where the run stops
                               });
    tally.finish(PathIn(table));
    // Maps are numbered as they are met: those of the matches up to the stop.
    std::size_t mapsMet = table.maps.size();
    if (tally.stop()) {
        mapsMet = 0;
        for (std::size_t m = 0; m <= tally.stop()->match; ++m)
            if (const auto& map = table.matches[m].map) mapsMet = std::max<std::size_t>(mapsMet, *map + 1);
    }
    return WeaponRun{std::move(table), std::move(tally), mapsMet};
}

WeaponRuns RunsOver(const MatchTable& table, WeaponSet weapons, const std::string& mapChoice, const Period& period) {
    WeaponRuns runs(weapons, mapChoice, period);
    for (std::size_t m = 0; m < table.matches.size(); ++m) runs.add(table, table.matches[m], m);
    runs.finish(table);
    return runs;
}

std::vector<ViewRow> OverviewRows(const MatchTable& table, const std::string& mapChoice, const Period& period) {
    return RunsOver(table, kEveryWeapon, mapChoice, period).rows();
}

Tally SummaryRun(const MatchTable& table, std::size_t weapon, const std::string& mapChoice, const Period& period) {
    return RunsOver(table, WeaponBit(weapon), mapChoice, period).of(weapon);
}

Tally ChartRun(const MatchTable& table, std::size_t weapon, const std::string& mapChoice, const Period& period) {
    Tally tally(weapon, mapChoice, ChartBox{}, true);
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        if (period.holds(table.matches[m])) tally.add(table, table.matches[m], m);
    tally.finish(PathIn(table));
    return tally;
}

std::vector<ViewRow> GroupRows(const MatchTable& table, std::size_t weapon, const std::string& mapChoice,
                               const Period& period, Grouping grouping, Tally* whole, int sessionGap) {
    Tally all = SummaryRun(table, weapon, mapChoice, period);  // a stop of the whole run comes first
    if (whole != nullptr) *whole = std::move(all);
    std::vector<ViewRow> rows;
    const MatchGroups grouped = GroupMatches(table, period, grouping, sessionGap);
    for (const MatchGroup& group : grouped.groups) {
        Tally tally(weapon, mapChoice);
        for (std::size_t i = group.first; i < group.first + group.count; ++i)
            tally.add(table, table.matches[grouped.matches[i]], grouped.matches[i]);
        tally.finish(PathIn(table));
        if (tally.stop()) throw tally.stop()->error;
        if (tally.figures().games > 0)
            rows.push_back(ViewRow{group.label, tally.figures(), group.firstDay});  // none: passed over
    }
    return rows;
}

}  // namespace tovrik
