#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include "SmallFileSystem.h"
#include "TestSupport.h"
#include "app/ButtonsPage.h"
#include "app/FilePage.h"
#include "app/Form1.h"
#include "app/ShapeFillPage.h"
#include "cli/BatchRunner.h"
#include "encode/BmpWriter.h"
#include "output/CaptionLinks.h"
#include "output/CaptionNaming.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "project/ProjectFile.h"
#include "render/LumoButton.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsLists.h"
#include "widgets/IntegerEdit.h"

using cli::BatchOptions;

namespace {

const QDateTime kReportTime(QDate(2026, 3, 4), QTime(5, 6, 7));

// Every file under a folder, by its path inside the folder.
QMap<QString, QByteArray> FilesIn(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = testsupport::ReadAll(path);
    }
    return files;
}

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// The tool as if its executable were in `executableFolder`.
Outcome RunTool(const BatchOptions& options, const QString& executableFolder) {
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    cli::TBatchRunner runner(options, out, err, platform::LocateFolders(executableFolder));
    runner.Clock = [] { return kReportTime; };
    outcome.status = runner.Run();
    out.flush();
    err.flush();
    return outcome;
}

// A shown window with scripted boxes, and a settings file saved from it: the same settings reach the
// window's batch and the tool.
class WindowAndTool : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<app::TForm1>(dialogs, shell, dir.path() + "/");
        form->show();
        form->Timer1->stop();
        form->Report().Clock = [] { return kReportTime; };
    }
    settings::AppSettings& S() { return form->Settings(); }
    QString Path(const QString& name) const { return dir.path() + "/" + name; }

    // Settings that differ from the defaults wherever a file can show it: a bitmap background and a
    // typed font size on type 1, a bevelled colour face with an effect and fixed offsets on type 2.
    void UnusualSettings() {
        settings::AppSettings& s = S();
        QImage background(90, 40, QImage::Format_RGB32);
        for (int y = 0; y < background.height(); ++y) {
            for (int x = 0; x < background.width(); ++x) {
                background.setPixel(x, y, qRgb(250 - x, 3 * y, 255 - 2 * y));
            }
        }
        encode::SaveBmpFile(background, Path("bg.bmp"));
        settings::ButtonStyle& one = s.button[settings::kType1];
        one.backgroundMode = 0;
        one.bitmapFile = Path("bg.bmp");
        one.SetFontSizeText(QStringLiteral("17"));
        one.bold = true;
        one.captionColour = QStringLiteral("0000FEFF");
        one.horizontalMode = 3;  // Right
        settings::ButtonStyle& two = s.button[settings::kType2];
        two.backgroundMode = 4;  // colour, smart sizing
        two.backgroundColour = QStringLiteral("00010203");
        two.borderStyle = 1;
        two.borderDepth = 5;
        two.italic = true;
        two.captionEffect = settings::CaptionEffect::Embossed;
        two.verticalMode = 2;
        two.verticalOffset = QStringLiteral("7");
        two.horizontalMode = 2;
        two.horizontalOffset = QStringLiteral("-3");
        s.prefix1 = QStringLiteral("nav_");
        s.htmlLayout = 1;
        s.htmlTitlePrefix = QStringLiteral("Shop");
        s.htmlBackgroundColour = QStringLiteral("00FF8000");
        const QStringList captions = {"Home", "Home", "About us & more", "Caf\u00e9",
                                      "A caption well over thirty characters"};
        s.captions.SetRowCount(static_cast<int>(captions.size()) + 1);
        for (int r = 1; r <= captions.size(); ++r) {
            s.captions.SetCell(r, 0, captions[r - 1]);
        }
        output::RecalculateFilenames(s);
    }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    std::unique_ptr<app::TForm1> form;
};

}  // namespace

TEST_F(WindowAndTool, PagesButtonsAndReportAreTheWindowsOwnBytes) {
    UnusualSettings();
    S().targetFolder = Path("site/img/");
    S().htmlTargetFolder = Path("site/");
    S().statusReports = true;
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("site"));  // a batch makes the last folder level only

    form->generatehtmlbuttonClick();
    ASSERT_TRUE(dialogs.History().isEmpty()) << dialogs.History().first().text.toStdString();
    const QMap<QString, QByteArray> window = FilesIn(Path("site"));
    const QByteArray windowReport = testsupport::ReadAll(form->DataFolder() + "Report.txt");
    // Two images and a page per caption.
    ASSERT_EQ(window.size(), 5 * 2 + 5) << QStringList(window.keys()).join(" ").toStdString();
    ASSERT_TRUE(QDir(dir.path()).rename("site", "site-window"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("site"));

    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.html = true;
    options.reportFile = Path("report.txt");
    const Outcome tool = RunTool(options, Path("elsewhere/"));
    EXPECT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
    EXPECT_EQ(tool.err, QString());
    const QMap<QString, QByteArray> written = FilesIn(Path("site"));
    EXPECT_EQ(written.keys(), window.keys());
    for (const QString& name : window.keys()) {
        EXPECT_TRUE(written[name] == window[name]) << name.toStdString();
    }
    EXPECT_EQ(testsupport::ReadAll(Path("report.txt")), windowReport);
    // Both types differ, so the test really saw both faces.
    EXPECT_NE(window["img/nav_home.gif"], window["img/d_home.gif"]);

    // One line per file (images, pages, report) in the order written, then the summary.
    const QStringList lines = tool.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], "written " + Path("site/img/nav_home.gif") + " (" +
                            QString::number(window["img/nav_home.gif"].size()) + " bytes)");
    EXPECT_TRUE(lines[15].startsWith("written " + Path("report.txt")));
    qint64 total = windowReport.size();
    for (const QByteArray& bytes : window) {
        total += bytes.size();
    }
    EXPECT_TRUE(lines[16].startsWith(QStringLiteral("16 files written (%1 bytes), 0 kept, in ").arg(total)))
        << lines[16].toStdString();
    // The settings file is read, never rewritten.
    EXPECT_FALSE(QFile::exists(Path("settings.dat.bad")));
}

TEST_F(WindowAndTool, ACaptionFileAndAnotherFileTypeGiveTheWindowsFiles) {
    UnusualSettings();
    S().secondbuttonEnabled = false;
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));  // GIF, the captions above

    // In the window: the captions typed, then BMP chosen (the names follow the type).
    const QStringList captions = {"Caf\u00e9", "Home", "Home", "  Spaced  "};
    S().captions.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 1; r <= captions.size(); ++r) {
        S().captions.SetCell(r, 0, captions[r - 1]);
        for (int c = 1; c < 4; ++c) {
            S().captions.SetCell(r, c, QString());
        }
    }
    S().fileType = settings::kFileTypeBmp;
    output::RecalculateFilenames(S());
    S().targetFolder = Path("window");
    form->SaveBatchButtonClick();
    const QMap<QString, QByteArray> window = FilesIn(Path("window"));
    ASSERT_EQ(window.size(), 4);  // type 2 is disabled
    EXPECT_TRUE(window.first().startsWith("BM"));

    // The same list as Windows-1252 with a blank line, and as UTF-8 with a byte order mark.
    ASSERT_TRUE(testsupport::WriteAll(Path("caps1252.txt"), "Caf\xe9\r\nHome\r\n\r\nHome\r\n  Spaced  \r\n"));
    ASSERT_TRUE(testsupport::WriteAll(Path("caps8.txt"),
                                      "\xEF\xBB\xBF"
                                      "Caf\xC3\xA9\nHome\nHome\n  Spaced  "));
    // And as UTF-16 with either byte order mark, as an editor saves "Unicode" text.
    const QString text = QStringLiteral("Caf\u00e9\r\nHome\r\n\r\nHome\r\n  Spaced  \r\n");
    QByteArray utf16le("\xFF\xFE", 2);
    QByteArray utf16be("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16le.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
        utf16be.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
    }
    ASSERT_TRUE(testsupport::WriteAll(Path("caps16le.txt"), utf16le));
    ASSERT_TRUE(testsupport::WriteAll(Path("caps16be.txt"), utf16be));
    for (const QString& list : {QStringLiteral("caps1252.txt"), QStringLiteral("caps8.txt"),
                                QStringLiteral("caps16le.txt"), QStringLiteral("caps16be.txt")}) {
        BatchOptions options;
        options.settingsFile = Path("settings.dat");
        options.captionsFile = Path(list);
        options.fileType = settings::kFileTypeBmp;
        options.outFolder = Path("tool-" + list);  // no trailing separator
        options.quiet = true;
        const Outcome tool = RunTool(options, dir.path() + "/");
        EXPECT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
        EXPECT_EQ(tool.out, QString());  // quiet: nothing but errors
        EXPECT_EQ(FilesIn(Path("tool-" + list)), window) << list.toStdString();
    }
}

