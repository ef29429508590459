#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <random>

#include "face/AccessMeasure.h"
#include "face/ColorRules.h"
#include "face/FaceEngine.h"

using namespace face;

namespace {

// A grey of the same value in each channel, as a colour value 0x00BBGGRR.
TColor Grey(int value) {
    return static_cast<TColor>(value | value << 8 | value << 16);
}

constexpr TColor kWhite = 0x00FFFFFF;
constexpr TColor kBlack = 0x00000000;

// A flat white 120 × 40 face without borders, its caption "Home" in 16 px DejaVu Sans.
FaceProperties FlatFace(TColor captionColour) {
    FaceProperties p;
    p.buttonWidth = 120;
    p.buttonHeight = 40;
    p.buttonColor = kWhite;
    p.button3DKind = dkNone;
    p.caption = QStringLiteral("Home");
    p.font = QFont(QStringLiteral("DejaVu Sans"));
    p.font.setPixelSize(16);
    p.fontColor = captionColour;
    return p;
}

CaptionContrast Measure(const FaceProperties& p) {
    return MeasureCaptionContrast(p, FaceState{true, false, true, false});
}

}  // namespace

// The ratios of these pairs are worked out by hand from the sRGB transfer: #767676 on white is
// 1.05 / (0.18116 + 0.05) = 4.54, #777777 is 1.05 / 0.23448 = 4.48; #949494 is 3.03, #969696 2.96;
// black on white 21, black on #204060 1.96.
TEST(AccessMeasure, LuminanceAndRatiosOfFlatColoursByHand) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(qRgb(255, 255, 255)), 1.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(qRgb(0, 0, 0)), 0.0);
    // Below the knee of the transfer a channel is divided by 12.92: 10/255 → 0.003035.
    EXPECT_NEAR(RelativeLuminance(qRgb(10, 10, 10)), 10.0 / 255.0 / 12.92, 1e-9);
    // The channels are weighted: pure green far outweighs pure blue.
    EXPECT_NEAR(RelativeLuminance(qRgb(0, 255, 0)), 0.7152, 1e-9);
    EXPECT_NEAR(RelativeLuminance(qRgb(0, 0, 255)), 0.0722, 1e-9);
    EXPECT_NEAR(ContrastRatio(qRgb(0, 0, 0), qRgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(qRgb(255, 255, 255), qRgb(0, 0, 0)), 21.0, 1e-9);
    EXPECT_DOUBLE_EQ(ContrastRatio(qRgb(0x20, 0x40, 0x60), qRgb(0x20, 0x40, 0x60)), 1.0);
    EXPECT_NEAR(ContrastRatio(qRgb(0x76, 0x76, 0x76), qRgb(255, 255, 255)), 4.54, 0.005);
    EXPECT_NEAR(ContrastRatio(qRgb(0x77, 0x77, 0x77), qRgb(255, 255, 255)), 4.48, 0.005);
    EXPECT_NEAR(ContrastRatio(qRgb(0x94, 0x94, 0x94), qRgb(255, 255, 255)), 3.03, 0.005);
    EXPECT_NEAR(ContrastRatio(qRgb(0x96, 0x96, 0x96), qRgb(255, 255, 255)), 2.96, 0.005);
    EXPECT_NEAR(ContrastRatio(qRgb(0, 0, 0), qRgb(0x20, 0x40, 0x60)), 1.96, 0.005);
}

TEST(AccessMeasure, TheFifthPercentileByNearestRank) {
    EXPECT_EQ(FifthPercentile({}), 0.0);
    EXPECT_EQ(FifthPercentile({7.5}), 7.5);
    // Up to 20 values the lowest decides; from 21 on the second lowest, up to 40.
    std::vector<double> twenty(20, 9.0);
    twenty[13] = 2.0;
    EXPECT_EQ(FifthPercentile(twenty), 2.0);
    std::vector<double> twentyOne(21, 9.0);
    twentyOne[4] = 2.0;
    twentyOne[17] = 3.0;
    EXPECT_EQ(FifthPercentile(twentyOne), 3.0);
    std::vector<double> forty(40, 9.0);
    forty[0] = 2.0;
    forty[39] = 3.0;
    EXPECT_EQ(FifthPercentile(forty), 3.0);
    std::vector<double> fortyOne = forty;
    fortyOne.push_back(4.0);
    EXPECT_EQ(FifthPercentile(fortyOne), 4.0);
    // 1 to 100 in any order: the fifth lowest.
    std::vector<double> hundred(100);
    for (int k = 0; k < 100; ++k) {
        hundred[static_cast<std::size_t>(k)] = k + 1;
    }
    std::shuffle(hundred.begin(), hundred.end(), std::mt19937(36));
    EXPECT_EQ(FifthPercentile(hundred), 5.0);
}

