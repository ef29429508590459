#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QTest>

#include "face/CaptionLayout.h"
#include "face/ColorRules.h"
#include "face/FacePainting.h"
#include "face/OutlineMaths.h"
#include "render/LumoButton.h"

using namespace face;
using namespace render;

namespace {

constexpr TColor kGrey = 0x00808080;  // bright: R + G + B = 384

QRgb Rgb(TColor c) {
    return ToQColor(c).rgb();
}

std::unique_ptr<TLumoButton> Face(int w, int h, TColor colour, TLumo3DKind kind, int depth,
                                  bool mouseInside) {
    auto b = std::make_unique<TLumoButton>();
    b->SetButtonWidth(w);
    b->SetButtonHeight(h);
    b->SetButtonColor(colour);
    b->SetButton3DKind(kind);
    b->SetButtonDepth(depth);
    b->MouseInside = mouseInside;
    b->RebuildFace();
    return b;
}

QRgb Pixel(const TLumoButton& b, int x, int y) {
    return b.FaceBitmap().pixel(x, y);
}

}  // namespace

TEST(ColourRules, LighterDarkerBrightnessAndBlend) {
    EXPECT_EQ(LighterColor(0x00E0DF10), 0x00FFFF30u);
    EXPECT_EQ(DarkerColor(0x00201F40), 0x00000020u);
    EXPECT_EQ(ColorBrightness(0x00787878), 360);
    EXPECT_TRUE(IsDark(0x00787878));
    EXPECT_FALSE(IsDark(0x00787879));
    EXPECT_EQ(BlendColor(0x000000FF, 0x00FF0000, 4, 1), 0x003F00C0u);
    EXPECT_EQ(BlendColor(0x00000010, 0x00000000, 0, 3), 0x00000010u);
    EXPECT_EQ(LighterColor(clBtnFace), LighterColor(0x00C8D0D4));
}

TEST(FacePainting, BordersByKindMouseAndDepth) {
    const TColor c = kGrey;
    const QRgb fill = Rgb(c);
    const QRgb light = Rgb(LighterColor(c));
    const QRgb dark = Rgb(DarkerColor(c));
    const QRgb frame = Rgb(DarkerColor(DarkerColor(c)));
    for (TLumo3DKind k :
         {dk3D, dkFlatten, dk3dsimple, dkFlattenSimple, dk3dBorder, dk3dBorderFlatten, dkNone}) {
        for (bool m : {false, true}) {
            SCOPED_TRACE(testing::Message() << "kind " << k << " mouse " << m);
            const auto b = Face(89, 17, c, k, 2, m);
            const bool outer = k == dk3D || k == dk3dsimple || k == dk3dBorder || m;
            const bool inner = k == dk3dBorder || (m && k == dk3dBorderFlatten);
            const bool outline =
                k == dk3D || k == dk3dBorder || (m && (k == dkFlatten || k == dk3dBorderFlatten));
            EXPECT_EQ(Pixel(*b, 40, 1), outer ? light : fill);  // top band, lit
            EXPECT_EQ(Pixel(*b, 87, 8), outer ? dark : fill);   // right band, shaded
            EXPECT_EQ(Pixel(*b, 40, 0), outline ? frame : outer ? light : fill);
            EXPECT_EQ(Pixel(*b, 40, 3), inner ? light : fill);  // inner band, lit
            EXPECT_EQ(Pixel(*b, 85, 8), inner ? dark : fill);   // inner band, shaded
            EXPECT_EQ(Pixel(*b, 40, 4), inner ? frame : fill);  // inner frame
            EXPECT_EQ(Pixel(*b, 40, 8), fill);
        }
    }
    // Depth 0: no bands, and both frames of dk3dBorder lie on the outer pixel ring.
    const auto flat = Face(89, 17, c, dk3dBorder, 0, true);
    for (QPoint p : {QPoint(40, 0), QPoint(0, 8), QPoint(88, 8), QPoint(40, 16)}) {
        EXPECT_EQ(flat->FaceBitmap().pixel(p), frame);
    }
    EXPECT_EQ(Pixel(*flat, 40, 1), fill);
    EXPECT_EQ(Pixel(*Face(100, 30, c, dkNone, 0, true), 50, 0), fill);
    EXPECT_EQ(Pixel(*Face(100, 30, c, dkNone, 2, true), 50, 0), light);
    EXPECT_EQ(Pixel(*Face(100, 30, c, dkNone, 2, false), 50, 0), fill);
}

