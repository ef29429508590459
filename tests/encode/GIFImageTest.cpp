#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdlib>
#include <set>

#include "GifTestSupport.h"
#include "encode/GIFException.h"
#include "encode/GIFImage.h"
#include "encode/LZWEncoder.h"
#include "encode/WebPalette.h"

using namespace encode;

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

QByteArray Encode(const QImage& image) {
    TGIFImage gif;
    gif.Assign(image);
    return gif.SaveToBytes();
}

QImage Indexed(int width, int height, const QList<QRgb>& palette, const std::vector<int>& pixels) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.scanLine(y)[x] = static_cast<uchar>(pixels[static_cast<std::size_t>(y * width + x)]);
        }
    }
    return image;
}

QByteArray WebTableBytes() {
    QByteArray table;
    for (const RGBTriple& c : WebPalette()) {
        table.append(static_cast<char>(c.red));
        table.append(static_cast<char>(c.green));
        table.append(static_cast<char>(c.blue));
    }
    table.append(40 * 3, '\0');
    return table;
}

// The image data of a frame (after the minimum code size byte), with its sub-blocks joined.
QByteArray JoinSubBlocks(const QByteArray& data, qsizetype at) {
    QByteArray joined;
    while (at < data.size() && data[at] != 0) {
        const int n = static_cast<unsigned char>(data[at]);
        joined.append(data.mid(at + 1, n));
        at += n + 1;
    }
    return joined;
}

}  // namespace

TEST(GIFImage, OnePixelImageIsWrittenByteForByte) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QByteArray bytes = Encode(image);
    QByteArray expected =
        Hex("474946383761"
            "0100"
            "0100"
            "77"
            "00"
            "00"
            "2c"
            "0000"
            "0000"
            "0100"
            "0100"
            "87");
    expected.append(WebTableBytes());
    expected.append(
        Hex("08"
            "0400010404"
            "00"
            "3b"));
    EXPECT_EQ(bytes.toHex(), expected.toHex());
}

TEST(GIFImage, SmallTablesUseMinimumCodeSizeTwoAndPadToAPowerOfTwo) {
    const QList<QRgb> two = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
    QByteArray bytes = Encode(Indexed(1, 1, two, {0}));
    // Screen packed: resolution 0, size 0; frame packed: local table of 2 entries.
    EXPECT_EQ(bytes.mid(6, 7).toHex(), Hex("0100010000"
                                           "0000")
                                           .toHex());
    EXPECT_EQ(bytes.mid(13, 10).toHex(), Hex("2c00000000010001"
                                             "0080")
                                             .toHex()
                                             .left(20));
    EXPECT_EQ(bytes.mid(23).toHex(), Hex("ff0000"
                                         "0000ff"
                                         "02"
                                         "024401"
                                         "00"
                                         "3b")
                                         .toHex());

    const QList<QRgb> three = {qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)};
    bytes = Encode(Indexed(2, 1, three, {2, 1}));
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0x11);  // resolution 1, size 1
    EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 0x81);
    EXPECT_EQ(bytes.mid(23, 12).toHex(), Hex("010203040506070809000000").toHex());
    EXPECT_EQ(static_cast<unsigned char>(bytes[35]), 2);  // minimum code size
    const giftest::Decoded d = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.indices, (std::vector<std::uint8_t>{2, 1}));
}

