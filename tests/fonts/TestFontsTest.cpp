#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QProcess>
#include <QRawFont>
#include <QTextLayout>

// The tests' font configuration decides every checksum, window size and text metric the suite
// expects: these tests show that it is the one in force, that it holds exactly the fonts it lists
// whatever the machine has installed, and that the programs a test starts see the same fonts.

namespace {

const QStringList kTestFamilies = {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans Mono"),
                                   QStringLiteral("DejaVu Serif"), QStringLiteral("Droid Sans Fallback")};
// Qt's names for the generic families, which it lists beside the fonts.
const QStringList kGenericFamilies = {QStringLiteral("Monospace"), QStringLiteral("Sans Serif"),
                                      QStringLiteral("Serif")};

// The family of the font that draws the first glyph of `text` asked for in `family`.
QString DrawingFamily(const QString& family, const QString& text) {
    QTextLayout layout(text, QFont(family));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
}

}  // namespace

TEST(TestFonts, TheTestsSeeExactlyTheFontsOfTheirOwnConfiguration) {
    EXPECT_EQ(qEnvironmentVariable("FONTCONFIG_FILE"), QStringLiteral(PLUMERIC_TEST_FONTCONFIG));
    EXPECT_EQ(QFontDatabase::families(), kTestFamilies + kGenericFamilies);
    // Upright, bold and their oblique faces: no Light or Condensed faces of the machine.
    const QStringList oblique = {QStringLiteral("Bold"), QStringLiteral("Bold Oblique"),
                                 QStringLiteral("Book"), QStringLiteral("Oblique")};
    const QStringList italic = {QStringLiteral("Bold"), QStringLiteral("Bold Italic"), QStringLiteral("Book"),
                                QStringLiteral("Italic")};
    for (const QString& family : kTestFamilies.mid(0, 3)) {
        QStringList styles = QFontDatabase::styles(family);
        styles.sort();
        EXPECT_EQ(styles, family == QStringLiteral("DejaVu Serif") ? italic : oblique)
            << family.toStdString();
    }
}

TEST(TestFonts, FamiliesAndScriptsResolveToTheConfiguredFonts) {
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("No Such Family"))).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("DejaVu Sans"), QStringLiteral("Home")),
              QStringLiteral("DejaVu Sans"));
    // CJK captions fall back to the one CJK font of the configuration, never to one of the machine's.
    EXPECT_EQ(DrawingFamily(QStringLiteral("DejaVu Sans"), QString::fromUtf8("中文")),
              QStringLiteral("Droid Sans Fallback"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("DejaVu Serif"), QString::fromUtf8("製品")),
              QStringLiteral("Droid Sans Fallback"));
}

TEST(TestFonts, AProgramATestStartsSeesTheSameFonts) {
    QProcess list;
    list.start(QStringLiteral("fc-list"), {QStringLiteral("--format=%{file}\\n")});
    ASSERT_TRUE(list.waitForFinished(30000)) << "fc-list (package fontconfig) could not be run";
    ASSERT_EQ(list.exitCode(), 0);
    QStringList files = QString::fromUtf8(list.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    files.sort();
    const QString folder = QDir(QStringLiteral(PLUMERIC_TEST_FONT_DIR)).canonicalPath();
    QStringList names;
    for (const QString& file : files) {
        EXPECT_EQ(QFileInfo(file).canonicalPath(), folder) << file.toStdString();
        names << QFileInfo(file).fileName();
    }
    EXPECT_EQ(names,
              (QStringList{
                  QStringLiteral("DejaVuSans-Bold.ttf"), QStringLiteral("DejaVuSans-BoldOblique.ttf"),
                  QStringLiteral("DejaVuSans-Oblique.ttf"), QStringLiteral("DejaVuSans.ttf"),
                  QStringLiteral("DejaVuSansMono-Bold.ttf"), QStringLiteral("DejaVuSansMono-BoldOblique.ttf"),
                  QStringLiteral("DejaVuSansMono-Oblique.ttf"), QStringLiteral("DejaVuSansMono.ttf"),
                  QStringLiteral("DejaVuSerif-Bold.ttf"), QStringLiteral("DejaVuSerif-BoldItalic.ttf"),
                  QStringLiteral("DejaVuSerif-Italic.ttf"), QStringLiteral("DejaVuSerif.ttf"),
                  QStringLiteral("DroidSansFallbackFull.ttf")}));
}
