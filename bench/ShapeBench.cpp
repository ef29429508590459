#include <benchmark/benchmark.h>

#include <QApplication>

#include "render/LumoButton.h"

// Rebuilding a button's shape: outline, insets, bevel bands and regions.
namespace {

void BM_RebuildShape(benchmark::State& state) {
    render::TLumoButton button;
    const bool large = state.range(0) != 0;
    button.SetButtonKind(large ? render::bkElliptic : render::bkRect);
    button.SetButtonDepth(2);
    button.SetButtonWidth(large ? 2000 : 100);
    button.SetButtonHeight(large ? 2000 : 30);
    for (auto _ : state) {
        button.RebuildShape();
    }
}

}  // namespace

// Argument 0: a 100 × 30 rectangle; 1: a 2000 × 2000 ellipse.
BENCHMARK(BM_RebuildShape)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
