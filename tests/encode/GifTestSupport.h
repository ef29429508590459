#pragma once

#include <gif_lib.h>

#include <QByteArray>
#include <QImage>
#include <cstring>
#include <vector>

// Reads GIF bytes back with giflib, an independent decoder.
namespace giftest {

struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<GifColorType> colours;  // the frame's (or the global) colour table
};

struct Reader {
    const QByteArray* bytes;
    qsizetype pos = 0;
};

inline int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* r = static_cast<Reader*>(gif->UserData);
    const auto n = static_cast<int>(std::min<qsizetype>(length, r->bytes->size() - r->pos));
    std::memcpy(buffer, r->bytes->constData() + r->pos, static_cast<std::size_t>(n));
    r->pos += n;
    return n;
}

inline Decoded DecodeWithGiflib(const QByteArray& bytes) {
    Decoded d;
    Reader reader{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (gif == nullptr) {
        return d;
    }
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
        const SavedImage& image = gif->SavedImages[0];
        d.width = image.ImageDesc.Width;
        d.height = image.ImageDesc.Height;
        d.indices.assign(image.RasterBits, image.RasterBits + static_cast<std::size_t>(d.width) * d.height);
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        if (map != nullptr) {
            d.colours.assign(map->Colors, map->Colors + map->ColorCount);
        }
        d.ok = true;
    }
    DGifCloseFile(gif, &error);
    return d;
}

}  // namespace giftest
