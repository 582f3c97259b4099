// The report's chart as PNG bytes, in a module of its own: the report loads
// it, and Qt Gui with it, only when a chart is asked for, so that every other
// view starts without them.
#include <QBuffer>
#include <QByteArray>
#include <string>

#include "ui/chart_painter.h"
#include "ui/qt/chart_image.h"

// The chart as the window's chart box shows it after the same run; false when
// the image could not be made.
extern "C" __attribute__((visibility("default"))) bool tovrik_chart_png(const tovrik::Tally* tally, std::string* png) {
    tovrik::ChartImage chart;
    tovrik::PaintGrid(chart);
    tovrik::PaintCurve(chart, *tally);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chart.image().save(&buffer, "PNG")) return false;
    png->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}
