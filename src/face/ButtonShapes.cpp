#include "face/ButtonShapes.h"

#include <algorithm>
#include <cmath>

namespace face {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

int Div(long long a, long long b) {
    return static_cast<int>(a / b);
}

// Point i of n on the ellipse of half-axes a, b around (cx, cy), the first at the top centre.
QPoint EllipsePoint(long double halfW, long double halfH, long double cx, long double cy, long double phi) {
    return {RoundEven(halfW * std::sin(phi) + cx), RoundEven(-halfH * std::cos(phi) + cy)};
}

std::vector<QPoint> Ellipse(int n, long double halfW, long double halfH, long double cx, long double cy) {
    std::vector<QPoint> pts;
    for (int i = 0; i < n; ++i) {
        pts.push_back(EllipsePoint(halfW, halfH, cx, cy, 2 * kPi * i / n));
    }
    return pts;
}

std::vector<QPoint> Rectangle(int w, int h) {
    return {{0, 0}, {w, 0}, {w, h}, {0, h}};
}

// A rectangle with rounded corners: the given radius (cut to half the smaller side), or without one
// the component's rule of twice the depth.
std::vector<QPoint> RoundRect(int w, int h, int d, int radius) {
    const int r = radius < 0 ? 2 * d : std::min(radius, std::min(w, h) / 2);
    if (r == 0) {
        return Rectangle(w, h);
    }
    const long double angles[3] = {kPi / 8, kPi / 4, 3 * kPi / 8};
    const auto rs = [r](long double t) { return RoundEven(r * std::sin(t)); };
    const auto rc = [r](long double t) { return RoundEven(r * std::cos(t)); };
    std::vector<QPoint> pts;
    pts.push_back({r, 0});
    pts.push_back({w - r, 0});
    for (long double t : angles)
        pts.push_back({w - r + rs(t), r - rc(t)});
    pts.push_back({w, r});
    pts.push_back({w, h - r});
    for (long double t : angles)
        pts.push_back({w - r + rc(t), h - r + rs(t)});
    pts.push_back({w - r, h});
    pts.push_back({r, h});
    for (long double t : angles)
        pts.push_back({r - rs(t), h - r + rc(t)});
    pts.push_back({0, h - r});
    pts.push_back({0, r});
    for (long double t : angles)
        pts.push_back({r - rc(t), r - rs(t)});
    return pts;
}

std::vector<QPoint> Grid(int w, int h, std::initializer_list<std::pair<int, int>> cells, int parts) {
    std::vector<QPoint> pts;
    for (auto [a, b] : cells) {
        pts.push_back({Div(static_cast<long long>(a) * w, parts), Div(static_cast<long long>(b) * h, parts)});
    }
    return pts;
}

std::vector<QPoint> PolyStar(int w, int h, int n) {
    const long double c = n < 5 ? 1.0L / 3 : std::cos(2 * kPi / n) / std::cos(kPi / n);
    std::vector<QPoint> pts;
    for (int k = 0; k < n; ++k) {
        pts.push_back(EllipsePoint(w / 2.0L, h / 2.0L, w / 2.0L, h / 2.0L, 2 * kPi * k / n));
        pts.push_back(
            EllipsePoint(c * w / 2.0L, c * h / 2.0L, w / 2.0L, h / 2.0L, 2 * kPi * k / n + kPi / n));
    }
    return pts;
}

// Points spread over the arc from -angle/2 to angle/2; a single point sits at the middle, where the
// spacing formula would divide by zero.
long double ArcStep(int i, int count, long double angle) {
    return count < 2 ? 0.0L : i * angle / (count - 1) - angle / 2;
}

KindOutline Arc(const ShapeParams& p) {
    KindOutline result;
    result.height = p.height;
    const long double a = p.arcAngle;
    const long double ratio = p.radiusRatio;
    if (a < 0.1L) {
        result.outline.AddContour(Rectangle(p.width, p.height), 0);
        return result;
    }
    const int n = Div(std::max(p.width, p.height), std::max(2, p.depth));
    long double f = 0;
    long double g = 0;
    if (a < kPi) {
        f = RoundEven(p.width / (2 * std::sin(a / 2)));
        result.height = RoundEven(f * (1 - std::cos(a / 2) * ratio));
        g = RoundEven(f * ratio);
    } else {
        f = Div(p.width, 2);
        result.height = RoundEven(f - std::cos(a / 2) * f);
        g = RoundEven(ratio * f);
    }
    const int w = RoundEven(n * ratio);
    std::vector<QPoint> pts(static_cast<std::size_t>(n + w));
    for (int i = 0; i < n; ++i) {
        const long double phi = ArcStep(i, n, a);
        pts[static_cast<std::size_t>(i)] = {RoundEven(f * std::sin(phi) + p.width / 2.0L),
                                            RoundEven(f - f * std::cos(phi))};
    }
    for (int k = 0; k < w; ++k) {
        const long double phi = ArcStep(k, w, a);
        pts[static_cast<std::size_t>(n + w - 1 - k)] = {RoundEven(g * std::sin(phi) + p.width / 2.0L),
                                                        RoundEven(f - g * std::cos(phi))};
    }
    result.outline.AddContour(pts, 0);
    return result;
}

Outline User(const ShapeParams& p) {
    Outline o;
    if (p.userOutline == nullptr || p.userOutline->Empty()) {
        o.AddContour(Rectangle(p.width, p.height), 0);
        return o;
    }
    const QRect box = p.userBox;
    o = *p.userOutline;
    for (QPoint& pt : o.points) {
        if (box.width() <= 0 || box.height() <= 0) {
            pt = QPoint(0, 0);
        } else {
            pt = QPoint(Div(static_cast<long long>(pt.x() - box.left()) * p.width, box.width()),
                        Div(static_cast<long long>(pt.y() - box.top()) * p.height, box.height()));
        }
    }
    ThinOutline(o, p.depth);
    return o;
}

}  // namespace

