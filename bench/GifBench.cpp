#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <cstring>

#include "encode/GIFImage.h"
#include "encode/LZWEncoder.h"
#include "encode/WebPalette.h"

// GIF encoding of large images, ours against giflib's encoder on the same indexed pixels, and the
// reduction of true-colour pixels to the web palette.
namespace {

constexpr int kSide = 2000;

QImage ButtonLike() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    QPainter p(&image);
    QFont font("DejaVu Sans");
    font.setPixelSize(14);
    p.setFont(font);
    for (int y = 0; y < kSide; y += 40) {
        for (int x = 0; x < kSide; x += 125) {
            p.fillRect(x + 2, y + 2, 120, 34, QColor(0, 51, 153));
            p.setPen(QColor(255, 255, 255));
            p.drawText(QRect(x + 2, y + 2, 120, 34), Qt::AlignCenter, "Products");
            p.setPen(QColor(102, 153, 255));
            p.drawRect(x + 2, y + 2, 119, 33);
        }
    }
    return image;
}

QImage Noise() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    QRandomGenerator rng(99);
    for (int y = 0; y < kSide; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kSide; ++x) {
            row[x] = 0xFF000000u | rng.bounded(0x1000000u);
        }
    }
    return image;
}

const QImage& Source(int which) {
    static const QImage button = ButtonLike();
    static const QImage noise = Noise();
    return which == 0 ? button : noise;
}

const std::vector<std::uint8_t>& Indices(int which) {
    static const std::vector<std::uint8_t> button = encode::ReduceToWebPalette(Source(0));
    static const std::vector<std::uint8_t> noise = encode::ReduceToWebPalette(Source(1));
    return which == 0 ? button : noise;
}

int AppendToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

QByteArray GiflibEncode(const std::vector<std::uint8_t>& indices) {
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToBuffer, &error);
    std::vector<GifColorType> colours(256);
    const auto palette = encode::WebPalette();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifPutScreenDesc(gif, kSide, kSide, 8, 0, nullptr);
    EGifPutImageDesc(gif, 0, 0, kSide, kSide, false, map);
    std::vector<GifPixelType> row(kSide);
    for (int y = 0; y < kSide; ++y) {
        std::memcpy(row.data(), indices.data() + static_cast<std::size_t>(y) * kSide, kSide);
        EGifPutLine(gif, row.data(), kSide);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

void BM_OurLzw(benchmark::State& state) {
    const auto& indices = Indices(static_cast<int>(state.range(0)));
    qsizetype size = 0;
    for (auto _ : state) {
        QByteArray out;
        out.reserve(static_cast<qsizetype>(indices.size()));
        encode::LZWCompress(out, 8, kSide, kSide, indices.data(), 256);
        size = out.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * indices.size()));
    state.counters["file_bytes"] = static_cast<double>(size + 13 + 10 + 768 + 1);
}

void BM_GiflibLzw(benchmark::State& state) {
    const auto& indices = Indices(static_cast<int>(state.range(0)));
    qsizetype size = 0;
    for (auto _ : state) {
        size = GiflibEncode(indices).size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * indices.size()));
    state.counters["file_bytes"] = static_cast<double>(size);
}

void BM_WholeGifFile(benchmark::State& state) {
    const QImage& image = Source(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        encode::TGIFImage g;
        g.Assign(image);
        benchmark::DoNotOptimize(g.SaveToBytes());
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void BM_WebPaletteReduction(benchmark::State& state) {
    const QImage& image = Source(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(encode::ReduceToWebPalette(image));
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

}  // namespace

// Argument 0: button-like content; 1: noise.
BENCHMARK(BM_OurLzw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiflibLzw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeGifFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WebPaletteReduction)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