TEST_F(WindowAndTool, ExistingFilesAreOverwrittenUnlessKept) {
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));  // defaults: seven captions
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.outFolder = Path("out/");
    ASSERT_EQ(RunTool(options, dir.path() + "/").status, cli::kExitOk);
    const QMap<QString, QByteArray> first = FilesIn(Path("out"));
    ASSERT_EQ(first.size(), 14);
    ASSERT_TRUE(testsupport::WriteAll(Path("out/u_home.gif"), "old"));
    ASSERT_TRUE(testsupport::WriteAll(Path("out/d_links.gif"), "older"));

    options.keepExisting = true;
    const Outcome kept = RunTool(options, dir.path() + "/");
    EXPECT_EQ(kept.status, cli::kExitOk);
    EXPECT_EQ(testsupport::ReadAll(Path("out/u_home.gif")), QByteArray("old"));
    EXPECT_EQ(testsupport::ReadAll(Path("out/d_links.gif")), QByteArray("older"));
    const QStringList lines = kept.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], "kept    " + Path("out/u_home.gif") + " (3 bytes)");
    EXPECT_EQ(lines[13], "kept    " + Path("out/d_links.gif") + " (5 bytes)");
    EXPECT_TRUE(lines[14].startsWith("0 files written (0 bytes), 14 kept, in ")) << lines[14].toStdString();

    options.keepExisting = false;
    const Outcome replaced = RunTool(options, dir.path() + "/");
    EXPECT_EQ(replaced.status, cli::kExitOk);
    EXPECT_EQ(FilesIn(Path("out")), first);
    EXPECT_TRUE(replaced.out.contains("written " + Path("out/u_home.gif") + " ("));
}

// Every line on standard error starts with the tool's name, and no box of the window is printed.
static void ExpectToolLines(const QString& err) {
    for (const QString& line : err.split('\n', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.startsWith("kestro-batch: ")) << line.toStdString();
    }
    EXPECT_FALSE(err.contains("Batch Caption List"));
    EXPECT_FALSE(err.contains('\r'));
}

TEST_F(WindowAndTool, EachFailureIsOneLineThatNamesWhatItIsAbout) {
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));  // defaults: seven captions
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    const auto run = [&](const QString& expected) {
        const Outcome outcome = RunTool(options, dir.path() + "/");
        EXPECT_EQ(outcome.status, cli::kExitFailed) << expected.toStdString();
        EXPECT_EQ(outcome.err, "kestro-batch: " + expected + "\n");
        EXPECT_FALSE(outcome.out.contains("written ("));
        ExpectToolLines(outcome.err);
    };

    // A settings file that is missing, a folder, or cannot be processed (named with its line; the
    // file is left exactly as it is).
    options.settingsFile = Path("nothing.dat");
    run("cannot read the settings file \"" + Path("nothing.dat") + "\": No such file or directory");
    options.settingsFile = dir.path();
    run("cannot read the settings file \"" + dir.path() + "\": it is a folder");
    const QByteArray broken = "/* Target Folder */\r\n200," + Path("x/").toUtf8() + "\r\nabc,1\r\n";
    ASSERT_TRUE(testsupport::WriteAll(Path("broken.dat"), broken));
    options.settingsFile = Path("broken.dat");
    run("the settings file \"" + Path("broken.dat") +
        "\", line 3, could not be processed: 'abc' is not a valid integer value");
    EXPECT_EQ(testsupport::ReadAll(Path("broken.dat")), broken);
    EXPECT_FALSE(QFile::exists(Path("broken.dat.bad")));
    EXPECT_FALSE(QFile::exists(Path("x")));
    options.settingsFile = Path("settings.dat");

    // No captions, in the tool's words; a caption list that is missing, holds none, or holds NULs.
    S().captions.SetRowCount(2);
    S().captions.SetCell(1, 0, QStringLiteral("   "));
    // A blank caption is not saved; read, it leaves the list's first row as it was, so it is written
    // by hand.
    ASSERT_TRUE(
        testsupport::WriteAll(Path("nocaptions.dat"), project::SettingsFileBytes(S()) + "100,   \r\n"));
    options.settingsFile = Path("nocaptions.dat");
    run("no captions: the settings file has none and no --captions file was given");
    options.html = true;  // the pages refuse it the same way
    run("no captions: the settings file has none and no --captions file was given");
    options.html = false;
    options.settingsFile = Path("settings.dat");
    options.captionsFile = Path("none.txt");
    run("cannot read the caption list \"" + Path("none.txt") + "\": No such file or directory");
    ASSERT_TRUE(testsupport::WriteAll(Path("blank.txt"), " \r\n\t\r\n"));
    options.captionsFile = Path("blank.txt");
    run("no captions: the caption list \"" + Path("blank.txt") + "\" holds none");
    ASSERT_TRUE(testsupport::WriteAll(Path("nul.txt"), QByteArray("H\0o\0m\0e\0", 8)));
    options.captionsFile = Path("nul.txt");
    run("cannot use the caption list \"" + Path("nul.txt") +
        "\": it holds NUL bytes but does not start with a UTF-16 byte order mark");
    options.captionsFile.clear();

    // --out whose parent is a file; the settings file's folder, whose parent is missing (the
    // window's rule: only the last level is made).
    ASSERT_TRUE(testsupport::WriteAll(Path("plain"), "x"));
    options.outFolder = Path("plain/out");
    run("cannot make the button folder \"" + Path("plain/out/") + "\": Not a directory");
    options.outFolder.clear();
    S().captions.SetRowCount(2);
    S().captions.SetCell(1, 0, QStringLiteral("Home"));
    S().targetFolder = Path("missing/buttons/");
    ASSERT_TRUE(project::SaveSettings(Path("deep.dat"), S()));
    options.settingsFile = Path("deep.dat");
    run("cannot make the button folder \"" + Path("missing/buttons/") +
        "\" (only its last level is made when the settings file names it; --out makes them all); the batch "
        "stopped at caption 1 of 1");
    EXPECT_FALSE(QFile::exists(Path("missing")));
    options.settingsFile = Path("settings.dat");

    // An error that ends the batch: where it stopped, and the error's own words.
    testsupport::WriteAll(Path("not-a-picture.bmp"), "text");
    settings::ButtonStyle& two = S().button[settings::kType2];
    two.backgroundMode = 2;
    two.bitmapFile = Path("not-a-picture.bmp");
    S().captions.SetRowCount(3);
    S().captions.SetCell(2, 0, QStringLiteral("News"));
    output::RecalculateFilenames(S());
    ASSERT_TRUE(project::SaveSettings(Path("badbitmap.dat"), S()));
    options.settingsFile = Path("badbitmap.dat");
    options.outFolder = Path("bad");
    run("the batch stopped at caption 1 of 2: The bitmap file \"" + Path("not-a-picture.bmp") +
        "\" could not be read.");
    options.settingsFile = Path("settings.dat");

    // Pages: a button folder outside the HTML folder names both, and nothing is made or written.
    options.html = true;
    options.outFolder = Path("a/img");
    options.htmlFolder = Path("b");
    run("the button folder \"" + Path("a/img/") + "\" does not lie inside the HTML folder \"" + Path("b/") +
        "\": the pages name their images by a path inside their own folder, so nothing was written");
    EXPECT_FALSE(QFile::exists(Path("a")) || QFile::exists(Path("b")));
    // A page that cannot be written (a folder stands under its name): the page and the reason; the
    // other pages are written.
    options.outFolder = Path("site");
    options.htmlFolder.clear();
    ASSERT_TRUE(QDir().mkpath(Path("site/links.htm")));
    run("cannot write the page \"" + Path("site/links.htm") + "\": Is a directory");
    EXPECT_TRUE(QFile::exists(Path("site/home.htm")));
    options.html = false;

    // A report that cannot be written fails the run after the buttons.
    options.outFolder = Path("out");
    options.reportFile = Path("missing/report.txt");
    run("cannot write the report \"" + Path("missing/report.txt") + "\": No such file or directory");
    EXPECT_EQ(FilesIn(Path("out")).size(), 14);
}

