#pragma once

#include <cstdint>

// The enumerations and colour values of the button component.
namespace face {

enum TLumoButtonKind {
    bkRect,
    bkRoundRect,
    bkElliptic,
    bkPoly,
    bkPolyStar,
    bkArc,
    bkDonut,
    bkUser,
    bkArrow,
    bkArrow1,
    bkArrow2,
    bkCross,
    bkCutRect,
    bkCross1
};
enum TLumo3DKind { dk3D, dkFlatten, dk3dsimple, dkFlattenSimple, dk3dBorder, dk3dBorderFlatten, dkNone };
enum TLumoGradientKind { gkNone, gkLinear, gkCircular };
enum TLumoCaption3dKind { ckSimple, ckEmbossed, ckPressed };
enum TLumoHAlign { haLeft, haCenter, haRight, haNone };
enum TLumoVAlign { vaTop, vaCenter, vaBottom, vaNone };

// Colours: 0x00BBGGRR, or 0x80000000 + index for a system colour, or clNone.
using TColor = std::uint32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;

// The RGB value of a colour; system colours resolve to the desktop's standard scheme. clNone has no
// RGB value and is returned unchanged.
TColor ColorToRGB(TColor colour);

}  // namespace face
