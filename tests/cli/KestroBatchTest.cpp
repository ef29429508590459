#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "BatchProgram.h"
#include "TestSupport.h"
#include "app/AdvancedForm.h"
#include "app/FilePage.h"
#include "app/Form1.h"
#include "app/HtmlPage.h"
#include "app/ShapeFillPage.h"
#include "output/ButtonBatch.h"
#include "output/CaptionNaming.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "project/ProjectFile.h"
#include "widgets/IntegerEdit.h"

// The real kestro-batch, started as a user starts it, against the window's own batch.
namespace {

using Process = batchprogram::Outcome;
using batchprogram::Start;

// The report without its first line, which holds the time it was made.
QByteArray WithoutDate(const QByteArray& report) {
    return report.mid(report.indexOf("\r\n"));
}

// The window started on a data folder, with scripted answers and a recording desktop, its timer
// stopped so only the test drives it.
struct Window {
    explicit Window(const QString& folder) : form(dialogs, shell, folder + "/") {
        form.show();
        form.Timer1->stop();
    }
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    app::TForm1 form;
};

// The files in a folder by name.
QMap<QString, QByteArray> FilesIn(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        files[name] = testsupport::ReadAll(folder + "/" + name);
    }
    return files;
}

// kestro-batch in `scratch`, three times: on the settings file `withChoice` that holds a choice, with
// `option` on "plain.dat" that does not, and on "plain.dat" alone. The first two write the window's
// files; the third writes the same names, and differs from the window's files where `differs` says.
void ExpectTheToolWritesTheWindowsFiles(const QString& scratch, const QMap<QString, QByteArray>& window,
                                        const QString& withChoice, const QString& option,
                                        const std::function<bool(const QString& name)>& differs) {
    for (const auto& [out, arguments] :
         {std::pair{QStringLiteral("from-file"), QStringList{withChoice}},
          std::pair{QStringLiteral("from-option"), QStringList{option, "plain.dat"}},
          std::pair{QStringLiteral("plain"), QStringList{"plain.dat"}}}) {
        const Process run = Start(QStringList{"--quiet", "--out", out} + arguments, scratch);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QMap<QString, QByteArray> made = FilesIn(scratch + out);
        EXPECT_EQ(made.keys(), window.keys()) << out.toStdString();
        for (const QString& name : window.keys()) {
            const bool same = made.value(name) == window[name];
            if (out != "plain") {
                EXPECT_TRUE(same) << out.toStdString() << " " << name.toStdString();
            } else if (differs(name)) {
                EXPECT_FALSE(same) << name.toStdString();
            }
        }
    }
}

// Runs the tool in `scratch` once for each report file and its arguments, and expects the files of
// `site` and the report to be the window's; `site` is removed after each run.
void ExpectEachRunWritesTheWindowsSite(const QString& scratch, const QString& site,
                                       const QMap<QString, QByteArray>& window,
                                       const QByteArray& windowReport,
                                       const std::vector<std::pair<QString, QStringList>>& runs) {
    for (const auto& [report, arguments] : runs) {
        const Process run = Start(QStringList{"--quiet", "--report", report} + arguments, scratch);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QMap<QString, QByteArray> made = FilesIn(site);
        EXPECT_EQ(made.keys(), window.keys()) << report.toStdString();
        for (const QString& name : window.keys()) {
            EXPECT_TRUE(made.value(name) == window[name])
                << report.toStdString() << " " << name.toStdString();
        }
        EXPECT_EQ(WithoutDate(testsupport::ReadAll(scratch + report)), windowReport) << report.toStdString();
        ASSERT_TRUE(QDir(site).removeRecursively());
    }
}

}  // namespace

