#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <mutex>
#include <stdexcept>

#include "TestSupport.h"
#include "output/ButtonBatch.h"
#include "output/RenderAhead.h"
#include "platform/ScriptedDialogs.h"
#include "settings/DefaultSettings.h"

using namespace output;

TEST(RenderAheadTest, JobsComeInOrderWithinTheLookaheadAndErrorsReachTheirOwnJob) {
    for (const int workers : {0, 1, 3}) {
        std::atomic<int> taken{0};
        std::atomic<int> furthest{-1};
        std::atomic<bool> beyond{false};
        constexpr int kLookahead = 3;
        {
            RenderAhead ahead(
                50,
                [&](int i) {
                    // No job starts while the one `kLookahead` places before it has not been taken.
                    if (i >= taken + kLookahead) {
                        beyond = true;
                    }
                    int seen = furthest;
                    while (i > seen && !furthest.compare_exchange_weak(seen, i)) {
                    }
                    if (i == 30) {
                        throw std::runtime_error("job 30");
                    }
                    return QByteArray::number(i * 7);
                },
                workers, kLookahead);
            for (int i = 0; i < 30; ++i) {
                ++taken;  // counted before it is handed over: workers may move on while Take returns
                EXPECT_EQ(ahead.Take(i), QByteArray::number(i * 7)) << workers;
            }
            ++taken;
            EXPECT_THROW(
                {
                    try {
                        ahead.Take(30);
                    } catch (const std::runtime_error& e) {
                        EXPECT_STREQ(e.what(), "job 30");
                        throw;
                    }
                },
                std::runtime_error);
            EXPECT_THROW(ahead.Take(5), std::logic_error);  // out of order
        }
        EXPECT_FALSE(beyond) << workers;
        EXPECT_LE(furthest, 30 + kLookahead) << workers;  // stopped with the lookahead, not at 49
    }
}

namespace {

// Faces that differ by caption; the caption "Broken" cannot be rendered for type 2.
class CaptionFaces : public ButtonRenderer, public BatchFaces {
  public:
    std::shared_ptr<const BatchFaces> PlanBatch() override {
        return std::shared_ptr<const BatchFaces>(std::shared_ptr<void>(), this);
    }
    std::optional<QString> UnreadableBitmap(int) const override { return std::nullopt; }
    QSize FaceSize(int, const QString&) const override { return {12, 6}; }
    QImage Picture(int type, const QString& caption, int) const override {
        if (caption == "Broken" && type == settings::kType2) {
            throw std::runtime_error("no face for Broken");
        }
        QImage face(12, 6, QImage::Format_RGB32);
        const int n = caption.mid(8).toInt();  // "Caption N"
        face.fill(qRgb(n % 6 * 51, n / 6 % 6 * 51, type == settings::kType1 ? 0 : 255));
        return face;
    }
    QImage PressedPicture(int type, const QString& caption, int scale) const override {
        QImage face = Picture(type, caption, scale);
        face.invertPixels();
        return face;
    }
};

}  // namespace

