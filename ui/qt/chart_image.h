#pragma once

#include <QColor>
#include <QImage>
#include <functional>

#include "ui/chart_painter.h"

namespace tovrik {

// A chart surface on an image, 15 twips to a pixel, that keeps what is drawn
// until cleared. The window's chart box shows one; the report writes one to a
// PNG file, pixel for pixel the same.
class ChartImage : public ChartSurface {
public:
    static QColor Colour(Rgb c) { return QColor(c.r, c.g, c.b); }
    static constexpr int kTwipsPerPixel = 15;
    static const QColor kBackground;

    // An image of `devicePixelRatio` device pixels to a pixel, so that a
    // screen that scales draws it sharp; 1 for a file.
    explicit ChartImage(ChartBox box = ChartBox{}, QColor background = kBackground, qreal devicePixelRatio = 1);

    float width() const override { return box_.width; }
    float height() const override { return box_.height; }
    void clear() override;
    void setDrawWidth(int pixels) override { drawWidth_ = pixels; }
    void line(float x1, float y1, float x2, float y2, Rgb colour) override;
    void point(float x, float y, Rgb colour) override;

    const QImage& image() const { return image_; }
    // Called after every change of the image.
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    static int Pixel(float twips);

    ChartBox box_;
    QColor background_;
    QImage image_;
    int drawWidth_ = 1;
    std::function<void()> changed_;
};

}  // namespace tovrik
