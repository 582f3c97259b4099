// The breakdown's time chart: the groups' points on the days' axis and its ticks.
#include <algorithm>

#include "ui/breakdown.h"
#include "ui/figure_text.h"

namespace tovrik {

std::vector<TimePoint> TimePoints(const Breakdown& breakdown, const std::optional<Grouping>& grouping) {
    // Each row's day, value and weight: its mean accuracy and count of them,
    // or its damage per game and the matches that told the damage.
    struct Dated {
        std::optional<int> day;
        double value, weight;
    };
    std::vector<Dated> rows;
    for (const ViewRow& row : breakdown.rows)
        rows.push_back(Dated{row.firstDay, row.figures.mean, static_cast<double>(row.figures.collected)});
    const CareerFigure& perGame = CareerNamed("damage_per_game");
    for (const CareerRow& row : breakdown.careerRows)
        rows.push_back(Dated{row.firstDay, perGame.read(row.figures).number.value_or(0),
                             static_cast<double>(row.figures.told[MatchLines::DamageGiven])});
    std::vector<TimePoint> points;
    for (std::size_t i = 0; grouping && i < rows.size(); ++i)
        if (rows[i].day && rows[i].weight > 0) points.push_back(TimePoint{*rows[i].day, rows[i].value, i});
    for (std::size_t i = 0; i < points.size(); ++i) {
        double sum = 0, count = 0;
        for (std::size_t j = i + 1 - std::min(i + 1, kTrendGroups); j <= i; ++j) {
            sum += rows[points[j].row].value * rows[points[j].row].weight;
            count += rows[points[j].row].weight;
        }
        points[i].trend = sum / count;
    }
    return points;
}

std::vector<TimeTick> TimeTicks(int first, int last, int most, Grouping unit) {
    auto tick = [](int day, std::size_t length) { return TimeTick{day, DayText(DateOfDays(day)).substr(0, length)}; };
    // Days a few apart (weeks from a Monday), else months, else years: the
    // finest that fits.
    for (int step : {1, 2, 7, 14}) {
        const bool weeks = step % 7 == 0;  // whole weeks start on a Monday
        int start = weeks ? MondayOf(first + 6) : first;
        if ((unit != Grouping::Day && unit != Grouping::Week && unit != Grouping::Session) ||
            (unit == Grouping::Week && !weeks) || start > last || (last - start) / step + 1 > most)
            continue;
        std::vector<TimeTick> ticks;
        for (int day = start; day <= last; day += step) ticks.push_back(tick(day, 10));
        return ticks;
    }
    MatchDate from = DateOfDays(first), to = DateOfDays(last);
    int months = (to.year - from.year) * 12 + to.month - from.month + 1;
    for (int step : {1, 2, 3, 6, 12, 24, 60, 120, 240, 600, 1200}) {
        if (months / step > most || (unit == Grouping::Year && step < 12)) continue;
        std::vector<TimeTick> ticks;
        for (int m = from.year * 12 + from.month - 1; m <= to.year * 12 + to.month - 1; ++m) {
            int day = DaysSinceEpoch(m / 12, m % 12 + 1, 1);
            if (m % step == 0 && day >= first) ticks.push_back(tick(day, step % 12 != 0 ? 7 : 4));
        }
        if (!ticks.empty() && static_cast<int>(ticks.size()) <= most) return ticks;
    }
    return {tick(first, 10)};
}

int HalfPeriodDays(Grouping unit) { return Groupings()[static_cast<std::size_t>(unit)].halfDays; }

}  // namespace tovrik
