#include <gtest/gtest.h>

#include "output/CaptionNaming.h"
#include "settings/DefaultSettings.h"

using namespace output;
using settings::AppSettings;
using settings::CaptionGrid;

namespace {

AppSettings Defaults() {
    AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/d/");
    return s;
}

void SetCaptions(AppSettings& s, const QStringList& captions) {
    s.captions.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 0; r < captions.size(); ++r) {
        s.captions.SetCell(r + 1, 0, captions[r]);
    }
}

QStringList Column(const AppSettings& s, int column) {
    QStringList out;
    for (int r = 1; r < s.captions.RowCount(); ++r) {
        out.append(s.captions.Cell(r, column));
    }
    return out;
}

}  // namespace

TEST(CaptionNaming, FilteringKeepsExactlyTheFileNameCharacters) {
    EXPECT_EQ(CleanFilenamePart("Contact us!"), QStringLiteral("Contact_us!"));
    EXPECT_EQ(CleanFilenamePart("Price $5.00"), QStringLiteral("Price_500"));
    EXPECT_EQ(CleanFilenamePart("a*b/c\\d?e.f$g\th\x7fi"), QStringLiteral("abcdefghi"));
    EXPECT_EQ(CleanFilenamePart("<a:b|\"c\">#%&'()+,-;=@[]^_`{}~"),
              QStringLiteral("<a:b|\"c\">#%&'()+,-;=@[]^_`{}~"));
    EXPECT_EQ(CleanFilenamePart("\u00a35 \u00ac \u00e9t\u00e9 \u20ac \u4e2d"),
              QStringLiteral("\u00a35_\u00ac_t__"));
    EXPECT_EQ(CleanFilenamePart(""), QString());
    EXPECT_EQ(CleanFilenamePart("   "), QStringLiteral("___"));
}

TEST(CaptionNaming, DefaultAndMixedCaseNames) {
    AppSettings s = Defaults();
    FileNames n = CaptionFilenames("Home", s, 1);
    EXPECT_EQ(n.button1, QStringLiteral("u_home.gif"));
    EXPECT_EQ(n.button2, QStringLiteral("d_home.gif"));
    EXPECT_EQ(n.html, QStringLiteral("home.htm"));

    s.filenameStyle = 0;
    n = CaptionFilenames("Contact us!", s, 1);
    EXPECT_EQ(n.button1, QStringLiteral("U_Contact_us!.GIF"));
    EXPECT_EQ(n.button2, QStringLiteral("D_Contact_us!.GIF"));
    EXPECT_EQ(n.html, QStringLiteral("Contact_us!.HTM"));
    EXPECT_EQ(CaptionFilenames("Price $5.00", s, 1).button1, QStringLiteral("U_Price_500.GIF"));
    // A caption that filters down to nothing leaves the prefix and the extension; a page name, which
    // has no prefix, would start with its full stop and takes "caption" and the row number instead.
    EXPECT_EQ(CaptionFilenames("$$$", s, 1).button1, QStringLiteral("U_.GIF"));
    EXPECT_EQ(CaptionFilenames("$$$", s, 7).html, QStringLiteral("caption7.HTM"));

    s.filenameStyle = 1;
    s.fileType = settings::kFileTypeBmp;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("U_HOME_PAGE.BMP"));
    s.filenameStyle = 7;  // any other style leaves the name as built
    EXPECT_EQ(CaptionFilenames("Home", s, 1).button1, QStringLiteral("U_Home.BMP"));

    // PNG files take ".PNG", built like ".BMP" and ".GIF", and the case style acts on it as on them;
    // a type past the list is GIF.
    s.fileType = settings::kFileTypePng;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button2, QStringLiteral("D_Home_page.PNG"));
    s.filenameStyle = 1;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("U_HOME_PAGE.PNG"));
    s.filenameStyle = 2;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("u_home_page.png"));
    s.enforce83 = true;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("u_home_p.png"));
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).html, QStringLiteral("home_pag.htm"));
    s.fileType = 4;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("u_home_p.gif"));

    // WebP files take ".WEBP" (four letters, also with 8,3 names), cased as ".PNG" is.
    s.fileType = settings::kFileTypeWebp;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("u_home_p.webp"));
    s.enforce83 = false;
    s.filenameStyle = 0;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button2, QStringLiteral("D_Home_page.WEBP"));
    s.filenameStyle = 1;
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).button1, QStringLiteral("U_HOME_PAGE.WEBP"));
    EXPECT_EQ(CaptionFilenames("Home page", s, 1).html, QStringLiteral("HOME_PAGE.HTM"));
}

