#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtEndian>
#include <atomic>
#include <thread>

#include "ReferenceFaces.h"
#include "compose/BackgroundBitmap.h"
#include "compose/ButtonComposer.h"
#include "compose/FaceSettings.h"
#include "compose/FilePicture.h"
#include "face/FaceEngine.h"
#include "settings/DefaultSettings.h"

namespace {

class ButtonComposerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::ApplyDefaultSettings(s, {QStringLiteral("DejaVu Sans")}, dir.path() + "/");
        bitmapFile = dir.path() + "/back.bmp";
        ASSERT_TRUE(testsupport::ReferenceBitmap().save(bitmapFile));
    }

    QTemporaryDir dir;
    QString bitmapFile;
    settings::AppSettings s;
};

}  // namespace

TEST_F(ButtonComposerTest, EveryModeGivesTheReferenceFaces) {
    compose::TButtonComposer composer(s);
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        testsupport::SetReferenceSettings(s, mode, bitmapFile);
        composer.ApplyButtonSettings("Products", "Contacts");
        for (const int type : {settings::kType1, settings::kType2}) {
            const QImage expected(testsupport::ReferenceFacePath(mode, type));
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ(testsupport::DifferentPixels(testsupport::Captured(composer, s, type), expected), 0)
                << "mode " << mode << " type " << type;
        }
    }
}

TEST_F(ButtonComposerTest, ABatchsPicturesAreThePreviewFacesOnEveryThread) {
    compose::TButtonComposer composer(s);
    // Captions of the same width and of others, an empty one among them.
    const QStringList captions = {"Products", "Contacts", "", "W", "Products and services", "iii", "Home"};
    // Rectangles in GIF files, round shapes with a gradient in PNG files (transparent outside the
    // shape), rounded corners in BMP files (the page colour outside).
    for (int variant = 0; variant < 3 * settings::kBackgroundModeCount; ++variant) {
        const int mode = variant % settings::kBackgroundModeCount;
        testsupport::SetReferenceSettings(s, mode, bitmapFile);
        const int kind = variant / settings::kBackgroundModeCount;
        s.fileType = kind == 0   ? settings::kFileTypeGif
                     : kind == 1 ? settings::kFileTypePng
                                 : settings::kFileTypeBmp;
        for (settings::ButtonStyle& b : s.button) {
            b.shape = kind == 0   ? settings::kShapeRectangle
                      : kind == 1 ? 2
                                  : settings::kShapeRoundedRectangle;
            b.gradientKind = kind == 1 ? settings::kGradientLinear : settings::kGradientNone;
            b.cornerRadius = kind == 2 ? QStringLiteral("7") : QString();
        }
        const std::shared_ptr<const output::BatchFaces> plan = composer.PlanBatch();
        QList<QImage> expected;
        for (const QString& caption : captions) {
            composer.ApplyButtonSettings(caption, caption);
            expected << testsupport::Captured(composer, s, settings::kType1)
                     << testsupport::Captured(composer, s, settings::kType2);
        }
        // Settings changed after the batch took its faces do not reach them.
        s.button[settings::kType1].backgroundColour = QStringLiteral("00123456");
        std::vector<QImage> made(static_cast<std::size_t>(expected.size()) * 3);
        std::atomic<std::size_t> next{0};
        std::vector<std::thread> workers;
        for (int t = 0; t < 3; ++t) {
            workers.emplace_back([&] {
                for (std::size_t k = next++; k < made.size(); k = next++) {
                    const std::size_t i = k % static_cast<std::size_t>(expected.size());
                    made[k] =
                        plan->Picture(static_cast<int>(i % 2), captions[static_cast<qsizetype>(i / 2)], 1);
                }
            });
        }
        for (std::thread& w : workers) {
            w.join();
        }
        for (std::size_t k = 0; k < made.size(); ++k) {
            const auto i = static_cast<qsizetype>(k % static_cast<std::size_t>(expected.size()));
            EXPECT_TRUE(made[k] == expected[i]) << "variant " << variant << " type " << i % 2 + 1 << " \""
                                                << captions[i / 2].toStdString() << "\"";
        }
    }
}

TEST_F(ButtonComposerTest, AnEmptySizeCountsAsZeroAndIsWrittenBackAsZero) {
    compose::TButtonComposer composer(s);
    QList<int> changed;
    composer.OnSettingsChanged = [&](int type) { changed.append(type); };
    s.button[settings::kType1].backgroundMode = 1;
    s.button[settings::kType1].width = "";
    s.button[settings::kType1].height = "-";
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(composer.Face(settings::kType1).buttonWidth, 0);
    EXPECT_EQ(composer.Face(settings::kType1).buttonHeight, 0);
    EXPECT_EQ(s.button[settings::kType1].width, QStringLiteral("0"));
    EXPECT_EQ(s.button[settings::kType1].height, QStringLiteral("0"));
    EXPECT_EQ(changed, QList<int>{settings::kType1});

    // Smart sizing reads the spacing as 0 without writing it; a negative fixed size is no size.
    s.button[settings::kType2].spacing = "";
    s.button[settings::kType1].width = "-40";
    changed.clear();
    composer.ApplyButtonSettings("Home", "");
    EXPECT_EQ(composer.Face(settings::kType2).buttonWidth, 0);
    EXPECT_EQ(s.button[settings::kType2].spacing, QString());
    EXPECT_EQ(composer.Face(settings::kType1).buttonWidth, 0);
    EXPECT_TRUE(changed.isEmpty());
}

