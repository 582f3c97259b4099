#include "ui/qt/chart_widget.h"

#include <QGuiApplication>
#include <QPainter>

namespace tovrik {

ChartWidget::ChartWidget(QWidget* parent, qreal devicePixelRatio)
    : QWidget(parent),
      image_(ChartBox{}, ChartImage::kBackground, devicePixelRatio > 0 ? devicePixelRatio : qApp->devicePixelRatio()) {
    setFixedSize(image_.image().deviceIndependentSize().toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.onChange([this] { update(); });
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_.image());
}

}  // namespace tovrik
