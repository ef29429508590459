#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "platform/FileWriting.h"
#include "project/ProjectFile.h"
#include "settings/DefaultSettings.h"

// The real kestro-batch interrupted, racing another run, and failing to write its pages.
namespace {

class BatchInterruptTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::AppSettings s;
        settings::ApplyDefaultSettings(s, {QStringLiteral("DejaVu Sans")}, dir.path() + "/");
        s.targetFolder = Out("");
        s.statusReports = true;
        ASSERT_TRUE(project::SaveSettings(dir.path() + "/settings.dat", s));
    }
    QString Out(const QString& name) const { return dir.path() + "/out/" + name; }
    // A caption list of `count` captions.
    QString Captions(int count) const {
        QByteArray text;
        for (int i = 1; i <= count; ++i) {
            text += "Caption number " + QByteArray::number(i) + "\n";
        }
        const QString path = dir.path() + QStringLiteral("/captions-%1.txt").arg(count);
        EXPECT_TRUE(testsupport::WriteAll(path, text));
        return path;
    }
    void Start(QProcess& process, const QStringList& arguments) const {
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KESTRO_BATCH_BINARY),
                      arguments + QStringList{dir.path() + "/settings.dat"});
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    QStringList Files() const {
        return QDir(Out("")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                       QDir::Name);
    }
    // Every file in the output folder is a whole image (pages aside).
    void ExpectWholeImages() const {
        for (const QString& name : Files()) {
            if (name.endsWith(".gif")) {
                EXPECT_FALSE(QImage(Out(name)).isNull()) << name.toStdString();
            }
        }
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(BatchInterruptTest, ATerminationRequestAbandonsTheRunAndLeavesNothingBehind) {
    const QString captions = Captions(5000);
    for (const int signal : {SIGTERM, SIGINT}) {
        QDir(Out("")).removeRecursively();
        QProcess process;
        Start(process, {"--captions", captions, "--html", "--report", dir.path() + "/report.txt"});
        // Stop it once it is well into the batch.
        for (int i = 0; i < 2000 && Files().size() < 40; ++i) {
            QTest::qWait(5);
        }
        ASSERT_GE(Files().size(), 40);
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), signal == SIGTERM ? 143 : 130);
        const QByteArray err = process.readAllStandardError();
        EXPECT_EQ(err, QByteArray("kestro-batch: stopped by ") + (signal == SIGTERM ? "SIGTERM" : "SIGINT") +
                           "; no further files, pages or report have been written.\n");
        // What was written is printed, file by file and in the summary, and is all there is.
        const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        ASSERT_GE(lines.size(), 2);
        const QByteArray summary = lines.at(lines.size() - 2);
        const QStringList files = Files();
        EXPECT_TRUE(summary.startsWith(QByteArray::number(files.size()) + " files written"))
            << summary.toStdString() << " / " << files.size();
        EXPECT_EQ(lines.size() - 2, files.size());
        for (const QString& name : files) {
            EXPECT_TRUE(name.endsWith(".gif")) << name.toStdString();  // no page, no temporary, no test file
        }
        EXPECT_LT(files.size(), 10000);
        EXPECT_FALSE(QFile::exists(dir.path() + "/report.txt"));
        ExpectWholeImages();
    }
}

TEST_F(BatchInterruptTest, TwoRunsIntoOneFolderBothSucceed) {
    const QString captions = Captions(1500);
    QProcess first;
    QProcess second;
    Start(first, {"--captions", captions, "--quiet"});
    Start(second, {"--captions", captions, "--quiet", "--format", "gif"});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    const QStringList files = Files();
    EXPECT_EQ(files.size(), 3000);
    for (const QString& name : files) {
        EXPECT_FALSE(platform::IsTemporaryName(name)) << name.toStdString();
    }
    ExpectWholeImages();
}

TEST_F(BatchInterruptTest, APageThatCannotBeWrittenIsNamedWithItsReasonAndFailsTheRun) {
    ASSERT_TRUE(QDir().mkpath(Out("home.htm/inside")));
    QProcess process;
    Start(process, {"--html", "--quiet"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    // In the tool's own words: the page and the reason, on one line.
    EXPECT_EQ(process.readAllStandardError(),
              "kestro-batch: cannot write the page \"" + Out("home.htm").toUtf8() + "\": Is a directory\n");
    EXPECT_TRUE(QFile::exists(Out("contacts.htm")));  // the other pages are still written
}
