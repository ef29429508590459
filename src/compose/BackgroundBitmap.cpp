#include "compose/BackgroundBitmap.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "platform/RegularFile.h"

namespace compose {
namespace {

// Whether a BMP file holds all the pixel rows its header announces. The picture reader takes a file
// cut short after its header as a whole picture of that size, so a short file is refused here; a
// file of another format, or a header the reader refuses anyway, passes to the reader.
bool BmpPixelDataComplete(const QByteArray& bytes) {
    constexpr qsizetype kFileHeader = 14;
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        return true;
    }
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (bytes.size() < kFileHeader + 4) {
        return false;
    }
    const qint64 offset = qFromLittleEndian<quint32>(data + 10);
    const qint64 infoSize = qFromLittleEndian<quint32>(data + kFileHeader);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    quint32 compression = 0;
    quint32 imageSize = 0;
    if (infoSize == 12) {
        // The old header: 16-bit width and height.
        if (bytes.size() < kFileHeader + 12) {
            return false;
        }
        width = qFromLittleEndian<quint16>(data + 18);
        height = qFromLittleEndian<quint16>(data + 20);
        bits = qFromLittleEndian<quint16>(data + 24);
    } else if (infoSize >= 40) {
        if (bytes.size() < kFileHeader + 40) {
            return false;
        }
        width = qFromLittleEndian<qint32>(data + 18);
        height = std::abs(static_cast<qint64>(qFromLittleEndian<qint32>(data + 22)));
        bits = qFromLittleEndian<quint16>(data + 28);
        compression = qFromLittleEndian<quint32>(data + 30);
        imageSize = qFromLittleEndian<quint32>(data + 34);
    } else {
        return true;
    }
    if (width <= 0 || height <= 0 || bits <= 0) {
        return true;
    }
    // The pixels start at the offset the header gives, or right after the headers when it points
    // before them.
    const qint64 start = std::max(offset, kFileHeader + infoSize);
    qint64 pixelBytes = 0;
    switch (compression) {
        case 0:  // plain rows, each padded to four bytes
        case 3:  // plain rows with colour masks
        case 6: {
            const qint64 rowBytes = (width * bits + 31) / 32 * 4;
            if (height > (std::numeric_limits<qint64>::max() - start) / rowBytes) {
                return false;
            }
            pixelBytes = rowBytes * height;
            break;
        }
        case 1:  // run-length coded: at least the coded size the header gives, and one code
        case 2:
            pixelBytes = std::max<qint64>(imageSize, 2);
            break;
        default:
            return true;
    }
    return bytes.size() >= start + pixelBytes;
}

// The picture in a file's bytes: the format is told by the content, or failing that by the file's
// suffix (for formats without a mark of their own). A BMP file cut short gives none.
QImage DecodeBitmap(const QByteArray& bytes, const QString& path) {
    if (!BmpPixelDataComplete(bytes)) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImage image = QImageReader(&buffer).read();
    if (image.isNull()) {
        buffer.seek(0);
        image = QImageReader(&buffer, QFileInfo(path).suffix().toLatin1()).read();
    }
    // A file whose pixels name colours its palette has not got would leave them to whatever follows
    // the palette in memory: the table is filled up, those pixels are black.
    const int entries = image.format() == QImage::Format_Indexed8 ? 256
                        : image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB
                            ? 2
                            : 0;
    if (image.colorCount() < entries) {
        QList<QRgb> table = image.colorTable();
        table.resize(entries, qRgb(0, 0, 0));
        image.setColorTable(table);
    }
    return image;
}

}  // namespace

QString BitmapUnreadableMessage(const QString& path) {
    return QStringLiteral("The bitmap file \"%1\" could not be read.").arg(path);
}

QImage LoadBitmapFile(const QString& path) {
    // Only a regular file is read: a pipe or a device under the name would never end.
    const std::optional<QByteArray> bytes = platform::ReadRegularFile(path);
    QImage image = bytes ? DecodeBitmap(*bytes, path) : QImage();
    if (image.isNull()) {
        throw std::runtime_error(BitmapUnreadableMessage(path).toStdString());
    }
    return image;
}

BackgroundBitmap ReadBackgroundBitmap(const QString& path) {
    BackgroundBitmap bitmap;
    const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, &bitmap.unreadable);
    if (!bytes) {
        return bitmap;
    }
    bitmap.picture = DecodeBitmap(*bytes, path);
    if (bitmap.picture.isNull()) {
        bitmap.notAPicture = BitmapUnreadableMessage(path);
    }
    return bitmap;
}

}  // namespace compose
