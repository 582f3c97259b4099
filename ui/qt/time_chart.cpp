#include "ui/qt/time_chart.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>
#include <cmath>

#include "ui/figure_text.h"
#include "ui/qt/chart_image.h"
#include "ui/qt/latin1_text.h"

namespace tovrik {
namespace {

// The main chart's colours, and the ticks' texts.
const QColor kGuideColour = ChartImage::Colour(kGuideRgb), kCurveColour = ChartImage::Colour(kCurveRgb),
             kMarkColour = ChartImage::Colour(kMarkRgb), kMeanColour = ChartImage::Colour(kMeanRgb),
             kTick(200, 200, 220), kTrendColour(255, 200, 0);
constexpr int kReach = 6;  // pixels from a point where a hover names it

// What a hover over the point of the breakdown's row `row` tells.
QString PointText(const Breakdown& breakdown, std::size_t row, char sep) {
    if (breakdown.career) {
        const CareerRow& group = breakdown.careerRows[row];
        auto cell = [&](const char* key) { return Latin1Text(CellText(CareerNamed(key), group.figures, sep)); };
        return Latin1Text(group.label) +
               QString(": damage per game %1 over %2 games\ngiven %3, received %4")
                   .arg(cell("damage_per_game"), cell("games"), cell("damage_given"), cell("damage_received"));
    }
    const ViewRow& group = breakdown.rows[row];
    auto cell = [&](const char* key) { return Latin1Text(CellText(FigureNamed(key), group.figures, sep)); };
    return Latin1Text(group.label) + QString(": mean %1 over %2 games\nlowest %3, highest %4, hits %5")
                                         .arg(cell("mean_accuracy"), cell("games"), cell("lowest_accuracy"),
                                              cell("highest_accuracy"), cell("hit_percent"));
}

// Guides at round values, five or so: percentages every 10 or 20, damage
// every 1, 2 or 5 times a power of ten.
double GuideStep(double highest, bool damage) {
    if (!damage) return highest > 50 ? 20 : 10;
    double step = 1;
    while (highest / step > 5) step *= std::to_string(static_cast<long long>(step))[0] == '2' ? 2.5 : 2;
    return step;
}

}  // namespace

TimeChart::TimeChart(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(160);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimeChart::show(const Breakdown& breakdown, const std::optional<Grouping>& grouping, char sep) {
    points_ = TimePoints(breakdown, grouping);
    texts_.clear();
    career_ = breakdown.career;
    double highest = 0;
    for (const TimePoint& point : points_) {
        texts_.push_back(PointText(breakdown, point.row, sep));
        highest = std::max(highest, point.accuracy);
    }
    step_ = GuideStep(highest, career_);
    top_ = std::max(step_, std::ceil(highest / step_) * step_);
    const std::optional<double> mean = career_ ? CareerNamed("damage_per_game").read(breakdown.careerTotal.figures).number
                                               : FigureNamed("mean_accuracy").read(breakdown.total.figures).number;
    hasMean_ = !points_.empty() && mean.has_value();
    mean_ = mean.value_or(0);
    unit_ = grouping.value_or(Grouping::Day);
    // Room of half a period before the first group and after the last.
    first_ = points_.empty() ? 0 : points_.front().day - HalfPeriodDays(unit_);
    last_ = points_.empty() ? 1 : points_.back().day + HalfPeriodDays(unit_);
    update();
}

void TimeChart::setTitle(const QString& title) {
    title_ = title;
    update();
}

QRectF TimeChart::plot() const { return QRectF(44, 26, std::max(width() - 92, 10), std::max(height() - 50, 10)); }

QPointF TimeChart::place(int day, double accuracy) const {
    QRectF p = plot();
    double x = p.left() + p.width() * (day - first_) / std::max(1, last_ - first_);
    return QPointF(x, p.bottom() - p.height() * accuracy / top_);
}

void TimeChart::paintAxes(QPainter& painter) {
    QRectF p = plot();
    // Guides every 10 or 20 percent, labelled at the left.
    for (double value = 0; value <= top_; value += step_) {
        QPointF at = place(first_, value);
        painter.setPen(kGuideColour);
        painter.drawLine(QPointF(p.left(), at.y()), QPointF(p.right(), at.y()));
        painter.setPen(kTick);
        painter.drawText(QRectF(0, at.y() - 8, p.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value) + (career_ ? "" : "%"));
    }
    int room = std::max(1, static_cast<int>(p.width()) / 90);  // a tick text is about 70 pixels wide
    for (const TimeTick& tick : TimeTicks(first_, last_, room, unit_)) {
        QPointF at = place(tick.day, 0);
        painter.setPen(kGuideColour);
        painter.drawLine(QPointF(at.x(), p.top()), QPointF(at.x(), p.bottom() + 4));
        painter.setPen(kTick);
        painter.drawText(QRectF(at.x() - 45, p.bottom() + 5, 90, 16), Qt::AlignHCenter | Qt::AlignTop,
                         Latin1Text(tick.text));
    }
}

qreal TimeChart::paintLegend(QPainter& painter) {
    // From the right: each line's colour and what it is.
    const QString unit = Groupings()[static_cast<std::size_t>(unit_)].word;
    const std::pair<QColor, QString> lines[] = {{kMeanColour, "whole period"},
                                                {kTrendColour, QString("last %1 %2s").arg(kTrendGroups).arg(unit)},
                                                {kCurveColour, "each " + unit}};
    qreal right = width() - 6;
    for (const auto& [colour, text] : lines) {
        const qreal wide = painter.fontMetrics().horizontalAdvance(text);
        painter.setPen(kTick);
        painter.drawText(QRectF(right - wide, 4, wide, 16), Qt::AlignRight | Qt::AlignVCenter, text);
        painter.setPen(QPen(colour, 2));
        painter.drawLine(QPointF(right - wide - 20, 12), QPointF(right - wide - 6, 12));
        right -= wide + 34;
    }
    return right + 14;
}

void TimeChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ChartImage::kBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF p = plot();
    // The title, cut where the legend begins.
    const qreal legend = points_.empty() ? width() : paintLegend(painter);
    painter.setPen(kTick);
    const int room = std::max(0, static_cast<int>(legend) - 16);
    painter.drawText(QRectF(8, 4, room, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(title_, Qt::ElideRight, room));
    if (points_.empty()) {
        painter.drawText(rect(), Qt::AlignCenter,
                         career_ ? "No dated group with damage to draw." : "No dated group with an accuracy to draw.");
        return;
    }
    paintAxes(painter);
    if (hasMean_) {
        painter.setPen(QPen(kMeanColour, 1));
        painter.drawLine(place(first_, mean_), place(last_, mean_));
    }
    painter.setPen(QPen(kTrendColour, 2));
    for (std::size_t i = 1; i < points_.size(); ++i)
        painter.drawLine(place(points_[i - 1].day, points_[i - 1].trend), place(points_[i].day, points_[i].trend));
    // Marks only where they stand apart; a dense curve is a line.
    bool sparse = p.width() / static_cast<double>(points_.size()) >= 8;
    painter.setPen(QPen(kCurveColour, sparse ? 2 : 1));
    for (std::size_t i = 1; i < points_.size(); ++i)
        painter.drawLine(place(points_[i - 1].day, points_[i - 1].accuracy),
                         place(points_[i].day, points_[i].accuracy));
    if (!sparse) return;
    painter.setPen(kCurveColour);
    painter.setBrush(kMarkColour);
    for (const TimePoint& point : points_) painter.drawEllipse(place(point.day, point.accuracy), 3, 3);
}

QString TimeChart::textAt(const QPoint& pixel) const {
    const QString* nearest = nullptr;
    double best = kReach * kReach;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        QPointF d = place(points_[i].day, points_[i].accuracy) - QPointF(pixel);
        if (QPointF::dotProduct(d, d) <= best) best = QPointF::dotProduct(d, d), nearest = &texts_[i];
    }
    return nearest != nullptr ? *nearest : QString();
}

bool TimeChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    QString text = textAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
}

QImage TimeChart::image() { return grab().toImage(); }

}  // namespace tovrik
