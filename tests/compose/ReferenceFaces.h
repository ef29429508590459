#pragma once

#include <QImage>
#include <QString>

#include "compose/ButtonComposer.h"
#include "compose/FilePicture.h"
#include "face/FaceEngine.h"
#include "settings/AppSettings.h"
#include "settings/ColourString.h"

// The settings behind the reference faces in tests/compose/faces: for each background mode a type 1
// and a type 2 that differ in every setting, captioned "Products" and "Contacts". The faces were
// captured from the window's preview buttons.
namespace testsupport {

// The reference face of a background mode and type (kType1, kType2).
inline QString ReferenceFacePath(int mode, int type) {
    return QStringLiteral(PLUMERIC_FACES_DIR "/mode%1_type%2.png")
        .arg(mode)
        .arg(settings::ShownTypeNumber(type));
}

// A 60 x 24 background bitmap whose every pixel differs from its neighbours.
inline QImage ReferenceBitmap() {
    QImage bitmap(60, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 60; ++x) {
            bitmap.setPixel(x, y, qRgb(x * 4, y * 10, 128));
        }
    }
    return bitmap;
}

inline void SetReferenceSettings(settings::AppSettings& s, int mode, const QString& bitmapFile) {
    for (int t = 0; t < 2; ++t) {
        settings::ButtonStyle& b = s.button[static_cast<std::size_t>(t)];
        b.fontName = QStringLiteral("DejaVu Sans");
        b.SetFontSizeIndex(t == 0 ? 5 : 9);
        b.backgroundMode = mode;
        b.bitmapFile = bitmapFile;
        b.backgroundColour = t == 0 ? QStringLiteral("0000C0FF") : QStringLiteral("00400010");
        b.captionColour = t == 0 ? QStringLiteral("00000000") : QStringLiteral("00FFFFFF");
        b.width = QStringLiteral("90");
        b.height = t == 0 ? QStringLiteral("28") : QStringLiteral("34");
        b.spacing = QStringLiteral("12");
        b.borderStyle = t == 0 ? 1 : 0;
        b.borderDepth = t == 0 ? 3 : 2;
        b.bold = t == 1;
        b.italic = false;
        b.underline = mode == 2;
        b.captionEffect = t == 0 ? settings::CaptionEffect::Embossed : settings::CaptionEffect::Pressed;
        b.verticalMode = mode == 3 ? 2 : 1;
        b.verticalOffset = QStringLiteral("4");
        b.horizontalMode = mode == 1 ? 2 : (mode == 4 ? 3 : 0);
        b.horizontalOffset = QStringLiteral("6");
    }
}

// The picture a button file of `fileType` holds for a face, painted by the engine as a saved face.
inline QImage FilePictureOf(const face::FaceProperties& p, int fileType, face::TColor pageColour) {
    return compose::FilePicture(compose::SavedPicture(face::RenderFace(p, compose::SavedFaceState()), p), p,
                                fileType, pageColour, nullptr);
}

// The picture a button file of the settings' type holds for the composer's face of `type` (kType1,
// kType2) as the last settings applied left it, drawn `scale` times as large.
inline QImage Captured(const compose::TButtonComposer& composer, const settings::AppSettings& s, int type,
                       int scale = 1) {
    return FilePictureOf(compose::ScaledFace(composer.Face(type), scale), s.fileType,
                         settings::ColourFromStringLenient(s.htmlBackgroundColour));
}

// How many pixels of two faces differ (every pixel when the sizes differ).
inline int DifferentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return a.width() * a.height() + 1;
    }
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
        }
    }
    return count;
}

}  // namespace testsupport
