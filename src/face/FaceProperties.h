#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>
#include <optional>

#include "face/LumoTypes.h"

// Everything that decides a button face's pixels, as plain values: the properties a button is given
// and the state it shows. A face is a function of these alone.
namespace face {

inline constexpr double kDefaultArcAngle = 2.0943951023931957;  // 2π/3
inline constexpr double kMaxArcAngle = 6.283185307179586;       // 2π

struct FaceProperties {
    // Size, turn and shape.
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonAngle = 0;  // tenths of a degree
    TLumoButtonKind buttonKind = bkRect;
    int peaksNumber = 6;
    // The corner radius of bkRoundRect in pixels, at most half the button's smaller side; -1 for the
    // component's own rule, twice the border depth.
    int cornerRadius = -1;
    double radiusRatio = 0.5;
    double arcAngle = kDefaultArcAngle;
    // The user kind's region and whether its outline is bevelled (false: the region as it is, no
    // borders).
    std::optional<QRegion> userRegion;
    bool userRgnAuto = true;

    // Background and borders.
    TColor buttonColor = clBtnFace;
    TColor buttonColor1 = clBtnShadow;
    TLumo3DKind button3DKind = dk3D;
    int buttonDepth = 2;
    TLumoGradientKind gradientKind = gkNone;
    int gradientAngle = 450;
    QImage gradientBitmap;
    int gradientBitmapLine = 0;
    bool customDraw = false;
    bool showFocusRgn = true;

    // The main bitmap: the face's own 24-bit copy (OwnBitmapCopy), its glyphs and its place.
    QImage mainBitmap;
    int mainBitmapGlyphs = 1;
    bool transparent = false;
    int bitmapTop = 5;
    int bitmapLeft = 5;
    TLumoHAlign bitmapHAlign = haLeft;
    TLumoVAlign bitmapVAlign = vaTop;

    // The caption.
    QString caption;
    QFont font;
    TColor fontColor = 0x80000008;  // the system's window text colour
    int captionTop = 5;
    int captionLeft = 5;
    int captionAngle = 0;
    TLumoHAlign captionHAlign = haCenter;
    TLumoVAlign captionVAlign = vaCenter;
    bool captionFixed = false;
    TLumoCaption3dKind caption3dKind = ckSimple;
    // Caption edges drawn with anti-aliasing (shades of the caption colour over the face) instead of
    // hard pixels.
    bool smoothCaption = false;
    // The pixel offset of the embossed and pressed caption passes and of a pressed face's caption
    // and bitmap glyph: 1, or 2 on a face drawn at twice the size.
    int captionEffectOffset = 1;
};

// The state a face shows.
struct FaceState {
    bool enabled = true;
    bool pressed = false;
    bool mouseInside = false;
    bool focused = false;
};

}  // namespace face
