#include "project/ProjectFile.h"

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <optional>

#include "output/CaptionNaming.h"
#include "platform/FileWriting.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/ScreenFonts.h"
#include "platform/ShownText.h"
#include "platform/TextCodec.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsLists.h"

namespace project {

using settings::AppSettings;
using settings::ButtonStyle;
using settings::CaptionEffect;
using settings::CaptionGrid;

namespace {

constexpr int kCaptionKey = 100;
constexpr int kType1NameKey = 101;
constexpr int kType2NameKey = 102;
constexpr int kHtmlNameKey = 103;
// A row's link: after its row's 103 line, written only when the row has one, so a list without links
// is the file older versions wrote; older versions ignore the key.
constexpr int kLinkKey = 104;
// Sizes typed into the size lists that the lists do not hold. Written only for such a size, after
// the keys every reader knows, so the file is unchanged for a size chosen from the list.
constexpr int kTypedFontSize1Key = 112;
constexpr int kTypedFontSize2Key = 113;
// Shape and fill of type 1 (120 to 124) and type 2 (125 to 129), each written only when it differs
// from its default, after the keys above: a file that uses none of them is the file older versions
// wrote, and older versions ignore the keys.
constexpr int kShapeKey1 = 120;
constexpr int kShapeKey2 = 125;
enum ShapeKeyOffset {
    kShapeOffset,
    kCornerRadiusOffset,
    kGradientKindOffset,
    kGradientColourOffset,
    kGradientAngleOffset,
    kShapeKeyCount
};
// Choices added later, each off by default and written the same way: only when it is not the
// default, after every other line, so a file that never had them is written as it always was.
constexpr int kScale2xKey = 130;
constexpr int kSmoothCaptionsKey = 131;
constexpr int kSmoothEdges1Key = 133;
constexpr int kSmoothEdges2Key = 134;
constexpr int kPageStyleKey = 132;
constexpr int kDitherGifKey = 135;
constexpr int kNavigationSnippetKey = 138;
constexpr int kNavigationLabelKey = 139;
constexpr int kPageLanguageKey = 140;
constexpr int kButtonSpacingKey = 141;
constexpr int kPressedImagesKey = 136;
constexpr int kPressedPrefixKey = 137;
constexpr int kLatinNamesKey = 143;
constexpr int kCheckAccessKey = 142;

// A yes/no value of a later choice: "Y" or "N"; anything else does not read.
std::optional<bool> OptionalYesNo(const QString& value) {
    if (value == QLatin1String("Y")) {
        return true;
    }
    if (value == QLatin1String("N")) {
        return false;
    }
    return std::nullopt;
}

// A list position of a later choice: a whole number inside the list; anything else does not read.
std::optional<int> OptionalListChoice(const QString& value, int count) {
    bool ok = false;
    const int position = platform::TrimBlanks(value).toInt(&ok);
    if (!ok || settings::ListChoice(position, count) == settings::kNoChoice) {
        return std::nullopt;
    }
    return position;
}

QString YesNo(bool value) {
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}
bool FromYesNo(const QString& value) {
    return value == QLatin1String("Y");
}

QString Number(int value) {
    return QString::number(value);
}

// The shape and fill lines of one type (0 or 1) whose values differ from their defaults.
QStringList ShapeLines(const ButtonStyle& b, int type) {
    QStringList lines;
    const int base = type == 0 ? kShapeKey1 : kShapeKey2;
    const auto add = [&](int offset, const char* what, const QString& value) {
        lines.append(QStringLiteral("/* Button %1 %2 */").arg(type + 1).arg(QLatin1String(what)));
        lines.append(Number(base + offset) + QLatin1Char(',') + value);
    };
    if (b.shape != settings::kShapeRectangle) {
        add(kShapeOffset, "shape", Number(b.shape));
    }
    // Integer fields are written as the number they give; a text that gives none is left out.
    try {
        if (const std::optional<int> radius = settings::CornerRadiusPixels(b.cornerRadius)) {
            add(kCornerRadiusOffset, "corner radius", Number(*radius));
        }
    } catch (const platform::ConvertError&) {
    }
    if (b.gradientKind != settings::kGradientNone) {
        add(kGradientKindOffset, "gradient fill", Number(b.gradientKind));
    }
    if (b.gradientColour != QLatin1String(settings::kDefaultGradientColour)) {
        add(kGradientColourOffset, "gradient second colour", b.gradientColour);
    }
    try {
        if (const int degrees = settings::GradientAngleDegrees(b.gradientAngle);
            degrees != settings::kDefaultGradientAngle) {
            add(kGradientAngleOffset, "gradient angle (degrees)", Number(degrees));
        }
    } catch (const platform::ConvertError&) {
    }
    return lines;
}

// Whether a text is a colour as the program writes one: eight hexadecimal digits.
bool IsColourString(const QString& text) {
    if (text.size() != 8) {
        return false;
    }
    for (const QChar c : text) {
        if (!QStringLiteral("0123456789ABCDEFabcdef").contains(c)) {
            return false;
        }
    }
    return true;
}

// One setting line of the file: its key, the comment line before it, and how its value is written.
struct Entry {
    int key;
    const char* comment;
    std::function<QString(const AppSettings&)> value;
};

QString EffectFlag(const ButtonStyle& b, CaptionEffect e) {
    return YesNo(b.captionEffect == e);
}

std::vector<Entry> Entries() {
    using S = const AppSettings&;
    const auto b1 = [](S s) -> const ButtonStyle& { return s.button[settings::kType1]; };
    const auto b2 = [](S s) -> const ButtonStyle& { return s.button[settings::kType2]; };
    return {
        {200, "/* Target Folder */", [](S s) { return s.targetFolder; }},
        {1, "/* Button 1 mode */", [=](S s) { return Number(b1(s).backgroundMode); }},
        {2, "/* Button 1 border depth */", [=](S s) { return Number(b1(s).borderDepth); }},
        {3, "/* Button 1 border style */", [=](S s) { return Number(b1(s).borderStyle); }},
        {4, "/* Button 1 settings colour */", [=](S s) { return b1(s).backgroundColour; }},
        {5, "/* Button 1 width*/", [=](S s) { return b1(s).width; }},
        {6, "/* Button 1 height */", [=](S s) { return b1(s).height; }},
        {22, "/* Button 1 left right offset */", [=](S s) { return b1(s).spacing; }},
        {7, "/* Button 1 background file */", [=](S s) { return b1(s).bitmapFile; }},
        {8, "/* Button 2 mode */", [=](S s) { return Number(b2(s).backgroundMode); }},
        {9, "/* Button 2 border depth */", [=](S s) { return Number(b2(s).borderDepth); }},
        {10, "/* Button 2 border style */", [=](S s) { return Number(b2(s).borderStyle); }},
        {11, "/* Button 2 settings colour */", [=](S s) { return b2(s).backgroundColour; }},
        {12, "/* Button 2 width*/", [=](S s) { return b2(s).width; }},
        {13, "/* Button 2 height */", [=](S s) { return b2(s).height; }},
        {23, "/* Button 2 left right offset */", [=](S s) { return b2(s).spacing; }},
        {14, "/* Button 2 background file */", [=](S s) { return b2(s).bitmapFile; }},
        {15, "/* Prefix for button 1 */", [](S s) { return s.prefix1; }},
        {16, "/* Prefix for button 2 */", [](S s) { return s.prefix2; }},
        {24, "/* Filename style (0=Mixed case, 1=Upper, 2=Lower) */",
         [](S s) { return Number(s.filenameStyle); }},
        {17, "/* Enforce 8,3 filenames ? */", [](S s) { return YesNo(s.enforce83); }},
        {18, "/* Prompt before overwriting existing files ? */",
         [](S s) { return YesNo(s.overwritePrompt); }},
        {19, "/* Output file type */",
         [](S s) {
             switch (s.fileType) {
                 case settings::kFileTypeGif:
                     return QStringLiteral("GIF");
                 case settings::kFileTypePng:
                     return QStringLiteral("PNG");
                 case settings::kFileTypeWebp:
                     return QStringLiteral("WEBP");
                 default:
                     return QStringLiteral("BMP");
             }
         }},
        {20, "/* Generate file status reports ? */", [](S s) { return YesNo(s.statusReports); }},
        {21, "/* Colour for preview area */", [](S s) { return s.previewAreaColour; }},
        {30, "/* Font Index 1 */", [=](S s) { return Number(b1(s).fontIndex); }},
        {31, "/* Font Name 1 */", [=](S s) { return b1(s).fontName; }},
        {32, "/* Font Size index 1 */", [=](S s) { return Number(b1(s).fontSizeIndex); }},
        {33, "/* Bold 1 ? */", [=](S s) { return YesNo(b1(s).bold); }},
        {34, "/* Italic 1 ? */", [=](S s) { return YesNo(b1(s).italic); }},
        {35, "/* Underline 1 ? */", [=](S s) { return YesNo(b1(s).underline); }},
        {36, "/* Embossed 1 ? */", [=](S s) { return EffectFlag(b1(s), CaptionEffect::Embossed); }},
        {37, "/* Pressed 1 ? */", [=](S s) { return EffectFlag(b1(s), CaptionEffect::Pressed); }},
        {38, "/* Simple 1 ? */", [=](S s) { return EffectFlag(b1(s), CaptionEffect::Standard); }},
        {39, "/* Font Index 2 */", [=](S s) { return Number(b2(s).fontIndex); }},
        {40, "/* Font Name 2 */", [=](S s) { return b2(s).fontName; }},
        {41, "/* Font Size index 2 */", [=](S s) { return Number(b2(s).fontSizeIndex); }},
        {42, "/* Bold 2 ? */", [=](S s) { return YesNo(b2(s).bold); }},
        {43, "/* Italic 2 ? */", [=](S s) { return YesNo(b2(s).italic); }},
        {44, "/* Underline 2 ? */", [=](S s) { return YesNo(b2(s).underline); }},
        {45, "/* Embossed 2 ? */", [=](S s) { return EffectFlag(b2(s), CaptionEffect::Embossed); }},
        {46, "/* Pressed 2 ? */", [=](S s) { return EffectFlag(b2(s), CaptionEffect::Pressed); }},
        {47, "/* Simple 2 ? */", [=](S s) { return EffectFlag(b2(s), CaptionEffect::Standard); }},
        {48, "/* Colour for button 1 */", [=](S s) { return b1(s).captionColour; }},
        {49, "/* Colour for button 2 */", [=](S s) { return b2(s).captionColour; }},
        {60, "/* Top Offset 1 */", [=](S s) { return b1(s).verticalOffset; }},
        {61, "/* Left Offset 1 */", [=](S s) { return b1(s).horizontalOffset; }},
        {62, "/* Horizontal allignment mode (0= Centre) 1 */",
         [=](S s) { return Number(b1(s).horizontalMode); }},
        {63, "/* Vertical allignment mode (1= Centre) 1 */", [=](S s) { return Number(b1(s).verticalMode); }},
        {64, "/* Top Offset 2 */", [=](S s) { return b2(s).verticalOffset; }},
        {65, "/* Left Offset 2 */", [=](S s) { return b2(s).horizontalOffset; }},
        {66, "/* Horizontal allignment mode (0= Centre) 2 */",
         [=](S s) { return Number(b2(s).horizontalMode); }},
        {67, "/* Vertical allignment mode (1= Centre) 2 */", [=](S s) { return Number(b2(s).verticalMode); }},
        {68, "/* Test Caption */", [](S s) { return s.testCaption; }},
        {80, "/* HTML Layout Mode */", [](S s) { return Number(s.htmlLayout); }},
        {81, "/* HTML browser path */", [](S s) { return s.browser; }},
        {82, "/* HTML main filename (index.htm) */", [](S s) { return s.htmlMainFilename; }},
        {83, "/* HTML target folder. */", [](S s) { return s.htmlTargetFolder; }},
        {84, "/* HTML main page title */", [](S s) { return s.htmlTitlePrefix; }},
        {85, "/* HTML file overwrite prompt */", [](S s) { return YesNo(s.htmlOverwritePrompt); }},
        {86, "/* HTML generate all html files switch */", [](S s) { return YesNo(s.htmlGenerateAll); }},
        {87, "/* Colour for HTML Background */", [](S s) { return s.htmlBackgroundColour; }},
        {88, "/* Colour for HTML Text Colour */", [](S s) { return s.htmlTextColour; }},
    };
}

QStringList CaptionLines(const CaptionGrid& grid) {
    QStringList lines{QStringLiteral("/* Caption List */")};
    for (int r = 1; r < grid.RowCount(); ++r) {
        const CaptionGrid::Row& row = grid.RowAt(r);
        if (!grid.IsSavedRow(r)) {
            continue;
        }
        lines.append(Number(kCaptionKey) + QLatin1Char(',') + row[CaptionGrid::kCaptionColumn]);
        // A caption holding the comment mark is lost on reading; its file names and link would then
        // land on the row read before it, so they are not written.
        if (row[CaptionGrid::kCaptionColumn].contains(QLatin1String("/*"))) {
            continue;
        }
        for (int c = CaptionGrid::kType1Column; c <= CaptionGrid::kHtmlColumn; ++c) {
            lines.append(Number(kCaptionKey + c) + QLatin1Char(',') + row[static_cast<std::size_t>(c)]);
        }
        if (!row[CaptionGrid::kLinkColumn].isEmpty()) {
            lines.append(Number(kLinkKey) + QLatin1Char(',') + row[CaptionGrid::kLinkColumn]);
        }
    }
    return lines;
}

// Whether a line is read whole, comment mark and all: a link ("https://example.com/*/", key 104) or
// the navigation label (key 139) may hold the mark; every other line holding it is a comment.
bool IsWholeTextLine(const QString& line) {
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0 || line.left(comma).contains(QLatin1String("/*"))) {
        return false;
    }
    try {
        const int key = platform::ParseInteger(line.left(comma));
        return key == kLinkKey || key == kNavigationLabelKey;
    } catch (const platform::ConvertError&) {
        return false;
    }
}

// Reads one file's lines into the settings; throws platform::ConvertError on a line it cannot
// process.
class Reader {
  public:
    Reader(AppSettings& s, platform::Dialogs& dialogs, ReadNotes* notes)
        : s_(s), dialogs_(dialogs), notes_(notes) {}