TEST_F(WindowAndTool, WarningsNameTheFileAndTheLineAndTheRunGoesOn) {
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));
    QByteArray text = testsupport::ReadAll(Path("settings.dat"));
    // The type 2 height far outside its range.
    const qsizetype at = text.indexOf("\r\n13,");
    ASSERT_GT(at, 0);
    const int line = static_cast<int>(text.left(at).count('\n')) + 2;
    text.insert(text.indexOf("\r\n", at + 2), QByteArray("99999"));
    ASSERT_TRUE(testsupport::WriteAll(Path("settings.dat"), text));
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.outFolder = Path("out");
    Outcome run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitOk);
    EXPECT_EQ(run.err, QStringLiteral("kestro-batch: warning: the settings file \"%1\", line %2: the value "
                                      "3099999 is out of range; 2000 is used\n")
                           .arg(Path("settings.dat"))
                           .arg(line));
    EXPECT_EQ(FilesIn(Path("out")).size(), 14);

    // An empty or comment-only settings file runs on the defaults, but says so, and where the
    // buttons then go.
    for (const QByteArray& empty : {QByteArray(), QByteArray("/* Caption List */\r\n\r\n")}) {
        ASSERT_TRUE(testsupport::WriteAll(Path("empty.dat"), empty));
        options.settingsFile = Path("empty.dat");
        options.outFolder.clear();
        // Where the window never ran, the tool makes its data folder beside the executable.
        ASSERT_TRUE(QDir().mkpath(Path("data")));
        run = RunTool(options, Path("data/"));
        EXPECT_EQ(run.status, cli::kExitOk) << run.err.toStdString();
        EXPECT_TRUE(QFileInfo(Path("data/KSDATA/PROJECTS")).isDir());
        EXPECT_FALSE(QFileInfo::exists(Path("data/KSDATA/SAMPLES")));
        EXPECT_EQ(run.err, "kestro-batch: warning: the settings file \"" + Path("empty.dat") +
                               "\" holds no settings; the defaults are used, and the buttons go into \"" +
                               Path("data/KSDATA/BUTTONS/") + "\"\n");
        // The first default caption, which a settings file without a caption list leaves in place.
        EXPECT_EQ(FilesIn(Path("data/KSDATA/BUTTONS")).keys(), (QStringList{"d_home.gif", "u_home.gif"}));
        options.outFolder = Path("elsewhere");
        run = RunTool(options, Path("data/"));
        EXPECT_EQ(run.err, "kestro-batch: warning: the settings file \"" + Path("empty.dat") +
                               "\" holds no settings; the defaults are used\n");
        ASSERT_TRUE(QDir(Path("data")).removeRecursively());
    }
}

TEST_F(WindowAndTool, OutAndHtmlOutAreMadeWithEveryLevelAndThePagesLinkIntoTheButtonFolder) {
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));  // defaults: seven captions
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.outFolder = Path("web/site/img/btn");  // no trailing separator
    options.htmlFolder = Path("web/site");
    options.html = true;
    options.reportFile = Path("report.txt");
    Outcome run = RunTool(options, dir.path() + "/");
    ASSERT_EQ(run.status, cli::kExitOk) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    const QMap<QString, QByteArray> files = FilesIn(Path("web"));
    EXPECT_EQ(files.size(), 14 + 7);
    EXPECT_TRUE(files.contains("site/img/btn/u_home.gif"));
    const QByteArray page = files.value("site/home.htm");
    EXPECT_TRUE(page.contains("src=\"img/btn/u_home.gif\"")) << page.toStdString();
    EXPECT_TRUE(page.contains("and is located in folder \"" + Path("web/site/").toUtf8() + "\""));
    EXPECT_TRUE(testsupport::ReadAll(Path("report.txt")).contains("home.htm"));
    // "1 file written", and the same folder for both.
    S().captions.SetRowCount(2);
    S().captions.SetCell(1, 0, QStringLiteral("Home"));
    S().secondbuttonEnabled = false;
    ASSERT_TRUE(project::SaveSettings(Path("one.dat"), S()));
    options = BatchOptions();
    options.settingsFile = Path("one.dat");
    options.outFolder = Path("one/two/");
    run = RunTool(options, dir.path() + "/");
    ASSERT_EQ(run.status, cli::kExitOk) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1 file written (%1 bytes), 0 kept, in ")
                                        .arg(QFileInfo(Path("one/two/u_home.gif")).size())))
        << lines[1].toStdString();
    options.html = true;
    options.htmlFolder = Path("one/two");
    run = RunTool(options, dir.path() + "/");
    ASSERT_EQ(run.status, cli::kExitOk) << run.err.toStdString();
    EXPECT_TRUE(testsupport::ReadAll(Path("one/two/home.htm")).contains("src=\"u_home.gif\""));
}

TEST(ModeZero, TheSameSettingsGiveTheSameFilesWhateverTheWindowShowedBefore) {
    // A window that showed type 1 as a white face with a 3-pixel border (mode 4) and is then switched
    // to the bitmap's own size (mode 0), a window started afresh with the settings it saves, and
    // kestro-batch with the same settings file write the same bytes.
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return dir.path() + "/" + name; };
    QImage background(70, 30, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y) {
        for (int x = 0; x < background.width(); ++x) {
            background.setPixel(x, y, qRgb(40 + 2 * x, 90 + y, 200 - x));
        }
    }
    encode::SaveBmpFile(background, path("bg.bmp"));
    const auto prepare = [&](settings::AppSettings& s, const QString& out) {
        settings::ButtonStyle& one = s.button[settings::kType1];
        one.backgroundColour = QStringLiteral("00FFFFFF");
        one.borderStyle = 1;  // "3D Border"
        one.borderDepth = 3;
        one.captionEffect = settings::CaptionEffect::Embossed;  // its tones come from the button colour
        one.bitmapFile = path("bg.bmp");
        s.targetFolder = out;
        s.captions.SetRowCount(3);
        s.captions.SetCell(1, 0, QStringLiteral("Home"));
        s.captions.SetCell(2, 0, QStringLiteral("News"));
        output::RecalculateFilenames(s);
    };

    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    ASSERT_TRUE(QDir().mkpath(path("before")));
    {
        app::TForm1 before(dialogs, shell, path("before/"));
        before.show();
        before.Timer1->stop();
        prepare(before.Settings(), path("out-before/"));
        before.SettingsToControls();
        ASSERT_EQ(before.Settings().button[settings::kType1].backgroundMode, 4);
        before.RefreshPreview();
        ASSERT_EQ(before.image1->ButtonColor(), 0x00FFFFFFu);
        // The user picks mode 0 in the list.
        before.buttonsPage->type[settings::kType1].ModeComboBox->setCurrentIndex(0);
        before.buttonsPage->ModeComboBoxChange(settings::kType1);
        ASSERT_EQ(before.Settings().button[settings::kType1].backgroundMode, 0);
        before.SaveBatchButtonClick();
        ASSERT_TRUE(project::SaveSettings(path("settings.dat"), before.Settings()));
    }
    const QMap<QString, QByteArray> expected = FilesIn(path("out-before"));
    ASSERT_EQ(expected.size(), 4);
    ASSERT_TRUE(expected.contains("u_home.gif"));

    ASSERT_TRUE(QDir().mkpath(path("fresh/KSDATA/PROJECTS")));
    ASSERT_TRUE(QFile::copy(path("settings.dat"), path("fresh/KSDATA/PROJECTS/kestro.dat")));
    {
        app::TForm1 fresh(dialogs, shell, path("fresh/"));
        fresh.show();
        fresh.Timer1->stop();
        ASSERT_EQ(fresh.Settings().button[settings::kType1].backgroundMode, 0);
        fresh.Settings().targetFolder = path("out-fresh/");
        fresh.SaveBatchButtonClick();
    }
    EXPECT_TRUE(FilesIn(path("out-fresh")) == expected);

    BatchOptions options;
    options.settingsFile = path("settings.dat");
    options.outFolder = path("out-tool");
    const Outcome tool = RunTool(options, path("tool/"));
    EXPECT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
    EXPECT_TRUE(FilesIn(path("out-tool")) == expected);

    // The border is the white button colour's bevel, not black.
    const QImage face(path("out-tool/u_home.gif"));
    ASSERT_EQ(face.size(), QSize(70, 30));
    EXPECT_GT(qGray(face.pixel(0, 0)), 128);
    for (const platform::ScriptedDialogs::Shown& shown : dialogs.History()) {
        EXPECT_TRUE(shown.text.startsWith("All buttons have been saved")) << shown.text.toStdString();
    }
}