TEST(GIFImage, IndexedImagesAreTakenOverWithTheirPalette) {
    QList<QRgb> palette;
    for (int i = 0; i < 16; ++i) {
        palette.append(qRgb(i * 16, 255 - i * 16, i));
    }
    std::vector<int> pixels;
    for (int i = 0; i < 7 * 5; ++i) {
        pixels.push_back((i * 7) % 16);
    }
    TGIFImage gif;
    gif.Assign(Indexed(7, 5, palette, pixels));
    ASSERT_EQ(gif.Images().size(), 1u);
    const TGIFSubImage& frame = *gif.Images()[0];
    EXPECT_EQ(frame.ColorMap().Count(), 16);
    EXPECT_EQ(frame.ColorMap().Colours()[3], (RGBTriple{48, 207, 3}));
    EXPECT_EQ(std::vector<int>(frame.Pixels().begin(), frame.Pixels().end()), pixels);
    const QByteArray bytes = gif.SaveToBytes();
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0x33);
    EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 0x83);
    const giftest::Decoded d = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(std::vector<int>(d.indices.begin(), d.indices.end()), pixels);

    // A one-bit image keeps its two colours.
    QImage mono(9, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(8, 1, 1);
    gif.Assign(mono);
    EXPECT_EQ(gif.Images()[0]->ColorMap().Count(), 2);
    EXPECT_EQ(gif.Images()[0]->Pixels()[17], 1);
    EXPECT_EQ(gif.Images()[0]->Pixels()[16], 0);
}

TEST(GIFImage, TrueColourImagesAreReducedToTheWebPaletteWhateverTheirColours) {
    QImage image(4, 2, QImage::Format_RGB888);
    image.fill(qRgb(255, 255, 255));
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(1, 0, qRgb(47, 48, 255));
    image.setPixel(2, 0, qRgb(251, 252, 98));
    TGIFImage gif;
    gif.Assign(image);
    const TGIFSubImage& frame = *gif.Images()[0];
    ASSERT_EQ(frame.ColorMap().Count(), 256);
    EXPECT_EQ(frame.ColorMap().Colours()[215], (RGBTriple{255, 255, 255}));
    EXPECT_EQ(frame.ColorMap().Colours()[216], (RGBTriple{0, 0, 0}));
    EXPECT_EQ(frame.ColorMap().Colours()[11], (RGBTriple{0, 51, 255}));
    EXPECT_EQ(frame.Pixels()[0], 0);
    EXPECT_EQ(frame.Pixels()[1], 11);
    EXPECT_EQ(frame.Pixels()[2], 36 * 4 + 6 * 5 + 1);  // 251 → 204, 252 → 255, 98 → 51
    EXPECT_EQ(frame.Pixels()[3], 215);
    EXPECT_EQ(WebLevel(47), 0);
    EXPECT_EQ(WebLevel(48), 1);
    EXPECT_EQ(WebLevel(149), 2);
    EXPECT_EQ(WebLevel(150), 3);
    EXPECT_EQ(WebLevel(200), 3);
    EXPECT_EQ(WebLevel(201), 4);
    EXPECT_EQ(gif.Header().width, 4);
    EXPECT_EQ(gif.Header().height, 2);
}

TEST(GIFImage, FailuresCarryTheirMessages) {
    TGIFImage empty;
    try {
        empty.SaveToBytes();
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "Unsupported GIF version");
    }

    TGIFImage gif;
    gif.Assign(Indexed(3, 1, {qRgb(0, 0, 0), qRgb(1, 1, 1)}, {0, 1, 20}));
    try {
        gif.SaveToBytes();
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "Color not in color table");
    }

    TGIFColorMap map;
    for (int i = 0; i < 256; ++i) {
        map.Add({});
    }
    EXPECT_EQ(map.BitsPerPixel(), 8);
    try {
        map.Add({});
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "Color table overflow");
    }
    for (auto [n, bits] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {5, 3}, {129, 8}}) {
        TGIFColorMap m;
        for (int i = 0; i < n; ++i) {
            m.Add({});
        }
        EXPECT_EQ(m.BitsPerPixel(), bits) << n;
    }
}

TEST(GIFImage, AnEmptyBitmapGivesOneEmptyFrame) {
    TGIFImage gif;
    gif.Assign(QImage());
    ASSERT_EQ(gif.Images().size(), 1u);
    EXPECT_TRUE(gif.Images()[0]->Empty());
    EXPECT_EQ(gif.SaveToBytes().toHex(), Hex("474946383761"
                                             "0000"
                                             "0000"
                                             "77"
                                             "0000"
                                             "3b")
                                             .toHex());
}

