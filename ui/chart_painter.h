#pragma once

#include "engine/chart_geometry.h"
#include "engine/tally.h"

namespace tovrik {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The chart's colours: the guide lines, the curve, the mark at each point's
// start, the mean line.
constexpr Rgb kGuideRgb{0, 0, 130};
constexpr Rgb kCurveRgb{255, 0, 0};
constexpr Rgb kMarkRgb{255, 255, 255};
constexpr Rgb kMeanRgb{0, 100, 0};

// What the chart is painted on, in twips from its top-left corner: the
// window's chart box, or an image for a file. What is drawn stays until cleared.
class ChartSurface {
public:
    virtual ~ChartSurface() = default;
    virtual float width() const = 0;  // outer size, in twips
    virtual float height() const = 0;
    virtual void clear() = 0;
    virtual void setDrawWidth(int pixels) = 0;
    virtual void line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
    virtual void point(float x, float y, Rgb colour) = 0;
};

// The surface's size as the chart's geometry takes it.
ChartBox BoxOf(const ChartSurface& surface);

// The three guide lines at a quarter, a half and three quarters of the height.
void PaintGrid(ChartSurface& surface);

// The curve of the tally's collected accuracies (a tally that keeps its
// points), each segment with a mark at its start, as far as the run drew it before a stop; then, for a run that
// completed with an accuracy collected, the mean line.
void PaintCurve(ChartSurface& surface, const Tally& tally);

}  // namespace tovrik
