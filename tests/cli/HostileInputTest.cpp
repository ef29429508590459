#include <gtest/gtest.h>

#include <sys/stat.h>
#include <csignal>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include "BatchProgram.h"
#include "TestSupport.h"

// The real kestro-batch given settings and caption files that are broken or made to do harm.
namespace {

using batchprogram::Outcome;

Outcome Start(const QStringList& arguments, const QString& folder) {
    return batchprogram::Start(arguments, folder, 60000);
}

// Every file of a folder with its bytes.
QMap<QString, QByteArray> Files(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        files[name] = testsupport::ReadAll(folder + "/" + name);
    }
    return files;
}

class HostileInput : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir.path() + "/" + name; }
    // A settings file of the given lines, CR LF ended, holding the captions Home and About.
    void Settings(const QString& name, const QByteArray& lines) const {
        ASSERT_TRUE(testsupport::WriteAll(Path(name), lines + "100,Home\r\n100,About\r\n"));
    }
    Outcome Batch(const QStringList& arguments) const { return Start(arguments, dir.path()); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(HostileInput, ButtonsTooLargeForTheirFilesAreRefusedBeforeAnyFileAndGoodFilesStay) {
    // Good buttons first: smart sizing (the default mode), GIF files.
    Settings("good.dat", "22,5\r\n");
    const Outcome good = Batch({"--quiet", "--out", "site", "good.dat"});
    ASSERT_EQ(good.status, 0) << good.err.toStdString();
    const QMap<QString, QByteArray> before = Files(Path("site"));
    ASSERT_EQ(before.keys(), (QStringList{"d_about.gif", "d_home.gif", "u_about.gif", "u_home.gif"}));

    const QString tail = "\nkestro-batch: No buttons have been saved.\n";
    QImage tall(2, 16385, QImage::Format_RGB32);
    tall.fill(Qt::gray);
    ASSERT_TRUE(tall.save(Path("tall.bmp")));
    struct Case {
        QByteArray lines;
        QStringList options;
        QString error;
    };
    const QList<Case> cases = {
        // A spacing of 99999999 wrote GIFs of width 0 over the good ones and exited 0.
        {"22,99999999\r\n", {}, "Type 1 buttons would be 1000000"},
        {"23,99999999\r\n", {}, "Type 2 buttons would be 1000000"},
        // The largest spacing there is: the width is held at the integer limit, it does not wrap round.
        {"22,2147483647\r\n",
         {},
         "Type 1 buttons would be 2147483647 x 30 pixels for \"Home\"; an image can be at most 16384 x "
         "16384 pixels. Change its spacing on the Buttons page or its font size on the Font page." +
             tail},
        // A fixed width of 100000 stopped the batch with the GIF writer's "Invalid image dimensions".
        {"1,1\r\n5,100000\r\n",
         {},
         "Type 1 buttons would be 100000 x 30 pixels for \"Home\"; an image can be at most 16384 x 16384 "
         "pixels. Change its width on the Buttons page." +
             tail},
        // The height fields hold at most 2000; a bitmap gives the button its own size.
        {"1,0\r\n7,tall.bmp\r\n",
         {},
         "Type 1 buttons would be 2 x 16385 pixels for \"Home\"; an image can be at most 16384 x 16384 "
         "pixels. Change its background bitmap on the Buttons page." +
             tail},
        // At the limit the button itself is written, but not its image for high-density screens.
        {"1,1\r\n5,16384\r\n6,20\r\n",
         {"--scale", "2"},
         "Type 1 buttons would be 32768 x 40 pixels at 2\u00d7 for \"Home\"; an image can be at most 16384 x "
         "16384 pixels. Change its width on the Buttons page, or untick \"Also write images for "
         "high-density screens (2\u00d7)\"." +
             tail},
    };
    for (const Case& c : cases) {
        Settings("bad.dat", c.lines);
        const Outcome bad = Batch(QStringList{"--out", "site"} + c.options + QStringList{"bad.dat"});
        EXPECT_EQ(bad.status, 1) << c.lines.toStdString();
        EXPECT_TRUE(QString::fromUtf8(bad.err).startsWith("kestro-batch: " + c.error.left(40)))
            << bad.err.toStdString();
        if (c.error.endsWith(tail)) {
            EXPECT_EQ(QString::fromUtf8(bad.err), "kestro-batch: " + c.error);
        } else {
            EXPECT_TRUE(bad.err.endsWith(tail.toUtf8())) << bad.err.toStdString();
        }
        EXPECT_EQ(bad.out, QByteArray());
        EXPECT_EQ(Files(Path("site")), before) << c.lines.toStdString();
    }

    // The largest button that may be written is written, and reads back at its size.
    Settings("edge.dat", "1,1\r\n5,16384\r\n6,1\r\n110,N\r\n");
    const Outcome edge = Batch({"--quiet", "--out", "edge", "edge.dat"});
    ASSERT_EQ(edge.status, 0) << edge.err.toStdString();
    EXPECT_EQ(QImage(Path("edge/u_home.gif")).size(), QSize(16384, 1));
}

TEST_F(HostileInput, OnlyRegularFilesOfASaneSizeAreReadAsSettingsOrCaptions) {
    Settings("good.dat", "");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe")).constData(), 0600), 0);
    // 16 MiB and one byte, as a sparse file: larger than any settings file or caption list.
    QFile large(Path("large.txt"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(16 * 1024 * 1024 + 1));
    large.close();
    // The largest file that is read: 16 MiB of one caption line padded with blanks.
    QByteArray edge = "Edge\r\n";
    edge.append(QByteArray(16 * 1024 * 1024 - edge.size(), ' '));
    ASSERT_TRUE(testsupport::WriteAll(Path("edge.txt"), edge));

    // /dev/zero grew to gigabytes of memory; a pipe blocked for ever.
    const struct {
        QStringList arguments;
        QString error;
    } cases[] = {
        {{"/dev/zero"}, "cannot read the settings file \"/dev/zero\": Not a regular file"},
        {{"pipe"}, "cannot read the settings file \"pipe\": Not a regular file"},
        {{"large.txt"}, "cannot read the settings file \"large.txt\": it is larger than 16 MiB"},
        {{"."}, "cannot read the settings file \".\": it is a folder"},
        {{"--captions", "/dev/zero", "good.dat"},
         "cannot read the caption list \"/dev/zero\": Not a regular file"},
        {{"--captions", "pipe", "good.dat"}, "cannot read the caption list \"pipe\": Not a regular file"},
        {{"--captions", "large.txt", "good.dat"},
         "cannot read the caption list \"large.txt\": it is larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        const Outcome run = Batch(QStringList{"--out", "site"} + c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(run.err), "kestro-batch: " + c.error + "\n");
        EXPECT_FALSE(QFileInfo::exists(Path("site/u_home.gif")));
    }
    const Outcome atTheLimit = Batch({"--quiet", "--out", "site", "--captions", "edge.txt", "good.dat"});
    EXPECT_EQ(atTheLimit.status, 0) << atTheLimit.err.toStdString();
    EXPECT_EQ(QDir(Path("site")).entryList(QDir::Files), (QStringList{"d_edge.gif", "u_edge.gif"}));
}

TEST_F(HostileInput, EveryTerminationSignalEndsTheRunWithItsOwnStatus) {
    // A long batch: many captions in large images, on one thread.
    QByteArray captions;
    for (int i = 0; i < 400; ++i) {
        captions += "Caption " + QByteArray::number(i) + "\r\n";
    }
    ASSERT_TRUE(testsupport::WriteAll(Path("many.txt"), captions));
    Settings("big.dat", "1,1\r\n5,2000\r\n6,800\r\n8,1\r\n12,2000\r\n13,800\r\n");
    for (const int signal : {SIGHUP, SIGINT, SIGTERM}) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        const QString out = QStringLiteral("out%1").arg(signal);
        process.start(QStringLiteral(KESTRO_BATCH_BINARY), {"--threads", "1", "--format", "bmp", "--out", out,
                                                            "--captions", "many.txt", "big.dat"});
        ASSERT_TRUE(process.waitForStarted());
        // The first file is there: the batch is running.
        for (int i = 0; i < 800 && !QFileInfo::exists(Path(out + "/u_caption_0.bmp")); ++i) {
            process.waitForFinished(25);
        }
        ASSERT_TRUE(QFileInfo::exists(Path(out + "/u_caption_0.bmp")));
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(process.exitCode(), 128 + signal);
        const QByteArray err = process.readAllStandardError();
        EXPECT_TRUE(err.contains(signal == SIGHUP   ? "stopped by SIGHUP"
                                 : signal == SIGINT ? "stopped by SIGINT"
                                                    : "stopped by SIGTERM"))
            << err.toStdString();
        // Nothing half-written: every file is whole, and no temporary is left.
        for (const QString& name : QDir(Path(out)).entryList(QDir::Files | QDir::Hidden)) {
            EXPECT_TRUE(name.endsWith(".bmp")) << name.toStdString();
            EXPECT_EQ(QImage(Path(out + "/" + name)).size(), QSize(2000, 800)) << name.toStdString();
        }
    }
}

TEST_F(HostileInput, ColoursThatAreNotColoursTakeTheDefaultAndPagesCarryOnlyHexDigits) {
    // The page colour ended the attribute and put markup into the page; the text colour put a rule
    // into the style sheet.
    Settings("bad.dat", "87,00FF\"><s\r\n88,#ac;b23\r\n4,red\r\n");
    Settings("plain.dat", "");
    for (const QString style : {"classic", "css"}) {
        const Outcome bad =
            Batch({"--page-style", style, "--out", "bad-" + style, "--html-out", "bad-" + style, "bad.dat"});
        ASSERT_EQ(bad.status, 0) << bad.err.toStdString();
        EXPECT_EQ(
            QString::fromUtf8(bad.err),
            "kestro-batch: warning: the settings file \"bad.dat\", line 1: \"00FF\"><s\" is not a colour "
            "of eight hexadecimal digits; it is ignored\n"
            "kestro-batch: warning: the settings file \"bad.dat\", line 2: \"#ac;b23\" is not a colour of "
            "eight hexadecimal digits; it is ignored\n"
            "kestro-batch: warning: the settings file \"bad.dat\", line 3: \"red\" is not a colour of "
            "eight hexadecimal digits; it is ignored\n");
        const Outcome plain = Batch({"--quiet", "--page-style", style, "--out", "plain-" + style,
                                     "--html-out", "plain-" + style, "plain.dat"});
        ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
        // The files of the defaults, byte for byte: images and pages (which name their own folder).
        QMap<QString, QByteArray> files = Files(Path("bad-" + style));
        for (QByteArray& bytes : files) {
            bytes.replace("/bad-", "/plain-");
        }
        EXPECT_EQ(files, Files(Path("plain-" + style)));
        const QByteArray page = testsupport::ReadAll(Path("bad-" + style + "/home.htm"));
        EXPECT_FALSE(page.contains("\"><s")) << page.toStdString();
        EXPECT_FALSE(page.contains("ac;b23"));
        EXPECT_TRUE(page.contains(style == "classic" ? "bgcolor=\"#FFFFFF\"" : "background-color: #FFFFFF;"));
    }
}

TEST_F(HostileInput, MessagesQuoteValuesShortAndWithTheirControlCharactersEscaped) {
    // A settings file of random bytes was quoted whole, escape sequences included.
    QByteArray noise = "\x1b]0;owned\x07\x1b[31m";
    for (int i = 0; i < 300; ++i) {
        noise.append(static_cast<char>('A' + i % 26));
    }
    ASSERT_TRUE(testsupport::WriteAll(Path("noise.dat"), noise + ",5\r\n"));
    const Outcome run = Batch({"noise.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.contains('\x1b'));
    EXPECT_FALSE(run.err.contains('\x07'));
    // 59 characters of the value as shown, then the ellipsis.
    const QString shown = QString("\\x1b]0;owned\\x07\\x1b[31m") + "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHI";
    ASSERT_EQ(shown.size(), 59);
    EXPECT_EQ(QString::fromUtf8(run.err),
              "kestro-batch: the settings file \"noise.dat\", line 1, could not be "
              "processed: '" +
                  shown + "\u2026' is not a valid integer value\n");

    // A caption named in a message: cut, and its escape shown, not sent.
    ASSERT_TRUE(testsupport::WriteAll(Path("caps.txt"), "\x1b[2J" + QByteArray(100, 'W') + "\r\n"));
    Settings("wide.dat", "22,99999999\r\n");
    const Outcome caption = Batch({"--out", "site", "--captions", "caps.txt", "wide.dat"});
    EXPECT_EQ(caption.status, 1);
    EXPECT_FALSE(caption.err.contains('\x1b'));
    EXPECT_TRUE(caption.err.contains("for \"\\x1b[2J" + QByteArray(52, 'W') + "\xe2\x80\xa6\";"))
        << caption.err.toStdString();
}
