#include "compose/FilePicture.h"

#include <QTransform>
#include <algorithm>
#include <limits>

#include "face/ColorRules.h"
#include "face/FaceEngine.h"
#include "settings/SettingsLists.h"

namespace compose {
namespace {

// A length times the scale, held at the integer limits: an offset read from a settings file may be
// any 32-bit number.
int Times(int value, int scale) {
    const qint64 product = qint64{value} * scale;
    return static_cast<int>(
        std::clamp<qint64>(product, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

face::FaceState SavedFaceState() {
    face::FaceState state;
    state.mouseInside = true;
    return state;
}

face::FaceProperties ScaledFace(const face::FaceProperties& p, int scale) {
    face::FaceProperties s = p;
    if (scale <= 1) {
        return s;
    }
    s.buttonWidth = Times(p.buttonWidth, scale);
    s.buttonHeight = Times(p.buttonHeight, scale);
    s.buttonDepth = Times(p.buttonDepth, scale);
    if (p.cornerRadius > 0) {
        s.cornerRadius =
            Times(p.cornerRadius, scale);  // a radius given; without one the depth rule doubles it
    }
    s.bitmapTop = Times(p.bitmapTop, scale);
    s.bitmapLeft = Times(p.bitmapLeft, scale);
    s.captionTop = Times(p.captionTop, scale);
    s.captionLeft = Times(p.captionLeft, scale);
    s.captionEffectOffset = Times(p.captionEffectOffset, scale);
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

QImage SavedPicture(const QImage& painted, const face::FaceProperties& p) {
    // A button with a side of 0 has an empty picture, one of 0 × 0 the face's single pixel.
    QImage picture = painted.copy(0, 0, p.buttonWidth, p.buttonHeight);
    const QSize window(p.buttonWidth, p.buttonHeight);
    if (picture.size() != window && !window.isEmpty()) {
        picture = picture.scaled(window);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage FilePicture(const QImage& picture, const face::FaceProperties& p, int fileType,
                   face::TColor pageColour, const face::ShapeRegions* regions) {
    // The rectangle has no outside; a turned face has its shape in its own bounds, not in the picture.
    if (p.buttonKind == face::bkRect || p.buttonAngle != 0 ||
        picture.size() != QSize(p.buttonWidth, p.buttonHeight)) {
        return picture;
    }
    const QRegion inside =
        regions != nullptr ? regions->window : face::FaceShapeRegions(p, picture.size()).window;
    const bool transparent = fileType == settings::kFileTypePng || fileType == settings::kFileTypeWebp;
    QImage out(picture.size(), transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    out.fill(transparent ? QColor(Qt::transparent) : face::ToQColor(pageColour));
    const QRect all = out.rect();
    for (const QRect& band : inside) {
        const QRect r = band.intersected(all);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
            std::copy(in + r.left(), in + r.right() + 1, to + r.left());
        }
    }
    return out;
}

}  // namespace compose