TEST(CaptionNaming, LongNamesAreCutTo36CharactersOfPrefixAndCaption) {
    AppSettings s = Defaults();
    s.filenameStyle = 0;
    s.prefix1 = QString(30, 'p');
    const FileNames n = CaptionFilenames("abcdefghij", s, 1);
    EXPECT_EQ(n.button1, QString(30, 'p') + "abcdef.GIF");
    EXPECT_EQ(n.button2, QStringLiteral("D_abcdefghij.GIF"));
    EXPECT_EQ(CaptionFilenames(QString(250, 'x'), s, 1).html, QString(36, 'x') + ".HTM");
    s.prefix1 = QString(40, 'q');
    EXPECT_EQ(CaptionFilenames("z", s, 1).button1, QString(36, 'q') + ".GIF");
}

TEST(CaptionNaming, EightThreeNames) {
    AppSettings s = Defaults();
    s.filenameStyle = 0;
    s.enforce83 = true;
    FileNames n = CaptionFilenames("Products", s, 1);
    EXPECT_EQ(n.button1, QStringLiteral("U_Produc.GIF"));
    EXPECT_EQ(n.html, QStringLiteral("Products.HTM"));
    EXPECT_EQ(CaptionFilenames("A much longer caption", s, 1).html, QStringLiteral("A_much_l.HTM"));

    s.prefix1 = "ABCDEFGHIJ";
    SetCaptions(s, {"Home", "Contacts", "Products", "Services", "Support", "Search", "Links", "a", "b", "c",
                    "d", "e"});
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 1), (QStringList{"ABCDEFGH.GIF", "ABCDEFG1.GIF", "ABCDEFG2.GIF", "ABCDEFG3.GIF",
                                         "ABCDEFG4.GIF", "ABCDEFG5.GIF", "ABCDEFG6.GIF", "ABCDEFG7.GIF",
                                         "ABCDEFG8.GIF", "ABCDEFG9.GIF", "ABCDEF10.GIF", "ABCDEF11.GIF"}));
    EXPECT_EQ(s.captions.Cell(1, 2), QStringLiteral("D_Home.GIF"));
}

TEST(CaptionNaming, RepeatedCaptionsAreNumberedAgainstTheRowsAbove) {
    AppSettings s = Defaults();
    s.filenameStyle = 0;
    s.enforce83 = true;
    QStringList captions;
    for (int i = 0; i < 12; ++i) {
        captions.append("Support");
    }
    SetCaptions(s, captions);
    RecalculateFilenames(s);
    const QStringList names = Column(s, 1);
    EXPECT_EQ(names[0], QStringLiteral("U_Suppor.GIF"));
    EXPECT_EQ(names[1], QStringLiteral("U_Suppo1.GIF"));
    EXPECT_EQ(names[9], QStringLiteral("U_Suppo9.GIF"));
    EXPECT_EQ(names[10], QStringLiteral("U_Supp10.GIF"));
    EXPECT_EQ(names[11], QStringLiteral("U_Supp11.GIF"));
    EXPECT_EQ(Column(s, 3)[2], QStringLiteral("Suppor2.HTM"));

    // Captions that differ only in case do not clash by the exact comparison.
    s.enforce83 = false;
    SetCaptions(s, {"Home", "home", "Home"});
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 1), (QStringList{"U_Home.GIF", "U_home.GIF", "U_Hom1.GIF"}));
    EXPECT_EQ(Column(s, 3), (QStringList{"Home.HTM", "home.HTM", "Hom1.HTM"}));
}