TEST_F(ButtonComposerTest, FontSizesOutsideTheListKeepOrChangeTheSize) {
    compose::TButtonComposer composer(s);
    settings::ButtonStyle& b = s.button[settings::kType1];
    b.SetFontSizeText("30");
    composer.ApplyButtonSettings("W", "W");
    EXPECT_EQ(composer.Face(settings::kType1).font.pixelSize(), 40);  // 30 pt at 96 dpi
    // A list without a choice has no size: the button keeps the one it has.
    b.SetFontSizeIndex(settings::kNoChoice);
    composer.ApplyButtonSettings("W", "W");
    EXPECT_EQ(composer.Face(settings::kType1).font.pixelSize(), 40);
    b.SetFontSizeText("1");
    composer.ApplyButtonSettings("W", "W");
    EXPECT_EQ(composer.Face(settings::kType1).font.pixelSize(), 1);
}

TEST(FaceSettings, ListPositionsBecomeTheButtonsKinds) {
    EXPECT_EQ(compose::BorderStyleKind("Simple 3D"), face::dk3dsimple);
    EXPECT_EQ(compose::BorderStyleKind("3D Border Flatten"), face::dk3dBorderFlatten);
    EXPECT_EQ(compose::BorderStyleKind("None"), face::dkNone);
    EXPECT_EQ(compose::BorderStyleKind(""), face::dkNone);
    // The two alignment lists are in different orders; no choice centres in both.
    EXPECT_EQ(compose::VerticalAlign(0), face::vaBottom);
    EXPECT_EQ(compose::VerticalAlign(settings::kNoChoice), face::vaCenter);
    EXPECT_EQ(compose::VerticalAlign(3), face::vaTop);
    EXPECT_EQ(compose::HorizontalAlign(0), face::haCenter);
    EXPECT_EQ(compose::HorizontalAlign(1), face::haLeft);
    EXPECT_EQ(compose::HorizontalAlign(settings::kNoChoice), face::haCenter);
    EXPECT_EQ(compose::HorizontalAlign(2), face::haNone);
    // The shape list, in its order; anything else is the rectangle.
    const std::vector<face::TLumoButtonKind> kinds = {face::bkRect, face::bkRoundRect, face::bkElliptic,
                                                      face::bkCutRect, face::bkArrow};
    for (int i = 0; i < settings::kButtonShapeCount; ++i) {
        EXPECT_EQ(compose::ShapeKind(i), kinds[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(compose::ShapeKind(settings::kNoChoice), face::bkRect);
    EXPECT_EQ(compose::ShapeKind(settings::kButtonShapeCount), face::bkRect);
    EXPECT_EQ(compose::GradientKind(0), face::gkNone);
    EXPECT_EQ(compose::GradientKind(1), face::gkLinear);
    EXPECT_EQ(compose::GradientKind(2), face::gkCircular);
    EXPECT_EQ(compose::GradientKind(3), face::gkNone);
}

TEST_F(ButtonComposerTest, ShapeAndFillReachTheFaceAndAGradientOnlyOverAColour) {
    compose::TButtonComposer composer(s);
    settings::ButtonStyle& one = s.button[settings::kType1];
    one.shape = 1;
    one.cornerRadius = "9";
    one.gradientKind = 1;
    one.gradientColour = "000000FF";
    one.gradientAngle = "-90";
    settings::ButtonStyle& two = s.button[settings::kType2];
    two.shape = 2;
    two.gradientKind = 2;
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        one.backgroundMode = two.backgroundMode = mode;
        one.bitmapFile = two.bitmapFile = bitmapFile;
        composer.ApplyButtonSettings("Home", "Home");
        const face::FaceProperties& p1 = composer.Face(settings::kType1);
        const face::FaceProperties& p2 = composer.Face(settings::kType2);
        EXPECT_EQ(p1.buttonKind, face::bkRoundRect);
        EXPECT_EQ(p1.cornerRadius, 9);
        EXPECT_EQ(p2.buttonKind, face::bkElliptic);
        EXPECT_EQ(p2.cornerRadius, -1);  // empty: twice the border depth
        EXPECT_EQ(p1.buttonColor1, 0x000000FFu);
        EXPECT_EQ(p1.gradientAngle, 2700);  // -90 degrees, in tenths
        EXPECT_EQ(p2.gradientAngle, 450);
        // Colour modes 1 and 4 take the fill; the bitmap modes keep none.
        const bool colour = mode == 1 || mode == 4;
        EXPECT_EQ(p1.gradientKind, colour ? face::gkLinear : face::gkNone) << mode;
        EXPECT_EQ(p2.gradientKind, colour ? face::gkCircular : face::gkNone) << mode;
    }
    // Back to the defaults, the faces are those of before: the rectangle in one colour.
    one = two = settings::ButtonStyle();
    settings::AppSettings fresh;
    settings::ApplyDefaultSettings(fresh, {QStringLiteral("DejaVu Sans")}, dir.path() + "/");
    s.button = fresh.button;
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(composer.Face(settings::kType1).buttonKind, face::bkRect);
    EXPECT_EQ(composer.Face(settings::kType1).gradientKind, face::gkNone);
}

TEST_F(ButtonComposerTest, OutsideTheShapeAPngIsTransparentAndABmpOrGifTakesThePageColour) {
    face::FaceProperties p = compose::TButtonComposer::InitialFace();
    p.buttonWidth = 60;
    p.buttonHeight = 24;
    p.buttonColor = 0x00204080;  // red 0x80, green 0x40, blue 0x20
    p.caption.clear();
    const face::TColor page = 0x00FF0001;  // red 1, blue 255: near both ends
    const QRgb buttonRgb = qRgb(0x80, 0x40, 0x20);

    // The rectangle has no outside: every type gets the face as it is, opaque.
    for (int type :
         {settings::kFileTypeBmp, settings::kFileTypeGif, settings::kFileTypePng, settings::kFileTypeWebp}) {
        const QImage rect = testsupport::FilePictureOf(p, type, page);
        EXPECT_EQ(rect.format(), QImage::Format_RGB32) << type;
        EXPECT_EQ(rect.pixel(0, 0), buttonRgb) << type;
        EXPECT_EQ(rect.pixel(59, 23), buttonRgb) << type;
    }

    p.buttonKind = face::bkElliptic;
    const QRegion inside = face::FaceShapeRegions(p, QSize(60, 24)).window;
    const QImage png = testsupport::FilePictureOf(p, settings::kFileTypePng, page);
    const QImage bmp = testsupport::FilePictureOf(p, settings::kFileTypeBmp, page);
    const QImage gif = testsupport::FilePictureOf(p, settings::kFileTypeGif, page);
    ASSERT_EQ(png.size(), QSize(60, 24));
    EXPECT_TRUE(png.hasAlphaChannel());
    EXPECT_FALSE(bmp.hasAlphaChannel());
    EXPECT_TRUE(bmp == gif);
    int outside = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (inside.contains(QPoint(x, y))) {
                ASSERT_EQ(png.pixel(x, y), buttonRgb) << x << "," << y;
                ASSERT_EQ(bmp.pixel(x, y), buttonRgb) << x << "," << y;
            } else {
                ++outside;
                ASSERT_EQ(qAlpha(png.pixel(x, y)), 0) << x << "," << y;
                ASSERT_EQ(bmp.pixel(x, y), qRgb(1, 0, 255)) << x << "," << y;
            }
        }
    }
    // The corners are outside, the centre inside.
    EXPECT_GT(outside, 4);
    EXPECT_FALSE(inside.contains(QPoint(0, 0)));
    EXPECT_TRUE(inside.contains(QPoint(30, 12)));
    // Through the composer the page colour is the HTML pages' background.
    compose::TButtonComposer composer(s);
    s.button[settings::kType1].shape = 2;
    s.htmlBackgroundColour = "00FF0001";
    s.fileType = settings::kFileTypeGif;
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(testsupport::Captured(composer, s, settings::kType1).pixel(0, 0), qRgb(1, 0, 255));
    s.fileType = settings::kFileTypePng;
    EXPECT_EQ(qAlpha(testsupport::Captured(composer, s, settings::kType1).pixel(0, 0)), 0);
    // A WebP file's picture is the PNG file's.
    s.fileType = settings::kFileTypeWebp;
    const QImage webp = testsupport::Captured(composer, s, settings::kType1);
    s.fileType = settings::kFileTypePng;
    EXPECT_TRUE(webp == testsupport::Captured(composer, s, settings::kType1));
    EXPECT_EQ(qAlpha(webp.pixel(0, 0)), 0);
}

