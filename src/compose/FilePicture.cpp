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

face::FaceState PressedFaceState() {
    face::FaceState state = SavedFaceState();
    state.pressed = true;
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

namespace {

// The picture with smooth shape edges: each pixel the outline crosses takes the share of it the shape
// covers, as alpha (PNG, WebP) or blended with the page colour (BMP, GIF). A pixel outside the window
// region that the shape still covers in part takes the colour of its neighbour inside, so the border
// and bevel run on to the smooth edge; the pixels wholly inside are the face's own.
QImage SmoothEdges(const QImage& picture, const face::FaceProperties& p, const QRegion& inside,
                   bool transparent, face::TColor pageColour) {
    const QImage coverage = face::FaceShapeCoverage(p, picture.size());
    QImage hard(picture.size(), QImage::Format_Grayscale8);
    hard.fill(0);
    for (const QRect& band : inside) {
        const QRect r = band.intersected(hard.rect());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            std::fill_n(hard.scanLine(y) + r.left(), r.width(), 1);
        }
    }
    const QColor page = face::ToQColor(pageColour);
    QImage out(picture.size(), transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int w = picture.width();
    const int h = picture.height();
    const auto isInside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && hard.constScanLine(y)[x] != 0;
    };
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const auto* cover = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool within = isInside(x, y);
            int share = within ? qAlpha(cover[x]) : std::min(qAlpha(cover[x]), 254);
            QRgb colour = in[x];
            if (!within && share > 0) {
                // The neighbour inside: the nearest along a row or column first, then across a corner.
                static constexpr int kSteps[8][2] = {{-1, 0},  {1, 0},  {0, -1}, {0, 1},
                                                     {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
                share = 0;
                for (const auto& step : kSteps) {
                    if (isInside(x + step[0], y + step[1])) {
                        colour =
                            reinterpret_cast<const QRgb*>(picture.constScanLine(y + step[1]))[x + step[0]];
                        share = std::min(qAlpha(cover[x]), 254);
                        break;
                    }
                }
            } else if (within && share == 0) {
                // The region holds a pixel whose centre lies on the outline: it shows a little.
                share = 1;
            }
            if (transparent) {
                to[x] = share == 0 ? qRgba(0, 0, 0, 0)
                                   : qRgba(qRed(colour), qGreen(colour), qBlue(colour), share);
            } else {
                const auto mix = [share](int a, int b) {
                    return (a * share + b * (255 - share) + 127) / 255;
                };
                to[x] = qRgb(mix(qRed(colour), page.red()), mix(qGreen(colour), page.green()),
                             mix(qBlue(colour), page.blue()));
            }
        }
    }
    return out;
}

}  // namespace

QImage FilePicture(const QImage& picture, const face::FaceProperties& p, int fileType,
                   face::TColor pageColour, const face::ShapeRegions* regions, bool smoothEdges) {
    // The rectangle has no outside; a turned face has its shape in its own bounds, not in the picture.
    if (p.buttonKind == face::bkRect || p.buttonAngle != 0 ||
        picture.size() != QSize(p.buttonWidth, p.buttonHeight)) {
        return picture;
    }
    const QRegion inside =
        regions != nullptr ? regions->window : face::FaceShapeRegions(p, picture.size()).window;
    const bool transparent = fileType == settings::kFileTypePng || fileType == settings::kFileTypeWebp;
    if (smoothEdges) {
        return SmoothEdges(picture, p, inside, transparent, pageColour);
    }
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
