#include "ui/qt/chart_image.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tovrik {
namespace {

int Pixels(float twips) {
    return (static_cast<int>(twips) + ChartImage::kTwipsPerPixel - 1) / ChartImage::kTwipsPerPixel;
}

}  // namespace

const QColor ChartImage::kBackground(0, 0, 64);

ChartImage::ChartImage(ChartBox box, QColor background, qreal devicePixelRatio)
    : box_(box),
      background_(background),
      image_(static_cast<int>(Pixels(box.width) * devicePixelRatio),
             static_cast<int>(Pixels(box.height) * devicePixelRatio), QImage::Format_RGB32) {
    image_.setDevicePixelRatio(devicePixelRatio);
    image_.fill(background_);
}

int ChartImage::Pixel(float twips) {
    // Far-off points are clipped anyway; keep them inside what QPainter takes.
    double pixel = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
    return static_cast<int>(std::max(-1e6, std::min(1e6, pixel)));
}

void ChartImage::clear() {
    image_.fill(background_);
    if (changed_) changed_();
}

void ChartImage::line(float x1, float y1, float x2, float y2, Rgb colour) {
    QPainter painter(&image_);
    painter.setPen(QPen(Colour(colour), drawWidth_ <= 1 ? 0 : drawWidth_));  // 0: a one-pixel cosmetic pen
    painter.drawLine(Pixel(x1), Pixel(y1), Pixel(x2), Pixel(y2));
    painter.end();
    if (changed_) changed_();
}

void ChartImage::point(float x, float y, Rgb colour) {
    QPainter painter(&image_);
    painter.setPen(QPen(Colour(colour), 0));
    painter.drawPoint(Pixel(x), Pixel(y));
    painter.end();
    if (changed_) changed_();
}

}  // namespace tovrik
