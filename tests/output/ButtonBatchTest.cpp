#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QImage>
#include <QMap>
#include <QPoint>
#include <QTemporaryDir>
#include <QtEndian>
#include <atomic>
#include <csignal>
#include <mutex>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "encode/DecoderSupport.h"
#include "encode/WebPalette.h"
#include "output/ButtonBatch.h"
#include "output/CaptionLinks.h"
#include "output/CaptionNaming.h"
#include "platform/FileWriting.h"
#include "platform/Interrupt.h"
#include "platform/ScriptedDialogs.h"
#include "settings/DefaultSettings.h"

using namespace output;
using platform::ConfirmAnswer;

namespace {

// What the fake renderer adds to a type's number to record a pressed face.
constexpr int kPressedRecord = 10;

// Renders a face whose size and colours depend on the caption, and records what it was asked. The
// faces of a batch come from its plan on the batch's worker threads; types are recorded as 1 and 2.
class FakeRenderer : public ButtonRenderer {
  public:
    std::shared_ptr<const BatchFaces> PlanBatch() override {
        applied.append(QStringLiteral("batch"));
        return std::make_shared<const Faces>(*this, ++generation);
    }
    // The last face rendered for a type and caption.
    QImage Rendered(int type, const QString& caption) {
        const std::lock_guard lock(mutex);
        return rendered.value(QStringLiteral("%1:%2").arg(type).arg(caption));
    }
    // The last pressed face rendered from a type's face (1 or 2) and caption.
    QImage RenderedPressed(int type, const QString& caption) {
        const std::lock_guard lock(mutex);
        return rendered.value(QStringLiteral("P%1:%2").arg(type).arg(caption));
    }
    // The sizes the faces have, or the size `forcedSizes` holds for "TYPE:CAPTION".
    QMap<QString, QSize> forcedSizes;
    // Per type, the reason its bitmap is unreadable.
    QMap<int, QString> unreadable;
    QStringList measured;
    QStringList applied;
    // The figures the faces measure as, by "TYPE:CAPTION" or "PTYPE:CAPTION" for a pressed image;
    // others measure as BatchFaces says. The images asked about, in order.
    QMap<QString, AccessFigure> figures;
    QStringList accessAsked;
    std::atomic<int> renders{0};

  protected:
    // What a picture is made into, for renderers that change the faces.
    virtual QImage Finished(QImage face) const { return face; }

  private:
    class Faces : public BatchFaces {
      public:
        Faces(FakeRenderer& r, int n) : r_(r), n_(n) {}
        std::optional<QString> UnreadableBitmap(int type) const override {
            const int shown = settings::ShownTypeNumber(type);
            return r_.unreadable.contains(shown) ? std::optional(r_.unreadable[shown]) : std::nullopt;
        }
        QSize FaceSize(int type, const QString& caption) const override {
            const QString key = QStringLiteral("%1:%2").arg(settings::ShownTypeNumber(type)).arg(caption);
            r_.measured.append(key);
            return r_.forcedSizes.value(key, QSize(10 + static_cast<int>(caption.size()), 8));
        }
        QImage Picture(int type, const QString& caption, int scale) const override {
            return r_.Finished(r_.Record(settings::ShownTypeNumber(type), caption, n_, scale));
        }
        // Recorded as "P1:CAPTION" or "P2:CAPTION": the type whose face is pressed.
        QImage PressedPicture(int type, const QString& caption, int scale) const override {
            return r_.Finished(
                r_.Record(kPressedRecord + settings::ShownTypeNumber(type), caption, n_, scale));
        }

        AccessFigure Access(int type, const QString& caption, bool pressed) const override {
            const QString key = QStringLiteral("%1%2:%3")
                                    .arg(pressed ? QStringLiteral("P") : QString())
                                    .arg(settings::ShownTypeNumber(type))
                                    .arg(caption);
            r_.accessAsked.append(key);
            return r_.figures.contains(key) ? r_.figures[key] : BatchFaces::Access(type, caption, pressed);
        }

      private:
        FakeRenderer& r_;
        int n_;
    };

    // A face `scale` times as large for scale 2, recorded as "TYPE:CAPTION@2x".
    QImage Record(int type, const QString& caption, int n, int scale) {
        QImage face((10 + static_cast<int>(caption.size())) * scale, 8 * scale, QImage::Format_RGB32);
        face.fill(type == 1   ? qRgb(250, 20, 100)
                  : type == 2 ? qRgb(10, 140, 60)
                              : qRgb(200, 200, type == kPressedRecord + 1 ? 0 : 150));
        face.setPixel(0, 0, qRgb(static_cast<int>(caption.size()) * 9 % 256, 0, 0));
        // Each batch's faces differ from every earlier batch's, in a web-palette colour, so a file
        // that was overwritten can be told from one that was kept.
        face.setPixel(1, 0, qRgb(n % 6 * 51, n / 6 % 6 * 51, n / 36 % 6 * 51));
        ++renders;
        const std::lock_guard lock(mutex);
        const QString shown =
            type > kPressedRecord ? QStringLiteral("P%1").arg(type - kPressedRecord) : QString::number(type);
        rendered[QStringLiteral("%1:%2%3").arg(shown).arg(
            caption, scale == 1 ? QString() : QStringLiteral("@2x"))] = face;
        return face;
    }
    std::mutex mutex;
    QMap<QString, QImage> rendered;
    int generation = 0;
};

// The fake faces with some pixels transparent, as a round button's corners are.
class SeeThroughRenderer : public FakeRenderer {
  public:
    explicit SeeThroughRenderer(std::vector<QPoint> clear) : clear_(std::move(clear)) {}

  protected:
    QImage Finished(QImage face) const override {
        face = face.convertToFormat(QImage::Format_ARGB32);
        for (const QPoint& p : clear_) {
            face.setPixel(p, qRgba(0, 0, 0, 0));
        }
        return face;
    }

  private:
    std::vector<QPoint> clear_;
};

// A round face filled with a gradient, on a page colour, as the batch's pictures for GIF files are.
QImage RoundGradient(QSize size, QRgb page) {
    QImage face(size, QImage::Format_RGB32);
    const QRegion inside(face.rect(), QRegion::Ellipse);
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            face.setPixel(x, y,
                          inside.contains(QPoint(x, y))
                              ? qRgb(30 + 190 * x / face.width(), 200 - 120 * y / face.height(), 120)
                              : page);
        }
    }
    return face;
}

// The fake faces as round gradients.
class RoundGradientRenderer : public FakeRenderer {
  public:
    explicit RoundGradientRenderer(QRgb page) : page_(page) {}

  protected:
    QImage Finished(QImage face) const override { return RoundGradient(face.size(), page_); }

  private:
    QRgb page_;
};

class ButtonBatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
        s.targetFolder = dir.path() + "/out/";
        // The previews the window shows again after a batch, recorded among the renderer's calls.
        batch.RefreshPreviews = [this] { renderer.applied.append(QStringLiteral("previews")); };
    }
    QString Out(const QString& name) const { return dir.path() + "/out/" + name; }
    QStringList Files() const {
        return QDir(dir.path() + "/out").entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    settings::AppSettings s;
    platform::ScriptedDialogs dialogs;
    FakeRenderer renderer;
    ButtonBatch batch{s, dialogs, renderer};
};

}  // namespace