    void ResetCaptionGrid() {
        CaptionGrid& grid = s_.captions;
        grid.SetRowCount(CaptionGrid::kMinimumRows);
        const QStringList header = {QStringLiteral("Button Captions"), QStringLiteral("Button 1 Filename"),
                                    QStringLiteral("Button 2 Filename"), QStringLiteral("HTML Filename"),
                                    QStringLiteral("Link")};
        for (int c = 0; c < CaptionGrid::kColumns; ++c) {
            grid.SetCell(0, c, header[c]);
        }
        rowCounter_ = 0;
    }

    // Reads the line numbered `number` (from 1).
    void ReadLine(const QString& line, int number) {
        lineNumber_ = number;
        if ((line.contains(QLatin1String("/*")) && !IsWholeTextLine(line)) ||
            platform::Trim(line).isEmpty()) {
            return;
        }
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        // A line without a comma has an empty key, which is not a whole number.
        const QString keyText = comma < 0 ? QString() : line.left(comma);
        const int key = platform::ParseInteger(keyText);
        if (Apply(key, comma < 0 ? QString() : line.mid(comma + 1)) && notes_ != nullptr) {
            ++notes_->settings;
        }
    }

  private:
    static int Index(const QString& value, qsizetype count) {
        QString text = platform::TrimRight(value);
        if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("-1")) {
            text = QStringLiteral("0");
        }
        return settings::ListChoice(platform::ParseInteger(text), count);
    }

