#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/run_error.h"
#include "engine/chart_geometry.h"
#include "engine/match_reader.h"

namespace tovrik {

// One weapon's figures over a set of matches.
struct Figures {
    std::int32_t games = 0;  // counted rows
    std::int32_t shots = 0, hits = 0, headshots = 0, kills = 0, deaths = 0;
    std::int32_t collected = 0;  // per-match accuracies above 1
    double mean = 0;             // of the collected accuracies; 0 when none
    float lowest = 0;            // the smallest collected accuracy; 0 when none
    float highest = 0;           // the largest; 0 when none
};

// A per-match accuracy the run collected, and where it was read.
struct CollectedAccuracy {
    float value = 0;
    std::uint32_t match = 0;  // as the caller numbered the match in add()
    std::int32_t line = 0;    // the editor's line of its row
};

// A collected accuracy's place on the chart, in twips, as the curve draws it.
struct CurvePoint {
    std::int16_t x = 0, y = 0;
};

// Where and why a run stopped.
struct RunStop {
    RunError error;
    std::size_t match = 0;  // as numbered in add()
    std::int32_t line = 0;  // 0: the file itself
};

// The statistics run of one weapon over matches given in search order: the
// totals of the rows it counts, the per-match accuracies it collects, their
// extremes and mean, and the chart's checks, stopping where a run stops.
class Tally {
public:
    // `weapon` indexes Weapons(); none counts nothing. Rows count where the
    // match's map passes `mapChoice`. The points of the curve are kept for
    // drawing only with `keepPoints`.
    Tally(std::optional<std::size_t> weapon, std::string mapChoice, ChartBox box = ChartBox{}, bool keepPoints = false);

    // Adds the match numbered `index` (increasing from call to call).
    void add(const MatchNames& names, const MatchRecord& match, std::size_t index);

    // Ends the run: the mean and the curve's places; an accuracy whose place
    // leaves the range of the curve's coordinates stops it. `pathOf` gives the
    // file of a match for the message.
    void finish(const std::function<std::string(std::size_t match)>& pathOf);

    const Figures& figures() const { return figures_; }
    // The collected accuracies in order, when kept.
    const std::vector<CollectedAccuracy>& points() const { return points_; }
    // The places of the first points, those the curve draws: every point of
    // a run that completed; before a stop, the points of its whole segments.
    const std::vector<CurvePoint>& curve() const { return curve_; }
    // The collected accuracies that set the lowest and the highest, when any did.
    const std::optional<CollectedAccuracy>& lowest() const { return lowest_; }
    const std::optional<CollectedAccuracy>& highest() const { return highest_; }
    // Where the run stopped; nullptr while it goes on.
    const RunStop* stop() const { return stop_.get(); }

private:
    // Adds a counted row's numbers, or stops the run where the row fails.
    void count(const MatchNames& names, const MatchRecord& match, std::size_t index, const CountedRow& row);
    void collect(const CollectedAccuracy& at);
    void placeCurve(std::size_t drawn);
    void stopAt(RunError error, std::size_t match, std::int32_t line);

    std::optional<std::size_t> weapon_;
    std::string mapChoice_;
    ChartBox box_;
    bool keepPoints_;
    Figures figures_;
    double sum_ = 0;
    std::vector<CollectedAccuracy> points_;
    std::vector<std::int16_t> heights_;  // of the kept points on the chart
    std::vector<CurvePoint> curve_;
    std::optional<CollectedAccuracy> lowest_, highest_;
    std::optional<std::pair<CollectedAccuracy, std::int32_t>> offChart_;  // the first, and its position
    std::shared_ptr<const RunStop> stop_;                                 // seldom set: a tally a group stays small
};

// Throws the error of the tally among `tallies` that stopped first in search order.
void ThrowFirstStop(const std::vector<const Tally*>& tallies);

}  // namespace tovrik
