#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "gif/ColorMap.h"

// The fixed 216-colour web palette and the reduction of true-colour pixels to it.
namespace gif {

inline constexpr int kWebPaletteSize = 216;

// Entry 36·r + 6·g + b holds (51·r, 51·g, 51·b) for r, g, b in 0..5: black first, white last.
std::vector<RGBTriple> WebPalette();

// The cube level of one colour component: ⌊(v + 3) / 51⌋ (0–47 → 0, 48–98 → 1, … 252–255 → 5).
inline int WebLevel(int v) {
    return (v + 3) / 51;
}

// Palette index of one colour.
inline int WebPaletteIndex(int red, int green, int blue) {
    return 36 * WebLevel(red) + 6 * WebLevel(green) + WebLevel(blue);
}

// Maps every pixel of a true-colour image to its web palette index, row by row, top row first:
// width × height bytes. Alpha is ignored.
std::vector<std::uint8_t> ReduceToWebPalette(const QImage& image);

}  // namespace gif
