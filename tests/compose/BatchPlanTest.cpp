#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ReferenceFaces.h"
#include "TestSupport.h"
#include "compose/BackgroundBitmap.h"
#include "compose/ButtonComposer.h"
#include "compose/FilePicture.h"
#include "face/ColorRules.h"
#include "output/ButtonBatch.h"
#include "platform/ScriptedDialogs.h"
#include "settings/DefaultSettings.h"

// A batch's plan with the real composer: the background bitmaps it reads, and what the batch makes of
// a bitmap that cannot be had.
namespace {

class BatchPlanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::ApplyDefaultSettings(s, {QStringLiteral("DejaVu Sans")}, dir.path() + "/");
        s.targetFolder = dir.path() + "/out/";
        bitmapFile = dir.path() + "/back.bmp";
        ASSERT_TRUE(testsupport::ReferenceBitmap().save(bitmapFile));
    }

    QTemporaryDir dir;
    QString bitmapFile;
    settings::AppSettings s;
    platform::ScriptedDialogs dialogs;
    compose::TButtonComposer composer{s};
    output::ButtonBatch batch{s, dialogs, composer};
};

}  // namespace

TEST_F(BatchPlanTest, ABitmapThatCannotBeReadStopsTheBatchBeforeAnyFile) {
    s.captions.SetRowCount(3);
    const auto refused = [&](int type, const QString& path, const QString& reason) {
        return "The background bitmap of type " + QString::number(type) + " buttons, \"" + path +
               "\", cannot be read: " + reason + ".\rNo buttons have been saved.";
    };
    settings::ButtonStyle& b1 = s.button[settings::kType1];
    settings::ButtonStyle& b2 = s.button[settings::kType2];
    // Mode 0 with a missing bitmap wrote 0 x 0 files and said all was saved.
    b1.backgroundMode = 0;
    b1.bitmapFile = dir.path() + "/missing.bmp";
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_EQ(dialogs.History()[0].text, refused(1, b1.bitmapFile, "No such file or directory"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out"));
    EXPECT_TRUE(batch.SavedButtons().isEmpty());

    // A folder as type 2's bitmap (fixed size), a pipe (smart sizing) and no bitmap chosen at all.
    b1.bitmapFile = bitmapFile;
    b2.backgroundMode = 2;
    b2.bitmapFile = dir.path();
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{refused(2, dir.path(), "Is a directory")});
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path() + "/pipe.bmp").constData(), 0600), 0);
    b2.backgroundMode = 3;
    b2.bitmapFile = dir.path() + "/pipe.bmp";
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{refused(2, b2.bitmapFile, "Not a regular file")});
    b2.bitmapFile.clear();
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{refused(2, "", "No such file or directory")});
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out"));

    // A disabled type 2 writes nothing and is not checked; modes 1 and 4 draw no bitmap.
    s.secondbuttonEnabled = false;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
    s.secondbuttonEnabled = true;
    b1.backgroundMode = 1;
    b1.bitmapFile = dir.path() + "/missing.bmp";
    b2.backgroundMode = 4;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
}