TEST_F(ButtonBatchTest, DefaultSettingsWriteTwoGifsPerCaption) {
    batch.SaveBatchButtonClick();
    const QStringList expected = {"d_contacts.gif", "d_home.gif",     "d_links.gif",    "d_products.gif",
                                  "d_search.gif",   "d_services.gif", "d_support.gif",  "u_contacts.gif",
                                  "u_home.gif",     "u_links.gif",    "u_products.gif", "u_search.gif",
                                  "u_services.gif", "u_support.gif"};
    EXPECT_EQ(Files(), expected);  // the folder was made, and no test file remains
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
    // Names were filled into the blank cells and stay there.
    EXPECT_EQ(s.captions.RowAt(1),
              (settings::CaptionGrid::Row{"Home", "u_home.gif", "d_home.gif", "home.htm"}));
    // The batch takes its faces once, renders every file's face, then the previews return.
    EXPECT_EQ(renderer.applied, (QStringList{"batch", "previews"}));
    EXPECT_EQ(renderer.renders, 14);
    EXPECT_FALSE(s.PreviewUpdatesSuspended);

    ASSERT_EQ(batch.SavedButtons().size(), 7);
    const SavedButtonInfo& home = batch.SavedButtons()[0];
    EXPECT_EQ(home.caption, QStringLiteral("Home").leftJustified(30));
    EXPECT_EQ(home.button1Name, QStringLiteral("u_home.gif").leftJustified(30));
    EXPECT_EQ(home.button1Size, static_cast<double>(QFileInfo(Out("u_home.gif")).size()));
    EXPECT_EQ(home.button2Size, static_cast<double>(QFileInfo(Out("d_home.gif")).size()));

    // Every file decodes to the web-palette mapping of the face that was captured for it.
    const QImage decoded(Out("u_home.gif"));
    const QImage face = renderer.Rendered(1, "Home");
    ASSERT_EQ(decoded.size(), face.size());
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            const QRgb src = face.pixel(x, y);
            const int i = encode::WebPaletteIndex(qRed(src), qGreen(src), qBlue(src));
            EXPECT_EQ(decoded.pixel(x, y) & 0xFFFFFF,
                      qRgb(51 * (i / 36), 51 * (i / 6 % 6), 51 * (i % 6)) & 0xFFFFFF);
        }
    }
}

TEST_F(ButtonBatchTest, DitheredGifsKeepThePageColourAroundTheFaceAndOtherFileTypesAreUnchanged) {
    s.captions.SetRowCount(2);
    s.captions.SetCell(1, 0, QStringLiteral("A longer caption"));  // a face of 26 × 8 pixels
    s.overwritePrompt = false;
    // One page colour the web palette has, one it has not got, and one named as a system colour,
    // which the batch cannot resolve: around it only a web colour stays flat.
    for (const auto& [text, page, kept] : {std::tuple{"00CC9933", qRgb(0x33, 0x99, 0xCC), true},
                                           std::tuple{"00286EC8", qRgb(0xC8, 0x6E, 0x28), true},
                                           std::tuple{"80000005", qRgb(0xC8, 0x6E, 0x28), false}}) {
        SCOPED_TRACE(text);
        s.htmlBackgroundColour = QLatin1String(text);
        RoundGradientRenderer round(page);
        ButtonBatch roundBatch{s, dialogs, round};
        s.fileType = settings::kFileTypeGif;
        s.ditherGif = false;
        roundBatch.SaveBatchButtonClick();
        const QByteArray nearest = testsupport::ReadAll(Out("u_a_longer_caption.gif"));
        ASSERT_EQ(round.Rendered(1, "A longer caption").size(), QSize(26, 8));
        const QImage face = RoundGradient(QSize(26, 8), page);
        // Without the choice the file is the nearest colour's, as it always was.
        const QImage before = QImage::fromData(nearest, "GIF").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(before.size(), face.size());
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const QRgb src = face.pixel(x, y);
                const int i = encode::WebPaletteIndex(qRed(src), qGreen(src), qBlue(src));
                ASSERT_EQ(before.pixel(x, y), qRgb(51 * (i / 36), 51 * (i / 6 % 6), 51 * (i % 6)));
            }
        }

        s.ditherGif = true;
        roundBatch.SaveBatchButtonClick();
        const QByteArray dithered = testsupport::ReadAll(Out("u_a_longer_caption.gif"));
        EXPECT_NE(dithered, nearest);
        const std::vector<std::uint8_t> want =
            encode::DitherToWebPalette(face, kept ? std::optional<QRgb>(page) : std::nullopt);
        // Qt and ImageMagick read the dithered indices; outside the face the page colour maps as the
        // nearest colour maps it.
        const QImage viaQt = QImage::fromData(dithered, "GIF").convertToFormat(QImage::Format_RGB32);
        const QImage viaMagick = decodertest::ImageMagick().isEmpty()
                                     ? viaQt
                                     : decodertest::DecodeWithImageMagick(dithered, "gif", face.size())
                                           .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(viaQt.size(), face.size());
        ASSERT_EQ(viaMagick.size(), face.size());
        int outside = 0;
        int moved = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const int i = want[static_cast<std::size_t>(y * face.width() + x)];
                const QRgb colour = qRgb(51 * (i / 36), 51 * (i / 6 % 6), 51 * (i % 6));
                EXPECT_EQ(viaQt.pixel(x, y), colour) << x << "," << y;
                EXPECT_EQ(viaMagick.pixel(x, y), colour) << x << "," << y;
                if (face.pixel(x, y) == page) {
                    ++outside;
                    moved += viaQt.pixel(x, y) != before.pixel(x, y) ? 1 : 0;
                }
            }
        }
        EXPECT_GT(outside, 20);
        EXPECT_EQ(moved == 0, kept || encode::IsWebColour(qRed(page), qGreen(page), qBlue(page)));
    }

    // A BMP file is the same with the choice or without it.
    RoundGradientRenderer round(qRgb(0xC8, 0x6E, 0x28));
    ButtonBatch roundBatch{s, dialogs, round};
    s.fileType = settings::kFileTypeBmp;
    output::RecalculateFilenames(s);
    s.ditherGif = true;
    roundBatch.SaveBatchButtonClick();
    const QByteArray withChoice = testsupport::ReadAll(Out("u_a_longer_caption.bmp"));
    s.ditherGif = false;
    roundBatch.SaveBatchButtonClick();
    EXPECT_FALSE(withChoice.isEmpty());
    EXPECT_EQ(testsupport::ReadAll(Out("u_a_longer_caption.bmp")), withChoice);
}

TEST_F(ButtonBatchTest, NamesTypedByTheUserAreKeptAndBmpFilesHoldTheFace) {
    s.fileType = settings::kFileTypeBmp;
    s.captions.SetRowCount(3);
    s.captions.SetCell(1, 1, "mine.bmp");
    s.captions.SetCell(2, 0, "   ");  // blank: skipped
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"d_home.bmp", "mine.bmp"}));
    EXPECT_EQ(s.captions.Cell(1, 1), QStringLiteral("mine.bmp"));
    // The record names the file written, not the default name.
    EXPECT_EQ(batch.SavedButtons()[0].button1Name, QStringLiteral("mine.bmp").leftJustified(30));
    EXPECT_EQ(batch.SavedButtons()[0].button2Name, QStringLiteral("d_home.bmp").leftJustified(30));
    EXPECT_EQ(QImage(Out("mine.bmp")).convertToFormat(QImage::Format_RGB32), renderer.Rendered(1, "Home"));
}

