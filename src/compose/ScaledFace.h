#pragma once

#include "face/FaceProperties.h"

// Faces for high-density screens: the same button drawn at a whole multiple of its size.
namespace compose {

// The properties of the face `p` drawn `scale` times as large: the box, the border depth, the bitmap
// and caption offsets, the font's pixel size, the caption effects' offsets and the user region
// multiplied, the background bitmap smoothly scaled. The caption is placed in the larger box by the
// same alignment rules, so it is drawn afresh at the larger size, never enlarged pixel by pixel.
face::FaceProperties ScaledFace(const face::FaceProperties& p, int scale);

// The saved picture of a face: the button's own rectangle of the face the engine paints in the
// state a saved face shows.
QImage SavedPicture(const face::FaceProperties& p);
// The same from the face already painted.
QImage SavedPicture(const QImage& painted, const face::FaceProperties& p);

}  // namespace compose
