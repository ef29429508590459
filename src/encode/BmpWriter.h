#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Windows bitmap files: uncompressed, 24 bits per pixel, rows bottom-up and padded to 4 bytes.
namespace encode {

// The bytes of a 24-bit BMP file of the image (a 14-byte file header, a 40-byte information header,
// the pixel rows). An empty image gives a file with no pixel rows.
QByteArray EncodeBmp24(const QImage& image);

// Writes the image as a 24-bit BMP file. The file is replaced only once the whole file has been
// written; on failure an existing file is left as it was and std::runtime_error is raised.
void SaveBmpFile(const QImage& image, const QString& path);

}  // namespace encode
