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
    const std::vector<CurvePoint>& curve = tally.curve();
    for (std::size_t j = 0; j + 1 < curve.size(); ++j) {
        surface.setDrawWidth(1);
        surface.line(curve[j].x, curve[j].y, curve[j + 1].x, curve[j + 1].y, kCurveRgb);
        surface.point(curve[j].x, curve[j].y, kMarkRgb);
    }
    if (tally.stop() || tally.figures().collected == 0) return;
    float y = MeanLineY(BoxOf(surface), tally.figures().mean);
    surface.line(0, y, surface.width(), y, kMeanRgb);
}

}  // namespace tovrik
