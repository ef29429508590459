#include <gtest/gtest.h>

#include "face/ButtonShapes.h"

using namespace face;

namespace {

std::vector<QPoint> Points(TLumoButtonKind kind, int w, int h, int d = 2, int peaks = 6, int radius = -1) {
    ShapeParams p;
    p.cornerRadius = radius;
    p.kind = kind;
    p.width = w;
    p.height = h;
    p.depth = d;
    p.peaks = peaks;
    return BuildKindOutline(p).outline.points;
}

}  // namespace

TEST(ButtonShapes, StraightKinds) {
    EXPECT_EQ(Points(bkRect, 120, 60), (std::vector<QPoint>{{0, 0}, {120, 0}, {120, 60}, {0, 60}}));
    EXPECT_EQ(Points(bkArrow, 120, 60),
              (std::vector<QPoint>{{0, 20}, {60, 20}, {60, 0}, {120, 30}, {60, 60}, {60, 40}, {0, 40}}));
    EXPECT_EQ(Points(bkArrow1, 120, 60), (std::vector<QPoint>{{0, 60},
                                                              {0, 15},
                                                              {10, 10},
                                                              {80, 10},
                                                              {80, 0},
                                                              {120, 15},
                                                              {80, 30},
                                                              {80, 20},
                                                              {25, 20},
                                                              {20, 22},
                                                              {20, 60}}));
    EXPECT_EQ(Points(bkArrow2, 120, 60), (std::vector<QPoint>{{20, 0},
                                                              {20, 37},
                                                              {25, 40},
                                                              {80, 40},
                                                              {80, 30},
                                                              {120, 45},
                                                              {80, 60},
                                                              {80, 50},
                                                              {10, 50},
                                                              {0, 45},
                                                              {0, 0}}));
    EXPECT_EQ(Points(bkCutRect, 120, 60),
              (std::vector<QPoint>{{0, 10}, {20, 0}, {120, 0}, {120, 50}, {100, 60}, {0, 60}}));
    const auto cross = Points(bkCross, 90, 45);
    ASSERT_EQ(cross.size(), 24u);
    EXPECT_EQ(cross[0], QPoint(20, 15));
    EXPECT_EQ(cross[9], QPoint(90, 20));
    const auto cross1 = Points(bkCross1, 90, 45);
    ASSERT_EQ(cross1.size(), 20u);
    EXPECT_EQ(cross1[2], QPoint(40, 10));
    EXPECT_EQ(cross1[10], QPoint(90, 45));
}

TEST(ButtonShapes, RoundedCornersFollowTheDepth) {
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 0), Points(bkRect, 100, 30));
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 3),
              (std::vector<QPoint>{{6, 0},    {94, 0},  {96, 0},  {98, 2},  {100, 4}, {100, 6}, {100, 24},
                                   {100, 26}, {98, 28}, {96, 30}, {94, 30}, {6, 30},  {4, 30},  {2, 28},
                                   {0, 26},   {0, 24},  {0, 6},   {0, 4},   {2, 2},   {4, 0}}));
}

TEST(ButtonShapes, AGivenCornerRadiusReplacesTheDepthRuleUpToHalfTheSmallerSide) {
    // Radius 6 with no border gives the corners depth 3 gives by the rule.
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 0, 6, 6), Points(bkRoundRect, 100, 30, 3));
    // The depth no longer matters once a radius is given; -1 keeps the rule.
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 5, 6, 6), Points(bkRoundRect, 100, 30, 3));
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 3, 6, -1), Points(bkRoundRect, 100, 30, 3));
    // Radius 0 is the rectangle.
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 4, 6, 0), Points(bkRect, 100, 30));
    // Half the smaller side (15 of 30) is the largest radius: the ends are half circles, and a
    // larger radius gives the same outline.
    const auto pill = Points(bkRoundRect, 100, 30, 0, 6, 15);
    EXPECT_EQ(pill.front(), QPoint(15, 0));
    EXPECT_EQ(pill[1], QPoint(85, 0));
    EXPECT_EQ(pill[5], QPoint(100, 15));  // the right end's middle: the two corner arcs meet
    EXPECT_EQ(pill[6], QPoint(100, 15));
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 0, 6, 16), pill);
    EXPECT_EQ(Points(bkRoundRect, 100, 30, 0, 6, 1000), pill);
    // On a tall button the width is the smaller side.
    EXPECT_EQ(Points(bkRoundRect, 20, 80, 0, 6, 50), Points(bkRoundRect, 20, 80, 0, 6, 10));
}

TEST(ButtonShapes, EllipsesPolygonsAndStars) {
    const auto ellipse = Points(bkElliptic, 100, 40, 2);
    ASSERT_EQ(ellipse.size(), 50u);
    EXPECT_EQ(ellipse[0], QPoint(50, 0));  // the top centre first
    EXPECT_EQ(ellipse[25], QPoint(50, 40));
    EXPECT_EQ(ellipse[12], QPoint(100, 19));
    EXPECT_EQ(Points(bkElliptic, 100, 40, 8).size(), 12u);

    EXPECT_EQ(Points(bkPoly, 100, 100, 2, 4), (std::vector<QPoint>{{50, 0}, {100, 50}, {50, 100}, {0, 50}}));
    const auto star4 = Points(bkPolyStar, 90, 90, 2, 4);
    ASSERT_EQ(star4.size(), 8u);
    EXPECT_EQ(star4[0], QPoint(45, 0));
    EXPECT_EQ(star4[1], QPoint(56, 34));  // inner radius a third of the outer
    EXPECT_EQ(star4[3], QPoint(56, 56));
    const auto star6 = Points(bkPolyStar, 120, 120, 2, 6);
    ASSERT_EQ(star6.size(), 12u);
    EXPECT_EQ(star6[1], QPoint(77, 30));  // cos 60° / cos 30°
}

