#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "ui/breakdown.h"

namespace tovrik {

// The breakdown's groups over time: each dated group's mean accuracy (or a
// career's damage per game) as a point on a time axis with dated ticks, in the main chart's colours; the
// trend over the last groups in a colour of its own; the whole period's mean
// as a line; a title and a legend above. Hovering a point names its group.
class TimeChart : public QWidget {
    Q_OBJECT
public:
    explicit TimeChart(QWidget* parent = nullptr);

    // Shows the dated rows of `breakdown`; none for a grouping by map or weapon.
    void show(const Breakdown& breakdown, const std::optional<Grouping>& grouping, char sep);
    // What the chart shows, in words, over its top left.
    void setTitle(const QString& title);
    const QString& title() const { return title_; }
    // The points shown, in time order.
    const std::vector<TimePoint>& points() const { return points_; }
    // Where a point is drawn, and the text a hover at `pixel` shows: empty
    // away from every point.
    QPointF place(int day, double accuracy) const;
    QString textAt(const QPoint& pixel) const;
    // The chart as a picture of its size.
    QImage image();

    QSize sizeHint() const override { return QSize(640, 220); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRectF plot() const;
    // The guides and their percentages, the ticks and their dates.
    void paintAxes(QPainter& painter);
    qreal paintLegend(QPainter& painter);  // returns where it begins

    std::vector<TimePoint> points_;
    std::vector<QString> texts_;  // of each point
    QString title_;
    Grouping unit_ = Grouping::Day;
    double mean_ = 0;
    bool hasMean_ = false;
    double top_ = 100;  // the accuracy (the damage per game) at the plot's top
    double step_ = 10;  // between two guides
    bool career_ = false;
    int first_ = 0, last_ = 0;
};

}  // namespace tovrik