TEST(CaptionNaming, EqualPrefixesAndDisabledTypeTwo) {
    AppSettings s = Defaults();
    s.prefix2 = "U_";
    SetCaptions(s, {"Home", "Home"});
    s.captions.SetCell(2, CaptionGrid::kLinkColumn, "#second");
    RecalculateFilenames(s);
    // A row's own names are never compared with each other; its link is no name, and stays.
    EXPECT_EQ(s.captions.RowAt(1), (CaptionGrid::Row{"Home", "u_home.gif", "u_home.gif", "home.htm", ""}));
    EXPECT_EQ(s.captions.RowAt(2),
              (CaptionGrid::Row{"Home", "u_hom1.gif", "u_hom1.gif", "hom1.htm", "#second"}));

    s.secondbuttonEnabled = false;
    SetCaptions(s, {"Home", "Home", "Links"});
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 2), QStringList(3, "<Type 2 buttons are disabled>"));
    EXPECT_EQ(Column(s, 1), (QStringList{"u_home.gif", "u_hom1.gif", "u_links.gif"}));
    EXPECT_TRUE(FilenameIsUnique(s.captions, "<Type 2 buttons are disabled>", false));
    EXPECT_FALSE(FilenameIsUnique(s.captions, "<Type 2 buttons are disabled>", true));
    EXPECT_FALSE(FilenameIsUnique(s.captions, "hom1.htm", false));
    EXPECT_TRUE(FilenameIsUnique(s.captions, "Hom1.htm", false));
}

TEST(CaptionNaming, BlankAndSpaceOnlyCaptions) {
    AppSettings s = Defaults();
    SetCaptions(s, {"Home", "", "   ", "Links"});
    s.captions.SetCell(2, 1, "stale.gif");
    RecalculateFilenames(s);
    EXPECT_EQ(s.captions.RowAt(2), (CaptionGrid::Row{"", "", "", ""}));
    EXPECT_EQ(s.captions.RowAt(3), (CaptionGrid::Row{"   ", "u____.gif", "d____.gif", "___.htm"}));
    EXPECT_EQ(s.captions.Cell(4, 1), QStringLiteral("u_links.gif"));
}

TEST(CaptionNaming, NumberingKeepsTheNameLength) {
    EXPECT_EQ(NumberedFilename("U_Suppor.GIF", 1), QStringLiteral("U_Suppo1.GIF"));
    EXPECT_EQ(NumberedFilename("U_Suppo9.GIF", 10), QStringLiteral("U_Supp10.GIF"));
    EXPECT_EQ(NumberedFilename("a.b.c", 3), QStringLiteral("3.b.c"));
    EXPECT_EQ(NumberedFilename(".HTM", 12), QStringLiteral("12.HTM"));
    EXPECT_EQ(NumberedFilename("noext", 2), QStringLiteral("noex2"));
}

TEST(CaptionNaming, NamesThatWouldStartWithTheirFullStopTakeCaptionAndTheRowNumber) {
    AppSettings s = Defaults();
    // The caption ".." gave the hidden page ".htm".
    SetCaptions(s, {"Home", "..", "Links", "..", "caption2"});
    RecalculateFilenames(s);
    EXPECT_EQ(s.captions.RowAt(2), (CaptionGrid::Row{"..", "u_.gif", "d_.gif", "caption2.htm"}));
    // The row number is the caption's own row; a clash with a name above is numbered as usual.
    EXPECT_EQ(s.captions.Cell(4, 3), QStringLiteral("caption4.htm"));
    EXPECT_EQ(s.captions.Cell(4, 1), QStringLiteral("u1.gif"));
    EXPECT_EQ(s.captions.Cell(5, 3), QStringLiteral("caption1.htm"));

    // Without prefixes the button names too; the case style and the 8.3 cut apply to the new base.
    s.prefix1.clear();
    s.prefix2 = "$";  // filters down to nothing as well
    s.filenameStyle = 1;
    FileNames n = CaptionFilenames("...", s, 3);
    EXPECT_EQ(n.button1, QStringLiteral("CAPTION3.GIF"));
    EXPECT_EQ(n.button2, QStringLiteral("CAPTION3.GIF"));
    EXPECT_EQ(n.html, QStringLiteral("CAPTION3.HTM"));
    s.enforce83 = true;
    s.filenameStyle = 0;
    n = CaptionFilenames("..", s, 12);
    EXPECT_EQ(n.button1, QStringLiteral("caption1.GIF"));
    EXPECT_EQ(n.html, QStringLiteral("caption1.HTM"));
    EXPECT_EQ(CaptionFilenames("..", s, 9).html, QStringLiteral("caption9.HTM"));
    SetCaptions(s, {"x", "", "", "", "", "", "", "", "", "", "", "..", ".."});
    RecalculateFilenames(s);
    EXPECT_EQ(s.captions.RowAt(12), (CaptionGrid::Row{"..", "caption1.GIF", "caption1.GIF", "caption1.HTM"}));
    EXPECT_EQ(s.captions.RowAt(13), (CaptionGrid::Row{"..", "caption2.GIF", "caption2.GIF", "caption2.HTM"}));
}