TEST(FacePainting, FramesAreLightOnDarkButtonsAndDarkOnBrightOnes) {
    const TColor darkColour = 0x00787878;    // brightness 360
    const TColor brightColour = 0x00787879;  // 361
    EXPECT_EQ(Pixel(*Face(89, 17, darkColour, dk3D, 2, false), 40, 0),
              Rgb(LighterColor(LighterColor(darkColour))));
    EXPECT_EQ(Pixel(*Face(89, 17, brightColour, dk3D, 2, false), 40, 0),
              Rgb(DarkerColor(DarkerColor(brightColour))));
}

TEST(FacePainting, PressingSwapsOnlyTheOuterBevelAndDisablingLightens) {
    auto b = Face(100, 30, kGrey, dk3dBorder, 2, true);
    b->setDown(true);
    b->Repaint();
    EXPECT_EQ(Pixel(*b, 50, 1), Rgb(DarkerColor(kGrey)));    // outer top: shaded now
    EXPECT_EQ(Pixel(*b, 98, 15), Rgb(LighterColor(kGrey)));  // outer right: lit now
    EXPECT_EQ(Pixel(*b, 50, 3), Rgb(LighterColor(kGrey)));   // inner bevel keeps its colouring
    b->setDown(false);

    b->setEnabled(false);
    b->Repaint();
    EXPECT_EQ(Pixel(*b, 50, 15), Rgb(LighterColor(kGrey)));
    EXPECT_EQ(Pixel(*b, 50, 1), Rgb(LighterColor(LighterColor(kGrey))));
    EXPECT_EQ(Pixel(*b, 98, 15), Rgb(DarkerColor(LighterColor(kGrey))));
    EXPECT_EQ(Pixel(*b, 50, 0), Rgb(DarkerColor(kGrey)));  // frame on a bright disabled button
}

TEST(FacePainting, NoColourLeavesTheFaceUnfilled) {
    auto b = Face(40, 10, 0x000000FF, dkNone, 0, false);
    EXPECT_EQ(Pixel(*b, 5, 5), qRgb(255, 0, 0));
    b->SetButtonColor(clNone);
    EXPECT_EQ(Pixel(*b, 5, 5), qRgb(255, 0, 0));  // what was there stays
}

TEST(FacePainting, MainBitmapGlyphsByState) {
    // Four glyphs of 4 × 3 pixels, one colour each, with a marker pixel at each glyph's top left.
    QImage glyphs(16, 3, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0)};
    for (int g = 0; g < 4; ++g) {
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                glyphs.setPixel(4 * g + x, y, colours[g]);
            }
        }
    }
    auto b = Face(60, 20, 0x00FFFFFF, dkNone, 0, false);
    b->SetBitmapHAlign(haNone);
    b->SetBitmapVAlign(vaNone);
    b->SetBitmapLeft(10);
    b->SetBitmapTop(5);
    b->SetMainBitmap(glyphs.copy(0, 0, 4, 3));  // one glyph
    EXPECT_EQ(Pixel(*b, 10, 5), colours[0]);
    EXPECT_EQ(Pixel(*b, 14, 5), qRgb(255, 255, 255));
    b->setDown(true);
    b->Repaint();
    EXPECT_EQ(Pixel(*b, 11, 6), colours[0]);  // pressed: one pixel right and down
    EXPECT_EQ(Pixel(*b, 10, 5), qRgb(255, 255, 255));
    b->setDown(false);

    b->SetButtonColor(0x00808080);
    b->setEnabled(false);
    b->Repaint();
    // Disabled with one glyph: the glyph ANDed with the lightened button colour.
    EXPECT_EQ(Pixel(*b, 10, 5), qRgb(200 & 0xA0, 0, 0));
    b->setEnabled(true);

    b->SetMainBitmap(glyphs);
    b->SetMainBitmapGlyphs(4);
    b->MouseInside = true;
    b->Repaint();
    EXPECT_EQ(Pixel(*b, 10, 5), colours[2]);  // glyph 3 with the mouse inside
    b->setDown(true);
    b->Repaint();
    // Glyph 4 when pressed, taken one pixel up and left: it lands one pixel right and down.
    EXPECT_EQ(Pixel(*b, 11, 6), colours[3]);
    EXPECT_EQ(Pixel(*b, 10, 6), colours[2]);  // the last column of glyph 3 comes along
    b->setDown(false);
    b->setEnabled(false);
    b->Repaint();
    EXPECT_EQ(Pixel(*b, 10, 5), colours[1]);  // glyph 2 when disabled

    // Transparent: the colour of pixel (0, 0) is left out.
    QImage spot(3, 3, QImage::Format_RGB32);
    spot.fill(qRgb(1, 2, 3));
    spot.setPixel(1, 1, qRgb(9, 9, 9));
    b->setEnabled(true);
    b->MouseInside = false;
    b->SetMainBitmapGlyphs(1);
    b->SetMainBitmap(spot);
    b->SetTransparent(true);
    EXPECT_EQ(Pixel(*b, 10, 5), Rgb(0x00808080));
    EXPECT_EQ(Pixel(*b, 11, 6), qRgb(9, 9, 9));
}

