#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "face/FacePainting.h"
#include "face/OutlineMaths.h"

using namespace face;

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

// The gradient as three-pixel lines and ring outlines drawn without anti-aliasing, band k in the
// colour k + 1 over black: the bands each line covers, and black where no line reaches; the lines
// from the centre of one pixel to the centre of another.
struct DrawnFill {
    QImage bands;
    std::vector<QLine> lines;
};

DrawnFill DrawnBands(TLumoGradientKind kind, int angle, int width, int height) {
    DrawnFill drawn;
    QImage& image = drawn.bands;
    image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen;
    pen.setWidth(3);
    pen.setCapStyle(Qt::SquareCap);
    const auto band = [](int k) { return QColor::fromRgb(0xFF000000u | static_cast<QRgb>(k + 1)); };
    const long double w = width;
    const long double h = height;
    const long double diagonal = std::sqrt(w * w + h * h);
    if (kind == gkLinear) {
        const long double radians = angle * kPi / 1800.0L;
        const long double s = std::sin(radians);
        const long double o = std::cos(radians);
        const int n = RoundEven((std::fabs(w * s) + std::fabs(h * o)) / 3);
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
            pen.setColor(band(k));
            painter.setPen(pen);
            const long double x = a + 3 * k * s;
            const long double y = b + 3 * k * o;
            const QLine line(RoundEven(x), RoundEven(y), RoundEven(x - diagonal * o),
                             RoundEven(y + diagonal * s));
            drawn.lines.push_back(line);
            painter.drawLine(QLineF(line).translated(0.5, 0.5));
        }
    } else {
        const int n = RoundEven(diagonal / 2 / 3);
        painter.setBrush(Qt::black);
        for (int k = n; k >= 0; --k) {
            pen.setColor(band(k));
            painter.setPen(pen);
            painter.drawEllipse(QRect(QPoint(width / 2 - 3 * k, height / 2 - 3 * k),
                                      QPoint(width / 2 + 3 * k, height / 2 + 3 * k)));
        }
    }
    return drawn;
}

// How far the centre of pixel (x, y) lies from the edge of a three-pixel line, outside it positive.
double BeyondLine(const QLine& line, int x, int y) {
    const double dx = line.dx();
    const double dy = line.dy();
    const double length = std::hypot(dx, dy);
    if (length == 0) {
        return std::max(std::fabs(x - line.x1()), std::fabs(y - line.y1())) - 1.5;
    }
    return std::fabs((x - line.x1()) * dy - (y - line.y1()) * dx) / length - 1.5;
}

struct BandComparison {
    long long pixels = 0;
    long long drawn = 0;           // pixels a line or ring outline covered
    long long changed = 0;         // of those, pixels in another band now
    long long changedOffEdge = 0;  // of those, pixels not on the edge between their old and new band
    double widestEdge = 0;         // how far from that edge a changed pixel lay
    long long seams = 0;           // pixels no line covered
    long long seamsApart = 0;      // of those, pixels in a band no neighbour's band is next to
};

// A drawn band changes only for a pixel on the edge between it and the band next to it, where the
// line drawing rounds its way: how far the pixel's centre lies from that edge.
double FromEdge(TLumoGradientKind kind, const DrawnFill& drawn, int x, int y, int width, int height, int old,
                int band) {
    if (std::abs(old - band) != 1) {
        return 1e9;
    }
    if (kind == gkCircular) {
        const double r = std::hypot(x - width / 2, y - height / 2);
        return std::fabs(r - (3 * std::min(old, band) + 2));
    }
    return std::min(std::fabs(BeyondLine(drawn.lines[static_cast<std::size_t>(old)], x, y)),
                    std::fabs(BeyondLine(drawn.lines[static_cast<std::size_t>(band)], x, y)));
}

