#include "ui/qt/chart_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tovrik {

const QColor ChartCanvas::kBackground(0, 0, 64);

ChartCanvas::ChartCanvas(int widthTwips, int heightTwips, QColor background)
    : widthTwips_(widthTwips),
      heightTwips_(heightTwips),
      background_(background),
      image_((widthTwips + kTwipsPerPixel - 1) / kTwipsPerPixel, (heightTwips + kTwipsPerPixel - 1) / kTwipsPerPixel,
             QImage::Format_RGB32) {
    image_.fill(background_);
}

int ChartCanvas::Pixel(float twips) {
    // Far-off points are clipped anyway; keep them inside what QPainter takes.
    double pixel = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
    return static_cast<int>(std::max(-1e6, std::min(1e6, pixel)));
}

void ChartCanvas::cls() { image_.fill(background_); }

void ChartCanvas::line(float x1, float y1, float x2, float y2, QColor colour) {
    QPainter painter(&image_);
    painter.setPen(QPen(colour, drawWidth_ <= 1 ? 0 : drawWidth_));  // 0: a one-pixel cosmetic pen
    painter.drawLine(Pixel(x1), Pixel(y1), Pixel(x2), Pixel(y2));
}

void ChartCanvas::pset(float x, float y, QColor colour) {
    QPainter painter(&image_);
    painter.setPen(QPen(colour, 0));
    painter.drawPoint(Pixel(x), Pixel(y));
}

void CanvasControls::Picture1_Cls() {
    RecordingControls::Picture1_Cls();
    canvas_.cls();
}

void CanvasControls::Picture1_SetDrawWidth(int pixels) {
    RecordingControls::Picture1_SetDrawWidth(pixels);
    canvas_.setDrawWidth(pixels);
}

void CanvasControls::Picture1_Line(float x1, float y1, float x2, float y2, Rgb c) {
    RecordingControls::Picture1_Line(x1, y1, x2, y2, c);
    canvas_.line(x1, y1, x2, y2, QColor(c.r, c.g, c.b));
}

void CanvasControls::Picture1_PSet(float x, float y, Rgb c) {
    RecordingControls::Picture1_PSet(x, y, c);
    canvas_.pset(x, y, QColor(c.r, c.g, c.b));
}

}  // namespace tovrik