TEST(CaptionLayout, AcceleratorMarksAndBoxes) {
    EXPECT_EQ(MeasuredPieces("Save && Exit"), (std::vector<QString>{"Save &", " Exit"}));
    const auto save = DrawnPieces("Save && Exit");
    ASSERT_EQ(save.size(), 2u);
    EXPECT_FALSE(save[0].underline || save[1].underline);
    const auto exit = DrawnPieces("E&xit");
    ASSERT_EQ(exit.size(), 3u);
    EXPECT_EQ(exit[1].text, QStringLiteral("x"));
    EXPECT_TRUE(exit[1].underline);
    EXPECT_EQ(MeasuredPieces("E&xit"), (std::vector<QString>{"E", "xit"}));
    const auto go = DrawnPieces("Go&");
    ASSERT_EQ(go.size(), 2u);
    EXPECT_EQ(go[1].text, QStringLiteral(" "));
    EXPECT_TRUE(go[1].underline);

    QFont f("DejaVu Sans");
    f.setPixelSize(12);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics fm(f);
    int width = 0;
    for (const QString& piece : MeasuredPieces("Save && Exit")) {
        width += fm.horizontalAdvance(piece);
    }
    EXPECT_EQ(width, fm.horizontalAdvance("Save & Exit"));

    const CaptionBox level = RotatedCaptionBox(30, 12, 0);
    EXPECT_EQ(level.width, 30);
    EXPECT_EQ(level.height, 12);
    EXPECT_EQ(level.refX, 0);
    EXPECT_EQ(level.refY, 0);
    const CaptionBox upright = RotatedCaptionBox(30, 12, 900);
    EXPECT_EQ(upright.width, 12);
    EXPECT_EQ(upright.height, 30);
    EXPECT_EQ(upright.refX, 0);  // bottom left
    EXPECT_EQ(upright.refY, 30);
    const CaptionBox down = RotatedCaptionBox(30, 12, 1800);
    EXPECT_EQ(down.refX, 30);
    EXPECT_EQ(down.refY, 12);

    EXPECT_EQ(CaptionBoxLeft(haLeft, 89, 30, 2, 0), 6);
    EXPECT_EQ(CaptionBoxTop(vaTop, 17, 12, 2, 0), 6);
    EXPECT_EQ(CaptionBoxLeft(haRight, 89, 30, 2, 0), 53);
    EXPECT_EQ(CaptionBoxLeft(haCenter, 89, 30, 2, 0), 29);
    EXPECT_EQ(CaptionBoxTop(vaBottom, 17, 12, 0, 0), 1);
    EXPECT_EQ(CaptionBoxLeft(haNone, 89, 30, 2, -7), -7);
}