void Compare(TLumoGradientKind kind, int angle, int width, int height, BandComparison& total) {
    const DrawnFill drawn = DrawnBands(kind, angle, width, height);
    const QImage& old = drawn.bands;
    const auto oldBand = [&](int x, int y) { return static_cast<int>(old.pixel(x, y) & 0xFFFFFF) - 1; };
    const GradientBands bands(kind, angle, width, height);
    for (int y = 0; y < old.height(); ++y) {
        for (int x = 0; x < old.width(); ++x) {
            ++total.pixels;
            const int band = bands.At(x, y);
            ASSERT_GE(band, 0);
            ASSERT_LE(band, bands.Last());
            if (oldBand(x, y) >= 0) {
                ++total.drawn;
                if (oldBand(x, y) != band) {
                    ++total.changed;
                    const double fromEdge = FromEdge(kind, drawn, x, y, width, height, oldBand(x, y), band);
                    total.widestEdge = std::max(total.widestEdge, fromEdge);
                    if (fromEdge > 0.07) {
                        ++total.changedOffEdge;
                        ADD_FAILURE() << "kind " << kind << " angle " << angle << " " << width << " x "
                                      << height << ": pixel (" << x << ", " << y << ") was band "
                                      << oldBand(x, y) << ", now " << band;
                    }
                }
                continue;
            }
            ++total.seams;
            // A seam lies between two drawn bands: it takes one of its neighbours' bands, or at a
            // corner the band before or after.
            bool nextToANeighbour = true;
            for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1), QPoint(1, 1),
                                   QPoint(-1, -1), QPoint(1, -1), QPoint(-1, 1)}) {
                const QPoint q(x + d.x(), y + d.y());
                if (old.rect().contains(q) && oldBand(q.x(), q.y()) >= 0) {
                    nextToANeighbour = std::abs(oldBand(q.x(), q.y()) - band) <= 1;
                    if (nextToANeighbour) {
                        break;
                    }
                }
            }
            if (!nextToANeighbour) {
                ++total.seamsApart;
                ADD_FAILURE() << "kind " << kind << " angle " << angle << " " << width << " x " << height
                              << ": seam pixel (" << x << ", " << y << ") in band " << band;
            }
        }
    }
}

}  // namespace

TEST(GradientBands, EachPixelKeepsTheBandItsLineCoveredAndEachSeamTakesABandBesideIt) {
    const std::vector<int> sides = {1, 2, 3, 4, 7, 16, 23, 30, 41, 64, 99, 150};
    std::vector<int> angles = {0, 300, 450, 900, 1350, 2000, 3150, 1800, 2700, -450, -1799};
    for (int angle = 17; angle < 3600; angle += 97) {
        angles.push_back(angle);
    }
    BandComparison linear;
    BandComparison circular;
    BandComparison square;  // linear fills along an edge
    for (const int w : sides) {
        for (const int h : sides) {
            for (const int angle : angles) {
                Compare(gkLinear, angle, w, h, linear);
            }
            for (const int angle : {0, 900, 1800, 2700, -900}) {
                Compare(gkLinear, angle, w, h, square);
            }
            Compare(gkCircular, 0, w, h, circular);
            // 2× faces are the same fills on faces twice the size.
            Compare(gkCircular, 0, 2 * w + 1, 2 * h, circular);
        }
    }
    for (const auto& [name, c] : {std::pair{"linear", linear}, std::pair{"circular", circular}}) {
        std::printf(
            "%s: %lld pixels, %lld covered by the drawn lines, %lld of them in another band now "
            "(all within %.4f pixels of the edge between the two); %lld seams, %lld of them apart "
            "from their neighbours' bands\n",
            name, c.pixels, c.drawn, c.changed, c.widestEdge, c.seams, c.seamsApart);
        EXPECT_EQ(c.changedOffEdge, 0) << name;
        EXPECT_LT(c.changed * 250, c.drawn) << name;
        EXPECT_EQ(c.seamsApart, 0) << name;
    }
    // Along an edge the lines covered every pixel once: those fills are as they were.
    EXPECT_EQ(square.changed, 0);
    EXPECT_EQ(square.seams, 0);
    // The lines left seams, which the fill now covers.
    EXPECT_GT(linear.seams, 0);
    EXPECT_GT(circular.seams, 0);
}
