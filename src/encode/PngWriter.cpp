#include "encode/PngWriter.h"

#include "encode/Deflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace encode {
namespace {

using Bytes = std::vector<std::uint8_t>;

// PNG colour types.
constexpr std::uint8_t kGrey = 0;
constexpr std::uint8_t kRgb = 2;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kGreyAlpha = 4;
constexpr std::uint8_t kRgba = 6;

constexpr int kMaxPaletteSize = 256;
constexpr int kFilterCount = 5;  // None, Sub, Up, Average, Paeth
constexpr int kAdaptiveFilters = kFilterCount;

// The deflate level that ranks the ways of storing the pixels (a fast one: the ranking rarely
// differs from the strongest level's), and the one the chosen way is written at: libdeflate's
// highest, whose near-optimal parsing beats zlib's level 9 on all but the smallest streams.
constexpr int kRankingLevel = 6;
constexpr int kFinalLevel = 12;
// zlib's settings tried beside it: now and then one of them is a few bytes smaller, most often on
// a stream of a few hundred bytes. Small streams try the levels whose lazy matching differs most
// with both matching strategies, larger ones only level 9; run-length and Huffman-only coding are
// tried at every size.
constexpr std::array<int, 4> kSmallStreamLevels = {4, 5, 8, 9};
constexpr std::size_t kSmallStream = 8192;
constexpr int kZlibMemoryLevel = 8;
constexpr int kZlibWindowBits = 15;
// Filtered streams of up to this many bytes (the rows of most button faces) are written by the
// optimal parse alone, in one pass: there it is smaller than every level of zlib and libdeflate,
// and faster than their fixed cost of setting up. Longer streams try it beside them, in more passes.
constexpr std::size_t kShortStream = 2048;
constexpr int kShortStreamPasses = 1;
constexpr int kLongStreamPasses = 3;

// One way of storing the pixels: its header fields, its unfiltered rows and its colour chunks.
struct Layout {
    std::uint8_t colourType = kRgba;
    std::uint8_t bitDepth = 8;
    std::size_t filterStep = 4;  // bytes of one whole pixel, at least 1: how far back the filters look
    std::size_t rowBytes = 0;
    Bytes rows;
    Bytes palette;       // PLTE
    Bytes transparency;  // tRNS
};

// What the pixels hold, found in one pass.
struct Colours {
    bool opaque = true;                 // every alpha is 255
    bool binaryAlpha = true;            // every alpha is 0 or 255
    bool grey = true;                   // every opaque or partly transparent pixel has red = green = blue
    bool fitsPalette = true;            // at most 256 distinct colours (fully transparent ones count as one)
    std::vector<QRgb> table;            // the distinct colours in order of first appearance, while they fit
    std::vector<int> counts;            // how many pixels have each
    std::vector<std::uint8_t> indices;  // each pixel's position in the table, while they fit
    std::array<bool, 256> greyUsed{};   // the grey levels of visible pixels
};

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// One compressor per level and thread: a compressor is not shared between threads, and making one
// for every file would cost more than many small files take to compress.
libdeflate_compressor* Compressor(int level) {
    thread_local std::array<std::unique_ptr<libdeflate_compressor, CompressorDeleter>, 13> compressors;
    auto& c = compressors[static_cast<std::size_t>(level)];
    if (!c) {
        c.reset(libdeflate_alloc_compressor(level));
        if (!c) {
            throw std::bad_alloc();
        }
    }
    return c.get();
}

struct ZlibStream {
    z_stream stream{};
    bool ready = false;
    ~ZlibStream() {
        if (ready) {
            deflateEnd(&stream);
        }
    }
};

// The data compressed by zlib, or an empty result when zlib fails. One stream per thread, reset
// and given its level and strategy for each use.
Bytes ZlibTrial(const Bytes& data, int level, int strategy) {
    thread_local ZlibStream z;
    if (!z.ready) {
        if (deflateInit2(&z.stream, level, Z_DEFLATED, kZlibWindowBits, kZlibMemoryLevel, strategy) != Z_OK) {
            return {};
        }
        z.ready = true;
    } else if (deflateReset(&z.stream) != Z_OK || deflateParams(&z.stream, level, strategy) != Z_OK) {
        return {};
    }
    Bytes out(deflateBound(&z.stream, static_cast<uLong>(data.size())));
    z.stream.next_in = const_cast<Bytef*>(data.data());
    z.stream.avail_in = static_cast<uInt>(data.size());
    z.stream.next_out = out.data();
    z.stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&z.stream, Z_FINISH) != Z_STREAM_END) {
        return {};
    }
    out.resize(z.stream.total_out);
    return out;
}