TEST_F(ButtonBatchTest, PngFilesHoldTheFaceInTrueColourWithItsTransparency) {
    s.fileType = settings::kFileTypePng;
    s.captions.SetRowCount(2);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"d_home.png", "u_home.png"}));
    EXPECT_EQ(batch.SavedButtons()[0].button1Name, QStringLiteral("u_home.png").leftJustified(30));
    EXPECT_EQ(batch.SavedButtons()[0].button1Size, static_cast<double>(QFileInfo(Out("u_home.png")).size()));
    // The colours are the face's own, not the web palette's (250, 20, 100 has no web colour).
    const QByteArray bytes = testsupport::ReadAll(Out("u_home.png"));
    ASSERT_TRUE(bytes.startsWith("\x89PNG"));
    EXPECT_EQ(QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_RGB32),
              renderer.Rendered(1, "Home"));

    // A face with transparent pixels keeps them.
    SeeThroughRenderer round({QPoint(0, 7)});
    ButtonBatch roundBatch{s, dialogs, round};
    s.overwritePrompt = false;
    roundBatch.SaveBatchButtonClick();
    const QImage back = QImage(Out("d_home.png")).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(back.pixel(0, 7)), 0);
    EXPECT_EQ(back.pixel(3, 3), qRgb(10, 140, 60));
}

TEST_F(ButtonBatchTest, WebpFilesAreLosslessWithTheirTransparencyAndThePagesReadTheirSize) {
    s.fileType = settings::kFileTypeWebp;
    s.captions.SetRowCount(2);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"d_home.webp", "u_home.webp"}));
    EXPECT_EQ(batch.SavedButtons()[0].button2Name, QStringLiteral("d_home.webp").leftJustified(30));
    EXPECT_EQ(batch.SavedButtons()[0].button1Size, static_cast<double>(QFileInfo(Out("u_home.webp")).size()));
    const QByteArray bytes = testsupport::ReadAll(Out("u_home.webp"));
    // A RIFF file of one lossless image chunk and nothing else.
    EXPECT_TRUE(bytes.startsWith("RIFF"));
    EXPECT_EQ(bytes.mid(8, 8), QByteArray("WEBPVP8L"));
    EXPECT_EQ(bytes.size(), 20 + qFromLittleEndian<quint32>(bytes.constData() + 16) +
                                (qFromLittleEndian<quint32>(bytes.constData() + 16) & 1));
    EXPECT_EQ(decodertest::DecodeWebp(bytes).convertToFormat(QImage::Format_RGB32),
              renderer.Rendered(1, "Home"));
    EXPECT_EQ(decodertest::DecodeWebp(testsupport::ReadAll(Out("d_home.webp")))
                  .convertToFormat(QImage::Format_RGB32),
              renderer.Rendered(2, "Home"));
    // The pages read a WebP file's size, which Qt alone cannot.
    EXPECT_EQ(ButtonFilePictureSize(Out("u_home.webp")), renderer.Rendered(1, "Home").size());
    EXPECT_EQ(ButtonFilePictureSize(Out("u_home.webp")), QSize(14, 8));
    EXPECT_FALSE(ButtonFilePictureSize(Out("missing.webp")).isValid());
    ASSERT_TRUE(testsupport::WriteAll(Out("text.webp"), "RIFF but no picture"));
    EXPECT_FALSE(ButtonFilePictureSize(Out("text.webp")).isValid());

    // Transparent pixels stay transparent, every other pixel exact.
    SeeThroughRenderer round({QPoint(0, 7), QPoint(13, 0)});
    ButtonBatch roundBatch{s, dialogs, round};
    s.overwritePrompt = false;
    roundBatch.SaveBatchButtonClick();
    const QImage back = decodertest::DecodeWebp(testsupport::ReadAll(Out("d_home.webp")));
    const QImage face = renderer.Rendered(2, "Home");
    ASSERT_EQ(back.size(), face.size());
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if ((x == 0 && y == 7) || (x == 13 && y == 0)) {
                EXPECT_EQ(qAlpha(back.pixel(x, y)), 0);
            } else {
                ASSERT_EQ(back.pixel(x, y), face.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(ButtonBatchTest, OverwritePromptsAndTheirToAllAnswers) {
    s.captions.SetRowCount(4);  // Home, Contacts, Products
    batch.SaveBatchButtonClick();
    ASSERT_EQ(Files().size(), 6);
    dialogs.Clear();

    // "No to All" at the first existing file: nothing is overwritten and nothing more is asked.
    testsupport::WriteAll(Out("u_home.gif"), "keep me");
    dialogs.QueueConfirm(ConfirmAnswer::NoToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(testsupport::ReadAll(Out("u_home.gif")), QByteArray("keep me"));
    ASSERT_EQ(dialogs.History().size(), 2);
    EXPECT_EQ(dialogs.History()[0].text,
              QStringLiteral("Button 1 filename \"u_home.gif\" exists, ok to ovewrite ?"));
    EXPECT_EQ(batch.LastOverwriteAnswer, 6);  // reset before each file

    // "No" asks again at the next existing file; "Yes" overwrites.
    dialogs.Clear();
    dialogs.QueueConfirm(ConfirmAnswer::No);
    dialogs.QueueConfirm(ConfirmAnswer::Yes);
    dialogs.QueueConfirm(ConfirmAnswer::YesToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(testsupport::ReadAll(Out("u_home.gif")), QByteArray("keep me"));
    EXPECT_EQ(dialogs.History().size(), 4);  // three prompts and the closing message
    EXPECT_EQ(dialogs.History()[1].text,
              QStringLiteral("Button 1 filename \"d_home.gif\" exists, ok to ovewrite ?"));
    EXPECT_TRUE(batch.OverwriteYesToAll);

    // With the prompt off every file is overwritten silently.
    dialogs.Clear();
    s.overwritePrompt = false;
    batch.SaveBatchButtonClick();
    EXPECT_NE(testsupport::ReadAll(Out("u_home.gif")), QByteArray("keep me"));
    EXPECT_EQ(dialogs.History().size(), 1);
}

TEST_F(ButtonBatchTest, DisabledTypeTwoWritesOnlyTypeOne) {
    s.secondbuttonEnabled = false;
    s.captions.SetRowCount(3);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"u_contacts.gif", "u_home.gif"}));
    ASSERT_EQ(batch.SavedButtons().size(), 2);
    EXPECT_EQ(batch.SavedButtons()[0].button2Name, QStringLiteral("<Type 2 buttons are disabled> "));
    EXPECT_EQ(batch.SavedButtons()[0].button2Size, 0.0);
    EXPECT_EQ(s.captions.Cell(1, 2), QStringLiteral("<Type 2 buttons are disabled>"));
}

TEST_F(ButtonBatchTest, FoldersThatCannotBeUsedStopTheBatch) {
    s.targetFolder = dir.path() + "/missing/parent/out";
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Unable to access the specified target folder: -\r" +
                                              s.targetFolder + "\rno buttons have been saved."});
    EXPECT_EQ(renderer.applied.size(), 2);  // the batch's faces, then the previews again
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/missing"));
    EXPECT_TRUE(batch.SavedButtons().isEmpty());

    // A folder that is a regular file, as root cannot write into it either.
    dialogs.Clear();
    testsupport::WriteAll(dir.path() + "/plain", "x");
    s.targetFolder = dir.path() + "/plain";
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_TRUE(dialogs.Messages()[0].startsWith("Unable to access the specified target folder: -\r"));
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/plain"), QByteArray("x"));
}

