#pragma once

#include <cstdint>

#include "base/limits.h"

namespace tovrik {

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// The unrounded height on the chart of an accuracy in percent, for a chart
// `height` high: 100 on the top edge, 0 on the bottom edge.
float ChartY(float height, float accuracy);

// The unrounded position of point `j` when `n` is the index of the last point.
double ChartX(float width, std::int32_t n, std::int32_t j);

// `value` rounded to a 16-bit curve coordinate; false when it leaves the range.
bool ToCurveCoordinate(double value, std::int16_t& coordinate);

// `value`, a coordinate of the curve at `accuracy`, rounded to 16 bits. Throws
// RunError (Overflow) naming the accuracy when it leaves the range.
std::int16_t CurveCoordinate(double value, float accuracy);

}  // namespace tovrik