TEST(FacePainting, CaptionEffectsDrawThreePassesInTheirTones) {
    const auto text = [](TLumoCaption3dKind kind, bool pressed) {
        auto b = std::make_unique<TLumoButton>();
        b->SetButtonWidth(80);
        b->SetButtonHeight(30);
        b->SetButtonColor(0x00808080);
        b->SetButton3DKind(dkNone);
        b->SetButtonDepth(0);
        QFont f("DejaVu Sans");
        f.setPixelSize(16);
        f.setBold(true);
        b->setFont(f);
        b->SetFontColor(0x000000FF);
        b->SetCaption3dKind(kind);
        b->SetCaption("IH");
        b->setDown(pressed);
        b->Repaint();
        return b->FaceBitmap();
    };
    const QImage simple = text(ckSimple, false);
    const QRgb red = qRgb(255, 0, 0);
    std::vector<QPoint> ink;
    for (int y = 0; y < simple.height(); ++y) {
        for (int x = 0; x < simple.width(); ++x) {
            if (simple.pixel(x, y) == red)
                ink.emplace_back(x, y);
        }
    }
    ASSERT_GT(ink.size(), 20u);
    const auto inked = [&](QPoint p) { return std::find(ink.begin(), ink.end(), p) != ink.end(); };
    const QRgb light = Rgb(LighterColor(0x00808080));
    const QRgb dark = Rgb(DarkerColor(0x00808080));
    for (bool pressed : {false, true}) {
        const int s = pressed ? 1 : 0;
        const QImage embossed = text(ckEmbossed, pressed);
        const QImage sunk = text(ckPressed, pressed);
        for (QPoint p : ink) {
            SCOPED_TRACE(testing::Message() << p.x() << "," << p.y() << " pressed " << pressed);
            // The font colour is drawn last, at the reference point.
            EXPECT_EQ(embossed.pixel(p + QPoint(s, s)), red);
            EXPECT_EQ(sunk.pixel(p + QPoint(s, s)), red);
            // The second pass, one pixel right and down, shows where the last one leaves it.
            const QPoint second = p + QPoint(1 + s, 1 + s);
            if (!inked(second - QPoint(s, s))) {
                EXPECT_EQ(embossed.pixel(second), dark);
                EXPECT_EQ(sunk.pixel(second), light);
            }
            const QPoint first = p + QPoint(-1 + s, -1 + s);
            if (!inked(first - QPoint(s, s)) && !inked(first - QPoint(s, s) - QPoint(2, 2))) {
                EXPECT_EQ(embossed.pixel(first), light);
                EXPECT_EQ(sunk.pixel(first), dark);
            }
        }
    }
}

TEST(FacePainting, CaptionsAreAlignedAndSkippedWithoutColour) {
    auto b = std::make_unique<TLumoButton>();
    b->SetButtonWidth(89);
    b->SetButtonHeight(40);
    b->SetButtonColor(0x00FFFFFF);
    b->SetButton3DKind(dkNone);
    b->SetButtonDepth(2);
    QFont f("DejaVu Sans");
    f.setPixelSize(20);
    b->setFont(f);
    b->SetFontColor(0x00000000);
    b->SetCaptionHAlign(haLeft);
    b->SetCaptionVAlign(vaTop);
    b->SetCaption("H");
    // The ink lies inside the text box that starts at (6, 6).
    const QImage face = b->FaceBitmap();
    int minX = 1000;
    int minY = 1000;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if (face.pixel(x, y) == qRgb(0, 0, 0)) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
            }
        }
    }
    EXPECT_GE(minX, 6);
    EXPECT_LE(minX, 9);
    EXPECT_GE(minY, 6);
    b->SetFontColor(clNone);
    EXPECT_EQ(b->FaceBitmap().pixel(minX, minY), qRgb(255, 255, 255));
}

