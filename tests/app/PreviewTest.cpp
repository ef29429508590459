#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ReferenceFaces.h"
#include "TestSupport.h"
#include "app/ButtonsPage.h"
#include "app/Form1.h"
#include "encode/WebPalette.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "render/LumoButton.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

using app::TForm1;

namespace {

class PreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(dialogs, shell, dir.path());
        form->show();
        form->Timer1->stop();
        for (auto& b : form->Settings().button) {
            b.fontName = "DejaVu Sans";
        }
    }
    settings::ButtonStyle& Type1() { return form->Settings().button[settings::kType1]; }
    app::ButtonsTypeControls& Fields1() { return form->buttonsPage->type[settings::kType1]; }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    std::unique_ptr<TForm1> form;
};

}  // namespace

TEST_F(PreviewTest, SizesFollowTheBackgroundMode) {
    // Smart sizing: the caption's width in the type's font plus the spacing.
    form->ApplyButtonSettings("Products", "");
    const QFontMetrics metrics(render::TLumoButton::FaceFontOf(form->image1->font()));
    EXPECT_EQ(form->image1->ButtonWidth(), metrics.horizontalAdvance("Products") + 5);
    EXPECT_EQ(form->image1->ButtonHeight(), 30);
    EXPECT_EQ(form->image1->width(), form->image1->ButtonWidth());
    EXPECT_EQ(form->image2->ButtonWidth(), 5);  // an empty caption is just the spacing
    EXPECT_TRUE(form->image1->MouseInside);
    EXPECT_EQ(form->image1->Caption(), QStringLiteral("Products"));
    EXPECT_EQ(form->image1->Canvas().pixel(0, 0), qRgb(255, 255, 255));  // type 1 background white

    // Fixed size with an empty width field: no width, and the arrows show 0.
    Type1().backgroundMode = 1;
    Fields1().widthField.edit->setText("");
    form->ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(form->image1->ButtonWidth(), 0);
    EXPECT_EQ(Fields1().widthField.arrows->Position(), 0);
    Fields1().widthField.edit->setText("140");
    Fields1().heightField.edit->setText("-");
    form->ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(form->image1->ButtonWidth(), 140);
    EXPECT_EQ(form->image1->ButtonHeight(), 0);

    // A bitmap's own size, whatever the fields say.
    QImage bitmap(120, 40, QImage::Format_RGB32);
    bitmap.fill(qRgb(10, 200, 30));
    const QString file = dir.path() + "/back.bmp";
    ASSERT_TRUE(bitmap.save(file));
    Type1().backgroundMode = 0;
    Type1().bitmapFile = file;
    Fields1().heightField.edit->setText("30");
    form->ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(form->image1->ButtonWidth(), 120);
    EXPECT_EQ(form->image1->ButtonHeight(), 40);
    EXPECT_EQ(form->image1->MainBitmap().size(), QSize(120, 40));
    // A missing file keeps the size of the bitmap last read.
    Type1().bitmapFile = dir.path() + "/gone.bmp";
    form->ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(form->image1->ButtonWidth(), 120);
}

TEST_F(PreviewTest, ColoursBordersAndEffectsReachTheButtons) {
    Type1().backgroundColour = "000000FF";
    Type1().captionColour = "00FF0000";
    Type1().borderStyle = 1;  // "3D Border"
    Type1().borderDepth = 3;
    Type1().captionEffect = settings::CaptionEffect::Embossed;
    Type1().horizontalMode = 2;
    Type1().horizontalOffset = "7";
    Type1().verticalMode = 3;
    form->ApplyButtonSettings("Go", "Go");
    render::TLumoButton* b = form->image1;
    EXPECT_EQ(b->ButtonColor(), 0x000000FFu);
    EXPECT_EQ(b->FontColor(), 0x00FF0000u);
    EXPECT_EQ(b->Button3DKind(), face::dk3dBorder);
    EXPECT_EQ(b->ButtonDepth(), 3);
    EXPECT_EQ(b->Caption3dKind(), face::ckEmbossed);
    EXPECT_EQ(b->CaptionHAlign(), face::haNone);
    EXPECT_EQ(b->CaptionLeft(), 7);
    EXPECT_EQ(b->CaptionVAlign(), face::vaTop);
    // A background colour that is not eight digits paints black and is rewritten at the refresh.
    Type1().backgroundColour = "FF00FF0";
    form->Settings().PreviewUpdatesSuspended = false;
    form->RefreshPreview();
    EXPECT_EQ(form->image1->ButtonColor(), 0u);
    EXPECT_EQ(Type1().backgroundColour, QStringLiteral("00000000"));
}

