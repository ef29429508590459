#include "settings/DefaultSettings.h"

#include "settings/ColourString.h"

namespace settings {
namespace {

constexpr int kDefaultMode = kColourSmartSized;
constexpr int kDefaultBorderStyle = 2;     // "None"
constexpr int kDefaultFontSize = 2;        // "9"
constexpr int kDefaultVerticalMode = 1;    // "Centre"
constexpr int kDefaultHorizontalMode = 0;  // "Centre"
constexpr int kDefaultFilenameStyle = 2;   // "Lower case"
constexpr int kDefaultCaptionRows = 8;

void ApplyTypeDefaults(ButtonStyle& b, const QString& background) {
    b.backgroundMode = kDefaultMode;
    b.borderDepth = 0;
    b.borderStyle = kDefaultBorderStyle;
    b.backgroundColour = background;
    b.width = QStringLiteral("100");
    b.height = QStringLiteral("30");
    b.spacing = QStringLiteral("5");
    b.bitmapFile.clear();
    b.shape = kShapeRectangle;
    b.cornerRadius.clear();
    b.gradientKind = kGradientNone;
    b.gradientColour = QLatin1String(kDefaultGradientColour);
    b.gradientAngle = QString::number(kDefaultGradientAngle);
}

void ApplyFontDefaults(ButtonStyle& b, const QStringList& fonts) {
    b.SetFontIndex(0, fonts);
    b.SetFontSizeIndex(kDefaultFontSize);
    b.bold = false;
    b.italic = false;
    b.underline = false;
}

void ApplyAlignmentDefaults(ButtonStyle& b) {
    b.verticalOffset = QStringLiteral("5");
    b.horizontalOffset = QStringLiteral("5");
    b.horizontalMode = kDefaultHorizontalMode;
    b.verticalMode = kDefaultVerticalMode;
}

}  // namespace

QStringList DefaultCaptionHeader() {
    return {QStringLiteral("Button Captions"), QStringLiteral("Button 1 Filename"),
            QStringLiteral("Button 2 Filename"), QStringLiteral("HTML filename"), QStringLiteral("Link")};
}

QStringList DefaultCaptions() {
    return {QStringLiteral("Home"),     QStringLiteral("Contacts"), QStringLiteral("Products"),
            QStringLiteral("Services"), QStringLiteral("Support"),  QStringLiteral("Search"),
            QStringLiteral("Links")};
}

void ApplyDefaultSettings(AppSettings& s, const QStringList& fonts, const QString& dataFolder) {
    s.PreviewUpdatesSuspended = true;
    s.secondbuttonEnabled = true;
    s.copyOnReEnable = true;

    ApplyTypeDefaults(s.button[kType1], QStringLiteral("00FFFFFF"));
    ApplyTypeDefaults(s.button[kType2], QStringLiteral("00000000"));

    s.testCaption = QStringLiteral("Plumeric !");

    s.fontList = fonts;
    for (ButtonStyle& b : s.button) {
        ApplyFontDefaults(b, fonts);
    }

    s.targetFolder = dataFolder + QStringLiteral("BUTTONS/");

    s.button[kType1].captionColour = QStringLiteral("00000000");
    s.button[kType2].captionColour = QStringLiteral("00FFFFFF");
    s.previewAreaColour = QStringLiteral("00003000");

    s.prefix1 = QStringLiteral("U_");
    s.prefix2 = QStringLiteral("D_");

    s.filenameStyle = kDefaultFilenameStyle;
    s.enforce83 = false;
    s.overwritePrompt = true;
    s.fileType = kFileTypeGif;
    s.statusReports = false;

    for (ButtonStyle& b : s.button) {
        b.captionEffect = CaptionEffect::Standard;
        ApplyAlignmentDefaults(b);
    }

    s.captions.SetRowCount(kDefaultCaptionRows);
    const QStringList header = DefaultCaptionHeader();
    for (int c = 0; c < CaptionGrid::kColumns; ++c) {
        s.captions.SetCell(0, c, header[c]);
    }
    const QStringList captions = DefaultCaptions();
    for (int r = 0; r < captions.size(); ++r) {
        s.captions.SetCell(r + 1, CaptionGrid::kCaptionColumn, captions[r]);
    }

    s.htmlLayout = 0;
    s.scale2x = false;
    s.smoothCaptions = false;
    s.pageStyle = kPageStyleClassic;
    s.latinNames = false;
    s.pageLanguage = QString::fromLatin1(kDefaultPageLanguage);
    s.buttonSpacing = 0;
    s.navigationSnippet = false;
    s.navigationLabel = QString::fromLatin1(kDefaultNavigationLabel);
    s.pressedImages = false;
    s.checkAccess = false;
    s.prefixPressed = QLatin1String(kDefaultPressedPrefix);
    s.browser = QLatin1String(kUseDefaultBrowser);
    s.htmlMainFilename = QLatin1String(kDefaultTestPageName);
    s.htmlTargetFolder = QLatin1String(kUseButtonTargetFolder);
    s.htmlTitlePrefix = QStringLiteral("Untitled Document");
    s.htmlOverwritePrompt = false;
    s.htmlGenerateAll = true;
    s.htmlBackgroundColour = QStringLiteral("00FFFFFF");
    s.htmlTextColour = QStringLiteral("00000000");

    s.PreviewUpdatesSuspended = false;
}

}  // namespace settings
