#include "engine/views.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <numeric>
#include <unordered_map>

#include "base/ascii.h"
#include "engine/weapons.h"

namespace tovrik {
namespace {

std::function<std::string(std::size_t)> PathIn(const MatchTable& table) {
    return [&table](std::size_t match) { return table.path(match); };
}

struct Group {
    std::string label;
    Tally tally;
};

// The positions of the groups in the order the view shows them.
std::vector<std::size_t> Order(const std::deque<Group>& groups, Grouping grouping) {
    std::vector<std::size_t> order(groups.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        // Maps as the map list orders them: ASCII case folded, the first met first.
        return grouping == Grouping::Map ? FoldedLess(groups[a].label, groups[b].label)
                                         : groups[a].label < groups[b].label;
    });
    return order;
}

}  // namespace

std::string GroupLabel(const MatchNames& names, const MatchRecord& match, Grouping grouping) {
    if (grouping == Grouping::Map) return std::string(names.map(match));
    if (!match.date.known()) return "no date";
    if (grouping == Grouping::Week) return IsoWeekText(match.date);
    // A day, a month, a year: the leading part of the day's text.
    return DayText(match.date).substr(0, grouping == Grouping::Year ? 4 : grouping == Grouping::Month ? 7 : 10);
}

std::optional<int> GroupStartDay(Grouping grouping, const std::string& label) {
    if (grouping == Grouping::Week) {
        // The Monday of the week that holds the year's fourth of January.
        MatchDate fourth = DayOfText(label.substr(0, 4) + "-01-04");
        if (label.size() != 8 || label.compare(4, 2, "-W") != 0 || !fourth.known()) return std::nullopt;
        int week = std::atoi(label.c_str() + 6), day = DaysSinceEpoch(fourth.year, 1, 4);
        return day - Weekday(day) + (week - 1) * 7;
    }
    const char* tail = grouping == Grouping::Year ? "-01-01" : grouping == Grouping::Month ? "-01" : "";
    MatchDate date = grouping == Grouping::Map ? MatchDate{} : DayOfText(label + tail);
    if (!date.known()) return std::nullopt;
    return DaysSinceEpoch(date.year, date.month, date.day);
}

bool Period::holds(const MatchRecord& match) const {
    if (!limited()) return true;
    return match.date.known() && (!since || match.date.key() >= since->key()) &&
           (!until || match.date.key() <= until->key());
}

std::size_t DatelessMatches(const MatchTable& table, const Period& period) {
    if (!period.limited()) return 0;
    return static_cast<std::size_t>(std::count_if(table.matches.begin(), table.matches.end(), [](const MatchRecord& m) {
        return m.status != MatchStatus::PassedOver && !m.date.known();
    }));
}

std::vector<ViewRow> OverviewRows(const MatchTable& table, const std::string& mapChoice, const Period& period) {
    std::vector<Tally> tallies;
    for (std::size_t w = 0; w < Weapons().size(); ++w) tallies.emplace_back(w, mapChoice);
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        if (period.holds(table.matches[m]))
            for (Tally& tally : tallies) tally.add(table, table.matches[m], m);
    std::vector<const Tally*> finished;
    for (Tally& tally : tallies) tally.finish(PathIn(table)), finished.push_back(&tally);
    ThrowFirstStop(finished);
    std::vector<ViewRow> rows;
    for (std::size_t w = 0; w < tallies.size(); ++w) rows.push_back(ViewRow{Weapons()[w], tallies[w].figures()});
    return rows;
}

Tally SummaryRun(const MatchTable& table, std::size_t weapon, const std::string& mapChoice, const Period& period,
                 bool keepPoints) {
    Tally tally(weapon, mapChoice, ChartBox{}, keepPoints);
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        if (period.holds(table.matches[m]) && !tally.add(table, table.matches[m], m)) break;
    tally.finish(PathIn(table));
    ThrowFirstStop({&tally});
    return tally;
}

std::vector<ViewRow> GroupRows(const MatchTable& table, std::size_t weapon, const std::string& mapChoice,
                               const Period& period, Grouping grouping) {
    SummaryRun(table, weapon, mapChoice, period);  // a stop of the whole run comes first
    std::deque<Group> groups;                      // where they are, as they are met
    // A group's position by its label, or for maps by the map's index (the
    // last for a match whose map was not read).
    constexpr std::size_t kNone = SIZE_MAX;
    std::unordered_map<std::string, std::size_t> byLabel;
    std::vector<std::size_t> byMap(grouping == Grouping::Map ? table.maps.size() + 1 : 0, kNone);
    for (std::size_t m = 0; m < table.matches.size(); ++m) {
        const MatchRecord& match = table.matches[m];
        if (match.status == MatchStatus::PassedOver || !period.holds(match)) continue;
        std::size_t& at = grouping == Grouping::Map
                              ? byMap[match.map.value_or(table.maps.size())]
                              : byLabel.try_emplace(GroupLabel(table, match, grouping), kNone).first->second;
        if (at == kNone) at = groups.size(), groups.push_back(Group{GroupLabel(table, match, grouping), Tally(weapon, mapChoice)});
        groups[at].tally.add(table, match, m);
    }
    std::vector<ViewRow> rows;
    for (std::size_t position : Order(groups, grouping)) {
        Group& group = groups[position];
        group.tally.finish(PathIn(table));
        ThrowFirstStop({&group.tally});
        if (group.tally.figures().games > 0) rows.push_back(ViewRow{group.label, group.tally.figures()});
    }
    return rows;
}

}  // namespace tovrik