TEST(GIFImage, SavingToAFileReplacesItOnlyWhenComplete) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/b.gif";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    TGIFImage broken;
    broken.Assign(Indexed(2, 1, {qRgb(0, 0, 0)}, {0, 5}));
    EXPECT_THROW(broken.SaveToFile(path), GIFException);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old contents"));
    kept.close();

    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(qRgb(200, 10, 10));
    TGIFImage good;
    good.Assign(image);
    good.SaveToFile(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), good.SaveToBytes());
    EXPECT_THROW(good.SaveToFile(dir.path() + "/missing/b.gif"), std::runtime_error);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"b.gif"});
}

TEST(LZWEncoder, CodeWidthGrowsToTwelveBitsAndResetsAfterCode4094) {
    // Noise makes a new string at almost every pixel, so the table fills several times.
    std::vector<std::uint8_t> pixels(40000);
    QRandomGenerator rng(7);
    for (auto& p : pixels) {
        p = static_cast<std::uint8_t>(rng.bounded(256));
    }
    QByteArray out;
    LZWCompress(out, 8, 200, 200, pixels.data(), 256);
    ASSERT_EQ(out[0], 8);
    const QByteArray data = JoinSubBlocks(out, 1);

    // Read the codes back as a GIF decoder does: each code after the first adds an entry, and the
    // width grows when the next entry no longer fits.
    std::uint64_t bucket = 0;
    int bits = 0;
    qsizetype at = 0;
    int width = 9;
    int next = 258;
    bool first = true;
    std::vector<int> widthsSeen;
    std::vector<int> clearsAt;  // decoder's next entry when a clear code arrived
    int clearsAtTwelve = 0;
    int codesAfterClearAtNine = 0;
    bool afterClear = false;
    for (;;) {
        while (bits < width && at < data.size()) {
            bucket |= static_cast<std::uint64_t>(static_cast<unsigned char>(data[at++])) << bits;
            bits += 8;
        }
        ASSERT_GE(bits, width);
        const int code = static_cast<int>(bucket & ((1u << width) - 1));
        bucket >>= width;
        bits -= width;
        if (widthsSeen.empty() || widthsSeen.back() != width) {
            widthsSeen.push_back(width);
        }
        if (afterClear) {
            codesAfterClearAtNine += width == 9 ? 1 : 0;
            afterClear = false;
        }
        if (code == 256) {
            clearsAt.push_back(next);
            clearsAtTwelve += width == 12 ? 1 : 0;
            width = 9;
            next = 258;
            first = true;
            afterClear = clearsAt.size() > 1;
            continue;
        }
        if (code == 257) {
            break;
        }
        ASSERT_LE(code, first ? 255 : next);
        if (!first) {
            ++next;
        }
        first = false;
        if (next == (1 << width) && width < 12) {
            ++width;
        }
    }
    EXPECT_EQ(std::vector<int>(widthsSeen.begin(), widthsSeen.begin() + 4),
              (std::vector<int>{9, 10, 11, 12}));
    ASSERT_GE(clearsAt.size(), 3u);
    EXPECT_EQ(clearsAt[0], 258);  // the opening clear code
    for (std::size_t i = 1; i < clearsAt.size(); ++i) {
        EXPECT_EQ(clearsAt[i], 4095);  // the table was full: entries up to 4094, then the clear code
    }
    EXPECT_EQ(clearsAtTwelve, static_cast<int>(clearsAt.size()) - 1);
    EXPECT_EQ(codesAfterClearAtNine, static_cast<int>(clearsAt.size()) - 1);

    // And giflib reads the same pixels back.
    QImage image(200, 200, QImage::Format_Indexed8);
    QList<QRgb> grey;
    for (int i = 0; i < 256; ++i) {
        grey.append(qRgb(i, i, i));
    }
    image.setColorTable(grey);
    for (int y = 0; y < 200; ++y) {
        std::copy_n(pixels.data() + y * 200, 200, image.scanLine(y));
    }
    const giftest::Decoded d = giftest::DecodeWithGiflib(Encode(image));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.indices, pixels);
}

