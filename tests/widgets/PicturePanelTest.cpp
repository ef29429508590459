#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "widgets/PicturePanel.h"

using namespace widgets;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QColor kBack(0, 48, 0);

// 10 x 10: the three left columns red, the rest blue.
QImage Stripe() {
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(kBlue);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 3; ++x) {
            img.setPixel(x, y, kRed);
        }
    }
    return img;
}

class PicturePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pictures::Reset();
        pictures::SetProgramFolder(dir.path());
    }
    void TearDown() override {
        pictures::Reset();
        pictures::SetProgramFolder(QString());
    }

    // A 60 x 40 panel without bevel, FrameSize 3: its inside starts at (3, 3).
    std::unique_ptr<TPicturePanel> Panel(TPicturePanelStyle style) {
        auto p = std::make_unique<TPicturePanel>();
        p->resize(60, 40);
        p->SetBevelWidth(0);
        p->SetColor(kBack);
        p->SetStyle(style);
        p->SetPicture(Stripe());
        return p;
    }

    // The columns of row `y` where a red run starts.
    static QList<int> RedStarts(TPicturePanel& p, int y) {
        const QImage img = p.grab().toImage();
        QList<int> starts;
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) == kRed && (x == 0 || img.pixel(x - 1, y) != kRed)) {
                starts.append(x);
            }
        }
        return starts;
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(PicturePanelTest, TilesStartAtTheirOffsetsAtFullAndHalfScale) {
    auto p = Panel(ppTiled);
    // Scale 100: tiles of 10, so red runs start every 10 pixels from inner left + x0.
    p->SetTileXOffset(3);  // 3 mod 10 = 3, positive: the grid starts at 3 - 10 = -7
    EXPECT_EQ(RedStarts(*p, 10), (QList<int>{6, 16, 26, 36, 46, 56}));
    p->SetTileXOffset(-3);  // starts at inner left - 3 = 0, whose red columns are clipped
    EXPECT_EQ(RedStarts(*p, 10), (QList<int>{10, 20, 30, 40, 50}));
    p->SetTileXOffset(0);
    EXPECT_EQ(RedStarts(*p, 10), (QList<int>{3, 13, 23, 33, 43, 53}));
    EXPECT_EQ(p->grab().toImage().pixel(1, 10), kBack.rgb());  // the frame stays the panel's colour
    EXPECT_EQ(p->grab().toImage().pixel(57, 10), kBack.rgb());

    // Scale 50: tiles of round(5) whose step is 5 - 1 = 4; 3 mod 5 = 3 gives -2.
    p->SetScale(50);
    p->SetTileXOffset(3);
    EXPECT_EQ(RedStarts(*p, 10), (QList<int>{5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53}));
    p->SetTileXOffset(-3);
    EXPECT_EQ(RedStarts(*p, 10).first(), 4);
    // Rows follow the same rule with TileYOffset.
    p->SetTileXOffset(0);
    p->SetTileYOffset(0);
    EXPECT_EQ(p->grab().toImage().pixel(3, 3), kRed);
}

TEST_F(PicturePanelTest, CentredStretchedAndNoneStyles) {
    auto p = Panel(ppCentered);
    // Scale 100: left = 3 + 54 div 2 - 5 = 25, top = 3 + 34 div 2 - 5 = 15.
    QImage img = p->grab().toImage();
    EXPECT_EQ(img.pixel(25, 15), kRed);
    EXPECT_EQ(img.pixel(24, 15), kBack.rgb());
    EXPECT_EQ(img.pixel(34, 24), kBlue);
    EXPECT_EQ(img.pixel(35, 24), kBack.rgb());
    EXPECT_EQ(img.pixel(34, 25), kBack.rgb());
    // Scale 150: w = h = 15, left = 30 - 7 = 23, top = 20 - 7 = 13, 14 pixels wide and high.
    p->SetScale(150);
    img = p->grab().toImage();
    EXPECT_EQ(img.pixel(23, 13), kRed);
    EXPECT_EQ(img.pixel(22, 13), kBack.rgb());
    EXPECT_EQ(img.pixel(36, 26), kBlue);
    EXPECT_EQ(img.pixel(37, 26), kBack.rgb());
    EXPECT_EQ(img.pixel(36, 27), kBack.rgb());

    // Stretched over the whole inside.
    p->SetStyle(ppScaled);
    img = p->grab().toImage();
    EXPECT_EQ(img.pixel(3, 3), kRed);
    EXPECT_EQ(img.pixel(56, 36), kBlue);
    EXPECT_EQ(img.pixel(2, 3), kBack.rgb());
    EXPECT_EQ(img.pixel(57, 36), kBack.rgb());

    // ppNone draws nothing; neither does a panel without a picture.
    p->SetStyle(ppNone);
    img = p->grab().toImage();
    EXPECT_EQ(img.pixel(30, 20), kBack.rgb());
    EXPECT_EQ(img.pixel(3, 3), kBack.rgb());
    p->SetStyle(ppTiled);
    p->SetPicture(QImage());
    EXPECT_EQ(p->grab().toImage().pixel(30, 20), kBack.rgb());
    p->SetColor(QColor(10, 20, 30));
    EXPECT_EQ(p->grab().toImage().pixel(30, 20), qRgb(10, 20, 30));
}

