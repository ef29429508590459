#pragma once

#include <QImage>

#include "face/ButtonShapes.h"
#include "face/FaceProperties.h"

// The picture a button file holds: the face in the state a saved face shows, cut to the button's
// own rectangle, drawn larger for high-density screens, and cut to its shape for the file's type.
// Everything here reads only its arguments, so pictures may be made on several threads at once.
namespace compose {

// The state a saved face shows: enabled, not pressed, the mouse inside (as the preview shows it).
face::FaceState SavedFaceState();
// The state a pressed image shows: enabled, pressed, the mouse inside.
face::FaceState PressedFaceState();

// The properties of the face `p` drawn `scale` times as large: the box, the border depth, the bitmap
// and caption offsets, the font's pixel size, the caption effects' offsets and the user region
// multiplied, the background bitmap smoothly scaled. The caption is placed in the larger box by the
// same alignment rules, so it is drawn afresh at the larger size, never enlarged pixel by pixel.
face::FaceProperties ScaledFace(const face::FaceProperties& p, int scale);

// The saved picture of a face painted by the engine (in the saved state): the button's own
// rectangle, stretched to the button's size where they differ.
QImage SavedPicture(const QImage& painted, const face::FaceProperties& p);

// The picture a button file of `fileType` holds, from the face's saved picture. Outside a shape other
// than the rectangle its pixels are transparent (alpha 0) in a PNG or WebP file, whose picture then
// has an alpha channel, and take `pageColour` (the HTML pages' background) in BMP and GIF files. The
// shape is `regions` when the caller has them, otherwise made from `p`. With `smoothEdges` the pixels
// the outline crosses take the share of them the shape covers: as alpha between 0 and 255 over the
// face's colour (straight alpha) in PNG and WebP, blended with the page colour in BMP and GIF; the
// pixels wholly inside are unchanged.
QImage FilePicture(const QImage& picture, const face::FaceProperties& p, int fileType,
                   face::TColor pageColour, const face::ShapeRegions* regions, bool smoothEdges = false);

}  // namespace compose