Bytes ZlibCompress(const Bytes& data, int level) {
    libdeflate_compressor* c = Compressor(level);
    Bytes out(libdeflate_zlib_compress_bound(c, data.size()));
    const std::size_t n = libdeflate_zlib_compress(c, data.data(), data.size(), out.data(), out.size());
    if (n == 0) {
        throw std::runtime_error("The PNG image data could not be compressed");
    }
    out.resize(n);
    return out;
}

// The smallest zlib stream of the data of libdeflate's strongest level and zlib's strategies.
Bytes SmallestCompressed(const Bytes& data) {
    Bytes best = ZlibCompress(data, kFinalLevel);
    const auto keep = [&best](Bytes trial) {
        if (!trial.empty() && trial.size() < best.size()) {
            best = std::move(trial);
        }
    };
    for (const int level : kSmallStreamLevels) {
        if (level == Z_BEST_COMPRESSION || data.size() <= kSmallStream) {
            for (const int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED}) {
                keep(ZlibTrial(data, level, strategy));
            }
        }
    }
    keep(ZlibTrial(data, Z_BEST_COMPRESSION, Z_RLE));
    keep(ZlibTrial(data, Z_BEST_COMPRESSION, Z_HUFFMAN_ONLY));
    keep(DeflateOptimal(data.data(), data.size(), kLongStreamPasses));
    return best;
}

// The pixels as straight ARGB, every fully transparent pixel as transparent black: one colour
// however many colours the transparent pixels carried, since none of them shows.
std::vector<QRgb> Pixels(const QImage& source) {
    const bool alpha = source.hasAlphaChannel();
    const QImage image = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    std::vector<QRgb> pixels(static_cast<std::size_t>(image.width()) *
                             static_cast<std::size_t>(image.height()));
    auto* out = pixels.data();
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = alpha ? in[x] : (in[x] | 0xFF000000u);
            *out++ = qAlpha(c) == 0 ? 0u : c;
        }
    }
    return pixels;
}

Colours Analyse(const std::vector<QRgb>& pixels) {
    Colours c;
    // A small open-addressing table of the colours seen, 4 slots per palette entry.
    constexpr std::size_t kSlots = 1024;
    std::array<QRgb, kSlots> keys{};
    std::array<std::int16_t, kSlots> slotIndex;
    slotIndex.fill(-1);
    c.indices.resize(pixels.size());
    // Raw pointers into storage that never moves (the table holds at most 256 colours): the byte
    // writes of the indices cannot then make the compiler reload the vectors at every pixel.
    c.table.reserve(kMaxPaletteSize);
    c.counts.reserve(kMaxPaletteSize);
    std::uint8_t* indices = c.indices.data();
    int* counts = c.counts.data();
    const QRgb* in = pixels.data();
    const std::size_t n = pixels.size();
    QRgb previous = 0;
    int previousIndex = -1;
    QRgb older = 0;
    int olderIndex = -1;
    // What a colour says of the whole: told once a colour while the colours fit a palette (a pixel
    // of a colour already seen says nothing new), once a pixel after.
    const auto note = [&c](QRgb p) {
        const int a = qAlpha(p);
        if (a != 255) {
            c.opaque = false;
            if (a != 0) {
                c.binaryAlpha = false;
            }
        }
        if (a != 0) {
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) {
                c.grey = false;
            } else {
                c.greyUsed[static_cast<std::size_t>(qRed(p))] = true;
            }
        }
    };
    for (std::size_t i = 0; i < n; ++i) {
        const QRgb p = in[i];
        if (!c.fitsPalette) {
            note(p);
            continue;
        }
        if (p == previous && previousIndex >= 0) {
            indices[i] = static_cast<std::uint8_t>(previousIndex);
            ++counts[previousIndex];
            continue;
        }
        // Captions and edges alternate between two colours: the one before the previous is kept too.
        if (p == older && olderIndex >= 0) {
            std::swap(previous, older);
            std::swap(previousIndex, olderIndex);
            indices[i] = static_cast<std::uint8_t>(previousIndex);
            ++counts[previousIndex];
            continue;
        }
        std::size_t slot = (p * 2654435761u) >> 22;
        while (slotIndex[slot] >= 0 && keys[slot] != p) {
            slot = (slot + 1) % kSlots;
        }
        if (slotIndex[slot] < 0) {
            note(p);
            if (c.table.size() == kMaxPaletteSize) {
                c.fitsPalette = false;
                c.table.clear();
                c.counts.clear();
                c.indices.clear();
                continue;
            }
            keys[slot] = p;
            slotIndex[slot] = static_cast<std::int16_t>(c.table.size());
            c.table.push_back(p);
            c.counts.push_back(0);
            counts = c.counts.data();
        }
        older = previous;
        olderIndex = previousIndex;
        previous = p;
        previousIndex = slotIndex[slot];
        indices[i] = static_cast<std::uint8_t>(previousIndex);
        ++counts[previousIndex];
    }
    return c;
}

