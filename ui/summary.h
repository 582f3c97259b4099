#pragma once

#include <cstdint>

namespace tovrik {

// The figures the summary shows beside its totals, as handed to virgule.

// `part` per `whole` in percent; `whole` is not 0. The product with 100 is
// 64-bit, so large totals still give a percentage.
float SharePercent(std::int32_t part, std::int32_t whole);

// Kills per death; `deaths` is not 0.
float KillDeathRatio(std::int32_t kills, std::int32_t deaths);

}  // namespace tovrik
