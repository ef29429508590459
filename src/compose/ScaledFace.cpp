#include "compose/ScaledFace.h"

#include <QTransform>

#include "compose/ButtonComposer.h"
#include "face/FaceEngine.h"

namespace compose {

face::FaceProperties ScaledFace(const face::FaceProperties& p, int scale) {
    face::FaceProperties s = p;
    if (scale <= 1) {
        return s;
    }
    s.buttonWidth = p.buttonWidth * scale;
    s.buttonHeight = p.buttonHeight * scale;
    s.buttonDepth = p.buttonDepth * scale;
    if (p.cornerRadius > 0) {
        s.cornerRadius = p.cornerRadius * scale;  // a radius given; without one the depth rule doubles it
    }
    s.bitmapTop = p.bitmapTop * scale;
    s.bitmapLeft = p.bitmapLeft * scale;
    s.captionTop = p.captionTop * scale;
    s.captionLeft = p.captionLeft * scale;
    s.captionEffectOffset = p.captionEffectOffset * scale;
    if (p.font.pixelSize() > 0) {
        s.font.setPixelSize(p.font.pixelSize() * scale);
    } else if (p.font.pointSizeF() > 0) {
        s.font.setPointSizeF(p.font.pointSizeF() * scale);
    }
    if (!p.mainBitmap.isNull()) {
        // Whole glyphs stay whole: every glyph is exactly `scale` times as wide.
        s.mainBitmap = p.mainBitmap.scaled(p.mainBitmap.width() * scale, p.mainBitmap.height() * scale,
                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (p.userRegion.has_value()) {
        s.userRegion = QTransform::fromScale(scale, scale).map(*p.userRegion);
    }
    return s;
}

QImage SavedPicture(const face::FaceProperties& p) {
    return SavedPicture(face::RenderFace(p, TButtonComposer::FaceStateShown()), p);
}

QImage SavedPicture(const QImage& painted, const face::FaceProperties& p) {
    // A button with a side of 0 has an empty picture, one of 0 × 0 the face's single pixel.
    QImage picture = painted.copy(0, 0, p.buttonWidth, p.buttonHeight);
    const QSize window(p.buttonWidth, p.buttonHeight);
    if (picture.size() != window && !window.isEmpty()) {
        picture = picture.scaled(window);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace compose
