#pragma once

#include <QWidget>

#include "ui/qt/chart_canvas.h"

namespace tovrik {

// The chart box: shows its canvas, which keeps what is drawn until cleared, so
// that what was drawn before the window was shown appears once it is.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTwipsPerPixel = ChartCanvas::kTwipsPerPixel;

    ChartWidget(int widthTwips, int heightTwips, QWidget* parent = nullptr);

    float widthTwips() const { return canvas_.widthTwips(); }
    float heightTwips() const { return canvas_.heightTwips(); }
    void cls();
    void setDrawWidth(int pixels) { canvas_.setDrawWidth(pixels); }
    void line(float x1, float y1, float x2, float y2, QColor colour);
    void pset(float x, float y, QColor colour);
    const QImage& image() const { return canvas_.image(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartCanvas canvas_;
};

}  // namespace tovrik
