#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>

#include "SmallFileSystem.h"
#include "TestSupport.h"
#include "platform/FileWriting.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextCodec.h"
#include "project/ProjectFile.h"
#include "settings/DefaultSettings.h"

using namespace settings;
using project::LoadOutcome;
using testsupport::ReadAll;
using testsupport::WriteAll;

namespace {

const QStringList kFonts = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"};
const QString kDataFolder = "/opt/kestro/KSDATA/";

AppSettings Defaults() {
    AppSettings s;
    ApplyDefaultSettings(s, kFonts, kDataFolder);
    return s;
}

// Settings in which every value differs from its default.
AppSettings Unusual() {
    AppSettings s = Defaults();
    ButtonStyle& a = s.button[kType1];
    ButtonStyle& b = s.button[kType2];
    a = {0,          "/pics/b1.bmp",
         "00112233", "120",
         "-7",       "11",
         3,          5,
         1,          "Weird, Font",
         10,         "17",
         true,       false,
         true,       CaptionEffect::Embossed,
         "000000FF", 2,
         3,          "-4",
         "9",        kShapeRectangle,
         "",         kGradientNone,
         "00808080", "45"};
    b = {3,          "/pics/b 2,x.bmp",
         "ZZ",       "-2000",
         "2000",     "0",
         16,         0,
         2,          "DejaVu Sans Mono",
         23,         "30",
         false,      true,
         false,      CaptionEffect::Pressed,
         "1FFFFFFF", 0,
         1,          "12",
         "-13",      kShapeRectangle,
         "",         kGradientNone,
         "00808080", "45"};
    s.targetFolder = "/home/u/ünïcödé folder/";
    s.htmlTargetFolder = "/var/www";
    s.prefix1 = "up-";
    s.prefix2 = "";
    s.fileType = kFileTypeBmp;
    s.filenameStyle = 0;
    s.enforce83 = true;
    s.statusReports = true;
    s.copyOnReEnable = false;
    s.overwritePrompt = false;
    s.htmlOverwritePrompt = true;
    s.previewAreaColour = "0000ABCD";
    s.htmlLayout = 1;
    s.htmlMainFilename = "start.htm";
    s.htmlTitlePrefix = "My, site";
    s.htmlGenerateAll = false;
    s.browser = "/usr/bin/firefox";
    s.htmlBackgroundColour = "00EEEEEE";
    s.htmlTextColour = "00111111";
    s.testCaption = "Price $5.00, \u20ac4";
    s.secondbuttonEnabled = false;
    s.scale2x = true;
    s.smoothCaptions = true;
    s.pageStyle = kPageStyleCss;
    s.captions.SetRowCount(4);
    s.captions.SetCell(1, 0, "Contact us!");
    s.captions.SetCell(1, 1, "u_contact.gif");
    s.captions.SetCell(1, 2, "d_contact.gif");
    s.captions.SetCell(1, 3, "contact.htm");
    s.captions.SetCell(2, 0, "a, b, c");
    s.captions.SetCell(3, 0, "Caf\u00e9");
    s.captions.SetCell(3, 3, "cafe.htm");
    s.captions.SetCell(0, 3, "HTML Filename");  // the header the reader writes
    return s;
}

class ProjectFileTest : public ::testing::Test {
  protected:
    QString path() const { return dir.path() + "/kestro.dat"; }

    LoadOutcome Load(const QByteArray& bytes, AppSettings& s) {
        EXPECT_TRUE(WriteAll(path(), bytes));
        return project::LoadSettings(path(), s, dialogs, kDataFolder);
    }

    AppSettings LoadedFrom(const QByteArray& bytes) {
        AppSettings s = Defaults();
        EXPECT_EQ(Load(bytes, s), LoadOutcome::Loaded);
        return s;
    }

