#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>

#include "face/ButtonShapes.h"
#include "face/FaceProperties.h"

// The face engine: paints a button face from its properties and state into an image. Every function
// here reads only its arguments, so faces may be painted on several threads at once.
namespace face {

// The font a caption is drawn and measured in: the given font in whole pixels, without kerning;
// unsmoothed unless `smooth` asks for anti-aliased edges.
QFont FaceFontOf(const QFont& font, bool smooth = false);

// A face's own 24-bit copy of a bitmap: the picture drawn at (0, 0) onto black; nothing for a
// picture without rows.
QImage OwnBitmapCopy(const QImage& source);

// Where a glyph of glyphWidth × bitmapHeight goes on a w × h face under the bitmap alignment.
QPoint BitmapPlace(const FaceProperties& p, int glyphWidth, int bitmapHeight, int w, int h);

// The regions of the face's shape (bevel bands, frames, focus outline) turned into `bounds`. The user
// kind without bevel has none; an arc is as high as its angle makes it.
ShapeRegions FaceShapeRegions(const FaceProperties& p, QSize bounds);

// Paints the face onto `face`, which the caller sizes to the bounds (at least 1 × 1). The background
// fills every pixel unless the button colour is clNone and there is no gradient: then what `face`
// held shows through. `window` is the room the caption is aligned in.
void PaintFace(QImage& face, const FaceProperties& p, const FaceState& state, const ShapeRegions& regions,
               QSize bounds, QSize window);

// The whole face in one call: a black image of the rotated bounds (at least 1 × 1), its shape's
// regions and the face painted on it, the caption aligned in the bounds.
QImage RenderFace(const FaceProperties& p, const FaceState& state);

// The two halves of RenderFace, for faces that share a shape (a batch's faces differ in their caption
// and, sized to it, their width): the properties as RenderFace paints them (an arc decides its own
// height) with the bounds and regions of their shape, which depend on neither the caption nor the
// state; then the face painted with them, the same pixels as RenderFace.
struct ShapedFace {
    FaceProperties properties;
    QSize bounds;
};
ShapedFace ShapeOf(const FaceProperties& p);
QImage RenderShapedFace(const ShapedFace& shaped, const ShapeRegions& regions, const FaceState& state);

// How much of each pixel of an unturned face of `size` its shape covers, 0 to 255, as the alpha of
// an ARGB32 image: the outline drawn with smooth edges. The window region of the shape holds the
// pixels whose centres lie inside the same outline.
QImage FaceShapeCoverage(const FaceProperties& p, QSize size);

}  // namespace face
