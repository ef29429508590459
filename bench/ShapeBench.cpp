#include <benchmark/benchmark.h>

#include <QApplication>

#include "render/LumoButton.h"

// Rebuilding a button's shape: outline, insets, bevel bands and regions.
namespace {

void BM_RebuildShape(benchmark::State& state) {
    render::TLumoButton button;
    const bool large = state.range(0) != 0;
    button.SetButtonKind(large ? face::bkElliptic : face::bkRect);
    button.SetButtonDepth(2);
    button.SetButtonWidth(large ? 2000 : 100);
    button.SetButtonHeight(large ? 2000 : 30);
    for (auto _ : state) {
        button.RebuildShape();
    }
}

// Rebuilding the face. Argument 0: a default 100 × 30 caption button; 1: a 2000 × 2000 dk3dBorder
// button with depth 16. Argument 2 of the second number: 1 with the caption, 0 without, so the share
// spent in text is the difference.
void BM_RebuildFace(benchmark::State& state) {
    render::TLumoButton button;
    const bool large = state.range(0) != 0;
    button.SetButtonWidth(large ? 2000 : 100);
    button.SetButtonHeight(large ? 2000 : 30);
    if (large) {
        button.SetButton3DKind(face::dk3dBorder);
        button.SetButtonDepth(16);
    }
    QFont f("DejaVu Sans");
    f.setPixelSize(12);
    button.setFont(f);
    button.SetCaption(state.range(1) != 0 ? QStringLiteral("Products") : QString());
    button.MouseInside = true;
    for (auto _ : state) {
        button.RebuildFace();
    }
}

}  // namespace

// Argument 0: a 100 × 30 rectangle; 1: a 2000 × 2000 ellipse.
BENCHMARK(BM_RebuildShape)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildFace)
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
