#include "engine/career.h"

#include <algorithm>
#include <stdexcept>

#include "base/ascii.h"
#include "engine/match_file.h"

namespace tovrik {
namespace {

// Adds the match numbered `m` to `figures`, when the choice counts it; `last`
// is where the match that told the XP so far lies in time and search order.
class CareerSum {
public:
    CareerSum(const MatchTable& table, const CareerChoice& choice) : table_(table), choice_(choice) {
        if (table.lines.size() != table.matches.size()) throw std::logic_error("a career needs the matches' own lines");
    }

    void add(std::size_t m, CareerFigures& figures, std::pair<std::int64_t, std::size_t>& last) const {
        const MatchRecord& match = table_.matches[m];
        if (match.status == MatchStatus::PassedOver || !choice_.period.holds(match) ||
            !MapPasses(table_.map(match), choice_.mapChoice))
            return;
        const MatchLines& lines = table_.lines[m];
        if (!match.errors.empty()) throw match.errors[0];  // the file's, or its first row's that fails
        ++figures.games;
        for (int n = 0; n < MatchLines::kNumbers; ++n)
            if (const std::optional<std::int32_t> value = lines.number(static_cast<MatchLines::Number>(n))) {
                figures.sums[n] += *value;
                ++figures.told[n];
            }
        if (lines.rank != MatchLines::kNone) ++figures.ranked;
        const std::optional<std::int32_t> xp = lines.number(MatchLines::Xp);
        const std::pair<std::int64_t, std::size_t> when{MomentOf(match.date, match.time).value_or(INT64_MIN), m};
        if (xp && (!figures.xp || when > last)) {
            figures.xp = xp;
            figures.lastRank = lines.rank;  // named once all are summed
            last = when;
        }
    }

    // Names the rank of the last match summed into `figures`.
    void name(CareerFigures& figures) const {
        figures.rank = figures.lastRank != MatchLines::kNone ? table_.ranks[figures.lastRank] : "";
    }

private:
    const MatchTable& table_;
    const CareerChoice& choice_;
};

}  // namespace

CareerFigures CareerOver(const MatchTable& table, const CareerChoice& choice) {
    CareerFigures figures;
    std::pair<std::int64_t, std::size_t> last{INT64_MIN, 0};
    const CareerSum sum(table, choice);
    for (std::size_t m = 0; m < table.matches.size(); ++m) sum.add(m, figures, last);
    sum.name(figures);
    return figures;
}

std::vector<CareerRow> CareerRows(const MatchTable& table, const CareerChoice& choice, Grouping grouping,
                                  int sessionGap, CareerFigures* whole) {
    CareerFigures all = CareerOver(table, choice);  // an error comes first in search order, as for all the matches
    if (whole != nullptr) *whole = std::move(all);
    const CareerSum sum(table, choice);
    std::vector<CareerRow> rows;
    const MatchGroups grouped = GroupMatches(table, choice.period, grouping, sessionGap);
    for (const MatchGroup& group : grouped.groups) {
        CareerRow row{group.label, {}, group.firstDay};
        std::pair<std::int64_t, std::size_t> last{INT64_MIN, 0};
        for (std::size_t i = group.first; i < group.first + group.count; ++i)
            sum.add(grouped.matches[i], row.figures, last);
        sum.name(row.figures);
        if (row.figures.games > 0) rows.push_back(std::move(row));
    }
    return rows;
}

std::size_t KeepPlayer(MatchTable& table, const std::string& player) {
    if (table.lines.size() != table.matches.size()) throw std::logic_error("a player is known by the matches' lines");
    std::size_t kept = 0;
    for (std::size_t m = 0; m < table.matches.size(); ++m) {
        MatchRecord& match = table.matches[m];
        const std::uint32_t name = table.lines[m].player;
        if (match.status == MatchStatus::PassedOver) continue;
        if (name != MatchLines::kNone && FoldedEqual(table.players[name], player)) {
            ++kept;
            continue;
        }
        match.status = MatchStatus::PassedOver;
        match.rows.clear();
        match.errors.clear();
    }
    return kept;
}

MatchTable PlayerTable(const MatchTable& table, const std::string& player) {
    MatchTable copy;
    static_cast<MatchNames&>(copy) = table;
    copy.withLines = table.withLines;
    for (std::size_t m = 0; m < table.matches.size(); ++m)
        copy.keep(table.matches[m], m < table.lines.size() ? table.lines[m] : MatchLines{});
    KeepPlayer(copy, player);
    return copy;
}

std::vector<std::string> PlayerNames(const MatchTable& table) {
    std::vector<std::string> names;
    for (const std::string& player : table.players)
        if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return FoldedEqual(n, player); }))
            names.push_back(player);
    return names;
}

}  // namespace tovrik
