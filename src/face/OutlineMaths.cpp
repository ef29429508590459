#include "face/OutlineMaths.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace face {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr long double kHalfSqrt2 = 0.70710678118654752444L;

long double Radians(int angle) {
    return static_cast<long double>(angle) * kPi / 1800.0L;
}

// Polar angle of a point, straight up or down for points on the y axis.
long double PolarAngle(int x, int y) {
    if (x != 0) {
        return std::atan2(-static_cast<long double>(y), static_cast<long double>(x));
    }
    return y <= 0 ? kPi / 2 : -kPi / 2;
}

// Corner kinds: 1..4 are convex corners whose solid quadrant is south-east, south-west, north-west,
// north-east; -1..-4 are concave corners whose only empty quadrant is that of the same number.
enum Direction { kEast, kSouth, kWest, kNorth };

Direction Leaves(int kind) {
    switch (kind) {
        case 1:
        case -4:
            return kEast;
        case 2:
        case -1:
            return kSouth;
        case 3:
        case -2:
            return kWest;
        default:
            return kNorth;  // 4, -3
    }
}

Direction Arrives(int kind) {
    switch (kind) {
        case 2:
        case -3:
            return kEast;
        case 3:
        case -4:
            return kSouth;
        case 4:
        case -1:
            return kWest;
        default:
            return kNorth;  // 1, -2
    }
}

struct Corner {
    QPoint p;
    int kind;
};

struct Rect {
    int left, top, right, bottom;  // right and bottom exclusive
};