TEST(CaptionNaming, PlainFileNames) {
    for (const QString name : {"u_home.gif", "a", "...", ".hidden", "with space.htm", "C:temp.htm",
                               "\u00e9t\u00e9.gif", "<Type 2 buttons are disabled>"}) {
        EXPECT_TRUE(IsPlainFileName(name)) << name.toStdString();
    }
    for (const QString name : {"", ".", "..", "../x.gif", "a/b.gif", "/x.gif", "..\\x.htm", "a\\b",
                               "x\ty.gif", "x\ry.gif", "x\x7fy", "x\u0085y"}) {
        EXPECT_FALSE(IsPlainFileName(name)) << name.toStdString();
    }
    EXPECT_FALSE(IsPlainFileName(QString("a") + QChar(0) + "b.gif"));
}

TEST(CaptionNaming, NamesThatAreNotPlainAreReplacedByNumberedDefaults) {
    AppSettings s = Defaults();
    SetCaptions(s, {"Home", "Links", "Home", "News", "Blank names", "   "});
    RecalculateFilenames(s);
    s.captions.SetCell(1, 1, "../../x.gif");
    s.captions.SetCell(1, 3, "../../x.htm");
    s.captions.SetCell(2, 2, "sub/d_links.gif");
    s.captions.SetCell(3, 1, "..");  // its default u_home.gif is row 1's, which is being replaced too
    s.captions.SetCell(4, 3, QString("news") + QChar(0) + ".htm");
    s.captions.SetCell(5, 1, "");  // blank: left for the batch to fill, no warning
    s.captions.SetCell(5, 3, "  ");
    s.captions.SetCell(6, 1, "/etc/x");  // no caption: never used, not counted
    EXPECT_EQ(RowsWithUnusableNames(s), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(UnusableNamesWarning(s), QStringLiteral("the file names in caption list rows 1, 2, 3 and 4 are "
                                                      "not plain file names; saving uses default names."));
    ReplaceUnusableNames(s);
    // Each such cell takes its caption's default name; the other cells of the row stay.
    EXPECT_EQ(s.captions.RowAt(1), (CaptionGrid::Row{"Home", "u_home.gif", "d_home.gif", "home.htm"}));
    EXPECT_EQ(s.captions.RowAt(2), (CaptionGrid::Row{"Links", "u_links.gif", "d_links.gif", "links.htm"}));
    // Row 3's default type 1 name is row 1's new one: it is numbered, as the list numbers clashes.
    EXPECT_EQ(s.captions.RowAt(3), (CaptionGrid::Row{"Home", "u_hom1.gif", "d_hom1.gif", "hom1.htm"}));
    EXPECT_EQ(s.captions.Cell(4, 3), QStringLiteral("news.htm"));
    EXPECT_EQ(s.captions.RowAt(5), (CaptionGrid::Row{"Blank names", "", "d_blank_names.gif", "  "}));
    EXPECT_EQ(s.captions.Cell(6, 1), QStringLiteral("/etc/x"));
    EXPECT_TRUE(RowsWithUnusableNames(s).isEmpty());
    EXPECT_EQ(UnusableNamesWarning(s), QString());

    // Type 2 names count only while type 2 is enabled; a test page name that is not plain is
    // warned about and becomes the default one.
    s.secondbuttonEnabled = false;
    s.captions.SetCell(2, 2, "../marker");
    s.htmlMainFilename = "../index.htm";
    EXPECT_TRUE(RowsWithUnusableNames(s).isEmpty());
    EXPECT_EQ(
        UnusableNamesWarning(s),
        QStringLiteral(
            "the test page name \"../index.htm\" is not a plain file name; saving uses default names."));
    ReplaceUnusableNames(s);
    EXPECT_EQ(s.htmlMainFilename, QStringLiteral("index.htm"));
    EXPECT_EQ(s.captions.Cell(2, 2), QStringLiteral("../marker"));

    // A single row, and a long list, are named as such.
    s.captions.SetCell(2, 1, "a/b");
    EXPECT_TRUE(UnusableNamesWarning(s).startsWith("the file names in caption list row 2 are not"));
    SetCaptions(s, QStringList(14, "x"));
    for (int r = 1; r <= 14; ++r) {
        s.captions.SetCell(r, 1, "a/b");
    }
    EXPECT_TRUE(UnusableNamesWarning(s).startsWith(
        "the file names in caption list rows 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 4 more are not"));
}

TEST(CaptionNaming, TwiceSizeNamesTakeTheirMarkBeforeTheLastFullStopInEveryCaseStyle) {
    EXPECT_EQ(ScaledFilename("U_HOME.GIF"), QStringLiteral("U_HOME@2x.GIF"));
    EXPECT_EQ(ScaledFilename("u_home.gif"), QStringLiteral("u_home@2x.gif"));
    EXPECT_EQ(ScaledFilename("U_Home.GIF"), QStringLiteral("U_Home@2x.GIF"));
    EXPECT_EQ(ScaledFilename("my.site.png"), QStringLiteral("my.site@2x.png"));
    EXPECT_EQ(ScaledFilename("button"), QStringLiteral("button@2x"));
    EXPECT_EQ(ScaledFilename("button."), QStringLiteral("button@2x."));
    EXPECT_EQ(ScaledFilename(""), QStringLiteral("@2x"));

    // Written only without 8.3 names.
    AppSettings s = Defaults();
    EXPECT_FALSE(WritesScaledImages(s));
    s.scale2x = true;
    EXPECT_TRUE(WritesScaledImages(s));
    s.enforce83 = true;
    EXPECT_FALSE(WritesScaledImages(s));
}

TEST(CaptionNaming, NoNameOfTheListIsTheTwiceSizeNameOfAnotherRowsImageInEitherDirection) {
    AppSettings s = Defaults();
    s.filenameStyle = 2;  // lower case: the caption "Home@2x" names u_home@2x.gif
    // Upwards: row 2's image would be row 1's "@2x" image. Downwards: row 4's "@2x" image would be
    // the image of row 3.
    SetCaptions(s, {"Home", "Home@2x", "News@2x", "News"});
    s.scale2x = true;
    RecalculateFilenames(s);
    const QStringList type1 = Column(s, 1);
    const QStringList type2 = Column(s, 2);
    EXPECT_EQ(type1, (QStringList{"u_home.gif", "u_home@21.gif", "u_news@2x.gif", "u_new1.gif"}));
    EXPECT_EQ(type2, (QStringList{"d_home.gif", "d_home@21.gif", "d_news@2x.gif", "d_new1.gif"}));
    // Every written image's "@2x" name is free of every name in the list.
    QStringList all = type1 + type2 + Column(s, 3);
    for (const QString& image : type1 + type2) {
        EXPECT_EQ(all.count(ScaledFilename(image)), 0) << image.toStdString();
    }
    // Without 2× images the same list keeps its plain names.
    s.enforce83 = false;
    s.scale2x = false;
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 1), (QStringList{"u_home.gif", "u_home@2x.gif", "u_news@2x.gif", "u_news.gif"}));
}

