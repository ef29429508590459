#include "encode/BmpWriter.h"

#include <stdexcept>
#include "platform/FileWriting.h"

namespace encode {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 3780;  // 96 dots per inch

void Append16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void Append32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(static_cast<char>((v >> shift) & 0xFF));
    }
}

}  // namespace

QByteArray EncodeBmp24(const QImage& source) {
    const QImage image = source.isNull() || source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * height;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(offset + pixelBytes));
    out.append("BM");
    Append32(out, offset + pixelBytes);
    Append32(out, 0);  // reserved
    Append32(out, offset);
    Append32(out, kInfoHeaderSize);
    Append32(out, width);
    Append32(out, height);  // positive: rows bottom-up
    Append16(out, 1);       // planes
    Append16(out, 24);      // bits per pixel
    Append32(out, 0);       // no compression
    Append32(out, pixelBytes);
    Append32(out, kPixelsPerMetre);
    Append32(out, kPixelsPerMetre);
    Append32(out, 0);  // colours used
    Append32(out, 0);  // important colours

    const qsizetype rowStart = out.size();
    out.resize(rowStart + static_cast<qsizetype>(pixelBytes));
    char* dst = out.data() + rowStart;
    for (std::uint32_t y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(height - 1 - y)));
        char* p = dst + static_cast<std::size_t>(y) * stride;
        for (std::uint32_t x = 0; x < width; ++x) {
            *p++ = static_cast<char>(qBlue(row[x]));
            *p++ = static_cast<char>(qGreen(row[x]));
            *p++ = static_cast<char>(qRed(row[x]));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad) {
            *p++ = 0;
        }
    }
    return out;
}

void SaveBmpFile(const QImage& image, const QString& path) {
    const QByteArray bytes = EncodeBmp24(image);
    QString reason;
    if (!platform::ReplaceFile(path, bytes, &reason)) {
        throw std::runtime_error(platform::CannotWriteText(path, reason).toStdString());
    }
}

}  // namespace encode