TEST(ButtonShapes, DonutHasAHole) {
    ShapeParams p;
    p.kind = bkDonut;
    p.width = 100;
    p.height = 100;
    p.depth = 10;
    const Outline o = BuildKindOutline(p).outline;
    EXPECT_EQ(o.counts, (std::vector<int>{20, 20}));
    EXPECT_EQ(o.depths, (std::vector<int>{0, 1}));
    EXPECT_EQ(o.points[20], QPoint(50, 25));
    const QRegion ring = OutlineToRegion(o);
    EXPECT_TRUE(ring.contains(QPoint(50, 10)));
    EXPECT_FALSE(ring.contains(QPoint(50, 50)));
}

TEST(ButtonShapes, ArcsSetTheirHeight) {
    ShapeParams p;
    p.kind = bkArc;
    p.width = 100;
    p.height = 30;
    p.depth = 2;
    p.arcAngle = 0.05;
    KindOutline k = BuildKindOutline(p);
    EXPECT_EQ(k.outline.points, Points(bkRect, 100, 30));
    EXPECT_EQ(k.height, 30);

    p.arcAngle = 2.0943951023931957;  // 120°
    k = BuildKindOutline(p);
    EXPECT_EQ(k.height, 44);
    ASSERT_EQ(k.outline.points.size(), 75u);  // 50 outer points, 25 inner
    EXPECT_EQ(k.outline.points[0], QPoint(0, 29));
    EXPECT_EQ(k.outline.points[49], QPoint(100, 29));
    EXPECT_EQ(k.outline.points[74], QPoint(25, 44));  // the inner arc runs backwards

    p.arcAngle = 4.0;
    k = BuildKindOutline(p);
    EXPECT_EQ(k.height, 71);

    // Too few steps for the spacing formula: one point at the middle of the arc.
    p.width = 3;
    p.height = 1;
    p.depth = 2;
    p.arcAngle = 2.0;
    k = BuildKindOutline(p);
    EXPECT_EQ(k.outline.points, std::vector<QPoint>{QPoint(2, 0)});
}

TEST(ButtonShapes, UserOutlinesScaleToTheButton) {
    ShapeParams p;
    p.kind = bkUser;
    p.width = 100;
    p.height = 50;
    p.depth = 0;
    EXPECT_EQ(BuildKindOutline(p).outline.points, Points(bkRect, 100, 50));
    Outline user;
    user.AddContour({{10, 10}, {30, 10}, {30, 20}, {10, 20}}, 0);
    p.userOutline = &user;
    p.userBox = QRect(10, 10, 20, 10);
    EXPECT_EQ(BuildKindOutline(p).outline.points, Points(bkRect, 100, 50));
}

TEST(ButtonShapes, RegionsOfARectangle) {
    ShapeParams p;
    p.width = 89;
    p.height = 17;
    const Outline o = BuildKindOutline(p).outline;
    ShapeRegions r = BuildShapeRegions(o, 89, 17, 0, dkNone, 0, 89, 17);
    EXPECT_EQ(r.window, QRegion(0, 0, 89, 17));
    EXPECT_TRUE(r.highlightBand.isEmpty());
    EXPECT_TRUE(r.shadowBand.isEmpty());
    EXPECT_EQ(r.outline, r.innerOutline);
    EXPECT_EQ(r.focus, QRegion(4, 4, 81, 9));

    r = BuildShapeRegions(o, 89, 17, 2, dk3dBorder, 0, 89, 17);
    EXPECT_EQ(r.innerOutline, QRegion(4, 4, 81, 9));
    EXPECT_EQ(r.focus, QRegion(8, 8, 73, 1));
    EXPECT_TRUE(r.highlightBand.contains(QPoint(40, 0)));
    EXPECT_TRUE(r.shadowBand.contains(QPoint(88, 8)));
    EXPECT_TRUE(r.innerHighlightBand.contains(QPoint(40, 2)));
    EXPECT_FALSE(r.innerHighlightBand.contains(QPoint(40, 0)));

    // Turned a quarter, the regions stand in the turned bounds.
    r = BuildShapeRegions(o, 89, 17, 0, dkNone, 900, 17, 89);
    // Points and the shift are rounded separately: the turned rectangle may sit one pixel off.
    EXPECT_EQ(r.window.boundingRect().size(), QSize(17, 89));
    EXPECT_LE(std::abs(r.window.boundingRect().top()), 1);
    EXPECT_EQ(RotatedBounds(89, 17, 900), QSize(17, 89));
    EXPECT_EQ(RotatedBounds(100, 20, 450), QSize(85, 85));
}