TEST(AccessMeasure, LargeTextByThePixelSizeTheFaceDrawsAndItsBoldness) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);  // 18 pt
    EXPECT_TRUE(IsLargeText(font));
    font.setPixelSize(23);
    EXPECT_FALSE(IsLargeText(font));
    font.setBold(true);
    EXPECT_TRUE(IsLargeText(font));
    font.setPixelSize(19);  // 14 pt, 18.67 px, drawn at 19
    EXPECT_TRUE(IsLargeText(font));
    font.setPixelSize(18);
    EXPECT_FALSE(IsLargeText(font));
    // A font given in points counts its points × 96 / 72.
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSizeF(18);
    EXPECT_TRUE(IsLargeText(points));
    points.setPointSizeF(17.9);
    EXPECT_FALSE(IsLargeText(points));
    points.setBold(true);
    points.setPointSizeF(14);
    EXPECT_TRUE(IsLargeText(points));
    points.setPointSizeF(13.99);
    EXPECT_FALSE(IsLargeText(points));
}

TEST(AccessMeasure, FlatCaptionsJustBelowAndJustAboveEachRule) {
    struct Case {
        int grey;
        int pixelSize;
        bool bold;
        double ratio;
        double needs;
    };
    const Case cases[] = {
        {0x76, 16, false, 4.54, 4.5}, {0x77, 16, false, 4.48, 4.5}, {0x94, 24, false, 3.03, 3.0},
        {0x96, 24, false, 2.96, 3.0}, {0x96, 19, true, 2.96, 3.0},  {0x94, 18, true, 3.03, 4.5},
    };
    for (const Case& c : cases) {
        FaceProperties p = FlatFace(Grey(c.grey));
        p.font.setPixelSize(c.pixelSize);
        p.font.setBold(c.bold);
        const CaptionContrast measured = Measure(p);
        SCOPED_TRACE(c.grey);
        EXPECT_TRUE(measured.hasText);
        EXPECT_GT(measured.pixels, 50);
        EXPECT_NEAR(measured.contrast, c.ratio, 0.005);
        EXPECT_EQ(measured.needs, c.needs);
        EXPECT_EQ(ContrastMet(measured), c.ratio >= c.needs);
    }
    // Black on white, and a caption that cannot be told from its face.
    EXPECT_NEAR(Measure(FlatFace(kBlack)).contrast, 21.0, 1e-9);
    const CaptionContrast invisible = Measure(FlatFace(kWhite));
    EXPECT_TRUE(invisible.hasText);
    EXPECT_EQ(invisible.pixels, 0);
    EXPECT_EQ(invisible.contrast, 1.0);
    EXPECT_FALSE(ContrastMet(invisible));
    // No caption, or blanks only: nothing to read, nothing short.
    FaceProperties blank = FlatFace(Grey(0x96));
    for (const QString& caption : {QString(), QStringLiteral("   ")}) {
        blank.caption = caption;
        const CaptionContrast none = Measure(blank);
        EXPECT_FALSE(none.hasText);
        EXPECT_TRUE(ContrastMet(none));
    }
}

TEST(AccessMeasure, BordersAndTheTargetSize) {
    // A bevelled border is drawn over the face, not over the caption: the figure stays the caption's.
    FaceProperties p = FlatFace(Grey(0x77));
    p.button3DKind = dk3D;
    p.buttonDepth = 3;
    EXPECT_NEAR(Measure(p).contrast, 4.48, 0.005);
    EXPECT_TRUE(TargetSizeMet(QSize(24, 24)));
    EXPECT_FALSE(TargetSizeMet(QSize(23, 24)));
    EXPECT_FALSE(TargetSizeMet(QSize(24, 23)));
    EXPECT_FALSE(TargetSizeMet(QSize(0, 0)));
}

