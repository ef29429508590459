#include <gtest/gtest.h>

#include "VariedFaces.h"
#include "face/FaceEngine.h"
#include "face/RegionData.h"
#include "render/LumoButton.h"

using namespace face;
using namespace render;

namespace {

// Gives a new button the properties of a face; the turn comes first, as a turn moves fixed captions.
void Apply(TLumoButton& b, const testsupport::VariedFace& f) {
    const FaceProperties& p = f.properties;
    b.SetButtonAngle(p.buttonAngle);
    b.SetButtonKind(p.buttonKind);
    b.SetPeaksNumber(p.peaksNumber);
    b.SetCornerRadius(p.cornerRadius);
    b.SetRadiusRatio(p.radiusRatio);
    b.SetArcAngle(p.arcAngle);
    b.SetButtonSize(p.buttonWidth, p.buttonHeight);
    b.SetButtonDepth(p.buttonDepth);
    b.SetButton3DKind(p.button3DKind);
    b.SetButtonColor(p.buttonColor);
    b.SetButtonColor1(p.buttonColor1);
    b.SetGradientKind(p.gradientKind);
    b.SetGradientAngle(p.gradientAngle);
    b.SetGradientBitmap(p.gradientBitmap);
    b.SetGradientBitmapLine(p.gradientBitmapLine);
    b.SetCustomDraw(p.customDraw);
    b.SetShowFocusRGN(p.showFocusRgn);
    b.SetMainBitmap(p.mainBitmap);
    b.SetMainBitmapGlyphs(p.mainBitmapGlyphs);
    b.SetTransparent(p.transparent);
    b.SetBitmapLeft(p.bitmapLeft);
    b.SetBitmapTop(p.bitmapTop);
    b.SetBitmapHAlign(p.bitmapHAlign);
    b.SetBitmapVAlign(p.bitmapVAlign);
    b.setFont(p.font);
    b.SetFontColor(p.fontColor);
    b.SetCaptionFixed(p.captionFixed);
    b.SetCaptionAngle(p.captionAngle);
    b.SetCaptionLeft(p.captionLeft);
    b.SetCaptionTop(p.captionTop);
    b.SetCaptionHAlign(p.captionHAlign);
    b.SetCaptionVAlign(p.captionVAlign);
    b.SetCaption3dKind(p.caption3dKind);
    b.SetCaption(p.caption);
    b.setEnabled(f.state.enabled);
    b.setDown(f.state.pressed);
    b.MouseInside = f.state.mouseInside;
}

}  // namespace

// The face painted over an image of one colour.
QImage PaintedOver(const FaceProperties& p, const FaceState& state, QSize bounds, QRgb under) {
    QImage image(bounds.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(under);
    PaintFace(image, p, state, FaceShapeRegions(p, bounds), bounds, bounds);
    return image;
}

TEST(WidgetFace, TheButtonShowsTheFaceTheEngineRendersFromItsProperties) {
    // Without a button colour a button paints over its last face, which a new face does not have.
    const std::vector<testsupport::VariedFace> faces = testsupport::VariedFaces(false);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        testsupport::VariedFace f = faces[i];
        f.state.focused = false;  // a hidden button never has the focus
        TLumoButton b;
        Apply(b, f);
        b.Repaint();
        const QImage expected = RenderFace(b.Properties(), f.state);
        ASSERT_EQ(b.Canvas().size(), expected.size()) << "face " << i;
        // Every pixel is the face's own, whatever was under it: the button painted over the faces
        // its earlier properties gave, the engine over black and over white.
        const QSize bounds(b.BoundsWidth(), b.BoundsHeight());
        EXPECT_TRUE(PaintedOver(b.Properties(), f.state, bounds, qRgb(255, 255, 255)) == expected)
            << "face " << i;
        EXPECT_TRUE(b.Canvas() == expected) << "face " << i;
        // The properties the button hands the engine are the ones it was given.
        if (f.properties.buttonKind != bkArc) {
            EXPECT_TRUE(RenderFace(f.properties, f.state) == expected) << "face " << i;
        }
    }
}

TEST(WidgetFace, APreviewOfAGradientShowsTheSavedFacesPixels) {
    // The preview paints each face over the last one: a white face first, then the gradient.
    for (const TLumoGradientKind kind : {gkLinear, gkCircular}) {
        for (const int angle : {0, 300, 450, 900, 1350, 2000, 3150}) {
            for (const TLumoButtonKind shape : {bkRect, bkRoundRect, bkElliptic, bkCutRect, bkArrow}) {
                for (const bool enabled : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "kind " << kind << " angle " << angle << " shape "
                                                    << shape << " enabled " << enabled);
                    TLumoButton b;
                    b.SetButtonSize(97, 31);
                    b.SetButtonDepth(3);
                    b.SetButtonColor(0x00FFFFFF);
                    b.MouseInside = true;
                    b.Repaint();
                    b.SetButtonKind(shape);
                    b.SetButtonColor(0x00B07030);
                    b.SetButtonColor1(0x000080FF);
                    b.SetGradientAngle(angle);
                    b.SetGradientKind(kind);
                    b.SetButton3DKind(angle % 900 == 0 ? dk3dBorder : dkNone);
                    b.setEnabled(enabled);
                    b.Repaint();
                    const FaceState state{enabled, false, true, false};
                    EXPECT_TRUE(b.Canvas() == RenderFace(b.Properties(), state));
                }
            }
        }
    }
}

