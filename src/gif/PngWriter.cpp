#include "gif/PngWriter.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <stdexcept>

namespace gif {
namespace {

// Qt's PNG writer takes its compression level from the quality: 0 is the highest compression. (Its
// compression option, by contrast, writes the pixel data unfiltered and uncompressed.)
constexpr int kHighestCompressionQuality = 0;

}  // namespace

QByteArray EncodePng(const QImage& source) {
    if (source.isNull()) {
        throw std::runtime_error("An empty image cannot be written as a PNG file");
    }
    // Only two layouts reach the writer, so the file's colour type follows from the face alone:
    // opaque faces as RGB, faces with transparent pixels as RGBA (straight, not premultiplied).
    const QImage converted = source.hasAlphaChannel() ? source.convertToFormat(QImage::Format_ARGB32)
                                                      : source.convertToFormat(QImage::Format_RGB32);
    // The pixels alone, without the texts and the colour space an image may carry: the file holds
    // the pixels and the resolution, nothing that varies from one run to the next.
    QImage image(converted.size(), converted.format());
    for (int y = 0; y < image.height(); ++y) {
        std::copy_n(converted.constScanLine(y), converted.bytesPerLine(), image.scanLine(y));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kHighestCompressionQuality);
    if (!writer.write(image)) {
        throw std::runtime_error(
            QStringLiteral("The PNG image could not be encoded: %1").arg(writer.errorString()).toStdString());
    }
    return bytes;
}

}  // namespace gif