    // The number goes into the field as its value: a field with an active range stores the nearer
    // bound of a number outside it and shows its out-of-range message.
    QString IntegerField(const QString& value, platform::IntegerRange range) {
        const std::int32_t number = platform::IntegerFieldValue(value);
        const std::int32_t stored = range.Clamp(number);
        if (stored != number) {
            if (notes_ != nullptr) {
                notes_->warnings.append(
                    {lineNumber_,
                     QStringLiteral("the value %1 is out of range; %2 is used").arg(number).arg(stored)});
            } else {
                dialogs_.ShowMessage(QString::fromLatin1(platform::kValueOutOfRangeMessage));
            }
        }
        return QString::number(stored);
    }

    // A colour is taken only as the program writes one, eight hexadecimal digits: anything else (a
    // value that would reach a page's markup or style sheet as it stands) is ignored, and the
    // setting keeps the value it had, at start its default.
    void Colour(QString& colour, const QString& value) {
        if (IsColourString(value)) {
            colour = value;
        } else if (notes_ != nullptr) {
            notes_->warnings.append(
                {lineNumber_,
                 QStringLiteral("\"%1\" is not a colour of eight hexadecimal digits; it is ignored")
                     .arg(platform::ShownValue(value))});
        }
    }

    static void Effect(ButtonStyle& b, CaptionEffect effect, const QString& value) {
        // The effects are one choice of three: a ticked one is chosen, an unticked one changes nothing.
        if (FromYesNo(value)) {
            b.captionEffect = effect;
        }
    }

