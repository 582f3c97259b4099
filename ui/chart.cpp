#include "ui/chart.h"

#include <cmath>
#include <string>

#include "base/run_error.h"
#include "ui/number_text.h"

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
        throw RunError(RunError::Kind::Overflow, text,
                       "the accuracy " + text + " puts the chart's curve at " +
                           DoubleToText(RoundHalfEven(value), '.') + ", outside -32,768 to 32,767.");
    }
    return coordinate;
}

}  // namespace tovrik