TEST(KestroBatch, TheToolInAScratchFolderWritesWhatTheWindowWrites) {
    QTemporaryDir dir;
    Window started(dir.path());
    app::TForm1& form = started.form;
    settings::AppSettings& s = form.Settings();
    s.targetFolder = dir.path() + "/site/";
    s.statusReports = true;
    s.htmlGenerateAll = false;  // the single test page
    s.button[settings::kType2].bold = true;
    s.captions.SetCell(2, 0, QStringLiteral("Caf\u00e9 & bar"));
    output::RecalculateFilenames(s);
    ASSERT_TRUE(QDir(dir.path()).mkdir("scratch"));
    const QString scratch = dir.path() + "/scratch/";
    ASSERT_TRUE(project::SaveSettings(scratch + "settings.dat", s));

    form.generatehtmlbuttonClick();
    ASSERT_TRUE(started.dialogs.History().isEmpty());
    const QStringList names = QDir(dir.path() + "/site").entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 15);  // 14 images and the test page
    QMap<QString, QByteArray> window;
    for (const QString& name : names) {
        window[name] = testsupport::ReadAll(dir.path() + "/site/" + name);
    }
    ASSERT_TRUE(QDir(dir.path()).rename("site", "site-window"));

    const Process run = Start({"--html", "--report", "report.txt", "settings.dat"}, scratch);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());  // nothing but the program's own messages reach standard error
    EXPECT_EQ(QDir(dir.path() + "/site").entryList(QDir::Files, QDir::Name), names);
    for (const QString& name : names) {
        EXPECT_TRUE(testsupport::ReadAll(dir.path() + "/site/" + name) == window[name]) << name.toStdString();
    }
    const QByteArray report = testsupport::ReadAll(scratch + "report.txt");
    EXPECT_TRUE(report.startsWith("Plumeric : Status Report Produced "));
    EXPECT_EQ(WithoutDate(report), WithoutDate(testsupport::ReadAll(form.DataFolder() + "Report.txt")));
    EXPECT_EQ(run.out.count('\n'), 17);  // 15 files, the report, the summary
    // Nothing was opened and nothing else was written beside the settings file.
    EXPECT_EQ(QDir(scratch).entryList(QDir::Files, QDir::Name), (QStringList{"report.txt", "settings.dat"}));

    // On one thread and on more threads than captions the images are the same bytes.
    for (const QString& threads : {QStringLiteral("1"), QStringLiteral("9")}) {
        const Process again = Start({"--threads", threads, "--out", "t" + threads, "settings.dat"}, scratch);
        ASSERT_EQ(again.status, 0) << again.err.toStdString();
        const QStringList images = QDir(scratch + "t" + threads).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(images.size(), 14);
        for (const QString& name : images) {
            EXPECT_TRUE(testsupport::ReadAll(scratch + "t" + threads + "/" + name) == window[name])
                << threads.toStdString() << " " << name.toStdString();
        }
    }
}

TEST(KestroBatch, DitheredGifsFromTheAdvancedDialogAndFromTheCommandLineAreTheSameBytes) {
    QTemporaryDir dir;
    Window started(dir.path());
    app::TForm1& form = started.form;
    settings::AppSettings& s = form.Settings();
    s.targetFolder = dir.path() + "/site/";
    s.statusReports = false;
    // A round type 1 with a gradient, on a page colour the web palette has not got.
    settings::ButtonStyle& b = s.button[settings::kType1];
    b.backgroundMode = settings::kColourFixedSize;
    b.width = QStringLiteral("120");
    b.height = QStringLiteral("40");
    b.backgroundColour = QStringLiteral("00F0A020");
    b.shape = 2;  // "Ellipse"
    b.gradientKind = settings::kGradientLinear;
    b.gradientColour = QStringLiteral("00203090");
    s.htmlBackgroundColour = QStringLiteral("00286EC8");
    s.captions.SetRowCount(3);
    output::RecalculateFilenames(s);
    ASSERT_TRUE(QDir(dir.path()).mkdir("scratch"));
    const QString scratch = dir.path() + "/scratch/";
    ASSERT_TRUE(project::SaveSettings(scratch + "plain.dat", s));
    EXPECT_FALSE(testsupport::ReadAll(scratch + "plain.dat").contains("\r\n135,"));

    // The advanced dialog's box, ticked: the model follows, and the settings file holds the key.
    app::Tadvancedform& adv = form.AdvancedForm();
    EXPECT_EQ(adv.dithergifCheckBox->text(), QStringLiteral("Dither GIF colours"));
    EXPECT_FALSE(adv.dithergifCheckBox->isChecked());
    adv.dithergifCheckBox->click();
    EXPECT_TRUE(s.ditherGif);
    ASSERT_TRUE(project::SaveSettings(scratch + "dither.dat", s));
    EXPECT_TRUE(
        testsupport::ReadAll(scratch + "dither.dat").endsWith("/* Dither GIF colours ? */\r\n135,Y\r\n"));
    form.SaveBatchButtonClick();
    EXPECT_EQ(started.dialogs.Messages(), QStringList{output::BatchSavedMessage(s.targetFolder)});
    const QMap<QString, QByteArray> window = FilesIn(dir.path() + "/site");
    ASSERT_EQ(window.size(), 4);

    // The tool: the settings with the choice, and --dither on the settings without it, give the
    // window's bytes; without either, the round gradient's files are the nearest colour's and differ.
    ExpectTheToolWritesTheWindowsFiles(scratch, window, "dither.dat", "--dither",
                                       [](const QString& name) { return name.startsWith("u_"); });
}

