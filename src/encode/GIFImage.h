#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "encode/ColorMap.h"

// The in-memory GIF image: a header with the logical screen and a list of frames, each with its
// own colour table and one colour index per pixel. A bitmap assigned to it becomes one frame; saving
// writes a GIF87a (or GIF89a) stream with LZW-compressed image data.
namespace encode {

// How a true-colour bitmap is reduced; the program always uses the web palette, by the nearest colour
// unless error diffusion is chosen.
enum class TColorReduction { rmNone = 0, rmWebPalette = 6 };
enum class TDitherMode { dmNearest = 0, dmFloydSteinberg = 1 };
enum class TGIFEncoderKind { geLZW = 0, geRLE = 1 };

struct TGIFHeader {
    std::uint16_t width = 0;  // logical screen
    std::uint16_t height = 0;
    std::uint8_t packedFields = 0;
    std::uint8_t backgroundIndex = 0;
    std::uint8_t aspectRatio = 0;
    TGIFGlobalColorMap colorMap;
};

class TGIFImage;

// One frame: image descriptor, local colour table and pixel buffer.
class TGIFSubImage {
  public:
    static constexpr std::uint8_t kSeparator = 0x2C;

    explicit TGIFSubImage(TGIFImage& image) : image_(image) {}

    std::uint16_t Left() const { return left_; }
    std::uint16_t Top() const { return top_; }
    std::uint16_t Width() const { return width_; }
    std::uint16_t Height() const { return height_; }
    bool Empty() const { return pixels_.empty() || width_ == 0 || height_ == 0; }

    const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
    // Extension blocks; the program never adds any, but any one makes the file GIF89a.
    const std::vector<QByteArray>& Extensions() const { return extensions_; }

    // Clears the frame and converts a bitmap into it: indexed bitmaps (1 or 8 bits per pixel) are
    // taken over with their palette; every other format is reduced to the web palette as the image's
    // dither mode says.
    void AssignBitmap(const QImage& bitmap);

    // The packed fields of the image descriptor, as written.
    std::uint8_t PackedFields() const;
    // "89a" for a sorted colour table or any extension, otherwise "87a".
    QByteArray RequiredVersion() const;

    void WriteTo(QByteArray& out) const;

  private:
    void Clear();
    void SetSize(int width, int height);

    TGIFImage& image_;
    std::uint16_t left_ = 0;
    std::uint16_t top_ = 0;
    std::uint16_t width_ = 0;
    std::uint16_t height_ = 0;
    std::uint8_t packedFields_ = 0;
    TGIFLocalColorMap colorMap_;
    std::vector<QByteArray> extensions_;
    std::vector<std::uint8_t> pixels_;
};

class TGIFImage {
  public:
    static constexpr std::uint8_t kTrailer = 0x3B;

    TGIFImage() = default;
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    // The conversion settings, fixed for this program but for the dither mode.
    TColorReduction ColorReduction() const { return TColorReduction::rmWebPalette; }
    TDitherMode DitherMode() const { return ditherMode_; }
    int ReductionBits() const { return 8; }
    TGIFEncoderKind Encoder() const { return TGIFEncoderKind::geLZW; }

    const TGIFHeader& Header() const { return header_; }
    const std::vector<std::unique_ptr<TGIFSubImage>>& Images() const { return images_; }

    // How later Assign calls reduce true-colour bitmaps: by the nearest colour (the default) or by
    // error diffusion, which leaves pixels of `keptColour` (the page colour around a shaped button)
    // as the nearest colour maps them; see DitherToWebPalette.
    void SetDitherMode(TDitherMode mode, std::optional<QRgb> keptColour = std::nullopt) {
        ditherMode_ = mode;
        keptColour_ = keptColour;
    }

    // Replaces the whole image by one frame converted from the bitmap. A conversion failure leaves
    // the image cleared and raises GIFException.
    void Assign(const QImage& bitmap);
    void Clear();

    // The whole GIF stream. An image without frames raises "Unsupported GIF version"; a pixel outside
    // its colour table raises "Color not in color table".
    QByteArray SaveToBytes() const;
    // Writes the stream to a file. The file is replaced only once the whole stream exists and has
    // been written; on any failure an existing file is left as it was.
    void SaveToFile(const QString& path) const;

    // Largest bits per pixel and colour resolution among the global and all local tables.
    int LargestBitsPerPixel() const;
    int LargestResolution() const;

  private:
    friend class TGIFSubImage;
    void GrowScreen(int right, int bottom);
    std::uint8_t ScreenPackedFields() const;

    TGIFHeader header_;
    std::vector<std::unique_ptr<TGIFSubImage>> images_;
    TDitherMode ditherMode_ = TDitherMode::dmNearest;
    std::optional<QRgb> keptColour_;
};

}  // namespace encode
