#pragma once

#include <QByteArray>
#include <QImage>

// PNG files of button faces, encoded by our own writer: the smallest exact colour type for the face's
// pixels, a filter chosen for every row and a strong deflate.
namespace encode {

// The bytes of a PNG file of the image. Every pixel reads back exactly as the image holds it (an
// image without an alpha channel reads back opaque; a fully transparent pixel reads back as
// transparent black, whatever colour it carried). The file is the smallest of the layouts tried:
// - a palette (colour type 3) when the image has at most 256 colours, at 1, 2 or 4 bits per pixel
//   when 2, 4 or 16 entries are enough, with the partly transparent entries first so that the
//   transparency chunk is short;
// - grey (colour type 0, 1 to 8 bits) when every pixel is an opaque grey, grey with alpha
//   (type 4) when only the alpha varies otherwise;
// - RGB (type 2) or RGBA (type 6) otherwise. When every pixel is either opaque or fully transparent
//   the transparent ones take a colour (or grey) that no opaque pixel has, named in a tRNS chunk,
//   instead of an alpha channel.
// The chunks are IHDR, PLTE and tRNS when the layout needs them, one IDAT and IEND: no texts, no
// time stamp, no resolution, so the same pixels always give the same bytes. Throws std::runtime_error
// for an empty image.
QByteArray EncodePng(const QImage& image);

}  // namespace encode
