#include "ui/qt/chart_widget.h"

#include <QPainter>
#include <cmath>

namespace tovrik {

ChartWidget::ChartWidget(int widthTwips, int heightTwips, QColor background, QWidget* parent)
    : QWidget(parent),
      widthTwips_(widthTwips),
      heightTwips_(heightTwips),
      background_(background),
      pixmap_((widthTwips + kTwipsPerPixel - 1) / kTwipsPerPixel, (heightTwips + kTwipsPerPixel - 1) / kTwipsPerPixel) {
    setFixedSize(pixmap_.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    pixmap_.fill(background_);
}

int ChartWidget::Pixel(float twips) {
    // Far-off points are clipped anyway; keep them inside what QPainter takes.
    double pixel = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
    return static_cast<int>(std::max(-1e6, std::min(1e6, pixel)));
}

void ChartWidget::cls() {
    pixmap_.fill(background_);
    update();
}

void ChartWidget::line(float x1, float y1, float x2, float y2, QColor colour) {
    QPainter painter(&pixmap_);
    painter.setPen(QPen(colour, drawWidth_ <= 1 ? 0 : drawWidth_));  // 0: a one-pixel cosmetic pen
    painter.drawLine(Pixel(x1), Pixel(y1), Pixel(x2), Pixel(y2));
    update();
}

void ChartWidget::pset(float x, float y, QColor colour) {
    QPainter painter(&pixmap_);
    painter.setPen(QPen(colour, 0));
    painter.drawPoint(Pixel(x), Pixel(y));
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

}  // namespace tovrik