TEST(KestroBatch, PressedImagesFromTheWindowsChoicesAndFromTheCommandLineAreTheSameBytes) {
    QTemporaryDir dir;
    Window started(dir.path());
    app::TForm1& form = started.form;
    settings::AppSettings& s = form.Settings();
    s.targetFolder = dir.path() + "/site/";
    s.statusReports = true;
    s.htmlGenerateAll = false;  // the single test page
    s.pageStyle = settings::kPageStyleCss;
    s.scale2x = true;
    s.button[settings::kType2].borderStyle = 0;  // "Simple 3D"
    s.button[settings::kType2].borderDepth = 2;
    s.captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(s);
    ASSERT_TRUE(QDir(dir.path()).mkdir("scratch"));
    const QString scratch = dir.path() + "/scratch/";

    // The File page's prefix, typed: the model follows, and the file holds key 137 alone.
    app::TFilePage& file = *form.filePage;
    EXPECT_EQ(file.prefixPressedLabel->text(), QStringLiteral("Prefix for pressed buttons"));
    EXPECT_EQ(file.prefixPressedEdit->text(), QStringLiteral("P_"));
    file.prefixPressedEdit->setText(QStringLiteral("Down_"));
    EXPECT_EQ(s.prefixPressed, QStringLiteral("Down_"));
    ASSERT_TRUE(project::SaveSettings(scratch + "prefix.dat", s));
    const QByteArray prefixOnly = testsupport::ReadAll(scratch + "prefix.dat");
    EXPECT_TRUE(prefixOnly.endsWith("/* Prefix for pressed buttons */\r\n137,Down_\r\n"));
    EXPECT_FALSE(prefixOnly.contains("\r\n136,"));

    // The advanced dialog's box, ticked: the model follows, and the settings file holds the key.
    app::Tadvancedform& adv = form.AdvancedForm();
    EXPECT_EQ(adv.pressedimagesCheckBox->text(), QStringLiteral("Also write pressed images"));
    EXPECT_FALSE(adv.pressedimagesCheckBox->isChecked());
    adv.pressedimagesCheckBox->click();
    EXPECT_TRUE(s.pressedImages);
    ASSERT_TRUE(project::SaveSettings(scratch + "pressed.dat", s));
    EXPECT_TRUE(testsupport::ReadAll(scratch + "pressed.dat").contains("\r\n136,Y\r\n"));

    form.generatehtmlbuttonClick();
    ASSERT_TRUE(started.dialogs.History().isEmpty()) << started.dialogs.History().first().text.toStdString();
    const QMap<QString, QByteArray> window = FilesIn(dir.path() + "/site");
    EXPECT_EQ(window.keys(), (QStringList{"d_contacts.gif", "d_contacts@2x.gif", "d_home.gif",
                                          "d_home@2x.gif", "down_contacts.gif", "down_contacts@2x.gif",
                                          "down_home.gif", "down_home@2x.gif", "index.htm", "u_contacts.gif",
                                          "u_contacts@2x.gif", "u_home.gif", "u_home@2x.gif"}));
    EXPECT_NE(window["down_home.gif"], window["d_home.gif"]);
    EXPECT_TRUE(window["index.htm"].contains("<img class=\"down\" src=\"down_home.gif\""));
    const QByteArray windowReport = WithoutDate(testsupport::ReadAll(form.DataFolder() + "Report.txt"));
    EXPECT_TRUE(windowReport.contains("Pressed Name")) << windowReport.toStdString();
    EXPECT_TRUE(windowReport.contains("down_home@2x.gif"));
    ASSERT_TRUE(QDir(dir.path()).rename("site", "site-window"));

    // The tool on the settings with the choice, and with --pressed on the settings without it, writes
    // the window's images, page and report; without either it writes no pressed image.
    ExpectEachRunWritesTheWindowsSite(scratch, dir.path() + "/site", window, windowReport,
                                      {{"from-file.txt", {"--html", "pressed.dat"}},
                                       {"from-option.txt", {"--html", "--pressed", "prefix.dat"}}});
    const Process plain = Start({"--quiet", "--html", "prefix.dat"}, scratch);
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    const QMap<QString, QByteArray> without = FilesIn(dir.path() + "/site");
    EXPECT_EQ(without.size(), 9);
    EXPECT_FALSE(without.contains("down_home.gif"));
    EXPECT_EQ(without["u_home.gif"], window["u_home.gif"]);
    EXPECT_FALSE(without["index.htm"].contains(":active"));
}

