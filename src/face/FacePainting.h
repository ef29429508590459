#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>

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

// Fills the face from c1 to c2 in 3-pixel steps: parallel lines across the face at the gradient's
// angle, or concentric circles from the rim to the centre. `mode` transforms colours taken from the
// gradient bitmap: −1 darker, 1 lighter, 2 lighter twice.
void FillGradient(QPainter& painter, int width, int height, TColor c1, TColor c2, int mode,
                  const GradientSettings& g);

// The colour of gradient step k of n.
TColor GradientStepColour(TColor c1, TColor c2, int n, int k, int mode, const GradientSettings& g);

// Copies the pixels of `source` inside `sourceRect` to (x, y) on `target`, leaving out every pixel of
// the colour of the source pixel (0, 0). Positions outside either image are skipped.
void DrawTransparentBitmap(const QImage& source, const QRect& sourceRect, QImage& target, int x, int y);

}  // namespace face
