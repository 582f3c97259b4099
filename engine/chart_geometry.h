#pragma once

#include <cstdint>

#include "base/limits.h"

namespace tovrik {

// The chart box's size, in twips (15 to a pixel at 96 dots per inch).
struct ChartBox {
    float width = 6975;
    float height = 2560;
};

// The coordinates of one segment of the accuracy curve, rounded to 16 bits.
struct Segment {
    std::int16_t x1, y1, x2, y2;
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

// `value`, a coordinate of the curve at `accuracy`, rounded to 16 bits. Throws
// RunError (Overflow) naming the accuracy when it leaves the range.
std::int16_t CurveCoordinate(double value, float accuracy);

// The segment from point `j` (accuracy `prev`) to point j + 1 (`cur`) when `n`
// is the index of the last point. Throws as CurveCoordinate, naming the first
// accuracy whose coordinate leaves the range.
Segment CurveSegment(const ChartBox& box, float prev, float cur, std::int32_t n, std::int32_t j);

// The height of the mean line for a mean accuracy of `mean` percent, rounded.
float MeanLineY(const ChartBox& box, double mean);

}  // namespace tovrik