TEST_F(BatchPlanTest, ABitmapWithoutAPictureStopsOnlyTheTypesThatAreSaved) {
    s.captions.SetRowCount(2);  // Home
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/text.bmp", "BM but no picture"));
    settings::ButtonStyle& b1 = s.button[settings::kType1];
    settings::ButtonStyle& b2 = s.button[settings::kType2];
    b1.backgroundMode = settings::kBitmapFixedSize;
    b1.bitmapFile = bitmapFile;
    b2.backgroundMode = settings::kBitmapSized;
    b2.bitmapFile = dir.path() + "/text.bmp";
    // Read, but no picture: the batch ends with the bitmap's own message before any file.
    batch.SaveBatchButtonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_TRUE(dialogs.History()[0].text.contains(compose::BitmapUnreadableMessage(b2.bitmapFile)))
        << dialogs.History()[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out/u_home.gif"));

    // A disabled type 2 is neither saved nor read: its bitmap does not stop type 1's files.
    s.secondbuttonEnabled = false;
    dialogs.Clear();
    batch.SaveBatchButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
    ASSERT_NE(composer.LastPlan(), nullptr);
    EXPECT_EQ(QImage(dir.path() + "/out/u_home.gif").size(),
              composer.LastPlan()->FaceSize(settings::kType1, "Home"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/out/d_home.gif"));
}

TEST_F(BatchPlanTest, APlanIsFixedWhenTheBatchStartsAndReadsABitmapNamedTwiceOnce) {
    settings::ButtonStyle& b1 = s.button[settings::kType1];
    settings::ButtonStyle& b2 = s.button[settings::kType2];
    b1.backgroundMode = settings::kBitmapSized;
    b2.backgroundMode = settings::kBitmapSmartSized;
    b1.bitmapFile = b2.bitmapFile = bitmapFile;
    const std::shared_ptr<const output::BatchFaces> plan = composer.PlanBatch();
    // The bitmap changes on disk after the plan was made: the plan keeps the picture it read.
    QImage other(30, 10, QImage::Format_RGB32);
    other.fill(qRgb(1, 2, 250));
    ASSERT_TRUE(other.save(bitmapFile));
    EXPECT_EQ(plan->FaceSize(settings::kType1, "Home"), QSize(60, 24));
    const auto& batchPlan = static_cast<const compose::BatchPlan&>(*plan);
    EXPECT_EQ(batchPlan.Face(settings::kType1, "Home", 1).mainBitmap.size(), QSize(60, 24));
    EXPECT_EQ(batchPlan.Face(settings::kType2, "Home", 1).mainBitmap.size(), QSize(60, 24));
    EXPECT_EQ(batchPlan.Face(settings::kType2, "Home", 2).mainBitmap.size(), QSize(120, 48));
    // The next plan reads the file again.
    EXPECT_EQ(composer.PlanBatch()->FaceSize(settings::kType1, "Home"), QSize(30, 10));
    EXPECT_EQ(composer.LastPlan()->Face(settings::kType2, "Home", 1).mainBitmap.size(), QSize(30, 10));
}

TEST_F(BatchPlanTest, ACaptionWiderThanItsFixedShapeIsWrittenAndToldOfOnce) {
    s.captions.SetRowCount(3);
    s.captions.SetCell(1, 0, "WWWWWWWW");
    s.captions.SetCell(2, 0, "I");
    settings::ButtonStyle& b1 = s.button[settings::kType1];
    b1.backgroundMode = settings::kColourFixedSize;
    b1.width = QStringLiteral("90");
    b1.height = QStringLiteral("28");
    b1.shape = 2;  // "Ellipse"
    b1.SetFontSizeText(QStringLiteral("14"));
    QStringList told;
    batch.OnCaptionOutsideShape = [&](int type, const QString& caption) {
        told.append(QStringLiteral("%1:%2").arg(settings::ShownTypeNumber(type)).arg(caption));
    };
    batch.SaveBatchButtonClick();
    EXPECT_EQ(told, QStringList{"1:WWWWWWWW"});
    EXPECT_EQ(QImage(s.targetFolder + s.captions.Cell(1, 1)).size(), QSize(90, 28));
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + s.targetFolder});
    // The same caption in smart sizing gets an ellipse wide enough for it.
    b1.backgroundMode = settings::kColourSmartSized;
    told.clear();
    batch.SaveBatchButtonClick();
    EXPECT_TRUE(told.isEmpty());
    EXPECT_GT(QImage(s.targetFolder + s.captions.Cell(1, 1)).width(), 90);
    EXPECT_EQ(output::OutsideShapeText(1), QStringLiteral("; 1 caption does not fit inside its shape"));
    EXPECT_EQ(output::OutsideShapeText(3), QStringLiteral("; 3 captions do not fit inside their shape"));
}

namespace {

// The pressed picture a plain face should give: the outer bevel's highlight and shadow swapped, and
// every pixel of the caption moved `shift` pixels right and down over the face's own colour.
QImage PressedFromPlain(const QImage& plain, QRgb highlight, QRgb shadow, QRgb caption, QRgb background,
                        int shift) {
    QImage expected = plain;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb here = plain.pixel(x, y);
            if (here == highlight) {
                expected.setPixel(x, y, shadow);
            } else if (here == shadow) {
                expected.setPixel(x, y, highlight);
            } else if (here == caption || here == background) {
                const bool inside = x >= shift && y >= shift;
                expected.setPixel(
                    x, y, inside && plain.pixel(x - shift, y - shift) == caption ? caption : background);
            }
        }
    }
    return expected;
}

}  // namespace