// Corners of the region's rectangles, merged where they coincide, in the order of first appearance.
std::vector<Corner> RegionCorners(const std::vector<Rect>& rects) {
    struct Merged {
        QPoint p;
        int labels = 0;  // bit per label
        int count = 0;
    };
    std::vector<Merged> points;
    std::unordered_map<std::int64_t, std::size_t> index;
    const auto keyOf = [](QPoint p) {
        return (static_cast<std::int64_t>(p.x()) << 32) ^ static_cast<std::uint32_t>(p.y());
    };
    for (const Rect& r : rects) {
        const QPoint corners[4] = {
            {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        for (int label = 1; label <= 4; ++label) {
            const QPoint p = corners[label - 1];
            auto [it, added] = index.try_emplace(keyOf(p), points.size());
            if (added) {
                points.push_back({p});
            }
            Merged& m = points[it->second];
            m.labels |= 1 << label;
            ++m.count;
        }
    }

    // Edges of the rectangles, by the line they lie on, for the corners that touch another edge.
    std::unordered_map<int, std::vector<const Rect*>> byLeft, byRight, byTop, byBottom;
    for (const Rect& r : rects) {
        byLeft[r.left].push_back(&r);
        byRight[r.right].push_back(&r);
        byTop[r.top].push_back(&r);
        byBottom[r.bottom].push_back(&r);
    }
    const auto onVertical = [](const auto& map, QPoint p) {
        const auto it = map.find(p.x());
        if (it == map.end())
            return false;
        return std::any_of(it->second.begin(), it->second.end(),
                           [&](const Rect* r) { return r->top < p.y() && p.y() < r->bottom; });
    };
    const auto onHorizontal = [](const auto& map, QPoint p) {
        const auto it = map.find(p.y());
        if (it == map.end())
            return false;
        return std::any_of(it->second.begin(), it->second.end(),
                           [&](const Rect* r) { return r->left < p.x() && p.x() < r->right; });
    };

    std::vector<Corner> corners;
    for (const Merged& m : points) {
        const auto has = [&](int label) { return (m.labels & (1 << label)) != 0; };
        if (m.count == 1) {
            int label = 1;
            while (!has(label))
                ++label;
            int kind = label;
            switch (label) {
                case 1:
                    kind = onVertical(byRight, m.p) ? -4 : onHorizontal(byBottom, m.p) ? -2 : 1;
                    break;
                case 2:
                    kind = onVertical(byLeft, m.p) ? -3 : onHorizontal(byBottom, m.p) ? -1 : 2;
                    break;
                case 3:
                    kind = onVertical(byLeft, m.p) ? -2 : onHorizontal(byTop, m.p) ? -4 : 3;
                    break;
                default:
                    kind = onVertical(byRight, m.p) ? -1 : onHorizontal(byTop, m.p) ? -3 : 4;
                    break;
            }
            corners.push_back({m.p, kind});
        } else if (m.count == 2) {
            if (has(1) && has(3)) {
                corners.push_back({m.p, -4});
                corners.push_back({m.p, -2});
            } else if (has(2) && has(4)) {
                corners.push_back({m.p, -3});
                corners.push_back({m.p, -1});
            }
        } else if (m.count == 3) {
            const int missing = !has(1) ? 1 : !has(2) ? 2 : !has(3) ? 3 : 4;
            corners.push_back({m.p, -missing});
        }
    }
    return corners;
}

// Follows the boundary from corner to corner; each corner is used once.
std::vector<std::vector<QPoint>> TraceContours(const std::vector<Corner>& corners) {
    // Corners on each horizontal and vertical line, ordered along the line.
    std::map<int, std::vector<std::size_t>> rows, columns;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        rows[corners[i].p.y()].push_back(i);
        columns[corners[i].p.x()].push_back(i);
    }
    for (auto& [y, list] : rows) {
        std::stable_sort(list.begin(), list.end(),
                         [&](std::size_t a, std::size_t b) { return corners[a].p.x() < corners[b].p.x(); });
    }
    for (auto& [x, list] : columns) {
        std::stable_sort(list.begin(), list.end(),
                         [&](std::size_t a, std::size_t b) { return corners[a].p.y() < corners[b].p.y(); });
    }

    std::vector<bool> used(corners.size(), false);
    std::vector<std::vector<QPoint>> contours;
    for (std::size_t start = 0; start < corners.size(); ++start) {
        if (used[start]) {
            continue;
        }
        std::vector<QPoint> contour;
        std::size_t current = start;
        used[start] = true;
        bool closed = false;
        for (std::size_t steps = 0; steps <= corners.size(); ++steps) {
            contour.push_back(corners[current].p);
            const Direction d = Leaves(corners[current].kind);
            const QPoint from = corners[current].p;
            const bool horizontal = d == kEast || d == kWest;
            const std::vector<std::size_t>& line = horizontal ? rows[from.y()] : columns[from.x()];
            const bool forward = d == kEast || d == kSouth;
            const auto along = [&](std::size_t i) {
                return horizontal ? corners[i].p.x() : corners[i].p.y();
            };
            const int origin = horizontal ? from.x() : from.y();
            std::size_t next = corners.size();
            int bestDistance = 0;
            for (std::size_t i : line) {
                const int distance = forward ? along(i) - origin : origin - along(i);
                if (distance <= 0 || Arrives(corners[i].kind) != d || (used[i] && i != start)) {
                    continue;
                }
                if (next == corners.size() || distance < bestDistance) {
                    next = i;
                    bestDistance = distance;
                }
            }
            if (next == corners.size()) {
                break;  // not a closed boundary: the partial contour is dropped
            }
            if (next == start) {
                closed = true;
                break;
            }
            used[next] = true;
            current = next;
        }
        if (closed) {
            contours.push_back(std::move(contour));
        }
    }
    return contours;
}

long double Distance(QPoint a, QPoint b) {
    const long double dx = a.x() - b.x();
    const long double dy = a.y() - b.y();
    return std::sqrt(dx * dx + dy * dy);
}

// Drops points that stand out from the line through their neighbours by at most 1/√2.
void Simplify(std::vector<QPoint>& contour) {
    if (contour.size() <= 4) {
        return;
    }
    std::vector<bool> removed(contour.size(), false);
    std::size_t remaining = contour.size();
    const auto neighbour = [&](std::size_t i, int step) {
        std::size_t j = i;
        do {
            j = (j + contour.size() + static_cast<std::size_t>(step == 1 ? 1 : contour.size() - 1)) %
                contour.size();
        } while (removed[j]);
        return j;
    };
    bool changed = true;
    while (changed && remaining > 3) {
        changed = false;
        for (std::size_t i = 0; i < contour.size() && remaining > 3; ++i) {
            if (removed[i]) {
                continue;
            }
            const QPoint prev = contour[neighbour(i, -1)];
            const QPoint next = contour[neighbour(i, 1)];
            const long double a = Distance(contour[i], prev);
            const long double b = Distance(contour[i], next);
            const long double c = Distance(next, prev);
            const long double s = (a + b + c) / 2;
            const long double product = s * (s - a) * (s - b) * (s - c);
            const long double area = product > 0 ? std::sqrt(product) : 0;
            const long double height = (area > 0.1L && c > 0.1L) ? 2 * area / c : c;
            if (height <= kHalfSqrt2) {
                removed[i] = true;
                --remaining;
                changed = true;
            }
        }
    }
    std::vector<QPoint> kept;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        if (!removed[i]) {
            kept.push_back(contour[i]);
        }
    }
    contour = std::move(kept);
}