KindOutline BuildKindOutline(const ShapeParams& p) {
    const int w = p.width;
    const int h = p.height;
    const int d = p.depth;
    KindOutline result;
    result.height = h;
    Outline& o = result.outline;
    switch (p.kind) {
        case bkRoundRect:
            o.AddContour(RoundRect(w, h, d, p.cornerRadius), 0);
            break;
        case bkElliptic:
            o.AddContour(Ellipse(Div(std::max(w, h), std::max(2, d)), w / 2.0L, h / 2.0L, w / 2.0L, h / 2.0L),
                         0);
            break;
        case bkPoly:
            o.AddContour(Ellipse(p.peaks, w / 2.0L, h / 2.0L, w / 2.0L, h / 2.0L), 0);
            break;
        case bkPolyStar:
            o.AddContour(PolyStar(w, h, p.peaks), 0);
            break;
        case bkArc:
            return Arc(p);
        case bkDonut: {
            const int m = Div(2LL * std::max(w, h), std::max(2, d));
            const long double r = p.radiusRatio;
            o.AddContour(Ellipse(m, w / 2.0L, h / 2.0L, w / 2.0L, h / 2.0L), 0);
            o.AddContour(Ellipse(m, r * w / 2.0L, r * h / 2.0L, w / 2.0L, h / 2.0L), 1);
            break;
        }
        case bkUser:
            o = User(p);
            break;
        case bkArrow:
            o.AddContour({{0, h / 3},
                          {w / 2, h / 3},
                          {w / 2, 0},
                          {w, h / 2},
                          {w / 2, h},
                          {w / 2, Div(2LL * h, 3)},
                          {0, Div(2LL * h, 3)}},
                         0);
            break;
        case bkArrow1:
            o.AddContour({{0, h},
                          {0, h / 4},
                          {w / 12, h / 6},
                          {Div(2LL * w, 3), h / 6},
                          {Div(2LL * w, 3), 0},
                          {w, h / 4},
                          {Div(2LL * w, 3), h / 2},
                          {Div(2LL * w, 3), h / 3},
                          {Div(5LL * w, 24), h / 3},
                          {w / 6, Div(9LL * h, 24)},
                          {w / 6, h}},
                         0);
            break;
        case bkArrow2:
            o.AddContour({{w / 6, 0},
                          {w / 6, Div(15LL * h, 24)},
                          {Div(5LL * w, 24), Div(2LL * h, 3)},
                          {Div(2LL * w, 3), Div(2LL * h, 3)},
                          {Div(2LL * w, 3), h / 2},
                          {w, Div(3LL * h, 4)},
                          {Div(2LL * w, 3), h},
                          {Div(2LL * w, 3), Div(5LL * h, 6)},
                          {w / 12, Div(5LL * h, 6)},
                          {0, Div(3LL * h, 4)},
                          {0, 0}},
                         0);
            break;
        case bkCross:
            o.AddContour(Grid(w, h, {{2, 3}, {3, 2}, {3, 1}, {4, 0}, {5, 0}, {6, 1}, {6, 2}, {7, 3},
                                     {8, 3}, {9, 4}, {9, 5}, {8, 6}, {7, 6}, {6, 7}, {6, 8}, {5, 9},
                                     {4, 9}, {3, 8}, {3, 7}, {2, 6}, {1, 6}, {0, 5}, {0, 4}, {1, 3}},
                              9),
                         0);
            break;
        case bkCutRect:
            o.AddContour({{0, h / 6}, {w / 6, 0}, {w, 0}, {w, Div(5LL * h, 6)}, {Div(5LL * w, 6), h}, {0, h}},
                         0);
            break;
        case bkCross1:
            o.AddContour(
                Grid(w, h, {{0, 0}, {2, 0}, {4, 2}, {5, 2}, {7, 0}, {9, 0}, {9, 2}, {7, 4}, {7, 5}, {9, 7},
                            {9, 9}, {7, 9}, {5, 7}, {4, 7}, {2, 9}, {0, 9}, {0, 7}, {2, 5}, {2, 4}, {0, 2}},
                     9),
                0);
            break;
        case bkRect:
        default:
            o.AddContour(Rectangle(w, h), 0);
            break;
    }
    return result;
}

