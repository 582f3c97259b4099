#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/tally.h"

namespace tovrik {

// `part` per `whole` in percent; `whole` is not 0. The product with 100 is
// 64-bit, so large totals still give a percentage.
float SharePercent(std::int32_t part, std::int32_t whole);

// Kills per death; `deaths` is not 0.
float KillDeathRatio(std::int32_t kills, std::int32_t deaths);

// The texts of a run's figures, with the decimal separator chosen. Whole
// numbers are written in full; shares, the ratio and accuracies are cut to one
// decimal (virgule), never rounded.
struct FigureTexts {
    std::string games, shots, hits, hitShare, headshots, headshotShare, kills, deaths, ratio, mean, lowest, highest;
};

// As the window's labels show them: "0" for a share without shots, "-" for
// the mean, the lowest and the highest without a collected accuracy, the
// lowest and highest uncut.
FigureTexts Describe(const Figures& figures, char sep);

// As the cells of a table show them, so that columns line up: shares, the
// ratio and accuracies with exactly one decimal, cut ("42.0%", "1.0"), "-"
// where there is no figure.
FigureTexts DescribeCells(const Figures& figures, char sep);

// The figures as numbers, in the order of FigureTexts; none for a share
// without shots and for an accuracy without one collected.
enum FigureIndex : std::size_t { kHitShare = 3, kHeadshotShare = 5, kRatio = 8, kMean = 9, kLowest = 10, kHighest = 11 };
std::vector<std::optional<double>> FigureValues(const Figures& figures);

// The map label's text for a map choice: "All maps" for every map.
std::string MapText(const std::string& mapChoice);

}  // namespace tovrik