TEST_F(PreviewTest, AnUnreadableBitmapEndsTheRefreshWithItsMessage) {
    const QString file = dir.path() + "/not-an-image.bmp";
    testsupport::WriteAll(file, "this is text");
    Type1().backgroundMode = 2;
    Type1().bitmapFile = file;
    form->Timer1->start();
    form->Guarded([&] { form->Timer1Timer(); });  // as the timer's tick runs it
    EXPECT_EQ(form->StatusText(), "The bitmap file \"" + file + "\" could not be read.");
}

TEST_F(PreviewTest, TypingInASizeFieldRefreshesOnceAfterTheDelay) {
    form->Timer1Timer();
    const int before = form->PreviewRefreshCount();
    Fields1().heightField.edit->setFocus();
    Fields1().heightField.edit->setCursorPosition(2);
    QTest::keyClicks(Fields1().heightField.edit,
                     "123");  // 30 → 30123 is out of range; the keys that fit land
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->PreviewRefreshCount(), before);
    QTest::qWait(TForm1::kPreviewDelayMs + 300);
    EXPECT_EQ(form->PreviewRefreshCount(), before + 1);
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(PreviewTest, TheBatchWritesTheFacesTheButtonsShow) {
    form->Settings().captions.SetRowCount(4);
    form->SaveBatchButton->click();
    const QString folder = dir.path() + "/KSDATA/BUTTONS/";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + folder});
    EXPECT_EQ(form->image1->Caption(), QStringLiteral("Plumeric !"));
    EXPECT_EQ(form->image2->Caption(), QStringLiteral("Plumeric !"));
    EXPECT_FALSE(form->Settings().PreviewUpdatesSuspended);

    // Each file decodes to the web-palette mapping of the face rendered for it.
    for (const int type : {settings::kType1, settings::kType2}) {
        const bool first = type == settings::kType1;
        form->ApplyButtonSettings(first ? "Products" : "Plumeric !", first ? "Plumeric !" : "Products");
        const QImage face = testsupport::Captured(form->Composer(), form->Settings(), type);
        const QImage decoded(folder + (first ? "u_products.gif" : "d_products.gif"));
        ASSERT_EQ(decoded.size(), face.size());
        int mismatches = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const QRgb src = face.pixel(x, y);
                const int i = encode::WebPaletteIndex(qRed(src), qGreen(src), qBlue(src));
                mismatches += (decoded.pixel(x, y) & 0xFFFFFF) !=
                              (qRgb(51 * (i / 36), 51 * (i / 6 % 6), 51 * (i % 6)) & 0xFFFFFF);
            }
        }
        EXPECT_EQ(mismatches, 0) << "type " << type;
    }
    EXPECT_EQ(form->Batch().SavedButtons().size(), 3);
}

TEST_F(PreviewTest, TheBitmapFieldStartsInTheSamplesFolderAndRefreshesForAnExistingFile) {
    dialogs.QueueOpenFile(dir.path() + "/missing.bmp");
    form->buttonsPage->BitmapBrowseClick(settings::kType1);
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(Type1().bitmapFile, dir.path() + "/missing.bmp");
    EXPECT_FALSE(form->Timer1->isActive());  // the file does not exist: no refresh

    QImage bitmap(8, 8, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    ASSERT_TRUE(bitmap.save(dir.path() + "/red.bmp"));
    dialogs.QueueOpenFile(dir.path() + "/red.bmp");
    form->buttonsPage->BitmapBrowseClick(settings::kType2);
    EXPECT_EQ(form->Settings().button[settings::kType2].bitmapFile, dir.path() + "/red.bmp");
    EXPECT_TRUE(form->Timer1->isActive());
    form->buttonsPage->BitmapBrowseClick(settings::kType2);  // cancelled: nothing changes
    EXPECT_EQ(form->Settings().button[settings::kType2].bitmapFile, dir.path() + "/red.bmp");
}

TEST_F(PreviewTest, LargeButtonsLongCaptionsAndOddNamesAreHandled) {
    Type1().backgroundMode = 1;
    Fields1().widthField.edit->setText("2000");
    Fields1().heightField.edit->setText("2000");
    auto& grid = form->Settings().captions;
    grid.SetRowCount(3);
    grid.SetCell(1, 0, QString(250, 'W'));
    grid.SetCell(2, 0, "Odd");
    grid.SetCell(2, 1, "/");
    form->Settings().secondbuttonEnabled = false;
    form->SaveBatchButton->click();
    const QString folder = dir.path() + "/KSDATA/BUTTONS/";
    const QString longName = "u_" + QString(34, 'w') + ".gif";
    EXPECT_EQ(grid.Cell(1, 1), longName);
    const QImage big(folder + longName);
    EXPECT_EQ(big.size(), QSize(2000, 2000));
    // The name "/" is no file name: the row's default name takes its place.
    EXPECT_EQ(grid.Cell(2, 1), QStringLiteral("u_odd.gif"));
    EXPECT_EQ(dialogs.Messages(), QStringList{"All buttons have been saved to folder: -\r" + folder});
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"u_odd.gif", longName}));
}