std::uint8_t DepthForCount(std::size_t count) {
    return count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
}

// Rows of values below 2^depth, packed most significant bits first; value(i) gives the value of the
// i-th pixel in reading order.
template <class Value>
Bytes PackRows(Value value, std::size_t width, std::size_t height, std::uint8_t depth,
               std::size_t& rowBytes) {
    rowBytes = (width * depth + 7) / 8;
    Bytes rows(rowBytes * height, 0);
    std::uint8_t* out = rows.data();
    std::size_t i = 0;
    for (std::size_t y = 0; y < height; ++y) {
        unsigned packed = 0;
        int bits = 0;
        for (std::size_t x = 0; x < width; ++x, ++i) {
            packed = (packed << depth) | value(i);
            bits += depth;
            if (bits == 8) {
                *out++ = static_cast<std::uint8_t>(packed);
                packed = 0;
                bits = 0;
            }
        }
        if (bits > 0) {
            *out++ = static_cast<std::uint8_t>(packed << (8 - bits));
        }
    }
    return rows;
}

// A palette whose partly transparent entries come first (the tRNS chunk then ends with the last of
// them) and, within each group, the most used entries first: small indices for the common colours.
Layout PaletteLayout(const Colours& c, std::size_t width, std::size_t height) {
    std::vector<int> order(c.table.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_sort(order.begin(), order.end(), [&c](int a, int b) {
        const bool aSeeThrough = qAlpha(c.table[static_cast<std::size_t>(a)]) != 255;
        const bool bSeeThrough = qAlpha(c.table[static_cast<std::size_t>(b)]) != 255;
        if (aSeeThrough != bSeeThrough) {
            return aSeeThrough;
        }
        return c.counts[static_cast<std::size_t>(a)] > c.counts[static_cast<std::size_t>(b)];
    });
    std::array<std::uint8_t, kMaxPaletteSize> position{};
    Layout l;
    l.colourType = kPalette;
    l.bitDepth = DepthForCount(c.table.size());
    l.filterStep = 1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const QRgb colour = c.table[static_cast<std::size_t>(order[i])];
        position[static_cast<std::size_t>(order[i])] = static_cast<std::uint8_t>(i);
        l.palette.push_back(static_cast<std::uint8_t>(qRed(colour)));
        l.palette.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        l.palette.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        if (qAlpha(colour) != 255) {
            l.transparency.push_back(static_cast<std::uint8_t>(qAlpha(colour)));
        }
    }
    const std::uint8_t* indices = c.indices.data();
    l.rows = PackRows([indices, &position](std::size_t i) -> unsigned { return position[indices[i]]; }, width,
                      height, l.bitDepth, l.rowBytes);
    return l;
}

void Append16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