TEST_F(WindowAndTool, AFullOrReadOnlyButtonFolderIsNamedWithWhereTheBatchStopped) {
    ASSERT_TRUE(QDir().mkpath(Path("full")));
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));  // defaults: seven captions
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    {
        testsupport::SmallFileSystem fs(Path("full"), 8);
        if (!fs.Mounted()) {
            GTEST_SKIP() << fs.SkipReason();
        }
        fs.FillLeaving(0);
        // The folder takes its test file, but not the first image: the file and the system's reason.
        options.outFolder = Path("full");
        const Outcome run = RunTool(options, dir.path() + "/");
        EXPECT_EQ(run.status, cli::kExitFailed);
        EXPECT_EQ(run.err, "kestro-batch: the batch stopped at caption 1 of 7: Cannot write file \"" +
                               Path("full/u_home.gif") + "\": No space left on device\n");
    }
    // A folder that takes no file at all.
    ASSERT_TRUE(QDir().mkpath(Path("readonly")));
    const QByteArray readOnly = QFile::encodeName(Path("readonly"));
    ASSERT_EQ(::mount("tmpfs", readOnly.constData(), "tmpfs", MS_RDONLY, "size=4096"), 0)
        << std::strerror(errno);
    options.outFolder = Path("readonly");
    const Outcome run = RunTool(options, dir.path() + "/");
    ::umount2(readOnly.constData(), MNT_DETACH);
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_EQ(run.err, "kestro-batch: cannot write into the button folder \"" + Path("readonly/") +
                           "\"; the batch stopped at caption 1 of 7\n");
}

TEST_F(WindowAndTool, EmptyButtonsAndUnreadableBitmapsAreRefusedBeforeAnyFile) {
    const QString tail =
        "; a button needs at least 1 x 1 pixel. Change its width or height on the Buttons page.\r"
        "No buttons have been saved.";
    settings::ButtonStyle& one = S().button[settings::kType1];
    // Both refuse alike: the window with an error box, the tool with the same text and status 1.
    const auto refusedByBoth = [&](const QString& text) {
        dialogs.Clear();
        S().targetFolder = Path("window/");
        form->SaveBatchButton->click();
        EXPECT_EQ(dialogs.Messages(), QStringList{text});
        ASSERT_EQ(dialogs.History().size(), 1);
        EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
        EXPECT_FALSE(QFileInfo::exists(Path("window")));
        ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));
        BatchOptions options;
        options.settingsFile = Path("settings.dat");
        options.outFolder = Path("tool");
        options.html = true;
        const Outcome run = RunTool(options, dir.path() + "/");
        EXPECT_EQ(run.status, cli::kExitFailed);
        EXPECT_EQ(run.err, "kestro-batch: " + QString(text).replace("\r", "\nkestro-batch: ") + "\n");
        EXPECT_EQ(run.out, QString());
        EXPECT_TRUE(FilesIn(Path("tool")).isEmpty());
    };
    // A fixed width of 0 and a height of -30 wrote 0 x 0 files.
    one.backgroundMode = 1;
    one.width = "0";
    refusedByBoth("Type 1 buttons would be 0 x 30 pixels for \"Home\"" + tail);
    one.width = "100";
    one.height = "-30";
    refusedByBoth("Type 1 buttons would be 100 x 0 pixels for \"Home\"" + tail);
    // Smart sizing: the long caption first is wide enough, the narrow one at the end is not.
    one.height = "30";
    one.backgroundMode = 4;
    one.spacing = "-20";
    S().captions.SetRowCount(3);
    S().captions.SetCell(1, 0, "A caption well over thirty characters");
    S().captions.SetCell(2, 0, "I");
    output::RecalculateFilenames(S());
    refusedByBoth("Type 1 buttons would be 0 x 30 pixels for \"I\"" + tail);
    one.spacing = "5";

    // Mode 0 without its bitmap took the size of whatever was rendered before; a pipe hung the run.
    one.backgroundMode = 0;
    one.bitmapFile = Path("gone.bmp");
    refusedByBoth("The background bitmap of type 1 buttons, \"" + Path("gone.bmp") +
                  "\", cannot be read: No such file or directory.\rNo buttons have been saved.");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.bmp")).constData(), 0600), 0);
    one.bitmapFile = Path("pipe.bmp");
    refusedByBoth("The background bitmap of type 1 buttons, \"" + Path("pipe.bmp") +
                  "\", cannot be read: Not a regular file.\rNo buttons have been saved.");
    // The preview of a pipe gets the unreadable bitmap's message at once, in the status bar.
    form->Guarded([this] { form->Timer1Timer(); });
    EXPECT_EQ(form->StatusText(), "The bitmap file \"" + Path("pipe.bmp") + "\" could not be read.");
}

TEST_F(WindowAndTool, FileNamesThatWouldLeaveTheFoldersAreReplacedAndWarnedAbout) {
    // The caption list's stored names "101,../../x.gif" and "103,../../x.htm" wrote outside the
    // button and page folders.
    S().captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(S());
    S().captions.SetCell(1, 1, "../../x.gif");
    S().captions.SetCell(1, 3, "../../x.htm");
    S().captions.SetCell(2, 2, "/abs.gif");
    S().htmlGenerateAll = false;
    S().htmlMainFilename = "../index.htm";
    ASSERT_TRUE(project::SaveSettings(form->ProjectFile(), S()));
    ASSERT_TRUE(QFile::copy(form->ProjectFile(), Path("settings.dat")));
    const QString warning =
        "the file names in caption list rows 1 and 2 and the test page name \"../index.htm\" are not plain "
        "file names; saving uses default names.";

    // Two levels down, so that "../../x.gif" would still land inside the test's own folder.
    ASSERT_TRUE(QDir().mkpath(Path("a")));
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.outFolder = Path("a/site");
    options.html = true;
    const Outcome run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitOk) << run.err.toStdString();
    EXPECT_EQ(run.err,
              "kestro-batch: warning: the settings file \"" + Path("settings.dat") + "\": " + warning + "\n");
    EXPECT_EQ(QStringList(FilesIn(Path("a/site")).keys()),
              (QStringList{"d_contacts.gif", "d_home.gif", "index.htm", "u_contacts.gif", "u_home.gif"}));
    const QByteArray page = testsupport::ReadAll(Path("a/site/index.htm"));
    EXPECT_TRUE(page.contains("<a href=\"home.htm\"")) << page.toStdString();
    EXPECT_TRUE(page.contains("src=\"u_home.gif\""));

    // The window says it once, in the status bar, and saves into its folder only.
    dialogs.Clear();
    app::TForm1 other(dialogs, shell, dir.path() + "/");
    other.show();
    other.Timer1->stop();
    EXPECT_EQ(other.StatusText(), "T" + warning.mid(1));
    EXPECT_TRUE(dialogs.History().isEmpty());
    other.Settings().targetFolder = Path("a/window");
    other.generatehtmlbuttonClick();
    EXPECT_EQ(QStringList(FilesIn(Path("a/window")).keys()),
              (QStringList{"d_contacts.gif", "d_home.gif", "index.htm", "u_contacts.gif", "u_home.gif"}));
    EXPECT_EQ(other.Settings().captions.Cell(1, 1), QStringLiteral("u_home.gif"));
    for (const QString outside : {"x.gif", "x.htm", "a/index.htm", "a/x.gif", "a/x.htm"}) {
        EXPECT_FALSE(QFileInfo::exists(Path(outside))) << outside.toStdString();
    }
}

TEST_F(WindowAndTool, ANulInASettingsValueIsShownInTheMessage) {
    // The message ended at the NUL: "… could not be processed: '1".
    ASSERT_TRUE(testsupport::WriteAll(Path("nul.dat"), QByteArray("5,1\0x\r\n", 7)));
    BatchOptions options;
    options.settingsFile = Path("nul.dat");
    const Outcome run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_EQ(run.err, "kestro-batch: the settings file \"" + Path("nul.dat") +
                           "\", line 1, could not be processed: '1\\0x' is not a valid integer value\n");
}

