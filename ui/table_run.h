#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/run_error.h"
#include "engine/match_table.h"

namespace tovrik {

// One weapon's figures over a set of matches, as the window's run sums them.
struct WeaponFigures {
    std::string weapon;
    std::int32_t games = 0, shots = 0, hits = 0, headshots = 0, kills = 0, deaths = 0;
    double meanAccuracy = 0;  // of the collected per-match accuracies
    float lowest = 100, highest = 0;
    std::int32_t collected = 0;  // how many per-match accuracies were collected
};

// A per-match accuracy the run collected, and where it was read.
struct CollectedAccuracy {
    float value = 0;
    std::size_t match = 0;   // index into MatchTable::matches
    std::uint16_t line = 0;  // the line of its row
};

// What the window's run of one weapon does over the match table: its figures,
// the accuracies it collects in search order, the matches that set the lowest
// and the highest accuracy, or the run-time error it stops on and where.
struct TableRun {
    WeaponFigures figures;
    std::vector<CollectedAccuracy> accuracies;
    std::optional<std::size_t> lowestAt, highestAt;  // indexes into accuracies
    std::optional<RunError> stop;
    std::size_t stopMatch = 0;
    std::int32_t stopLine = -1;  // -1: before the file's first line
};

// Runs weapon `weapon` (an index into Weapons()) over the matches of `table`
// that `keep` takes, counting the rows of matches whose map passes
// `mapChoice`, in the order, with the conversions and the checks of the
// window's run, chart coordinates included.
TableRun RunOnTable(const MatchTable& table, std::size_t weapon, const std::string& mapChoice,
                    const std::function<bool(const MatchRecord&)>& keep);

// Throws the error of the run among `runs` that stops first in search order.
void ThrowFirstStop(const std::vector<TableRun>& runs);

}  // namespace tovrik
