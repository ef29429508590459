#include "face/FacePainting.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

GradientBands::GradientBands(TLumoGradientKind kind, int angle, int width, int height)
    : kind_(kind), width_(width), height_(height) {
    const long double w = width;
    const long double h = height;
    const long double diagonal = std::sqrt(w * w + h * h);
    if (kind == gkCircular) {
        last_ = RoundEven(diagonal / 2 / 3);
        return;
    }
    if (kind != gkLinear) {
        return;
    }
    const long double radians = angle * kPi / 1800.0L;
    s_ = std::sin(radians);
    o_ = std::cos(radians);
    last_ = std::max(0, RoundEven((std::fabs(w * s_) + std::fabs(h * o_)) / 3));
    // Band 0's line runs across the corner of the face where the fill starts, through (a, b), and
    // band k's through (a + 3k·s, b + 3k·o); each runs from there the length of the face's diagonal
    // in the direction (−o, s), its ends on the centres of the pixels they round to.
    if (o_ >= 0 && s_ >= 0) {
        a_ = w * (1 - s_ * s_);
        b_ = -w * s_ * o_;
    } else if (o_ < 0 && s_ >= 0) {
        a_ = h * s_ * o_;
        b_ = h * (1 - s_ * s_);
    } else if (o_ < 0 && s_ < 0) {
        a_ = w * s_ * s_;
        b_ = w * s_ * o_ + h;
    } else {
        a_ = w - h * s_ * o_;
        b_ = h * (1 - o_ * o_);
    }
    lines_.reserve(static_cast<std::size_t>(last_) + 1);
    for (int k = 0; k <= last_; ++k) {
        const long double x = a_ + 3 * k * s_;
        const long double y = b_ + 3 * k * o_;
        BandLine line;
        line.x = RoundEven(x);
        line.y = RoundEven(y);
        const double dx = RoundEven(x - diagonal * o_) - line.x;
        const double dy = RoundEven(y + diagonal * s_) - line.y;
        line.length = std::hypot(dx, dy);
        if (line.length > 0) {
            line.ux = dx / line.length;
            line.uy = dy / line.length;
        }
        lines_.push_back(line);
    }
}

int GradientBands::At(int x, int y) const {
    if (last_ == 0) {
        return 0;
    }
    if (kind_ == gkCircular) {
        // Ring k is three pixels wide around the circle of radius 3k + 0.5 about the centre of pixel
        // (width / 2, height / 2): it holds the pixels whose centres lie at a distance r with
        // 3k − 1 ≤ r < 3k + 2, so a pixel on the circle between two rings lies in the outer one.
        const qint64 dx = x - width_ / 2;
        const qint64 dy = y - height_ / 2;
        const qint64 r2 = dx * dx + dy * dy;
        const auto outerEdge = [](qint64 k) { return (3 * k + 2) * (3 * k + 2); };
        qint64 k = std::max<qint64>(0, static_cast<qint64>((std::sqrt(double(r2)) + 1) / 3));
        while (k > 0 && r2 < outerEdge(k - 1)) {
            --k;
        }
        while (r2 >= outerEdge(k)) {
            ++k;
        }
        return static_cast<int>(std::min<qint64>(k, last_));
    }
    // The line of band k covers the pixels whose centres lie within 1.5 pixels of it, across and past
    // its ends; where two lines cover a pixel the later band takes it, and a pixel no line covers
    // takes the band of the nearest line. Only the lines next to the pixel's place across the bands
    // can reach it.
    const long double across = ((x - a_) * s_ + (y - b_) * o_) / 3;
    const int guess = static_cast<int>(std::clamp<long double>(std::round(across), 0, last_));
    int covering = -1;
    int nearest = -1;
    double nearestDistance = 0;
    for (int k = std::max(0, guess - 2); k <= std::min(last_, guess + 2); ++k) {
        const BandLine& line = lines_[static_cast<std::size_t>(k)];
        const double px = x - line.x;
        const double py = y - line.y;
        double distance = 0;
        bool inLength = true;
        if (line.length > 0) {
            distance = std::fabs(px * line.uy - py * line.ux);
            const double along = px * line.ux + py * line.uy;
            inLength = along >= -1.5 && along <= line.length + 1.5;
        } else {
            distance = std::max(std::fabs(px), std::fabs(py));
        }
        if (distance <= 1.5 && inLength) {
            covering = k;
        }
        if (nearest < 0 || distance <= nearestDistance) {
            nearest = k;
            nearestDistance = distance;
        }
    }
    return covering >= 0 ? covering : nearest;
}

void FillGradient(QPainter& painter, int width, int height, TColor c1, TColor c2, int mode,
                  const GradientSettings& g) {
    if (g.kind == gkNone || painter.device() == nullptr) {
        return;
    }
    // Every pixel of the image the painter paints on, inside its clip.
    QRect area(0, 0, painter.device()->width(), painter.device()->height());
    if (painter.hasClipping()) {
        area &= painter.clipBoundingRect().toAlignedRect();
    }
    if (area.isEmpty()) {
        return;
    }
    const GradientBands bands(g.kind, g.angle, width, height);
    std::vector<QRgb> colours;
    colours.reserve(static_cast<std::size_t>(bands.Last()) + 1);
    for (int k = 0; k <= bands.Last(); ++k) {
        colours.push_back(ToQColor(GradientStepColour(c1, c2, bands.Last(), k, mode, g)).rgb());
    }
    QImage fill(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(fill.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            row[x] = colours[static_cast<std::size_t>(bands.At(area.left() + x, area.top() + y))];
        }
    }
    painter.drawImage(area.topLeft(), fill);
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
