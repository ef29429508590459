#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Lossless WebP files of button faces, encoded by libwebp.
namespace encode {

// The bytes of a lossless WebP file of the image at libwebp's highest lossless effort (its preset 9,
// the effort of `cwebp -lossless -z 9`), without metadata: every pixel that shows reads back exactly
// (an image without an alpha channel reads back opaque); the colour under a fully transparent pixel
// is the encoder's to choose, as nothing shows it. The same pixels always give the same bytes. Throws
// std::runtime_error for an empty image or when the encoder fails.
QByteArray EncodeWebp(const QImage& image);

// The width and height of the picture of a WebP file from its first bytes (30 are enough), an invalid
// size when they do not start a WebP file.
QSize WebpPictureSize(const QByteArray& start);

}  // namespace encode
