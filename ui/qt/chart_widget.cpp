#include "ui/qt/chart_widget.h"

#include <QPainter>

namespace tovrik {

ChartWidget::ChartWidget(int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent), canvas_(widthTwips, heightTwips) {
    setFixedSize(canvas_.image().size());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::cls() {
    canvas_.cls();
    update();
}

void ChartWidget::line(float x1, float y1, float x2, float y2, QColor colour) {
    canvas_.line(x1, y1, x2, y2, colour);
    update();
}

void ChartWidget::pset(float x, float y, QColor colour) {
    canvas_.pset(x, y, colour);
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_.image());
}

}  // namespace tovrik
