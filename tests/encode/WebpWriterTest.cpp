#include <gtest/gtest.h>

#include <QtEndian>
#include <stdexcept>

#include "encode/DecoderSupport.h"
#include "encode/WebpWriter.h"

namespace {

// A face-like picture: a gradient of many colours, values near 0 and 255, with transparent
// corners when `round`.
QImage Face(int width, int height, bool round) {
    QImage image(width, height, round ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool corner = round && (x + y < 4 || (width - 1 - x) + (height - 1 - y) < 4);
            image.setPixel(x, y,
                           corner ? qRgba(200, 100, 50, 0)
                                  : qRgb(x == 0 ? 0 : 200 + x % 56, 254 - y, (x * 7 + y) % 256));
        }
    }
    return image;
}

}  // namespace

TEST(WebpWriter, LosslessFilesWithoutMetadataReadBackExactlyInLibwebpAndImageMagick) {
    const bool imageMagick = !decodertest::ImageMagick().isEmpty();
    for (const bool round : {false, true}) {
        SCOPED_TRACE(round ? "round" : "rectangle");
        const QImage face = Face(77, 32, round);
        const QByteArray webp = encode::EncodeWebp(face);
        // A RIFF file of the one lossless image chunk: no EXIF, XMP or colour profile.
        ASSERT_TRUE(webp.startsWith("RIFF"));
        EXPECT_EQ(qFromLittleEndian<quint32>(webp.constData() + 4), static_cast<quint32>(webp.size() - 8));
        EXPECT_EQ(webp.mid(8, 8), QByteArray("WEBPVP8L"));
        const auto chunk = qFromLittleEndian<quint32>(webp.constData() + 16);
        EXPECT_EQ(static_cast<qsizetype>(20 + chunk + (chunk & 1)), webp.size());
        QString where;
        const QImage back = decodertest::DecodeWebp(webp);
        EXPECT_TRUE(decodertest::ShowsTheSame(back, face, &where)) << where.toStdString();
        EXPECT_EQ(qAlpha(back.pixel(0, 0)), round ? 0 : 255);
        EXPECT_EQ(qAlpha(back.pixel(76, 31)), round ? 0 : 255);
        EXPECT_EQ(back.pixel(40, 16), face.pixel(40, 16));
        if (imageMagick) {
            const QImage magick = decodertest::DecodeWithImageMagick(webp, "webp", face.size());
            ASSERT_FALSE(magick.isNull());
            EXPECT_TRUE(decodertest::ShowsTheSame(magick, face, &where)) << where.toStdString();
        }
        // The same pixels give the same bytes, whatever colour the transparent ones carry.
        EXPECT_EQ(encode::EncodeWebp(face.copy()), webp);
        EXPECT_EQ(encode::WebpPictureSize(webp.left(30)), QSize(77, 32));
    }
    QImage other = Face(77, 32, true);
    other.setPixel(0, 0, qRgba(0, 0, 0, 0));
    EXPECT_EQ(encode::EncodeWebp(other), encode::EncodeWebp(Face(77, 32, true)));
    // A single pixel and a wide strip.
    for (const QSize size : {QSize(1, 1), QSize(300, 2)}) {
        const QImage face = Face(size.width(), size.height(), false);
        EXPECT_TRUE(decodertest::ShowsTheSame(decodertest::DecodeWebp(encode::EncodeWebp(face)), face));
    }
    EXPECT_FALSE(encode::WebpPictureSize("RIFF\x10\0\0\0WEBPVP8L").isValid());
    EXPECT_FALSE(encode::WebpPictureSize(QByteArray()).isValid());
    EXPECT_THROW(encode::EncodeWebp(QImage()), std::runtime_error);
    if (!imageMagick) {
        GTEST_SKIP() << "ImageMagick's convert is not installed (scripts/install-deps.sh installs it): "
                        "the files were read back with libwebp only";
    }
}
