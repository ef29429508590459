#include <gtest/gtest.h>

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <stdexcept>

#include "gif/PngWriter.h"

namespace {

struct Chunk {
    QByteArray type;
    QByteArray data;
};

// The chunks of a PNG file after its signature.
std::vector<Chunk> Chunks(const QByteArray& png) {
    std::vector<Chunk> chunks;
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const auto length = static_cast<qsizetype>(qFromBigEndian<quint32>(png.constData() + at));
        chunks.push_back({png.mid(at + 4, 4), png.mid(at + 8, length)});
        at += 12 + length;
    }
    return chunks;
}

QImage Decoded(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    return QImageReader(&buffer, "png").read();
}

// A face-like picture: every pixel a different colour, with values near 0 and 255 and light greys
// that a web palette would speckle.
QImage Picture(QImage::Format format) {
    QImage image(40, 16, format);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x == 0 ? 0 : 215 + x, 254 - y, (x * 7 + y) % 256));
        }
    }
    return image;
}

}  // namespace

TEST(PngWriter, AnOpaqueFaceIsTrueColourRgbAndReadsBackExactly) {
    const QImage image = Picture(QImage::Format_RGB32);
    const QByteArray png = gif::EncodePng(image);
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    const std::vector<Chunk> chunks = Chunks(png);
    ASSERT_FALSE(chunks.empty());
    ASSERT_EQ(chunks.front().type, QByteArray("IHDR"));
    EXPECT_EQ(qFromBigEndian<quint32>(chunks.front().data.constData()), 40u);
    EXPECT_EQ(qFromBigEndian<quint32>(chunks.front().data.constData() + 4), 16u);
    EXPECT_EQ(chunks.front().data[8], 8);  // bits per channel
    EXPECT_EQ(chunks.front().data[9], 2);  // colour type 2: RGB, no palette, no alpha
    EXPECT_EQ(chunks.back().type, QByteArray("IEND"));
    const QImage back = Decoded(png);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_FALSE(back.hasAlphaChannel());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(back.pixel(x, y), image.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(PngWriter, TransparentPixelsKeepAlphaZeroAndTheRestStayOpaqueAndExact) {
    QImage image = Picture(QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(39, 15, qRgba(0, 0, 0, 0));
    const QByteArray png = gif::EncodePng(image);
    EXPECT_EQ(Chunks(png).front().data[9], 6);  // colour type 6: RGBA
    const QImage back = Decoded(png).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(back.pixel(39, 15)), 0);
    EXPECT_EQ(back.pixel(20, 8), image.pixel(20, 8));
    EXPECT_EQ(qAlpha(back.pixel(20, 8)), 255);
    EXPECT_EQ(back.pixel(1, 15), qRgb(216, 239, 22));
}

TEST(PngWriter, TheSameImageGivesTheSameBytesWithNothingButPixelsAndResolution) {
    const QImage image = Picture(QImage::Format_RGB32);
    const QByteArray first = gif::EncodePng(image);
    EXPECT_EQ(gif::EncodePng(image.copy()), first);
    // No texts, no time stamp, no colour space or gamma: the same pixels always give the same file.
    QStringList types;
    for (const Chunk& c : Chunks(first)) {
        types << QString::fromLatin1(c.type);
    }
    for (const QString& type : types) {
        EXPECT_TRUE(type == "IHDR" || type == "pHYs" || type == "IDAT" || type == "IEND")
            << type.toStdString();
    }
    // An image that carries a text and a colour space is written without them.
    QImage tagged = image.copy();
    tagged.setText("Software", "something");
    tagged.setColorSpace(QColorSpace::SRgb);
    for (const Chunk& c : Chunks(gif::EncodePng(tagged))) {
        EXPECT_TRUE(c.type == "IHDR" || c.type == "pHYs" || c.type == "IDAT" || c.type == "IEND")
            << c.type.toStdString();
    }
    // Written at the highest compression: smaller than Qt's default writer makes it, and far smaller
    // than the raw pixels (which this picture's steady rows let the row filters shrink).
    QByteArray usual;
    QBuffer buffer(&usual);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "png").write(image));
    EXPECT_LE(first.size(), usual.size());
    EXPECT_LT(first.size(), 40 * 16 * 3 / 4);

    EXPECT_THROW(gif::EncodePng(QImage()), std::runtime_error);
}
