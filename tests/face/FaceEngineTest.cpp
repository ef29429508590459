#include <gtest/gtest.h>

#include <QFontMetrics>
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

TEST(FaceEngine, AShapeMadeOnceServesEveryCaptionOfItsSize) {
    // The regions are made for the face without its caption and in another state; painted with
    // them, every face is the one RenderFace gives (arcs, rotations and user shapes included).
    for (const testsupport::VariedFace& f : testsupport::VariedFaces()) {
        FaceProperties uncaptioned = f.properties;
        uncaptioned.caption.clear();
        const ShapedFace shape = ShapeOf(uncaptioned);
        const ShapeRegions regions = FaceShapeRegions(shape.properties, shape.bounds);
        ShapedFace captioned = ShapeOf(f.properties);
        ASSERT_EQ(captioned.bounds, shape.bounds);
        EXPECT_TRUE(RenderShapedFace(captioned, regions, f.state) == RenderFace(f.properties, f.state))
            << f.properties.caption.toStdString();
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

namespace {

FaceProperties CaptionFace(TLumoCaption3dKind kind, bool smooth, int effectOffset) {
    FaceProperties p;
    p.buttonWidth = 90;
    p.buttonHeight = 30;
    p.buttonColor = 0x00A0A0A0;
    p.button3DKind = dkNone;
    p.buttonDepth = 0;
    p.caption = QStringLiteral("Wave&s");
    p.font = QFont(QStringLiteral("DejaVu Sans"));
    p.font.setPixelSize(17);
    p.fontColor = 0x00000000;
    p.caption3dKind = kind;
    p.smoothCaption = smooth;
    p.captionEffectOffset = effectOffset;
    return p;
}

QSet<QRgb> ColoursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

QRect InkBounds(const QImage& image, QRgb background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

}  // namespace

TEST(FaceEngine, SmoothCaptionsShadeTheirEdgesInGreyWhereHardOnesHaveTwoColours) {
    const QRgb face = ToQColor(0x00A0A0A0).rgb();
    const QImage hard = RenderFace(CaptionFace(ckSimple, false, 1), FaceState{});
    const QImage smooth = RenderFace(CaptionFace(ckSimple, true, 1), FaceState{});
    EXPECT_EQ(ColoursOf(hard), (QSet<QRgb>{face, qRgb(0, 0, 0)}));
    const QSet<QRgb> shades = ColoursOf(smooth);
    EXPECT_GT(shades.size(), 8);
    for (const QRgb c : shades) {
        // Shades between the caption and the face colour, never coloured fringes.
        EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) <= 0xA0) << std::hex << c;
    }
    // The same caption in the same place: the ink differs by at most a pixel of shading.
    const QRect a = InkBounds(hard, face);
    const QRect b = InkBounds(smooth, face);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_LE(std::abs(a.left() - b.left()), 1);
    EXPECT_LE(std::abs(a.right() - b.right()), 1);
    EXPECT_LE(std::abs(a.top() - b.top()), 1);
    EXPECT_LE(std::abs(a.bottom() - b.bottom()), 1);
    // The face font measures a caption in pieces as wide as in one, smooth or not.
    for (const bool on : {false, true}) {
        const QFontMetrics fm(FaceFontOf(CaptionFace(ckSimple, on, 1).font, on));
        EXPECT_EQ(fm.horizontalAdvance("Wa") + fm.horizontalAdvance("ves"), fm.horizontalAdvance("Waves"));
    }
}

TEST(FaceEngine, EmbossedAndPressedPassesLieTheirOffsetAwayFromTheCaption) {
    // Where the light pass of an embossed caption (or the dark pass of a pressed one) shows in its own
    // colour, the plain caption, drawn the effect offset further down and right, is in ink (full ink
    // when hard, nearly full when smooth): the pass lies up and left of the caption by exactly that
    // offset, smooth or hard.
    for (const bool smooth : {false, true}) {
        for (const int offset : {1, 2}) {
            const QImage plain = RenderFace(CaptionFace(ckSimple, smooth, offset), FaceState{});
            for (const TLumoCaption3dKind kind : {ckEmbossed, ckPressed}) {
                const QImage effect = RenderFace(CaptionFace(kind, smooth, offset), FaceState{});
                const QRgb pass =
                    ToQColor(kind == ckEmbossed ? LighterColor(0x00A0A0A0) : DarkerColor(0x00A0A0A0)).rgb();
                int seen = 0;
                int matched = 0;
                for (int y = 0; y + offset < effect.height(); ++y) {
                    for (int x = 0; x + offset < effect.width(); ++x) {
                        if (effect.pixel(x, y) == pass) {
                            ++seen;
                            const QRgb ink = plain.pixel(x + offset, y + offset);
                            matched += (smooth ? qGray(ink) < 64 : ink == qRgb(0, 0, 0)) ? 1 : 0;
                        }
                    }
                }
                EXPECT_GT(seen, 10) << smooth << offset << kind;
                EXPECT_EQ(matched, seen) << "smooth " << smooth << " offset " << offset << " kind " << kind;
            }
        }
    }
}

TEST(FaceEngine, APressedBitmapGlyphMovesAsFarAsThePressedCaption) {
    // A one-glyph bitmap of one colour on a white face: pressed, it is taken one pixel up and left, so
    // it lands one pixel right and down, or two on a face drawn at twice the size.
    FaceProperties p;
    p.buttonWidth = 40;
    p.buttonHeight = 20;
    p.buttonColor = 0x00FFFFFF;
    p.button3DKind = dkNone;
    p.buttonDepth = 0;
    p.bitmapHAlign = haNone;
    p.bitmapVAlign = vaNone;
    p.bitmapLeft = 10;
    p.bitmapTop = 5;
    p.mainBitmap = QImage(6, 4, QImage::Format_RGB32);
    p.mainBitmap.fill(qRgb(200, 0, 0));
    const QRgb white = qRgb(255, 255, 255);
    for (const int offset : {1, 2}) {
        p.captionEffectOffset = offset;
        FaceState state;
        state.mouseInside = true;
        const QImage plain = RenderFace(p, state);
        state.pressed = true;
        const QImage pressed = RenderFace(p, state);
        EXPECT_EQ(plain.pixel(10, 5), qRgb(200, 0, 0)) << offset;
        EXPECT_EQ(pressed.pixel(10 + offset, 5 + offset), qRgb(200, 0, 0)) << offset;
        EXPECT_EQ(pressed.pixel(10 + offset - 1, 5 + offset), white) << offset;
        EXPECT_EQ(pressed.pixel(10 + offset, 5 + offset - 1), white) << offset;
        // The glyph's place stays where it was: what moves past its edge is not drawn.
        EXPECT_EQ(pressed.pixel(15, 8), qRgb(200, 0, 0)) << offset;
        EXPECT_EQ(pressed.pixel(16, 8), white) << offset;
    }
}