TEST(KestroBatch, ExitStatusesForHelpVersionAndBadArguments) {
    QTemporaryDir dir;
    const Process help = Start({"--help"}, dir.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: kestro-batch [options] settings-file\n"));
    const Process version = Start({"--version"}, dir.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("kestro-batch 1.2\n"));
    const Process bad = Start({"--format", "tiff", "settings.dat"}, dir.path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, QByteArray());
    EXPECT_EQ(
        bad.err,
        QByteArray("kestro-batch: --format takes gif, bmp, png or webp, not \"tiff\".\nkestro-batch: Usage: "
                   "kestro-batch [options] settings-file (kestro-batch --help lists the options)\n"));
    const Process missing = Start({"--quiet", "settings.dat"}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              QByteArray("kestro-batch: cannot read the settings file \"settings.dat\": No such file "
                         "or directory\n"));
    EXPECT_EQ(missing.out, QByteArray());
}

TEST(KestroBatch, TheReadmesExampleRunsAsPrintedInAFreshFolder) {
    // The example line of the README, word for word.
    QString example;
    for (const QString& line :
         QString::fromUtf8(testsupport::ReadAll(QStringLiteral(PLUMERIC_README))).split('\n')) {
        if (line.startsWith("kestro-batch --")) {
            ASSERT_TRUE(example.isEmpty()) << "more than one example line";
            example = line;
        }
    }
    ASSERT_FALSE(example.isEmpty());
    const QStringList words = example.split(' ', Qt::SkipEmptyParts);

    // A folder with the window's settings file and a caption list, and nothing else.
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    {
        app::TForm1 form(dialogs, shell, dir.path() + "/");
        form.show();
        form.Timer1->stop();
        ASSERT_TRUE(project::SaveSettings(dir.path() + "/kestro.dat", form.Settings()));
    }
    const QString fresh = dir.path() + "/fresh/";
    ASSERT_TRUE(QDir().mkpath(fresh));
    ASSERT_TRUE(QFile::copy(dir.path() + "/kestro.dat", fresh + "kestro.dat"));
    ASSERT_TRUE(testsupport::WriteAll(fresh + "menu.txt", "Home\nProducts\nContact us\n"));

    const Process run = Start(words.mid(1), fresh);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(QDir(fresh + "site").entryList(QDir::Files, QDir::Name),
              (QStringList{"contact_us.htm", "home.htm", "products.htm"}));
    EXPECT_EQ(QDir(fresh + "site/img").entryList(QDir::Files, QDir::Name).size(), 6);
    EXPECT_TRUE(testsupport::ReadAll(fresh + "site/home.htm").contains("src=\"img/u_home.gif\""));
    EXPECT_TRUE(QFile::exists(fresh + "report.txt"));
    EXPECT_TRUE(run.out.endsWith(" s\n"));
    EXPECT_TRUE(run.out.contains("\n10 files written (")) << run.out.toStdString();
}

TEST(KestroBatch, TheReadmesRoundButtonsAreRoundPngsWithTheirPage) {
    // The README's example of round buttons, with its committed settings file.
    const QString readme = QStringLiteral(PLUMERIC_README);
    const QString settingsFile = QFileInfo(readme).absolutePath() + "/docs/round-buttons.dat";
    ASSERT_TRUE(QFileInfo::exists(settingsFile));
    EXPECT_TRUE(
        testsupport::ReadAll(readme).contains("build/bin/kestro-batch --captions menu.txt --out round/img "
                                              "--html-out round docs/round-buttons.dat"));
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/menu.txt", "Home\nProducts\nContact\n"));
    const Process run = Start(
        {"--captions", "menu.txt", "--out", "round/img", "--html-out", "round", settingsFile}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(QDir(dir.path() + "/round/img").entryList(QDir::Files, QDir::Name),
              (QStringList{"d_contact.png", "d_home.png", "d_products.png", "u_contact.png", "u_home.png",
                           "u_products.png"}));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/round/index.htm"));
    const QImage home = QImage(dir.path() + "/round/img/u_home.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(home.isNull());
    EXPECT_EQ(qAlpha(home.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(home.pixel(home.width() / 2, 1)), 255);
    // The linear fill runs from the background colour on the left to the second colour on the right.
    EXPECT_NE(home.pixel(4, home.height() / 2), home.pixel(home.width() - 5, home.height() / 2));
}

TEST(KestroBatch, TheReadmesSharpExampleWritesTwiceSizePngsAndTheScriptFreePage) {
    const QString readme = QStringLiteral(PLUMERIC_README);
    const QString settingsFile = QFileInfo(readme).absolutePath() + "/docs/round-buttons.dat";
    EXPECT_TRUE(testsupport::ReadAll(readme).contains(
        "build/bin/kestro-batch --captions menu.txt --out round/img --html-out round --scale 2 --smooth \\\n"
        "    --smooth-shapes --page-style css docs/round-buttons.dat"));
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/menu.txt", "Home\nProducts\nContact\n"));
    const Process run =
        Start({"--captions", "menu.txt", "--out", "round/img", "--html-out", "round", "--scale", "2",
               "--smooth", "--smooth-shapes", "--page-style", "css", settingsFile},
              dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("\n13 files written (")) << run.out.toStdString();
    EXPECT_EQ(QDir(dir.path() + "/round/img").entryList(QDir::Files, QDir::Name).size(), 12);
    EXPECT_EQ(QImage(dir.path() + "/round/img/u_home.png").size(), QSize(92, 32));
    EXPECT_EQ(QImage(dir.path() + "/round/img/u_home@2x.png").size(), QSize(184, 64));
    EXPECT_TRUE(testsupport::ReadAll(dir.path() + "/round/index.htm")
                    .contains("<img class=\"out\" src=\"img/u_home.png\" srcset=\"img/u_home@2x.png 2x\" "
                              "width=\"92\" height=\"32\" alt=\"Home\">"));
    // The README's picture is there, and small.
    const QFileInfo picture(QFileInfo(readme).absolutePath() + "/docs/css-rollover-2x-png.png");
    EXPECT_TRUE(picture.exists());
    EXPECT_LT(picture.size(), 16 * 1024);
}

TEST(KestroBatch, LatinFileNamesFromTheWindowsChoiceAndFromTheCommandLineAndAReportThatKeepsEveryCaption) {
    QTemporaryDir dir;
    Window started(dir.path());
    app::TForm1& form = started.form;
    settings::AppSettings& s = form.Settings();
    s.targetFolder = dir.path() + "/site/";
    s.statusReports = true;
    const QStringList captions = {"Home", "\u00dcber uns", "\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b",
                                  "\u88fd\u54c1", "\u0645\u0631\u062d\u0628\u0627"};
    s.captions.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 0; r < captions.size(); ++r) {
        s.captions.SetCell(r + 1, 0, captions[r]);
    }
    output::RecalculateFilenames(s);
    ASSERT_TRUE(QDir(dir.path()).mkdir("scratch"));
    const QString scratch = dir.path() + "/scratch/";
    // The settings without the choice: the names as always, and the key left out.
    ASSERT_TRUE(project::SaveSettings(scratch + "plain.dat", s));
    EXPECT_FALSE(testsupport::ReadAll(scratch + "plain.dat").contains("\r\n143,"));
    const auto names = [&s] {
        QStringList column;
        for (int r = 1; r < s.captions.RowCount(); ++r) {
            column.append(s.captions.Cell(r, 1));
        }
        return column;
    };
    EXPECT_EQ(names(), (QStringList{"u_home.gif", "u_ber_uns.gif", "u_.gif", "u1.gif", "u2.gif"}));

    // The File page's box, clicked: the list is named again at once.
    app::TFilePage& page = *form.filePage;
    EXPECT_EQ(page.LatinNamesCheckBox->text(), QStringLiteral("Latin file names"));
    EXPECT_FALSE(page.LatinNamesCheckBox->isChecked());
    page.LatinNamesCheckBox->click();
    EXPECT_TRUE(s.latinNames);
    const QStringList latin = {"u_home.gif", "u_uber_uns.gif", "u_kontakty.gif", "u_zhi_pin.gif",
                               "u_mrhba.gif"};
    EXPECT_EQ(names(), latin);
    ASSERT_TRUE(project::SaveSettings(scratch + "latin.dat", s));
    EXPECT_TRUE(
        testsupport::ReadAll(scratch + "latin.dat").endsWith("/* Latin file names ? */\r\n143,Y\r\n"));
    form.SaveBatchButtonClick();
    ASSERT_TRUE(started.dialogs.History().isEmpty()) << started.dialogs.Messages().join("|").toStdString();
    QStringList written = QDir(dir.path() + "/site").entryList({"u_*"}, QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"u_home.gif", "u_kontakty.gif", "u_mrhba.gif", "u_uber_uns.gif",
                                    "u_zhi_pin.gif"}));
    // The window's report holds the captions as typed: UTF-8 after its byte order mark.
    const QByteArray windowReport = testsupport::ReadAll(form.DataFolder() + "Report.txt");
    ASSERT_TRUE(windowReport.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(QString::fromUtf8(windowReport)
                    .contains("\r\n\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b" + QString(24, ' ') +
                              "u_kontakty.gif"));
    // Unchecked again: the names as always.
    page.LatinNamesCheckBox->click();
    EXPECT_FALSE(s.latinNames);
    EXPECT_EQ(names().at(1), QStringLiteral("u_ber_uns.gif"));

    // The tool: --latin-names on the settings without the choice, and the settings with it alone,
    // give the window's names and report.
    for (const auto& [file, arguments] :
         {std::pair{QStringLiteral("plain.dat"), QStringList{"--latin-names"}},
          std::pair{QStringLiteral("latin.dat"), QStringList{}}}) {
        const QString out = "out-" + QFileInfo(file).baseName();
        const Process run =
            Start(arguments + QStringList{"--out", out, "--report", out + ".txt", file}, scratch);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(QDir(scratch + out).entryList({"u_*"}, QDir::Files, QDir::Name), written)
            << file.toStdString();
        const QByteArray report = testsupport::ReadAll(scratch + out + ".txt");
        EXPECT_TRUE(report.startsWith("\xEF\xBB\xBFPlumeric : Status Report Produced "));
        EXPECT_EQ(WithoutDate(report).replace(scratch.toUtf8() + out.toUtf8(), "FOLDER"),
                  WithoutDate(windowReport).replace(QByteArray(dir.path().toUtf8() + "/site"), "FOLDER"));
    }
    // Without either, the tool names as always: the Cyrillic caption loses all its letters.
    const Process plain = Start({"--out", "plain", "--report", "plain.txt", "plain.dat"}, scratch);
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(scratch + "plain/u_.gif"));
    // Its report still keeps every caption.
    EXPECT_TRUE(testsupport::ReadAll(scratch + "plain.txt").startsWith("\xEF\xBB\xBF"));
}

TEST(KestroBatch, CaptionsWiderThanTheirFixedShapeAreWrittenAndToldOfByTheWindowAndTheTool) {
    QTemporaryDir dir;
    Window started(dir.path());
    settings::AppSettings& s = started.form.Settings();
    s.targetFolder = dir.path() + "/site/";
    // Ellipses 20 pixels wide: none of the seven default captions fits, in either type.
    for (settings::ButtonStyle& b : s.button) {
        b.backgroundMode = settings::kColourFixedSize;
        b.width = QStringLiteral("20");
        b.height = QStringLiteral("24");
        b.shape = 2;
    }
    ASSERT_TRUE(project::SaveSettings(dir.path() + "/settings.dat", s));
    started.form.SaveBatchButtonClick();
    EXPECT_EQ(started.form.StatusText(),
              QStringLiteral(
                  "7 captions done (14 files written, 0 kept); 7 captions do not fit inside their shape"));
    ASSERT_TRUE(QDir(dir.path()).rename("site", "site-window"));

    const Process run = Start({"settings.dat"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.err.trimmed().split('\n');
    EXPECT_EQ(lines.size(), 14) << run.err.toStdString();
    EXPECT_TRUE(
        run.err.startsWith("kestro-batch: warning: the caption \"Home\" does not fit inside the shape of "
                           "type 1 buttons at their width; it is drawn as it is\n"
                           "kestro-batch: warning: the caption \"Home\" does not fit inside the shape of "
                           "type 2 buttons at their width"))
        << run.err.toStdString();
    const QStringList names = QDir(dir.path() + "/site").entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names.size(), 14);
    for (const QString& name : names) {
        EXPECT_TRUE(testsupport::ReadAll(dir.path() + "/site/" + name) ==
                    testsupport::ReadAll(dir.path() + "/site-window/" + name))
            << name.toStdString();
    }
}

TEST(KestroBatch, SmoothShapeEdgesFromTheShapePageAndFromTheCommandLineAreTheSameBytes) {
    QTemporaryDir dir;
    Window started(dir.path());
    app::TForm1& form = started.form;
    settings::AppSettings& s = form.Settings();
    s.targetFolder = dir.path() + "/site/";
    s.fileType = settings::kFileTypePng;
    s.button[settings::kType1].shape = 2;                                 // "Ellipse"
    s.button[settings::kType2].shape = settings::kShapeRoundedRectangle;  // without a radius
    s.captions.SetRowCount(3);
    output::RecalculateFilenames(s);
    form.SettingsToControls();
    ASSERT_TRUE(QDir(dir.path()).mkdir("scratch"));
    const QString scratch = dir.path() + "/scratch/";
    ASSERT_TRUE(project::SaveSettings(scratch + "plain.dat", s));

    // The page's boxes, ticked: the model follows, and the settings file holds the keys.
    for (const int t : {settings::kType1, settings::kType2}) {
        QCheckBox* box = form.shapeFillPage->type[static_cast<std::size_t>(t)].SmoothEdgesCheckBox;
        EXPECT_EQ(box->text(), QStringLiteral("Smooth shape edges"));
        ASSERT_TRUE(box->isEnabled());
        EXPECT_FALSE(box->isChecked());
        box->click();
        EXPECT_TRUE(s.button[static_cast<std::size_t>(t)].smoothEdges);
    }
    ASSERT_TRUE(project::SaveSettings(scratch + "smooth.dat", s));
    EXPECT_TRUE(testsupport::ReadAll(scratch + "smooth.dat").contains("\r\n133,Y\r\n"));
    form.SaveBatchButtonClick();
    const QMap<QString, QByteArray> window = FilesIn(dir.path() + "/site");
    ASSERT_EQ(window.size(), 4);
    // Partly transparent pixels along the outline.
    const QImage round(dir.path() + "/site/" + window.lastKey());
    bool partial = false;
    for (int x = 0; x < round.width() && !partial; ++x) {
        for (int y = 0; y < round.height() && !partial; ++y) {
            partial = qAlpha(round.pixel(x, y)) > 0 && qAlpha(round.pixel(x, y)) < 255;
        }
    }
    EXPECT_TRUE(partial) << window.lastKey().toStdString();
    ExpectTheToolWritesTheWindowsFiles(scratch, window, "smooth.dat", "--smooth-shapes",
                                       [](const QString&) { return true; });
}

TEST(KestroBatch, TheHtmlPagesLanguageSpacingAndSnippetFromTheWindowAndFromTheToolAreTheSameBytes) {
    QTemporaryDir dir;
    Window started(dir.path());
    app::TForm1& form = started.form;
    settings::AppSettings& s = form.Settings();
    s.targetFolder = dir.path() + "/site/";
    s.statusReports = true;
    s.pageStyle = settings::kPageStyleCss;
    s.captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(s);
    ASSERT_TRUE(QDir(dir.path()).mkdir("scratch"));
    const QString scratch = dir.path() + "/scratch/";

    // Typed on the HTML page: the model follows; the snippet's box is left for --snippet first.
    app::THtmlPage& html = *form.htmlPage;
    html.PageLanguageEdit->setText(QStringLiteral("de-CH"));
    html.ButtonSpacingEdit->setText(QStringLiteral("5"));
    html.NavigationLabelEdit->setText(QStringLiteral("Haupt"));
    EXPECT_EQ(s.pageLanguage, QStringLiteral("de-CH"));
    EXPECT_EQ(s.buttonSpacing, 5);
    EXPECT_EQ(s.navigationLabel, QStringLiteral("Haupt"));
    ASSERT_TRUE(project::SaveSettings(scratch + "plain.dat", s));
    html.NavigationSnippetCheckBox->click();
    EXPECT_TRUE(s.navigationSnippet);
    ASSERT_TRUE(project::SaveSettings(scratch + "snippet.dat", s));
    EXPECT_TRUE(testsupport::ReadAll(scratch + "snippet.dat")
                    .endsWith("140,de-CH\r\n/* Space between buttons (pixels) */\r\n141,5\r\n"));

    form.generatehtmlbuttonClick();
    ASSERT_TRUE(started.dialogs.History().isEmpty()) << started.dialogs.History().first().text.toStdString();
    const QMap<QString, QByteArray> window = FilesIn(dir.path() + "/site");
    ASSERT_TRUE(window.contains("navigation.html") && window.contains("navigation.css"));
    EXPECT_TRUE(window["navigation.html"].startsWith("<nav class=\"plumeric-nav\" aria-label=\"Haupt\">"));
    EXPECT_TRUE(window["home.htm"].startsWith("<!DOCTYPE html>\r\n<html lang=\"de-CH\">"));
    EXPECT_TRUE(window["navigation.css"].contains("gap: 5px;"));
    const QByteArray windowReport = WithoutDate(testsupport::ReadAll(form.DataFolder() + "Report.txt"));
    EXPECT_TRUE(windowReport.contains("Navigation style sheet")) << windowReport.toStdString();
    ASSERT_TRUE(QDir(dir.path()).rename("site", "site-window"));

    // The tool on the settings with the snippet, and with --snippet (no --html) on the settings
    // without it: the window's pages, snippet and report.
    ExpectEachRunWritesTheWindowsSite(
        scratch, dir.path() + "/site", window, windowReport,
        {{"from-file.txt", {"--html", "snippet.dat"}}, {"from-option.txt", {"--snippet", "plain.dat"}}});
}