TEST_F(WindowAndTool, ACaptionListWithAByteOrderMarkAndBytesThatAreNotUtf8) {
    // The mark is dropped and the rest, not being UTF-8, is read as Windows-1252.
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));
    ASSERT_TRUE(testsupport::WriteAll(Path("caps.txt"),
                                      "\xEF\xBB\xBF"
                                      "Caf\xE9\r\nHome\r\n"));
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.captionsFile = Path("caps.txt");
    options.outFolder = Path("out");
    options.reportFile = Path("report.txt");
    const Outcome run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitOk) << run.err.toStdString();
    EXPECT_EQ(QStringList(FilesIn(Path("out")).keys()),
              (QStringList{"d_caf.gif", "d_home.gif", "u_caf.gif", "u_home.gif"}));
    const QByteArray report = testsupport::ReadAll(Path("report.txt"));
    EXPECT_TRUE(report.contains("\r\nCaf\xE9                            u_caf.gif")) << report.toStdString();
}

TEST_F(WindowAndTool, SmoothAndThePageStyleFromTheCommandLineGiveTheWindowsFilesOfThoseChoices) {
    S().captions.SetRowCount(2);  // Home
    S().button[settings::kType1].SetFontSizeText(QStringLiteral("18"));
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));  // neither choice made
    S().smoothCaptions = true;
    S().pageStyle = settings::kPageStyleCss;
    S().targetFolder = Path("window/");
    form->generatehtmlbuttonClick();
    ASSERT_TRUE(dialogs.History().isEmpty()) << dialogs.History().first().text.toStdString();
    const QMap<QString, QByteArray> window = FilesIn(Path("window"));
    ASSERT_EQ(window.keys(), (QStringList{"d_home.gif", "home.htm", "u_home.gif"}));
    EXPECT_TRUE(window["home.htm"].startsWith("<!DOCTYPE html>\r\n"));

    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.outFolder = Path("tool");
    options.html = true;
    options.quiet = true;
    options.smooth = true;
    options.pageStyle = settings::kPageStyleCss;
    const Outcome tool = RunTool(options, dir.path() + "/");
    ASSERT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
    QMap<QString, QByteArray> written = FilesIn(Path("tool"));
    EXPECT_EQ(written["u_home.gif"], window["u_home.gif"]);
    EXPECT_EQ(written["d_home.gif"], window["d_home.gif"]);
    EXPECT_EQ(QString::fromUtf8(written["home.htm"]).replace(Path("tool/"), Path("window/")),
              QString::fromUtf8(window["home.htm"]));

    // Without --smooth the caption has hard edges: the GIF holds the face and caption colours alone.
    // The smooth edges are shades mapped to the web palette like every other pixel.
    options.smooth = false;
    options.outFolder = Path("hard");
    ASSERT_EQ(RunTool(options, dir.path() + "/").status, cli::kExitOk);
    const auto colours = [](const QString& path) {
        const QImage image(path);
        QSet<QRgb> set;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                set.insert(image.pixel(x, y));
            }
        }
        return set;
    };
    const QSet<QRgb> hard = colours(Path("hard/u_home.gif"));
    const QSet<QRgb> smooth = colours(Path("tool/u_home.gif"));
    EXPECT_LE(hard.size(), 4);  // face, caption and the border's two tones
    EXPECT_GT(smooth.size(), hard.size() + 1);
    for (const QRgb c : smooth) {
        EXPECT_TRUE(qRed(c) % 51 == 0 && qGreen(c) % 51 == 0 && qBlue(c) % 51 == 0) << std::hex << c;
    }
}

TEST(OlderSettings, AFileWithoutTheLaterChoicesGivesTheSameFilesAndPagesAsBefore) {
    // A settings file written before smooth captions, twice-size images and the script-free page
    // existed. The checksums are of the files kestro-batch wrote from it before those choices were
    // added (each page's folder written as "@DIR@/").
    const QByteArray settingsFile =
        "/* An older settings file: none of the later choices */\r\n1,4\r\n2,3\r\n3,1\r\n4,00C08040\r\n"
        "6,24\r\n22,12\r\n8,1\r\n9,2\r\n10,0\r\n11,00203040\r\n12,110\r\n13,26\r\n15,nav_\r\n16,over_\r\n"
        "24,0\r\n31,DejaVu Sans\r\n32,5\r\n33,Y\r\n40,DejaVu Serif\r\n41,7\r\n45,Y\r\n46,N\r\n47,N\r\n"
        "48,00FFFFFF\r\n49,0000FFFF\r\n80,1\r\n84,Caf\xc3\xa9 & co\r\n87,00F0E0D0\r\n88,00102030\r\n"
        "100,Home\r\n100,Fish & Chips\r\n100,Caf\xc3\xa9\r\n100,\xe4\xb8\xad\xe6\x96\x87 <b>\r\n";
    const QMap<QString, QByteArray> expected = {
        {"gif/Caf.HTM", "41e96404758da3d655623882a08af1c065e1cd6a7a8255fb0a603c0235f7a151"},
        {"gif/Fish_&_Chips.HTM", "40542dcbcd30bcdda8b8a1f5d8285a3dd6464c5137234ad9c02834f60b66c155"},
        {"gif/Home.HTM", "1d71f5427f6888f7940807538367e720e5cda337b6732d495a89c87f4fab013c"},
        {"gif/_<b>.HTM", "6665ced1d9fd7e6826c14346508b2fd57608501fea83b15eb9dba75c49f9d1ee"},
        {"gif/nav_Caf.GIF", "d57ba1d18549bab378bffba9d502faf61f637a8cb55aaea26c20afe5904df205"},
        {"gif/nav_Fish_&_Chips.GIF", "a3a2f17ed9e8783e95b745c9e53244b2d8a91ba4a729cf162530c4671a38a91a"},
        {"gif/nav_Home.GIF", "0267dfe09f0565143aee1931fe0eb142f0f811a91d4811f05cee18a599a2cd0b"},
        {"gif/nav__<b>.GIF", "3686c63e0173906cca2fa3535072f6cbf22b4f4cd1407dee0ff6297ceaec1cdf"},
        {"gif/over_Caf.GIF", "8a2cbb7ad23658937ebf198b93cb4e1b93eeaf4014d096feb28e65c8d1971241"},
        {"gif/over_Fish_&_Chips.GIF", "ad731548c4a0e93534c2878ef8740dc99cee55af92302b27583c0e2a2bb350ac"},
        {"gif/over_Home.GIF", "58997864b4888f28a2391508db8a8f43b89b3830b01c4174dbf65b7b49739739"},
        {"gif/over__<b>.GIF", "f4407c2abec83b9eaa058d42d05af0fd6c5aa9d3ad9c60b6440e4f4e165015b3"},
        {"bmp/nav_Caf.BMP", "5dd0496ca4f69e43ae579b5f0dec87af24b58ce2aeb6e46c15fec29acc01789e"},
        {"bmp/nav_Fish_&_Chips.BMP", "5173818cf7a293b38356a205b9129b0c24ee889e44c42c769ed4e4a033575793"},
        {"bmp/nav_Home.BMP", "7b4db2a0a3f379616b9280254437801e358a437cd6a8b25b5b7131110ff9940b"},
        {"bmp/nav__<b>.BMP", "7c0ed89755babb5a7a3848e76317b4845b06a4f23d60859695e027402444aea9"},
        {"bmp/over_Caf.BMP", "ff5a60207239ad821f0509d0fa38513dc387b5ca1867da55027996ac29cc203c"},
        {"bmp/over_Fish_&_Chips.BMP", "704ca7cf8442472aed9154d0c89577cb954c5ef1f2d27ecb4124accc04173c12"},
        {"bmp/over_Home.BMP", "724fd6a6398a9c3ae71399d8b35bf78d9b84c4fac8f5cf4bbb29d44bb3d6ed7c"},
        {"bmp/over__<b>.BMP", "7cdc2e99626d99ee93ad7e02eb5f91624804fa886538c41735a672e4f0e84303"},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/old.dat", settingsFile));
    QMap<QString, QByteArray> checksums;
    for (const QString& type : {QStringLiteral("gif"), QStringLiteral("bmp")}) {
        BatchOptions options;
        options.settingsFile = dir.path() + "/old.dat";
        options.outFolder = dir.path() + "/out/" + type;
        options.fileType = type == "gif" ? settings::kFileTypeGif : settings::kFileTypeBmp;
        options.html = type == "gif";
        options.quiet = true;
        const Outcome tool = RunTool(options, dir.path() + "/");
        ASSERT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
        const QString folder = dir.path() + "/out/" + type + "/";
        for (auto [name, bytes] : FilesIn(folder).asKeyValueRange()) {
            bytes.replace(folder.toUtf8(), "@DIR@/");
            checksums[type + "/" + name] =
                QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        }
    }
    EXPECT_EQ(checksums, expected);
}

TEST_F(WindowAndTool, ScaleTwoWritesTheTwiceSizeImagesAsTheWindowDoesAndIsRefusedWithEightThreeNames) {
    S().captions.SetRowCount(3);  // Home, Contacts
    S().captions.SetCell(2, 0, QStringLiteral("Home@2x"));
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.outFolder = Path("out");
    options.quiet = true;
    options.scale = 1;
    const Outcome plain = RunTool(options, dir.path() + "/");
    ASSERT_EQ(plain.status, cli::kExitOk) << plain.err.toStdString();
    EXPECT_EQ(FilesIn(Path("out")).keys(),
              (QStringList{"d_home.gif", "d_home@2x.gif", "u_home.gif", "u_home@2x.gif"}));

    // --scale 2 names the list again (row 2's names would be row 1's 2× images) and writes every
    // image twice, as the window does with the choice made.
    options.scale = 2;
    options.outFolder = Path("tool");
    options.html = true;
    options.pageStyle = settings::kPageStyleCss;
    const Outcome scaled = RunTool(options, dir.path() + "/");
    ASSERT_EQ(scaled.status, cli::kExitOk) << scaled.err.toStdString();
    const QMap<QString, QByteArray> tool = FilesIn(Path("tool"));
    EXPECT_EQ(tool.keys(), (QStringList{"d_home.gif", "d_home@21.gif", "d_home@21@2x.gif", "d_home@2x.gif",
                                        "home.htm", "home@2x.htm", "u_home.gif", "u_home@21.gif",
                                        "u_home@21@2x.gif", "u_home@2x.gif"}));
    EXPECT_EQ(QImage::fromData(tool["u_home@2x.gif"]).size(),
              QImage::fromData(tool["u_home.gif"]).size() * 2);
    // Home's own page shows its type 2 image as the current page's; the other page, type 1.
    EXPECT_TRUE(tool["home.htm"].contains("srcset=\"d_home@2x.gif 2x\""));
    EXPECT_TRUE(tool["home@2x.htm"].contains("srcset=\"u_home@2x.gif 2x\""));
    S().scale2x = true;
    S().pageStyle = settings::kPageStyleCss;
    S().targetFolder = Path("window/");
    form->RecalculateCaptionFilenames();
    form->generatehtmlbuttonClick();
    ASSERT_TRUE(dialogs.History().isEmpty()) << dialogs.History().first().text.toStdString();
    const QMap<QString, QByteArray> window = FilesIn(Path("window"));
    ASSERT_EQ(window.keys(), tool.keys());
    for (const QString& name : window.keys()) {
        if (!name.endsWith(".htm")) {
            EXPECT_TRUE(window[name] == tool[name]) << name.toStdString();
        }
    }

    // With 8.3 names in the settings file --scale 2 is refused as an argument, before anything is written.
    S().enforce83 = true;
    ASSERT_TRUE(project::SaveSettings(Path("short.dat"), S()));
    options.settingsFile = Path("short.dat");
    options.outFolder = Path("short");
    options.scale = 2;
    const Outcome refused = RunTool(options, dir.path() + "/");
    EXPECT_EQ(refused.status, cli::kExitBadArguments);
    EXPECT_EQ(refused.err,
              "kestro-batch: --scale 2 cannot be used with 8.3 file names (the settings file \"" +
                  Path("short.dat") +
                  "\" enforces them, setting 17): a name with \"@2x\" does not fit into 8.3.\n");
    EXPECT_FALSE(QFileInfo::exists(Path("short")));
}

namespace {

// One checksum over every file a run wrote: each file's path inside the folder, its size and its
// bytes, with `root` (which the pages name) standing as "ROOT".
QString FolderChecksum(const QString& folder, const QString& root) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QMap<QString, QByteArray> files = FilesIn(folder);
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QByteArray bytes = QByteArray(it.value()).replace(root.toUtf8(), "ROOT");
        hash.addData(it.key().toUtf8() + '\n' + QByteArray::number(bytes.size()) + '\n');
        hash.addData(bytes);
    }
    return QString::fromLatin1(hash.result().toHex().left(24));
}

}  // namespace

