#include <gtest/gtest.h>

#include <QSet>
#include <atomic>
#include <thread>

#include "VariedFaces.h"
#include "face/ColorRules.h"
#include "face/FaceEngine.h"

using namespace face;

TEST(FaceEngine, TheSameFacesOnOneThreadAndOnFour) {
    const std::vector<testsupport::VariedFace> faces = testsupport::VariedFaces();
    std::vector<QImage> single;
    for (const testsupport::VariedFace& f : faces) {
        single.push_back(RenderFace(f.properties, f.state));
    }
    // The faces really differ, so equal results mean something.
    QSet<QByteArray> distinct;
    for (const QImage& image : single) {
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                   static_cast<qsizetype>(image.sizeInBytes())));
    }
    EXPECT_GT(distinct.size(), 190);

    // Four threads take the faces in turn from one counter, twice over, so each face is painted
    // while the others paint theirs.
    std::vector<QImage> parallel(faces.size() * 2);
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&] {
            for (std::size_t k = next++; k < parallel.size(); k = next++) {
                const testsupport::VariedFace& f = faces[k % faces.size()];
                parallel[k] = RenderFace(f.properties, f.state);
            }
        });
    }
    for (std::thread& w : workers) {
        w.join();
    }
    for (std::size_t k = 0; k < parallel.size(); ++k) {
        const std::size_t i = k % faces.size();
        ASSERT_EQ(parallel[k].size(), single[i].size()) << "face " << i;
        EXPECT_TRUE(parallel[k] == single[i]) << "face " << i;
    }
}

TEST(FaceEngine, AFaceIsItsPropertiesAndStateAlone) {
    FaceProperties p;
    p.buttonWidth = 60;
    p.buttonHeight = 20;
    p.buttonColor = 0x00E0E0E0;
    p.button3DKind = dkFlatten;
    p.buttonDepth = 2;
    p.caption = QStringLiteral("Go");
    p.font = QFont(QStringLiteral("DejaVu Sans"));
    p.font.setPixelSize(12);
    p.fontColor = 0x00000000;
    const QImage plain = RenderFace(p, FaceState{});
    EXPECT_EQ(plain.size(), QSize(60, 20));
    // Painting the same face again gives the same pixels; another state or caption others.
    EXPECT_TRUE(RenderFace(p, FaceState{}) == plain);
    const QImage inside = RenderFace(p, FaceState{true, false, true, false});
    EXPECT_FALSE(inside == plain);
    // The flat kind shows its frame only while the mouse is inside: dark on a bright colour.
    EXPECT_EQ(plain.pixel(0, 10), ToQColor(p.buttonColor).rgb());
    EXPECT_EQ(inside.pixel(0, 10), ToQColor(DarkerColor(DarkerColor(p.buttonColor))).rgb());
    p.caption = QStringLiteral("Gone");
    EXPECT_FALSE(RenderFace(p, FaceState{}) == plain);

    // A button of no size still has a face of one pixel, in the button colour.
    FaceProperties empty;
    empty.buttonColor = 0x00123456;
    const QImage dot = RenderFace(empty, FaceState{});
    EXPECT_EQ(dot.size(), QSize(1, 1));
    EXPECT_EQ(dot.pixel(0, 0), ToQColor(0x00123456).rgb());

    // Without a button colour a new face starts from black; painting over an old face keeps it.
    FaceProperties none = p;
    none.buttonColor = clNone;
    none.button3DKind = dkNone;
    none.caption.clear();
    EXPECT_EQ(RenderFace(none, FaceState{}).pixel(30, 10), qRgb(0, 0, 0));
    QImage old(60, 20, QImage::Format_RGB32);
    old.fill(qRgb(9, 99, 199));
    PaintFace(old, none, FaceState{}, FaceShapeRegions(none, QSize(60, 20)), QSize(60, 20), QSize(60, 20));
    EXPECT_EQ(old.pixel(30, 10), qRgb(9, 99, 199));
}