TEST_F(ButtonComposerTest, ABitmapSizedButtonTakesTheNewBitmapsSizeInOneStep) {
    // A tall narrow bitmap, then a wide short one: the face is built once, at the new size, never as
    // wide as the one and as tall as the other (3,000 × 3,000 here).
    s.button[settings::kType1].backgroundMode = 0;
    s.button[settings::kType1].bitmapFile = dir.path() + "/bitmap.bmp";
    compose::TButtonComposer composer(s);
    QImage tall(4, 3000, QImage::Format_RGB32);
    tall.fill(qRgb(250, 4, 9));
    ASSERT_TRUE(tall.save(dir.path() + "/bitmap.bmp"));
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(testsupport::Captured(composer, s, settings::kType1).size(), QSize(4, 3000));

    QImage wide(3000, 4, QImage::Format_RGB32);
    wide.fill(qRgb(3, 251, 7));
    ASSERT_TRUE(wide.save(dir.path() + "/bitmap.bmp"));
    composer.ApplyButtonSettings("Home", "Home");
    // The face is rendered once, when it is captured, from the new size.
    EXPECT_EQ(composer.Face(settings::kType1).buttonWidth, 3000);
    EXPECT_EQ(composer.Face(settings::kType1).buttonHeight, 4);
    const QImage face = testsupport::Captured(composer, s, settings::kType1);
    EXPECT_EQ(face.size(), QSize(3000, 4));
    EXPECT_EQ(face.pixel(10, 1), qRgb(3, 251, 7));  // away from the caption in the middle
}