TEST(FacePainting, GradientsRunBetweenTheirEndColours) {
    const TColor c1 = 0x000000FF;  // red
    const TColor c2 = 0x00FF0000;  // blue
    const auto face = [&](TLumoGradientKind kind, int angle) {
        auto b = std::make_unique<TLumoButton>();
        b->SetButtonWidth(100);
        b->SetButtonHeight(30);
        b->SetButton3DKind(dkNone);
        b->SetButtonDepth(0);
        b->SetButtonColor(c1);
        b->SetButtonColor1(c2);
        b->SetGradientAngle(angle);
        b->SetGradientKind(kind);
        return b->FaceBitmap();
    };
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const auto between = [&](const QImage& img) {
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                if (qGreen(p) != 0 || qRed(p) + qBlue(p) < 250)
                    return false;
            }
        }
        return true;
    };
    QImage img = face(gkLinear, 0);  // top to bottom
    EXPECT_TRUE(between(img));
    EXPECT_EQ(img.pixel(50, 0), red);
    EXPECT_EQ(img.pixel(50, 29), blue);
    img = face(gkLinear, 900);  // left to right
    EXPECT_TRUE(between(img));
    EXPECT_EQ(img.pixel(0, 15), red);
    EXPECT_EQ(img.pixel(99, 15), blue);
    img = face(gkLinear, 1800);  // bottom to top
    EXPECT_TRUE(between(img));
    EXPECT_EQ(img.pixel(50, 29), red);
    EXPECT_EQ(img.pixel(50, 0), blue);
    img = face(gkLinear, 2700);  // right to left
    EXPECT_TRUE(between(img));
    EXPECT_EQ(img.pixel(99, 15), red);
    EXPECT_EQ(img.pixel(0, 15), blue);
    img = face(gkLinear, 450);  // top left to bottom right
    EXPECT_TRUE(between(img));
    EXPECT_EQ(img.pixel(0, 0), red);
    EXPECT_GT(qBlue(img.pixel(99, 29)), 240);
    img = face(gkCircular, 0);  // rim to centre
    EXPECT_TRUE(between(img));
    EXPECT_EQ(img.pixel(50, 15), red);
    EXPECT_GT(qBlue(img.pixel(0, 0)), 200);
}

TEST(FacePainting, GradientStepsCoverEveryPixelWithTheNearestLine) {
    // Each step is a line three pixels wide: the line of step k covers the rows (or columns)
    // 3k - 1, 3k and 3k + 1, so no row or column is left out or taken by the wrong step.
    const TColor c1 = 0x000000FF;
    const TColor c2 = 0x00FF0000;
    const auto face = [&](int angle, TLumo3DKind kind, int depth) {
        auto b = std::make_unique<TLumoButton>();
        b->SetButtonWidth(100);
        b->SetButtonHeight(30);
        b->SetButton3DKind(kind);
        b->SetButtonDepth(depth);
        b->SetButtonColor(c1);
        b->SetButtonColor1(c2);
        b->SetGradientAngle(angle);
        b->SetGradientKind(gkLinear);
        return b->FaceBitmap();
    };
    const auto step = [](TColor a, TColor b, int n, int k) { return Rgb(BlendColor(a, b, n, k)); };
    QImage img = face(900, dkNone, 0);  // left to right: N = round(100 / 3) = 33 steps
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(img.pixel(x, 15), step(c1, c2, 33, (x + 1) / 3)) << "column " << x;
    }
    img = face(0, dkNone, 0);  // top to bottom: N = 10 steps
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(img.pixel(50, y), step(c1, c2, 10, (y + 1) / 3)) << "row " << y;
    }
    // With a bevel the lit band takes the lightened colours and the shaded band the darkened ones,
    // step for step.
    img = face(900, dk3dsimple, 2);
    EXPECT_EQ(img.pixel(50, 1), step(LighterColor(c1), LighterColor(c2), 33, 17));  // top: lit
    EXPECT_EQ(img.pixel(50, 28), step(DarkerColor(c1), DarkerColor(c2), 33, 17));   // bottom: shaded
    EXPECT_EQ(img.pixel(1, 15), step(LighterColor(c1), LighterColor(c2), 33, 0));   // left: lit
    EXPECT_EQ(img.pixel(98, 15), step(DarkerColor(c1), DarkerColor(c2), 33, 33));   // right: shaded
    EXPECT_EQ(img.pixel(50, 15), step(c1, c2, 33, 17));
}