// Grey levels at the smallest depth that holds every level used exactly; with `keyed`, the
// transparent pixels take a level of that depth that no visible pixel has, named in tRNS. False when
// a keyed layout finds no free level.
bool GreyLayout(const std::vector<QRgb>& pixels, const Colours& c, std::size_t width, std::size_t height,
                bool keyed, Layout& l) {
    for (const std::uint8_t depth : {1, 2, 4, 8}) {
        const int top = (1 << depth) - 1;
        const int step = 255 / top;
        bool exact = true;
        for (int v = 0; v < 256 && exact; ++v) {
            exact = !c.greyUsed[static_cast<std::size_t>(v)] || v % step == 0;
        }
        if (!exact) {
            continue;
        }
        int key = -1;
        if (keyed) {
            for (int v = 0; v <= top && key < 0; ++v) {
                key = c.greyUsed[static_cast<std::size_t>(v * step)] ? -1 : v;
            }
            if (key < 0) {
                if (depth == 8) {
                    return false;
                }
                continue;
            }
        }
        std::array<std::uint8_t, 256> level{};
        for (int v = 0; v < 256; ++v) {
            level[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v / step);
        }
        const QRgb* in = pixels.data();
        const auto keyValue = static_cast<unsigned>(key);
        l.colourType = kGrey;
        l.bitDepth = depth;
        l.filterStep = 1;
        l.rows = key >= 0 ? PackRows(
                                [in, keyValue, &level](std::size_t i) -> unsigned {
                                    return qAlpha(in[i]) == 0 ? keyValue : level[qRed(in[i])];
                                },
                                width, height, depth, l.rowBytes)
                          : PackRows([in, &level](std::size_t i) -> unsigned { return level[qRed(in[i])]; },
                                     width, height, depth, l.rowBytes);
        if (key >= 0) {
            Append16(l.transparency, static_cast<unsigned>(key));
        }
        return true;
    }
    return false;
}

Layout GreyAlphaLayout(const std::vector<QRgb>& pixels, std::size_t width) {
    Layout l;
    l.colourType = kGreyAlpha;
    l.filterStep = 2;
    l.rowBytes = width * 2;
    l.rows.reserve(pixels.size() * 2);
    for (const QRgb p : pixels) {
        l.rows.push_back(static_cast<std::uint8_t>(qRed(p)));
        l.rows.push_back(static_cast<std::uint8_t>(qAlpha(p)));
    }
    return l;
}

// The smallest RGB value that no visible pixel has, or -1 when every one is taken.
long FreeColour(const std::vector<QRgb>& pixels) {
    std::vector<QRgb> used;
    used.reserve(pixels.size());
    for (const QRgb p : pixels) {
        if (qAlpha(p) != 0) {
            used.push_back(p & 0xFFFFFFu);
        }
    }
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    QRgb candidate = 0;
    for (const QRgb u : used) {
        if (u != candidate) {
            break;
        }
        ++candidate;
    }
    return candidate > 0xFFFFFFu ? -1 : static_cast<long>(candidate);
}

// RGB, with `key` (when not -1) the colour of the transparent pixels named in tRNS; RGBA when
// `withAlpha`.
Layout TrueColourLayout(const std::vector<QRgb>& pixels, std::size_t width, bool withAlpha, long key) {
    Layout l;
    l.colourType = withAlpha ? kRgba : kRgb;
    l.filterStep = withAlpha ? 4 : 3;
    l.rowBytes = width * l.filterStep;
    l.rows.reserve(pixels.size() * l.filterStep);
    const auto keyColour = static_cast<QRgb>(key < 0 ? 0 : key);
    for (const QRgb pixel : pixels) {
        const QRgb p = !withAlpha && key >= 0 && qAlpha(pixel) == 0 ? keyColour : pixel;
        l.rows.push_back(static_cast<std::uint8_t>(qRed(p)));
        l.rows.push_back(static_cast<std::uint8_t>(qGreen(p)));
        l.rows.push_back(static_cast<std::uint8_t>(qBlue(p)));
        if (withAlpha) {
            l.rows.push_back(static_cast<std::uint8_t>(qAlpha(p)));
        }
    }
    if (key >= 0) {
        Append16(l.transparency, qRed(keyColour));
        Append16(l.transparency, qGreen(keyColour));
        Append16(l.transparency, qBlue(keyColour));
    }
    return l;
}

