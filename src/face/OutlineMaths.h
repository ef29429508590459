#pragma once

#include <QPoint>
#include <QRegion>
#include <cstdint>
#include <vector>

// Polygon and region geometry of the button component: regions to contours and back, rotation,
// insetting outlines, the bevel bands between an outline and its inset, and thinning. All angles are
// integers in tenths of a degree, counter-clockwise on screen; rounding is to nearest, ties to even.
namespace face {

// Points of one or more contours, one after the other, with each contour's point count and depth
// (0 for an outer boundary, 1 for a hole, 2 for an island in a hole, …).
struct Outline {
    std::vector<QPoint> points;
    std::vector<int> counts;
    std::vector<int> depths;

    bool operator==(const Outline&) const = default;
    bool Empty() const { return points.empty(); }
    // Appends one contour.
    void AddContour(const std::vector<QPoint>& contour, int depth);
    // The points of contour k.
    std::vector<QPoint> Contour(std::size_t k) const;
};

// Round to nearest, ties to even.
int RoundEven(long double v);

void RotatePoints(std::vector<QPoint>& points, int angle);
void RotateAboutPoint(std::vector<QPoint>& points, int cx, int cy, int angle);

// Twice the area a contour encloses: positive when it runs clockwise on screen.
std::int64_t TwiceSignedArea(const std::vector<QPoint>& contour);

// The boundary contours of a region, traced through the corners of its rectangles, simplified,
// with their depths. Every contour runs clockwise on screen, holes and islands as well.
Outline RegionToOutline(const QRegion& region);

// Whether a point lies inside a closed contour (crossings counted left and right of it, both odd).
bool PointInContour(const std::vector<QPoint>& contour, QPoint p);
bool PointInContour(const std::vector<QPoint>& contour, long double px, long double py);

// Moves every vertex by `distance` along its bisector: into the solid part when both flags are set.
void InsetOutline(std::vector<QPoint>& points, const std::vector<int>& counts, const std::vector<int>& depths,
                  bool moveHoles, bool moveOuter, int distance);

// The quadrilaterals between an outline and its inset (same indexing), split into the band lit from
// the top left (first) and the shaded band (second).
struct BevelBands {
    std::vector<QPoint> first;
    std::vector<int> firstCounts;
    std::vector<QPoint> second;
    std::vector<int> secondCounts;
};
BevelBands SplitBevelBands(const std::vector<QPoint>& outer, const std::vector<QPoint>& inner,
                           const std::vector<int>& counts, const std::vector<int>& depths);

// Drops points closer than max(2, minimum) to the last kept point; contours left with fewer than 3
// points are removed.
void ThinOutline(Outline& outline, int minimum);

// One region of the outline: contours level by level, holes subtracted and islands added back.
QRegion OutlineToRegion(const Outline& outline);

// A region of several polygons with the alternate fill rule across all of them.
QRegion PolyPolygonRegion(const std::vector<QPoint>& points, const std::vector<int>& counts);

}  // namespace face