TEST(WidgetFace, SetFaceTakesEveryPropertyAndShowsTheEnginesFace) {
    const std::vector<testsupport::VariedFace> faces = testsupport::VariedFaces(false);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        testsupport::VariedFace f = faces[i];
        f.state.focused = false;
        FaceProperties& p = f.properties;
        // The caption effects only SetFace gives a button.
        p.smoothCaption = i % 4 == 1;
        p.captionEffectOffset = 1 + static_cast<int>(i % 3 == 2);
        TLumoButton b;
        b.SetFace(p);
        b.setEnabled(f.state.enabled);
        b.setDown(f.state.pressed);
        b.MouseInside = f.state.mouseInside;
        b.Repaint();
        const FaceProperties& q = b.Properties();
        EXPECT_EQ(q.smoothCaption, p.smoothCaption) << "face " << i;
        EXPECT_EQ(q.captionEffectOffset, p.captionEffectOffset) << "face " << i;
        EXPECT_EQ(q.font, p.font) << "face " << i;
        EXPECT_EQ(q.caption, p.caption) << "face " << i;
        const QImage expected = RenderFace(p, f.state);
        ASSERT_EQ(b.Canvas().size(), expected.size()) << "face " << i;
        const QSize bounds(b.BoundsWidth(), b.BoundsHeight());
        EXPECT_TRUE(b.Canvas() == expected) << "face " << i;
        EXPECT_EQ(b.WindowRegion(), FaceShapeRegions(q, bounds).window) << "face " << i;
    }
}

TEST(WidgetFace, TheUserKindShowsTheFaceOfItsCurrentRegion) {
    const QRegion ring = QRegion(0, 0, 40, 30) - QRegion(10, 10, 20, 10);
    const QRegion corner(0, 0, 20, 12);
    for (const bool bevelled : {true, false}) {
        TLumoButton b;
        b.SetButtonSize(80, 40);
        b.SetButtonColor(0x004080C0);
        b.SetButtonDepth(3);
        b.SetCaption(QStringLiteral("&Go"));
        b.SetButtonKind(bkUser);
        b.SetUserRGNAUTO(bevelled);
        b.MouseInside = true;
        const auto expectRegion = [&](const QRegion& region, int line) {
            b.Repaint();
            ASSERT_TRUE(b.Properties().userRegion.has_value()) << line;
            EXPECT_EQ(*b.Properties().userRegion, region) << line;
            FaceProperties p = b.Properties();
            p.userRegion = region;
            EXPECT_EQ(b.Canvas(), RenderFace(p, FaceState{true, false, true, false})) << bevelled << line;
            const QRegion window = bevelled ? FaceShapeRegions(p, QSize(80, 40)).window : region;
            EXPECT_EQ(b.WindowRegion(), window) << bevelled << line;
        };
        b.SetUserRegion(ring);
        expectRegion(ring, __LINE__);
        b.SetStringButtonRegion(EncodeRegionText(EncodeRegionData(corner)));
        expectRegion(corner, __LINE__);
        b.SetUserRegion(ring);  // the same handle again is no change: the text's region stays
        expectRegion(corner, __LINE__);
        b.SetUserRegion(QRegion(1, 1, 5, 5));
        b.SetUserRegion(ring);
        expectRegion(ring, __LINE__);
    }
}

TEST(WidgetFace, AnArcIsDrawnFromTheHeightItWasGivenUntilItsNextShape) {
    TLumoButton b;
    b.SetButtonSize(41, 51);
    b.SetButtonDepth(3);
    b.SetArcAngle(2.9);
    b.SetButtonKind(bkArc);
    const int arcHeight = b.ButtonHeight();
    EXPECT_LT(arcHeight, 51);
    FaceProperties given = b.Properties();
    const QSize bounds(b.BoundsWidth(), b.BoundsHeight());
    EXPECT_EQ(bounds, QSize(41, arcHeight));
    const ShapeRegions decided = FaceShapeRegions(given, bounds);
    // A new height: the outline has as many points as the given height asks for, the regions the
    // arc's own height.
    b.SetButtonHeight(51);
    EXPECT_EQ(b.ButtonHeight(), arcHeight);
    given.buttonHeight = 51;
    const ShapeRegions fromGiven = FaceShapeRegions(given, bounds);
    ASSERT_NE(fromGiven.outline, decided.outline);
    EXPECT_EQ(b.Regions().outline, fromGiven.outline);
    EXPECT_EQ(b.Regions().highlightBand, fromGiven.highlightBand);
    // The next shape starts from the arc's own height.
    b.SetButtonDepth(4);
    b.SetButtonDepth(3);
    EXPECT_EQ(b.Regions().outline, decided.outline);
}
