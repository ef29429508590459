#include <gtest/gtest.h>

#include "face/FaceEngine.h"
#include "face/RegionData.h"
#include "render/LumoButton.h"

using namespace face;
using namespace render;

namespace {

std::unique_ptr<TLumoButton> Button(int w = 89, int h = 17) {
    auto b = std::make_unique<TLumoButton>();
    b->SetButtonWidth(w);
    b->SetButtonHeight(h);
    return b;
}

}  // namespace

TEST(LumoButton, StartsWithItsInitialValues) {
    TLumoButton b;
    EXPECT_EQ(b.ButtonWidth(), b.width());
    EXPECT_EQ(b.ButtonHeight(), b.height());
    EXPECT_EQ(b.CaptionTop(), 5);
    EXPECT_EQ(b.ButtonColor(), clBtnFace);
    EXPECT_EQ(b.ButtonColor1(), clBtnShadow);
    EXPECT_EQ(b.ButtonDepth(), 2);
    EXPECT_EQ(b.Button3DKind(), dk3D);
    EXPECT_EQ(b.CaptionHAlign(), haCenter);
    EXPECT_EQ(b.BitmapHAlign(), haLeft);
    EXPECT_EQ(b.BitmapVAlign(), vaTop);
    EXPECT_EQ(b.GradientAngle(), 450);
    EXPECT_EQ(b.PeaksNumber(), 6);
    EXPECT_EQ(b.RotatedAngle(), 40);
    EXPECT_DOUBLE_EQ(b.ArcAngle(), 2.0943951023931957);
    EXPECT_TRUE(b.UserRGNAUTO());
    EXPECT_TRUE(b.ShowFocusRGN());
    EXPECT_FALSE(b.MouseInside);
    EXPECT_EQ(b.font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(static_cast<int>(bkCross1), 13);
    EXPECT_EQ(static_cast<int>(dkNone), 6);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x00C8D0D4u);
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
}

TEST(LumoButton, SettersCompareFirstAndRebuildWhatTheyMust) {
    auto b = Button();
    int shapes = b->ShapeBuildCount();
    int faces = b->FaceBuildCount();
    b->SetButtonColor(b->ButtonColor());
    b->SetButtonDepth(b->ButtonDepth());
    EXPECT_EQ(b->FaceBuildCount(), faces);
    EXPECT_EQ(b->ShapeBuildCount(), shapes);

    b->SetButtonColor(clBlack);  // face only
    EXPECT_EQ(b->FaceBuildCount(), faces + 1);
    EXPECT_EQ(b->ShapeBuildCount(), shapes);
    b->SetButtonDepth(0);  // shape, which rebuilds the face too
    EXPECT_EQ(b->ShapeBuildCount(), shapes + 1);
    EXPECT_EQ(b->FaceBuildCount(), faces + 2);

    faces = b->FaceBuildCount();
    b->SetOnEnterGlyphs(3);  // no repaint
    b->SetRotatedTime(100);
    EXPECT_EQ(b->FaceBuildCount(), faces);

    b->SetMainBitmapGlyphs(5);
    b->SetMainBitmapGlyphs(0);
    EXPECT_EQ(b->MainBitmapGlyphs(), 1);
    b->SetMainBitmapGlyphs(4);
    EXPECT_EQ(b->MainBitmapGlyphs(), 4);
    b->SetOnClickGlyphs(0);
    EXPECT_EQ(b->OnClickGlyphs(), 1);
    b->SetRotatedAngle(1800);
    EXPECT_EQ(b->RotatedAngle(), 40);
    b->SetRotatedTime(-1);
    EXPECT_EQ(b->RotatedTime(), 100);
    b->SetGradientBitmapLine(-2);
    EXPECT_EQ(b->GradientBitmapLine(), 0);
    b->SetButtonWidth(-5);
    EXPECT_EQ(b->ButtonWidth(), 89);
    b->SetRadiusRatio(1.5);
    EXPECT_DOUBLE_EQ(b->RadiusRatio(), 0.5);
}

TEST(LumoButton, PeaksAndArcAngleAreCheckedAndWaitForTheirKind) {
    auto b = Button(100, 100);
    b->SetPeaksNumber(2);
    b->SetPeaksNumber(21);
    EXPECT_EQ(b->PeaksNumber(), 6);
    const int shapes = b->ShapeBuildCount();
    const int faces = b->FaceBuildCount();
    b->SetPeaksNumber(8);  // stored, nothing rebuilt while the kind is bkRect
    EXPECT_EQ(b->PeaksNumber(), 8);
    EXPECT_EQ(b->ShapeBuildCount(), shapes);
    EXPECT_EQ(b->FaceBuildCount(), faces);
    b->SetButtonKind(bkPoly);  // the shape has the peaks stored while it was not shown
    FaceProperties octagon;
    octagon.buttonWidth = 100;
    octagon.buttonHeight = 100;
    octagon.buttonKind = bkPoly;
    octagon.peaksNumber = 8;
    EXPECT_EQ(b->WindowRegion(), FaceShapeRegions(octagon, QSize(100, 100)).window);
    octagon.peaksNumber = 6;
    EXPECT_NE(b->WindowRegion(), FaceShapeRegions(octagon, QSize(100, 100)).window);

    b->SetArcAngle(0.005);
    EXPECT_DOUBLE_EQ(b->ArcAngle(), 2.0943951023931957);
    b->SetArcAngle(6.283185307179586);
    EXPECT_DOUBLE_EQ(b->ArcAngle(), 6.283185307179586);
    b->SetArcAngle(6.3);
    EXPECT_DOUBLE_EQ(b->ArcAngle(), 6.283185307179586);

    // An arc decides the button's height and the window follows.
    b->SetArcAngle(2.0943951023931957);
    b->SetButtonHeight(30);
    b->SetButtonKind(bkArc);
    EXPECT_EQ(b->ButtonHeight(), 44);
    EXPECT_EQ(b->height(), 44);
}

