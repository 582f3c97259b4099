#include "engine/chart_geometry.h"

#include <cmath>
#include <string>

#include "base/number_text.h"
#include "base/run_error.h"

namespace tovrik {

double RoundHalfEven(double value) { return std::nearbyint(value); }

float ChartY(float height, float accuracy) { return height - height * accuracy / 100.0f; }

double ChartX(float width, std::int32_t n, std::int32_t j) { return static_cast<double>(width) / n * j; }

bool ToCurveCoordinate(double value, std::int16_t& coordinate) {
    double rounded = RoundHalfEven(value);
    if (!(rounded >= kIntegerMin && rounded <= kIntegerMax)) return false;
    coordinate = static_cast<std::int16_t>(rounded);
    return true;
}

std::int16_t CurveCoordinate(double value, float accuracy) {
    std::int16_t coordinate = 0;
    if (!ToCurveCoordinate(value, coordinate)) {
        std::string text = SingleToText(accuracy, '.');
        throw RunError(RunError::Kind::Overflow, "the accuracy " + text + " puts the chart's curve at " +
                                                     DoubleToText(RoundHalfEven(value), '.') +
                                                     ", outside -32,768 to 32,767.");
    }
    return coordinate;
}

Segment CurveSegment(const ChartBox& box, float prev, float cur, std::int32_t n, std::int32_t j) {
    // In the order the curve is drawn: a failing first point is named first.
    std::int16_t x1 = CurveCoordinate(ChartX(box.width, n, j), prev);
    std::int16_t y1 = CurveCoordinate(ChartY(box.height, prev), prev);
    std::int16_t x2 = CurveCoordinate(ChartX(box.width, n, j + 1), cur);
    std::int16_t y2 = CurveCoordinate(ChartY(box.height, cur), cur);
    return Segment{x1, y1, x2, y2};
}

float MeanLineY(const ChartBox& box, double mean) {
    double height = box.height;
    return static_cast<float>(RoundHalfEven(height - height * mean / 100));
}

}  // namespace tovrik