TEST_F(ButtonBatchTest, AFileThatCannotBeWrittenEndsTheBatchWithTheErrorMessage) {
    s.captions.SetRowCount(3);
    const QString tooLong = QString(300, 'x') + ".gif";
    s.captions.SetCell(2, 1, tooLong);  // a name the folder cannot take
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    // The box carries the system's own reason.
    EXPECT_EQ(
        dialogs.History()[0].text,
        "An error occured whilst saving this batch of buttons, the error is: -\r\"Cannot write file \"" +
            Out(tooLong) +
            "\": File name too long\"\rplease check your caption settings and also that your "
            "target folder is\raccessible and has sufficient free disk space.");
    // The files of the first row are untouched and the previews were rendered again.
    EXPECT_TRUE(QImage(Out("u_home.gif")).width() > 0);
    EXPECT_EQ(renderer.applied.last(), QStringLiteral("previews"));
    // The row whose file failed is not recorded; nothing partial is left.
    EXPECT_EQ(batch.SavedButtons().size(), 1);
    EXPECT_EQ(Files(), (QStringList{"d_home.gif", "u_home.gif"}));
}

TEST_F(ButtonBatchTest, AProtectedFileIsNeitherReplacedNorReportedAsSaved) {
    s.captions.SetRowCount(2);
    s.overwritePrompt = false;
    batch.SaveBatchButtonClick();
    const QByteArray up = testsupport::ReadAll(Out("u_home.gif"));
    const QByteArray down = testsupport::ReadAll(Out("d_home.gif"));
    // A read-only type 2 file, and a type 1 file with permissions of its own.
    ASSERT_TRUE(
        QFile::setPermissions(Out("u_home.gif"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(
        QFile::setPermissions(Out("d_home.gif"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_TRUE(dialogs.History()[0].text.contains("Cannot write file \"" + Out("d_home.gif") +
                                                   "\": Permission denied"));
    EXPECT_FALSE(dialogs.Messages().join("").contains("All buttons have been saved"));
    // Type 1 was replaced and kept its permissions; the protected file is as it was.
    EXPECT_NE(testsupport::ReadAll(Out("u_home.gif")), up);
    EXPECT_EQ(
        QFileInfo(Out("u_home.gif")).permissions() &
            (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup |
             QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(testsupport::ReadAll(Out("d_home.gif")), down);
    EXPECT_EQ(Files(), (QStringList{"d_home.gif", "u_home.gif"}));
}

TEST_F(ButtonBatchTest, YesToAllOverwritesTheFileAskedAboutAndEveryOneAfterIt) {
    s.captions.SetRowCount(3);  // Home, Contacts
    batch.SaveBatchButtonClick();
    QMap<QString, QByteArray> before;
    for (const QString& f : Files()) {
        before[f] = testsupport::ReadAll(Out(f));
    }
    ASSERT_EQ(before.size(), 4);
    dialogs.Clear();
    dialogs.QueueConfirm(ConfirmAnswer::YesToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.History().first().text,
              QStringLiteral("Button 1 filename \"u_home.gif\" exists, ok to ovewrite ?"));
    EXPECT_EQ(dialogs.History().size(), 2);  // one prompt, then the saved message
    for (const QString& f : before.keys()) {
        EXPECT_NE(testsupport::ReadAll(Out(f)), before[f]) << f.toStdString();
    }
    // "No" keeps only the file asked about; the next existing file is asked about again.
    QMap<QString, QByteArray> second;
    for (const QString& f : Files()) {
        second[f] = testsupport::ReadAll(Out(f));
    }
    dialogs.Clear();
    dialogs.QueueConfirm(ConfirmAnswer::No);
    dialogs.QueueConfirm(ConfirmAnswer::Yes);
    dialogs.QueueConfirm(ConfirmAnswer::NoToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.History().size(), 4);
    EXPECT_EQ(testsupport::ReadAll(Out("u_home.gif")), second["u_home.gif"]);
    EXPECT_NE(testsupport::ReadAll(Out("d_home.gif")), second["d_home.gif"]);
    EXPECT_EQ(testsupport::ReadAll(Out("u_contacts.gif")), second["u_contacts.gif"]);
    EXPECT_EQ(testsupport::ReadAll(Out("d_contacts.gif")), second["d_contacts.gif"]);
}

TEST_F(ButtonBatchTest, ATypedFolderWithoutItsSeparatorSavesAndReadsTheSizes) {
    s.captions.SetRowCount(3);
    s.targetFolder = dir.path() + "/out";
    QList<std::pair<int, int>> progress;
    QStringList progressCaptions;
    batch.OnProgress = [&](int current, int total, const QString& caption) {
        progress.append({current, total});
        progressCaptions.append(caption);
    };
    s.captions.SetCell(1, 0, " ");  // a blank row is neither saved nor counted
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(),
              QStringList{"All buttons have been saved to folder: -\r" + dir.path() + "/out"});
    EXPECT_EQ(s.targetFolder, dir.path() + "/out");  // the setting itself keeps its text
    ASSERT_EQ(batch.SavedButtons().size(), 1);
    EXPECT_EQ(batch.SavedButtons()[0].button1Size,
              static_cast<double>(QFileInfo(Out("u_contacts.gif")).size()));
    EXPECT_EQ(batch.SavedButtons()[0].button2Size,
              static_cast<double>(QFileInfo(Out("d_contacts.gif")).size()));
    EXPECT_GT(batch.SavedButtons()[0].button1Size, 0);
    EXPECT_EQ(Files(), (QStringList{"d_contacts.gif", "u_contacts.gif"}));
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(progressCaptions, QStringList{"Contacts"});
    EXPECT_EQ(ProgressText(120, 1000), QStringLiteral("Saving 120 of 1000 \u2026"));
}

TEST_F(ButtonBatchTest, AnEmptyListIsRefused) {
    s.captions.SetRowCount(2);
    s.captions.SetCell(1, 0, " \t ");
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_EQ(dialogs.History()[0].text,
              QStringLiteral(
                  "There are no captions set up in the \"Batch Caption List\", please check and try again."));
    EXPECT_TRUE(renderer.applied.isEmpty());
}

TEST_F(ButtonBatchTest, TheStatusReportReplacesTheMessageWhenTicked) {
    s.captions.SetRowCount(2);
    int reports = 0;
    batch.WriteStatusReport = [&] { ++reports; };
    s.statusReports = true;
    batch.SaveBatchButtonClick();
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(dialogs.Messages().isEmpty());
    EXPECT_EQ(Pad30(QString(40, 'x')), QString(30, 'x'));
}

namespace {

// Counts the writes made while one of the program's test files lay in a folder: one for each folder
// test, since image files are written without one.
int g_folderTests = 0;
QString g_watched;
ssize_t CountingWrite(int fd, const void* data, size_t size, off_t offset) {
    for (const QString& name : QDir(g_watched).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        g_folderTests += name.endsWith(".$$$") && platform::IsTemporaryName(name) ? 1 : 0;
    }
    return ::pwrite(fd, data, size, offset);
}

struct CountFolderTests {
    explicit CountFolderTests(const QString& folder) {
        g_watched = folder;
        g_folderTests = 0;
        platform::SetWriteFunctionForTests(&CountingWrite);
    }
    ~CountFolderTests() { platform::SetWriteFunctionForTests(nullptr); }
    CountFolderTests(const CountFolderTests&) = delete;
    CountFolderTests& operator=(const CountFolderTests&) = delete;
};

}  // namespace

TEST_F(ButtonBatchTest, TheFolderIsTestedOnceABatchAndAgainAfterAFailedWrite) {
    s.captions.SetRowCount(3);  // Home, Contacts: four files
    ASSERT_TRUE(QDir().mkpath(Out("")));
    const QString outside = dir.path() + "/outside.txt";
    ASSERT_TRUE(testsupport::WriteAll(outside, "precious"));
    // Links planted under the names older versions wrote through are never followed.
    ASSERT_TRUE(QFile::link(outside, Out("test.$$$")));
    ASSERT_TRUE(QFile::link(outside, Out("u_home.gif.part")));
    const CountFolderTests counting(Out(""));
    batch.SaveBatchButtonClick();
    EXPECT_EQ(g_folderTests, 1);
    EXPECT_EQ(Files(), (QStringList{"d_contacts.gif", "d_home.gif", "test.$$$", "u_contacts.gif",
                                    "u_home.gif", "u_home.gif.part"}));
    EXPECT_TRUE(QFileInfo(Out("u_home.gif.part")).isSymLink());
    EXPECT_FALSE(QFileInfo(Out("u_home.gif")).isSymLink());
    EXPECT_EQ(testsupport::ReadAll(outside), QByteArray("precious"));

    // A file that cannot be written: the folder is tested again, passes, and the write's own reason
    // ends the batch.
    ASSERT_TRUE(QFile::remove(Out("d_home.gif")));
    ASSERT_TRUE(QDir().mkdir(Out("d_home.gif")));
    g_folderTests = 0;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(g_folderTests, 2);
    EXPECT_EQ(dialogs.Messages(), QStringList{BatchErrorMessage("Cannot write file \"" + Out("d_home.gif") +
                                                                "\": Is a directory")});
}

TEST_F(ButtonBatchTest, AFolderThatGoesDuringTheBatchStopsItWithTheFolderMessage) {
    s.captions.SetRowCount(3);
    // The folder goes once the first file is in it.
    QStringList saved;
    batch.OnFileSaved = [&](const QString& path, bool, qint64) {
        saved.append(QFileInfo(path).fileName());
        QDir(Out("")).removeRecursively();
    };
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{FolderFailureMessage(s.targetFolder)});
    EXPECT_EQ(saved, QStringList{"u_home.gif"});
    EXPECT_TRUE(batch.SavedButtons().isEmpty());
}

TEST_F(ButtonBatchTest, LeftoversOfInterruptedRunsAreSweptFirstAndNeverTakenForTheUsersFiles) {
    ASSERT_TRUE(QDir().mkpath(Out("")));
    s.captions.SetRowCount(2);
    s.overwritePrompt = true;
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString leftover = QStringLiteral(".kestro-%1-abc123.tmp").arg(child);
    for (const QString& name : {leftover, QStringLiteral("test.$$$"), QStringLiteral("u_home.gif.part")}) {
        ASSERT_TRUE(testsupport::WriteAll(Out(name), "left over"));
    }
    ASSERT_TRUE(testsupport::WriteAll(Out("u_home.gif"), "the user's"));
    dialogs.QueueConfirm(ConfirmAnswer::NoToAll);
    QStringList reported;
    batch.OnFileSaved = [&](const QString& path, bool, qint64) {
        reported.append(QFileInfo(path).fileName());
    };
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"d_home.gif", "u_home.gif"}));
    EXPECT_EQ(reported, (QStringList{"u_home.gif", "d_home.gif"}));
    EXPECT_EQ(testsupport::ReadAll(Out("u_home.gif")), QByteArray("the user's"));
}

TEST_F(ButtonBatchTest, ATerminationRequestStopsTheBatchAfterTheFileInHand) {
    s.captions.SetRowCount(4);  // Home, Contacts, Products
    batch.OnFileSaved = [&](const QString& path, bool, qint64) {
        if (path.endsWith("u_contacts.gif")) {
            platform::RecordInterrupt(SIGTERM);  // as the signal handler does
        }
    };
    batch.SaveBatchButtonClick();
    const bool stopped = batch.Stopped();
    platform::ClearInterrupt();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(Files(), (QStringList{"d_home.gif", "u_contacts.gif", "u_home.gif"}));
    EXPECT_TRUE(dialogs.Messages().isEmpty());  // no message, no report
    EXPECT_EQ(renderer.applied.last(), QStringLiteral("previews"));
    // The next batch runs again.
    batch.OnFileSaved = nullptr;
    batch.SaveBatchButtonClick();
    EXPECT_FALSE(batch.Stopped());
    EXPECT_EQ(Files().size(), 6);
}

TEST_F(ButtonBatchTest, AFileAbandonedOnATerminationRequestEndsTheBatchQuietly) {
    // kestro-batch abandons the file in hand: the request comes while its bytes are written.
    s.captions.SetRowCount(4);
    platform::SetAbandonOnInterrupt(true);
    platform::SetWriteFunctionForTests([](int fd, const void* data, size_t size, off_t offset) -> ssize_t {
        platform::RecordInterrupt(SIGINT);
        return ::pwrite(fd, data, size, offset);
    });
    batch.SaveBatchButtonClick();
    const bool stopped = batch.Stopped();
    platform::SetWriteFunctionForTests(nullptr);
    platform::SetAbandonOnInterrupt(false);
    platform::ClearInterrupt();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(dialogs.History().isEmpty());  // neither the error nor the folder message
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ButtonBatchTest, AButtonSmallerThanOnePixelStopsTheBatchAfterEveryCaptionIsMeasured) {
    s.captions.SetRowCount(4);  // Home, Contacts, Products
    const QString tail =
        "; a button needs at least 1 x 1 pixel. Change its width or height on the Buttons page.\r"
        "No buttons have been saved.";
    // Only the last caption is too narrow: no file of the rows before it is written.
    renderer.forcedSizes["1:Products"] = QSize(0, 30);
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_EQ(dialogs.History()[0].text, "Type 1 buttons would be 0 x 30 pixels for \"Products\"" + tail);
    EXPECT_EQ(renderer.measured, (QStringList{"1:Home", "1:Contacts", "1:Products"}));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out"));
    EXPECT_TRUE(batch.SavedButtons().isEmpty());

    // Type 2, too low; then one pixel each way is enough.
    renderer.forcedSizes.clear();
    renderer.forcedSizes["2:Home"] = QSize(40, 0);
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Type 2 buttons would be 40 x 0 pixels for \"Home\"" + tail});
    renderer.forcedSizes["2:Home"] = QSize(1, 1);
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});

    // A disabled type 2 is not measured.
    renderer.forcedSizes["2:Home"] = QSize(0, 0);
    renderer.measured.clear();
    s.secondbuttonEnabled = false;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(renderer.measured, (QStringList{"1:Home", "1:Contacts", "1:Products"}));
    EXPECT_EQ(dialogs.Messages().size(), 1);
}