TEST_F(ButtonComposerTest, FaceSizesAreTheSizesTheFacesAreRenderedAt) {
    compose::TButtonComposer composer(s);
    const QStringList captions = {"Products", "W", "A much longer caption"};
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        testsupport::SetReferenceSettings(s, mode, bitmapFile);
        s.button[settings::kType2].height = "-30";  // no height: 0
        const std::shared_ptr<const output::BatchFaces> plan = composer.PlanBatch();
        for (const int type : {settings::kType1, settings::kType2}) {
            for (const QString& caption : captions) {
                const QSize size = plan->FaceSize(type, caption);
                composer.ApplyButtonSettings(caption, caption);
                const face::FaceProperties& b = composer.Face(type);
                EXPECT_EQ(size, QSize(b.buttonWidth, b.buttonHeight))
                    << "mode " << mode << " type " << type << " " << caption.toStdString();
                // The batch's face is the preview's.
                const face::FaceProperties batchFace =
                    static_cast<const compose::BatchPlan&>(*plan).Face(type, caption, 1);
                EXPECT_EQ(QSize(batchFace.buttonWidth, batchFace.buttonHeight), size);
                EXPECT_EQ(batchFace.caption, caption);
            }
        }
    }
    // Smart sizing follows the caption; a spacing that takes more than the caption gives width 0.
    s.button[settings::kType1].backgroundMode = 4;
    s.button[settings::kType1].spacing = "-20";
    const std::shared_ptr<const output::BatchFaces> smart = composer.PlanBatch();
    EXPECT_EQ(smart->FaceSize(settings::kType1, "I"), QSize(0, 28));
    EXPECT_GT(smart->FaceSize(settings::kType1, "A much longer caption").width(), 100);
}

TEST_F(ButtonComposerTest, OnlyWholeRegularBitmapFilesAreRead) {
    const QString unreadable = "The bitmap file \"%1\" could not be read.";
    const auto refused = [&](const QString& path) {
        try {
            compose::LoadBitmapFile(path);
        } catch (const std::runtime_error& e) {
            return QString::fromStdString(e.what()) == unreadable.arg(path);
        }
        return false;
    };
    EXPECT_EQ(compose::LoadBitmapFile(bitmapFile),
              testsupport::ReferenceBitmap().convertToFormat(compose::LoadBitmapFile(bitmapFile).format()));
    // A pipe hung the program for ever; a folder and a missing file are refused as well.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path() + "/pipe.bmp").constData(), 0600), 0);
    EXPECT_TRUE(refused(dir.path() + "/pipe.bmp"));
    EXPECT_TRUE(refused(dir.path()));
    EXPECT_TRUE(refused(dir.path() + "/missing.bmp"));

    // A 150 x 40 header without its pixels was taken as a 150 x 40 background; one row short, too.
    QImage wide(150, 40, QImage::Format_RGB32);
    wide.fill(qRgb(9, 200, 30));
    ASSERT_TRUE(wide.save(dir.path() + "/wide.bmp"));
    const QByteArray whole = testsupport::ReadAll(dir.path() + "/wide.bmp");
    const qint64 offset = qFromLittleEndian<quint32>(whole.constData() + 10);
    const qint64 rowBytes = (150 * qFromLittleEndian<quint16>(whole.constData() + 28) + 31) / 32 * 4;
    ASSERT_EQ(whole.size(), offset + rowBytes * 40);
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/header.bmp", whole.left(60)));
    EXPECT_TRUE(refused(dir.path() + "/header.bmp"));
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/short.bmp", whole.left(whole.size() - 1)));
    EXPECT_TRUE(refused(dir.path() + "/short.bmp"));
    EXPECT_EQ(compose::LoadBitmapFile(dir.path() + "/wide.bmp").size(), QSize(150, 40));
    // Extra bytes after the pixels do no harm; another format is read by its content.
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/longer.bmp", whole + "trailing"));
    EXPECT_EQ(compose::LoadBitmapFile(dir.path() + "/longer.bmp").size(), QSize(150, 40));
    ASSERT_TRUE(wide.save(dir.path() + "/picture.png"));
    ASSERT_TRUE(QFile::copy(dir.path() + "/picture.png", dir.path() + "/named.bmp"));
    EXPECT_EQ(compose::LoadBitmapFile(dir.path() + "/named.bmp").size(), QSize(150, 40));

    // In the preview a pipe as the bitmap gets the same message at once.
    s.button[settings::kType1].backgroundMode = 2;
    s.button[settings::kType1].bitmapFile = dir.path() + "/pipe.bmp";
    compose::TButtonComposer composer(s);
    try {
        composer.ApplyButtonSettings("Home", "Home");
        ADD_FAILURE() << "a pipe was read as a bitmap";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromStdString(e.what()), unreadable.arg(dir.path() + "/pipe.bmp"));
    }
}

