#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "face/OutlineMaths.h"
#include "face/RegionData.h"

using namespace face;

namespace {

std::vector<QPoint> Rotated(std::vector<QPoint> pts, int angle) {
    RotatePoints(pts, angle);
    return pts;
}

Outline Rect(int w, int h) {
    Outline o;
    o.AddContour({{0, 0}, {w, 0}, {w, h}, {0, h}}, 0);
    return o;
}

}  // namespace

TEST(OutlineMaths, RotationAboutTheOriginAndAboutACentre) {
    EXPECT_EQ(Rotated({{10, 0}}, 900), (std::vector<QPoint>{{0, -10}}));
    EXPECT_EQ(Rotated({{10, 0}}, 1800), (std::vector<QPoint>{{-10, 0}}));
    EXPECT_EQ(Rotated({{0, -10}}, 900), (std::vector<QPoint>{{-10, 0}}));
    EXPECT_EQ(Rotated({{37, -5}, {0, 0}}, 0), (std::vector<QPoint>{{37, -5}, {0, 0}}));
    EXPECT_EQ(Rotated({{0, 0}}, 1234), (std::vector<QPoint>{{0, 0}}));
    EXPECT_EQ(Rotated({{10, 0}}, -900), (std::vector<QPoint>{{0, 10}}));

    // A 100 × 20 rectangle turned a quarter about its centre stands 20 wide and 100 high there.
    std::vector<QPoint> pts = {{0, 0}, {100, 0}, {100, 20}, {0, 20}};
    RotateAboutPoint(pts, 50, 10, 900);
    EXPECT_EQ(pts, (std::vector<QPoint>{{40, 60}, {40, -40}, {60, -40}, {60, 60}}));
    std::vector<QPoint> origin = {{3, 4}};
    RotateAboutPoint(origin, 0, 0, 1800);
    EXPECT_EQ(origin, (std::vector<QPoint>{{-3, -4}}));
    EXPECT_EQ(RoundEven(2.5L), 2);
    EXPECT_EQ(RoundEven(3.5L), 4);
    EXPECT_EQ(RoundEven(-2.5L), -2);
}