TEST_F(ButtonBatchTest, NamesThatWouldLeaveTheFolderAreReplacedBeforeAnyFileIsWritten) {
    // Two levels down, so "../../x.gif" would still land inside the test's own folder.
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/a/b"));
    s.targetFolder = dir.path() + "/a/b/out/";
    const auto Out = [this](const QString& name) { return dir.path() + "/a/b/out/" + name; };
    const auto Files = [this] {
        return QDir(dir.path() + "/a/b/out").entryList(QDir::Files | QDir::Hidden, QDir::Name);
    };
    s.captions.SetRowCount(3);  // Home, Contacts
    s.captions.SetCell(1, 1, "../../x.gif");
    s.captions.SetCell(1, 2, "..\\x.gif");
    s.captions.SetCell(1, 3, "../../x.htm");
    s.captions.SetCell(2, 1, "u_home.gif");  // typed: row 1's default is taken, so row 1 is numbered
    s.captions.SetCell(2, 2, "sub/d_contacts.gif");
    batch.SaveBatchButtonClick();
    EXPECT_EQ(s.captions.RowAt(1),
              (settings::CaptionGrid::Row{"Home", "u_hom1.gif", "d_home.gif", "home.htm"}));
    EXPECT_EQ(s.captions.RowAt(2),
              (settings::CaptionGrid::Row{"Contacts", "u_home.gif", "d_contacts.gif", "contacts.htm"}));
    EXPECT_EQ(Files(), (QStringList{"d_contacts.gif", "d_home.gif", "u_hom1.gif", "u_home.gif"}));
    for (const QString folder : {"", "/a", "/a/b"}) {
        EXPECT_EQ(QDir(dir.path() + folder).entryList(QDir::Files | QDir::Hidden), QStringList())
            << folder.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Out("sub")));
    // The records and sizes follow the new names.
    ASSERT_EQ(batch.SavedButtons().size(), 2);
    EXPECT_EQ(batch.SavedButtons()[0].button1Name, Pad30("u_hom1.gif"));
    EXPECT_EQ(batch.SavedButtons()[0].button1Size, static_cast<double>(QFileInfo(Out("u_hom1.gif")).size()));
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
}