TEST_F(BatchPlanTest, APressedPictureIsTheFaceWithItsCaptionMovedAndItsBevelSwapped) {
    // Type 2 on a grey fixed-size face, wide enough that the caption stays clear of the bevel.
    for (settings::ButtonStyle& b : s.button) {
        b.fontName = QStringLiteral("DejaVu Sans");
        b.backgroundMode = settings::kColourFixedSize;
        b.width = QStringLiteral("120");
        b.height = QStringLiteral("36");
        b.borderStyle = 0;  // "Simple 3D": the bevel alone
        b.borderDepth = 2;
        b.captionEffect = settings::CaptionEffect::Standard;
    }
    s.button[settings::kType1].backgroundColour = QStringLiteral("00806040");
    s.button[settings::kType1].captionColour = QStringLiteral("0000FF00");
    s.button[settings::kType2].backgroundColour = QStringLiteral("00808080");
    s.button[settings::kType2].captionColour = QStringLiteral("000000FF");
    const auto rgb = [](face::TColor c) { return face::ToQColor(c).rgb(); };
    const auto check = [&](int type, int scale, const std::string& what) {
        const std::shared_ptr<const output::BatchFaces> plan = composer.PlanBatch();
        const QImage plain = plan->Picture(type, QStringLiteral("Home"), scale);
        const QImage pressed = plan->PressedPicture(type, QStringLiteral("Home"), scale);
        const settings::ButtonStyle& b = s.button[static_cast<std::size_t>(type)];
        const face::TColor c = settings::ColourFromStringStrict(b.backgroundColour);
        const QRgb caption = rgb(settings::ColourFromStringStrict(b.captionColour));
        ASSERT_EQ(pressed.size(), plain.size()) << what;
        ASSERT_EQ(plain.size(), QSize(120, 36) * scale) << what;
        // The caption is there to be moved, and the pressed face is not the plain one.
        ASSERT_GT(
            std::count(reinterpret_cast<const QRgb*>(plain.constBits()),
                       reinterpret_cast<const QRgb*>(plain.constBits()) + plain.width() * plain.height(),
                       caption),
            0)
            << what;
        EXPECT_NE(pressed, plain) << what;
        const QImage expected = PressedFromPlain(plain, rgb(face::LighterColor(c)), rgb(face::DarkerColor(c)),
                                                 caption, rgb(c), scale);
        EXPECT_EQ(testsupport::DifferentPixels(pressed, expected), 0) << what;
        // The bevel is swapped: its top row is the shadow colour, its bottom row the highlight's.
        if (b.borderDepth > 0) {
            EXPECT_EQ(plain.pixel(plain.width() / 2, 0), rgb(face::LighterColor(c))) << what;
            EXPECT_EQ(pressed.pixel(pressed.width() / 2, 0), rgb(face::DarkerColor(c))) << what;
            EXPECT_EQ(pressed.pixel(pressed.width() / 2, pressed.height() - 1), rgb(face::LighterColor(c)))
                << what;
        }
    };
    check(settings::kType2, 1, "type 2");
    // At 2x the caption moves two pixels (and the bevel is twice as deep).
    check(settings::kType2, 2, "type 2 at 2x");
    // Without a border only the caption moves.
    s.button[settings::kType2].borderDepth = 0;
    check(settings::kType2, 1, "no border");
    check(settings::kType2, 2, "no border at 2x");
    // Type 1's face pressed, as a batch takes it while type 2 is disabled.
    s.secondbuttonEnabled = false;
    check(settings::kType1, 1, "type 1");
}

