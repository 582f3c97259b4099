#include "ui/chart_painter.h"

namespace tovrik {
namespace {

constexpr Rgb kGuide{0, 0, 130};
constexpr Rgb kCurve{255, 0, 0};
constexpr Rgb kMark{255, 255, 255};
constexpr Rgb kMean{0, 100, 0};

}  // namespace

ChartBox BoxOf(const ChartSurface& surface) { return ChartBox{surface.width(), surface.height()}; }

void PaintGrid(ChartSurface& surface) {
    float width = surface.width();
    float height = surface.height();
    surface.setDrawWidth(1);
    surface.line(0, height / 2, width, height / 2, kGuide);
    surface.line(0, height / 4, width, height / 4, kGuide);
    surface.line(0, height / 4 * 3, width, height / 4 * 3, kGuide);
}

void PaintCurve(ChartSurface& surface, const Tally& tally) {
    const std::vector<CollectedAccuracy>& points = tally.points();
    const auto last = static_cast<std::int32_t>(points.size()) - 1;
    const std::int32_t segments = tally.stop() ? tally.stop()->segments : last;
    for (std::int32_t j = 0; j < segments; ++j) {
        Segment s = CurveSegment(BoxOf(surface), points[static_cast<std::size_t>(j)].value,
                                 points[static_cast<std::size_t>(j) + 1].value, last, j);
        surface.setDrawWidth(1);
        surface.line(s.x1, s.y1, s.x2, s.y2, kCurve);
        surface.point(s.x1, s.y1, kMark);
    }
    if (tally.stop() || points.empty()) return;
    float y = MeanLineY(BoxOf(surface), tally.figures().mean);
    surface.line(0, y, surface.width(), y, kMean);
}

}  // namespace tovrik
