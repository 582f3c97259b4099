#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace tovrik {

// The chart box: keeps what is drawn on it until cleared. Drawing goes into a
// backing pixmap in twips (15 to a pixel); painting only shows the pixmap, so
// what was drawn before the window was shown appears once it is.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTwipsPerPixel = 15;

    ChartWidget(int widthTwips, int heightTwips, QColor background, QWidget* parent = nullptr);

    float widthTwips() const { return widthTwips_; }
    float heightTwips() const { return heightTwips_; }
    void cls();
    void setDrawWidth(int pixels) { drawWidth_ = pixels; }
    void line(float x1, float y1, float x2, float y2, QColor colour);
    void pset(float x, float y, QColor colour);
    const QPixmap& pixmap() const { return pixmap_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static int Pixel(float twips);

    int widthTwips_, heightTwips_;
    QColor background_;
    QPixmap pixmap_;
    int drawWidth_ = 1;
};

}  // namespace tovrik