TEST_F(BatchPlanTest, EachImageIsMeasuredByItsOneTimesFaceAndItsPressedFaceToo) {
    // Grey captions on white, fixed-size faces in 10 pt (13 px, not large) DejaVu Sans: #777777 is
    // 4.48:1, #767676 4.54:1.
    for (settings::ButtonStyle& b : s.button) {
        b.fontName = QStringLiteral("DejaVu Sans");
        b.SetFontSizeText(QStringLiteral("10"));
        b.bold = false;
        b.backgroundMode = settings::kColourFixedSize;
        b.width = QStringLiteral("100");
        b.height = QStringLiteral("30");
        b.backgroundColour = QStringLiteral("00FFFFFF");
        b.captionEffect = settings::CaptionEffect::Standard;
    }
    s.button[settings::kType1].captionColour = QStringLiteral("00777777");
    s.button[settings::kType2].captionColour = QStringLiteral("00767676");
    const QString home = QStringLiteral("Home");
    std::shared_ptr<const output::BatchFaces> plan = composer.PlanBatch();
    const output::AccessFigure grey = plan->Access(settings::kType1, home, false);
    EXPECT_TRUE(grey.hasText);
    EXPECT_NEAR(grey.contrast, 4.48, 0.005);
    EXPECT_EQ(grey.needs, 4.5);
    EXPECT_FALSE(grey.contrastMet);
    EXPECT_EQ(grey.size, QSize(100, 30));
    EXPECT_TRUE(grey.sizeMet);
    const output::AccessFigure darker = plan->Access(settings::kType2, home, false);
    EXPECT_NEAR(darker.contrast, 4.54, 0.005);
    EXPECT_TRUE(darker.Met());
    // The pressed face: the caption moved, the same colours.
    EXPECT_NEAR(plan->Access(settings::kType2, home, true).contrast, 4.54, 0.005);

    // 24 pt is large text: 3:1 is enough for #949494 (3.03:1), not for #969696 (2.96:1).
    s.button[settings::kType1].SetFontSizeText(QStringLiteral("18"));
    s.button[settings::kType1].captionColour = QStringLiteral("00949494");
    s.button[settings::kType2].SetFontSizeText(QStringLiteral("18"));
    s.button[settings::kType2].captionColour = QStringLiteral("00969696");
    plan = composer.PlanBatch();
    const output::AccessFigure large = plan->Access(settings::kType1, home, false);
    EXPECT_EQ(large.needs, 3.0);
    EXPECT_NEAR(large.contrast, 3.03, 0.005);
    EXPECT_TRUE(large.Met());
    EXPECT_NEAR(plan->Access(settings::kType2, home, false).contrast, 2.96, 0.005);
    EXPECT_FALSE(plan->Access(settings::kType2, home, false).Met());

    // A 20 x 20 button falls short at 1x although its twice-size image is 40 x 40: the 1x face
    // decides, and the 2x face has the same figure.
    s.scale2x = true;
    s.button[settings::kType1].width = QStringLiteral("20");
    s.button[settings::kType1].height = QStringLiteral("20");
    s.button[settings::kType1].SetFontSizeText(QStringLiteral("7"));
    s.button[settings::kType1].captionColour = QStringLiteral("00000000");
    plan = composer.PlanBatch();
    EXPECT_EQ(plan->Picture(settings::kType1, QStringLiteral("H"), 2).size(), QSize(40, 40));
    const output::AccessFigure small = plan->Access(settings::kType1, QStringLiteral("H"), false);
    EXPECT_EQ(small.size, QSize(20, 20));
    EXPECT_FALSE(small.sizeMet);
    EXPECT_TRUE(small.contrastMet);
    EXPECT_NEAR(small.contrast, 21.0, 1e-9);
    const auto& batchPlan = static_cast<const compose::BatchPlan&>(*plan);
    const output::AccessFigure twice = compose::MeasureAccess(
        batchPlan.Face(settings::kType1, QStringLiteral("H"), 2), compose::SavedFaceState());
    EXPECT_EQ(twice.size, QSize(40, 40));
    EXPECT_NEAR(twice.contrast, small.contrast, 1e-9);
}
