#include "gif/WebPalette.h"

#include <array>

#include "gif/GIFException.h"

namespace gif {
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
    if (image.width() <= 0 || image.height() <= 0) {
        throw GIFException(kInvalidDimensions);
    }
    // 32-bit pixels are read as stored (0xAARRGGBB); every other format is converted first.
    QImage rgb = image;
    if (rgb.format() != QImage::Format_RGB32 && rgb.format() != QImage::Format_ARGB32) {
        rgb = image.convertToFormat(QImage::Format_RGB32);
        if (rgb.isNull()) {
            throw GIFException(kAllocationFailed);
        }
    }
    const auto width = static_cast<std::size_t>(rgb.width());
    const auto height = static_cast<std::size_t>(rgb.height());
    std::vector<std::uint8_t> indices;
    try {
        indices.resize(width * height);
    } catch (const std::bad_alloc&) {
        throw GIFException(kAllocationFailed);
    }
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

}  // namespace gif
