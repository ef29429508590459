#include <gtest/gtest.h>

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <stdexcept>

#include "encode/DecoderSupport.h"
#include "encode/PngWriter.h"

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

const Chunk* Find(const std::vector<Chunk>& chunks, const char* type) {
    for (const Chunk& c : chunks) {
        if (c.type == type) {
            return &c;
        }
    }
    return nullptr;
}

QImage Decoded(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    return QImageReader(&buffer, "png").read();
}

// A picture of `colours` distinct colours (each pixel's colour from its position), grey or not,
// with values near 0 and 255.
QImage Picture(int width, int height, int colours, bool grey, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int n = (y * width + x) % colours;
            const int level = colours <= 256 ? n * 255 / std::max(1, colours - 1) : n % 256;
            image.setPixel(x, y,
                           grey ? qRgb(level, level, level) : qRgb(level, 255 - level, (n / 256) * 7 % 256));
        }
    }
    return image;
}

struct Kind {
    const char* name;
    QImage image;
    int colourType;
    int bitDepth;
    qsizetype paletteEntries;      // -1: no PLTE chunk
    qsizetype transparencyLength;  // -1: no tRNS chunk
};

}  // namespace

TEST(PngWriter, EachPictureTakesTheSmallestExactLayoutAndReadsBackExactlyInQtAndImageMagick) {
    // Opaque grey levels of 1, 2 and 4 bits: no palette at all.
    const QImage blackAndWhite = Picture(55, 30, 2, true);
    const QImage fourGreys = Picture(40, 9, 4, true);
    const QImage sixteenGreys = Picture(33, 7, 16, true);
    // Grey levels that need all 8 bits (1 is no multiple of 17): grey, not a palette of 17 entries.
    QImage fineGreys = Picture(20, 5, 16, true);
    fineGreys.setPixel(3, 3, qRgb(1, 1, 1));
    // Few colours: palettes of 1, 2, 4 and 8 bits per pixel.
    const QImage twoColours = Picture(17, 3, 2, false);
    const QImage threeColours = Picture(9, 4, 3, false);
    const QImage tenColours = Picture(31, 5, 10, false);
    // 256 colours in no order: a palette still, of 8 bits.
    QImage manyColours(64, 64, QImage::Format_RGB32);
    std::uint32_t seed = 1;
    for (int i = 0; i < 64 * 64; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int n = i < 256 ? i : static_cast<int>((seed >> 16) & 255);
        manyColours.setPixel(i % 64, i / 64, qRgb(n, 255 - n, n / 2));
    }
    // Transparent pixels in a palette: the transparent entry comes first and tRNS holds just it.
    QImage round = Picture(30, 12, 12, false, QImage::Format_ARGB32);
    for (const QPoint p : {QPoint(0, 0), QPoint(29, 0), QPoint(0, 11), QPoint(29, 11), QPoint(1, 0)}) {
        round.setPixel(p, qRgba(0, 0, 0, 0));
    }
    // Partly transparent entries also come first, the opaque ones after them.
    QImage halfSeen = round.copy();
    halfSeen.setPixel(5, 5, qRgba(10, 20, 30, 128));
    halfSeen.setPixel(6, 5, qRgba(255, 255, 254, 1));
    // More than 256 colours: RGB; with transparent pixels RGB with a colour key; with partial alpha RGBA.
    const QImage gradient = Picture(64, 8, 257, false);
    QImage roundGradient = gradient.convertToFormat(QImage::Format_ARGB32);
    roundGradient.setPixel(0, 0, qRgba(255, 0, 0, 0));  // any colour under a transparent pixel
    roundGradient.setPixel(63, 7, qRgba(0, 0, 0, 0));
    QImage translucent = roundGradient.copy();
    translucent.setPixel(10, 1, qRgba(1, 2, 3, 254));
    // Grey with partial alpha and more than 256 distinct pixels: grey with alpha.
    QImage greyAlpha(40, 10, QImage::Format_ARGB32);
    for (int i = 0; i < 400; ++i) {
        greyAlpha.setPixel(i % 40, i / 40, qRgba(i % 256, i % 256, i % 256, i % 2 == 0 ? 255 : 1 + i % 200));
    }
    // A transparent grey picture: the transparent pixels take a level no visible pixel has.
    QImage greyRound = blackAndWhite.convertToFormat(QImage::Format_ARGB32);
    greyRound.setPixel(0, 0, qRgba(0, 0, 0, 0));
    // Exactly 256 colours with every grey level: grey; a single pixel: a palette of one entry.
    const QImage allGreys = Picture(16, 16, 256, true);
    const QImage onePixel = Picture(1, 1, 1, false);

    const std::vector<Kind> kinds = {
        {"black and white", blackAndWhite, 0, 1, -1, -1},
        {"four greys", fourGreys, 0, 2, -1, -1},
        {"sixteen greys", sixteenGreys, 0, 4, -1, -1},
        {"fine greys", fineGreys, 0, 8, -1, -1},
        {"two colours", twoColours, 3, 1, 2, -1},
        {"three colours", threeColours, 3, 2, 3, -1},
        {"ten colours", tenColours, 3, 4, 10, -1},
        {"256 colours", manyColours, 3, 8, 256, -1},
        {"round", round, 3, 4, 13, 1},
        {"half seen", halfSeen, 3, 4, 15, 3},
        {"gradient", gradient, 2, 8, -1, -1},
        {"round gradient", roundGradient, 2, 8, -1, 6},
        {"translucent", translucent, 6, 8, -1, -1},
        {"grey alpha", greyAlpha, 4, 8, -1, -1},
        {"grey round", greyRound, 0, 2, -1, 2},
        {"all greys", allGreys, 0, 8, -1, -1},
        {"one pixel", onePixel, 3, 1, 1, -1},
    };
    const bool imageMagick = !decodertest::ImageMagick().isEmpty();
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        const QByteArray png = encode::EncodePng(k.image);
        ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
        const std::vector<Chunk> chunks = Chunks(png);
        ASSERT_GE(chunks.size(), 3u);
        ASSERT_EQ(chunks.front().type, QByteArray("IHDR"));
        EXPECT_EQ(qFromBigEndian<quint32>(chunks.front().data.constData()),
                  static_cast<quint32>(k.image.width()));
        EXPECT_EQ(qFromBigEndian<quint32>(chunks.front().data.constData() + 4),
                  static_cast<quint32>(k.image.height()));
        EXPECT_EQ(chunks.front().data[8], k.bitDepth);
        EXPECT_EQ(chunks.front().data[9], k.colourType);
        EXPECT_EQ(chunks.front().data.mid(10),
                  QByteArray(3, '\0'));  // deflate, the five filters, no interlace
        const Chunk* plte = Find(chunks, "PLTE");
        EXPECT_EQ(plte == nullptr ? -1 : plte->data.size() / 3, k.paletteEntries);
        const Chunk* trns = Find(chunks, "tRNS");
        EXPECT_EQ(trns == nullptr ? -1 : trns->data.size(), k.transparencyLength);
        if (k.colourType == 3 && trns != nullptr) {
            // The transparency chunk holds the entries that are not opaque, and only them.
            EXPECT_EQ(trns->data.count('\xff'), 0);
        }
        if (k.colourType == 2 && trns != nullptr) {
            // The key colour is none that a visible pixel has.
            const QRgb key = qRgb(qFromBigEndian<quint16>(trns->data.constData()),
                                  qFromBigEndian<quint16>(trns->data.constData() + 2),
                                  qFromBigEndian<quint16>(trns->data.constData() + 4));
            for (int i = 0; i < k.image.width() * k.image.height(); ++i) {
                const QRgb p = k.image.pixel(i % k.image.width(), i / k.image.width());
                ASSERT_TRUE(qAlpha(p) == 0 || (p & 0xFFFFFFu) != (key & 0xFFFFFFu)) << i;
            }
        }
        QString where;
        EXPECT_TRUE(decodertest::ShowsTheSame(Decoded(png), k.image, &where)) << where.toStdString();
        if (imageMagick) {
            const QImage magick = decodertest::DecodeWithImageMagick(png, "png", k.image.size());
            ASSERT_FALSE(magick.isNull());
            EXPECT_TRUE(decodertest::ShowsTheSame(magick, k.image, &where)) << where.toStdString();
        }
        // An image without alpha reads back opaque; a transparent pixel as transparent black.
        if (!k.image.hasAlphaChannel()) {
            EXPECT_EQ(qAlpha(Decoded(png).convertToFormat(QImage::Format_ARGB32).pixel(0, 0)), 255);
        }
    }
    const QImage back = Decoded(encode::EncodePng(roundGradient)).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(back.pixel(0, 0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(back.pixel(1, 0), roundGradient.pixel(1, 0));
    if (!imageMagick) {
        GTEST_SKIP() << "ImageMagick's convert is not installed (scripts/install-deps.sh installs it): "
                        "the files were read back with Qt only";
    }
}

TEST(PngWriter, TheSameImageGivesTheSameBytesWithNoChunkButThePixels) {
    const QImage image = Picture(40, 16, 300, false);
    const QByteArray first = encode::EncodePng(image);
    EXPECT_EQ(encode::EncodePng(image.copy()), first);
    // An image that carries a text, a colour space and a resolution is written without them, and
    // the same pixels in another format give the same file.
    QImage tagged = image.copy();
    tagged.setText("Software", "something");
    tagged.setColorSpace(QColorSpace::SRgb);
    tagged.setDotsPerMeterX(1000);
    EXPECT_EQ(encode::EncodePng(tagged), first);
    EXPECT_EQ(encode::EncodePng(image.convertToFormat(QImage::Format_ARGB32)), first);
    EXPECT_EQ(encode::EncodePng(image.convertToFormat(QImage::Format_RGB888)), first);
    QStringList types;
    for (const Chunk& c : Chunks(first)) {
        types << QString::fromLatin1(c.type);
    }
    EXPECT_EQ(types, (QStringList{"IHDR", "IDAT", "IEND"}));
    QStringList paletteTypes;
    QImage round = Picture(30, 12, 12, false, QImage::Format_ARGB32);
    round.setPixel(0, 0, qRgba(0, 0, 0, 0));
    for (const Chunk& c : Chunks(encode::EncodePng(round))) {
        paletteTypes << QString::fromLatin1(c.type);
    }
    EXPECT_EQ(paletteTypes, (QStringList{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}));
    // Transparent pixels of different colours are one colour: the file does not change.
    QImage other = round.copy();
    other.setPixel(0, 0, qRgba(200, 10, 10, 0));
    EXPECT_EQ(encode::EncodePng(other), encode::EncodePng(round));

    EXPECT_THROW(encode::EncodePng(QImage()), std::runtime_error);
}

TEST(PngWriter, FilesAreSmallerThanQtsWriterMakesThemAtItsHighestCompression) {
    QImage face(120, 40, QImage::Format_RGB32);
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            face.setPixel(x, y, qRgb(40 + x, 80 + y * 2, 200 - x / 2));
        }
    }
    QImage flat = Picture(120, 40, 3, false);
    for (const QImage& image : {face, flat}) {
        QByteArray qt;
        QBuffer buffer(&qt);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.setQuality(0);
        ASSERT_TRUE(writer.write(image));
        EXPECT_LT(encode::EncodePng(image).size(), qt.size());
    }
}
