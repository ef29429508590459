#pragma once

#include <QString>
#include <vector>

#include "face/LumoTypes.h"

// Laying out a caption: accelerator marks, the rotated text box and the alignment on the button.
namespace face {

// One piece of caption text as it is drawn: plain, or a single underlined character.
struct CaptionPiece {
    QString text;
    bool underline = false;
};

// The caption as measured: the pieces between accelerator marks ("&" dropped, "&&" kept as one "&").
std::vector<QString> MeasuredPieces(const QString& caption);

// The caption as drawn: plain pieces and the underlined characters after single "&" marks; a "&" at
// the very end underlines a space.
std::vector<CaptionPiece> DrawnPieces(const QString& caption);

struct CaptionBox {
    int width = 0;   // bw
    int height = 0;  // bh
    int refX = 0;    // ox: the text's reference point inside the box
    int refY = 0;    // oy
};

// The box a text of tw × th takes when turned by `angle` tenths of a degree.
CaptionBox RotatedCaptionBox(int tw, int th, int angle);

// Left and top of the box on a reference area of rw × rh with the border depth d.
int CaptionBoxLeft(TLumoHAlign align, int rw, int boxWidth, int depth, int fixedLeft);
int CaptionBoxTop(TLumoVAlign align, int rh, int boxHeight, int depth, int fixedTop);

}  // namespace face
