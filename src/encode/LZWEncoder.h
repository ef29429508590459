#pragma once

#include <QByteArray>
#include <cstdint>

// The variable-length-code LZW compression of GIF image data.
namespace encode {

// Writes one frame's image data to `out`: the minimum code size byte (at least 2), the data
// sub-blocks and the block terminator. `pixels` holds width × height colour indices, top row first;
// every index must be below `colourCount`, or "Color not in color table" is raised. A null pixel
// buffer or an empty size writes only the end code.
void LZWCompress(QByteArray& out, int bitsPerPixel, int width, int height, const std::uint8_t* pixels,
                 int colourCount);

}  // namespace encode
