// The groups of a view: by map or period, sessions, and the order they show in.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

#include "base/ascii.h"
#include "engine/views.h"

namespace tovrik {
namespace {

// The positions of the groups in the order the view shows them.
std::vector<std::size_t> Order(const std::vector<MatchGroup>& groups, Grouping grouping) {
    // Maps as the map list orders them, the first met first of equal ones.
    std::vector<std::string> keys(groups.size());
    std::transform(groups.begin(), groups.end(), keys.begin(), [&](const MatchGroup& group) {
        return grouping == Grouping::Map ? ListKey(group.label) : group.label;
    });
    std::vector<std::size_t> order(groups.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::tie(keys[a], groups[a].first) < std::tie(keys[b], groups[b].first);
    });
    return order;
}

// The key of a match's group, one for each label: the map's number, or the
// first day of the period; kNoKey for no map or no date.
constexpr std::int64_t kNoKey = INT64_MIN;
std::int64_t GroupKey(const MatchRecord& match, Grouping grouping) {
    if (grouping == Grouping::Map) return match.map ? std::int64_t{*match.map} : kNoKey;
    const MatchDate& d = match.date;
    if (!d.known()) return kNoKey;
    switch (grouping) {
        case Grouping::Week:
            return MondayOf(DaysSinceEpoch(d.year, d.month, d.day));
        case Grouping::Month:
            return DaysSinceEpoch(d.year, d.month, 1);
        case Grouping::Year:
            return DaysSinceEpoch(d.year, 1, 1);
        default:
            return DaysSinceEpoch(d.year, d.month, d.day);
    }
}

// The first day of a dated group's period, from its key (a session's: its
// first moment); none for a map or no date.
std::optional<int> FirstDay(Grouping grouping, std::int64_t key) {
    if (grouping == Grouping::Map || key == kNoKey) return {};
    if (grouping == Grouping::Session) return DayOfMoment(key);
    return static_cast<int>(key);
}

// The label of the group of `match`, whose key is `key`.
std::string LabelOf(const MatchNames& names, const MatchRecord& match, Grouping grouping, std::int64_t key) {
    if (grouping == Grouping::Map) return std::string(names.map(match));
    const std::optional<int> firstDay = FirstDay(grouping, key);
    if (!firstDay) return "no date";
    if (grouping == Grouping::Session) return MomentText(key);
    const MatchDate first = DateOfDays(*firstDay);
    if (grouping == Grouping::Week) return IsoWeekText(first);
    // A day, a month, a year: the leading part of the day's text.
    return DayText(first).substr(0, grouping == Grouping::Year ? 4 : grouping == Grouping::Month ? 7 : 10);
}

}  // namespace

const std::vector<GroupingName>& Groupings() {
    static const std::vector<GroupingName> kGroupings{
        {Grouping::Map, "map", "Map", 1},      {Grouping::Day, "day", "Day", 1},
        {Grouping::Week, "week", "Week", 4},   {Grouping::Month, "month", "Month", 15},
        {Grouping::Year, "year", "Year", 183}, {Grouping::Session, "session", "Session", 1}};
    return kGroupings;
}

bool Period::holds(const MatchRecord& match) const {
    if (!limited()) return true;
    if (moments) {
        const std::optional<std::int64_t> moment = MomentOf(match.date, match.time);
        if (!moment || *moment < moments->first || *moment > moments->last) return false;
    }
    return match.date.known() && (!since || match.date.key() >= since->key()) &&
           (!until || match.date.key() <= until->key());
}