TEST(AccessMeasure, SmoothCaptionsCompareTheCaptionColourNotItsBlendedEdges) {
    FaceProperties p = FlatFace(Grey(0x77));
    p.smoothCaption = true;
    const QImage smooth = RenderFace(p, FaceState{true, false, true, false});
    // The edges really are blended shades, lighter than the caption colour...
    bool blended = false;
    for (int y = 0; y < smooth.height(); ++y) {
        for (int x = 0; x < smooth.width(); ++x) {
            const int g = qGray(smooth.pixel(x, y));
            blended = blended || (g > 0x77 + 8 && g < 0xFF - 8);
        }
    }
    EXPECT_TRUE(blended);
    // ...yet the figure is that of the caption colour on white, as for a hard-edged caption.
    const CaptionContrast measured = Measure(p);
    EXPECT_GT(measured.pixels, 50);
    EXPECT_NEAR(measured.contrast, 4.48, 0.005);

    // An embossed smooth caption: the effect's darker tone counts as caption; on white the lighter
    // tone is white and changes nothing.
    p.fontColor = kBlack;
    p.caption3dKind = ckEmbossed;
    EXPECT_NEAR(Measure(p).contrast, 1.33, 0.005);
}

TEST(AccessMeasure, TheEmbossedAndPressedEffectsCountAsCaption) {
    // Black on white is 21:1, but the embossed caption's shadow is the face's darker tone #DFDFDF,
    // 1.05 / 0.78789 = 1.33 against white, and covers far more than 5 % of the caption's pixels.
    FaceProperties p = FlatFace(kBlack);
    EXPECT_NEAR(Measure(p).contrast, 21.0, 1e-9);
    p.caption3dKind = ckEmbossed;
    const CaptionContrast embossed = Measure(p);
    EXPECT_NEAR(embossed.contrast, 1.33, 0.005);
    p.caption3dKind = ckPressed;
    EXPECT_NEAR(Measure(p).contrast, 1.33, 0.005);
    // On a mid-grey face both tones show: #A0A0A0 and #606060 against #808080, each 1.5 or less.
    p.buttonColor = Grey(0x80);
    p.caption3dKind = ckEmbossed;
    const double lighter = ContrastRatio(qRgb(0xA0, 0xA0, 0xA0), qRgb(0x80, 0x80, 0x80));
    const double darker = ContrastRatio(qRgb(0x60, 0x60, 0x60), qRgb(0x80, 0x80, 0x80));
    const double figure = Measure(p).contrast;
    EXPECT_LE(figure, std::max(lighter, darker) + 1e-9);
    EXPECT_GE(figure, std::min(lighter, darker) - 1e-9);
}

TEST(AccessMeasure, ABitmapFaceIsMeasuredAgainstTheBitmapNotTheButtonColour) {
    // Black on the bitmap's #204060 is 1.96:1, whatever the white button colour beneath it.
    FaceProperties p = FlatFace(kBlack);
    QImage bitmap(120, 40, QImage::Format_RGB32);
    bitmap.fill(QColor(0x20, 0x40, 0x60));
    p.mainBitmap = OwnBitmapCopy(bitmap);
    p.bitmapHAlign = haNone;
    p.bitmapVAlign = vaNone;
    p.bitmapLeft = 0;
    p.bitmapTop = 0;
    EXPECT_NEAR(Measure(p).contrast, 1.96, 0.005);
    // A white caption on it passes.
    p.fontColor = kWhite;
    EXPECT_NEAR(Measure(p).contrast, 10.69, 0.005);
}

TEST(AccessMeasure, AGradientsWorstPartDecidesNotItsAverage) {
    // A black caption across a face that runs from white on the left to #202020 on the right: black
    // on white is 21:1, black on #202020 only 1.29:1. The pixels over the dark end decide.
    FaceProperties p = FlatFace(kBlack);
    p.caption = QStringLiteral("WWWWWWWWWW");
    p.font.setPixelSize(14);
    p.gradientKind = gkLinear;
    p.gradientAngle = 900;
    p.buttonColor = kWhite;
    p.buttonColor1 = Grey(0x20);
    const QImage face = RenderFace(p, FaceState{true, false, true, false});
    // The fill really runs from light to dark across the caption.
    ASSERT_GT(qGray(face.pixel(2, 20)), 0xE0);
    ASSERT_LT(qGray(face.pixel(117, 20)), 0x40);
    const double figure = Measure(p).contrast;
    EXPECT_GE(figure, 1.28);
    // Below the ratio against the face's middle grey: not the average of the face.
    EXPECT_LT(figure, ContrastRatio(qRgb(0, 0, 0), qRgb(0x90, 0x90, 0x90)));
    EXPECT_LT(figure, 3.0);
}