    // Whether the key is one the program knows.
    bool Apply(int key, const QString& v) {
        ButtonStyle& b1 = s_.button[settings::kType1];
        ButtonStyle& b2 = s_.button[settings::kType2];
        constexpr int modes = settings::kBackgroundModeCount;
        constexpr int depths = settings::kBorderDepthCount;
        constexpr int styles = settings::kBorderStyleCount;
        constexpr int sizes = settings::kFontSizeCount;
        constexpr int verticals = settings::kAlignmentCount;
        constexpr int horizontals = settings::kAlignmentCount;
        switch (key) {
            case 200:
                s_.targetFolder = v;
                break;
            case 1:
                b1.backgroundMode = Index(v, modes);
                break;
            case 2:
                b1.borderDepth = Index(v, depths);
                break;
            case 3:
                b1.borderStyle = Index(v, styles);
                break;
            case 4:
                Colour(b1.backgroundColour, v);
                break;
            case 5:
                b1.width = IntegerField(v, settings::WidthRange(settings::kType1));
                break;
            case 6:
                b1.height = IntegerField(v, settings::kHeightRange);
                break;
            case 22:
                b1.spacing = IntegerField(v, settings::kSpacingRange);
                break;
            case 7:
                b1.bitmapFile = v;
                break;
            case 8:
                b2.backgroundMode = Index(v, modes);
                break;
            case 9:
                b2.borderDepth = Index(v, depths);
                break;
            case 10:
                b2.borderStyle = Index(v, styles);
                break;
            case 11:
                Colour(b2.backgroundColour, v);
                break;
            case 12:
                b2.width = IntegerField(v, settings::WidthRange(settings::kType2));
                break;
            case 13:
                b2.height = IntegerField(v, settings::kHeightRange);
                break;
            case 23:
                b2.spacing = IntegerField(v, settings::kSpacingRange);
                break;
            case 14:
                b2.bitmapFile = v;
                break;
            case 15:
                s_.prefix1 = v;
                break;
            case 16:
                s_.prefix2 = v;
                break;
            case 24:
                s_.filenameStyle = Index(v, settings::kFilenameStyleCount);
                break;
            case 17: {
                // A change of the 8.3 setting recalculates the names of the rows read so far, as
                // ticking the box does; caption lines further on overwrite them.
                const bool enforce83 = FromYesNo(v);
                if (enforce83 != s_.enforce83) {
                    s_.enforce83 = enforce83;
                    output::RecalculateFilenames(s_);
                }
                break;
            }
            case 18:
                s_.overwritePrompt = FromYesNo(v);
                break;
            case 19:
                // An older version reads "PNG" and "WEBP" as BMP, as it reads any text but "GIF".
                s_.fileType = v == QLatin1String("GIF")    ? settings::kFileTypeGif
                              : v == QLatin1String("PNG")  ? settings::kFileTypePng
                              : v == QLatin1String("WEBP") ? settings::kFileTypeWebp
                                                           : settings::kFileTypeBmp;
                break;
            case 20:
                s_.statusReports = FromYesNo(v);
                break;
            case 21:
                Colour(s_.previewAreaColour, v);
                break;
            case 30:
                b1.SetFontIndex(Index(v, s_.fontList.size()), s_.fontList);
                break;
            case 31:
            case 40:
                FontName(key == 31 ? b1 : b2, v);
                break;
            case 32:
                b1.SetFontSizeIndex(Index(v, sizes));
                break;
            case 33:
                b1.bold = FromYesNo(v);
                break;
            case 34:
                b1.italic = FromYesNo(v);
                break;
            case 35:
                b1.underline = FromYesNo(v);
                break;
            case 36:
                Effect(b1, CaptionEffect::Embossed, v);
                break;
            case 37:
                Effect(b1, CaptionEffect::Pressed, v);
                break;
            case 38:
                Effect(b1, CaptionEffect::Standard, v);
                break;
            case 39:
                b2.SetFontIndex(Index(v, s_.fontList.size()), s_.fontList);
                break;
            case 41:
                b2.SetFontSizeIndex(Index(v, sizes));
                break;
            case 42:
                b2.bold = FromYesNo(v);
                break;
            case 43:
                b2.italic = FromYesNo(v);
                break;
            case 44:
                b2.underline = FromYesNo(v);
                break;
            case 45:
                Effect(b2, CaptionEffect::Embossed, v);
                break;
            case 46:
                Effect(b2, CaptionEffect::Pressed, v);
                break;
            case 47:
                Effect(b2, CaptionEffect::Standard, v);
                break;
            case 48:
                Colour(b1.captionColour, v);
                break;
            case 49:
                Colour(b2.captionColour, v);
                break;
            case 60:
                b1.verticalOffset = IntegerField(v, settings::kOffsetRange);
                break;
            case 61:
                b1.horizontalOffset = IntegerField(v, settings::kOffsetRange);
                break;
            case 62:
                b1.horizontalMode = Index(v, horizontals);
                break;
            case 63:
                b1.verticalMode = Index(v, verticals);
                break;
            case 64:
                b2.verticalOffset = IntegerField(v, settings::kOffsetRange);
                break;
            case 65:
                b2.horizontalOffset = IntegerField(v, settings::kOffsetRange);
                break;
            case 66:
                b2.horizontalMode = Index(v, horizontals);
                break;
            case 67:
                b2.verticalMode = Index(v, verticals);
                break;
            case 68:
                s_.testCaption = v.left(settings::kMaxCaptionLength);
                break;
            case 80:
                s_.htmlLayout = Index(v, settings::kHtmlLayoutCount);
                break;
            case 81:
                s_.browser =
                    platform::Trim(v).isEmpty() ? QString::fromLatin1(settings::kUseDefaultBrowser) : v;
                break;
            case 82:
                s_.htmlMainFilename = v;
                break;
            case 83:
                s_.htmlTargetFolder = v;
                break;
            case 84:
                s_.htmlTitlePrefix = v;
                break;
            case 85:
                s_.htmlOverwritePrompt = FromYesNo(v);
                break;
            case 86:
                s_.htmlGenerateAll = FromYesNo(v);
                break;
            case 87:
                Colour(s_.htmlBackgroundColour, v);
                break;
            case 88:
                Colour(s_.htmlTextColour, v);
                break;
            case kCaptionKey:
                ++rowCounter_;
                s_.captions.SetRowCount(rowCounter_ + 1);
                s_.captions.SetCell(rowCounter_, CaptionGrid::kCaptionColumn, v);
                break;
            case kType1NameKey:
            case kType2NameKey:
            case kHtmlNameKey:
            case kLinkKey:
                // File names and links belong to the caption row read last; before any caption there is none,
                // and the header row is never written over.
                if (rowCounter_ > 0) {
                    s_.captions.SetCell(rowCounter_, key - kCaptionKey, v);
                }
                break;
            case 110:
                s_.secondbuttonEnabled = FromYesNo(v);
                break;
            case 111:
                s_.copyOnReEnable = FromYesNo(v);
                break;
            case kTypedFontSize1Key:
            case kTypedFontSize2Key:
                // A size typed into a size list; one that is not a size is left out.
                if (settings::FontSizePoints(v)) {
                    (key == kTypedFontSize1Key ? b1 : b2).SetFontSizeText(v);
                }
                break;
            case kSmoothEdges1Key:
            case kSmoothEdges2Key:
                if (const std::optional<bool> on = OptionalYesNo(v)) {
                    (key == kSmoothEdges1Key ? b1 : b2).smoothEdges = *on;
                }
                break;
            case kScale2xKey:
            case kSmoothCaptionsKey:
            case kLatinNamesKey:
            case kDitherGifKey:
            case kPressedImagesKey:
            case kCheckAccessKey:
                // A value that does not read leaves the setting as it was, never the whole file.
                if (const std::optional<bool> on = OptionalYesNo(v)) {
                    (key == kScale2xKey          ? s_.scale2x
                     : key == kSmoothCaptionsKey ? s_.smoothCaptions
                     : key == kLatinNamesKey     ? s_.latinNames
                     : key == kDitherGifKey      ? s_.ditherGif
                     : key == kCheckAccessKey    ? s_.checkAccess
                                                 : s_.pressedImages) = *on;
                }
                break;
            case kNavigationSnippetKey:
                if (const std::optional<bool> on = OptionalYesNo(v)) {
                    s_.navigationSnippet = *on;
                }
                break;
            case kNavigationLabelKey:
                s_.navigationLabel = v;
                break;
            case kPageLanguageKey:
                // Only a language tag reaches the page's lang attribute.
                if (settings::IsLanguageTag(v)) {
                    s_.pageLanguage = v;
                } else if (notes_ != nullptr) {
                    notes_->warnings.append(
                        {lineNumber_,
                         QStringLiteral(
                             "\"%1\" is not a language tag (such as en, de or pt-BR); it is ignored")
                             .arg(platform::ShownValue(v))});
                }
                break;
            case kButtonSpacingKey:
                if (const std::optional<int> spacing =
                        OptionalListChoice(v, settings::kMaxButtonSpacing + 1)) {
                    s_.buttonSpacing = *spacing;
                }
                break;
            case kPressedPrefixKey:
                s_.prefixPressed = v;
                break;
            case kPageStyleKey:
                if (const std::optional<int> style = OptionalListChoice(v, settings::kPageStyleCount)) {
                    s_.pageStyle = *style;
                }
                break;
            default:
                if (key >= kShapeKey1 && key < kShapeKey2 + kShapeKeyCount) {
                    ApplyShape(key < kShapeKey2 ? b1 : b2, (key - kShapeKey1) % kShapeKeyCount, v);
                    break;
                }
                return false;  // numbers the program does not know are ignored
        }
        return true;
    }

