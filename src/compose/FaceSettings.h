#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "face/FaceProperties.h"
#include "face/LumoTypes.h"
#include "settings/ButtonStyle.h"

// How a button type's settings become the properties of its face: the list choices as the face's
// kinds, the caption font, the size, and the whole face for a caption.
namespace compose {

// The border kind of a border style list text; anything else, an empty text included, is no border.
face::TLumo3DKind BorderStyleKind(const QString& text);
face::TLumoCaption3dKind CaptionKind(settings::CaptionEffect effect);
// The vertical alignment list: "Bottom", "Centre", "Use Fixed Vertical Offset", "Top"; no choice
// centres.
face::TLumoVAlign VerticalAlign(int mode);
// The horizontal alignment list: "Centre", "Left", "Use Fixed Horizontal Offset", "Right"; no choice
// centres.
face::TLumoHAlign HorizontalAlign(int mode);

// The button shape list: "Rectangle", "Rounded rectangle", "Ellipse", "Cut corners", "Arrow"; anything
// else is the rectangle.
face::TLumoButtonKind ShapeKind(int shape);
// The gradient fill list: "None", "Linear", "Circular"; anything else is no gradient.
face::TLumoGradientKind GradientKind(int kind);

// The caption font of a type on top of `font`: name, size (kept when the size text is not a size),
// bold, italic and underline. A size in points becomes pixels at 96 dots per inch.
QFont CaptionFont(const settings::ButtonStyle& style, QFont font);

// The size of a type's button for a caption, before the largest side a file may have: for a
// bitmap-sized button `bitmap` (the size of its background bitmap); the width and height fields; or,
// with smart sizing, the caption's width in the face font of `font` and the spacing, and the height
// field, widened for a shape other than the rectangle until the caption and the spacing lie inside
// the shape's outline. Without a background mode the size is `current`. The batch checks, the batch
// faces and the preview all size their buttons by it.
QSize FaceSize(const settings::ButtonStyle& s, const QString& caption, const QFont& font, bool smooth,
               QSize bitmap, QSize current);

// The corner radius of a type's face of `size`: the radius the settings give; without one, for a
// rounded rectangle, the larger of twice the border depth and a quarter of the smaller side (so that
// a button without a border is visibly round); otherwise -1.
int FaceCornerRadius(const settings::ButtonStyle& s, QSize size);

// Whether a caption, centred on a button of `size`, lies inside the type's shape (a rectangle holds
// every caption). Smart sizing makes every button wide enough for this; a fixed width may not be.
bool CaptionInsideShape(const settings::ButtonStyle& s, const QString& caption, const QFont& font,
                        bool smooth, QSize size);

// Turns a type's settings into its face `p` for a caption. What `p` holds already is what a setting
// that gives no value leaves as it was: the font size for a size text that is not a size, the
// bitmap when `bitmap` is null (no file read), the size without a background mode; `lastBitmapSize`
// is the size of the last bitmap a bitmap-sized button took, shared by the types, which a bitmap-sized
// button without a bitmap read keeps. An empty size field counts as 0 and is rewritten as "0" in `s`;
// answers whether one was.
bool ApplyStyle(face::FaceProperties& p, settings::ButtonStyle& s, bool smooth, const QString& caption,
                const QImage* bitmap, QSize& lastBitmapSize);

}  // namespace compose