TEST_F(ButtonBatchTest, ABatchWithTwiceSizeImagesRefusesANameThatATwiceSizeImageWouldTake) {
    s.scale2x = true;
    s.captions.SetRowCount(4);  // Home, Contacts, Products
    const auto refused = [&](int row, const QString& name, int other) {
        return "The 2\u00d7 image of caption list row " + QString::number(row) + " would be saved as \"" +
               name + "\", the name of a file of row " + QString::number(other) +
               ". Press \"Calculate default filenames\" or change the names on the Caption List page.\r"
               "No buttons have been saved.";
    };
    // A name typed into a later row that an earlier row's twice-size image would take.
    s.captions.SetCell(3, 2, "u_home@2x.gif");
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_EQ(dialogs.History()[0].text, refused(1, "u_home@2x.gif", 3));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out"));

    // The other way: an earlier row's page named as a later row's twice-size image, the later
    // row's image names blank (the batch would give them their defaults).
    s.captions.SetCell(3, 2, QString());
    s.captions.SetCell(1, 3, "d_products@2x.gif");
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{refused(3, "d_products@2x.gif", 1)});

    // With type 2 disabled its names do not count; with 8.3 names no twice-size image is written.
    s.secondbuttonEnabled = false;
    s.captions.SetCell(1, 3, "home.htm");
    s.captions.SetCell(2, 1, "u_products@2x.gif");
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{refused(3, "u_products@2x.gif", 2)});
    s.enforce83 = true;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
}

TEST_F(ButtonBatchTest, TwiceSizeImagesGoBesideEachImageAskedAboutByTheirOwnNamesAndReported) {
    s.scale2x = true;
    s.fileType = settings::kFileTypePng;
    s.captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(s);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"d_contacts.png", "d_contacts@2x.png", "d_home.png", "d_home@2x.png",
                                    "u_contacts.png", "u_contacts@2x.png", "u_home.png", "u_home@2x.png"}));
    // Each 2× file holds the twice-size face, which is exactly twice the size of the 1× file.
    EXPECT_EQ(QImage(Out("u_home.png")).size(), QSize(14, 8));
    EXPECT_EQ(QImage(Out("u_home@2x.png")).convertToFormat(QImage::Format_RGB32),
              renderer.Rendered(1, "Home@2x"));
    EXPECT_EQ(QImage(Out("d_contacts@2x.png")).size(), QSize(36, 16));
    ASSERT_EQ(batch.SavedButtons().size(), 2);
    const SavedButtonInfo& home = batch.SavedButtons()[0];
    EXPECT_TRUE(home.scaled);
    EXPECT_EQ(home.button1Name, QStringLiteral("u_home.png").leftJustified(30));
    EXPECT_EQ(home.scaled1Name, QStringLiteral("u_home@2x.png").leftJustified(30));
    EXPECT_EQ(home.scaled2Name, QStringLiteral("d_home@2x.png").leftJustified(30));
    EXPECT_EQ(home.scaled1Size, static_cast<double>(QFileInfo(Out("u_home@2x.png")).size()));
    EXPECT_EQ(home.scaled2Size, static_cast<double>(QFileInfo(Out("d_home@2x.png")).size()));

    // Asked about by its own name: "&No" keeps the 1× file, "Yes to &All" then replaces its 2× file
    // and every later file without asking.
    s.overwritePrompt = true;
    const QByteArray keptHome = testsupport::ReadAll(Out("u_home.png"));
    const QByteArray oldHome2x = testsupport::ReadAll(Out("u_home@2x.png"));
    dialogs.QueueConfirm(ConfirmAnswer::No);
    dialogs.QueueConfirm(ConfirmAnswer::YesToAll);
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    QStringList asked;
    for (const auto& shown : dialogs.History()) {
        if (shown.kind == platform::ScriptedDialogs::Kind::Confirm) {
            asked.append(shown.text);
        }
    }
    EXPECT_EQ(asked, (QStringList{OverwritePrompt("u_home.png"), OverwritePrompt("u_home@2x.png")}));
    EXPECT_EQ(testsupport::ReadAll(Out("u_home.png")), keptHome);
    EXPECT_NE(testsupport::ReadAll(Out("u_home@2x.png")), oldHome2x);

    // "N&o to All" at the first file keeps every file, 1× and 2×, asking nothing more.
    const QByteArray oldContacts2x = testsupport::ReadAll(Out("d_contacts@2x.png"));
    dialogs.QueueConfirm(ConfirmAnswer::NoToAll);
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.History().size(), 2);  // the question and the closing message
    EXPECT_EQ(testsupport::ReadAll(Out("d_contacts@2x.png")), oldContacts2x);

    // With type 2 disabled only type 1 has 2× files; the record's type 2 columns stay empty.
    QDir(dir.path() + "/out").removeRecursively();
    s.overwritePrompt = false;
    s.secondbuttonEnabled = false;
    output::RecalculateFilenames(s);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"u_contacts.png", "u_contacts@2x.png", "u_home.png", "u_home@2x.png"}));
    EXPECT_EQ(batch.SavedButtons()[1].scaled2Name, QString(30, QLatin1Char(' ')));
    EXPECT_EQ(batch.SavedButtons()[1].scaled2Size, 0.0);

    // 8.3 names write no 2× files at all, and the records have no 2× line.
    QDir(dir.path() + "/out").removeRecursively();
    s.enforce83 = true;
    output::RecalculateFilenames(s);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"u_contac.png", "u_home.png"}));
    EXPECT_FALSE(batch.SavedButtons()[0].scaled);
}

