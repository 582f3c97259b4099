#pragma once

#include <QWidget>

#include "ui/qt/chart_image.h"

namespace tovrik {

// The chart box: shows its image, which keeps what is drawn until cleared, so
// that what was drawn before the window was shown appears once it is.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    // The image follows the screen's device-pixel ratio (`devicePixelRatio`
    // when given).
    explicit ChartWidget(QWidget* parent = nullptr, qreal devicePixelRatio = 0);

    // What the chart is painted on; each change repaints the box.
    ChartSurface& surface() { return image_; }
    const QImage& image() const { return image_.image(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartImage image_;
};

}  // namespace tovrik