TEST(LZWEncoder, DataOfExactly255BytesIsOneFullBlock) {
    QRandomGenerator rng(11);
    std::vector<std::uint8_t> pixels(400);
    for (auto& p : pixels) {
        p = static_cast<std::uint8_t>(rng.bounded(256));
    }
    bool found = false;
    for (int n = 100; n < 400 && !found; ++n) {
        QByteArray out;
        LZWCompress(out, 8, n, 1, pixels.data(), 256);
        if (out.size() == 1 + 1 + 255 + 1) {
            found = true;
            EXPECT_EQ(static_cast<unsigned char>(out[1]), 255);
            EXPECT_EQ(out.back(), '\0');
        }
    }
    EXPECT_TRUE(found);

    QByteArray none;
    LZWCompress(none, 8, 0, 0, nullptr, 256);
    EXPECT_EQ(none.toHex(), Hex("08"
                                "02"
                                "0101"
                                "00")
                                .toHex());  // the end code alone, 9 bits
}

TEST(GIFImage, RandomImagesReadBackAsTheirWebPaletteMapping) {
    QRandomGenerator rng(2024);
    const QList<QSize> sizes = {{1, 1}, {2000, 40}, {1, 300}, {37, 23}, {640, 3}, {256, 256}};
    for (const QSize& size : sizes) {
        for (int kind = 0; kind < 2; ++kind) {
            QImage image(size, QImage::Format_RGB32);
            if (kind == 0) {
                for (int y = 0; y < size.height(); ++y) {
                    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                    for (int x = 0; x < size.width(); ++x) {
                        row[x] = 0xFF000000u | rng.bounded(0x1000000u);
                    }
                }
            } else {
                // Flat areas with text, like a button.
                image.fill(qRgb(rng.bounded(256), rng.bounded(256), rng.bounded(256)));
                QPainter p(&image);
                p.fillRect(QRect(0, 0, size.width() / 2, size.height()), QColor(30, 90, 200));
                p.setPen(Qt::white);
                p.drawText(image.rect(), Qt::AlignCenter, "Products");
            }
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " kind " << kind);
            const QByteArray bytes = Encode(image);
            EXPECT_EQ(Encode(image), bytes);  // the same bitmap twice gives the same bytes

            const giftest::Decoded d = giftest::DecodeWithGiflib(bytes);
            ASSERT_TRUE(d.ok);
            ASSERT_EQ(d.width, size.width());
            ASSERT_EQ(d.height, size.height());
            QImage viaQt = QImage::fromData(bytes, "GIF").convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(viaQt.size(), size);
            int mismatches = 0;
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb src = image.pixel(x, y);
                    const int index = WebPaletteIndex(qRed(src), qGreen(src), qBlue(src));
                    const QRgb want = qRgb(51 * (index / 36), 51 * (index / 6 % 6), 51 * (index % 6));
                    const GifColorType c =
                        d.colours[d.indices[static_cast<std::size_t>(y * size.width() + x)]];
                    if (qRgb(c.Red, c.Green, c.Blue) != want ||
                        (viaQt.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF)) {
                        ++mismatches;
                    }
                }
            }
            EXPECT_EQ(mismatches, 0);
        }
    }
}

namespace {

// A picture whose colours run smoothly from one corner to the other, none of them a web colour but
// by chance.
QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb(20 + 200 * x / (width - 1), 230 - 150 * y / (height - 1),
                                90 + 60 * (x + y) / (width + height - 2)));
        }
    }
    return image;
}

QRgb PaletteColour(int index) {
    return qRgb(51 * (index / 36), 51 * (index / 6 % 6), 51 * (index % 6));
}

