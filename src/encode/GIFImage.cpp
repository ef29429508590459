#include "encode/GIFImage.h"

#include <algorithm>
#include "platform/FileWriting.h"

#include "encode/GIFException.h"
#include "encode/LZWEncoder.h"
#include "encode/WebPalette.h"

namespace encode {
namespace {

void AppendWord(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

bool IsIndexed(QImage::Format f) {
    return f == QImage::Format_Indexed8 || f == QImage::Format_Mono || f == QImage::Format_MonoLSB;
}

}  // namespace

void TGIFSubImage::Clear() {
    extensions_.clear();
    colorMap_.Clear();
    pixels_.clear();
    left_ = top_ = width_ = height_ = 0;
    packedFields_ = 0;
}

void TGIFSubImage::SetSize(int width, int height) {
    width_ = static_cast<std::uint16_t>(width);
    height_ = static_cast<std::uint16_t>(height);
    image_.GrowScreen(left_ + width_, top_ + height_);
    pixels_.clear();
    if (width_ > 0 && height_ > 0) {
        try {
            pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
        } catch (const std::bad_alloc&) {
            throw GIFException(kAllocationFailed);
        }
    }
}

void TGIFSubImage::AssignBitmap(const QImage& bitmap) {
    Clear();
    if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0) {
        return;
    }
    if (bitmap.width() > 0xFFFF || bitmap.height() > 0xFFFF) {
        throw GIFException(kInvalidDimensions);
    }
    SetSize(bitmap.width(), bitmap.height());
    if (IsIndexed(bitmap.format())) {
        const QList<QRgb> palette = bitmap.colorTable();
        for (qsizetype i = 0; i < std::min<qsizetype>(palette.size(), TGIFColorMap::kMaxColors); ++i) {
            colorMap_.Add({static_cast<std::uint8_t>(qRed(palette[i])),
                           static_cast<std::uint8_t>(qGreen(palette[i])),
                           static_cast<std::uint8_t>(qBlue(palette[i]))});
        }
        for (int y = 0; y < height_; ++y) {
            std::uint8_t* out = pixels_.data() + static_cast<std::size_t>(y) * width_;
            if (bitmap.format() == QImage::Format_Indexed8) {
                std::copy_n(bitmap.constScanLine(y), width_, out);
            } else {
                for (int x = 0; x < width_; ++x) {
                    out[x] = static_cast<std::uint8_t>(bitmap.pixelIndex(x, y));
                }
            }
        }
        return;
    }
    pixels_ = image_.DitherMode() == TDitherMode::dmFloydSteinberg
                  ? DitherToWebPalette(bitmap, image_.keptColour_)
                  : ReduceToWebPalette(bitmap);
    for (const RGBTriple& c : WebPalette()) {
        colorMap_.Add(c);
    }
    while (colorMap_.Count() < TGIFColorMap::kMaxColors) {
        colorMap_.Add({0, 0, 0});
    }
}

std::uint8_t TGIFSubImage::PackedFields() const {
    if (colorMap_.Count() == 0) {
        return packedFields_ & 0x58;
    }
    std::uint8_t packed = 0x80;
    if (colorMap_.Sorted()) {
        packed |= 0x20;
    }
    packed |= static_cast<std::uint8_t>((colorMap_.BitsPerPixel() - 1) & 7);
    return packed;
}

QByteArray TGIFSubImage::RequiredVersion() const {
    return colorMap_.Sorted() || !extensions_.empty() ? QByteArrayLiteral("89a") : QByteArrayLiteral("87a");
}

void TGIFSubImage::WriteTo(QByteArray& out) const {
    for (const QByteArray& e : extensions_) {
        out.append(e);
    }
    if (Empty()) {
        return;
    }
    const std::uint8_t packed = PackedFields();
    out.append(static_cast<char>(kSeparator));
    AppendWord(out, left_);
    AppendWord(out, top_);
    AppendWord(out, width_);
    AppendWord(out, height_);
    out.append(static_cast<char>(packed));
    colorMap_.WriteTo(out);

    int bits = colorMap_.BitsPerPixel();
    int colours = colorMap_.Count();
    if (colours == 0) {
        bits = image_.LargestBitsPerPixel();
        colours = 1 << bits;
    }
    // The interlace bit of the packed fields is never set: rows are written in plain order.
    LZWCompress(out, bits, width_, height_, pixels_.data(), colours);
}

void TGIFImage::Clear() {
    images_.clear();
    header_.colorMap.Clear();
    header_.width = 0;
    header_.height = 0;
    header_.packedFields = ScreenPackedFields();
}

void TGIFImage::Assign(const QImage& bitmap) {
    Clear();
    auto frame = std::make_unique<TGIFSubImage>(*this);
    try {
        frame->AssignBitmap(bitmap);
    } catch (...) {
        Clear();
        throw;
    }
    images_.push_back(std::move(frame));
    header_.packedFields = ScreenPackedFields();
}

void TGIFImage::GrowScreen(int right, int bottom) {
    header_.width = static_cast<std::uint16_t>(std::max<int>(header_.width, right));
    header_.height = static_cast<std::uint16_t>(std::max<int>(header_.height, bottom));
}

int TGIFImage::LargestBitsPerPixel() const {
    int bits = header_.colorMap.BitsPerPixel();
    for (const auto& f : images_) {
        bits = std::max(bits, f->ColorMap().BitsPerPixel());
    }
    return bits;
}

int TGIFImage::LargestResolution() const {
    int resolution = header_.colorMap.Resolution();
    for (const auto& f : images_) {
        resolution = std::max(resolution, f->ColorMap().Resolution());
    }
    return resolution;
}

std::uint8_t TGIFImage::ScreenPackedFields() const {
    std::uint8_t packed = 0;
    if (header_.colorMap.Count() > 0) {
        packed |= 0x80;
    }
    if (header_.colorMap.Sorted()) {
        packed |= 0x08;
    }
    packed |= static_cast<std::uint8_t>((LargestResolution() & 7) << 4);
    packed |= static_cast<std::uint8_t>((LargestBitsPerPixel() - 1) & 7);
    return packed;
}

QByteArray TGIFImage::SaveToBytes() const {
    if (images_.empty()) {
        throw GIFException(kUnsupportedVersion);
    }
    QByteArray version = QByteArrayLiteral("87a");
    for (const auto& f : images_) {
        if (f->RequiredVersion() == "89a") {
            version = QByteArrayLiteral("89a");
            break;
        }
    }
    QByteArray out;
    out.reserve(13 + 10 + 768 + static_cast<qsizetype>(header_.width) * header_.height);
    out.append("GIF");
    out.append(version);
    AppendWord(out, header_.width);
    AppendWord(out, header_.height);
    out.append(static_cast<char>(ScreenPackedFields()));
    out.append(static_cast<char>(header_.backgroundIndex));
    out.append(static_cast<char>(header_.aspectRatio));
    if (header_.colorMap.Count() > 0) {
        header_.colorMap.WriteTo(out);
    }
    for (const auto& f : images_) {
        f->WriteTo(out);
    }
    out.append(static_cast<char>(kTrailer));
    return out;
}

void TGIFImage::SaveToFile(const QString& path) const {
    const QByteArray bytes = SaveToBytes();
    QString reason;
    if (!platform::ReplaceFile(path, bytes, &reason)) {
        throw std::runtime_error(platform::CannotWriteText(path, reason).toStdString());
    }
}

}  // namespace encode