    // The font name, the text of the font list, in or out of the list. A name with the foundry tag
    // of a system's font list ("C059 [urw]") reads as its family, which the list holds once; the
    // list then shows that family.
    void FontName(ButtonStyle& b, const QString& v) const {
        b.fontName = platform::FontFamilyName(v);
        if (b.fontName != v) {
            if (const qsizetype at = s_.fontList.indexOf(b.fontName); at >= 0) {
                b.SetFontIndex(static_cast<int>(at), s_.fontList);
            }
        }
    }

    // A shape or fill value; one that does not read leaves the setting as it was.
    static void ApplyShape(ButtonStyle& b, int offset, const QString& v) {
        const std::optional<int> number = settings::PlainWholeNumber(v);
        switch (offset) {
            case kShapeOffset:
                if (number && *number >= 0 && *number < settings::kButtonShapeCount) {
                    b.shape = *number;
                }
                break;
            case kCornerRadiusOffset:
                // An empty value is the component's own rule.
                if (platform::Trim(v).isEmpty()) {
                    b.cornerRadius.clear();
                } else if (number && *number >= 0) {
                    b.cornerRadius = Number(*number);
                }
                break;
            case kGradientKindOffset:
                if (number && *number >= 0 && *number < settings::kGradientFillCount) {
                    b.gradientKind = *number;
                }
                break;
            case kGradientColourOffset:
                if (IsColourString(v)) {
                    b.gradientColour = v;
                }
                break;
            case kGradientAngleOffset:
            default:
                if (number) {
                    b.gradientAngle = Number(*number);
                }
                break;
        }
    }