TEST_F(PicturePanelTest, ScalesTooSmallToStepAreNotTiledAndRepaintsFollowTheStyle) {
    auto p = Panel(ppTiled);
    p->SetScale(10);  // tiles of one pixel would step by nothing
    const QImage img = p->grab().toImage();
    EXPECT_EQ(img.pixel(3, 3), kBack.rgb());
    EXPECT_EQ(img.pixel(30, 20), kBack.rgb());
    p->SetScale(0);
    p->SetScale(-5);
    EXPECT_EQ(p->Scale(), 10);

    // Scale repaints only a centred or tiled panel; offsets only a tiled one.
    auto scaled = Panel(ppScaled);
    const int before = scaled->RepaintCount();
    scaled->SetScale(50);
    scaled->SetTileXOffset(4);
    EXPECT_EQ(scaled->Scale(), 50);
    EXPECT_EQ(scaled->RepaintCount(), before);
    p->SetTileXOffset(4);
    EXPECT_GT(p->RepaintCount(), before);
}

TEST_F(PicturePanelTest, PictureSettingsAreReadOnceAndTheirPathOverridesTheController) {
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/Images.txt", "size=3\r\npath=/srv/pictures/\r\n"));
    pictures::Reset();
    TPicturePanel a;
    TPicturePanel b;
    TPicturePanel c;
    EXPECT_EQ(pictures::SettingsReads(), 1);
    EXPECT_EQ(pictures::GlobalPicturePath(), QStringLiteral("/srv/pictures/"));
    TPicturePanelController controller;
    controller.SetRunTimeDir(dir.path() + "/own/");
    a.SetController(&controller);
    a.SetFileName("tile.png");  // missing: no picture, no error
    EXPECT_EQ(a.FullPicturePath(), QStringLiteral("/srv/pictures/tile.png"));
    EXPECT_TRUE(a.Picture().isNull());
    // An absolute name is used as it stands.
    b.SetFileName(dir.path() + "/abs.png");
    EXPECT_EQ(b.FullPicturePath(), dir.path() + "/abs.png");
}

TEST_F(PicturePanelTest, NamesResolveAgainstTheControllerOrTheImagesFolder) {
    TPicturePanelController controller;
    TPicturePanel p;
    p.SetController(&controller);
    p.SetFileName("tile.png");
    EXPECT_EQ(p.FullPicturePath(), dir.path() + "/images/tile.png");
    controller.SetRunTimeDir(dir.path() + "/pics/");
    EXPECT_EQ(p.FullPicturePath(), dir.path() + "/pics/tile.png");
    controller.SetRunTimeDir(dir.path() + "/pics");
    EXPECT_EQ(p.FullPicturePath(), dir.path() + "/pics/tile.png");

    // The file appears. The controller's reload still counts the folder as missing, as it was
    // found before; an explicit Reload looks again. The style follows the controller.
    QDir().mkpath(dir.path() + "/pics");
    ASSERT_TRUE(Stripe().save(dir.path() + "/pics/tile.png"));
    controller.SetRunTimeDir(dir.path() + "/pics/");
    EXPECT_TRUE(p.Picture().isNull());
    p.Reload();
    EXPECT_EQ(p.Picture().size(), QSize(10, 10));
    EXPECT_EQ(p.EffectiveStyle(), ppScaled);
    controller.SetStyle(pcTiled);
    EXPECT_EQ(p.EffectiveStyle(), ppTiled);

    // A picture assigned directly survives attaching to a controller.
    TPicturePanel direct;
    direct.SetPicture(Stripe());
    direct.SetController(&controller);
    EXPECT_EQ(direct.Picture().size(), QSize(10, 10));
    EXPECT_FALSE(direct.PictureFromFile());
    EXPECT_EQ(controller.Panels().size(), 2);
    {
        TPicturePanel shortLived;
        shortLived.SetController(&controller);
        EXPECT_EQ(controller.Panels().size(), 3);
    }
    EXPECT_EQ(controller.Panels().size(), 2);
}

TEST_F(PicturePanelTest, MissingFoldersAreRememberedUntilAnExplicitLook) {
    TPicturePanelController controller;
    controller.SetRunTimeDir(dir.path() + "/later");
    TPicturePanel p;
    p.SetController(&controller);
    const int start = pictures::DirectoryProbes();
    p.SetFileName("tile.png");
    EXPECT_EQ(pictures::DirectoryProbes(), start + 1);  // probed once in this lookup
    controller.SetStyle(pcCentered);                    // a reload from the controller: not again
    EXPECT_EQ(pictures::DirectoryProbes(), start + 1);
    EXPECT_TRUE(p.Picture().isNull());

    // The folder is made; an explicit Reload looks again and finds the picture.
    QDir().mkpath(dir.path() + "/later");
    ASSERT_TRUE(Stripe().save(dir.path() + "/later/tile.png"));
    p.Reload();
    EXPECT_EQ(pictures::DirectoryProbes(), start + 2);
    EXPECT_EQ(p.Picture().size(), QSize(10, 10));

    // The same name does not load again; a name differing only in case is another file here.
    const int loads = p.LoadCount();
    p.SetFileName("tile.png");
    EXPECT_EQ(p.LoadCount(), loads);
    p.SetFileName("Tile.png");
    EXPECT_EQ(p.LoadCount(), loads + 1);
    EXPECT_TRUE(p.Picture().isNull());

    // A folder is no picture file; a file that is no picture raises its loading error.
    p.SetFileName(dir.path());
    EXPECT_TRUE(p.Picture().isNull());
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/later/broken.png", "not a picture"));
    EXPECT_THROW(p.SetFileName("broken.png"), std::runtime_error);
}

TEST_F(PicturePanelTest, CaptionsNamedAfterPicturesAreClearedOnceSetUp) {
    TPicturePanel p;
    p.SetCaption("picturePanel1");
    p.FinishLoading();
    EXPECT_TRUE(p.Caption().isEmpty());
    p.SetCaption("Preview");
    p.FinishLoading();
    EXPECT_EQ(p.Caption(), QStringLiteral("Preview"));
}
