#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "platform/ScriptedDialogs.h"
#include "project/ProjectFile.h"
#include "settings/DefaultSettings.h"

// Reading and writing a settings file with a long caption list.
namespace {

settings::AppSettings WithCaptions(int rows) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/tmp/");
    s.captions.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        s.captions.SetCell(r, 0, QStringLiteral("Caption number %1").arg(r));
        s.captions.SetCell(r, 1, QStringLiteral("u_caption%1.gif").arg(r));
    }
    return s;
}

void BM_SaveSettings(benchmark::State& state) {
    QTemporaryDir dir;
    const auto s = WithCaptions(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(project::SaveSettings(dir.path() + "/kestro.dat", s));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadSettings(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/kestro.dat";
    project::SaveSettings(path, WithCaptions(static_cast<int>(state.range(0))));
    platform::ScriptedDialogs dialogs;
    for (auto _ : state) {
        settings::AppSettings s;
        settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/tmp/");
        benchmark::DoNotOptimize(project::LoadSettings(path, s, dialogs, "/tmp/"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_SaveSettings)->Arg(7)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSettings)->Arg(7)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