// A settings file written before button shapes, gradient fills and PNG files existed gives exactly
// the files and pages it gave then: the checksums were taken with the build before them.
TEST_F(WindowAndTool, ASettingsFileFromBeforeShapesAndFillsGivesTheSameFilesAndPages) {
    struct Case {
        const char* name;
        std::function<void()> settings;
        QString gif;
        QString bmp;
    };
    const std::vector<Case> cases = {
        {"defaults", [] {}, "7ad3fc08a2a8ba2fd9cc1b83", "61443fd0b0826cb6045cda8a"},
        {"unusual", [this] { UnusualSettings(); }, "9168ef81f6edae59631dd478", "f5720abd10ce737ab1d91fa9"},
        {"bevelled",
         [this] {
             for (int t = 0; t < 2; ++t) {
                 settings::ButtonStyle& b = S().button[static_cast<std::size_t>(t)];
                 b.backgroundMode = t == 0 ? 1 : 4;
                 b.borderStyle = t == 0 ? 0 : 5;  // "Simple 3D", "3D Border Flatten"
                 b.borderDepth = t == 0 ? 4 : 2;
                 b.backgroundColour = t == 0 ? QStringLiteral("00C08040") : QStringLiteral("0040C0F0");
                 b.captionEffect =
                     t == 0 ? settings::CaptionEffect::Pressed : settings::CaptionEffect::Embossed;
             }
             S().htmlBackgroundColour = QStringLiteral("00336699");
         },
         "19acf736b288a56ef57998ef", "4787732888bd14635653da78"},
    };
    for (const Case& c : cases) {
        settings::ApplyDefaultSettings(S(), S().fontList, form->DataFolder());
        c.settings();
        for (settings::ButtonStyle& b : S().button) {
            b.fontName = QStringLiteral("DejaVu Sans");  // not whichever font the system lists first
        }
        const QString name = QString::fromLatin1(c.name);
        const QString settingsFile = Path(name + ".dat");
        ASSERT_TRUE(project::SaveSettings(settingsFile, S()));
        for (int type : {settings::kFileTypeGif, settings::kFileTypeBmp}) {
            BatchOptions options;
            options.settingsFile = settingsFile;
            options.fileType = type;
            const QString site = Path(QStringLiteral("%1-%2").arg(name).arg(type));
            options.outFolder = site + "/img";
            options.htmlFolder = site;
            options.html = true;
            const Outcome tool = RunTool(options, dir.path() + "/");
            ASSERT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
            EXPECT_EQ(FolderChecksum(site, dir.path()), type == settings::kFileTypeGif ? c.gif : c.bmp)
                << c.name << " " << type;
        }
    }
}