TEST(OutlineMaths, RegionsBecomeContoursWithDepths) {
    Outline o = RegionToOutline(QRegion(0, 0, 100, 20));
    EXPECT_EQ(o.points, (std::vector<QPoint>{{0, 0}, {100, 0}, {100, 20}, {0, 20}}));
    EXPECT_EQ(o.counts, std::vector<int>{4});
    EXPECT_EQ(o.depths, std::vector<int>{0});
    EXPECT_TRUE(RegionToOutline(QRegion()).Empty());

    const QRegion holed = QRegion(0, 0, 100, 100) - QRegion(30, 30, 40, 40);
    o = RegionToOutline(holed);
    ASSERT_EQ(o.counts, (std::vector<int>{4, 4}));
    EXPECT_EQ(o.depths, (std::vector<int>{0, 1}));
    EXPECT_EQ(o.Contour(0), (std::vector<QPoint>{{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    std::vector<QPoint> hole = o.Contour(1);
    std::sort(hole.begin(), hole.end(),
              [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
    EXPECT_EQ(hole, (std::vector<QPoint>{{30, 30}, {30, 70}, {70, 30}, {70, 70}}));
    EXPECT_EQ(OutlineToRegion(o), holed);

    // An L shape: the inner corner is concave.
    const QRegion ell = QRegion(0, 0, 10, 5) + QRegion(0, 5, 20, 5);
    o = RegionToOutline(ell);
    EXPECT_EQ(o.points, (std::vector<QPoint>{{0, 0}, {10, 0}, {10, 5}, {20, 5}, {20, 10}, {0, 10}}));
    EXPECT_EQ(OutlineToRegion(o), ell);
}

TEST(OutlineMaths, DiagonallyTouchingRectanglesShareOneContour) {
    const QRegion pair = QRegion(0, 0, 10, 10) + QRegion(10, 10, 10, 10);
    const Outline o = RegionToOutline(pair);
    ASSERT_EQ(o.counts, std::vector<int>{8});
    EXPECT_EQ(std::count(o.points.begin(), o.points.end(), QPoint(10, 10)), 2);
    EXPECT_EQ(OutlineToRegion(o), pair);
}

TEST(OutlineMaths, StaircasesAreSimplifiedToTheirSlope) {
    // One-pixel steps lie within 1/√2 of the line through their neighbours.
    QRegion stairs;
    for (int i = 0; i < 20; ++i) {
        stairs += QRect(0, i, 20 - i, 1);
    }
    const Outline o = RegionToOutline(stairs);
    ASSERT_EQ(o.counts.size(), 1u);
    EXPECT_LT(o.counts[0], 40);  // 42 corners before simplification
    EXPECT_GE(o.counts[0], 3);
    // The square corners far from the steps are kept.
    EXPECT_EQ(o.points[0], QPoint(0, 0));
    EXPECT_NE(std::find(o.points.begin(), o.points.end(), QPoint(0, 20)), o.points.end());
}

TEST(OutlineMaths, PointsInsideContours) {
    const std::vector<QPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInContour(square, QPoint(5, 5)));
    EXPECT_FALSE(PointInContour(square, QPoint(15, 5)));
    EXPECT_FALSE(PointInContour(square, QPoint(0, 5)));  // on the edge: no crossing strictly left
    EXPECT_TRUE(PointInContour(square, 0.5L, 0.5L));
    EXPECT_FALSE(PointInContour(square, -0.5L, 0.5L));
    // A line through a vertex counts only where the contour passes through.
    const std::vector<QPoint> diamond = {{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    EXPECT_TRUE(PointInContour(diamond, QPoint(5, 5)));
    EXPECT_FALSE(PointInContour(diamond, QPoint(11, 5)));
    const std::vector<QPoint> withDuplicates = {{0, 0}, {0, 0}, {10, 0}, {10, 10}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInContour(withDuplicates, QPoint(5, 5)));
}

TEST(OutlineMaths, InsettingMovesVerticesIntoTheSolidPart) {
    Outline o = Rect(100, 20);
    InsetOutline(o.points, o.counts, o.depths, true, true, 3);
    EXPECT_EQ(o.points, (std::vector<QPoint>{{3, 3}, {97, 3}, {97, 17}, {3, 17}}));

    // A vertex in the middle of a straight edge moves straight in and stays on the inset edge.
    Outline straight;
    straight.AddContour({{0, 0}, {50, 0}, {100, 0}, {100, 20}, {0, 20}}, 0);
    InsetOutline(straight.points, straight.counts, straight.depths, true, true, 3);
    EXPECT_EQ(straight.points[1], QPoint(50, 3));
    EXPECT_EQ(straight.points[0], QPoint(3, 3));

    // A vertex whose two edges leave in the same direction has no bisector to move along: it stays.
    Outline folded;
    folded.AddContour({{0, 0}, {60, 0}, {0, 0}, {0, 20}}, 0);
    InsetOutline(folded.points, folded.counts, folded.depths, true, true, 3);
    EXPECT_EQ(folded.points[1], QPoint(60, 0));

    // A sharp point moves by twice the distance instead of along its long miter.
    Outline spike;
    spike.AddContour({{0, 0}, {100, 5}, {0, 10}}, 0);
    InsetOutline(spike.points, spike.counts, spike.depths, true, true, 3);
    EXPECT_EQ(spike.points[1], QPoint(94, 5));

    // A hole grows: its vertices move away from the hole's inside.
    Outline holed = Rect(100, 100);
    holed.AddContour({{30, 30}, {30, 70}, {70, 70}, {70, 30}}, 1);
    InsetOutline(holed.points, holed.counts, holed.depths, true, true, 2);
    EXPECT_EQ(holed.Contour(1), (std::vector<QPoint>{{28, 28}, {28, 72}, {72, 72}, {72, 28}}));

    // Without the flags only vertices whose bisector points outwards move (inwards, against it).
    Outline kept = Rect(10, 10);
    InsetOutline(kept.points, kept.counts, kept.depths, false, false, 2);
    EXPECT_EQ(kept.points, (std::vector<QPoint>{{0, 0}, {10, 0}, {8, 8}, {0, 10}}));

    Outline single;
    single.AddContour({{4, 4}, {4, 4}, {4, 4}}, 0);
    InsetOutline(single.points, single.counts, single.depths, true, true, 5);
    EXPECT_EQ(single.points, (std::vector<QPoint>{{4, 4}, {4, 4}, {4, 4}}));
}

TEST(OutlineMaths, BevelBandsLightTheTopAndLeft) {
    Outline outer = Rect(100, 30);
    Outline inner = outer;
    InsetOutline(inner.points, inner.counts, inner.depths, true, true, 2);
    const BevelBands bands = SplitBevelBands(outer.points, inner.points, outer.counts, outer.depths);
    EXPECT_EQ(bands.firstCounts, (std::vector<int>{4, 4}));
    EXPECT_EQ(bands.secondCounts, (std::vector<int>{4, 4}));
    const QRegion lit = PolyPolygonRegion(bands.first, bands.firstCounts);
    const QRegion shaded = PolyPolygonRegion(bands.second, bands.secondCounts);
    EXPECT_TRUE(lit.contains(QPoint(50, 0)));
    EXPECT_TRUE(lit.contains(QPoint(0, 15)));
    EXPECT_TRUE(shaded.contains(QPoint(99, 15)));
    EXPECT_TRUE(shaded.contains(QPoint(50, 29)));
    EXPECT_FALSE(lit.contains(QPoint(50, 15)));
    EXPECT_TRUE((lit & shaded).isEmpty());

    // A hole, traced the other way round: its left and top edges go to the first band.
    Outline hole;
    hole.AddContour({{30, 30}, {30, 70}, {70, 70}, {70, 30}}, 1);
    const BevelBands holeBands = SplitBevelBands(hole.points, hole.points, hole.counts, hole.depths);
    ASSERT_EQ(holeBands.firstCounts.size(), 2u);
    EXPECT_EQ(holeBands.first[0], QPoint(30, 30));
    EXPECT_EQ(holeBands.first[3], QPoint(30, 70));
    EXPECT_EQ(holeBands.first[4], QPoint(70, 30));
    EXPECT_EQ(holeBands.first[7], QPoint(30, 30));
    EXPECT_EQ(holeBands.secondCounts.size(), 2u);
}

TEST(OutlineMaths, ThinningDropsClosePointsAndTinyContours) {
    Outline o;
    o.AddContour({{0, 0}, {1, 0}, {5, 0}, {5, 1}, {5, 5}, {0, 5}}, 0);
    o.AddContour({{0, 0}, {1, 1}, {2, 2}}, 1);
    ThinOutline(o, 0);
    EXPECT_EQ(o.points, (std::vector<QPoint>{{0, 0}, {5, 0}, {5, 5}, {0, 5}}));
    EXPECT_EQ(o.counts, std::vector<int>{4});
    EXPECT_EQ(o.depths, std::vector<int>{0});
}

TEST(OutlineMaths, RandomRegionsSurviveTheRoundTrip) {
    QRandomGenerator rng(1234);
    for (int trial = 0; trial < 200; ++trial) {
        QRegion region;
        const int rects = 1 + rng.bounded(8);
        for (int i = 0; i < rects; ++i) {
            // Corners on a 4-pixel grid: every boundary step is longer than the simplification keeps.
            const int x = 4 * rng.bounded(16);
            const int y = 4 * rng.bounded(16);
            const int w = 4 * (1 + rng.bounded(8));
            const int h = 4 * (1 + rng.bounded(8));
            region = rng.bounded(3) == 0 ? region - QRegion(x, y, w, h) : region + QRegion(x, y, w, h);
        }
        const Outline o = RegionToOutline(region);
        EXPECT_EQ(OutlineToRegion(o), region) << "trial " << trial;
    }
}

TEST(OutlineMaths, ArbitraryInputNeverCrashesOrHangs) {
    QRandomGenerator rng(99);
    for (int trial = 0; trial < 300; ++trial) {
        QByteArray block(rng.bounded(200), '\0');
        for (char& c : block) {
            c = static_cast<char>(rng.bounded(256));
        }
        if (trial % 2 == 0 && block.size() >= 32) {
            // Mostly valid headers, so the rectangles are read.
            const QByteArray header = EncodeRegionData(QRegion(0, 0, 1, 1)).left(8);
            block.replace(0, 8, header);
            block[8] = static_cast<char>((block.size() - 32) / 16);
            block[9] = block[10] = block[11] = 0;
        }
        const std::optional<QRegion> region = DecodeRegionData(block);
        if (region) {
            const Outline o = RegionToOutline(*region);
            OutlineToRegion(o);
        }

        Outline poly;
        std::vector<QPoint> pts;
        const int n = rng.bounded(12);
        for (int i = 0; i < n; ++i) {
            pts.emplace_back(rng.bounded(-50, 50), rng.bounded(-50, 50));
        }
        poly.AddContour(pts, static_cast<int>(rng.bounded(3)));
        InsetOutline(poly.points, poly.counts, poly.depths, rng.bounded(2) == 1, rng.bounded(2) == 1,
                     rng.bounded(-10, 10));
        Outline inset = poly;
        ThinOutline(inset, rng.bounded(5));
        OutlineToRegion(poly);
    }
    SUCCEED();
}

TEST(RegionData, BlocksAndTheirTextForm) {
    const QRegion region = QRegion(0, 0, 10, 5) + QRegion(0, 5, 20, 5);
    const QByteArray block = EncodeRegionData(region);
    ASSERT_EQ(block.size(), 32 + 16 * region.rectCount());
    EXPECT_EQ(block.left(8).toHex(), QByteArray("2000000001000000"));
    EXPECT_EQ(DecodeRegionData(block), std::optional<QRegion>(region));

    EXPECT_EQ(DecodeRegionData(QByteArray(10, '\0')), std::nullopt);
    QByteArray wrongType = block;
    wrongType[4] = 2;
    EXPECT_EQ(DecodeRegionData(wrongType), std::nullopt);
    QByteArray tooMany = block;
    tooMany[8] = 100;
    EXPECT_EQ(DecodeRegionData(tooMany), std::nullopt);

    EXPECT_EQ(DecodeRegionText(QString("!") + QChar(128) + "!" + QChar(255)).toHex(), QByteArray("007f"));
    EXPECT_EQ(DecodeRegionText(QStringLiteral("!\u20ac")).toHex(), QByteArray("00"));  // € is code 128
    EXPECT_EQ(DecodeRegionText(QStringLiteral("Ax!")).toHex(),
              QByteArray("41"));  // an odd last character is unused
    EXPECT_EQ(DecodeRegionText(EncodeRegionText(block)), block);
}
