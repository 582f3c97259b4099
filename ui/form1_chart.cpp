#include <string>

#include "ui/chart.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

constexpr Rgb kGuide{0, 0, 130};
constexpr Rgb kCurve{255, 0, 0};
constexpr Rgb kMark{255, 255, 255};
constexpr Rgb kMean{0, 100, 0};

}  // namespace

void Form1::DrawGrid() {
    float width = controls_.Picture1_Width();
    float height = controls_.Picture1_Height();
    controls_.Picture1_SetDrawWidth(1);
    controls_.Picture1_Line(0, height / 2, width, height / 2, kGuide);
    controls_.Picture1_Line(0, height / 4, width, height / 4, kGuide);
    controls_.Picture1_Line(0, height / 4 * 3, width, height / 4 * 3, kGuide);
}

void Form1::DrawAccuracySegment(float prev, float cur, std::int32_t n, std::int32_t j) {
    float width = controls_.Picture1_Width();
    float height = controls_.Picture1_Height();
    std::int16_t x1 = CurveCoordinate(ChartX(width, n, j), prev);
    std::int16_t y1 = CurveCoordinate(ChartY(height, prev), prev);
    std::int16_t x2 = CurveCoordinate(ChartX(width, n, j + 1), cur);
    std::int16_t y2 = CurveCoordinate(ChartY(height, cur), cur);
    controls_.Picture1_SetDrawWidth(1);
    controls_.Picture1_Line(x1, y1, x2, y2, kCurve);
    controls_.Picture1_PSet(x1, y1, kMark);
}

void Form1::DrawMeanLine(double mean) {
    float width = controls_.Picture1_Width();
    double height = controls_.Picture1_Height();
    auto y = static_cast<float>(RoundHalfEven(height - height * mean / 100));
    controls_.Picture1_Line(0, y, width, y, kMean);
}

}  // namespace tovrik