TEST_F(ButtonComposerTest, AFaceWithoutBackgroundColourKeepsNothingOfTheCaptionBefore) {
    // The colour value of "no colour" fills nothing: each face starts from black, so a short caption
    // after a long one is the face a fresh composer gives, with no trace of the long one.
    settings::ButtonStyle& b = s.button[settings::kType1];
    b.backgroundMode = 1;
    b.width = "80";
    b.height = "20";
    b.backgroundColour = "1FFFFFFF";
    b.captionColour = "00FFFFFF";
    compose::TButtonComposer used(s);
    used.ApplyButtonSettings("WWWWWWWW", "W");
    const QImage wide = testsupport::Captured(used, s, settings::kType1);
    used.ApplyButtonSettings("I", "I");
    const QImage narrow = testsupport::Captured(used, s, settings::kType1);
    compose::TButtonComposer fresh(s);
    fresh.ApplyButtonSettings("I", "I");
    const QImage expected = testsupport::Captured(fresh, s, settings::kType1);
    EXPECT_GT(testsupport::DifferentPixels(wide, expected), 20);
    EXPECT_EQ(testsupport::DifferentPixels(narrow, expected), 0);
    EXPECT_EQ(expected.pixel(2, 2), qRgb(0, 0, 0));
}

namespace {

// How many pixels of two equal-sized pictures differ.
int Differences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

}  // namespace

TEST_F(ButtonComposerTest, TwiceSizeFacesAreExactlyTwiceTheSizeForEveryBorderAndEffectAndDrawnAfresh) {
    compose::TButtonComposer composer(s);
    // Every background mode (the bitmap's size, fixed sizes with and without a bitmap, smart sizing
    // with and without one), every border style and the three caption effects.
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        for (int style = 0; style < settings::kBorderStyleCount; ++style) {
            for (const auto effect : {settings::CaptionEffect::Standard, settings::CaptionEffect::Embossed,
                                      settings::CaptionEffect::Pressed}) {
                testsupport::SetReferenceSettings(s, mode, bitmapFile);
                for (settings::ButtonStyle& b : s.button) {
                    b.borderStyle = style;
                    b.borderDepth = 3;
                    b.captionEffect = effect;
                }
                composer.ApplyButtonSettings("Products", "Contacts & more");
                for (const int type : {settings::kType1, settings::kType2}) {
                    const QImage one = testsupport::Captured(composer, s, type);
                    const QImage two = testsupport::Captured(composer, s, type, 2);
                    const std::string what =
                        "mode " + std::to_string(mode) + " style " + std::to_string(style) + " effect " +
                        std::to_string(static_cast<int>(effect)) + " type " + std::to_string(type);
                    ASSERT_FALSE(one.isNull()) << what;
                    EXPECT_EQ(two.size(), one.size() * 2) << what;
                    // Not the small face enlarged: the caption is drawn again at the larger size.
                    EXPECT_GT(Differences(two, one.scaled(one.size() * 2)), 0) << what;
                }
            }
        }
    }
    // A scale of 1 is the face itself.
    EXPECT_EQ(compose::ScaledFace(composer.Face(settings::kType1), 1).buttonWidth,
              composer.Face(settings::kType1).buttonWidth);
}