long double EdgeAngle(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx == 0) {
        return dy > 0 ? -kPi / 2 : kPi / 2;
    }
    return -std::atan2(static_cast<long double>(dy), static_cast<long double>(dx));
}

// Where the lines through two vertex moves meet, if they are not parallel: its x, rounded.
bool MovesCross(QPoint o1, QPoint n1, QPoint o2, QPoint n2) {
    const std::int64_t x1 = o1.x(), y1 = o1.y(), x2 = n1.x(), y2 = n1.y();
    const std::int64_t x3 = o2.x(), y3 = o2.y(), x4 = n2.x(), y4 = n2.y();
    const std::int64_t denominator = (x1 - x2) * (y3 - y4) - (y1 - y2) * (x3 - x4);
    if (denominator == 0) {
        return false;
    }
    const std::int64_t numerator = (x1 * y2 - y1 * x2) * (x3 - x4) - (x1 - x2) * (x3 * y4 - y3 * x4);
    const int x = RoundEven(static_cast<long double>(numerator) / static_cast<long double>(denominator));
    const auto strictlyBetween = [x](std::int64_t a, std::int64_t b) {
        return std::min(a, b) < x && x < std::max(a, b);
    };
    return strictlyBetween(x1, x2) && strictlyBetween(x3, x4);
}

}  // namespace

void Outline::AddContour(const std::vector<QPoint>& contour, int depth) {
    points.insert(points.end(), contour.begin(), contour.end());
    counts.push_back(static_cast<int>(contour.size()));
    depths.push_back(depth);
}

std::vector<QPoint> Outline::Contour(std::size_t k) const {
    std::size_t start = 0;
    for (std::size_t i = 0; i < k; ++i) {
        start += static_cast<std::size_t>(counts[i]);
    }
    const auto first = points.begin() + static_cast<std::ptrdiff_t>(start);
    return {first, first + counts[k]};
}

int RoundEven(long double v) {
    return static_cast<int>(std::llrint(v));
}

void RotatePoints(std::vector<QPoint>& points, int angle) {
    const long double turn = Radians(angle);
    for (QPoint& p : points) {
        const long double r =
            std::sqrt(static_cast<long double>(p.x()) * p.x() + static_cast<long double>(p.y()) * p.y());
        if (RoundEven(r) == 0) {
            continue;
        }
        const long double phi = PolarAngle(p.x(), p.y()) + turn;
        p = QPoint(RoundEven(r * std::cos(phi)), -RoundEven(r * std::sin(phi)));
    }
}

void RotateAboutPoint(std::vector<QPoint>& points, int cx, int cy, int angle) {
    RotatePoints(points, angle);
    const long double d = std::sqrt(static_cast<long double>(cx) * cx + static_cast<long double>(cy) * cy);
    QPoint shift(0, 0);
    if (RoundEven(d) != 0) {
        const long double phi = PolarAngle(cx, cy) + Radians(angle);
        shift = QPoint(RoundEven(cx - d * std::cos(phi)), RoundEven(cy + d * std::sin(phi)));
    }
    for (QPoint& p : points) {
        p += shift;
    }
}

// Twice the area enclosed by a contour, positive when it runs clockwise on screen (y grows downwards).
std::int64_t TwiceSignedArea(const std::vector<QPoint>& contour) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const QPoint a = contour[i];
        const QPoint b = contour[(i + 1) % contour.size()];
        sum += static_cast<std::int64_t>(a.x()) * b.y() - static_cast<std::int64_t>(b.x()) * a.y();
    }
    return sum;
}

Outline RegionToOutline(const QRegion& region) {
    std::vector<Rect> rects;
    for (const QRect& r : region) {
        rects.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    }
    Outline outline;
    std::vector<std::vector<QPoint>> contours = TraceContours(RegionCorners(rects));
    for (auto& contour : contours) {
        Simplify(contour);
    }
    for (std::size_t k = 0; k < contours.size(); ++k) {
        int depth = 0;
        for (std::size_t other = 0; other < contours.size(); ++other) {
            if (other != k && PointInContour(contours[other], contours[k].front())) {
                ++depth;
            }
        }
        // Every contour runs clockwise on screen, holes and islands too, like the built-in shapes
        // (a donut's hole included): the bevel bands then light a region's holes as they light a
        // donut's.
        if (TwiceSignedArea(contours[k]) < 0) {
            std::reverse(contours[k].begin() + 1, contours[k].end());
        }
        outline.AddContour(contours[k], depth);
    }
    return outline;
}

