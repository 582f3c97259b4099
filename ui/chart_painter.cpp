#include "ui/chart_painter.h"

namespace tovrik {

ChartBox BoxOf(const ChartSurface& surface) { return ChartBox{surface.width(), surface.height()}; }

void PaintGrid(ChartSurface& surface) {
    float width = surface.width();
    float height = surface.height();
    surface.setDrawWidth(1);
    surface.line(0, height / 2, width, height / 2, kGuideRgb);
    surface.line(0, height / 4, width, height / 4, kGuideRgb);
    surface.line(0, height / 4 * 3, width, height / 4 * 3, kGuideRgb);
}

void PaintCurve(ChartSurface& surface, const Tally& tally) {
    const std::vector<CollectedAccuracy>& points = tally.points();
    const auto last = static_cast<std::int32_t>(points.size()) - 1;
    const std::int32_t segments = tally.stop() ? tally.stop()->segments : last;
    for (std::int32_t j = 0; j < segments; ++j) {
        Segment s = CurveSegment(BoxOf(surface), points[static_cast<std::size_t>(j)].value,
                                 points[static_cast<std::size_t>(j) + 1].value, last, j);
        surface.setDrawWidth(1);
        surface.line(s.x1, s.y1, s.x2, s.y2, kCurveRgb);
        surface.point(s.x1, s.y1, kMarkRgb);
    }
    if (tally.stop() || points.empty()) return;
    float y = MeanLineY(BoxOf(surface), tally.figures().mean);
    surface.line(0, y, surface.width(), y, kMeanRgb);
}

}  // namespace tovrik
