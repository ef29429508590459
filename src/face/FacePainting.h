#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <vector>

#include "face/LumoTypes.h"

// Drawing steps of the button face on its off-screen image.
namespace face {

// Fills every pixel of the region.
void FillRegion(QImage& face, const QRegion& region, const QColor& colour);

// Frames the region with a 1 × 1 pixel frame along the inside of its border: the pixels of the region
// with a horizontal or vertical neighbour outside it.
void FrameRegion(QImage& face, const QRegion& region, const QColor& colour);
QRegion FrameOf(const QRegion& region);

struct GradientSettings {
    TLumoGradientKind kind = gkNone;
    int angle = 450;                 // GradientAngle, tenths of a degree
    const QImage* bitmap = nullptr;  // GradientBitmap: its row supplies the colours when it has any width
    int bitmapLine = 0;
};

// The bands of a gradient fill of a width × height face, numbered from 0 (the colour c1) to Last()
// (c2), each three pixels across: strips at the gradient's angle (tenths of a degree), band 0 at the
// corner the fill starts from, or rings from the centre (band 0) to the rim. Every pixel lies in one
// band; pixels off the face lie in the band nearest them.
class GradientBands {
  public:
    GradientBands(TLumoGradientKind kind, int angle, int width, int height);

    int Last() const { return last_; }
    // The band of the pixel (x, y).
    int At(int x, int y) const;

  private:
    // A linear band's line, from the pixel (x, y) in the direction (ux, uy).
    struct BandLine {
        int x = 0;
        int y = 0;
        double ux = 0;
        double uy = 0;
        double length = 0;
    };

    TLumoGradientKind kind_;
    int width_;
    int height_;
    int last_ = 0;
    long double s_ = 0;
    long double o_ = 0;
    long double a_ = 0;
    long double b_ = 0;
    std::vector<BandLine> lines_;
};

// Fills every pixel of the painter's image inside its clip from c1 to c2 with the colour of the
// gradient band it lies in (GradientBands). `mode` transforms colours taken from the gradient bitmap:
// −1 darker, 1 lighter, 2 lighter twice.
void FillGradient(QPainter& painter, int width, int height, TColor c1, TColor c2, int mode,
                  const GradientSettings& g);

// The colour of gradient step k of n.
TColor GradientStepColour(TColor c1, TColor c2, int n, int k, int mode, const GradientSettings& g);

// Copies the pixels of `source` inside `sourceRect` to (x, y) on `target`, leaving out every pixel of
// the colour of the source pixel (0, 0). Positions outside either image are skipped.
void DrawTransparentBitmap(const QImage& source, const QRect& sourceRect, QImage& target, int x, int y);

}  // namespace face