namespace {

// Chooses a list item as the user does.
void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// What ImageMagick tells of an image file, in its own format escapes.
QString Magick(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QStringLiteral("failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST_F(WindowAndTool, EveryShapeAndFillChosenInTheWindowGivesTheToolsBytesInEveryFileType) {
    S().captions.SetRowCount(3);  // Home, Contacts
    S().htmlBackgroundColour = QStringLiteral("00336699");
    S().overwritePrompt = false;
    app::TShapeFillPage& page = *form->shapeFillPage;
    for (int t : {0, 1}) {
        Choose(form->buttonsPage->type[static_cast<std::size_t>(t)].ModeComboBox, t == 0 ? 1 : 4);
        Choose(form->buttonsPage->type[static_cast<std::size_t>(t)].BorderStyleComboBox, t == 0 ? 0 : 1);
        Choose(form->buttonsPage->type[static_cast<std::size_t>(t)].BorderDepthComboBox, 2);
    }
    QSet<QByteArray> distinct;
    for (int type :
         {settings::kFileTypeGif, settings::kFileTypeBmp, settings::kFileTypePng, settings::kFileTypeWebp}) {
        Choose(form->filePage->FileTypeComboBox, type);  // the names follow the type
        for (int shape = 0; shape < settings::kButtonShapeCount; ++shape) {
            // Every shape on each type, every fill with several shapes, a radius of its own on type 1.
            const int gradient = shape % settings::kGradientFillCount;
            Choose(page.type[0].ShapeComboBox, shape);
            Choose(page.type[1].ShapeComboBox, (shape + 1) % settings::kButtonShapeCount);
            Choose(page.type[0].GradientComboBox, gradient);
            Choose(page.type[1].GradientComboBox, (gradient + 1) % settings::kGradientFillCount);
            page.type[0].cornerRadiusField.edit->setText(shape == 1 ? QStringLiteral("7") : QString());
            page.type[0].angleField.edit->setText(QString::number(30 * shape));
            dialogs.QueueColour(0x00FF0102 + static_cast<std::uint32_t>(shape));
            page.type[1].gradientSwatch.button->click();
            const QString name = QStringLiteral("%1-%2").arg(type).arg(shape);
            ASSERT_TRUE(project::SaveSettings(Path(name + ".dat"), S()));
            S().targetFolder = Path("window-" + name);
            form->SaveBatchButtonClick();
            const QMap<QString, QByteArray> window = FilesIn(Path("window-" + name));
            ASSERT_EQ(window.size(), 4) << name.toStdString();

            BatchOptions options;
            options.settingsFile = Path(name + ".dat");
            options.outFolder = Path("tool-" + name);
            options.quiet = true;
            const Outcome tool = RunTool(options, dir.path() + "/");
            ASSERT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
            EXPECT_EQ(FilesIn(Path("tool-" + name)), window) << name.toStdString();
            for (const QByteArray& bytes : window) {
                distinct.insert(bytes);
            }
        }
    }
    // Each choice made a difference to the files.
    EXPECT_EQ(distinct.size(), 4 * settings::kButtonShapeCount * 4);
}

TEST_F(WindowAndTool, ARoundPngButtonIsTransparentOutsideAndExactInsideToQtAndImageMagick) {
    settings::ButtonStyle& b = S().button[settings::kType1];
    b.backgroundMode = 1;
    b.width = QStringLiteral("120");
    b.height = QStringLiteral("40");
    b.backgroundColour = QStringLiteral("00D0D4D8");  // a light grey the web palette has not got
    b.shape = 2;                                      // "Ellipse"
    S().htmlBackgroundColour = QStringLiteral("00336699");
    S().captions.SetRowCount(2);
    S().captions.SetCell(1, 0, QStringLiteral("Go"));
    output::RecalculateFilenames(S());
    ASSERT_TRUE(project::SaveSettings(Path("round.dat"), S()));
    for (int type : {settings::kFileTypePng, settings::kFileTypeGif, settings::kFileTypeWebp}) {
        BatchOptions options;
        options.settingsFile = Path("round.dat");
        options.fileType = type;
        options.outFolder = Path(type == settings::kFileTypePng   ? "png"
                                 : type == settings::kFileTypeGif ? "gif"
                                                                  : "webp");
        options.html = true;
        options.reportFile = options.outFolder + ".txt";
        options.quiet = true;
        ASSERT_EQ(RunTool(options, dir.path() + "/").status, cli::kExitOk);
    }
    // The page and the report take the PNG files as they take the others.
    const QByteArray page = testsupport::ReadAll(Path("png/go.htm"));
    EXPECT_TRUE(page.contains("src=\"u_go.png\" width=\"120\" height=\"40\" alt=\"Go\""))
        << page.toStdString();
    EXPECT_TRUE(page.contains("'d_go.png'"));
    const QByteArray report = testsupport::ReadAll(Path("png.txt"));
    const QString pngSize = QString::number(QFileInfo(Path("png/u_go.png")).size() / 1024.0, 'f', 2);
    EXPECT_TRUE(
        report.contains(QStringLiteral("u_go.png                        %1").arg(pngSize, 9).toLatin1()))
        << report.toStdString();
    // The same for the WebP files: the page reads their size.
    const QByteArray webpPage = testsupport::ReadAll(Path("webp/go.htm"));
    EXPECT_TRUE(webpPage.contains("src=\"u_go.webp\" width=\"120\" height=\"40\" alt=\"Go\""))
        << webpPage.toStdString();
    EXPECT_TRUE(webpPage.contains("'d_go.webp'"));
    const QString webpSize = QString::number(QFileInfo(Path("webp/u_go.webp")).size() / 1024.0, 'f', 2);
    EXPECT_TRUE(
        testsupport::ReadAll(Path("webp.txt"))
            .contains(QStringLiteral("u_go.webp                       %1").arg(webpSize, 9).toLatin1()));
    EXPECT_EQ(Magick("convert", {"webp:" + Path("webp/u_go.webp"), "-format",
                                 "%[pixel:p{0,0}] %[pixel:p{119,39}] %[pixel:p{15,20}]", "info:"})
                  .replace("srgba(", "")
                  .section(' ', 2),
              QStringLiteral("216,212,208,1)"));
    const QString png = Path("png/u_go.png");
    // Qt: the corners transparent, the face's own colour inside (not the web palette's), opaque.
    const QImage image = QImage(png).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(120, 40));
    for (const QPoint corner : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 39), QPoint(119, 39)}) {
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
    }
    EXPECT_EQ(image.pixel(15, 20), qRgba(0xD8, 0xD4, 0xD0, 255));
    EXPECT_EQ(image.pixel(60, 2), qRgba(0xD8, 0xD4, 0xD0, 255));
    // ImageMagick reads the same: a palette of at most four colours (the transparent one, the face,
    // the border's light and dark), two bits a pixel.
    EXPECT_EQ(Magick("identify", {"-format", "%[png:IHDR.color_type] %[png:IHDR.bit_depth] %[opaque]", png}),
              QStringLiteral("3 (Indexed) 2 false"));
    EXPECT_EQ(
        Magick("convert", {png, "-format", "%[pixel:p{0,0}] %[pixel:p{119,39}] %[pixel:p{15,20}]", "info:"}),
        QStringLiteral("srgba(0,0,0,0) srgba(0,0,0,0) srgba(216,212,208,1)"));
    // The GIF of the same button has the page colour outside, where the PNG is transparent, and the
    // web palette's nearest colour inside.
    const QImage gif(Path("gif/u_go.gif"));
    EXPECT_EQ(gif.pixel(0, 0), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(gif.pixel(15, 20), qRgb(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(Magick("convert", {Path("gif/u_go.gif"), "-format", "%[pixel:p{0,0}]", "info:"}),
              QStringLiteral("srgb(153,102,51)"));
}

TEST_F(WindowAndTool, LinksFromTheWindowTheSettingsFileOrACaptionsFileGiveTheSamePagesAndABadOneIsRefused) {
    using settings::CaptionGrid;
    S().targetFolder = Path("site/img/");
    S().htmlTargetFolder = Path("site/");
    S().pageStyle = settings::kPageStyleCss;
    const QStringList captions = {"Home", "About us", "Mail", "Shop"};
    const QStringList links = {"/", "about us.htm#team", "mailto:team@example.com", ""};
    S().captions.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 1; r <= captions.size(); ++r) {
        S().captions.SetCell(r, CaptionGrid::kCaptionColumn, captions[r - 1]);
        S().captions.SetCell(r, CaptionGrid::kLinkColumn, links[r - 1]);
    }
    output::RecalculateFilenames(S());
    ASSERT_TRUE(project::SaveSettings(Path("settings.dat"), S()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("site"));
    form->generatehtmlbuttonClick();
    ASSERT_TRUE(dialogs.History().isEmpty()) << dialogs.History().first().text.toStdString();
    const QMap<QString, QByteArray> window = FilesIn(Path("site"));
    ASSERT_EQ(window.size(), 4 * 3);
    // Each page's own button is marked as the current page; the others link as they are.
    EXPECT_TRUE(window["shop.htm"].contains("<li><a href=\"about%20us.htm#team\"><img"));
    EXPECT_TRUE(window["about_us.htm"].contains("<li><a href=\"shop.htm\"><img"));
    EXPECT_TRUE(
        window["about_us.htm"].contains("<li><a href=\"about%20us.htm#team\" aria-current=\"page\">"));
    ASSERT_TRUE(QDir(dir.path()).rename("site", "site-window"));

    // The settings file's links (key 104), and a captions file of "Caption<TAB>Link" lines in place
    // of the settings file's list: the window's bytes. A line without a tab is a caption alone; a
    // link without a caption is skipped with a warning.
    ASSERT_TRUE(testsupport::WriteAll(Path("caps.txt"),
                                      "Home\t/\r\nAbout us\tabout us.htm#team\r\n\r\n"
                                      "\t#alone\r\nMail\tmailto:team@example.com\r\nShop\r\n"));
    for (const bool fromFile : {false, true}) {
        ASSERT_TRUE(QDir(dir.path()).mkdir("site"));
        BatchOptions options;
        options.settingsFile = Path("settings.dat");
        options.html = true;
        if (fromFile) {
            options.captionsFile = Path("caps.txt");
        }
        const Outcome tool = RunTool(options, Path("elsewhere/"));
        EXPECT_EQ(tool.status, cli::kExitOk) << tool.err.toStdString();
        EXPECT_EQ(tool.err, fromFile ? "kestro-batch: warning: the caption list \"" + Path("caps.txt") +
                                           "\", line 4: a link without a caption is skipped\n"
                                     : QString());
        const QMap<QString, QByteArray> written = FilesIn(Path("site"));
        EXPECT_EQ(written.keys(), window.keys());
        for (const QString& name : window.keys()) {
            EXPECT_TRUE(written[name] == window[name]) << name.toStdString();
        }
        ASSERT_TRUE(QDir(Path("site")).removeRecursively());
    }

    // A line of more than two cells is no caption list line: nothing is written, status 1.
    ASSERT_TRUE(testsupport::WriteAll(Path("three.txt"), "Home\t/\r\nShop\tshop.gif\tshop.htm\r\n"));
    BatchOptions options;
    options.settingsFile = Path("settings.dat");
    options.captionsFile = Path("three.txt");
    options.outFolder = Path("tool/img");
    options.htmlFolder = Path("tool");
    Outcome run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_EQ(run.err, "kestro-batch: the caption list \"" + Path("three.txt") +
                           "\", line 2, holds 3 cells separated by tabs: a line is a caption, or a caption, "
                           "a tab and its link\n");
    EXPECT_FALSE(QFileInfo::exists(Path("tool")));

    // A link no page takes: the window's error box, the tool's same text and status 1, and neither
    // writes a file or makes a folder.
    // (A tab cannot stand inside a captions file's link: blanks and capitals stand for it there.)
    const QString bad = QStringLiteral(" JAVA script:alert(document.cookie)");
    ASSERT_TRUE(testsupport::WriteAll(Path("bad.txt"), ("Home\t/\r\nShop\t" + bad + "\r\n").toUtf8()));
    options.captionsFile = Path("bad.txt");
    run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitFailed);
    const QString refusal = output::LinkRefusedMessage(2, "Shop", bad);
    EXPECT_EQ(run.err, "kestro-batch: " + QString(refusal).replace("\r", "\nkestro-batch: ") + "\n");
    EXPECT_TRUE(run.err.contains("\" JAVA script:alert(document.cookie)\""));
    EXPECT_EQ(run.out, QString());
    EXPECT_FALSE(QFileInfo::exists(Path("tool")));

    const QString tabbed = QStringLiteral("Java\tScript:alert(document.cookie)");
    S().captions.SetCell(4, CaptionGrid::kLinkColumn, tabbed);
    S().targetFolder = Path("window/img/");
    S().htmlTargetFolder = Path("window/");
    ASSERT_TRUE(QDir(dir.path()).mkdir("window"));
    dialogs.Clear();
    form->generatehtmlbuttonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    const QString row4 = output::LinkRefusedMessage(4, "Shop", tabbed);
    EXPECT_EQ(dialogs.History()[0].text, row4);
    EXPECT_TRUE(row4.contains("\"Java\\tScript:alert(document.cookie)\""));
    EXPECT_TRUE(FilesIn(Path("window")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path("window/img")));
    ASSERT_TRUE(project::SaveSettings(Path("bad.dat"), S()));
    options.settingsFile = Path("bad.dat");
    options.captionsFile.clear();
    run = RunTool(options, dir.path() + "/");
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_EQ(run.err, "kestro-batch: " + QString(row4).replace("\r", "\nkestro-batch: ") + "\n");
    EXPECT_FALSE(QFileInfo::exists(Path("tool")));
}

namespace {

// Settings with two captions on white fixed-size 100 x 30 faces in 10 pt DejaVu Sans, PNG files:
// type 1's caption in `grey1`, type 2's black.
settings::AppSettings GreyOnWhite(const QString& folder, const QString& grey1) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {QStringLiteral("DejaVu Sans")}, folder);
    for (settings::ButtonStyle& b : s.button) {
        b.fontName = QStringLiteral("DejaVu Sans");
        b.SetFontSizeText(QStringLiteral("10"));
        b.backgroundMode = settings::kColourFixedSize;
        b.width = QStringLiteral("100");
        b.height = QStringLiteral("30");
        b.backgroundColour = QStringLiteral("00FFFFFF");
        b.captionColour = QStringLiteral("00000000");
        b.captionEffect = settings::CaptionEffect::Standard;
    }
    s.button[settings::kType1].captionColour = grey1;
    s.fileType = settings::kFileTypePng;
    s.captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(s);
    return s;
}

}  // namespace