TEST(FacePainting, DisabledFacesNearTheClampsLightenBeforeTheyDarken) {
    // Lighter-then-Darker and Darker-then-Lighter differ where a channel meets a clamp.
    for (TColor c : {TColor{0x00FFFFFF}, TColor{0x000000FF}, TColor{0x0010F0E8}}) {
        SCOPED_TRACE(testing::Message() << std::hex << c);
        auto b = Face(100, 30, c, dk3dsimple, 2, false);
        b->setEnabled(false);
        b->Repaint();
        EXPECT_EQ(Pixel(*b, 50, 15), Rgb(LighterColor(c)));
        EXPECT_EQ(Pixel(*b, 50, 1), Rgb(LighterColor(LighterColor(c))));
        EXPECT_EQ(Pixel(*b, 98, 15), Rgb(DarkerColor(LighterColor(c))));
        EXPECT_NE(Rgb(DarkerColor(LighterColor(c))), Rgb(LighterColor(DarkerColor(c))));
    }
}

TEST(FacePainting, HolesAndIslandsOfUserRegionsAreLitLikeADonutsHole) {
    const TColor c = kGrey;
    const QRgb lit = Rgb(LighterColor(c));
    const QRgb shaded = Rgb(DarkerColor(c));
    // A square with a square hole, and an island inside the hole.
    const QRegion region = (QRegion(0, 0, 100, 100) - QRegion(30, 30, 40, 40)) + QRegion(45, 45, 10, 10);
    const Outline outline = RegionToOutline(region);
    ASSERT_EQ(outline.depths, (std::vector<int>{0, 1, 2}));
    for (std::size_t k = 0; k < outline.counts.size(); ++k) {
        EXPECT_GT(TwiceSignedArea(outline.Contour(k)), 0) << "contour " << k << " runs clockwise";
    }
    auto b = std::make_unique<TLumoButton>();
    b->SetButtonWidth(100);
    b->SetButtonHeight(100);
    b->SetButtonColor(c);
    b->SetButton3DKind(dk3dsimple);
    b->SetButtonDepth(2);
    b->SetButtonKind(bkUser);
    b->SetUserRegion(region);
    b->RebuildFace();
    // The outer boundary: top and left lit, bottom and right shaded.
    EXPECT_EQ(Pixel(*b, 50, 1), lit);
    EXPECT_EQ(Pixel(*b, 1, 50), lit);
    EXPECT_EQ(Pixel(*b, 50, 98), shaded);
    EXPECT_EQ(Pixel(*b, 98, 50), shaded);
    // The hole, as a donut's: its top and left walls shaded, its bottom and right walls lit.
    EXPECT_EQ(Pixel(*b, 50, 29), shaded);
    EXPECT_EQ(Pixel(*b, 29, 50), shaded);
    EXPECT_EQ(Pixel(*b, 50, 70), lit);
    EXPECT_EQ(Pixel(*b, 70, 40), lit);
    // The island stands up again like the outer boundary.
    EXPECT_EQ(Pixel(*b, 50, 45), lit);
    EXPECT_EQ(Pixel(*b, 45, 50), lit);
    EXPECT_EQ(Pixel(*b, 50, 54), shaded);
    EXPECT_EQ(Pixel(*b, 54, 50), shaded);
}

TEST(FacePainting, DiagonalEdgesAreLitOnlyWhenTheyRiseToTheRight) {
    // A diamond, clockwise: only its upper left edge rises to the right (y2 - y1 < x2 - x1).
    Outline outer;
    outer.AddContour({{50, 0}, {100, 50}, {50, 100}, {0, 50}}, 0);
    Outline inner = outer;
    InsetOutline(inner.points, inner.counts, inner.depths, true, true, 4);
    const BevelBands bands = SplitBevelBands(outer.points, inner.points, outer.counts, outer.depths);
    const QRegion litBand = PolyPolygonRegion(bands.first, bands.firstCounts);
    const QRegion shadedBand = PolyPolygonRegion(bands.second, bands.secondCounts);
    EXPECT_TRUE(litBand.contains(QPoint(26, 26)));     // upper left
    EXPECT_TRUE(shadedBand.contains(QPoint(74, 26)));  // upper right, 45 degrees down
    EXPECT_TRUE(shadedBand.contains(QPoint(74, 72)));  // lower right
    EXPECT_TRUE(shadedBand.contains(QPoint(26, 72)));  // lower left, 45 degrees up to the left
    EXPECT_FALSE(litBand.contains(QPoint(74, 26)));
    EXPECT_FALSE(litBand.contains(QPoint(26, 72)));
}