TEST_F(ButtonComposerTest, ATwiceSizeFaceDoublesTheBorderTheOffsetsTheFontAndTheBitmap) {
    compose::TButtonComposer composer(s);
    settings::ButtonStyle& b = s.button[settings::kType1];
    b.backgroundMode = 4;  // colour, smart sizing: the width follows the caption
    b.backgroundColour = QStringLiteral("00C08040");
    b.borderStyle = 0;  // "Simple 3D"
    b.borderDepth = 3;
    b.spacing = QStringLiteral("13");
    b.height = QStringLiteral("21");
    b.captionEffect = settings::CaptionEffect::Embossed;
    b.verticalMode = settings::kFixedOffsetAlignment;
    b.verticalOffset = QStringLiteral("-2");
    b.SetFontSizeText(QStringLiteral("11"));
    composer.ApplyButtonSettings("Wide caption", "Home");
    const face::FaceProperties& one = composer.Face(settings::kType1);
    const face::FaceProperties two = compose::ScaledFace(one, 2);
    // The measured size doubled, not measured again in the larger font.
    EXPECT_EQ(two.buttonWidth, 2 * one.buttonWidth);
    EXPECT_EQ(two.buttonHeight, 42);
    EXPECT_EQ(two.buttonDepth, 6);
    EXPECT_EQ(two.captionTop, -4);
    EXPECT_EQ(two.captionEffectOffset, 2);
    EXPECT_EQ(two.font.pixelSize(), 2 * one.font.pixelSize());
    EXPECT_EQ(two.font.family(), one.font.family());
    EXPECT_EQ(two.caption3dKind, one.caption3dKind);
    EXPECT_EQ(two.caption, one.caption);
    // A corner radius that is given doubles; without one (or at 0) the depth rule does the doubling.
    face::FaceProperties rounded = one;
    rounded.buttonKind = face::bkRoundRect;
    for (const auto& [radius, doubled] : {std::pair{7, 14}, std::pair{0, 0}, std::pair{-1, -1}}) {
        rounded.cornerRadius = radius;
        EXPECT_EQ(compose::ScaledFace(rounded, 2).cornerRadius, doubled) << radius;
    }

    // The bevel is six pixels deep where it was three: the highlight band along the top row.
    const QImage small = testsupport::Captured(composer, s, settings::kType1);
    const QImage large = testsupport::Captured(composer, s, settings::kType1, 2);
    const QRgb face = small.pixel(small.width() / 2, 3);
    EXPECT_NE(small.pixel(small.width() / 2, 2), face);
    EXPECT_EQ(large.pixel(large.width() / 2, 6), face);
    EXPECT_EQ(large.pixel(large.width() / 2, 5), small.pixel(small.width() / 2, 2));

    // A fixed horizontal offset doubles as well: the caption's first column, in the face's middle
    // row, is twice as far from the left edge (the caption is drawn afresh, so within a pixel).
    b.backgroundMode = 1;  // a fixed size, wide enough for the caption far from the left edge
    b.width = QStringLiteral("160");
    b.horizontalMode = settings::kFixedOffsetAlignment;
    b.horizontalOffset = QStringLiteral("17");
    b.captionColour = QStringLiteral("000000FF");
    composer.ApplyButtonSettings("Wide caption", "Home");
    const auto firstCaptionColumn = [](const QImage& picture) {
        const QRgb background = picture.pixel(picture.width() * 19 / 20, picture.height() / 2);
        for (int x = 8; x < picture.width(); ++x) {
            for (int y = picture.height() / 4; y < picture.height() * 3 / 4; ++y) {
                if (picture.pixel(x, y) != background) {
                    return x;
                }
            }
        }
        return -1;
    };
    const int left = firstCaptionColumn(testsupport::Captured(composer, s, settings::kType1));
    const int scaledLeft = firstCaptionColumn(testsupport::Captured(composer, s, settings::kType1, 2));
    EXPECT_GE(left, 17);
    EXPECT_LE(left, 19);
    EXPECT_GE(scaledLeft, 2 * left - 1);
    EXPECT_LE(scaledLeft, 2 * left + 1);

    // A background bitmap is scaled smoothly to twice its size, glyph for glyph.
    face::FaceProperties withBitmap = one;
    withBitmap.mainBitmap = QImage(10, 4, QImage::Format_RGB32);
    withBitmap.mainBitmap.fill(qRgb(0, 0, 0));
    for (int y = 0; y < 4; ++y) {
        withBitmap.mainBitmap.setPixel(5, y, qRgb(255, 255, 255));
    }
    const QImage big = compose::ScaledFace(withBitmap, 2).mainBitmap;
    EXPECT_EQ(big.size(), QSize(20, 8));
    // Smooth: the edge of the white column is a shade between black and white, not a hard step.
    bool shaded = false;
    for (int x = 0; x < big.width(); ++x) {
        const int grey = qGray(big.pixel(x, 3));
        shaded = shaded || (grey > 0 && grey < 255);
    }
    EXPECT_TRUE(shaded);
}

TEST_F(ButtonComposerTest, ABatchsTwiceSizePicturesAreThePreviewFacesScaledWithSmoothCaptionsToo) {
    compose::TButtonComposer composer(s);
    const QStringList captions = {"Home", "A longer caption", "W"};
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        for (const bool smooth : {false, true}) {
            testsupport::SetReferenceSettings(s, mode, bitmapFile);
            s.smoothCaptions = smooth;
            s.fileType = settings::kFileTypePng;
            s.button[settings::kType2].shape = settings::kShapeRoundedRectangle;
            const std::shared_ptr<const output::BatchFaces> plan = composer.PlanBatch();
            for (const QString& caption : captions) {
                composer.ApplyButtonSettings(caption, caption);
                for (const int type : {settings::kType1, settings::kType2}) {
                    const QImage expected = testsupport::Captured(composer, s, type, 2);
                    const QImage made = plan->Picture(type, caption, 2);
                    EXPECT_EQ(made.size(), plan->Picture(type, caption, 1).size() * 2);
                    EXPECT_TRUE(made == expected) << "mode " << mode << " smooth " << smooth << " type "
                                                  << type << " \"" << caption.toStdString() << "\"";
                }
            }
        }
    }
}

