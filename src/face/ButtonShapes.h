#pragma once

#include <QRect>
#include <QRegion>

#include "face/LumoTypes.h"
#include "face/OutlineMaths.h"

// The outlines of the button kinds and the regions a button's shape is drawn with.
namespace face {

struct ShapeParams {
    TLumoButtonKind kind = bkRect;
    int width = 0;   // ButtonWidth
    int height = 0;  // ButtonHeight
    int depth = 0;   // ButtonDepth
    int peaks = 6;
    int cornerRadius = -1;  // bkRoundRect: pixels, or -1 for twice the depth
    double radiusRatio = 0.5;
    double arcAngle = 2.0943951023931957;
    // The user outline of bkUser (already converted from the user region) and its region's box;
    // without one the user kind falls back to the rectangle.
    const Outline* userOutline = nullptr;
    QRect userBox;
};

struct KindOutline {
    Outline outline;
    // bkArc sets the button's height from its angle; every other kind leaves it.
    int height = 0;
};

// The outline of a kind in button space, (0, 0) to (width, height), clockwise on screen.
KindOutline BuildKindOutline(const ShapeParams& p);

struct ShapeRegions {
    QRegion window;
    QRegion outline;
    QRegion innerOutline;
    QRegion focus;
    QRegion highlightBand;
    QRegion shadowBand;
    QRegion innerHighlightBand;
    QRegion innerShadowBand;
};

// The regions of an outline: insets by the depth for the inner frame and bevel, the focus outline,
// all rotated by `angle` about the button centre and moved into the bounds.
ShapeRegions BuildShapeRegions(const Outline& outline, int width, int height, int depth, TLumo3DKind kind3d,
                               int angle, int boundsWidth, int boundsHeight);

// The bounding box of a width × height button turned by `angle` (tenths of a degree).
QSize RotatedBounds(int width, int height, int angle);

}  // namespace face