TEST(ThreadedBatchTest, FilesQuestionsAndErrorsFollowTheCaptionOrderOnEveryWorkerCount) {
    for (const int threads : {1, 4}) {
        QTemporaryDir dir;
        settings::AppSettings s;
        settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
        s.targetFolder = dir.path() + "/out/";
        constexpr int kRows = 40;
        s.captions.SetRowCount(kRows + 1);
        for (int r = 1; r <= kRows; ++r) {
            s.captions.SetCell(r, 0, QStringLiteral("Caption %1").arg(r));
            s.captions.SetCell(r, 1, QStringLiteral("a%1.gif").arg(r));
            s.captions.SetCell(r, 2, QStringLiteral("b%1.gif").arg(r));
            s.captions.SetCell(r, 3, QStringLiteral("p%1.htm").arg(r));
        }
        platform::ScriptedDialogs dialogs;
        CaptionFaces faces;
        ButtonBatch batch(s, dialogs, faces);
        batch.Threads = threads;
        QStringList order;
        batch.OnFileSaved = [&](const QString& path, bool, qint64) {
            order.append(QFileInfo(path).fileName());
        };
        ASSERT_TRUE(batch.SaveButtonBatch());
        ASSERT_EQ(order.size(), 2 * kRows);
        for (int r = 1; r <= kRows; ++r) {
            EXPECT_EQ(order[2 * r - 2], QStringLiteral("a%1.gif").arg(r));
            EXPECT_EQ(order[2 * r - 1], QStringLiteral("b%1.gif").arg(r));
            // Each file holds its own caption's face.
            const QImage b(s.targetFolder + order[2 * r - 1]);
            EXPECT_EQ(b.pixel(3, 3) & 0xFFFFFF, qRgb(r % 6 * 51, r / 6 % 6 * 51, 255) & 0xFFFFFF) << r;
            EXPECT_EQ(batch.SavedButtons()[r - 1].button2Size,
                      static_cast<double>(QFileInfo(s.targetFolder + order[2 * r - 1]).size()));
        }

        // Again with the question on: it is asked in caption order; "No" keeps one file, and
        // "Yes to All" at the third question answers every later one.
        s.overwritePrompt = true;
        ASSERT_TRUE(testsupport::WriteAll(s.targetFolder + "b1.gif", "kept"));
        QList<qint64> sizes;
        batch.OnFileSaved = [&](const QString& path, bool, qint64 size) {
            order.append(QFileInfo(path).fileName());
            sizes.append(size);
        };
        dialogs.QueueConfirm(platform::ConfirmAnswer::Yes);
        dialogs.QueueConfirm(platform::ConfirmAnswer::No);
        dialogs.QueueConfirm(platform::ConfirmAnswer::YesToAll);
        order.clear();
        ASSERT_TRUE(batch.SaveButtonBatch());
        ASSERT_EQ(dialogs.History().size(), 3);
        EXPECT_EQ(dialogs.History()[1].text, OverwritePrompt("b1.gif"));
        EXPECT_EQ(dialogs.History()[2].text, OverwritePrompt("a2.gif"));
        EXPECT_EQ(order.size(), 2 * kRows);
        // The file kept is reported with its own size, the ones written with theirs.
        EXPECT_EQ(testsupport::ReadAll(s.targetFolder + "b1.gif"), QByteArray("kept"));
        EXPECT_EQ(sizes[1], 4);
        EXPECT_EQ(batch.SavedButtons()[0].button2Size, 4.0);
        EXPECT_EQ(sizes[2], QFileInfo(s.targetFolder + "a2.gif").size());

        // A face that cannot be made ends the batch at its file: everything before it is written,
        // nothing after it, and the error names it.
        QDir(s.targetFolder).removeRecursively();
        s.overwritePrompt = false;
        s.captions.SetCell(25, 0, "Broken");
        dialogs.Clear();
        EXPECT_FALSE(batch.SaveButtonBatch());
        ASSERT_EQ(dialogs.History().size(), 1);
        EXPECT_EQ(dialogs.History()[0].text, BatchErrorMessage("no face for Broken"));
        EXPECT_EQ(QDir(s.targetFolder).entryList(QDir::Files | QDir::Hidden).size(), 2 * 24 + 1);
        EXPECT_TRUE(QFileInfo::exists(s.targetFolder + "a25.gif"));
        EXPECT_FALSE(QFileInfo::exists(s.targetFolder + "a26.gif"));
        EXPECT_EQ(batch.SavedButtons().size(), 24);

        // A stop asked for while a file is written ends the batch after that file.
        QDir(s.targetFolder).removeRecursively();
        s.captions.SetCell(25, 0, "Caption 25");
        batch.OnFileSaved = [&](const QString& path, bool, qint64) {
            if (path.endsWith("a3.gif")) {
                batch.RequestStop();
            }
        };
        dialogs.Clear();
        EXPECT_FALSE(batch.SaveButtonBatch());
        EXPECT_TRUE(batch.Stopped());
        EXPECT_TRUE(dialogs.History().isEmpty());
        EXPECT_EQ(QDir(s.targetFolder).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"a1.gif", "a2.gif", "a3.gif", "b1.gif", "b2.gif"}));
        // The next batch starts without the stop.
        batch.OnFileSaved = nullptr;
        EXPECT_TRUE(batch.SaveButtonBatch());
        EXPECT_FALSE(batch.Stopped());
    }
    EXPECT_EQ(StoppedText(2, 40, 5), QStringLiteral("Stopped after 2 of 40 captions (5 files written)."));
    EXPECT_EQ(StoppedText(0, 1, 1), QStringLiteral("Stopped after 0 of 1 captions (1 file written)."));
}