// The mean over 8 × 8 blocks of how far the palette colours' average lies from the picture's
// average, per component.
double MeanBlockError(const QImage& image, const std::vector<std::uint8_t>& indices) {
    constexpr int kBlock = 8;
    double total = 0;
    int blocks = 0;
    for (int by = 0; by + kBlock <= image.height(); by += kBlock) {
        for (int bx = 0; bx + kBlock <= image.width(); bx += kBlock) {
            int source[3] = {};
            int shown[3] = {};
            for (int y = by; y < by + kBlock; ++y) {
                for (int x = bx; x < bx + kBlock; ++x) {
                    const QRgb s = image.pixel(x, y);
                    const QRgb p = PaletteColour(indices[static_cast<std::size_t>(y * image.width() + x)]);
                    source[0] += qRed(s), source[1] += qGreen(s), source[2] += qBlue(s);
                    shown[0] += qRed(p), shown[1] += qGreen(p), shown[2] += qBlue(p);
                }
            }
            for (int c = 0; c < 3; ++c) {
                total += std::abs(source[c] - shown[c]) / double(kBlock * kBlock);
            }
            blocks += 3;
        }
    }
    return total / blocks;
}

}  // namespace

TEST(WebPaletteDither, AGradientIsMixedFromMoreColoursAndMatchesItsSourceBlockByBlock) {
    const QImage image = Gradient(160, 48);
    const std::vector<std::uint8_t> nearest = ReduceToWebPalette(image);
    const std::vector<std::uint8_t> dithered = DitherToWebPalette(image);
    ASSERT_EQ(dithered.size(), nearest.size());
    const std::set<std::uint8_t> nearestColours(nearest.begin(), nearest.end());
    const std::set<std::uint8_t> ditheredColours(dithered.begin(), dithered.end());
    EXPECT_GT(ditheredColours.size(), nearestColours.size());
    // Every 8 × 8 block averages to within a few levels of its source; the nearest colour is off by
    // up to half a cube step (and more: its thresholds lie above the midpoints).
    const double nearestError = MeanBlockError(image, nearest);
    const double ditheredError = MeanBlockError(image, dithered);
    EXPECT_GT(nearestError, 10.0);
    EXPECT_LT(ditheredError, 2.0);

    // A flat colour between two levels becomes a mix that averages to it.
    QImage flat(32, 32, QImage::Format_RGB32);
    flat.fill(qRgb(100, 180, 30));
    const std::vector<std::uint8_t> mix = DitherToWebPalette(flat);
    EXPECT_LT(MeanBlockError(flat, mix), 1.5);
    EXPECT_GT(std::set<std::uint8_t>(mix.begin(), mix.end()).size(), 1u);

    // The same picture always gives the same indices and the same file, in any pixel format.
    EXPECT_EQ(DitherToWebPalette(image), dithered);
    EXPECT_EQ(DitherToWebPalette(image.convertToFormat(QImage::Format_RGB888)), dithered);
    TGIFImage gif;
    EXPECT_EQ(gif.DitherMode(), TDitherMode::dmNearest);
    gif.SetDitherMode(TDitherMode::dmFloydSteinberg);
    gif.Assign(image);
    EXPECT_EQ(gif.Images()[0]->Pixels(), dithered);
    const QByteArray bytes = gif.SaveToBytes();
    gif.Assign(image);
    EXPECT_EQ(gif.SaveToBytes(), bytes);
    EXPECT_NE(bytes, Encode(image));
    // giflib reads the file back as the dithered indices in the web palette.
    const giftest::Decoded d = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.indices, dithered);
    ASSERT_EQ(d.colours.size(), 256u);
    EXPECT_EQ(qRgb(d.colours[100].Red, d.colours[100].Green, d.colours[100].Blue), PaletteColour(100));
}

