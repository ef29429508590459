#pragma once

#include <QString>
#include <optional>

#include "platform/IntegerText.h"
#include "settings/SettingsLists.h"

// The settings of one button type: type 1 is the button as normally shown, type 2 the one shown
// while the mouse is over it.
namespace settings {

enum class CaptionEffect { Embossed, Pressed, Standard };

// The second colour of a gradient fill until the user chooses one: a middle grey.
inline constexpr char kDefaultGradientColour[] = "00808080";
inline constexpr int kDefaultGradientAngle = 45;

struct ButtonStyle {
    int backgroundMode = kNoChoice;  // 0-4, BackgroundModeTexts()
    QString bitmapFile;
    QString backgroundColour;  // ColourString
    // Integer fields are held as their text: empty or "-" counts as 0 where it is read.
    QString width;
    QString height;
    QString spacing;
    int borderDepth = kNoChoice;    // 0-16, pixels
    int borderStyle = kNoChoice;    // 0-5, BorderStyleTexts()
    int fontIndex = kNoChoice;      // position in the system's font list
    QString fontName;               // the font list's text; may name a font not in the list
    int fontSizeIndex = kNoChoice;  // 0-23 for "7" to "30"
    QString fontSizeText;           // the size list's text (the list is editable)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    CaptionEffect captionEffect = CaptionEffect::Standard;
    QString captionColour;           // ColourString
    int verticalMode = kNoChoice;    // VerticalAlignmentTexts()
    int horizontalMode = kNoChoice;  // HorizontalAlignmentTexts()
    QString verticalOffset;
    QString horizontalOffset;
    // Shape and fill. The defaults are the plain rectangle in its one background colour.
    int shape = kShapeRectangle;       // ButtonShapeTexts()
    QString cornerRadius;              // integer field; empty (or "-") for twice the border depth
    int gradientKind = kGradientNone;  // GradientFillTexts(); only in the colour background modes
    QString gradientColour = QLatin1String(kDefaultGradientColour);  // ColourString, where the fill ends
    QString gradientAngle = QStringLiteral("45");                    // integer field, whole degrees
    // The shape's edges in the files drawn smooth (partly transparent, or blended with the page).
    bool smoothEdges = false;

    // Chooses a size list position; its text follows (empty for no choice).
    void SetFontSizeIndex(int position);
    // Takes a size typed into the size list (a valid size, see FontSizePoints): the text, and the
    // list position that shows the same text or no choice.
    void SetFontSizeText(const QString& text);
    // Chooses a font list position among `fonts`; the font name follows (empty for no choice).
    void SetFontIndex(int position, const QStringList& fonts);

    bool operator==(const ButtonStyle&) const = default;
};

// The ranges of a button type's integer fields. Only the type 2 width, the heights and the offsets
// have an active range; the type 1 width and the spacings take any number.
constexpr platform::IntegerRange WidthRange(int type) {
    return type == 0 ? platform::IntegerRange{0, 2000} : platform::IntegerRange{-2000, 2000};
}
inline constexpr platform::IntegerRange kHeightRange{-2000, 2000};
// The largest side, in pixels, of a button's face and of any image a batch writes. GIF files hold
// at most 65,535 pixels a side; the limit is well below that, and below what one face may take in
// memory while several are drawn at once.
inline constexpr int kMaxButtonSide = 16384;
inline constexpr platform::IntegerRange kSpacingRange{0, 2000};
inline constexpr platform::IntegerRange kOffsetRange{-2000, 2000};

// The corner radius field and the gradient angle field. Neither range is active (its minimum is 0):
// the composer cuts a radius to half the button's smaller side and takes any angle modulo 360.
inline constexpr platform::IntegerRange kCornerRadiusRange{0, 1000};
inline constexpr platform::IntegerRange kGradientAngleRange{0, 359};

// The corner radius a corner radius text gives: none for an empty text or a lone "-" (the
// component's rule then applies), a number below 0 counting as 0. Throws platform::ConvertError for a
// text that is not a whole number.
std::optional<int> CornerRadiusPixels(const QString& text);

// The angle of a gradient angle text in whole degrees from 0 to 359: an empty text or a lone "-"
// counts as 0, any other whole number is taken modulo 360. Throws platform::ConvertError for a text
// that is not a whole number.
int GradientAngleDegrees(const QString& text);

// A whole number written by the program: an optional minus and decimal digits, blanks around them
// allowed. Anything else is none.
std::optional<int> PlainWholeNumber(const QString& text);

// The caption sizes a size list accepts, in points.
inline constexpr platform::IntegerRange kFontSizeRange{1, 300};

// The size a size list text gives: decimal digits only, blanks around them allowed, within
// kFontSizeRange. Anything else is not a size.
std::optional<int> FontSizePoints(const QString& text);

}  // namespace settings
