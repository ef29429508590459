#include "encode/WebPalette.h"

#include <algorithm>
#include <array>

#include "encode/GIFException.h"

namespace encode {
namespace {

// Index contributions of each component value, so a pixel costs three look-ups and two additions.
struct LevelTables {
    std::array<std::uint8_t, 256> red{};
    std::array<std::uint8_t, 256> green{};
    std::array<std::uint8_t, 256> blue{};

    LevelTables() {
        for (int v = 0; v < 256; ++v) {
            red[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(36 * WebLevel(v));
            green[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(6 * WebLevel(v));
            blue[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(WebLevel(v));
        }
    }
};

const LevelTables& Levels() {
    static const LevelTables tables;
    return tables;
}

// The picture as 32-bit pixels read as stored (0xAARRGGBB); every other format is converted first.
QImage Rgb32Of(const QImage& image) {
    if (image.width() <= 0 || image.height() <= 0) {
        throw GIFException(kInvalidDimensions);
    }
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) {
        return image;
    }
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) {
        throw GIFException(kAllocationFailed);
    }
    return rgb;
}

std::vector<std::uint8_t> IndexBuffer(std::size_t size) {
    try {
        return std::vector<std::uint8_t>(size);
    } catch (const std::bad_alloc&) {
        throw GIFException(kAllocationFailed);
    }
}

// The error diffused from one pixel to its neighbours, in sixteenths: 7 to the next pixel of the
// row, 3, 5 and 1 to the pixels below behind it, below it and below ahead of it.
constexpr int kAheadWeight = 7;
constexpr int kBelowBehindWeight = 3;
constexpr int kBelowWeight = 5;
constexpr int kBelowAheadWeight = 1;
constexpr int kWeightShift = 4;  // the weights sum to 16
constexpr int kChannels = 3;     // red, green, blue

}  // namespace

std::vector<RGBTriple> WebPalette() {
    std::vector<RGBTriple> palette;
    palette.reserve(kWebPaletteSize);
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.push_back({static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                                   static_cast<std::uint8_t>(51 * b)});
            }
        }
    }
    return palette;
}

std::vector<std::uint8_t> ReduceToWebPalette(const QImage& image) {
    const QImage rgb = Rgb32Of(image);
    const auto width = static_cast<std::size_t>(rgb.width());
    const auto height = static_cast<std::size_t>(rgb.height());
    std::vector<std::uint8_t> indices = IndexBuffer(width * height);
    const LevelTables& t = Levels();
    for (std::size_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(static_cast<int>(y)));
        std::uint8_t* out = indices.data() + y * width;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t p = row[x];
            out[x] = static_cast<std::uint8_t>(t.red[(p >> 16) & 0xFF] + t.green[(p >> 8) & 0xFF] +
                                               t.blue[p & 0xFF]);
        }
    }
    return indices;
}

std::vector<std::uint8_t> DitherToWebPalette(const QImage& image, std::optional<QRgb> keptColour) {
    const QImage rgb = Rgb32Of(image);
    const int width = rgb.width();
    const int height = rgb.height();
    std::vector<std::uint8_t> indices = IndexBuffer(static_cast<std::size_t>(width) * height);
    const LevelTables& t = Levels();
    const bool keeps = keptColour.has_value();
    const std::uint32_t kept = keeps ? *keptColour & 0xFFFFFFu : 0;
    // The error waiting for each pixel of this row and the next, in sixteenths, per component; one
    // spare pixel at either end takes what would fall off the picture.
    const auto rowLength = static_cast<std::size_t>(width + 2) * kChannels;
    std::vector<int> thisRow(rowLength, 0);
    std::vector<int> nextRow(rowLength, 0);
    const auto at = [](int x, int channel) { return static_cast<std::size_t>(x + 1) * kChannels + channel; };
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        std::uint8_t* out = indices.data() + static_cast<std::size_t>(y) * width;
        const bool forward = y % 2 == 0;
        const int step = forward ? 1 : -1;
        std::fill(nextRow.begin(), nextRow.end(), 0);
        for (int i = 0; i < width; ++i) {
            const int x = forward ? i : width - 1 - i;
            const std::uint32_t p = row[x] & 0xFFFFFFu;
            const int components[kChannels] = {static_cast<int>(p >> 16), static_cast<int>((p >> 8) & 0xFF),
                                               static_cast<int>(p & 0xFF)};
            if (IsWebColour(components[0], components[1], components[2]) || (keeps && p == kept)) {
                out[x] =
                    static_cast<std::uint8_t>(t.red[p >> 16] + t.green[(p >> 8) & 0xFF] + t.blue[p & 0xFF]);
                continue;
            }
            int levels[kChannels];
            for (int c = 0; c < kChannels; ++c) {
                // The share of error is rounded to the nearest whole value (an arithmetic shift
                // rounds down, negative values included).
                const int wanted = std::clamp(
                    components[c] + ((thisRow[at(x, c)] + (1 << (kWeightShift - 1))) >> kWeightShift), 0,
                    255);
                // The nearest level: ReduceToWebPalette's thresholds lie above the midpoints
                // between levels and would leave more error to spread.
                levels[c] = (wanted + 25) / 51;
                const int error = wanted - 51 * levels[c];
                thisRow[at(x + step, c)] += kAheadWeight * error;
                nextRow[at(x - step, c)] += kBelowBehindWeight * error;
                nextRow[at(x, c)] += kBelowWeight * error;
                nextRow[at(x + step, c)] += kBelowAheadWeight * error;
            }
            out[x] = static_cast<std::uint8_t>(36 * levels[0] + 6 * levels[1] + levels[2]);
        }
        std::swap(thisRow, nextRow);
    }
    return indices;
}

}  // namespace encode
