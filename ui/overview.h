#pragma once

#include <string>
#include <vector>

#include "ui/form1.h"

namespace tovrik {

// One weapon's figures over a statistics directory.
struct WeaponFigures {
    std::string weapon;
    std::int32_t games = 0, shots = 0, hits = 0, headshots = 0, kills = 0, deaths = 0;
    double meanAccuracy = 0;  // of the collected per-match accuracies
    float lowest = 100, highest = 0;
    std::int32_t collected = 0;  // how many per-match accuracies were collected
};

// The figures of one completed run of `form`.
WeaponFigures FiguresOf(const Form1& form, const std::string& weapon);

// Runs the statistics run once per weapon of the weapon list over `statsDir`
// and `mapChoice`. A RunError of any run reaches the caller.
std::vector<WeaponFigures> WeaponOverview(const std::string& statsDir, const std::string& mapChoice);

}  // namespace tovrik