std::vector<std::optional<std::int64_t>> Sessions(const MatchTable& table, const Period& period, int gap) {
    // The timed matches in time order, those of the same moment in search order.
    std::vector<std::pair<std::int64_t, std::size_t>> timed;
    for (std::size_t m = 0; m < table.matches.size(); ++m) {
        const MatchRecord& match = table.matches[m];
        if (match.status == MatchStatus::PassedOver || !period.holds(match)) continue;
        if (const std::optional<std::int64_t> moment = MomentOf(match.date, match.time)) timed.emplace_back(*moment, m);
    }
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::optional<std::int64_t>> sessions(table.matches.size());
    std::int64_t first = 0;
    for (std::size_t i = 0; i < timed.size(); ++i) {
        if (i == 0 || timed[i].first - timed[i - 1].first >= gap) first = timed[i].first;
        sessions[timed[i].second] = first;
    }
    return sessions;
}

namespace {

// The key of each match's group (GroupKey; a session's first moment).
std::vector<std::int64_t> GroupKeys(const MatchTable& table, const Period& period, Grouping grouping, int gap) {
    std::vector<std::int64_t> keys(table.matches.size(), kNoKey);
    if (grouping == Grouping::Session) {
        const std::vector<std::optional<std::int64_t>> sessions = Sessions(table, period, gap);
        for (std::size_t m = 0; m < keys.size(); ++m) keys[m] = sessions[m].value_or(kNoKey);
    } else {
        for (std::size_t m = 0; m < keys.size(); ++m) keys[m] = GroupKey(table.matches[m], grouping);
    }
    return keys;
}

}  // namespace

std::vector<std::string> GroupLabels(const MatchTable& table, const Period& period, Grouping grouping, int sessionGap) {
    const std::vector<std::int64_t> keys = GroupKeys(table, period, grouping, sessionGap);
    std::vector<std::string> labels(table.matches.size());
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        if (period.holds(table.matches[m])) labels[m] = LabelOf(table, table.matches[m], grouping, keys[m]);
    return labels;
}

Period LastSession(const MatchTable& table, int gap) {
    // The latest session's first moment, then its last match's.
    const std::vector<std::optional<std::int64_t>> sessions = Sessions(table, Period{}, gap);
    const std::optional<std::int64_t> latest =
        sessions.empty() ? std::nullopt : *std::max_element(sessions.begin(), sessions.end());  // none before any
    Period last;
    last.moments = MomentSpan{};  // none: holds no match
    if (!latest) return last;
    last.moments = MomentSpan{*latest, *latest};
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        if (sessions[m] == latest)
            last.moments->last = std::max(last.moments->last, *MomentOf(table.matches[m].date, table.matches[m].time));
    return last;
}

std::size_t DatelessMatches(const MatchTable& table, const Period& period) {
    if (!period.limited()) return 0;
    return static_cast<std::size_t>(
        std::count_if(table.matches.begin(), table.matches.end(), [&](const MatchRecord& m) {
            return m.status != MatchStatus::PassedOver &&
                   !(period.moments ? MomentOf(m.date, m.time).has_value() : m.date.known());
        }));
}

MatchGroups GroupMatches(const MatchTable& table, const Period& period, Grouping grouping, int sessionGap) {
    // The matches sorted by group, each group's in search order.
    const std::vector<std::int64_t> keys = GroupKeys(table, period, grouping, sessionGap);
    std::vector<std::pair<std::int64_t, std::size_t>> keyed;
    keyed.reserve(table.matches.size());
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        if (period.holds(table.matches[m])) keyed.emplace_back(keys[m], m);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    MatchGroups all;
    all.matches.reserve(keyed.size());
    std::vector<MatchGroup> groups;
    for (std::size_t i = 0; i < keyed.size();) {
        const std::int64_t key = keyed[i].first;
        groups.push_back(
            MatchGroup{LabelOf(table, table.matches[keyed[i].second], grouping, key), FirstDay(grouping, key), i});
        for (; i < keyed.size() && keyed[i].first == key; ++i) all.matches.push_back(keyed[i].second);
        groups.back().count = i - groups.back().first;
    }
    all.groups.reserve(groups.size());
    for (std::size_t position : Order(groups, grouping)) all.groups.push_back(std::move(groups[position]));
    return all;
}
}  // namespace tovrik
