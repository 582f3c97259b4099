#include "engine/chart_geometry.h"

#include <cmath>
#include <string>

#include "base/number_text.h"

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

RunError OffChartError(double value, float accuracy) {
    return RunError(RunError::Kind::Overflow,
                    "the accuracy " + SingleToText(accuracy, '.') + " puts the chart's curve at " +
                        DoubleToText(RoundHalfEven(value), '.') + ", outside -32,768 to 32,767.");
}

float MeanLineY(const ChartBox& box, double mean) {
    double height = box.height;
    return static_cast<float>(RoundHalfEven(height - height * mean / 100));
}

}  // namespace tovrik
