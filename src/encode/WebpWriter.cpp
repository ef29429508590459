#include "encode/WebpWriter.h"

#include <webp/decode.h>
#include <webp/encode.h>

#include <algorithm>
#include <stdexcept>

namespace encode {
namespace {

// libwebp's strongest lossless preset: the effort of `cwebp -z 9`.
constexpr int kLosslessPreset = 9;

// Frees what libwebp allocated on every path.
struct PictureGuard {
    WebPPicture& picture;
    WebPMemoryWriter& writer;
    ~PictureGuard() {
        WebPPictureFree(&picture);
        WebPMemoryWriterClear(&writer);
    }
};

}  // namespace

QByteArray EncodeWebp(const QImage& source) {
    if (source.isNull()) {
        throw std::runtime_error("An empty image cannot be written as a WebP file");
    }
    const QImage image =
        source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    WebPConfig config;
    WebPPicture picture;
    WebPMemoryWriter writer;
    if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, kLosslessPreset) ||
        !WebPPictureInit(&picture)) {
        throw std::runtime_error("The WebP encoder could not be set up");
    }
    WebPMemoryWriterInit(&writer);
    const PictureGuard guard{picture, writer};
    config.exact = 0;  // the colour under fully transparent pixels is free
    picture.use_argb = 1;
    picture.width = image.width();
    picture.height = image.height();
    if (!WebPPictureAlloc(&picture)) {
        throw std::runtime_error("Out of memory for the WebP image");
    }
    // Qt's 32-bit formats hold each pixel as one 0xAARRGGBB word, as libwebp's ARGB picture does.
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::copy(in, in + image.width(),
                  picture.argb + static_cast<std::ptrdiff_t>(y) * picture.argb_stride);
    }
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &writer;
    if (!WebPEncode(&config, &picture)) {
        throw std::runtime_error(QStringLiteral("The WebP image could not be encoded (error %1)")
                                     .arg(picture.error_code)
                                     .toStdString());
    }
    return QByteArray(reinterpret_cast<const char*>(writer.mem), static_cast<qsizetype>(writer.size));
}

QSize WebpPictureSize(const QByteArray& start) {
    int width = 0;
    int height = 0;
    if (!WebPGetInfo(reinterpret_cast<const std::uint8_t*>(start.constData()),
                     static_cast<std::size_t>(start.size()), &width, &height)) {
        return {};
    }
    return {width, height};
}

}  // namespace encode