bool PointInContour(const std::vector<QPoint>& contour, QPoint p) {
    std::vector<QPoint> pts;
    for (const QPoint& q : contour) {
        if (pts.empty() || pts.back() != q) {
            pts.push_back(q);
        }
    }
    while (pts.size() > 1 && pts.front() == pts.back()) {
        pts.pop_back();
    }
    // Each edge counts for the lower end of its y range and not the upper, so a line through a
    // vertex crosses only where the contour passes from one side to the other.
    int left = 0;
    int right = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const QPoint a = pts[i];
        const QPoint b = pts[(i + 1) % pts.size()];
        if (std::min(a.y(), b.y()) <= p.y() && p.y() < std::max(a.y(), b.y())) {
            const long double x =
                a.x() + static_cast<long double>(p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (x < p.x())
                ++left;
            if (x > p.x())
                ++right;
        }
    }
    return (left % 2 == 1) && (right % 2 == 1);
}

bool PointInContour(const std::vector<QPoint>& contour, long double px, long double py) {
    int left = 0;
    int right = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const QPoint prev = contour[(i + contour.size() - 1) % contour.size()];
        const QPoint q = contour[i];
        if ((prev.y() <= py && py < q.y()) || (q.y() < py && py <= prev.y())) {
            const long double x = (py - prev.y()) * (q.x() - prev.x()) / (q.y() - prev.y()) + prev.x();
            if (px < x)
                ++left;
            if (px > x)
                ++right;
        }
    }
    return (left % 2 == 1) && (right % 2 == 1);
}

void InsetOutline(std::vector<QPoint>& points, const std::vector<int>& counts, const std::vector<int>& depths,
                  bool moveHoles, bool moveOuter, int distance) {
    std::size_t start = 0;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const auto n = static_cast<std::size_t>(counts[k]);
        if (start + n > points.size()) {
            break;
        }
        const std::vector<QPoint> old(points.begin() + static_cast<std::ptrdiff_t>(start),
                                      points.begin() + static_cast<std::ptrdiff_t>(start + n));
        std::vector<QPoint> moved = old;
        std::vector<int> weight(n, 0);
        const bool hole = k < depths.size() && depths[k] % 2 != 0;
        for (std::size_t i = 0; i < n; ++i) {
            const QPoint u = old[i];
            std::size_t prev = i;
            std::size_t next = i;
            bool found = false;
            for (std::size_t step = 1; step < n; ++step) {
                if (old[(i + n - step) % n] != u) {
                    prev = (i + n - step) % n;
                    found = true;
                    break;
                }
            }
            if (!found) {
                continue;
            }
            for (std::size_t step = 1; step < n; ++step) {
                if (old[(i + step) % n] != u) {
                    next = (i + step) % n;
                    break;
                }
            }
            const long double e = EdgeAngle(u, old[prev]);
            const long double f = EdgeAngle(u, old[next]);
            const long double g = (e + f) / 2;
            const long double half = (e - f) / 2;
            weight[i] = std::abs(RoundEven(std::cos(half) * 1000));
            const long double sinHalf = std::fabs(std::sin(half));
            if (sinHalf < 0.001L) {
                continue;
            }
            const bool inside = PointInContour(old, u.x() + 0.011L * std::cos(g) / sinHalf,
                                               u.y() - 0.011L * std::sin(g) / sinHalf);
            QPoint d;
            if (sinHalf >= 0.5L) {
                d = QPoint(RoundEven(distance * std::cos(g) / sinHalf),
                           RoundEven(-distance * std::sin(g) / sinHalf));
            } else {
                // Sharper than 60°: the miter is capped.
                d = QPoint(RoundEven(2.0L * distance * std::cos(g)),
                           RoundEven(-2.0L * distance * std::sin(g)));
            }
            if (!hole) {
                if (!inside) {
                    moved[i] = u - d;
                } else if (moveOuter) {
                    moved[i] = u + d;
                }
            } else {
                if (!inside) {
                    moved[i] = u + d;
                } else if (moveHoles) {
                    moved[i] = u - d;
                }
            }
        }

        // Neighbouring moves that cross each other: the weaker vertex follows the stronger one.
        bool again = n > 1;
        for (std::size_t pass = 0; again && pass < 4 * n + 16; ++pass) {
            again = false;
            for (std::size_t t = 0; t < n; ++t) {
                const std::size_t u = (t + 1) % n;
                if (u == t || !MovesCross(old[t], moved[t], old[u], moved[u])) {
                    continue;
                }
                if (weight[t] < weight[u]) {
                    moved[t] = moved[u];
                    weight[t] = weight[u];
                    again = true;
                } else {
                    moved[u] = moved[t];
                    weight[u] = weight[t];
                }
            }
        }
        std::copy(moved.begin(), moved.end(), points.begin() + static_cast<std::ptrdiff_t>(start));
        start += n;
    }
}