TEST_F(ButtonBatchTest, ALinkNoPageTakesIsRefusedBeforeAnyFileAndEveryTakenKindSaves) {
    s.captions.SetRowCount(4);  // Home, Contacts, Products
    using settings::CaptionGrid;
    // Every scheme but http, https, mailto and tel, in any case, with blanks before it or control
    // characters inside it, stops the batch with one error box naming the row and the link.
    for (const char* refused :
         {"javascript:alert(1)", "JAVASCRIPT:alert(1)", "  javascript:alert(1)", "java\tscript:alert(1)",
          "java\nscript:alert(1)",
          "jav\x01"
          "ascript:alert(1)",
          "data:text/html,<b>x</b>", "vbscript:msgbox(1)", "FILE:///etc/passwd", "ftp://example.com/"}) {
        const QString link = QString::fromUtf8(refused);
        s.captions.SetCell(3, CaptionGrid::kLinkColumn, link);
        dialogs.Clear();
        renderer.applied.clear();
        batch.SaveBatchButtonClick();
        ASSERT_EQ(dialogs.History().size(), 1) << refused;
        EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
        EXPECT_EQ(dialogs.History()[0].text, LinkRefusedMessage(3, "Products", link)) << refused;
        EXPECT_TRUE(
            dialogs.History()[0].text.startsWith("The link of caption list row 3 (\"Products\"), \""));
        EXPECT_TRUE(dialogs.History()[0].text.endsWith("\rNo buttons have been saved."));
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out")) << refused;
        EXPECT_EQ(renderer.renders, 0);
        EXPECT_TRUE(batch.SavedButtons().isEmpty());
        EXPECT_FALSE(batch.LastBatchSaved());
    }
    // Paths, fragments and the four schemes save as usual; a link changes no file name.
    for (const char* taken : {"about us.htm", "/shop/?q=a:b", "#top", "HTTPS://example.com/", "mailto:a@b.c",
                              "tel:+1-555-0100", "  "}) {
        s.captions.SetCell(3, CaptionGrid::kLinkColumn, QString::fromUtf8(taken));
        dialogs.Clear();
        batch.SaveBatchButtonClick();
        EXPECT_EQ(dialogs.Messages(),
                  QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder})
            << taken;
    }
    EXPECT_EQ(s.captions.RowAt(3),
              (CaptionGrid::Row{"Products", "u_products.gif", "d_products.gif", "products.htm", "  "}));
    EXPECT_EQ(Files().size(), 6);
}

TEST_F(ButtonBatchTest, PressedImagesAreWrittenBesideTheOthersFromTypeTwoOrTypeOneAndReported) {
    s.pressedImages = true;
    s.fileType = settings::kFileTypePng;
    s.captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(s);
    std::vector<QString> order;
    batch.OnFileSaved = [&](const QString& path, bool, qint64) {
        order.push_back(QFileInfo(path).fileName());
    };
    batch.SaveBatchButtonClick();
    // Each caption's files in turn: type 1, type 2, then the pressed image.
    EXPECT_EQ(order, (std::vector<QString>{"u_home.png", "d_home.png", "p_home.png", "u_contacts.png",
                                           "d_contacts.png", "p_contacts.png"}));
    // The pressed file holds type 2's face pressed, in the list's file type.
    EXPECT_EQ(QImage(Out("p_home.png")).convertToFormat(QImage::Format_RGB32),
              renderer.RenderedPressed(2, "Home"));
    EXPECT_TRUE(renderer.RenderedPressed(1, "Home").isNull());
    ASSERT_EQ(batch.SavedButtons().size(), 2);
    const SavedButtonInfo& home = batch.SavedButtons()[0];
    EXPECT_TRUE(home.pressed);
    EXPECT_EQ(home.pressedName, QStringLiteral("p_home.png").leftJustified(30));
    EXPECT_EQ(home.pressedSize, static_cast<double>(QFileInfo(Out("p_home.png")).size()));
    EXPECT_FALSE(home.scaled);

    // With 2x images every one of the three has its twice-size copy after it.
    QDir(dir.path() + "/out").removeRecursively();
    order.clear();
    s.scale2x = true;
    output::RecalculateFilenames(s);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(std::vector<QString>(order.begin(), order.begin() + 6),
              (std::vector<QString>{"u_home.png", "u_home@2x.png", "d_home.png", "d_home@2x.png",
                                    "p_home.png", "p_home@2x.png"}));
    EXPECT_EQ(QImage(Out("p_home@2x.png")).size(), QImage(Out("p_home.png")).size() * 2);
    EXPECT_EQ(QImage(Out("p_home@2x.png")).convertToFormat(QImage::Format_RGB32),
              renderer.RenderedPressed(2, "Home@2x"));
    EXPECT_EQ(batch.SavedButtons()[1].scaledPressedName,
              QStringLiteral("p_contacts@2x.png").leftJustified(30));
    EXPECT_EQ(batch.SavedButtons()[1].scaledPressedSize,
              static_cast<double>(QFileInfo(Out("p_contacts@2x.png")).size()));

    // Type 2 disabled: the pressed image is type 1's face pressed.
    QDir(dir.path() + "/out").removeRecursively();
    s.scale2x = false;
    s.secondbuttonEnabled = false;
    s.prefixPressed = "Down-";
    output::RecalculateFilenames(s);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"down-contacts.png", "down-home.png", "u_contacts.png", "u_home.png"}));
    EXPECT_EQ(QImage(Out("down-home.png")).convertToFormat(QImage::Format_RGB32),
              renderer.RenderedPressed(1, "Home"));

    // Off (the default): no pressed file and no pressed record.
    QDir(dir.path() + "/out").removeRecursively();
    s.pressedImages = false;
    batch.SaveBatchButtonClick();
    EXPECT_EQ(Files(), (QStringList{"u_contacts.png", "u_home.png"}));
    EXPECT_FALSE(batch.SavedButtons()[0].pressed);
}

