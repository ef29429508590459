#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "ReferenceFaces.h"
#include "TestSupport.h"
#include "app/Form1.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "tools/SampleBackgrounds.h"

namespace {

int Luma(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

}  // namespace

TEST(SampleBackgrounds, EightOrMoreBitmapsThatReadBackAtTheirSizesAndNeverChange) {
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_EQ(samples::WriteSampleBackgrounds(first.path() + "/SAMPLES"),
              samples::SampleBackgrounds().size());
    ASSERT_EQ(samples::WriteSampleBackgrounds(second.path() + "/SAMPLES"),
              samples::SampleBackgrounds().size());
    const QList<samples::SampleBackground> all = samples::SampleBackgrounds();
    ASSERT_GE(all.size(), 8);
    for (const samples::SampleBackground& s : all) {
        SCOPED_TRACE(s.fileName.toStdString());
        const QString path = first.path() + "/SAMPLES/" + s.fileName;
        const QByteArray bytes = testsupport::ReadAll(path);
        EXPECT_EQ(bytes, testsupport::ReadAll(second.path() + "/SAMPLES/" + s.fileName));
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24u);  // 24 bits a pixel
        // The name says the size: "blue-gloss-150x40.bmp".
        const QStringList size = s.fileName.section('-', -1).section('.', 0, 0).split('x');
        ASSERT_EQ(size.size(), 2);
        const QImage read(path, "BMP");
        EXPECT_EQ(read.size(), QSize(size[0].toInt(), size[1].toInt()));
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), s.image);
    }

    // A sample that is there already, changed by its user, is left alone.
    const QString edited = first.path() + "/SAMPLES/" + all[0].fileName;
    ASSERT_TRUE(testsupport::WriteAll(edited, "mine"));
    EXPECT_EQ(samples::WriteSampleBackgrounds(first.path() + "/SAMPLES"), 0);
    EXPECT_EQ(testsupport::ReadAll(edited), QByteArray("mine"));
}

TEST(SampleBackgrounds, CaptionsStayReadableOnEverySample) {
    QTemporaryDir dir;
    ASSERT_GT(samples::WriteSampleBackgrounds(dir.path() + "/KSDATA/SAMPLES"), 0);
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    app::TForm1 form(dialogs, shell, dir.path());
    form.show();
    for (const samples::SampleBackground& s : samples::SampleBackgrounds()) {
        SCOPED_TRACE(s.fileName.toStdString());
        // Type 1 has a black caption by default, type 2 a white one: each sample is used with the
        // caption it is meant for.
        const int type = s.forWhiteCaption ? settings::kType2 : settings::kType1;
        settings::ButtonStyle& b = form.Settings().button[static_cast<std::size_t>(type)];
        b.backgroundMode = 0;
        b.bitmapFile = dir.path() + "/KSDATA/SAMPLES/" + s.fileName;
        const QString caption = form.Settings().testCaption;
        form.ApplyButtonSettings(caption, caption);
        const QImage face = testsupport::Captured(form.Composer(), form.Settings(), type);
        ASSERT_EQ(face.size(), s.image.size());
        int ink = 0;
        long contrast = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const QRgb drawn = face.pixel(x, y);
                const QRgb background = s.image.pixel(x, y);
                if ((drawn & 0xFFFFFF) != (background & 0xFFFFFF)) {
                    ++ink;
                    contrast += std::abs(Luma(drawn) - Luma(background));
                }
            }
        }
        EXPECT_GT(ink, 40);
        EXPECT_GE(contrast / std::max(ink, 1), 100);
    }
    EXPECT_TRUE(dialogs.History().isEmpty());
}