// The ways of storing these pixels exactly that may be the smallest.
std::vector<Layout> Layouts(const std::vector<QRgb>& pixels, const Colours& c, std::size_t width,
                            std::size_t height) {
    std::vector<Layout> layouts;
    if (c.grey) {
        Layout grey;
        if ((c.opaque && GreyLayout(pixels, c, width, height, false, grey)) ||
            (c.binaryAlpha && GreyLayout(pixels, c, width, height, true, grey))) {
            // Grey levels at no more bits than palette indices need no palette.
            const bool paletteToo = c.fitsPalette && DepthForCount(c.table.size()) < grey.bitDepth;
            layouts.push_back(std::move(grey));
            if (paletteToo) {
                layouts.push_back(PaletteLayout(c, width, height));
            }
            return layouts;
        }
        if (!c.fitsPalette) {
            layouts.push_back(GreyAlphaLayout(pixels, width));
            return layouts;
        }
    }
    if (c.fitsPalette) {
        layouts.push_back(PaletteLayout(c, width, height));
    }
    // Many colours in one palette can still compress worse than the colours themselves.
    if (!c.fitsPalette || c.table.size() > 16) {
        const long key = c.opaque || !c.binaryAlpha ? -1 : FreeColour(pixels);
        const bool alpha = !c.opaque && key < 0;
        layouts.push_back(TrueColourLayout(pixels, width, alpha, key));
    }
    return layouts;
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One row filtered with `type`; `above` is the unfiltered row before it, or null for the first row.
void FilterRow(int type, const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step,
               std::uint8_t* out) {
    // The first row has a row of zeros above it; each filter in a loop of its own.
    thread_local Bytes zeros;
    if (above == nullptr) {
        if (zeros.size() < n) {
            zeros.assign(n, 0);
        }
        above = zeros.data();
    }
    const std::size_t lead = std::min(step, n);  // the bytes with no pixel to their left
    switch (type) {
        case 1:
            std::copy(row, row + lead, out);
            for (std::size_t i = lead; i < n; ++i) {
                out[i] = static_cast<std::uint8_t>(row[i] - row[i - step]);
            }
            break;
        case 2:
            for (std::size_t i = 0; i < n; ++i) {
                out[i] = static_cast<std::uint8_t>(row[i] - above[i]);
            }
            break;
        case 3:
            for (std::size_t i = 0; i < lead; ++i) {
                out[i] = static_cast<std::uint8_t>(row[i] - above[i] / 2);
            }
            for (std::size_t i = lead; i < n; ++i) {
                out[i] = static_cast<std::uint8_t>(row[i] - (row[i - step] + above[i]) / 2);
            }
            break;
        case 4:
            for (std::size_t i = 0; i < lead; ++i) {
                out[i] = static_cast<std::uint8_t>(row[i] - Paeth(0, above[i], 0));
            }
            for (std::size_t i = lead; i < n; ++i) {
                out[i] = static_cast<std::uint8_t>(row[i] - Paeth(row[i - step], above[i], above[i - step]));
            }
            break;
        default:
            std::copy(row, row + n, out);
            break;
    }
}

// The filtered stream, each row led by its filter type: every row with `strategy` (0 to 4), or,
// with kAdaptiveFilters, each row with the filter whose bytes, read as signed, sum to the least.
Bytes Filtered(const Layout& l, std::size_t height, int strategy) {
    const std::size_t n = l.rowBytes;
    Bytes out((n + 1) * height);
    std::array<Bytes, kFilterCount> trial;
    for (auto& t : trial) {
        t.resize(n);
    }
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* row = l.rows.data() + y * n;
        const std::uint8_t* above = y == 0 ? nullptr : row - n;
        std::uint8_t* to = out.data() + y * (n + 1);
        if (strategy != kAdaptiveFilters) {
            to[0] = static_cast<std::uint8_t>(strategy);
            FilterRow(strategy, row, above, n, l.filterStep, to + 1);
            continue;
        }
        int best = 0;
        std::uint64_t bestSum = UINT64_MAX;
        for (int f = 0; f < kFilterCount; ++f) {
            FilterRow(f, row, above, n, l.filterStep, trial[static_cast<std::size_t>(f)].data());
            std::uint64_t sum = 0;
            for (const std::uint8_t v : trial[static_cast<std::size_t>(f)]) {
                sum += v < 128 ? v : 256u - v;
            }
            if (sum < bestSum) {
                bestSum = sum;
                best = f;
            }
        }
        to[0] = static_cast<std::uint8_t>(best);
        std::copy(trial[static_cast<std::size_t>(best)].begin(), trial[static_cast<std::size_t>(best)].end(),
                  to + 1);
    }
    return out;
}