TEST(CheckAccess, StatusThreeExactlyWhenAnImageFallsShortAndEveryOtherFailureWins) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    ASSERT_TRUE(project::SaveSettings(folder + "grey.dat", GreyOnWhite(folder, "00777777")));
    ASSERT_TRUE(project::SaveSettings(folder + "darker.dat", GreyOnWhite(folder, "00767676")));
    settings::AppSettings chosen = GreyOnWhite(folder, "00777777");
    chosen.checkAccess = true;
    ASSERT_TRUE(project::SaveSettings(folder + "chosen.dat", chosen));

    BatchOptions options;
    options.settingsFile = folder + "grey.dat";
    options.outFolder = folder + "out";
    options.quiet = true;
    // Without the check: written as ever, nothing said, status 0.
    const Outcome plain = RunTool(options, folder);
    EXPECT_EQ(plain.status, cli::kExitOk) << plain.err.toStdString();
    EXPECT_EQ(plain.err, "");
    const QMap<QString, QByteArray> plainFiles = FilesIn(folder + "out");
    ASSERT_EQ(plainFiles.size(), 4);

    // #777777 on white is 4.48:1: both type 1 images fall short, every file is written all the same.
    options.checkAccess = true;
    QDir(folder + "out").removeRecursively();
    const Outcome grey = RunTool(options, folder);
    EXPECT_EQ(grey.status, cli::kExitInaccessible);
    EXPECT_EQ(cli::kExitInaccessible, 3);
    EXPECT_EQ(grey.err,
              "kestro-batch: accessibility: Home (type 1, u_home.png): contrast 4.48:1, needs 4.5:1\n"
              "kestro-batch: accessibility: Contacts (type 1, u_contacts.png): contrast 4.48:1, needs "
              "4.5:1\n");
    EXPECT_EQ(FilesIn(folder + "out"), plainFiles);

    // #767676 is 4.54:1: nothing falls short.
    options.settingsFile = folder + "darker.dat";
    const Outcome darker = RunTool(options, folder);
    EXPECT_EQ(darker.status, cli::kExitOk);
    EXPECT_EQ(darker.err, "");

    // The settings file's own choice does the same without the option.
    options.checkAccess = false;
    options.settingsFile = folder + "chosen.dat";
    EXPECT_EQ(RunTool(options, folder).status, cli::kExitInaccessible);

    // A report that cannot be written is a failure, and wins over the images that fall short; so
    // does a settings file that cannot be read.
    options.checkAccess = true;
    options.settingsFile = folder + "grey.dat";
    options.reportFile = folder + "missing/folder/report.txt";
    const Outcome noReport = RunTool(options, folder);
    EXPECT_EQ(noReport.status, cli::kExitFailed);
    EXPECT_TRUE(noReport.err.contains("cannot write the report")) << noReport.err.toStdString();
    EXPECT_TRUE(noReport.err.contains("kestro-batch: accessibility: Home (type 1"))
        << noReport.err.toStdString();
    options.reportFile.clear();
    options.settingsFile = folder + "nothing.dat";
    EXPECT_EQ(RunTool(options, folder).status, cli::kExitFailed);

    // The report ends with the section.
    options.settingsFile = folder + "grey.dat";
    options.reportFile = folder + "report.txt";
    ASSERT_EQ(RunTool(options, folder).status, cli::kExitInaccessible);
    EXPECT_TRUE(testsupport::ReadAll(folder + "report.txt")
                    .endsWith("Accessibility (WCAG 2.2 AA)\r\n---------------------------\r\n"
                              "Home (type 1, u_home.png): contrast 4.48:1, needs 4.5:1\r\n"
                              "Contacts (type 1, u_contacts.png): contrast 4.48:1, needs 4.5:1\r\n"
                              "2 of 4 images fall short.\r\n"));
}