    void ExpectReset(const QByteArray& bytes) {
        AppSettings s = Defaults();
        s.testCaption = "changed before loading";
        dialogs.Clear();
        // An older set-aside file is replaced by the newest one.
        ASSERT_TRUE(WriteAll(path() + ".bad", "older"));
        EXPECT_EQ(Load(bytes, s), LoadOutcome::Reset);
        EXPECT_FALSE(QFile::exists(path()));
        EXPECT_EQ(ReadAll(path() + ".bad"), bytes);
        AppSettings expected = Defaults();
        expected.captions = s.captions;  // the file-name columns are not the defaults' to reset
        EXPECT_EQ(s, expected);
        EXPECT_EQ(dialogs.Messages(),
                  (QStringList{"Your previous settings file was out of date and could not be\r"
                               "processed correctly, so it has been reset to the latest default\r"
                               "settings - sorry for any inconvenience."}));
    }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(ProjectFileTest, WritesEveryKeyInOrderEachAfterItsComment) {
    ASSERT_TRUE(project::SaveSettings(path(), Defaults()));
    const QByteArray bytes = ReadAll(path());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(QByteArray(bytes).replace("\r\n", "").contains('\n'));
    const QStringList lines = platform::SplitLines(QString::fromUtf8(ReadAll(path())));

    const QList<int> expectedKeys = {200, 1,  2,  3,  4,  5,  6,  22, 7,  8,  9,  10, 11, 12, 13, 23,
                                     14,  15, 16, 24, 17, 18, 19, 20, 21, 30, 31, 32, 33, 34, 35, 36,
                                     37,  38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 60, 61, 62,
                                     63,  64, 65, 66, 67, 68, 80, 81, 82, 83, 84, 85, 86, 87, 88};
    QList<int> keys;
    int i = 0;
    for (; i + 1 < lines.size() && keys.size() < expectedKeys.size(); i += 2) {
        // Two comments keep their historical "width*/" without the blank.
        EXPECT_TRUE(lines[i].startsWith("/* ") && lines[i].endsWith("*/")) << lines[i].toStdString();
        keys.append(lines[i + 1].section(',', 0, 0).toInt());
    }
    EXPECT_EQ(keys, expectedKeys);
    EXPECT_EQ(lines[0], QStringLiteral("/* Target Folder */"));
    EXPECT_EQ(lines[1], QStringLiteral("200,/opt/kestro/KSDATA/BUTTONS/"));
    EXPECT_EQ(lines[10], QStringLiteral("/* Button 1 width*/"));
    EXPECT_EQ(lines[11], QStringLiteral("5,100"));
    EXPECT_EQ(lines.indexOf("19,GIF"), lines.indexOf("/* Output file type */") + 1);
    EXPECT_EQ(lines.indexOf("38,Y"), lines.indexOf("/* Simple 1 ? */") + 1);
    EXPECT_TRUE(lines.contains("36,N"));
    EXPECT_TRUE(lines.contains("/* Horizontal allignment mode (0= Centre) 1 */"));
    EXPECT_TRUE(lines.contains("81,<Use Default>"));

    // Then the caption list under one comment, four lines a caption, and the two flags.
    QStringList tail = lines.mid(i);
    ASSERT_EQ(tail.size(), 1 + 7 * 4 + 4);
    EXPECT_EQ(tail[0], QStringLiteral("/* Caption List */"));
    EXPECT_EQ(tail.mid(1, 4), (QStringList{"100,Home", "101,", "102,", "103,"}));
    EXPECT_EQ(tail[25], QStringLiteral("100,Links"));
    EXPECT_EQ(
        tail.mid(29),
        (QStringList{"/* Is second button enabled ? */", "110,Y",
                     "/* Copy button 1 settings to button 2 when button 2 is re-enabled ? */", "111,Y"}));
}

TEST_F(ProjectFileTest, EveryCommentLineIsTheOneItsKeyHas) {
    const QList<std::pair<int, const char*>> table = {
        {200, "/* Target Folder */"},
        {1, "/* Button 1 mode */"},
        {2, "/* Button 1 border depth */"},
        {3, "/* Button 1 border style */"},
        {4, "/* Button 1 settings colour */"},
        {5, "/* Button 1 width*/"},
        {6, "/* Button 1 height */"},
        {22, "/* Button 1 left right offset */"},
        {7, "/* Button 1 background file */"},
        {8, "/* Button 2 mode */"},
        {9, "/* Button 2 border depth */"},
        {10, "/* Button 2 border style */"},
        {11, "/* Button 2 settings colour */"},
        {12, "/* Button 2 width*/"},
        {13, "/* Button 2 height */"},
        {23, "/* Button 2 left right offset */"},
        {14, "/* Button 2 background file */"},
        {15, "/* Prefix for button 1 */"},
        {16, "/* Prefix for button 2 */"},
        {24, "/* Filename style (0=Mixed case, 1=Upper, 2=Lower) */"},
        {17, "/* Enforce 8,3 filenames ? */"},
        {18, "/* Prompt before overwriting existing files ? */"},
        {19, "/* Output file type */"},
        {20, "/* Generate file status reports ? */"},
        {21, "/* Colour for preview area */"},
        {30, "/* Font Index 1 */"},
        {31, "/* Font Name 1 */"},
        {32, "/* Font Size index 1 */"},
        {33, "/* Bold 1 ? */"},
        {34, "/* Italic 1 ? */"},
        {35, "/* Underline 1 ? */"},
        {36, "/* Embossed 1 ? */"},
        {37, "/* Pressed 1 ? */"},
        {38, "/* Simple 1 ? */"},
        {39, "/* Font Index 2 */"},
        {40, "/* Font Name 2 */"},
        {41, "/* Font Size index 2 */"},
        {42, "/* Bold 2 ? */"},
        {43, "/* Italic 2 ? */"},
        {44, "/* Underline 2 ? */"},
        {45, "/* Embossed 2 ? */"},
        {46, "/* Pressed 2 ? */"},
        {47, "/* Simple 2 ? */"},
        {48, "/* Colour for button 1 */"},
        {49, "/* Colour for button 2 */"},
        {60, "/* Top Offset 1 */"},
        {61, "/* Left Offset 1 */"},
        {62, "/* Horizontal allignment mode (0= Centre) 1 */"},
        {63, "/* Vertical allignment mode (1= Centre) 1 */"},
        {64, "/* Top Offset 2 */"},
        {65, "/* Left Offset 2 */"},
        {66, "/* Horizontal allignment mode (0= Centre) 2 */"},
        {67, "/* Vertical allignment mode (1= Centre) 2 */"},
        {68, "/* Test Caption */"},
        {80, "/* HTML Layout Mode */"},
        {81, "/* HTML browser path */"},
        {82, "/* HTML main filename (index.htm) */"},
        {83, "/* HTML target folder. */"},
        {84, "/* HTML main page title */"},
        {85, "/* HTML file overwrite prompt */"},
        {86, "/* HTML generate all html files switch */"},
        {87, "/* Colour for HTML Background */"},
        {88, "/* Colour for HTML Text Colour */"},
    };
    ASSERT_TRUE(project::SaveSettings(path(), Defaults()));
    const QStringList lines = platform::SplitLines(QString::fromUtf8(ReadAll(path())));
    ASSERT_GE(lines.size(), 2 * table.size() + 2);
    for (int i = 0; i < table.size(); ++i) {
        EXPECT_EQ(lines[2 * i], QString::fromLatin1(table[i].second)) << table[i].first;
        EXPECT_EQ(lines[2 * i + 1].section(',', 0, 0).toInt(), table[i].first);
    }
    EXPECT_EQ(lines[2 * table.size()], QStringLiteral("/* Caption List */"));
}

TEST_F(ProjectFileTest, NumbersOutsideAFieldsActiveRangeStoreTheBoundWithItsMessage) {
    // Heights, the type 2 width and the offsets have the range -2000 … 2000.
    AppSettings s = LoadedFrom("6,5000\r\n13,-2001\r\n12,2001\r\n60,-3000\r\n61,2000\r\n64,-2000\r\n");
    EXPECT_EQ(s.button[kType1].height, QStringLiteral("2000"));
    EXPECT_EQ(s.button[kType2].height, QStringLiteral("-2000"));
    EXPECT_EQ(s.button[kType2].width, QStringLiteral("2000"));
    EXPECT_EQ(s.button[kType1].verticalOffset, QStringLiteral("-2000"));
    EXPECT_EQ(s.button[kType1].horizontalOffset, QStringLiteral("2000"));  // the bounds themselves pass
    EXPECT_EQ(s.button[kType2].verticalOffset, QStringLiteral("-2000"));
    EXPECT_EQ(dialogs.Messages(), QStringList(4, QStringLiteral("[Value Out of Range]")));

    // The type 1 width and the spacings (0 … 2000) check nothing.
    dialogs.Clear();
    s = LoadedFrom("5,5000\r\n22,-7\r\n23,99999\r\n");
    EXPECT_EQ(s.button[kType1].width, QStringLiteral("5000"));
    EXPECT_EQ(s.button[kType1].spacing, QStringLiteral("-7"));
    EXPECT_EQ(s.button[kType2].spacing, QStringLiteral("99999"));
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(ProjectFileTest, EveryKeySurvivesARoundTrip) {
    const AppSettings saved = Unusual();
    ASSERT_TRUE(project::SaveSettings(path(), saved));
    EXPECT_TRUE(
        ReadAll(path()).contains("200,/home/u/\xc3\xbc"
                                 "n\xc3\xaf"
                                 "c\xc3\xb6"
                                 "d\xc3\xa9 folder/\r\n"));
    EXPECT_TRUE(ReadAll(path()).contains("\r\n3,5\r\n/* Button 1 settings colour */\r\n4,00112233\r\n"));
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    // Every key but the type 2 colour "ZZ", which is no colour: it is written as held, and ignored
    // when read, so the setting keeps its default.
    EXPECT_EQ(loaded.button[kType2].backgroundColour, Defaults().button[kType2].backgroundColour);
    loaded.button[kType2].backgroundColour = saved.button[kType2].backgroundColour;
    EXPECT_EQ(loaded, saved);
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(ProjectFileTest, CommentsAndBlankLinesChangeNothingButTheCaptionList) {
    AppSettings s = LoadedFrom("/* only a comment */\r\n   \r\n\t\r\nx /* y\r\n\r\n");
    AppSettings expected = Defaults();
    expected.captions.SetRowCount(2);
    expected.captions.SetCell(0, 3, "HTML Filename");
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.captions.Cell(1, 0), QStringLiteral("Home"));
}

TEST_F(ProjectFileTest, IndexKeysChooseAPositionOrNone) {
    EXPECT_EQ(LoadedFrom("1,-1\r\n").button[kType1].backgroundMode, 0);
    EXPECT_EQ(LoadedFrom("1,7\r\n").button[kType1].backgroundMode, kNoChoice);
    EXPECT_EQ(LoadedFrom("1,\r\n").button[kType1].backgroundMode, 0);
    EXPECT_EQ(LoadedFrom("1,-\r\n").button[kType1].backgroundMode, 0);
    EXPECT_EQ(LoadedFrom("1,3  \r\n").button[kType1].backgroundMode, 3);
    EXPECT_EQ(LoadedFrom("1,-3\r\n").button[kType1].backgroundMode, kNoChoice);
    EXPECT_EQ(LoadedFrom("9,16\r\n").button[kType2].borderDepth, 16);
    EXPECT_EQ(LoadedFrom("9,17\r\n").button[kType2].borderDepth, kNoChoice);
    EXPECT_EQ(LoadedFrom("24,3\r\n").filenameStyle, kNoChoice);
    EXPECT_EQ(LoadedFrom("80,1\r\n").htmlLayout, 1);

    const AppSettings sizes = LoadedFrom("32,23\r\n41,24\r\n");
    EXPECT_EQ(sizes.button[kType1].fontSizeText, QStringLiteral("30"));
    EXPECT_EQ(sizes.button[kType2].fontSizeIndex, kNoChoice);
    EXPECT_TRUE(sizes.button[kType2].fontSizeText.isEmpty());

    // A font position chooses that font; the name line sets the text alone, listed or not.
    const AppSettings fonts = LoadedFrom("30,2\r\n39,1\r\n40,No Such Font\r\n");
    EXPECT_EQ(fonts.button[kType1].fontName, QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(fonts.button[kType2].fontIndex, 1);
    EXPECT_EQ(fonts.button[kType2].fontName, QStringLiteral("No Such Font"));
    EXPECT_EQ(LoadedFrom("30,3\r\n").button[kType1].fontIndex, kNoChoice);
    // A name with a font list's foundry tag reads as its family, and the list shows that family
    // whatever position the file gave; an unlisted one is kept as its family.
    const AppSettings tagged = LoadedFrom("30,0\r\n31,DejaVu Serif [Bitstream]\r\n39,2\r\n40,C059 [urw]\r\n");
    EXPECT_EQ(tagged.button[kType1].fontName, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(tagged.button[kType1].fontIndex, 1);
    EXPECT_EQ(tagged.button[kType2].fontName, QStringLiteral("C059"));
    EXPECT_EQ(tagged.button[kType2].fontIndex, 2);
    EXPECT_EQ(project::SettingsFileBytes(tagged).count("C059 [urw]"), 0);
}

TEST_F(ProjectFileTest, IntegerFieldsYesNoAndTextKeys) {
    const AppSettings s = LoadedFrom(
        "5,\r\n6,-\r\n22, 12\r\n60,-2000\r\n17,Y\r\n18,y\r\n20,Y \r\n33,Y\r\n110,y\r\n111,N\r\n"
        "19,gif\r\n81,   \r\n84,  spaced, title  \r\n999,ignored\r\n-5,ignored\r\n201,x\r\n");
    const ButtonStyle& b = s.button[kType1];
    EXPECT_EQ(b.width, QStringLiteral("0"));
    EXPECT_EQ(b.height, QStringLiteral("0"));
    EXPECT_EQ(b.spacing, QStringLiteral("12"));
    EXPECT_EQ(b.verticalOffset, QStringLiteral("-2000"));
    EXPECT_TRUE(s.enforce83);
    EXPECT_FALSE(s.overwritePrompt);  // only "Y" is yes: case and blanks matter
    EXPECT_FALSE(s.statusReports);
    EXPECT_TRUE(b.bold);
    EXPECT_FALSE(s.secondbuttonEnabled);
    EXPECT_FALSE(s.copyOnReEnable);
    EXPECT_EQ(s.fileType, kFileTypeBmp);
    EXPECT_EQ(s.browser, QStringLiteral("<Use Default>"));
    EXPECT_EQ(s.htmlTitlePrefix, QStringLiteral("  spaced, title  "));
    EXPECT_EQ(LoadedFrom("19,GIF\r\n").fileType, kFileTypeGif);
    EXPECT_EQ(LoadedFrom("19,BMP\r\n19,GIF\r\n").fileType, kFileTypeGif);  // the last one wins

    // The three effect lines are one choice of three.
    EXPECT_EQ(LoadedFrom("36,Y\r\n37,N\r\n38,N\r\n").button[kType1].captionEffect, CaptionEffect::Embossed);
    EXPECT_EQ(LoadedFrom("45,N\r\n46,Y\r\n47,N\r\n").button[kType2].captionEffect, CaptionEffect::Pressed);
    EXPECT_EQ(LoadedFrom("36,N\r\n37,N\r\n38,N\r\n").button[kType1].captionEffect, CaptionEffect::Standard);

    // A colour is taken as eight hexadecimal digits of either case; anything else is ignored, and the
    // setting keeps its default.
    EXPECT_EQ(LoadedFrom("4,not a colour\r\n").button[kType1].backgroundColour,
              Defaults().button[kType1].backgroundColour);
    const AppSettings bad = LoadedFrom("87,00FF\"><s\r\n88,#ac;b23\r\n21,FFFFFF\r\n49,00ff8000 \r\n");
    EXPECT_EQ(bad.htmlBackgroundColour, Defaults().htmlBackgroundColour);
    EXPECT_EQ(bad.htmlTextColour, Defaults().htmlTextColour);
    EXPECT_EQ(bad.previewAreaColour, Defaults().previewAreaColour);
    EXPECT_EQ(bad.button[kType2].captionColour, Defaults().button[kType2].captionColour);
    const AppSettings hex = LoadedFrom("11,00ff8000\r\n48,0000FFFF\r\n87,00A0B0C0\r\n88,00abcdef\r\n");
    EXPECT_EQ(hex.button[kType2].backgroundColour, QStringLiteral("00ff8000"));
    EXPECT_EQ(hex.button[kType1].captionColour, QStringLiteral("0000FFFF"));
    EXPECT_EQ(hex.htmlBackgroundColour, QStringLiteral("00A0B0C0"));
    EXPECT_EQ(hex.htmlTextColour, QStringLiteral("00abcdef"));
}

TEST_F(ProjectFileTest, CaptionLinesBuildTheList) {
    const AppSettings s = LoadedFrom(
        "101,before any caption\r\n"
        "100,One, with comma\r\n101,u_one.gif\r\n102,d_one.gif\r\n103,one.htm\r\n"
        "100,Has /* inside\r\n"
        "100,Two\r\n102,second.gif\r\n");
    ASSERT_EQ(s.captions.RowCount(), 3);
    EXPECT_EQ(s.captions.Cell(0, 1),
              QStringLiteral("Button 1 Filename"));  // the header is never written over
    EXPECT_EQ(s.captions.RowAt(1),
              (CaptionGrid::Row{"One, with comma", "u_one.gif", "d_one.gif", "one.htm"}));
    EXPECT_EQ(s.captions.RowAt(2), (CaptionGrid::Row{"Two", "", "second.gif", ""}));

    // Blank captions are not written; a caption with "/*" is written but lost on reading, and its
    // file names are not written, so they cannot land on the row read before it.
    AppSettings out = Defaults();
    out.captions.SetCell(1, 1, "home.gif");
    out.captions.SetCell(2, 0, "   ");
    out.captions.SetCell(3, 0, "a /* b");
    out.captions.SetCell(3, 1, "lost.gif");
    ASSERT_TRUE(project::SaveSettings(path(), out));
    const QByteArray bytes = ReadAll(path());
    EXPECT_FALSE(bytes.contains("100,   "));
    EXPECT_TRUE(bytes.contains("100,a /* b\r\n100,Services\r\n"));
    EXPECT_FALSE(bytes.contains("lost.gif"));
    AppSettings back = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), back, dialogs, kDataFolder), LoadOutcome::Loaded);
    ASSERT_EQ(back.captions.RowCount(), 6);
    EXPECT_EQ(back.captions.RowAt(1), (CaptionGrid::Row{"Home", "home.gif", "", ""}));
    EXPECT_EQ(back.captions.Cell(2, 0), QStringLiteral("Services"));
    EXPECT_EQ(back.captions.Cell(5, 0), QStringLiteral("Links"));
}

TEST_F(ProjectFileTest, ALinkIsWrittenAfterItsRowsPageNameOnlyWhenGivenAndReadBackWhole) {
    AppSettings out = Defaults();
    out.captions.SetRowCount(7);
    // The comment mark, commas, blanks and a query: every link comes back as it was written.
    out.captions.SetCell(1, CaptionGrid::kLinkColumn, "https://example.com/*/menu, main");
    out.captions.SetCell(2, CaptionGrid::kLinkColumn, "");  // no link: no line
    out.captions.SetCell(3, CaptionGrid::kLinkColumn, "/shop?a=1&b=2 */");
    out.captions.SetCell(4, CaptionGrid::kLinkColumn, "  ");  // blanks are a value like any other
    out.captions.SetCell(5, CaptionGrid::kLinkColumn, "/*");
    out.captions.SetCell(6, CaptionGrid::kCaptionColumn, "Gone /* here");
    out.captions.SetCell(6, CaptionGrid::kLinkColumn, "#lost");
    out.captions.SetCell(6, CaptionGrid::kHtmlColumn, "lost.htm");
    ASSERT_TRUE(project::SaveSettings(path(), out));
    const QByteArray bytes = ReadAll(path());
    EXPECT_TRUE(
        bytes.contains("100,Home\r\n101,\r\n102,\r\n103,\r\n104,https://example.com/*/menu, main\r\n"
                       "100,Contacts\r\n101,\r\n102,\r\n103,\r\n100,Products\r\n"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\n103,\r\n104,/shop?a=1&b=2 */\r\n100,Services\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n103,\r\n104,  \r\n100,Support\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n103,\r\n104,/*\r\n100,Gone /* here\r\n/* Is second"));
    // A caption lost on reading takes its link with it, as it takes its names.
    EXPECT_FALSE(bytes.contains("#lost"));
    EXPECT_EQ(bytes.count("\r\n104,"), 4);

    AppSettings back = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), back, dialogs, kDataFolder), LoadOutcome::Loaded);
    ASSERT_EQ(back.captions.RowCount(), 6);
    EXPECT_EQ(back.captions.Cell(0, CaptionGrid::kLinkColumn), QStringLiteral("Link"));
    for (int r = 1; r <= 5; ++r) {
        EXPECT_EQ(back.captions.RowAt(r), out.captions.RowAt(r)) << r;
    }
    EXPECT_TRUE(dialogs.History().isEmpty());

    // Only a line whose key is 104 is read whole: a link before any caption has no row, a comment
    // that starts like one stays a comment, and other lines with the mark stay comments too.
    const AppSettings s = LoadedFrom(
        "104,before any caption\r\n"
        "100,One\r\n104,/first/*\r\n"
        "/* 104,not a link */\r\n"
        "68,test /* caption\r\n"
        "100,Two\r\n 104,#two /* x\r\n104,#last wins\r\n");
    ASSERT_EQ(s.captions.RowCount(), 3);
    EXPECT_EQ(s.captions.Cell(0, CaptionGrid::kLinkColumn), QStringLiteral("Link"));
    EXPECT_EQ(s.captions.RowAt(1), (CaptionGrid::Row{"One", "", "", "", "/first/*"}));
    EXPECT_EQ(s.captions.RowAt(2), (CaptionGrid::Row{"Two", "", "", "", "#last wins"}));
    EXPECT_EQ(s.testCaption, Defaults().testCaption);
    EXPECT_EQ(LoadedFrom("100,One\r\n 104,#two /* x\r\n").captions.Cell(1, CaptionGrid::kLinkColumn),
              QStringLiteral("#two /* x"));
}

TEST_F(ProjectFileTest, ChangingTheEightThreeSettingRenamesTheRowsReadSoFar) {
    const AppSettings s = LoadedFrom("100,Products\r\n17,Y\r\n100,Services\r\n");
    EXPECT_EQ(s.captions.RowAt(1),
              (CaptionGrid::Row{"Products", "u_produc.gif", "d_produc.gif", "products.htm"}));
    EXPECT_EQ(s.captions.RowAt(2), (CaptionGrid::Row{"Services", "", "", ""}));
    // No change, no recalculation.
    EXPECT_EQ(LoadedFrom("100,Products\r\n17,N\r\n").captions.Cell(1, 1), QString());
}

TEST_F(ProjectFileTest, OtherEncodingsAndLineEndsAreRead) {
    EXPECT_EQ(LoadedFrom("68,Caf\xc3\xa9\n").testCaption, QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(LoadedFrom("68,Caf\xe9 \x80\r\n").testCaption, QStringLiteral("Caf\u00e9 \u20ac"));
    const AppSettings s = LoadedFrom("15,a\r16,b\n68,c");
    EXPECT_EQ(s.prefix1, QStringLiteral("a"));
    EXPECT_EQ(s.prefix2, QStringLiteral("b"));
    EXPECT_EQ(s.testCaption, QStringLiteral("c"));
}

TEST_F(ProjectFileTest, DamagedFilesAreSetAsideAndReset) {
    ExpectReset("1,x\r\n");
    ExpectReset("abc,1\r\n");
    ExpectReset("1,4\r\nno comma here\r\n");
    ExpectReset(",value\r\n");
    ExpectReset("5,12px\r\n");
    ExpectReset("30,one\r\n");
    ExpectReset("99999999999,1\r\n");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage.append(static_cast<char>((i * 7919 + 13) % 251));
    }
    ExpectReset(garbage);
}

TEST_F(ProjectFileTest, HugeLinesAndRepeatedKeysAreReadByTheRules) {
    // A line of 15 MiB in a file within the 16 MiB a settings file may have.
    QByteArray big = "999,";
    big.append(QByteArray(15 * 1024 * 1024, 'x'));
    big.append("\r\n68,");
    big.append(QByteArray(1000, 'c'));
    big.append("\r\n");
    const AppSettings s = LoadedFrom(big);
    EXPECT_EQ(s.testCaption, QString(kMaxCaptionLength, 'c'));
    big.clear();

    QByteArray repeated;
    for (int i = 0; i < 100000; ++i) {
        repeated.append("100,caption ");
        repeated.append(QByteArray::number(i));
        repeated.append("\r\n");
    }
    const AppSettings many = LoadedFrom(repeated);
    ASSERT_EQ(many.captions.RowCount(), 100001);
    EXPECT_EQ(many.captions.Cell(100000, 0), QStringLiteral("caption 99999"));
}

TEST_F(ProjectFileTest, MissingOrUnwritableFilesAreQuiet) {
    AppSettings s = Unusual();
    EXPECT_EQ(project::LoadSettings(dir.path() + "/none.dat", s, dialogs, kDataFolder), LoadOutcome::NoFile);
    EXPECT_EQ(s, Unusual());
    EXPECT_EQ(project::LoadSettings(dir.path(), s, dialogs, kDataFolder),
              LoadOutcome::Unreadable);  // a folder
    EXPECT_FALSE(project::SaveSettings(dir.path() + "/missing/kestro.dat", s));
    EXPECT_FALSE(QFile::exists(dir.path() + "/missing"));

    // Saving replaces an earlier, longer file completely.
    ASSERT_TRUE(WriteAll(path(), QByteArray(200000, '\x01')));
    ASSERT_TRUE(project::SaveSettings(path(), Defaults()));
    EXPECT_FALSE(ReadAll(path()).contains('\x01'));
    EXPECT_TRUE(dialogs.History().isEmpty());
    EXPECT_EQ(project::ProjectFilePath("/x/KSDATA/"), QStringLiteral("/x/KSDATA/PROJECTS/kestro.dat"));
    EXPECT_EQ(project::ProjectFilePath("/home/u/.local/share/plumeric/"),
              QStringLiteral("/home/u/.local/share/plumeric/PROJECTS/kestro.dat"));
}

TEST_F(ProjectFileTest, ATypedFontSizeSurvivesUnderItsOwnKey) {
    // A size from the list writes nothing new: the file stays as older readers know it.
    AppSettings listed = Defaults();
    listed.button[kType2].SetFontSizeText(" 12 ");
    EXPECT_EQ(listed.button[kType2].fontSizeIndex, 5);
    ASSERT_TRUE(project::SaveSettings(path(), listed));
    EXPECT_FALSE(ReadAll(path()).contains("Typed font size"));

    AppSettings typed = Defaults();
    typed.button[kType1].SetFontSizeText("45");
    typed.button[kType2].SetFontSizeText("300");
    EXPECT_EQ(typed.button[kType1].fontSizeIndex, kNoChoice);
    ASSERT_TRUE(project::SaveSettings(path(), typed));
    const QByteArray bytes = ReadAll(path());
    EXPECT_TRUE(bytes.contains("\r\n32,-1\r\n"));
    EXPECT_TRUE(bytes.endsWith(
        "111,Y\r\n/* Typed font size 1 */\r\n112,45\r\n/* Typed font size 2 */\r\n113,300\r\n"));
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.button, typed.button);

    // Texts that are not sizes are left out: the list's own choice stays.
    for (const char* bad : {"0", "301", "-5", "1e2", "", "12.5"}) {
        const AppSettings s =
            LoadedFrom(QStringLiteral("32,2\r\n112,%1\r\n").arg(QLatin1String(bad)).toUtf8());
        EXPECT_EQ(s.button[kType1].fontSizeText, QStringLiteral("9")) << bad;
        EXPECT_EQ(s.button[kType1].fontSizeIndex, 2) << bad;
    }
    EXPECT_EQ(LoadedFrom("113,1\r\n").button[kType2].fontSizeText, QStringLiteral("1"));
}

TEST_F(ProjectFileTest, TheLaterChoicesAreWrittenOnlyWhenChosenAndAValueThatDoesNotReadKeepsTheDefault) {
    // Off by default: a fresh start writes the file the program always wrote (its checksum was taken
    // before these choices existed), ending with the two flags.
    ASSERT_TRUE(project::SaveSettings(path(), Defaults()));
    const QByteArray plain = ReadAll(path());
    EXPECT_EQ(plain.size(), 2633);
    EXPECT_EQ(QCryptographicHash::hash(plain, QCryptographicHash::Sha256).toHex(),
              "17d0552b70cff308a18dea0f01d5f91249b7b36e49dc39adce9619d15980d2bc");
    EXPECT_TRUE(plain.endsWith(
        "/* Copy button 1 settings to button 2 when button 2 is re-enabled ? */\r\n111,Y\r\n"));

    // Each choice adds its two lines after everything else, in the order the choices came (the GIF
    // dither last), alone when alone.
    AppSettings s = Defaults();
    s.smoothCaptions = true;
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Smooth caption edges ? */\r\n131,Y\r\n");
    s.smoothCaptions = false;
    s.latinNames = true;
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Latin file names ? */\r\n143,Y\r\n");
    s.latinNames = false;
    s.ditherGif = true;
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Dither GIF colours ? */\r\n135,Y\r\n");
    s.ditherGif = false;
    s.button[kType2].smoothEdges = true;
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Smooth shape edges 2 ? */\r\n134,Y\r\n");
    s.button[kType1].smoothEdges = true;
    s.button[kType2].smoothEdges = false;
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Smooth shape edges 1 ? */\r\n133,Y\r\n");
    s.button[kType2].smoothEdges = true;
    s.ditherGif = true;
    s.latinNames = true;
    s.smoothCaptions = true;
    s.scale2x = true;
    s.pageStyle = kPageStyleCss;
    s.button[kType1].SetFontSizeText("45");
    s.captions.SetCell(0, 3, "HTML Filename");  // the header the reader writes
    const QByteArray all = project::SettingsFileBytes(s);
    EXPECT_TRUE(
        all.endsWith("/* Typed font size 1 */\r\n112,45\r\n"
                     "/* Also write 2x images for high-density screens ? */\r\n130,Y\r\n"
                     "/* Smooth caption edges ? */\r\n131,Y\r\n"
                     "/* Smooth shape edges 1 ? */\r\n133,Y\r\n"
                     "/* Smooth shape edges 2 ? */\r\n134,Y\r\n"
                     "/* HTML page style (0=Script rollover, 1=CSS rollover) */\r\n132,1\r\n"
                     "/* Latin file names ? */\r\n143,Y\r\n"
                     "/* Dither GIF colours ? */\r\n135,Y\r\n"));
    ASSERT_TRUE(WriteAll(path(), all));
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_EQ(loaded, s);

    // Written "N" or 0 by hand they read as the defaults; both list ends read.
    const AppSettings off = LoadedFrom("130,N\r\n131,N\r\n132,0\r\n143,N\r\n135,N\r\n133,N\r\n134,N\r\n");
    EXPECT_FALSE(off.scale2x || off.smoothCaptions || off.latinNames || off.ditherGif ||
                 off.button[kType1].smoothEdges || off.button[kType2].smoothEdges);
    EXPECT_EQ(off.pageStyle, kPageStyleClassic);
    EXPECT_EQ(LoadedFrom("132, 1 \r\n").pageStyle, kPageStyleCss);

    // A value that does not read is ignored: the setting keeps what it had, the rest of the file is
    // read, and nothing is reset or shown.
    dialogs.Clear();
    for (const char* bad : {"", "y", "yes", "1", "Y ", "x"}) {
        const AppSettings t =
            LoadedFrom(QStringLiteral("130,Y\r\n130,%1\r\n131,%1\r\n143,Y\r\n143,%1\r\n135,Y\r\n135,%1\r\n"
                                      "15,after\r\n")
                           .arg(QLatin1String(bad))
                           .toUtf8());
        EXPECT_TRUE(t.scale2x) << bad;
        EXPECT_FALSE(t.smoothCaptions) << bad;
        EXPECT_TRUE(t.latinNames) << bad;
        EXPECT_TRUE(t.ditherGif) << bad;
        EXPECT_EQ(t.prefix1, QStringLiteral("after")) << bad;
    }
    for (const char* bad : {"2", "-1", "", "css", "1.0", "99999999999"}) {
        const AppSettings t =
            LoadedFrom(QStringLiteral("132,1\r\n132,%1\r\n16,after\r\n").arg(QLatin1String(bad)).toUtf8());
        EXPECT_EQ(t.pageStyle, kPageStyleCss) << bad;
        EXPECT_EQ(t.prefix2, QStringLiteral("after")) << bad;
    }
    EXPECT_TRUE(dialogs.History().isEmpty());
}

namespace {

// A caption list as long as the one the full disk cut short: 900 captions, about 44 KB.
AppSettings ManyCaptions() {
    AppSettings s = Defaults();
    s.captions.SetRowCount(901);
    for (int r = 1; r <= 900; ++r) {
        s.captions.SetCell(r, 0, QStringLiteral("A caption of some length, number %1").arg(r));
        s.captions.SetCell(r, 1, QStringLiteral("u_caption_%1.gif").arg(r));
        s.captions.SetCell(r, 2, QStringLiteral("d_caption_%1.gif").arg(r));
        s.captions.SetCell(r, 3, QStringLiteral("caption_%1.htm").arg(r));
    }
    return s;
}

qsizetype g_written = 0;
// The first write takes 12,288 bytes, the next fails as on a full disk.
ssize_t ShortThenFull(int fd, const void* data, size_t size, off_t offset) {
    if (g_written >= 12288) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t n = ::pwrite(fd, data, std::min<size_t>(size, 12288), offset);
    g_written += n;
    return n;
}

}  // namespace

TEST_F(ProjectFileTest, ASaveThatCannotBeWrittenWholeKeepsTheGoodFile) {
    ASSERT_TRUE(project::SaveSettings(path(), Defaults()));
    const QByteArray good = ReadAll(path());
    const AppSettings many = ManyCaptions();
    ASSERT_GT(project::SettingsFileBytes(many).size(), 40000);
    {
        g_written = 0;
        platform::SetWriteFunctionForTests(&ShortThenFull);
        QString reason;
        const bool saved = project::SaveSettings(path(), many, &reason);
        platform::SetWriteFunctionForTests(nullptr);
        EXPECT_FALSE(saved);
        EXPECT_EQ(reason, "No space left on device");
        EXPECT_EQ(ReadAll(path()), good);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kestro.dat"});
    }
    QString reason;
    EXPECT_FALSE(project::SaveSettings(dir.path() + "/missing/kestro.dat", many, &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(
        project::SettingsSaveFailedMessage("/k/KSDATA/PROJECTS/kestro.dat", reason),
        "The settings could not be saved to \"/k/KSDATA/PROJECTS/kestro.dat\": No such file or directory.");
}

TEST_F(ProjectFileTest, ASaveOnARealFullFileSystemKeepsTheGoodFile) {
    QTemporaryDir small;
    testsupport::SmallFileSystem fs(small.path(), 16);
    if (!fs.Mounted()) {
        GTEST_SKIP() << fs.SkipReason();
    }
    const QString file = small.path() + "/kestro.dat";
    ASSERT_TRUE(project::SaveSettings(file, Defaults()));
    const QByteArray good = ReadAll(file);
    fs.FillLeaving(3);  // about 12 KB free for a 44 KB file
    QString reason;
    EXPECT_FALSE(project::SaveSettings(file, ManyCaptions(), &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(ReadAll(file), good);
    EXPECT_EQ(QDir(small.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{".filler", "kestro.dat"}));
    AppSettings read = Defaults();
    EXPECT_EQ(project::LoadSettings(file, read, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_EQ(read.captions.RowCount(), Defaults().captions.RowCount());
}

TEST_F(ProjectFileTest, OpeningASettingsFileSweepsItsFolderOfLeftovers) {
    ASSERT_TRUE(project::SaveSettings(path(), Defaults()));
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString leftover = dir.path() + QStringLiteral("/.kestro-%1-q1w2e3.tmp").arg(child);
    ASSERT_TRUE(WriteAll(leftover, "half a settings file"));
    ASSERT_TRUE(QFile::link(path(), dir.path() + "/runtest.$$$"));
    AppSettings s = Defaults();
    EXPECT_EQ(project::LoadSettings(path(), s, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_TRUE(QFileInfo(dir.path() + "/runtest.$$$").isSymLink());  // a link is never a leftover
}

TEST_F(ProjectFileTest, ReadNotesTellTheReasonTheLineTheWarningsAndHowManySettingsWereRead) {
    // A file with settings, an unknown number, comments and blank lines: only known keys count, and
    // values brought into range are told with their line instead of through the boxes.
    AppSettings s = Defaults();
    project::ReadNotes notes;
    EXPECT_EQ(project::ReadSettingsBytes("/* Height */\r\n6,5000\r\n\r\n999,x\r\n82,a.htm\r\n13,-2001\r\n", s,
                                         dialogs, &notes),
              LoadOutcome::Loaded);
    EXPECT_EQ(notes.settings, 3);
    ASSERT_EQ(notes.warnings.size(), 2);
    EXPECT_EQ(notes.warnings[0].line, 2);
    EXPECT_EQ(notes.warnings[0].text, "the value 5000 is out of range; 2000 is used");
    EXPECT_EQ(notes.warnings[1].line, 6);
    EXPECT_EQ(notes.warnings[1].text, "the value -2001 is out of range; -2000 is used");
    EXPECT_EQ(s.button[kType1].height, QStringLiteral("2000"));
    EXPECT_TRUE(dialogs.History().isEmpty());

    // Empty, comment-only, and unknown numbers only: no settings.
    for (const QByteArray& bytes : {QByteArray(), QByteArray("/* Caption List */\r\n\r\n  \r\n"),
                                    QByteArray("\xEF\xBB\xBF/* only a comment */"), QByteArray("999,x\n")}) {
        project::ReadNotes none;
        EXPECT_EQ(project::ReadSettingsBytes(bytes, s, dialogs, &none), LoadOutcome::Loaded);
        EXPECT_EQ(none.settings, 0) << bytes.toStdString();
    }

    // The line that could not be processed, counted over every kind of line end.
    project::ReadNotes broken;
    EXPECT_EQ(project::ReadSettingsBytes("/* a */\r\n1,2\n\r3,x\r\n", s, dialogs, &broken),
              LoadOutcome::Unprocessable);
    EXPECT_EQ(broken.line, 4);
    EXPECT_EQ(broken.reason, "'x' is not a valid integer value");

    // A file that cannot be read: the system's reason; a folder says so.
    project::ReadNotes missing;
    EXPECT_EQ(project::ReadSettings(dir.path() + "/none.dat", s, dialogs, &missing), LoadOutcome::NoFile);
    EXPECT_EQ(missing.reason, "No such file or directory");
    project::ReadNotes folder;
    EXPECT_EQ(project::ReadSettings(dir.path(), s, dialogs, &folder), LoadOutcome::Unreadable);
    EXPECT_EQ(folder.reason, "it is a folder");
    // One byte more than 16 MiB is too large: refused before it is read.
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(16 * 1024 * 1024 + 1));
    }
    project::ReadNotes large;
    EXPECT_EQ(project::ReadSettings(path(), s, dialogs, &large), LoadOutcome::Unreadable);
    EXPECT_EQ(large.reason, "it is larger than 16 MiB");
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(ProjectFileTest, SettingsThatUseNoShapeOrFillWriteTheFileWrittenBeforeThem) {
    // The checksums of both files as the build before button shapes and gradient fills wrote them.
    const auto checksum = [](const QByteArray& bytes) {
        return QString::fromLatin1(
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(24));
    };
    EXPECT_EQ(checksum(project::SettingsFileBytes(Defaults())), QStringLiteral("17d0552b70cff308a18dea0f"));
    // The unusual settings without the choices that came later still (2x images, smooth captions,
    // the CSS page).
    AppSettings unusual = Unusual();
    unusual.scale2x = false;
    unusual.smoothCaptions = false;
    unusual.pageStyle = kPageStyleClassic;
    EXPECT_EQ(checksum(project::SettingsFileBytes(unusual)), QStringLiteral("c763836936484e777c6936b6"));
}

TEST_F(ProjectFileTest, ShapeAndFillAreWrittenOnlyWhereTheyDifferAndReadBack) {
    AppSettings shaped = Defaults();
    ButtonStyle& a = shaped.button[kType1];
    a.shape = 4;
    a.cornerRadius = "0";
    a.gradientKind = 2;
    a.gradientColour = "00FEFF01";
    a.gradientAngle = "359";
    ButtonStyle& b = shaped.button[kType2];
    b.shape = 1;  // only the shape and the angle differ for type 2
    b.gradientAngle = "-90";
    b.SetFontSizeText("45");
    ASSERT_TRUE(project::SaveSettings(path(), shaped));
    const QByteArray bytes = ReadAll(path());
    // After every older key, the typed size included, each with its comment; the type 2 angle is
    // written as the degrees it gives.
    EXPECT_TRUE(
        bytes.endsWith("/* Typed font size 2 */\r\n113,45\r\n"
                       "/* Button 1 shape */\r\n120,4\r\n"
                       "/* Button 1 corner radius */\r\n121,0\r\n"
                       "/* Button 1 gradient fill */\r\n122,2\r\n"
                       "/* Button 1 gradient second colour */\r\n123,00FEFF01\r\n"
                       "/* Button 1 gradient angle (degrees) */\r\n124,359\r\n"
                       "/* Button 2 shape */\r\n125,1\r\n"
                       "/* Button 2 gradient angle (degrees) */\r\n129,270\r\n"))
        << bytes.right(600).toStdString();
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    b.gradientAngle = "270";
    EXPECT_EQ(loaded.button, shaped.button);

    // The values the defaults hold write nothing: an angle of 405 gives 45 degrees, and a corner
    // radius field left empty (or a lone "-") is the component's rule.
    AppSettings plain = Defaults();
    plain.button[kType1].gradientAngle = "405";
    plain.button[kType2].cornerRadius = "-";
    EXPECT_EQ(project::SettingsFileBytes(plain), project::SettingsFileBytes(Defaults()));

    // Type 2 keys reach type 2 only, and the last of a repeated key wins.
    const AppSettings two = LoadedFrom("125,2\r\n126,14\r\n127,1\r\n128,00000000\r\n129,0\r\n125,3\r\n");
    EXPECT_EQ(two.button[kType1], Defaults().button[kType1]);
    EXPECT_EQ(two.button[kType2].shape, 3);
    EXPECT_EQ(two.button[kType2].cornerRadius, QStringLiteral("14"));
    EXPECT_EQ(two.button[kType2].gradientKind, 1);
    EXPECT_EQ(two.button[kType2].gradientColour, QStringLiteral("00000000"));
    EXPECT_EQ(two.button[kType2].gradientAngle, QStringLiteral("0"));
    // An empty corner radius is the rule again.
    EXPECT_EQ(LoadedFrom("121,5\r\n121,\r\n").button[kType1].cornerRadius, QString());
}

TEST_F(ProjectFileTest, AShapeOrFillValueThatDoesNotReadIsIgnoredAndTheRestOfTheFileKept) {
    AppSettings expected = Defaults();
    expected.button[kType1].backgroundMode = 2;
    expected.testCaption = "Still read";
    // Outside the lists (both ends), not numbers, negative radii, colours that are not eight digits.
    for (const char* line :
         {"120,5", "120,-1",  "120,x",   "120,",       "121,-3",       "121,2.5", "121,abc",
          "122,3", "122,-1",  "122,1x",  "123,808080", "123,ZZ000000", "123,",    "123,0080808080",
          "124,",  "124,4 5", "124,1e2", "125,99",     "127,7",        "128,red", "129,--5"}) {
        dialogs.Clear();
        AppSettings s = Defaults();
        ASSERT_EQ(Load(QStringLiteral("1,2\r\n%1\r\n68,Still read\r\n").arg(QLatin1String(line)).toUtf8(), s),
                  LoadOutcome::Loaded)
            << line;
        EXPECT_EQ(s.button, expected.button) << line;
        EXPECT_EQ(s.testCaption, expected.testCaption) << line;
        EXPECT_TRUE(dialogs.History().isEmpty()) << line;
    }
    // An older version's reading of the output type: anything but "GIF" is BMP; "PNG" is PNG now,
    // "WEBP" WebP (in capitals only, as "GIF" and "PNG").
    EXPECT_EQ(LoadedFrom("19,PNG\r\n").fileType, kFileTypePng);
    EXPECT_EQ(LoadedFrom("19,WEBP\r\n").fileType, kFileTypeWebp);
    EXPECT_EQ(LoadedFrom("19,WebP\r\n").fileType, kFileTypeBmp);
    EXPECT_EQ(LoadedFrom("19,WEB\r\n").fileType, kFileTypeBmp);
    EXPECT_EQ(LoadedFrom("19,GIF\r\n").fileType, kFileTypeGif);
    EXPECT_EQ(LoadedFrom("19,png\r\n").fileType, kFileTypeBmp);
    EXPECT_EQ(LoadedFrom("19,BMP\r\n").fileType, kFileTypeBmp);
    AppSettings png = Defaults();
    png.fileType = kFileTypePng;
    EXPECT_TRUE(project::SettingsFileBytes(png).contains("/* Output file type */\r\n19,PNG\r\n"));
    png.fileType = kFileTypeWebp;
    EXPECT_TRUE(project::SettingsFileBytes(png).contains("/* Output file type */\r\n19,WEBP\r\n"));
}

TEST_F(ProjectFileTest, ThePageLanguageSpacingAndSnippetAreWrittenOnlyWhenChangedAndALanguageIsATag) {
    const QByteArray plain = project::SettingsFileBytes(Defaults());
    AppSettings s = Defaults();
    s.navigationSnippet = true;
    s.navigationLabel = "Site & more";
    s.pageLanguage = "pt-BR";
    s.buttonSpacing = 100;
    const QByteArray all = project::SettingsFileBytes(s);
    s.captions.SetCell(0, 3, "HTML Filename");  // the header the reader writes
    EXPECT_EQ(all, plain +
                       "/* Also write a navigation snippet ? */\r\n138,Y\r\n"
                       "/* Navigation label */\r\n139,Site & more\r\n"
                       "/* Page language */\r\n140,pt-BR\r\n"
                       "/* Space between buttons (pixels) */\r\n141,100\r\n");
    ASSERT_TRUE(WriteAll(path(), all));
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_EQ(loaded, s);
    EXPECT_EQ(LoadedFrom("141,0\r\n").buttonSpacing, 0);
    // A label holding the comment mark is kept whole, as a link is.
    s.navigationLabel = "Main /* site */";
    EXPECT_EQ(LoadedFrom(project::SettingsFileBytes(s)).navigationLabel, QStringLiteral("Main /* site */"));

    // A language that is not a tag never reaches a page: it is ignored with a warning of its line.
    for (const char* bad : {"", "e", "en_GB", "en-", "-en", "en GB", "\"><script>", "en-123456789",
                            "abcdefghi", "en-GB-oxendict-xxxxxxxx-yyyyyyyy-zzz"}) {
        AppSettings t = Defaults();
        project::ReadNotes notes;
        EXPECT_EQ(
            project::ReadSettingsBytes(
                QStringLiteral("140,de\r\n140,%1\r\n").arg(QLatin1String(bad)).toUtf8(), t, dialogs, &notes),
            LoadOutcome::Loaded);
        EXPECT_EQ(t.pageLanguage, QStringLiteral("de")) << bad;
        ASSERT_EQ(notes.warnings.size(), 1) << bad;
        EXPECT_EQ(notes.warnings[0].line, 2);
    }
    for (const char* good : {"en", "DE-ch", "zh-Hant-TW", "sr-Latn-RS", "gsw", "de-CH-1996",
                             "en-GB-oxendict-xxxxxxxx-yyyyyyyy-zz"}) {
        EXPECT_EQ(LoadedFrom(QStringLiteral("140,%1\r\n").arg(QLatin1String(good)).toUtf8()).pageLanguage,
                  QLatin1String(good));
    }
    // A space outside 0 to 100 does not read.
    for (const char* bad : {"101", "-1", "x", ""}) {
        EXPECT_EQ(
            LoadedFrom(QStringLiteral("141,7\r\n141,%1\r\n").arg(QLatin1String(bad)).toUtf8()).buttonSpacing,
            7)
            << bad;
    }
}

TEST_F(ProjectFileTest, PressedImagesAndTheirPrefixAreWrittenOnlyWhenChosenAndReadBack) {
    const QByteArray plain = project::SettingsFileBytes(Defaults());
    AppSettings s = Defaults();
    EXPECT_FALSE(s.pressedImages);
    EXPECT_EQ(s.prefixPressed, QStringLiteral("P_"));
    // The choice alone, the prefix alone, then both, after every other line (the GIF dither's too).
    s.pressedImages = true;
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Also write pressed images ? */\r\n136,Y\r\n");
    s.pressedImages = false;
    s.prefixPressed = "Down_";
    EXPECT_EQ(project::SettingsFileBytes(s), plain + "/* Prefix for pressed buttons */\r\n137,Down_\r\n");
    s.pressedImages = true;
    s.ditherGif = true;
    s.captions.SetCell(0, 3, "HTML Filename");  // the header the reader writes
    const QByteArray both = project::SettingsFileBytes(s);
    EXPECT_TRUE(
        both.endsWith("/* Dither GIF colours ? */\r\n135,Y\r\n"
                      "/* Also write pressed images ? */\r\n136,Y\r\n"
                      "/* Prefix for pressed buttons */\r\n137,Down_\r\n"));
    ASSERT_TRUE(WriteAll(path(), both));
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_EQ(loaded, s);
    // An empty prefix differs from the default, so it is written and read back empty; "P_" written by
    // hand reads as the default, and the file is then written without it.
    s.prefixPressed.clear();
    EXPECT_TRUE(
        project::SettingsFileBytes(s).endsWith("136,Y\r\n/* Prefix for pressed buttons */\r\n137,\r\n"));
    EXPECT_EQ(LoadedFrom("137,\r\n").prefixPressed, QString());
    const AppSettings byHand = LoadedFrom("137,P_\r\n136,N\r\n");
    EXPECT_EQ(project::SettingsFileBytes(byHand), project::SettingsFileBytes(LoadedFrom("15,U_\r\n")));
    EXPECT_FALSE(project::SettingsFileBytes(byHand).contains("137,"));
    // A value of key 136 that does not read keeps what was read before it.
    for (const char* bad : {"", "y", "1", "Y "}) {
        const AppSettings t =
            LoadedFrom(QStringLiteral("136,Y\r\n136,%1\r\n16,after\r\n").arg(QLatin1String(bad)).toUtf8());
        EXPECT_TRUE(t.pressedImages) << bad;
        EXPECT_EQ(t.prefix2, QStringLiteral("after")) << bad;
    }
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(ProjectFileTest, TheContrastAndSizeCheckIsWrittenOnlyWhenOnAndReadBack) {
    const QByteArray plain = project::SettingsFileBytes(Defaults());
    EXPECT_FALSE(plain.contains("\r\n142,"));
    AppSettings s = Defaults();
    s.checkAccess = true;
    const QByteArray on = project::SettingsFileBytes(s);
    EXPECT_EQ(on, plain + "/* Check contrast and size ? */\r\n142,Y\r\n");
    s.captions.SetCell(0, 3, "HTML Filename");  // the header the reader writes
    ASSERT_TRUE(WriteAll(path(), on));
    AppSettings loaded = Defaults();
    ASSERT_EQ(project::LoadSettings(path(), loaded, dialogs, kDataFolder), LoadOutcome::Loaded);
    EXPECT_TRUE(loaded.checkAccess);
    EXPECT_EQ(loaded, s);
    // After the pressed images, with every other later choice on.
    s.pressedImages = true;
    s.ditherGif = true;
    EXPECT_TRUE(project::SettingsFileBytes(s).endsWith(
        "/* Also write pressed images ? */\r\n136,Y\r\n/* Check contrast and size ? */\r\n142,Y\r\n"));
    // "N" reads as off; a value that does not read keeps what the setting had.
    EXPECT_FALSE(LoadedFrom("142,N\r\n").checkAccess);
    EXPECT_TRUE(LoadedFrom("142,Y\r\n").checkAccess);
    for (const char* bad : {"", "y", "1", "Y ", "yes"}) {
        EXPECT_TRUE(
            LoadedFrom(QStringLiteral("142,Y\r\n142,%1\r\n").arg(QLatin1String(bad)).toUtf8()).checkAccess)
            << bad;
        EXPECT_FALSE(LoadedFrom(QStringLiteral("142,%1\r\n").arg(QLatin1String(bad)).toUtf8()).checkAccess)
            << bad;
    }
}