void Append32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
}

void AppendChunk(Bytes& out, const char* type, const Bytes& data) {
    Append32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Append32(out, libdeflate_crc32(0, out.data() + start, out.size() - start));
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
    if (image.isNull()) {
        throw std::runtime_error("An empty image cannot be written as a PNG file");
    }
    const auto width = static_cast<std::size_t>(image.width());
    const auto height = static_cast<std::size_t>(image.height());
    const std::vector<QRgb> pixels = Pixels(image);
    const Colours colours = Analyse(pixels);
    const std::vector<Layout> layouts = Layouts(pixels, colours, width, height);

    // Every layout with its row filter strategies: values of 4 and 8 bits (palette indices and grey
    // levels) unfiltered and with filters chosen row by row, 8-bit colour and grey levels with each
    // fixed filter too. A short filtered stream is written by the optimal parse at once and the
    // smallest file wins; longer ones are ranked at a fast level, and the winner is written at the
    // strongest of every deflate.
    const Layout* bestLayout = nullptr;
    Bytes bestFiltered;
    Bytes bestCompressed;
    std::size_t bestSize = SIZE_MAX;
    for (const Layout& l : layouts) {
        // Values of one or two bits are left unfiltered: a byte holds four or eight pixels, which
        // the filters, working byte by byte, hardly predict, while deflate finds the repeated rows as
        // well (unfiltered rows were the smaller on every such face of the default and bevelled
        // buttons measured).
        const bool fixedFilters = l.colourType != kPalette && l.bitDepth == 8;
        const std::vector<int> strategies = fixedFilters     ? std::vector<int>{0, kAdaptiveFilters, 1, 2, 4}
                                            : l.bitDepth > 2 ? std::vector<int>{0, kAdaptiveFilters}
                                                             : std::vector<int>{0};
        for (const int strategy : strategies) {
            Bytes filtered = Filtered(l, height, strategy);
            Bytes compressed;
            if (filtered.size() <= kShortStream) {
                compressed = DeflateOptimal(filtered.data(), filtered.size(), kShortStreamPasses);
            }
            const std::size_t size =
                (compressed.empty() ? ZlibCompress(filtered, kRankingLevel).size() : compressed.size()) +
                l.palette.size() + l.transparency.size();
            if (size < bestSize) {
                bestSize = size;
                bestLayout = &l;
                bestFiltered = std::move(filtered);
                bestCompressed = std::move(compressed);
            }
        }
    }
    if (bestCompressed.empty()) {
        bestCompressed = SmallestCompressed(bestFiltered);
    }

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    Append32(header, static_cast<std::uint32_t>(width));
    Append32(header, static_cast<std::uint32_t>(height));
    header.push_back(bestLayout->bitDepth);
    header.push_back(bestLayout->colourType);
    header.push_back(0);  // deflate
    header.push_back(0);  // the five row filters
    header.push_back(0);  // not interlaced
    AppendChunk(out, "IHDR", header);
    if (!bestLayout->palette.empty()) {
        AppendChunk(out, "PLTE", bestLayout->palette);
    }
    if (!bestLayout->transparency.empty()) {
        AppendChunk(out, "tRNS", bestLayout->transparency);
    }
    AppendChunk(out, "IDAT", bestCompressed);
    AppendChunk(out, "IEND", {});
    return QByteArray(reinterpret_cast<const char*>(out.data()), static_cast<qsizetype>(out.size()));
}

}  // namespace encode
