#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "output/CaptionNaming.h"
#include "settings/DefaultSettings.h"

// Recalculating the file names of a long caption list.
namespace {

settings::AppSettings WithCaptions(int rows, bool allEqual) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/tmp/");
    s.captions.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        s.captions.SetCell(r, 0,
                           allEqual ? QStringLiteral("Support") : QStringLiteral("Caption number %1").arg(r));
    }
    return s;
}

void BM_RecalculateDistinct(benchmark::State& state) {
    auto s = WithCaptions(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        output::RecalculateFilenames(s);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Every caption equal: row k takes the number after row k - 1's, so 10,000 copies of one caption
// should take about as long as 10,000 different captions.
void BM_RecalculateAllEqual(benchmark::State& state) {
    auto s = WithCaptions(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        output::RecalculateFilenames(s);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One clash test by scanning the whole list, as a single lookup outside a recalculation does.
void BM_FilenameIsUniqueScan(benchmark::State& state) {
    auto s = WithCaptions(static_cast<int>(state.range(0)), false);
    output::RecalculateFilenames(s);
    for (auto _ : state) {
        benchmark::DoNotOptimize(output::FilenameIsUnique(s.captions, QStringLiteral("not there.gif"), true));
    }
}

}  // namespace

BENCHMARK(BM_RecalculateDistinct)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalculateAllEqual)->Arg(1000)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilenameIsUniqueScan)->Arg(10000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