QSize RotatedBounds(int width, int height, int angle) {
    const long double a = angle * kPi / 1800.0L;
    const long double c = std::fabs(std::cos(a));
    const long double s = std::fabs(std::sin(a));
    return {RoundEven(c * width + s * height), RoundEven(s * width + c * height)};
}

ShapeRegions BuildShapeRegions(const Outline& outline, int width, int height, int depth, TLumo3DKind kind3d,
                               int angle, int boundsWidth, int boundsHeight) {
    Outline o = outline;
    Outline inner1 = outline;
    InsetOutline(inner1.points, inner1.counts, inner1.depths, true, true, depth);
    Outline focus = outline;
    const int focusInset = (kind3d == dk3dBorder || kind3d == dk3dBorderFlatten) ? 2 * depth + 4 : depth + 4;
    InsetOutline(focus.points, focus.counts, focus.depths, true, true, focusInset);
    Outline copy = outline;
    Outline inner2 = inner1;
    InsetOutline(inner2.points, inner2.counts, inner2.depths, true, true, depth);

    const QPoint shift((boundsWidth - width) / 2, (boundsHeight - height) / 2);
    for (Outline* each : {&o, &focus, &inner1, &copy, &inner2}) {
        RotateAboutPoint(each->points, width / 2, height / 2, angle);
        for (QPoint& p : each->points) {
            p += shift;
        }
    }

    ShapeRegions r;
    const BevelBands outer = SplitBevelBands(o.points, inner1.points, o.counts, o.depths);
    r.highlightBand = PolyPolygonRegion(outer.first, outer.firstCounts);
    r.shadowBand = PolyPolygonRegion(outer.second, outer.secondCounts);
    const BevelBands inner = SplitBevelBands(inner1.points, inner2.points, o.counts, o.depths);
    r.innerHighlightBand = PolyPolygonRegion(inner.first, inner.firstCounts);
    r.innerShadowBand = PolyPolygonRegion(inner.second, inner.secondCounts);
    r.window = OutlineToRegion(o);
    r.outline = OutlineToRegion(copy);
    r.innerOutline = OutlineToRegion(inner2);
    r.focus = OutlineToRegion(focus);
    return r;
}

}  // namespace face