BevelBands SplitBevelBands(const std::vector<QPoint>& outer, const std::vector<QPoint>& inner,
                           const std::vector<int>& counts, const std::vector<int>& depths) {
    BevelBands bands;
    std::size_t start = 0;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const auto n = static_cast<std::size_t>(counts[k]);
        if (start + n > outer.size() || start + n > inner.size()) {
            break;
        }
        const bool hole = k < depths.size() && depths[k] % 2 != 0;
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t a = start + j;
            const std::size_t b = start + (j + 1) % n;
            const int dx = outer[b].x() - outer[a].x();
            const int dy = outer[b].y() - outer[a].y();
            const bool first = hole ? !(dx >= 0 && dy < dx) : dy < dx;
            auto& list = first ? bands.first : bands.second;
            auto& listCounts = first ? bands.firstCounts : bands.secondCounts;
            list.insert(list.end(), {outer[a], inner[a], inner[b], outer[b]});
            listCounts.push_back(4);
        }
        start += n;
    }
    return bands;
}

void ThinOutline(Outline& outline, int minimum) {
    const long double limit = std::max(2, minimum);
    Outline thin;
    std::size_t start = 0;
    for (std::size_t k = 0; k < outline.counts.size(); ++k) {
        const auto n = static_cast<std::size_t>(outline.counts[k]);
        std::vector<QPoint> kept;
        for (std::size_t i = start; i < start + n && i < outline.points.size(); ++i) {
            if (kept.empty() || Distance(outline.points[i], kept.back()) > limit) {
                kept.push_back(outline.points[i]);
            }
        }
        if (kept.size() >= 3) {
            thin.AddContour(kept, k < outline.depths.size() ? outline.depths[k] : 0);
        }
        start += n;
    }
    outline = std::move(thin);
}

QRegion OutlineToRegion(const Outline& outline) {
    std::vector<QRegion> contours;
    std::size_t start = 0;
    int deepest = 0;
    for (std::size_t k = 0; k < outline.counts.size(); ++k) {
        const auto n = static_cast<std::size_t>(outline.counts[k]);
        QPolygon polygon;
        for (std::size_t i = start; i < start + n && i < outline.points.size(); ++i) {
            polygon.append(outline.points[i]);
        }
        contours.emplace_back(polygon, Qt::OddEvenFill);
        deepest = std::max(deepest, k < outline.depths.size() ? outline.depths[k] : 0);
        start += n;
    }
    QRegion result;
    bool started = false;
    for (int level = 0; level <= deepest; ++level) {
        for (std::size_t k = 0; k < contours.size(); ++k) {
            if ((k < outline.depths.size() ? outline.depths[k] : 0) != level) {
                continue;
            }
            if (!started) {
                result = contours[k];
                started = true;
            } else if (level % 2 != 0) {
                result -= contours[k];
            } else {
                result += contours[k];
            }
        }
    }
    return result;
}

QRegion PolyPolygonRegion(const std::vector<QPoint>& points, const std::vector<int>& counts) {
    // Under the alternate rule a pixel belongs to the result when an odd number of the polygons
    // cover it: the exclusive-or of the polygons' regions, combined pairwise so that each step joins
    // regions of similar size.
    std::vector<QRegion> parts;
    parts.reserve(counts.size());
    std::size_t start = 0;
    for (int count : counts) {
        if (count <= 0 || start + static_cast<std::size_t>(count) > points.size()) {
            break;
        }
        QPolygon polygon(count);
        for (int i = 0; i < count; ++i) {
            polygon[i] = points[start + static_cast<std::size_t>(i)];
        }
        parts.emplace_back(polygon, Qt::OddEvenFill);
        start += static_cast<std::size_t>(count);
    }
    while (parts.size() > 1) {
        std::vector<QRegion> next;
        next.reserve((parts.size() + 1) / 2);
        for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
            next.push_back(parts[i].xored(parts[i + 1]));
        }
        if (parts.size() % 2 == 1) {
            next.push_back(parts.back());
        }
        parts = std::move(next);
    }
    return parts.empty() ? QRegion() : parts.front();
}

}  // namespace face