TEST(LumoButton, OffsetsSwitchAlignmentOnlyOnceLoaded) {
    auto b = Button();
    b->SetCaptionTop(7);
    b->SetCaptionLeft(8);
    b->SetBitmapTop(9);
    b->SetBitmapLeft(10);
    EXPECT_EQ(b->CaptionVAlign(), vaCenter);
    EXPECT_EQ(b->CaptionHAlign(), haCenter);
    EXPECT_EQ(b->BitmapVAlign(), vaTop);
    EXPECT_EQ(b->BitmapHAlign(), haLeft);
    b->FinishLoading();
    EXPECT_TRUE(b->IsLoaded());
    b->SetCaptionTop(1);
    b->SetCaptionLeft(1);
    b->SetBitmapTop(1);
    b->SetBitmapLeft(1);
    EXPECT_EQ(b->CaptionVAlign(), vaNone);
    EXPECT_EQ(b->CaptionHAlign(), haNone);
    EXPECT_EQ(b->BitmapVAlign(), vaNone);
    EXPECT_EQ(b->BitmapHAlign(), haNone);
}

TEST(LumoButton, BitmapsAreOwnedCopies) {
    auto b = Button();
    QImage picture(12, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 255));
    b->SetMainBitmap(picture);
    EXPECT_EQ(b->MainBitmap().size(), QSize(12, 4));
    EXPECT_EQ(b->MainBitmap().format(), QImage::Format_RGB32);
    picture.fill(Qt::blue);  // the caller's picture is not shared
    EXPECT_EQ(b->MainBitmap().pixel(0, 0), qRgb(255, 0, 0));
    b->SetMainBitmap(QImage());
    EXPECT_TRUE(b->MainBitmap().isNull());
    b->SetOnClickBitmap(picture);
    EXPECT_EQ(b->OnClickBitmap().pixel(11, 3), qRgb(0, 0, 255));
}

TEST(LumoButton, WidthAndRegionsFollowTheSize) {
    auto b = Button();
    EXPECT_EQ(b->WindowRegion(), QRegion(0, 0, 89, 17));
    EXPECT_TRUE(b->WindowRegionPending());
    b->SetButtonWidth(120);
    EXPECT_EQ(b->width(), 120);
    EXPECT_EQ(b->BoundsWidth(), 120);
    EXPECT_EQ(b->WindowRegion(), QRegion(0, 0, 120, 17));
    EXPECT_EQ(b->FaceBitmap().size(), QSize(120, 17));
    b->SetButtonDepth(0);
    EXPECT_TRUE(b->Regions().highlightBand.isEmpty());
    EXPECT_EQ(b->Regions().outline, b->Regions().innerOutline);
}

TEST(LumoButton, UserRegionsFromTextOrHandle) {
    auto b = Button(100, 50);
    b->SetUserRegion(QRegion(0, 0, 10, 10));  // not the user kind: ignored
    EXPECT_FALSE(b->Properties().userRegion.has_value());

    b->SetButtonKind(bkUser);
    EXPECT_EQ(b->WindowRegion(), QRegion(0, 0, 100, 50));  // no region yet: the rectangle

    const QRegion ring = QRegion(0, 0, 40, 40) - QRegion(10, 10, 20, 20);
    b->SetUserRegion(ring);
    EXPECT_EQ(b->Properties().userRegion, ring);
    EXPECT_FALSE(b->WindowRegion().contains(QPoint(50, 25)));  // the scaled hole
    EXPECT_TRUE(b->WindowRegion().contains(QPoint(5, 5)));

    b->SetStringButtonRegion(EncodeRegionText(EncodeRegionData(QRegion(0, 0, 10, 5))));
    EXPECT_EQ(b->Properties().userRegion, QRegion(0, 0, 10, 5));
    EXPECT_EQ(b->WindowRegion(), QRegion(0, 0, 100, 50));  // a plain rectangle scaled to the button

    b->SetStringButtonRegion(QStringLiteral("garbage!"));
    EXPECT_EQ(b->WindowRegion(), QRegion(0, 0, 100, 50));  // no region: the rectangle fallback

    // Without automatic outlines the window takes the user region itself, with no bevel.
    b->SetUserRegion(QRegion(5, 5, 20, 20));
    b->SetUserRGNAUTO(false);
    EXPECT_EQ(b->WindowRegion(), QRegion(5, 5, 20, 20));
    EXPECT_TRUE(b->Regions().highlightBand.isEmpty());
    EXPECT_TRUE(b->Regions().focus.isEmpty());
}

TEST(LumoButton, EmptyRegionTextMeansTheWholeButton) {
    auto b = Button(60, 20);
    b->SetButtonKind(bkUser);
    b->SetStringButtonRegion(QStringLiteral("x"));
    b->SetStringButtonRegion(QString());
    EXPECT_EQ(b->WindowRegion(), QRegion(0, 0, 60, 20));
}