namespace {

// The names as the numbering rule states it, computed the slow way: every row against the grid's
// rows above, each attempt on the one before, counting from 1 for every name.
QList<QStringList> StatedNames(AppSettings s) {
    CaptionGrid& grid = s.captions;
    for (int r = 1; r < grid.RowCount(); ++r) {
        for (int c = 1; c <= CaptionGrid::kHtmlColumn; ++c) {
            grid.SetCell(r, c, QString());
        }
    }
    const bool scaled = WritesScaledImages(s);
    const auto unique = [&](const QString& name, bool image) {
        if (!FilenameIsUnique(grid, name, s.secondbuttonEnabled)) {
            return false;
        }
        for (int r = 1; r < grid.RowCount() && scaled; ++r) {
            if (image && grid.Cell(r, CaptionGrid::kHtmlColumn) == ScaledFilename(name)) {
                return false;
            }
            for (const int c : {CaptionGrid::kType1Column, CaptionGrid::kType2Column}) {
                const QString cell = grid.Cell(r, c);
                if (cell.isEmpty() || (c == CaptionGrid::kType2Column && !s.secondbuttonEnabled)) {
                    continue;
                }
                if (ScaledFilename(cell) == name || (image && cell == ScaledFilename(name))) {
                    return false;
                }
            }
        }
        return true;
    };
    for (int r = 1; r < grid.RowCount(); ++r) {
        const QString caption = grid.Cell(r, 0);
        if (caption.isEmpty()) {
            continue;
        }
        const FileNames defaults = CaptionFilenames(caption, s, r);
        QString names[3] = {defaults.button1, defaults.button2, defaults.html};
        const bool image[3] = {true, s.secondbuttonEnabled, false};
        for (int i = 0; i < 3; ++i) {
            for (int n = 1; !unique(names[i], image[i]); ++n) {
                names[i] = NumberedFilename(names[i], n);
            }
        }
        for (int i = 0; i < 3; ++i) {
            grid.SetCell(r, i + 1, names[i]);
        }
    }
    return {Column(s, 1), Column(s, 2), Column(s, 3)};
}

}  // namespace

