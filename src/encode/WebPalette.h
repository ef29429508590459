#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

#include "encode/ColorMap.h"

// The fixed 216-colour web palette and the reduction of true-colour pixels to it.
namespace encode {

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

// True when each component of the colour is a level of the cube (a multiple of 51).
inline bool IsWebColour(int red, int green, int blue) {
    return red % 51 == 0 && green % 51 == 0 && blue % 51 == 0;
}

// Maps every pixel to a web palette index by error diffusion (Floyd–Steinberg), so that gradients
// become a fine mix of neighbouring palette colours instead of bands. The same picture always gives
// the same indices: integer arithmetic, one pass, no threads.
//
// Rows are scanned in serpentine order: the first row left to right, the next right to left, and so
// on, with the weights mirrored. Always scanning left to right pushes the error the same way on every
// row and leaves diagonal streaks in flat areas; alternating the direction cancels that drift.
//
// Fixed pixels keep the colour ReduceToWebPalette gives them, pass no error on and take none in
// (error meant for them is dropped): pixels that already have a web palette colour, and pixels of
// exactly `keptColour` (RGB; alpha ignored) when one is given — the page colour outside a shaped
// button, which must stay one flat colour whatever it is. Every other pixel is rounded to the
// nearest cube level of each component after its share of the error is added.
std::vector<std::uint8_t> DitherToWebPalette(const QImage& image,
                                             std::optional<QRgb> keptColour = std::nullopt);

}  // namespace encode