namespace {

// The pixels of a face in the caption's colour that lie outside its shape's window region. The
// arrow's shaft is a third of the button high, lower than a caption: there only its head counts, from
// the middle of the button on.
int CaptionPixelsOutside(const face::FaceProperties& p, QRgb captionColour) {
    const face::ShapedFace shaped = face::ShapeOf(p);
    const QRegion inside = face::FaceShapeRegions(shaped.properties, shaped.bounds).window;
    const QImage painted = face::RenderFace(p, compose::SavedFaceState());
    int outside = 0;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            const bool counted = p.buttonKind != face::bkArrow || x >= painted.width() / 2;
            if (counted && (painted.pixel(x, y) & 0xFFFFFF) == (captionColour & 0xFFFFFF) &&
                !inside.contains(QPoint(x, y))) {
                ++outside;
            }
        }
    }
    return outside;
}

}  // namespace

TEST_F(ButtonComposerTest, SmartSizedShapesAreWideEnoughForTheirCaption) {
    settings::ButtonStyle& b = s.button[settings::kType1];
    b.backgroundMode = settings::kColourSmartSized;
    b.backgroundColour = QStringLiteral("00FFFFFF");
    b.captionColour = QStringLiteral("000000FF");  // red
    b.borderStyle = 2;                             // "None"
    b.borderDepth = 0;
    b.spacing = QStringLiteral("10");
    b.height = QStringLiteral("28");
    b.SetFontSizeText(QStringLiteral("14"));
    compose::TButtonComposer composer(s);
    for (int shape = 0; shape < settings::kButtonShapeCount; ++shape) {
        b.shape = shape;
        for (const QString caption : {"WWWWWWWW", "Kontakte", "Plumeric !", "I"}) {
            composer.ApplyButtonSettings(caption, caption);
            const face::FaceProperties p = composer.Face(settings::kType1);
            const int advance = QFontMetrics(face::FaceFontOf(p.font)).horizontalAdvance(caption);
            EXPECT_EQ(p.buttonHeight, 28);
            if (shape == settings::kShapeRectangle) {
                EXPECT_EQ(p.buttonWidth, advance + 10) << caption.toStdString();
            } else {
                EXPECT_GT(p.buttonWidth, advance + 10) << shape << " " << caption.toStdString();
            }
            EXPECT_EQ(CaptionPixelsOutside(p, qRgb(255, 0, 0)), 0) << shape << " " << caption.toStdString();
            EXPECT_TRUE(compose::CaptionInsideShape(b, caption, p.font, false, QSize(p.buttonWidth, 28)))
                << shape << " " << caption.toStdString();
            // The batch sizes the same, at 2× too.
            const auto plan = composer.PlanBatch();
            const face::FaceProperties two =
                static_cast<const compose::BatchPlan&>(*plan).Face(settings::kType1, caption, 2);
            EXPECT_EQ(two.buttonWidth, 2 * p.buttonWidth);
            EXPECT_EQ(CaptionPixelsOutside(two, qRgb(255, 0, 0)), 0)
                << shape << " 2x " << caption.toStdString();
        }
    }
    // A fixed width too narrow for a wide caption leaves it outside an ellipse, and says so.
    b.backgroundMode = settings::kColourFixedSize;
    b.width = QStringLiteral("90");
    b.shape = 2;
    composer.ApplyButtonSettings("WWWWWWWW", "W");
    const face::FaceProperties& narrow = composer.Face(settings::kType1);
    EXPECT_EQ(narrow.buttonWidth, 90);
    EXPECT_GT(CaptionPixelsOutside(narrow, qRgb(255, 0, 0)), 0);
    EXPECT_FALSE(compose::CaptionInsideShape(b, "WWWWWWWW", narrow.font, false, QSize(90, 28)));
    EXPECT_TRUE(compose::CaptionInsideShape(b, "I", narrow.font, false, QSize(90, 28)));
}

