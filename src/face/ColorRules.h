#pragma once

#include <QColor>

#include "face/LumoTypes.h"

// The colour rules of the button face, applied to RGB values (system colours resolved first).
namespace face {

// Each channel + 32, or 255 from 224 on.
TColor LighterColor(TColor c);
// Each channel − 32, or 0 below 32.
TColor DarkerColor(TColor c);
// R + G + B: 360 or less is dark, 361 or more bright.
int ColorBrightness(TColor c);
inline bool IsDark(TColor c) {
    return ColorBrightness(c) <= 360;
}
// Channel by channel a + k × (b − a) / steps, truncating; c1 when steps is 0.
TColor BlendColor(TColor c1, TColor c2, int steps, int k);

// The colour as Qt paints it (system colours resolved; clNone as black).
QColor ToQColor(TColor c);
// An RGB colour value of a Qt colour.
TColor FromQColor(QColor c);

}  // namespace face
