#pragma once

#include <QString>
#include <QStringList>

// The fixed lists the user chooses from, with their texts exactly as shown, and the helpers that
// turn a stored position into a choice. A position outside a list means "no choice" (-1).
namespace settings {

inline constexpr int kNoChoice = -1;

// Background modes; the text of mode 3 ends with one blank.
QStringList BackgroundModeTexts();
// "No border", "1 Pixel Border" … "16 Pixel Border".
QStringList BorderDepthTexts();
// "Simple 3D", "3D Border", "None", "Flatten", "Flatten Simple", "3D Border Flatten".
QStringList BorderStyleTexts();
// "7" to "30".
QStringList FontSizeTexts();
QStringList VerticalAlignmentTexts();
QStringList HorizontalAlignmentTexts();
QStringList FileTypeTexts();
QStringList FilenameStyleTexts();
QStringList HtmlLayoutTexts();
// "Script rollover (classic)", "CSS rollover (no script)".
QStringList PageStyleTexts();
// "Rectangle" (the default), "Rounded rectangle", "Ellipse", "Cut corners", "Arrow".
QStringList ButtonShapeTexts();
// "None" (the default: the solid background colour), "Linear", "Circular".
QStringList GradientFillTexts();

// The position when it lies inside a list of `count` items, otherwise kNoChoice.
inline int ListChoice(int position, qsizetype count) {
    return position >= 0 && position < count ? position : kNoChoice;
}

// The text of a list's choice, empty for no choice.
inline QString ChoiceText(const QStringList& items, int position) {
    return position >= 0 && position < items.size() ? items[position] : QString();
}

// Item counts of the fixed lists.
inline constexpr int kBackgroundModeCount = 5;
inline constexpr int kBorderDepthCount = 17;
inline constexpr int kBorderStyleCount = 6;
inline constexpr int kFontSizeCount = 24;
inline constexpr int kSmallestFontSize = 7;
inline constexpr int kAlignmentCount = 4;
inline constexpr int kFileTypeCount = 4;
inline constexpr int kFilenameStyleCount = 3;
inline constexpr int kHtmlLayoutCount = 2;
inline constexpr int kPageStyleCount = 2;
inline constexpr int kButtonShapeCount = 5;
inline constexpr int kGradientFillCount = 3;

// Positions named by the program.
inline constexpr int kFileTypeBmp = 0;
inline constexpr int kFileTypeGif = 1;
inline constexpr int kPageStyleClassic = 0;
inline constexpr int kPageStyleCss = 1;
inline constexpr int kFileTypePng = 2;
inline constexpr int kFileTypeWebp = 3;
inline constexpr int kShapeRectangle = 0;
inline constexpr int kShapeRoundedRectangle = 1;
inline constexpr int kGradientNone = 0;
inline constexpr int kGradientLinear = 1;

// The background modes, by their place in the mode list: how a type's button is filled and sized.
enum BackgroundMode : int {
    kBitmapSized = 0,       // a bitmap file; the button is as large as the bitmap
    kColourFixedSize = 1,   // the background colour; the width and height fields
    kBitmapFixedSize = 2,   // a bitmap file; the width and height fields
    kBitmapSmartSized = 3,  // a bitmap file; as wide as the caption and the spacing
    kColourSmartSized = 4,  // the background colour; as wide as the caption and the spacing
};

// The modes that fill the button with its colour; the others show a bitmap file. No choice is
// neither.
inline bool IsColourBackgroundMode(int mode) {
    return mode == kColourFixedSize || mode == kColourSmartSized;
}
inline bool UsesBitmapFile(int mode) {
    return mode == kBitmapSized || mode == kBitmapFixedSize || mode == kBitmapSmartSized;
}
// The modes whose width follows the caption.
inline bool IsSmartSized(int mode) {
    return mode == kBitmapSmartSized || mode == kColourSmartSized;
}
inline constexpr int kFixedOffsetAlignment = 2;  // "Use Fixed … Offset" in both alignment lists

// Texts that stand for "use something else".
inline constexpr char kUseButtonTargetFolder[] = "<Use button target folder above>";
inline constexpr char kUseDefaultBrowser[] = "<Use Default>";

// Whether the text is shaped as a language tag: a primary language of two to eight letters, then
// subtags of one to eight letters or digits, each after a hyphen ("en", "de-CH", "zh-Hant-TW"), in
// all at most kMaxLanguageTagLength characters.
inline constexpr int kMaxLanguageTagLength = 35;
bool IsLanguageTag(const QString& text);

}  // namespace settings