TEST_F(ButtonComposerTest, ARoundedRectangleWithoutARadiusIsVisiblyRound) {
    settings::ButtonStyle& b = s.button[settings::kType1];
    b.backgroundMode = settings::kColourFixedSize;
    b.width = QStringLiteral("120");
    b.height = QStringLiteral("30");
    b.borderDepth = 0;
    b.shape = settings::kShapeRoundedRectangle;
    b.cornerRadius.clear();
    compose::TButtonComposer composer(s);
    composer.ApplyButtonSettings("Home", "Home");
    // A quarter of the smaller side where twice the depth is less; twice the depth where it is more;
    // a radius given is the radius.
    EXPECT_EQ(composer.Face(settings::kType1).cornerRadius, 7);
    EXPECT_FALSE(face::FaceShapeRegions(composer.Face(settings::kType1), QSize(120, 30))
                     .window.contains(QPoint(0, 0)));
    b.borderDepth = 5;
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(composer.Face(settings::kType1).cornerRadius, 10);
    b.cornerRadius = QStringLiteral("0");
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(composer.Face(settings::kType1).cornerRadius, 0);
    // Other shapes keep the component's own rule.
    b.cornerRadius.clear();
    b.shape = 2;
    composer.ApplyButtonSettings("Home", "Home");
    EXPECT_EQ(composer.Face(settings::kType1).cornerRadius, -1);
    // The batch's smart-sized faces take the radius of their own width.
    b.shape = settings::kShapeRoundedRectangle;
    b.borderDepth = 0;
    b.backgroundMode = settings::kColourSmartSized;
    b.height = QStringLiteral("200");
    b.spacing = QStringLiteral("0");
    const auto plan = composer.PlanBatch();
    const auto& batchPlan = static_cast<const compose::BatchPlan&>(*plan);
    const face::FaceProperties wide = batchPlan.Face(settings::kType1, "A much wider caption", 1);
    const face::FaceProperties narrowFace = batchPlan.Face(settings::kType1, "I", 1);
    EXPECT_EQ(wide.cornerRadius, std::min(wide.buttonWidth, 200) / 4);
    EXPECT_EQ(narrowFace.cornerRadius, std::min(narrowFace.buttonWidth, 200) / 4);
    EXPECT_LT(narrowFace.cornerRadius, wide.cornerRadius);
}

TEST_F(ButtonComposerTest, SmoothShapeEdgesShadeOnlyTheOutline) {
    face::FaceProperties p = compose::TButtonComposer::InitialFace();
    p.buttonWidth = 70;
    p.buttonHeight = 26;
    p.buttonColor = 0x00204080;  // red 0x80, green 0x40, blue 0x20
    p.button3DKind = face::dk3D;
    p.buttonDepth = 2;
    p.caption.clear();
    const face::TColor page = 0x00FF0001;  // red 1, blue 255
    for (const int scale : {1, 2}) {
        for (const face::TLumoButtonKind kind :
             {face::bkElliptic, face::bkRoundRect, face::bkArrow, face::bkCutRect}) {
            face::FaceProperties f = p;
            f.buttonKind = kind;
            f.cornerRadius = 9;
            f = compose::ScaledFace(f, scale);
            const QImage painted = compose::SavedPicture(face::RenderFace(f, compose::SavedFaceState()), f);
            const QImage hard = compose::FilePicture(painted, f, settings::kFileTypePng, page, nullptr);
            const QImage png = compose::FilePicture(painted, f, settings::kFileTypePng, page, nullptr, true);
            const QImage bmp = compose::FilePicture(painted, f, settings::kFileTypeBmp, page, nullptr, true);
            ASSERT_EQ(png.size(), hard.size());
            int partial = 0;
            for (int y = 0; y < png.height(); ++y) {
                for (int x = 0; x < png.width(); ++x) {
                    const int a = qAlpha(png.pixel(x, y));
                    // Whole pixels are the hard picture's; a share lies on the outline: a neighbour of
                    // it is outside the hard shape, or it is outside with a neighbour inside.
                    bool edge = false;
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dx = -1; dx <= 1; ++dx) {
                            const QPoint n(x + dx, y + dy);
                            const bool nInside = hard.rect().contains(n) && qAlpha(hard.pixel(n)) == 255;
                            edge = edge || nInside != (qAlpha(hard.pixel(x, y)) == 255);
                        }
                    }
                    if (a == 255) {
                        ASSERT_EQ(png.pixel(x, y), hard.pixel(x, y)) << kind << " " << x << "," << y;
                    } else if (a > 0) {
                        ++partial;
                        ASSERT_TRUE(edge) << kind << " " << x << "," << y;
                        // BMP: the same share of the colour over the page colour.
                        const QRgb c = png.pixel(x, y);
                        const int red = (qRed(c) * a + 1 * (255 - a) + 127) / 255;
                        const int blue = (qBlue(c) * a + 255 * (255 - a) + 127) / 255;
                        ASSERT_EQ(qRed(bmp.pixel(x, y)), red);
                        ASSERT_EQ(qBlue(bmp.pixel(x, y)), blue);
                    } else {
                        ASSERT_EQ(qAlpha(hard.pixel(x, y)), 0);
                        ASSERT_EQ(bmp.pixel(x, y), qRgb(1, 0, 255));
                    }
                }
            }
            EXPECT_GT(partial, 10 * scale) << kind << " scale " << scale;
        }
    }
    // A rectangle has no edge to smooth.
    face::FaceProperties rect = p;
    const QImage painted = compose::SavedPicture(face::RenderFace(rect, compose::SavedFaceState()), rect);
    EXPECT_EQ(compose::FilePicture(painted, rect, settings::kFileTypePng, page, nullptr, true), painted);
}