namespace {

// A white button with a black caption in DejaVu Sans.
std::unique_ptr<TLumoButton> CaptionButton(int w, int h, const QString& caption, bool underline = false) {
    auto b = std::make_unique<TLumoButton>();
    b->SetButtonWidth(w);
    b->SetButtonHeight(h);
    b->SetButtonColor(0x00FFFFFF);
    b->SetButton3DKind(dkNone);
    b->SetButtonDepth(0);
    QFont f("DejaVu Sans");
    f.setPixelSize(20);
    f.setUnderline(underline);
    b->setFont(f);
    b->SetFontColor(0x00000000);
    b->SetCaption(caption);
    return b;
}

int InkPixels(const QImage& face) {
    int n = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            n += face.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    return n;
}

}  // namespace

TEST(FacePainting, CentredCaptionsTruncateAnOddLeftoverTowardZero) {
    // A centred caption sits exactly where a fixed offset of (room - box) div 2 puts it, with the
    // division truncated toward zero: for an odd leftover, and for a box taller than the button.
    const QFontMetrics fm(TLumoButton::FaceFontOf(CaptionButton(10, 10, "")->font()));
    const int boxWidth = fm.horizontalAdvance("Hi");
    const int boxHeight = fm.height();
    for (int h : {boxHeight + 7, boxHeight - 7}) {
        for (int w : {boxWidth + 9, boxWidth - 3}) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            auto centred = CaptionButton(w, h, "Hi");
            auto fixed = CaptionButton(w, h, "Hi");
            fixed->SetCaptionTop((h - boxHeight) / 2);
            fixed->SetCaptionLeft((w - boxWidth) / 2);
            fixed->SetCaptionVAlign(vaNone);
            fixed->SetCaptionHAlign(haNone);
            EXPECT_EQ(centred->FaceBitmap(), fixed->FaceBitmap());
            fixed->SetCaptionTop((h - boxHeight) / 2 + 1);
            EXPECT_NE(centred->FaceBitmap(), fixed->FaceBitmap());
        }
    }
}

TEST(FacePainting, TheFontsOwnUnderlineIsKeptAndAcceleratorsAddTheirs) {
    const int plain = InkPixels(CaptionButton(120, 40, "Home")->FaceBitmap());
    const int underlined = InkPixels(CaptionButton(120, 40, "Home", true)->FaceBitmap());
    const int oneMarked = InkPixels(CaptionButton(120, 40, "&Home")->FaceBitmap());
    EXPECT_GT(underlined, plain);
    EXPECT_GT(oneMarked, plain);
    EXPECT_GT(underlined, oneMarked);  // the whole caption, not one letter
    // A marked letter of an underlined caption changes nothing: it was underlined already.
    EXPECT_EQ(CaptionButton(120, 40, "&Home", true)->FaceBitmap(),
              CaptionButton(120, 40, "Home", true)->FaceBitmap());
}

TEST(FacePainting, AButtonNeverShownIsFacedForItsNewSize) {
    auto resized = CaptionButton(60, 20, "Hi");
    resized->SetButtonWidth(140);
    resized->SetButtonHeight(50);
    EXPECT_FALSE(resized->isVisible());
    EXPECT_EQ(resized->FaceBitmap(), CaptionButton(140, 50, "Hi")->FaceBitmap());
    resized->SetButtonHeight(30);
    EXPECT_EQ(resized->FaceBitmap(), CaptionButton(140, 30, "Hi")->FaceBitmap());
}

TEST(FacePainting, TransparentBitmapsSkipTheirCornerColour) {
    QImage source(4, 2, QImage::Format_RGB32);
    source.fill(qRgb(0, 255, 0));
    source.setPixel(2, 1, qRgb(5, 6, 7));
    QImage target(3, 3, QImage::Format_RGB32);
    target.fill(qRgb(100, 100, 100));
    DrawTransparentBitmap(source, QRect(1, 0, 3, 2), target, 1, 1);
    EXPECT_EQ(target.pixel(2, 2), qRgb(5, 6, 7));
    EXPECT_EQ(target.pixel(1, 1), qRgb(100, 100, 100));
    EXPECT_EQ(FrameOf(QRegion(0, 0, 5, 5)), QRegion(0, 0, 5, 5) - QRegion(1, 1, 3, 3));
}