    AppSettings& s_;
    platform::Dialogs& dialogs_;
    ReadNotes* notes_;
    int rowCounter_ = 0;
    int lineNumber_ = 0;
};

}  // namespace

QString OutOfDateMessage() {
    return QStringLiteral(
        "Your previous settings file was out of date and could not be\r"
        "processed correctly, so it has been reset to the latest default\r"
        "settings - sorry for any inconvenience.");
}

QString ProjectFilePath(const QString& dataFolder) {
    return dataFolder + QStringLiteral("PROJECTS/") + QLatin1String(kProjectFileName);
}

QByteArray SettingsFileBytes(const AppSettings& s) {
    QStringList lines;
    for (const Entry& e : Entries()) {
        lines.append(QLatin1String(e.comment));
        lines.append(Number(e.key) + QLatin1Char(',') + e.value(s));
    }
    lines += CaptionLines(s.captions);
    lines.append(QStringLiteral("/* Is second button enabled ? */"));
    lines.append(QStringLiteral("110,") + YesNo(s.secondbuttonEnabled));
    lines.append(QStringLiteral("/* Copy button 1 settings to button 2 when button 2 is re-enabled ? */"));
    lines.append(QStringLiteral("111,") + YesNo(s.copyOnReEnable));
    const int typedKeys[] = {kTypedFontSize1Key, kTypedFontSize2Key};
    for (std::size_t t = 0; t < s.button.size(); ++t) {
        const ButtonStyle& b = s.button[t];
        if (b.fontSizeIndex == settings::kNoChoice && settings::FontSizePoints(b.fontSizeText)) {
            lines.append(QStringLiteral("/* Typed font size %1 */").arg(t + 1));
            lines.append(Number(typedKeys[t]) + QLatin1Char(',') + b.fontSizeText);
        }
    }
    for (std::size_t t = 0; t < s.button.size(); ++t) {
        lines += ShapeLines(s.button[t], static_cast<int>(t));
    }
    if (s.scale2x) {
        lines.append(QStringLiteral("/* Also write 2x images for high-density screens ? */"));
        lines.append(Number(kScale2xKey) + QLatin1Char(',') + YesNo(s.scale2x));
    }
    if (s.smoothCaptions) {
        lines.append(QStringLiteral("/* Smooth caption edges ? */"));
        lines.append(Number(kSmoothCaptionsKey) + QLatin1Char(',') + YesNo(s.smoothCaptions));
    }
    for (std::size_t t = 0; t < s.button.size(); ++t) {
        if (s.button[t].smoothEdges) {
            lines.append(QStringLiteral("/* Smooth shape edges %1 ? */").arg(t + 1));
            lines.append(Number(t == 0 ? kSmoothEdges1Key : kSmoothEdges2Key) + QLatin1Char(',') +
                         YesNo(s.button[t].smoothEdges));
        }
    }
    if (s.pageStyle != settings::kPageStyleClassic) {
        lines.append(QStringLiteral("/* HTML page style (0=Script rollover, 1=CSS rollover) */"));
        lines.append(Number(kPageStyleKey) + QLatin1Char(',') + Number(s.pageStyle));
    }
    if (s.navigationSnippet) {
        lines.append(QStringLiteral("/* Also write a navigation snippet ? */"));
        lines.append(Number(kNavigationSnippetKey) + QLatin1Char(',') + YesNo(s.navigationSnippet));
    }
    if (s.navigationLabel != QLatin1String(settings::kDefaultNavigationLabel)) {
        lines.append(QStringLiteral("/* Navigation label */"));
        lines.append(Number(kNavigationLabelKey) + QLatin1Char(',') + s.navigationLabel);
    }
    if (s.pageLanguage != QLatin1String(settings::kDefaultPageLanguage)) {
        lines.append(QStringLiteral("/* Page language */"));
        lines.append(Number(kPageLanguageKey) + QLatin1Char(',') + s.pageLanguage);
    }
    if (s.buttonSpacing != 0) {
        lines.append(QStringLiteral("/* Space between buttons (pixels) */"));
        lines.append(Number(kButtonSpacingKey) + QLatin1Char(',') + Number(s.buttonSpacing));
    }
    if (s.latinNames) {
        lines.append(QStringLiteral("/* Latin file names ? */"));
        lines.append(Number(kLatinNamesKey) + QLatin1Char(',') + YesNo(s.latinNames));
    }
    if (s.ditherGif) {
        lines.append(QStringLiteral("/* Dither GIF colours ? */"));
        lines.append(Number(kDitherGifKey) + QLatin1Char(',') + YesNo(s.ditherGif));
    }
    if (s.pressedImages) {
        lines.append(QStringLiteral("/* Also write pressed images ? */"));
        lines.append(Number(kPressedImagesKey) + QLatin1Char(',') + YesNo(s.pressedImages));
    }
    if (s.prefixPressed != QLatin1String(settings::kDefaultPressedPrefix)) {
        lines.append(QStringLiteral("/* Prefix for pressed buttons */"));
        lines.append(Number(kPressedPrefixKey) + QLatin1Char(',') + s.prefixPressed);
    }
    if (s.checkAccess) {
        lines.append(QStringLiteral("/* Check contrast and size ? */"));
        lines.append(Number(kCheckAccessKey) + QLatin1Char(',') + YesNo(s.checkAccess));
    }
    return platform::ToUtf8(platform::JoinCrLfLines(lines));
}