TEST(CaptionNaming, RepeatedCaptionsGoOnFromTheLastNumberAndGiveTheNamesOfTheRule) {
    // Many copies of a few captions, mixed with captions that are themselves numbered names, short
    // names whose base is shorter than the number, and names past 9, 99 and 999.
    QStringList captions;
    for (int i = 0; i < 240; ++i) {
        captions.append(i % 2 == 0   ? QStringLiteral("Home")
                        : i % 4 == 1 ? QStringLiteral("A")
                                     : QStringLiteral("."));
        if (i % 23 == 0) {
            captions.append(QStringLiteral("Hom%1").arg(i % 10));
            captions.append(QStringLiteral("Home@2x"));
            captions.append(QString());
        }
    }
    for (const bool enforce83 : {false, true}) {
        for (const bool scale2x : {false, true}) {
            for (const bool second : {true, false}) {
                AppSettings s = Defaults();
                s.enforce83 = enforce83;
                s.scale2x = scale2x;
                s.secondbuttonEnabled = second;
                s.filenameStyle = 0;
                SetCaptions(s, captions);
                const QList<QStringList> stated = StatedNames(s);
                RecalculateFilenames(s);
                EXPECT_EQ(Column(s, 1), stated[0]) << enforce83 << scale2x << second;
                EXPECT_EQ(Column(s, 2), stated[1]) << enforce83 << scale2x << second;
                EXPECT_EQ(Column(s, 3), stated[2]) << enforce83 << scale2x << second;
            }
        }
    }
    // The numbering past the first number of each length, on the short default names.
    AppSettings s = Defaults();
    SetCaptions(s, QStringList(1001, QStringLiteral("Home")));
    RecalculateFilenames(s);
    EXPECT_EQ(s.captions.Cell(1, 1), QStringLiteral("u_home.gif"));
    EXPECT_EQ(s.captions.Cell(2, 1), QStringLiteral("u_hom1.gif"));
    EXPECT_EQ(s.captions.Cell(11, 1), QStringLiteral("u_ho10.gif"));
    EXPECT_EQ(s.captions.Cell(101, 1), QStringLiteral("u_h100.gif"));
    EXPECT_EQ(s.captions.Cell(1001, 1), QStringLiteral("u_1000.gif"));
    EXPECT_EQ(s.captions.Cell(1001, 3), QStringLiteral("1000.htm"));
}

TEST(CaptionNaming, LatinFileNamesWriteCaptionsOfAnyScriptInLatinLettersBeforeTheRules) {
    AppSettings s = Defaults();
    const QStringList captions = {"Home",
                                  "\u00dcber uns",
                                  "\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b",
                                  "\u88fd\u54c1",
                                  "\u0645\u0631\u062d\u0628\u0627",
                                  "Caf\u00e9 & Bar"};
    SetCaptions(s, captions);
    // Off (the default): the names as the rules always gave them, the Cyrillic and CJK captions
    // filtered down to their prefixes and the page to "caption" and the row number.
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 1),
              (QStringList{"u_home.gif", "u_ber_uns.gif", "u_.gif", "u1.gif", "u2.gif", "u_caf_&_bar.gif"}));
    EXPECT_EQ(Column(s, 3), (QStringList{"home.htm", "ber_uns.htm", "caption3.htm", "caption4.htm",
                                         "caption5.htm", "caf_&_bar.htm"}));

    s.latinNames = true;
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 1), (QStringList{"u_home.gif", "u_uber_uns.gif", "u_kontakty.gif", "u_zhi_pin.gif",
                                         "u_mrhba.gif", "u_cafe_&_bar.gif"}));
    EXPECT_EQ(Column(s, 2).at(2), QStringLiteral("d_kontakty.gif"));
    EXPECT_EQ(Column(s, 3), (QStringList{"home.htm", "uber_uns.htm", "kontakty.htm", "zhi_pin.htm",
                                         "mrhba.htm", "cafe_&_bar.htm"}));
    // Then the rules as for any caption: mixed case, 8.3 names, and numbering of captions that
    // become the same letters ("Über" and "Uber"); the grid's captions stay as typed.
    s.filenameStyle = 0;
    s.enforce83 = true;
    SetCaptions(s, {"\u00dcber", "Uber", "\u041c\u043e\u0441\u043a\u0432\u0430 2026"});
    RecalculateFilenames(s);
    EXPECT_EQ(Column(s, 1), (QStringList{"U_Uber.GIF", "U_Ube1.GIF", "U_Moskva.GIF"}));
    EXPECT_EQ(Column(s, 3), (QStringList{"Uber.HTM", "Ube1.HTM", "Moskva_2.HTM"}));
    EXPECT_EQ(Column(s, 0).at(0), QStringLiteral("\u00dcber"));
    // The prefixes are not transliterated: they are the user's own names.
    s.enforce83 = false;
    s.prefix1 = "\u00c4_";
    EXPECT_EQ(CaptionFilenames("\u00c4pfel", s, 1).button1, QStringLiteral("_Apfel.GIF"));
}

