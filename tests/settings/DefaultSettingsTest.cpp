#include <gtest/gtest.h>

#include "settings/DefaultSettings.h"

using namespace settings;

namespace {

const QStringList kFonts = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"};

AppSettings Defaults() {
    AppSettings s;
    ApplyDefaultSettings(s, kFonts, "/opt/kestro/KSDATA/");
    return s;
}

}  // namespace

TEST(DefaultSettings, EachButtonTypeGetsItsDefaults) {
    const AppSettings s = Defaults();
    for (int t : {kType1, kType2}) {
        const ButtonStyle& b = s.button[t];
        SCOPED_TRACE(t);
        EXPECT_EQ(b.backgroundMode, 4);
        EXPECT_EQ(b.borderDepth, 0);
        EXPECT_EQ(b.borderStyle, 2);
        EXPECT_EQ(ChoiceText(BorderStyleTexts(), b.borderStyle), QStringLiteral("None"));
        EXPECT_EQ(b.width, QStringLiteral("100"));
        EXPECT_EQ(b.height, QStringLiteral("30"));
        EXPECT_EQ(b.spacing, QStringLiteral("5"));
        EXPECT_TRUE(b.bitmapFile.isEmpty());
        EXPECT_EQ(b.fontIndex, 0);
        EXPECT_EQ(b.fontName, QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(b.fontSizeIndex, 2);
        EXPECT_EQ(b.fontSizeText, QStringLiteral("9"));
        EXPECT_FALSE(b.bold || b.italic || b.underline);
        EXPECT_EQ(b.captionEffect, CaptionEffect::Standard);
        EXPECT_EQ(b.verticalMode, 1);
        EXPECT_EQ(b.horizontalMode, 0);
        EXPECT_EQ(ChoiceText(VerticalAlignmentTexts(), b.verticalMode), QStringLiteral("Centre"));
        EXPECT_EQ(ChoiceText(HorizontalAlignmentTexts(), b.horizontalMode), QStringLiteral("Centre"));
        EXPECT_EQ(b.verticalOffset, QStringLiteral("5"));
        EXPECT_EQ(b.horizontalOffset, QStringLiteral("5"));
    }
    EXPECT_EQ(s.button[kType1].backgroundColour, QStringLiteral("00FFFFFF"));
    EXPECT_EQ(s.button[kType2].backgroundColour, QStringLiteral("00000000"));
    EXPECT_EQ(s.button[kType1].captionColour, QStringLiteral("00000000"));
    EXPECT_EQ(s.button[kType2].captionColour, QStringLiteral("00FFFFFF"));
}

TEST(DefaultSettings, ShapeAndFillStartAsThePlainRectangleAndAreResetWithTheRest) {
    AppSettings s = Defaults();
    for (ButtonStyle& b : s.button) {
        b.shape = 2;
        b.cornerRadius = QStringLiteral("7");
        b.gradientKind = 1;
        b.gradientColour = QStringLiteral("000000FF");
        b.gradientAngle = QStringLiteral("90");
    }
    ApplyDefaultSettings(s, kFonts, "/opt/kestro/KSDATA/");
    for (const ButtonStyle& b : s.button) {
        EXPECT_EQ(ChoiceText(ButtonShapeTexts(), b.shape), QStringLiteral("Rectangle"));
        EXPECT_EQ(b.cornerRadius, QString());
        EXPECT_EQ(ChoiceText(GradientFillTexts(), b.gradientKind), QStringLiteral("None"));
        EXPECT_EQ(b.gradientColour, QStringLiteral("00808080"));
        EXPECT_EQ(b.gradientAngle, QStringLiteral("45"));
    }
    // A freshly made style holds the same values.
    EXPECT_EQ(s.button[kType1].shape, ButtonStyle().shape);
    EXPECT_EQ(s.button[kType1].gradientColour, ButtonStyle().gradientColour);
    EXPECT_EQ(s.button[kType1].gradientAngle, ButtonStyle().gradientAngle);
}

TEST(DefaultSettings, CornerRadiusAndGradientAngleTextsGiveTheirNumbers) {
    // Empty or a lone "-": the component's rule; below 0 counts as 0.
    EXPECT_EQ(CornerRadiusPixels(""), std::nullopt);
    EXPECT_EQ(CornerRadiusPixels("-"), std::nullopt);
    EXPECT_EQ(CornerRadiusPixels("0"), 0);
    EXPECT_EQ(CornerRadiusPixels("12"), 12);
    EXPECT_EQ(CornerRadiusPixels("-3"), 0);
    EXPECT_THROW(CornerRadiusPixels("1x"), platform::ConvertError);
    // Whole degrees, taken modulo 360 into 0 to 359.
    EXPECT_EQ(GradientAngleDegrees(""), 0);
    EXPECT_EQ(GradientAngleDegrees("45"), 45);
    EXPECT_EQ(GradientAngleDegrees("359"), 359);
    EXPECT_EQ(GradientAngleDegrees("360"), 0);
    EXPECT_EQ(GradientAngleDegrees("-45"), 315);
    EXPECT_EQ(GradientAngleDegrees("-360"), 0);
    EXPECT_EQ(GradientAngleDegrees("725"), 5);
    EXPECT_THROW(GradientAngleDegrees("4.5"), platform::ConvertError);
    // Numbers as the program writes them, blanks around them allowed; nothing else.
    EXPECT_EQ(PlainWholeNumber(" 12 "), 12);
    EXPECT_EQ(PlainWholeNumber("-7"), -7);
    EXPECT_EQ(PlainWholeNumber("0"), 0);
    EXPECT_EQ(PlainWholeNumber("999999999"), 999999999);
    for (const char* text : {"", "-", "+5", "1e2", "0x10", "$10", "4.5", "1 2", "1234567890", "--1"}) {
        EXPECT_EQ(PlainWholeNumber(text), std::nullopt) << text;
    }
}

TEST(DefaultSettings, ProgramSettingsGetTheirDefaults) {
    const AppSettings s = Defaults();
    EXPECT_TRUE(s.secondbuttonEnabled);
    EXPECT_TRUE(s.copyOnReEnable);
    EXPECT_FALSE(s.PreviewUpdatesSuspended);
    EXPECT_EQ(s.testCaption, QStringLiteral("Plumeric !"));
    EXPECT_EQ(s.targetFolder, QStringLiteral("/opt/kestro/KSDATA/BUTTONS/"));
    EXPECT_EQ(s.previewAreaColour, QStringLiteral("00003000"));
    EXPECT_EQ(s.prefix1, QStringLiteral("U_"));
    EXPECT_EQ(s.prefix2, QStringLiteral("D_"));
    EXPECT_EQ(s.filenameStyle, 2);
    EXPECT_EQ(ChoiceText(FilenameStyleTexts(), s.filenameStyle), QStringLiteral("Lower case"));
    EXPECT_FALSE(s.enforce83);
    EXPECT_TRUE(s.overwritePrompt);
    EXPECT_EQ(s.fileType, kFileTypeGif);
    EXPECT_EQ(ChoiceText(FileTypeTexts(), s.fileType), QStringLiteral("256 Colour Compuserve GIF (*.gif)"));
    EXPECT_FALSE(s.statusReports);
    EXPECT_EQ(s.htmlLayout, 0);
    EXPECT_EQ(s.browser, QStringLiteral("<Use Default>"));
    EXPECT_EQ(s.htmlMainFilename, QStringLiteral("index.htm"));
    EXPECT_EQ(s.htmlTargetFolder, QStringLiteral("<Use button target folder above>"));
    EXPECT_EQ(s.htmlTitlePrefix, QStringLiteral("Untitled Document"));
    EXPECT_FALSE(s.htmlOverwritePrompt);
    EXPECT_TRUE(s.htmlGenerateAll);
    EXPECT_EQ(s.htmlBackgroundColour, QStringLiteral("00FFFFFF"));
    EXPECT_EQ(s.htmlTextColour, QStringLiteral("00000000"));
    EXPECT_EQ(s.fontList, kFonts);
}

TEST(DefaultSettings, CaptionListGetsEightRowsAndKeepsItsFileNames) {
    AppSettings s;
    s.captions.SetRowCount(12);
    s.captions.SetCell(3, CaptionGrid::kType1Column, "keep.gif");
    s.captions.SetCell(11, CaptionGrid::kCaptionColumn, "cut off");
    ApplyDefaultSettings(s, kFonts, "/d/");
    ASSERT_EQ(s.captions.RowCount(), 8);
    EXPECT_EQ(s.captions.RowAt(0), (CaptionGrid::Row{"Button Captions", "Button 1 Filename",
                                                     "Button 2 Filename", "HTML filename", "Link"}));
    const QStringList expected = {"Home", "Contacts", "Products", "Services", "Support", "Search", "Links"};
    for (int r = 1; r < 8; ++r) {
        EXPECT_EQ(s.captions.Cell(r, 0), expected[r - 1]);
    }
    EXPECT_EQ(s.captions.Cell(3, CaptionGrid::kType1Column), QStringLiteral("keep.gif"));
    ApplyDefaultSettings(s, kFonts, "/d/");
    EXPECT_TRUE(s.captions.Cell(11, 0).isEmpty());
}

TEST(DefaultSettings, ListsHoldTheirTextsAndPositionsOutsideMeanNoChoice) {
    // Every text exactly, blanks included: mode 3 ends with one blank, mode 4 with none.
    EXPECT_EQ(BackgroundModeTexts(),
              (QStringList{"Use a predefined bitmap file - button size equals bitmap size",
                           "Use a solid background colour - fix each button to a custom size",
                           "Use a predefined bitmap - fix each button to a custom size",
                           "Use a predefined bitmap file with smart sizing ",
                           "Use a solid background colour with smart sizing"}));
    EXPECT_EQ(BorderStyleTexts(), (QStringList{"Simple 3D", "3D Border", "None", "Flatten", "Flatten Simple",
                                               "3D Border Flatten"}));
    EXPECT_EQ(VerticalAlignmentTexts(),
              (QStringList{"Bottom", "Centre", "Use Fixed Vertical Offset", "Top"}));
    EXPECT_EQ(HorizontalAlignmentTexts(),
              (QStringList{"Centre", "Left", "Use Fixed Horizontal Offset", "Right"}));
    EXPECT_EQ(FileTypeTexts(),
              (QStringList{"Windows Bitmap (*.bmp)", "256 Colour Compuserve GIF (*.gif)",
                           "PNG image (true colour, transparent outside the button) (*.png)",
                           "WebP image (lossless, transparent outside the button) (*.webp)"}));
    EXPECT_EQ(FileTypeTexts().size(), kFileTypeCount);
    EXPECT_EQ(ButtonShapeTexts(),
              (QStringList{"Rectangle", "Rounded rectangle", "Ellipse", "Cut corners", "Arrow"}));
    EXPECT_EQ(ButtonShapeTexts().size(), kButtonShapeCount);
    EXPECT_EQ(GradientFillTexts(), (QStringList{"None", "Linear", "Circular"}));
    EXPECT_EQ(GradientFillTexts().size(), kGradientFillCount);
    EXPECT_EQ(FilenameStyleTexts(), (QStringList{"Mixed case", "Upper case", "Lower case"}));
    EXPECT_EQ(HtmlLayoutTexts(), (QStringList{"Arrange buttons horizontally", "Arrange buttons vertically"}));
    EXPECT_EQ(BackgroundModeTexts().size(), kBackgroundModeCount);
    EXPECT_EQ(BorderDepthTexts().front(), QStringLiteral("No border"));
    for (int depth = 2; depth < kBorderDepthCount - 1; ++depth) {
        EXPECT_EQ(BorderDepthTexts()[depth], QStringLiteral("%1 Pixel Border").arg(depth));
    }
    EXPECT_EQ(BorderDepthTexts().size(), kBorderDepthCount);
    EXPECT_EQ(BorderDepthTexts()[1], QStringLiteral("1 Pixel Border"));
    EXPECT_EQ(BorderDepthTexts()[16], QStringLiteral("16 Pixel Border"));
    EXPECT_EQ(FontSizeTexts().size(), kFontSizeCount);
    EXPECT_EQ(FontSizeTexts().front(), QStringLiteral("7"));
    EXPECT_EQ(FontSizeTexts().back(), QStringLiteral("30"));
    EXPECT_EQ(ListChoice(5, 5), kNoChoice);
    EXPECT_EQ(ListChoice(-3, 5), kNoChoice);
    EXPECT_EQ(ChoiceText(BorderStyleTexts(), kNoChoice), QString());

    ButtonStyle b;
    b.SetFontSizeIndex(23);
    EXPECT_EQ(b.fontSizeText, QStringLiteral("30"));
    b.SetFontSizeIndex(24);
    EXPECT_EQ(b.fontSizeIndex, kNoChoice);
    EXPECT_TRUE(b.fontSizeText.isEmpty());
    b.SetFontIndex(0, {});  // no screen fonts at all: nothing to choose
    EXPECT_EQ(b.fontIndex, kNoChoice);
    EXPECT_TRUE(b.fontName.isEmpty());
}
