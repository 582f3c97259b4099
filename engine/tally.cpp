#include "engine/tally.h"

#include <utility>

#include "engine/match_file.h"

namespace tovrik {

Tally::Tally(std::optional<std::size_t> weapon, std::string mapChoice, ChartBox box)
    : weapon_(weapon), mapChoice_(std::move(mapChoice)), box_(box) {}

void Tally::stopAt(RunError error, std::size_t match, std::int32_t line, std::int32_t segments) {
    stop_ = RunStop{std::move(error), match, line, segments};
}

bool Tally::add(const MatchNames& names, const MatchRecord& match, std::size_t index) {
    if (stop_) return false;
    if (match.status == MatchStatus::PassedOver) return true;
    if (match.status == MatchStatus::Stops) {
        stopAt(match.errors.front(), index, 0);
        return false;
    }
    if (!weapon_ || !MapPasses(names.map(match), mapChoice_)) return true;
    float accuracy = 0;
    std::int32_t line = 0;
    for (const CountedRow& row : match.rows) {
        if (row.weapon != *weapon_) continue;
        if (!count(names, match, index, row)) return false;
        // The match's accuracy is its last counted row's.
        accuracy = row.accuracy;
        line = row.line;
    }
    if (accuracy > 1) {
        accuracies_.push_back(CollectedAccuracy{accuracy, index, line});
        ++figures_.collected;  // at most one a match: never past the match count
    }
    return true;
}

bool Tally::count(const MatchNames& names, const MatchRecord& match, std::size_t index, const CountedRow& row) {
    if (row.failsAt == CountedRow::kAccuracy) {
        stopAt(match.errors[*row.error], index, row.line);
        return false;
    }
    // Each number is added as soon as it is read, so a later failing field
    // leaves the earlier ones added and a total may overflow before it.
    std::int32_t* totals[] = {&figures_.headshots, &figures_.shots, &figures_.hits, &figures_.kills, &figures_.deaths};
    static const char* const kNames[] = {"headshots", "shots", "hits", "kills", "deaths"};
    try {
        for (std::size_t step = 0; step < 5; ++step) {
            if (row.failsAt == CountedRow::kHeadshots + step) {
                stopAt(match.errors[*row.error], index, row.line);
                return false;
            }
            *totals[step] = AddLong(*totals[step], row.numbers[step], kNames[step]);
        }
        figures_.games = AddLong(figures_.games, 1, "games played");
    } catch (RunError& error) {
        error.locate(names.path(match), row.line);
        stopAt(std::move(error), index, row.line);
        return false;
    }
    return true;
}

void Tally::finish(const std::function<std::string(std::size_t match)>& pathOf) {
    if (stop_) return;
    const std::int32_t k = figures_.collected;
    double sum = 0;
    for (std::int32_t i = 0; i < k; ++i) {
        const CollectedAccuracy& at = accuracies_[static_cast<std::size_t>(i)];
        if (at.value > figures_.highest) figures_.highest = at.value, highestAt_ = static_cast<std::size_t>(i);
        if (at.value < figures_.lowest) figures_.lowest = at.value, lowestAt_ = static_cast<std::size_t>(i);
        sum += at.value;
        if (i < 1) continue;
        const CollectedAccuracy& prev = accuracies_[static_cast<std::size_t>(i - 1)];
        try {
            CurveSegment(box_, prev.value, at.value, k - 1, i - 1);
        } catch (RunError& error) {
            // The segment names the first of its points that leaves the range.
            std::int16_t fits = 0;
            const CollectedAccuracy& bad = ToCurveCoordinate(ChartY(box_.height, prev.value), fits) ? at : prev;
            error.locate(pathOf(bad.match), bad.line);
            stopAt(std::move(error), bad.match, bad.line, i - 1);
            return;
        }
    }
    if (k >= 1) figures_.mean = sum / k;
}

void ThrowFirstStop(const std::vector<const Tally*>& tallies) {
    const RunStop* first = nullptr;
    for (const Tally* tally : tallies) {
        const std::optional<RunStop>& stop = tally->stop();
        if (stop &&
            (first == nullptr || std::make_pair(stop->match, stop->line) < std::make_pair(first->match, first->line)))
            first = &*stop;
    }
    if (first != nullptr) throw first->error;
}

}  // namespace tovrik
