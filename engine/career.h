#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/views.h"

namespace tovrik {

// A player's career over a set of matches: what their own lines tell,
// summed, and the kills and deaths of every weapon's rows (as WeaponKills
// and WeaponDeaths, which every match tells).
struct CareerFigures {
    std::int32_t games = 0;
    // Per line figure (MatchLines::Number): the sum over the matches that
    // told it, and how many did.
    std::array<std::int64_t, MatchLines::kNumbers> sums{};
    std::array<std::int32_t, MatchLines::kNumbers> told{};
    // The XP and rank of the last match (in time, else in search order) that told them.
    std::optional<std::int32_t> xp;
    std::string rank;
    std::int32_t ranked = 0;  // the matches that told a rank
    std::uint32_t lastRank = MatchLines::kNone;  // while summing: the rank's number in MatchNames::ranks
};

// One row of a career view: what it is of (a map, a period, "Total") and its figures.
struct CareerRow {
    std::string label;
    CareerFigures figures;
    std::optional<int> firstDay = {};
};

// The matches a career view counts: read, held by the period and played on
// the map choice.
struct CareerChoice {
    std::string mapChoice;
    Period period;
};

// The career over the matches of a table read with their own lines and every
// weapon's rows (which it may have let go of), all together. Throws the first
// error in search order of a match it counts: a file that stops every run, or
// a weapon row not written as the game writes it.
CareerFigures CareerOver(const MatchTable& table, const CareerChoice& choice);

// The same by group, the groups of at least one match, as GroupMatches orders
// them; `whole`, when given, receives the career over all the matches.
std::vector<CareerRow> CareerRows(const MatchTable& table, const CareerChoice& choice, Grouping grouping,
                                  int sessionGap = kSessionGap, CareerFigures* whole = nullptr);

// The player names of the table, each once without regard to case, in the order met.
std::vector<std::string> PlayerNames(const MatchTable& table);

// Passes over every match of a table read with their own lines but those of
// `player` (its name without regard to case), so that no view counts them.
// Returns how many are kept.
std::size_t KeepPlayer(MatchTable& table, const std::string& player);
// The same over a copy of the table.
MatchTable PlayerTable(const MatchTable& table, const std::string& player);

}  // namespace tovrik
