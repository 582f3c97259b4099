#pragma once

#include <QColor>
#include <QImage>

#include "ui/recording_controls.h"

namespace tovrik {

// What the chart box draws on: an image in twips (15 to a pixel) that keeps
// what is drawn until cleared. The window's chart box shows one; the report
// writes one to a PNG file, pixel for pixel the same.
class ChartCanvas {
public:
    static constexpr int kTwipsPerPixel = 15;
    static const QColor kBackground;

    ChartCanvas(int widthTwips, int heightTwips, QColor background = kBackground);

    float widthTwips() const { return static_cast<float>(widthTwips_); }
    float heightTwips() const { return static_cast<float>(heightTwips_); }
    void cls();
    void setDrawWidth(int pixels) { drawWidth_ = pixels; }
    void line(float x1, float y1, float x2, float y2, QColor colour);
    void pset(float x, float y, QColor colour);
    const QImage& image() const { return image_; }

private:
    static int Pixel(float twips);

    int widthTwips_, heightTwips_;
    QColor background_;
    QImage image_;
    int drawWidth_ = 1;
};

// A window without a screen whose chart box draws on a canvas: the report's
// way to the window's chart.
class CanvasControls : public RecordingControls {
public:
    CanvasControls() : canvas_(static_cast<int>(kChartWidth), static_cast<int>(kChartHeight)) {}
    const ChartCanvas& canvas() const { return canvas_; }

    void Picture1_Cls() override;
    void Picture1_SetDrawWidth(int pixels) override;
    void Picture1_Line(float x1, float y1, float x2, float y2, Rgb colour) override;
    void Picture1_PSet(float x, float y, Rgb colour) override;

private:
    ChartCanvas canvas_;
};

}  // namespace tovrik