TEST(CaptionNaming, PressedNamesTakeTheirPrefixByTheRulesOfTheImageNames) {
    AppSettings s = Defaults();
    EXPECT_EQ(s.prefixPressed, QStringLiteral("P_"));
    // Lower case (the default), mixed and upper case, each file type's extension.
    EXPECT_EQ(PressedFilename("Home page", s, 1), QStringLiteral("p_home_page.gif"));
    s.filenameStyle = 0;
    EXPECT_EQ(PressedFilename("Home page", s, 1), QStringLiteral("P_Home_page.GIF"));
    s.filenameStyle = 1;
    s.fileType = settings::kFileTypeWebp;
    EXPECT_EQ(PressedFilename("Home page", s, 1), QStringLiteral("P_HOME_PAGE.WEBP"));
    // The prefix is filtered as the others are, cut with the caption to 36 characters or to 8.3.
    s.filenameStyle = 0;
    s.fileType = settings::kFileTypePng;
    s.prefixPressed = "down *";
    EXPECT_EQ(PressedFilename("Home", s, 1), QStringLiteral("down_Home.PNG"));
    s.prefixPressed = QString(40, 'q');
    EXPECT_EQ(PressedFilename("Home", s, 1), QString(36, 'q') + ".PNG");
    s.prefixPressed = "P_";
    s.enforce83 = true;
    EXPECT_EQ(PressedFilename("Products", s, 1), QStringLiteral("P_Produc.PNG"));
    // An empty prefix gives the caption alone; nothing at all gives "caption" and the row.
    s.prefixPressed.clear();
    EXPECT_EQ(PressedFilename("Products", s, 1), QStringLiteral("Products.PNG"));
    EXPECT_EQ(PressedFilename("$$$", s, 4), QStringLiteral("caption4.PNG"));
    // Latin file names reach the pressed name too.
    s.prefixPressed = "P_";
    s.enforce83 = false;
    s.latinNames = true;
    EXPECT_EQ(PressedFilename("\u00dcber uns", s, 1), QStringLiteral("P_Uber_uns.PNG"));
    // With type 2 disabled the pressed image is still named (it is then type 1's face pressed).
    s.secondbuttonEnabled = false;
    EXPECT_EQ(PressedFilename("Home", s, 1), QStringLiteral("P_Home.PNG"));
}

TEST(CaptionNaming, PressedNamesOfTheListAreNumberedAmongThemselvesInRowOrder) {
    AppSettings s = Defaults();
    SetCaptions(s, {"Home", "", "Home", "Contacts", "Home"});
    RecalculateFilenames(s);
    const QStringList pressed = PressedFilenames(s);
    // Indexed by grid row: the header row and the blank row have none.
    EXPECT_EQ(pressed, (QStringList{"", "p_home.gif", "", "p_hom1.gif", "p_contacts.gif", "p_hom2.gif"}));
    // 8.3 names keep their length as the others do.
    s.enforce83 = true;
    SetCaptions(s, {"Products", "Products"});
    EXPECT_EQ(PressedFilenames(s), (QStringList{"", "p_produc.gif", "p_produ1.gif"}));
}
