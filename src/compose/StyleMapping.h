#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <optional>

#include "face/LumoTypes.h"
#include "settings/ButtonStyle.h"

// How the choices of a button type's settings become the button component's kinds.
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

// Reads a background bitmap; a file that is not a picture throws with the message the status bar
// shows.
QImage LoadBitmapFile(const QString& path);
QString BitmapUnreadableMessage(const QString& path);

}  // namespace compose
