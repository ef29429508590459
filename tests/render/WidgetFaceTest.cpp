#include <gtest/gtest.h>

#include "VariedFaces.h"
#include "face/FaceEngine.h"
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
    int uncoveredFaces = 0;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        testsupport::VariedFace f = faces[i];
        f.state.focused = false;  // a hidden button never has the focus
        TLumoButton b;
        Apply(b, f);
        b.Repaint();
        const QImage expected = RenderFace(b.Properties(), f.state);
        ASSERT_EQ(b.Canvas().size(), expected.size()) << "face " << i;
        // A linear gradient may leave a pixel of the edge unpainted: there the button shows what its
        // earlier faces left. Every pixel the face paints is the engine's.
        const QSize bounds(b.BoundsWidth(), b.BoundsHeight());
        const QImage overWhite = PaintedOver(b.Properties(), f.state, bounds, qRgb(255, 255, 255));
        int differing = 0;
        bool uncovered = false;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                if (overWhite.pixel(x, y) != expected.pixel(x, y)) {
                    uncovered = true;
                } else if (b.Canvas().pixel(x, y) != expected.pixel(x, y)) {
                    ++differing;
                }
            }
        }
        if (uncovered) {
            ++uncoveredFaces;
            EXPECT_EQ(f.properties.gradientKind, gkLinear) << "face " << i;
        }
        EXPECT_EQ(differing, 0) << "face " << i;
        // The properties the button hands the engine are the ones it was given.
        if (f.properties.buttonKind != bkArc) {
            EXPECT_TRUE(RenderFace(f.properties, f.state) == expected) << "face " << i;
        }
    }
    EXPECT_LT(uncoveredFaces, 70);
}
