#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "settings/ButtonStyle.h"
#include "settings/CaptionGrid.h"

// Everything the user sets: both button types and the settings that are not per type. The main
// window's controls show this model; a handler changes the model first, and code that changes the
// model (defaults, loading) brings the controls in line afterwards.
namespace settings {

// The two button types, as every part of the program numbers them: the index of their settings.
inline constexpr int kType1 = 0;
inline constexpr int kType2 = 1;
// The number a message gives a type: "type 1", "type 2".
inline constexpr int ShownTypeNumber(int type) {
    return type + 1;
}

inline constexpr const char* kDefaultPageLanguage = "en";
inline constexpr const char* kDefaultNavigationLabel = "Main";
inline constexpr int kMaxButtonSpacing = 100;
// The file-name prefix of the pressed images the defaults give.
inline constexpr char kDefaultPressedPrefix[] = "P_";

struct AppSettings {
    std::array<ButtonStyle, 2> button;  // [kType1], [kType2]

    QStringList fontList;  // the system's screen fonts, the items of both font lists

    QString targetFolder;      // button target folder
    QString htmlTargetFolder;  // kUseButtonTargetFolder means the button target folder
    QString prefix1;
    QString prefix2;
    int fileType = kNoChoice;       // FileTypeTexts()
    int filenameStyle = kNoChoice;  // FilenameStyleTexts()
    bool enforce83 = false;
    bool statusReports = false;
    bool copyOnReEnable = false;
    bool overwritePrompt = false;
    bool htmlOverwritePrompt = false;
    QString previewAreaColour;
    int htmlLayout = kNoChoice;  // HtmlLayoutTexts()
    QString htmlMainFilename;
    QString htmlTitlePrefix;
    bool htmlGenerateAll = false;
    QString browser;  // kUseDefaultBrowser means the system's default browser
    QString htmlBackgroundColour;
    QString htmlTextColour;
    QString testCaption;  // at most kMaxCaptionLength characters
    CaptionGrid captions;

    // Choices that are off by default; a settings file without them gives the files it always gave.
    bool scale2x = false;               // also write every image at twice the size, named "…@2x"
    bool smoothCaptions = false;        // captions drawn with anti-aliased edges
    int pageStyle = kPageStyleClassic;  // PageStyleTexts()
    bool latinNames = false;            // file names from captions written in Latin letters
    bool ditherGif = false;             // GIF colours reduced by error diffusion, not the nearest colour
    // The script-free page: its language (a language tag, IsLanguageTag) and the pixels between its
    // buttons; the navigation snippet written beside the pages, and the name a screen reader gives it.
    QString pageLanguage = QString::fromLatin1(kDefaultPageLanguage);
    int buttonSpacing = 0;  // kButtonSpacingRange
    bool navigationSnippet = false;
    QString navigationLabel = QString::fromLatin1(kDefaultNavigationLabel);
    // Also write each caption's pressed image: its type 2 face (type 1 while type 2 is disabled) as
    // the button shows it pressed with the mouse inside, named with its own prefix.
    bool pressedImages = false;
    QString prefixPressed = QLatin1String(kDefaultPressedPrefix);
    // Measure every image a batch writes against the contrast and target size rules for web pages
    // (the caption against its face, the button's width and height), and say which fall short.
    bool checkAccess = false;

    bool secondbuttonEnabled = true;
    bool PreviewUpdatesSuspended = false;

    bool operator==(const AppSettings&) const = default;
};

inline constexpr int kMaxCaptionLength = 250;

}  // namespace settings
