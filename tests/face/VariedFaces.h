#pragma once

#include <QPainter>
#include <array>
#include <vector>

#include "face/FaceEngine.h"

// Two hundred faces that differ in every property the engine paints: kind, size, turn, borders,
// colours near both ends of the range, gradients, glyph bitmaps, captions with accelerator marks,
// fonts, effects, alignments and states.
namespace testsupport {

struct VariedFace {
    face::FaceProperties properties;
    face::FaceState state;
};

inline QImage GlyphStrip(int glyphs, int seed) {
    QImage strip(12 * glyphs, 9, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            strip.setPixel(x, y,
                           qRgb((x * 20 + seed) % 256, (y * 27 + seed * 3) % 256, ((x ^ y) * 13) % 256));
        }
    }
    return strip;
}

inline std::vector<VariedFace> VariedFaces(bool withNoColour = true) {
    const std::array<face::TColor, 8> colours = {0x00000000, 0x00FFFFFF, 0x00202020, 0x00E0E0E0,
                                                 0x004080C0, 0x00010203, 0x00FEFDFC, face::clBtnFace};
    const std::array<QString, 7> captions = {QStringLiteral("&File"),
                                             QStringLiteral("Save && Exit"),
                                             QStringLiteral("Ünïcødé Straße"),
                                             QString(),
                                             QStringLiteral("End&"),
                                             QStringLiteral("A long caption"),
                                             QStringLiteral("W")};
    const std::array<int, 6> angles = {0, 0, 300, -450, 900, 1800};
    std::vector<VariedFace> faces;
    for (int i = 0; i < 200; ++i) {
        VariedFace f;
        face::FaceProperties& p = f.properties;
        p.buttonKind = static_cast<face::TLumoButtonKind>(i % 14);
        p.buttonWidth = 40 + (i * 7) % 90;
        p.buttonHeight = 16 + (i * 5) % 40;
        p.buttonAngle = angles[static_cast<std::size_t>(i % 6)];
        p.buttonDepth = i % 5;
        p.button3DKind = static_cast<face::TLumo3DKind>((i / 2) % 7);
        p.peaksNumber = 3 + i % 18;
        // The rounded rectangles take the depth rule, a radius of 0 and radii beyond half a side.
        p.cornerRadius = i % 3 == 0 ? -1 : (i * 3) % 40;
        p.radiusRatio = 0.2 + (i % 7) / 10.0;
        p.arcAngle = 0.5 + (i % 9) * 0.6;
        p.buttonColor = colours[static_cast<std::size_t>(i % 8)];
        if (withNoColour && i % 31 == 5) {
            p.buttonColor = face::clNone;
        }
        p.buttonColor1 = colours[static_cast<std::size_t>((i / 8) % 8)];
        p.gradientKind = static_cast<face::TLumoGradientKind>((i / 3) % 3);
        p.gradientAngle = (i * 37) % 3600 - 1799;
        if (i % 17 == 3) {
            p.gradientBitmap = GlyphStrip(3, i);
            p.gradientBitmapLine = i % 11;
        }
        p.customDraw = i % 23 == 7;
        p.showFocusRgn = i % 13 != 0;
        if (i % 4 == 0) {
            p.mainBitmapGlyphs = 1 + (i / 4) % 4;
            p.mainBitmap = face::OwnBitmapCopy(GlyphStrip(p.mainBitmapGlyphs, i));
            p.transparent = i % 8 == 0;
            p.bitmapHAlign = static_cast<face::TLumoHAlign>((i / 4) % 4);
            p.bitmapVAlign = static_cast<face::TLumoVAlign>((i / 8) % 4);
            p.bitmapLeft = i % 9 - 2;
            p.bitmapTop = i % 7 - 1;
        }
        p.caption = captions[static_cast<std::size_t>(i % 7)];
        p.font = QFont(i % 3 == 0 ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
        p.font.setPixelSize(9 + i % 12);
        p.font.setBold(i % 5 == 1);
        p.font.setItalic(i % 7 == 2);
        p.font.setUnderline(i % 11 == 4);
        p.fontColor = colours[static_cast<std::size_t>((i + 3) % 8)];
        p.captionAngle = i % 5 == 0 ? (i * 53) % 3600 - 1799 : 0;
        p.captionFixed = i % 9 == 0;
        p.captionHAlign = static_cast<face::TLumoHAlign>((i / 3) % 4);
        p.captionVAlign = static_cast<face::TLumoVAlign>((i / 5) % 4);
        p.captionLeft = i % 13 - 3;
        p.captionTop = i % 6;
        p.caption3dKind = static_cast<face::TLumoCaption3dKind>(i % 3);
        f.state.enabled = i % 10 != 9;
        f.state.pressed = i % 6 == 1;
        f.state.mouseInside = i % 2 == 0;
        f.state.focused = i % 5 == 2;
        faces.push_back(f);
    }
    return faces;
}

}  // namespace testsupport