TEST(WebPaletteDither, WebColoursKeepTheirIndexAndTakeNoError) {
    // A picture of web colours alone gives the nearest colour's indices.
    QRandomGenerator rng(7);
    QImage web(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < web.height(); ++y) {
        for (int x = 0; x < web.width(); ++x) {
            web.setPixel(x, y, PaletteColour(static_cast<int>(rng.bounded(216u))));
        }
    }
    EXPECT_EQ(DitherToWebPalette(web), ReduceToWebPalette(web));

    // Web colours inside a gradient (a line of text, a border) stay exactly as they are, and the
    // error around them is not pushed through them.
    QImage image = Gradient(90, 40);
    QPainter p(&image);
    p.fillRect(QRect(30, 0, 3, 40), QColor(51, 102, 153));
    p.fillRect(QRect(0, 18, 90, 2), Qt::white);
    p.end();
    const std::vector<std::uint8_t> dithered = DitherToWebPalette(image);
    const int lineIndex = WebPaletteIndex(51, 102, 153);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 30; x < 33; ++x) {
            EXPECT_EQ(dithered[static_cast<std::size_t>(y * 90 + x)], y / 2 == 9 ? 215 : lineIndex)
                << x << "," << y;
        }
    }
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(dithered[static_cast<std::size_t>(18 * 90 + x)], 215) << x;
        EXPECT_EQ(dithered[static_cast<std::size_t>(19 * 90 + x)], 215) << x;
    }
    // What lies right of the line is dithered as if the picture began at the line: no error
    // crosses it.
    const QImage right = image.copy(33, 0, 57, 18);
    const std::vector<std::uint8_t> alone = DitherToWebPalette(right);
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 57; ++x) {
            ASSERT_EQ(dithered[static_cast<std::size_t>(y * 90 + 33 + x)],
                      alone[static_cast<std::size_t>(y * 57 + x)])
                << x << "," << y;
        }
    }
}

TEST(WebPaletteDither, ThePageColourAroundARoundFaceMapsAsTheNearestColourWhateverItIs) {
    // A gradient in an ellipse, on a page colour the palette has and on one it has not got.
    const QImage face = Gradient(120, 40);
    const QRegion inside(QRect(0, 0, 120, 40), QRegion::Ellipse);
    const auto onPage = [&](QRgb page) {
        QImage image(face.size(), QImage::Format_RGB32);
        image.fill(page);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (inside.contains(QPoint(x, y))) {
                    image.setPixel(x, y, face.pixel(x, y));
                }
            }
        }
        return image;
    };
    const QRgb webPage = qRgb(255, 255, 204);
    const QRgb otherPage = qRgb(200, 110, 40);
    const QImage onWeb = onPage(webPage);
    const QImage onOther = onPage(otherPage);
    const std::vector<std::uint8_t> web = DitherToWebPalette(onWeb);
    const std::vector<std::uint8_t> other = DitherToWebPalette(onOther, otherPage);
    const std::vector<std::uint8_t> otherNearest = ReduceToWebPalette(onOther);
    int outside = 0;
    int differ = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            const auto i = static_cast<std::size_t>(y * face.width() + x);
            if (inside.contains(QPoint(x, y))) {
                // Inside, the face is the same on either page: no error comes in from outside.
                ASSERT_EQ(web[i], other[i]) << x << "," << y;
                differ += other[i] != otherNearest[i] ? 1 : 0;
            } else {
                ++outside;
                ASSERT_EQ(web[i], WebPaletteIndex(255, 255, 204)) << x << "," << y;
                ASSERT_EQ(other[i], otherNearest[i]) << x << "," << y;
            }
        }
    }
    EXPECT_GT(outside, 500);
    EXPECT_GT(differ, 500);  // the face itself is dithered
    // Without the page colour named, a page colour that is no web colour would be dithered too.
    EXPECT_NE(DitherToWebPalette(onOther), other);
    // The file the encoder writes for it says the same.
    TGIFImage gif;
    gif.SetDitherMode(TDitherMode::dmFloydSteinberg, otherPage);
    gif.Assign(onOther);
    EXPECT_EQ(gif.Images()[0]->Pixels(), other);
}