bool SaveSettings(const QString& fileName, const AppSettings& s, QString* reason) {
    return platform::ReplaceFile(fileName, SettingsFileBytes(s), reason);
}

QString SettingsSaveFailedMessage(const QString& fileName, const QString& reason) {
    return QStringLiteral("The settings could not be saved to \"%1\": %2.").arg(fileName, reason);
}

namespace {

// The bytes of a settings file. Only a regular file of a sane size is read: a pipe or a device under
// the name is refused at once, never waited on or read without end. Without them, NoFile or
// Unreadable, with the reason.
std::optional<QByteArray> SettingsFileContent(const QString& fileName, LoadOutcome* outcome,
                                              QString* reason) {
    bool missing = false;
    std::optional<QByteArray> bytes =
        platform::ReadRegularFile(fileName, reason, platform::kMaxTextFileSize, &missing);
    if (!bytes) {
        if (platform::DirectoryExists(fileName)) {
            *reason = QStringLiteral("it is a folder");
        }
        *outcome = missing ? LoadOutcome::NoFile : LoadOutcome::Unreadable;
    }
    return bytes;
}

}  // namespace

QString SettingsUnreadableMessage(const QString& fileName, const QString& reason) {
    return QStringLiteral(
               "The settings file \"%1\" cannot be read: %2.\rThe window shows the default settings, and "
               "nothing will be written to that file: use \"Save settings as\u2026\" on the File page to "
               "keep your settings.")
        .arg(fileName, reason);
}

