#include "engine/tally.h"

#include <utility>

#include "engine/match_file.h"

namespace tovrik {

Tally::Tally(std::optional<std::size_t> weapon, std::string mapChoice, ChartBox box, bool keepPoints)
    : weapon_(weapon), mapChoice_(std::move(mapChoice)), box_(box), keepPoints_(keepPoints) {}

void Tally::stopAt(RunError error, std::size_t match, std::int32_t line) {
    stop_ = std::make_shared<const RunStop>(RunStop{std::move(error), match, line});
}

void Tally::add(const MatchNames& names, const MatchRecord& match, std::size_t index) {
    // Once the run has stopped, later matches change nothing.
    if (stop_ || match.status == MatchStatus::PassedOver) return;
    if (match.status == MatchStatus::Stops) return stopAt(match.errors.front(), index, 0);
    if (!weapon_ || !MapPasses(names.map(match), mapChoice_)) return;
    float accuracy = 0;
    std::int32_t line = 0;
    for (const CountedRow& row : match.rows) {
        if (row.weapon != *weapon_) continue;
        count(names, match, index, row);
        if (stop_) return;
        // The match's accuracy is its last counted row's.
        accuracy = row.accuracy;
        line = row.line;
    }
    if (accuracy > 1) collect(CollectedAccuracy{accuracy, static_cast<std::uint32_t>(index), line});
}

void Tally::collect(const CollectedAccuracy& at) {
    // The extremes and the sum as the run walks the collected accuracies in
    // order; whether the curve can be drawn is told when the run ends.
    if (!highest_ || at.value > figures_.highest) figures_.highest = at.value, highest_ = at;
    if (!lowest_ || at.value < figures_.lowest) figures_.lowest = at.value, lowest_ = at;
    sum_ += at.value;
    std::int16_t height = 0;
    if (!ToCurveCoordinate(ChartY(box_.height, at.value), height) && !offChart_)
        offChart_ = std::make_pair(at, figures_.collected);
    if (keepPoints_) points_.push_back(at), heights_.push_back(height);
    ++figures_.collected;  // at most one a match: never past the match count
}

void Tally::count(const MatchNames& names, const MatchRecord& match, std::size_t index, const CountedRow& row) {
    if (row.failsAt == CountedRow::kAccuracy) return stopAt(match.errors[*row.error], index, row.line);
    // Each number is added as soon as it is read, so a later failing field
    // leaves the earlier ones added and a total may overflow before it.
    std::int32_t* totals[] = {&figures_.headshots, &figures_.shots, &figures_.hits, &figures_.kills, &figures_.deaths};
    static const char* const kNames[] = {"headshots", "shots", "hits", "kills", "deaths"};
    try {
        for (std::size_t step = 0; step < 5; ++step) {
            if (row.failsAt == CountedRow::kHeadshots + step) return stopAt(match.errors[*row.error], index, row.line);
            *totals[step] = AddLong(*totals[step], row.numbers[step], kNames[step]);
        }
        figures_.games = AddLong(figures_.games, 1, "games played");
    } catch (RunError& error) {
        error.locate(names.path(match), row.line);
        stopAt(std::move(error), index, row.line);
    }
}

void Tally::finish(const std::function<std::string(std::size_t match)>& pathOf) {
    if (stop_) return placeCurve(0);
    const std::int32_t k = figures_.collected;
    // The first accuracy off the chart stops the drawing of its segment: the
    // first segment for the first point, else the one that ends at it.
    if (k >= 2 && offChart_) {
        auto [bad, at] = *offChart_;
        RunError error = OffChartError(ChartY(box_.height, bad.value), bad.value);
        error.locate(pathOf(bad.match), bad.line);
        stopAt(std::move(error), bad.match, bad.line);
        // The segments before the one it ends.
        return placeCurve(at >= 2 ? static_cast<std::size_t>(at) : 0);
    }
    if (k >= 1) figures_.mean = sum_ / k;
    placeCurve(offChart_ ? 0 : points_.size());
}

void Tally::placeCurve(std::size_t drawn) {
    if (!keepPoints_) return;
    const auto last = static_cast<std::int32_t>(points_.size()) - 1;
    for (std::int32_t j = 0; static_cast<std::size_t>(j) < drawn; ++j) {
        double x = last > 0 ? RoundHalfEven(ChartX(box_.width, last, j)) : 0;
        curve_.push_back(CurvePoint{static_cast<std::int16_t>(x), heights_[static_cast<std::size_t>(j)]});
    }
}

void ThrowFirstStop(const std::vector<const Tally*>& tallies) {
    const RunStop* first = nullptr;
    for (const Tally* tally : tallies) {
        const RunStop* stop = tally->stop();
        if (stop &&
            (first == nullptr || std::make_pair(stop->match, stop->line) < std::make_pair(first->match, first->line)))
            first = stop;
    }
    if (first != nullptr) throw first->error;
}

}  // namespace tovrik
