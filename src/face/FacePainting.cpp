#include "face/FacePainting.h"

#include <cmath>

#include "face/ColorRules.h"
#include "face/OutlineMaths.h"

namespace face {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

}  // namespace

void FillRegion(QImage& face, const QRegion& region, const QColor& colour) {
    const QRgb rgb = colour.rgb();
    const QRect bounds = face.rect();
    for (const QRect& r : region) {
        const QRect clipped = r & bounds;
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(face.scanLine(y));
            std::fill(row + clipped.left(), row + clipped.left() + clipped.width(), rgb);
        }
    }
}

QRegion FrameOf(const QRegion& region) {
    const QRegion inner = region & region.translated(1, 0) & region.translated(-1, 0) &
                          region.translated(0, 1) & region.translated(0, -1);
    return region - inner;
}

void FrameRegion(QImage& face, const QRegion& region, const QColor& colour) {
    FillRegion(face, FrameOf(region), colour);
}

TColor GradientStepColour(TColor c1, TColor c2, int n, int k, int mode, const GradientSettings& g) {
    if (g.bitmap == nullptr || g.bitmap->width() <= 0 || g.bitmap->height() <= 0) {
        return BlendColor(c1, c2, n, k);
    }
    const int column = n == 0 ? 0 : std::clamp(k * g.bitmap->width() / n, 0, g.bitmap->width() - 1);
    const int row = g.bitmapLine < g.bitmap->height() ? g.bitmapLine : 0;
    TColor c = FromQColor(QColor(g.bitmap->pixel(column, row)));
    switch (mode) {
        case -1:
            return DarkerColor(c);
        case 1:
            return LighterColor(c);
        case 2:
            return LighterColor(LighterColor(c));
        default:
            return c;
    }
}

void FillGradient(QPainter& painter, int width, int height, TColor c1, TColor c2, int mode,
                  const GradientSettings& g) {
    if (g.kind == gkNone) {
        return;
    }
    const long double w = width;
    const long double h = height;
    const long double diagonal = std::sqrt(w * w + h * h);
    QPen pen;
    pen.setWidth(3);
    pen.setCapStyle(Qt::SquareCap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (g.kind == gkLinear) {
        const long double angle = g.angle * kPi / 1800.0L;
        const long double s = std::sin(angle);
        const long double o = std::cos(angle);
        const int n = RoundEven((std::fabs(w * s) + std::fabs(h * o)) / 3);
        if (n < 0) {
            return;
        }
        long double a = 0;
        long double b = 0;
        if (o >= 0 && s >= 0) {
            a = w * (1 - s * s);
            b = -w * s * o;
        } else if (o < 0 && s >= 0) {
            a = h * s * o;
            b = h * (1 - s * s);
        } else if (o < 0 && s < 0) {
            a = w * s * s;
            b = w * s * o + h;
        } else {
            a = w - h * s * o;
            b = h * (1 - o * o);
        }
        for (int k = 0; k <= n; ++k) {
            pen.setColor(ToQColor(GradientStepColour(c1, c2, n, k, mode, g)));
            painter.setPen(pen);
            const long double x = a + 3 * k * s;
            const long double y = b + 3 * k * o;
            // The line passes through the centres of the pixels its rounded ends name, and covers
            // one pixel more on either side: the pixels a three-pixel line of the face covers.
            painter.drawLine(QPointF(RoundEven(x) + 0.5, RoundEven(y) + 0.5),
                             QPointF(RoundEven(x - diagonal * o) + 0.5, RoundEven(y + diagonal * s) + 0.5));
        }
        return;
    }
    const int n = RoundEven(diagonal / 2 / 3);
    painter.setBrush(ToQColor(c1));
    for (int k = n; k >= 0; --k) {
        pen.setColor(ToQColor(GradientStepColour(c1, c2, n, k, mode, g)));
        painter.setPen(pen);
        painter.drawEllipse(QRect(QPoint(width / 2 - 3 * k, height / 2 - 3 * k),
                                  QPoint(width / 2 + 3 * k, height / 2 + 3 * k)));
    }
}

void DrawTransparentBitmap(const QImage& source, const QRect& sourceRect, QImage& target, int x, int y) {
    if (source.isNull()) {
        return;
    }
    const QImage src =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = src.pixel(0, 0) & 0xFFFFFF;
    for (int row = sourceRect.top(); row < sourceRect.top() + sourceRect.height(); ++row) {
        if (row < 0 || row >= src.height())
            continue;
        const int ty = y + row - sourceRect.top();
        if (ty < 0 || ty >= target.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(row));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(ty));
        for (int column = sourceRect.left(); column < sourceRect.left() + sourceRect.width(); ++column) {
            if (column < 0 || column >= src.width())
                continue;
            const int tx = x + column - sourceRect.left();
            if (tx < 0 || tx >= target.width())
                continue;
            if ((in[column] & 0xFFFFFF) != transparent) {
                out[tx] = in[column] | 0xFF000000u;
            }
        }
    }
}

}  // namespace face
