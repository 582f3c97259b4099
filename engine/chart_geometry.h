#pragma once

#include <cstdint>

#include "base/limits.h"
#include "base/run_error.h"

namespace tovrik {

// The chart box's size, in twips (15 to a pixel at 96 dots per inch).
struct ChartBox {
    float width = 6975;
    float height = 2560;
};

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// The unrounded height on the chart of an accuracy in percent, for a chart
// `height` high: 100 on the top edge, 0 on the bottom edge.
float ChartY(float height, float accuracy);

// The unrounded position of point `j` when `n` is the index of the last point.
double ChartX(float width, std::int32_t n, std::int32_t j);

// `value` rounded to a 16-bit curve coordinate; false when it leaves the range.
bool ToCurveCoordinate(double value, std::int16_t& coordinate);

// The error of a curve coordinate `value`, at `accuracy`, that leaves the
// range of 16 bits (Overflow, naming the accuracy).
RunError OffChartError(double value, float accuracy);

// The height of the mean line for a mean accuracy of `mean` percent, rounded.
float MeanLineY(const ChartBox& box, double mean);

}  // namespace tovrik
