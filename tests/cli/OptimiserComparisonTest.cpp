#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "cli/BatchRunner.h"
#include "encode/DecoderSupport.h"
#include "platform/Folders.h"
#include "settings/SettingsLists.h"
#include "tools/SampleBackgrounds.h"

// The PNG and WebP files of three kinds of button against what the common optimisers make of the
// same pixels: no PNG larger than `optipng -o7` makes it, no WebP larger than 1.02 times what
// `cwebp -lossless -z 9` makes. The kinds: the default buttons with the seven default captions,
// the round gradient buttons of docs/round-buttons.dat at twice the size with smooth captions, and
// buttons on each sample background.
namespace {

struct ButtonSet {
    QString name;
    QString settingsFile;
    QStringList captions;
    bool twice = false;
};

bool RunTool(const ButtonSet& set, int fileType, const QString& out, const QString& work, QString& error) {
    const QString captions = work + "/" + set.name + "-captions.txt";
    testsupport::WriteAll(captions, set.captions.join('\n').toUtf8() + "\n");
    cli::BatchOptions options;
    options.settingsFile = set.settingsFile;
    options.captionsFile = captions;
    options.outFolder = out;
    options.fileType = fileType;
    options.quiet = true;
    if (set.twice) {
        options.scale = 2;
        options.smooth = true;
    }
    QString printed;
    QString errors;
    QTextStream o(&printed);
    QTextStream e(&errors);
    cli::TBatchRunner runner(options, o, e, platform::LocateFolders(work + "/"));
    const int status = runner.Run();
    e.flush();
    error = errors;
    return status == cli::kExitOk;
}

// One optimiser's run over one file, and the size of what it wrote (-1 when it failed).
struct OptimiserRun {
    QString program;
    QStringList arguments;
    QString result;
    qint64 size = -1;
};

// Runs every optimiser as many at a time as there are cores: each run is one thread of its own, and
// -o7 over 58 files one after another is most of this test's time.
void RunAll(std::vector<OptimiserRun>& runs) {
    const std::size_t atOnce = std::max(1, QThread::idealThreadCount());
    std::vector<std::unique_ptr<QProcess>> running(runs.size());
    std::size_t next = 0;
    std::size_t finished = 0;
    while (finished < runs.size()) {
        while (next < runs.size() && next - finished < atOnce) {
            running[next] = std::make_unique<QProcess>();
            running[next]->start(runs[next].program, runs[next].arguments);
            ++next;
        }
        // Runs end in about the order they started, so waiting for the oldest keeps the cores busy.
        QProcess& oldest = *running[finished];
        if (oldest.waitForFinished(300000) && oldest.exitStatus() == QProcess::NormalExit &&
            oldest.exitCode() == 0) {
            runs[finished].size = QFileInfo(runs[finished].result).size();
        }
        running[finished].reset();
        ++finished;
    }
}

}  // namespace

TEST(Optimisers, NoPngIsLargerThanOptipngMakesItAndNoWebpLargerThanCwebpWithAMarginOfTwoPercent) {
    const QString optipng = QStandardPaths::findExecutable("optipng");
    const QString cwebp = QStandardPaths::findExecutable("cwebp");
    if (optipng.isEmpty() || cwebp.isEmpty()) {
        GTEST_SKIP() << "optipng or cwebp is not installed (scripts/install-deps.sh installs optipng and "
                        "webp): the files were not compared with the optimisers";
    }
    QTemporaryDir dir;
    const QString work = dir.path();
    testsupport::WriteAll(work + "/defaults.dat", "/* the defaults */\r\n");
    std::vector<ButtonSet> sets = {
        {"defaults",
         work + "/defaults.dat",
         {"Home", "Contacts", "Products", "Services", "Support", "Search", "Links"}},
        {"round",
         QFileInfo(QStringLiteral(PLUMERIC_README)).absolutePath() + "/docs/round-buttons.dat",
         {"Home", "Products", "Contact"},
         true},
    };
    ASSERT_GT(samples::WriteSampleBackgrounds(work + "/samples"), 0);
    for (const QString& sample : QDir(work + "/samples").entryList(QDir::Files)) {
        // Both types on the bitmap, the button as large as it.
        const QString path = work + "/samples/" + sample;
        const QString file = work + "/" + sample + ".dat";
        testsupport::WriteAll(file, ("1,0\r\n7," + path + "\r\n8,0\r\n14," + path + "\r\n").toUtf8());
        sets.push_back({sample, file, {"Home", "Products"}});
    }
    struct Compared {
        QString png;
        QString webp;
        std::size_t optipng;
        std::size_t cwebp;
    };
    std::vector<Compared> compared;
    std::vector<OptimiserRun> runs;
    for (const ButtonSet& set : sets) {
        SCOPED_TRACE(set.name.toStdString());
        QString error;
        const QString pngFolder = work + "/out/" + set.name + "/png";
        const QString webpFolder = work + "/out/" + set.name + "/webp";
        ASSERT_TRUE(RunTool(set, settings::kFileTypePng, pngFolder, work, error)) << error.toStdString();
        ASSERT_TRUE(RunTool(set, settings::kFileTypeWebp, webpFolder, work, error)) << error.toStdString();
        const QStringList files = QDir(pngFolder).entryList({"*.png"}, QDir::Files);
        ASSERT_EQ(files.size(), static_cast<qsizetype>(set.captions.size() * (set.twice ? 4 : 2)));
        for (const QString& name : files) {
            const QString png = pngFolder + "/" + name;
            const QString base = QFileInfo(name).completeBaseName();
            const QString optimised = work + "/out/" + set.name + "/" + base + ".optipng.png";
            const QString reference = work + "/out/" + set.name + "/" + base + ".cwebp.webp";
            compared.push_back({png, webpFolder + "/" + base + ".webp", runs.size(), runs.size() + 1});
            runs.push_back({optipng, {"-quiet", "-o7", "-out", optimised, png}, optimised});
            runs.push_back({cwebp, {"-quiet", "-lossless", "-z", "9", png, "-o", reference}, reference});
        }
    }
    RunAll(runs);
    for (const Compared& c : compared) {
        SCOPED_TRACE(c.png.toStdString());
        const qint64 optimised = runs[c.optipng].size;
        ASSERT_GT(optimised, 0);
        EXPECT_LE(QFileInfo(c.png).size(), optimised);
        const qint64 reference = runs[c.cwebp].size;
        ASSERT_GT(reference, 0);
        EXPECT_LE(QFileInfo(c.webp).size() * 100, reference * 102) << reference;
        // Both files show the same pixels.
        EXPECT_TRUE(
            decodertest::ShowsTheSame(QImage(c.png), decodertest::DecodeWebp(testsupport::ReadAll(c.webp))));
    }
    EXPECT_EQ(compared.size(), static_cast<std::size_t>(7 * 2 + 3 * 4 + 8 * 2 * 2));
}