LoadOutcome ReadSettings(const QString& fileName, AppSettings& s, platform::Dialogs& dialogs,
                         ReadNotes* notes) {
    LoadOutcome outcome = LoadOutcome::NoFile;
    QString reason;
    const std::optional<QByteArray> bytes = SettingsFileContent(fileName, &outcome, &reason);
    if (!bytes) {
        if (notes != nullptr) {
            notes->reason = reason;
        }
        return outcome;
    }
    return ReadSettingsBytes(*bytes, s, dialogs, notes);
}

LoadOutcome ReadSettingsBytes(QByteArray bytes, AppSettings& s, platform::Dialogs& dialogs,
                              ReadNotes* notes) {
    Reader reader(s, dialogs, notes);
    reader.ResetCaptionGrid();
    int number = 0;
    try {
        const QStringList lines = platform::SplitLines(platform::DecodeUtf8OrWindows1252(bytes));
        bytes.clear();
        for (const QString& line : lines) {
            reader.ReadLine(line, ++number);
        }
    } catch (const platform::ConvertError& e) {
        if (notes != nullptr) {
            notes->reason = QString::fromUtf8(e.what());
            notes->line = number;
        }
        return LoadOutcome::Unprocessable;
    }
    return LoadOutcome::Loaded;
}

LoadOutcome LoadSettings(const QString& fileName, AppSettings& s, platform::Dialogs& dialogs,
                         const QString& dataFolder, QString* reason) {
    // What an interrupted save left beside the file goes first.
    platform::SweepLeftovers(QFileInfo(fileName).absolutePath());
    LoadOutcome outcome = LoadOutcome::NoFile;
    QString why;
    const std::optional<QByteArray> bytes = SettingsFileContent(fileName, &outcome, &why);
    if (!bytes) {
        if (reason != nullptr) {
            *reason = why;
        }
        return outcome;
    }
    outcome = ReadSettingsBytes(*bytes, s, dialogs);
    if (outcome != LoadOutcome::Unprocessable) {
        return outcome;
    }
    // The file is not thrown away: it is kept beside the new settings as "kestro.dat.bad"
    // (replacing an older one), so a long caption list can still be recovered from it.
    if (!platform::MoveFileReplacing(fileName, fileName + QLatin1String(kSetAsideSuffix))) {
        platform::DeleteFile(fileName);
    }
    settings::ApplyDefaultSettings(s, s.fontList, dataFolder);
    dialogs.ShowMessage(OutOfDateMessage());
    return LoadOutcome::Reset;
}

}  // namespace project
