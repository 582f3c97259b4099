#include "ui/qt/chart_widget.h"

#include <QPainter>

namespace tovrik {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setFixedSize(image_.image().size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.onChange([this] { update(); });
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_.image());
}

}  // namespace tovrik