TEST_F(ButtonBatchTest, PressedImagesAreAskedAboutAndOneToAllAnswerCoversAllThreeFiles) {
    s.pressedImages = true;
    s.captions.SetRowCount(3);  // Home, Contacts
    batch.SaveBatchButtonClick();
    ASSERT_EQ(Files().size(), 6);
    s.overwritePrompt = true;
    const auto asked = [&] {
        QStringList texts;
        for (const auto& shown : dialogs.History()) {
            if (shown.kind == platform::ScriptedDialogs::Kind::Confirm) {
                texts.append(shown.text);
            }
        }
        return texts;
    };
    // The pressed file is asked about by its own name; "No" keeps it.
    testsupport::WriteAll(Out("p_home.gif"), "keep me");
    dialogs.Clear();
    dialogs.QueueConfirm(ConfirmAnswer::Yes);
    dialogs.QueueConfirm(ConfirmAnswer::Yes);
    dialogs.QueueConfirm(ConfirmAnswer::No);
    dialogs.QueueConfirm(ConfirmAnswer::YesToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(asked(), (QStringList{OverwritePrompt("u_home.gif"), OverwritePrompt("d_home.gif"),
                                    OverwritePrompt("p_home.gif"), OverwritePrompt("u_contacts.gif")}));
    EXPECT_EQ(testsupport::ReadAll(Out("p_home.gif")), QByteArray("keep me"));
    // A kept pressed file is reported with the size it has.
    EXPECT_EQ(batch.SavedButtons()[0].pressedSize, 7.0);

    // "Yes to &All" at the first file replaces the pressed files too, asking nothing more.
    const QByteArray oldContacts = testsupport::ReadAll(Out("p_contacts.gif"));
    dialogs.Clear();
    dialogs.QueueConfirm(ConfirmAnswer::YesToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(asked(), QStringList{OverwritePrompt("u_home.gif")});
    EXPECT_NE(testsupport::ReadAll(Out("p_home.gif")), QByteArray("keep me"));
    EXPECT_NE(testsupport::ReadAll(Out("p_contacts.gif")), oldContacts);

    // "N&o to All" at the first file keeps every file, the pressed ones included.
    testsupport::WriteAll(Out("p_contacts.gif"), "old");
    dialogs.Clear();
    dialogs.QueueConfirm(ConfirmAnswer::NoToAll);
    batch.SaveBatchButtonClick();
    EXPECT_EQ(asked(), QStringList{OverwritePrompt("u_home.gif")});
    EXPECT_EQ(testsupport::ReadAll(Out("p_contacts.gif")), QByteArray("old"));
}

TEST_F(ButtonBatchTest, ABatchRefusesAPressedImageThatWouldTakeTheNameOfAnotherFile) {
    s.pressedImages = true;
    s.captions.SetRowCount(4);  // Home, Contacts, Products
    const auto refused = [&](int row, const QString& name, int other) {
        return "The pressed image of caption list row " + QString::number(row) + " would be saved as \"" +
               name + "\", the name of a file of row " + QString::number(other) +
               ". Change the prefix for pressed buttons on the File page or the names on the Caption List "
               "page.\rNo buttons have been saved.";
    };
    const auto refusedWith = [&](const QString& text) {
        dialogs.Clear();
        batch.SaveBatchButtonClick();
        EXPECT_EQ(dialogs.History().size(), 1);
        EXPECT_EQ(dialogs.Messages(), QStringList{text});
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out"));
    };
    // The pressed prefix equal to type 1's: every pressed image would be its row's type 1 image.
    s.prefixPressed = s.prefix1;
    refusedWith(refused(1, "u_home.gif", 1));
    // A type 2 name typed into a later row, and a page named as an earlier row's pressed image.
    s.prefixPressed = "P_";
    s.captions.SetCell(3, 2, "p_contacts.gif");
    refusedWith(refused(2, "p_contacts.gif", 3));
    s.captions.SetCell(3, 2, QString());
    s.captions.SetCell(1, 3, "p_products.gif");
    refusedWith(refused(3, "p_products.gif", 1));
    // While 2x images are written: a pressed image's "@2x" copy taking a type 1 name, and a pressed
    // image taking another image's "@2x" name.
    s.captions.SetCell(1, 3, QString());
    s.scale2x = true;
    s.captions.SetCell(2, 1, "p_home@2x.gif");
    refusedWith(refused(1, "p_home@2x.gif", 2));
    s.captions.SetCell(2, 1, QString());
    s.prefix1 = "P_";
    s.captions.SetCell(1, 1, "p_home@2x.gif");
    s.prefixPressed = "P_";
    refusedWith(refused(1, "p_home@2x.gif", 1));
    // A caption whose pressed "@2x" copy is another row's pressed image.
    s.prefix1 = "U_";
    s.captions.SetCell(1, 1, QString());
    const QStringList other = {"Home@2x", "u_other.gif", "d_other.gif", "other.htm"};
    for (int c = 0; c < 4; ++c) {
        s.captions.SetCell(3, c, other[c]);
    }
    refusedWith(refused(1, "p_home@2x.gif", 3));
    // With type 2 disabled its names do not count; without pressed images nothing is checked.
    s.scale2x = false;
    const QStringList products = {"Products", "", "p_home.gif", ""};
    for (int c = 0; c < 4; ++c) {
        s.captions.SetCell(3, c, products[c]);
    }
    s.secondbuttonEnabled = false;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
    s.secondbuttonEnabled = true;
    s.pressedImages = false;
    s.prefixPressed = s.prefix1;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
}

TEST_F(ButtonBatchTest, EveryImageIsMeasuredOnlyWithTheCheckAndTheTwiceSizeImagesGoByTheirOwn) {
    s.pressedImages = true;
    s.fileType = settings::kFileTypePng;
    s.captions.SetRowCount(3);  // Home, Contacts
    output::RecalculateFilenames(s);
    // Off (the default): nothing is measured.
    batch.SaveBatchButtonClick();
    EXPECT_TRUE(batch.AccessRecords().isEmpty());
    EXPECT_TRUE(renderer.accessAsked.isEmpty());

    AccessFigure grey;
    grey.hasText = true;
    grey.contrast = 4.48;
    grey.contrastMet = false;
    grey.size = QSize(80, 30);
    renderer.figures["1:Home"] = grey;
    AccessFigure fine = grey;
    fine.contrast = 7.1;
    fine.contrastMet = true;
    renderer.figures["2:Home"] = fine;
    AccessFigure small = fine;
    small.size = QSize(20, 20);
    small.sizeMet = false;
    renderer.figures["P2:Home"] = small;
    renderer.figures["P1:Home"] = small;
    renderer.figures["1:Contacts"] = fine;
    renderer.figures["2:Contacts"] = fine;
    // The pressed image of Contacts is as BatchFaces measures a face that cannot measure itself:
    // its size (18 x 8 here), no text, nothing short.
    s.checkAccess = true;
    s.scale2x = true;
    output::RecalculateFilenames(s);
    batch.SaveBatchButtonClick();
    // The 1x images alone, in the order written, the pressed one from type 2's face.
    EXPECT_EQ(renderer.accessAsked,
              (QStringList{"1:Home", "2:Home", "P2:Home", "1:Contacts", "2:Contacts", "P2:Contacts"}));
    const QList<AccessRecord>& records = batch.AccessRecords();
    ASSERT_EQ(records.size(), 6);
    EXPECT_EQ(records[0].caption, "Home");
    EXPECT_EQ(records[0].type, settings::kType1);
    EXPECT_FALSE(records[0].pressed);
    EXPECT_EQ(records[0].fileName, "u_home.png");
    EXPECT_EQ(records[0].figure.contrast, 4.48);
    EXPECT_EQ(records[1].fileName, "d_home.png");
    EXPECT_EQ(records[1].type, settings::kType2);
    EXPECT_TRUE(records[2].pressed);
    EXPECT_EQ(records[2].type, settings::kType2);
    EXPECT_EQ(records[2].fileName, "p_home.png");
    EXPECT_EQ(records[5].fileName, "p_contacts.png");
    EXPECT_FALSE(records[5].figure.hasText);
    EXPECT_EQ(records[5].figure.size, QSize(18, 8));
    EXPECT_TRUE(records[5].figure.Met());
    EXPECT_EQ(ShortCount(records), 2);
    EXPECT_EQ(AccessLine(records[2]), "Home (type 2 pressed, p_home.png): 20 x 20 pixels, needs 24 x 24");
    EXPECT_EQ(AccessLine(records[0]), "Home (type 1, u_home.png): contrast 4.48:1, needs 4.5:1");
    // A caption and a name holding "%1" or "%2" are written as they are.
    AccessRecord percent = records[0];
    percent.caption = "50%2 off %1";
    percent.fileName = "u_50%3.png";
    EXPECT_EQ(AccessLine(percent), "50%2 off %1 (type 1, u_50%3.png): contrast 4.48:1, needs 4.5:1");

    // Type 2 disabled: type 1 and its pressed image; the list's own names are the names written.
    renderer.accessAsked.clear();
    s.secondbuttonEnabled = false;
    s.scale2x = false;
    output::RecalculateFilenames(s);
    s.captions.SetCell(1, settings::CaptionGrid::kType1Column, "mine.png");
    batch.SaveBatchButtonClick();
    EXPECT_EQ(renderer.accessAsked, (QStringList{"1:Home", "P1:Home", "1:Contacts", "P1:Contacts"}));
    ASSERT_EQ(batch.AccessRecords().size(), 4);
    EXPECT_EQ(batch.AccessRecords()[0].fileName, "mine.png");
    EXPECT_TRUE(batch.AccessRecords()[1].pressed);
    EXPECT_EQ(batch.AccessRecords()[1].type, settings::kType1);
    EXPECT_EQ(AccessLine(batch.AccessRecords()[1]),
              "Home (type 1 pressed, p_home.png): 20 x 20 pixels, needs 24 x 24");

    // The next batch without the check forgets them.
    s.checkAccess = false;
    batch.SaveBatchButtonClick();
    EXPECT_TRUE(batch.AccessRecords().isEmpty());
}
