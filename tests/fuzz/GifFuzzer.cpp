#include <QImage>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "GifTestSupport.h"
#include "encode/GIFImage.h"
#include "encode/WebPalette.h"

// Any image through the GIF encoder, read back by giflib: a true-colour image comes back as its
// web-palette mapping, an indexed one as its own indices and colours.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const int width = 1 + data[0] % 96;
    const int height = 1 + data[1] % 96;
    const bool indexed = (data[2] & 1) != 0;
    const int colours = 1 + (data[2] >> 1) % 128 * 2;  // 1 to 255 colours in the table
    std::size_t at = 3;
    const auto next = [&]() -> int { return at < size ? data[at++] : 0; };

    QImage image;
    if (indexed) {
        image = QImage(width, height, QImage::Format_Indexed8);
        QList<QRgb> table;
        for (int i = 0; i < colours; ++i) {
            const int r = next();
            const int g = next();
            table.append(qRgb(r, g, next()));
        }
        image.setColorTable(table);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.scanLine(y)[x] = static_cast<uchar>(next() % colours);
            }
        }
    } else {
        image = QImage(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const int r = next();
                const int g = next();
                row[x] = qRgb(r, g, next());
            }
        }
    }

    encode::TGIFImage gifImage;
    gifImage.Assign(image);
    const QByteArray bytes = gifImage.SaveToBytes();
    const giftest::Decoded decoded = giftest::DecodeWithGiflib(bytes);
    FUZZ_EXPECT(decoded.ok);
    FUZZ_EXPECT(decoded.width == width && decoded.height == height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = decoded.indices[static_cast<std::size_t>(y * width + x)];
            FUZZ_EXPECT(index < decoded.colours.size());
            const GifColorType& c = decoded.colours[index];
            const QRgb got = qRgb(c.Red, c.Green, c.Blue);
            if (indexed) {
                FUZZ_EXPECT(index == image.pixelIndex(x, y));
                FUZZ_EXPECT(got == image.color(index));
            } else {
                const QRgb src = image.pixel(x, y);
                const int want = encode::WebPaletteIndex(qRed(src), qGreen(src), qBlue(src));
                FUZZ_EXPECT(index == want);
                FUZZ_EXPECT(got == qRgb(51 * (want / 36), 51 * (want / 6 % 6), 51 * (want % 6)));
            }
        }
    }
    return 0;
}
