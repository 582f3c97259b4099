#include "ui/chart.h"

#include <cmath>

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

}  // namespace tovrik
