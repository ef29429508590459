#pragma once

#include <webp/decode.h>

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

// Independent decoders of the PNG and WebP encoders' files: ImageMagick's, and libwebp's own.
namespace decodertest {

// ImageMagick's convert itself, not whatever else may be called convert on the PATH; empty when
// it is not installed.
inline QString ImageMagick() {
    const QString im6 = QStandardPaths::findExecutable(QStringLiteral("convert-im6.q16"));
    return im6.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("convert")) : im6;
}

// The file's pixels as ImageMagick reads them, as straight ARGB of the given size; a null image
// when ImageMagick fails or gives another number of pixels.
inline QImage DecodeWithImageMagick(const QByteArray& bytes, const QString& format, QSize size) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.") + format);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return {};
    }
    file.close();
    QProcess convert;
    convert.start(ImageMagick(), {format + QStringLiteral(":") + path, QStringLiteral("-depth"),
                                  QStringLiteral("8"), QStringLiteral("rgba:-")});
    if (!convert.waitForFinished(60000) || convert.exitCode() != 0) {
        return {};
    }
    const QByteArray rgba = convert.readAllStandardOutput();
    if (rgba.size() != static_cast<qsizetype>(size.width()) * size.height() * 4) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32);
    const auto* p = reinterpret_cast<const std::uint8_t*>(rgba.constData());
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x, p += 4) {
            row[x] = qRgba(p[0], p[1], p[2], p[3]);
        }
    }
    return image;
}

// A WebP file decoded by libwebp, as straight ARGB; a null image when it is no WebP file.
inline QImage DecodeWebp(const QByteArray& bytes) {
    int width = 0;
    int height = 0;
    const std::unique_ptr<std::uint8_t, decltype(&WebPFree)> argb(
        WebPDecodeBGRA(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()), &width, &height),
        &WebPFree);
    if (!argb) {
        return {};
    }
    return QImage(argb.get(), width, height, width * 4, QImage::Format_ARGB32).copy();
}

// Whether two pictures show the same: the same size, every pixel that is not fully transparent
// the same colour and alpha, and the fully transparent pixels at the same places.
inline bool ShowsTheSame(const QImage& a, const QImage& b, QString* where = nullptr) {
    if (a.size() != b.size()) {
        if (where != nullptr) {
            *where = QStringLiteral("size");
        }
        return false;
    }
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            if (qAlpha(p) == 0 && qAlpha(q) == 0) {
                continue;
            }
            if (p != q) {
                if (where != nullptr) {
                    *where = QStringLiteral("%1,%2: %3 against %4")
                                 .arg(col)
                                 .arg(row)
                                 .arg(p, 8, 16, QLatin1Char('0'))
                                 .arg(q, 8, 16, QLatin1Char('0'));
                }
                return false;
            }
        }
    }
    return true;
}

}  // namespace decodertest
