#pragma once

#include <QByteArray>
#include <QImage>

// PNG files of button faces: true colour, with an alpha channel when the face has pixels outside its
// shape.
namespace gif {

// The bytes of a PNG file of the image, encoded in memory by Qt's PNG writer at its highest
// compression (quality 0): 8-bit RGB for an opaque image (Format_RGB32), 8-bit RGBA for one with an alpha
// channel, never a palette. The file holds no text chunks and no time stamp, so the same image always gives
// the same bytes. Throws std::runtime_error when the image cannot be encoded (an empty image).
QByteArray EncodePng(const QImage& image);

}  // namespace gif
