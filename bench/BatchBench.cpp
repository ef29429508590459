#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "app/Form1.h"
#include "compose/ButtonComposer.h"
#include "encode/GIFImage.h"
#include "encode/LZWEncoder.h"
#include "encode/WebPalette.h"
#include "output/ButtonBatch.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

// A whole batch of 1,000 captions with default settings (2,000 GIF files), and its parts: rendering
// a button, reducing its face to the web palette, encoding it, writing the file. Also one preview
// refresh.
namespace {

constexpr int kCaptions = 1000;

struct Fixture {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    app::TForm1 form{dialogs, shell, dir.path()};

    Fixture() {
        form.show();
        form.Timer1->stop();
        auto& s = form.Settings();
        s.overwritePrompt = false;
        s.captions.SetRowCount(kCaptions + 1);
        for (int r = 1; r <= kCaptions; ++r) {
            s.captions.SetCell(r, 0, QStringLiteral("Caption %1").arg(r));
        }
    }
};

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Argument 0: every iteration writes into a new folder; 1: every iteration replaces the files of the
// one before.
void BM_WholeBatch(benchmark::State& state) {
    Fixture f;
    int run = 0;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            f.form.Settings().targetFolder = f.dir.path() + QStringLiteral("/run%1/").arg(++run);
        }
        f.form.SaveBatchButtonClick();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kCaptions);
    state.counters["peak_MB"] = PeakMegabytes();
}

// What the progress display (status bar and previews while saving) costs: batches into new folders,
// in pairs with and without it (in alternating order), so that both see the same machine. The counters give
// the mean time of each and their ratio.
void BM_ProgressDisplayCost(benchmark::State& state) {
    Fixture f;
    const auto progress = f.form.Batch().OnProgress;
    int run = 0;
    double with = 0;
    double without = 0;
    bool showFirst = true;
    for (auto _ : state) {
        // The order alternates: the first batch of a pair is the slower one on this file system.
        showFirst = !showFirst;
        for (const bool shown : {showFirst, !showFirst}) {
            f.form.Batch().OnProgress = shown ? progress : nullptr;
            f.form.Settings().targetFolder = f.dir.path() + QStringLiteral("/run%1/").arg(++run);
            QElapsedTimer clock;
            clock.start();
            f.form.SaveBatchButtonClick();
            (shown ? with : without) += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["with_ms"] = with / n;
    state.counters["without_ms"] = without / n;
    state.counters["ratio"] = with / without;
}

// The window's "&Save Buttons" (progress display, previews, stop button) against the batch as
// kestro-batch runs it (the composer and the batch alone, no window), on the same settings and 1,000
// captions, into new folders, in pairs in alternating order. The counters give the mean time of each
// and their ratio.
void BM_WindowAgainstTool(benchmark::State& state) {
    Fixture f;
    settings::AppSettings toolSettings = f.form.Settings();
    platform::ScriptedDialogs toolDialogs;
    compose::TButtonComposer composer(toolSettings);
    output::ButtonBatch tool(toolSettings, toolDialogs, composer);
    int run = 0;
    double window = 0;
    double alone = 0;
    bool windowFirst = true;
    for (auto _ : state) {
        windowFirst = !windowFirst;
        for (const bool inWindow : {windowFirst, !windowFirst}) {
            const QString folder = f.dir.path() + QStringLiteral("/pair%1/").arg(++run);
            QElapsedTimer clock;
            clock.start();
            if (inWindow) {
                f.form.Settings().targetFolder = folder;
                f.form.SaveBatchButtonClick();
            } else {
                toolSettings.targetFolder = folder;
                tool.SaveButtonBatch();
            }
            (inWindow ? window : alone) += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["window_ms"] = window / n;
    state.counters["tool_ms"] = alone / n;
    state.counters["ratio"] = window / alone;
}

// "Preview in web browser" with the default settings and captions: 14 images and 7 pages (the
// browser is a recording stand-in). Argument 0: into a new folder each time; 1: replacing.
void BM_DefaultPreviewPages(benchmark::State& state) {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    app::TForm1 form{dialogs, shell, dir.path()};
    form.show();
    form.Timer1->stop();
    form.Settings().overwritePrompt = false;
    int run = 0;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            form.Settings().targetFolder = dir.path() + QStringLiteral("/run%1/").arg(++run);
        }
        form.generatehtmlbuttonClick();
    }
    state.counters["pages_opened"] = static_cast<double>(shell.Opened().size());
}

// One type 1 file picture as a batch makes it, from the window's settings.
void BM_RenderOneButton(benchmark::State& state) {
    Fixture f;
    const std::shared_ptr<const output::BatchFaces> plan = f.form.Composer().PlanBatch();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plan->Picture(settings::kType1, QStringLiteral("Caption %1").arg(++i), 1));
    }
}

void BM_ReduceEncodeWrite(benchmark::State& state) {
    Fixture f;
    const QImage face =
        f.form.Composer().PlanBatch()->Picture(settings::kType1, QStringLiteral("Caption 500"), 1);
    const QString path = f.dir.path() + "/one.gif";
    const int part = static_cast<int>(state.range(0));
    const std::vector<std::uint8_t> indices = encode::ReduceToWebPalette(face);
    encode::TGIFImage image;
    image.Assign(face);
    const QByteArray bytes = image.SaveToBytes();
    for (auto _ : state) {
        if (part == 0) {
            benchmark::DoNotOptimize(encode::ReduceToWebPalette(face));
        } else if (part == 1) {
            QByteArray out;
            encode::LZWCompress(out, 8, face.width(), face.height(), indices.data(), 256);
            benchmark::DoNotOptimize(out);
        } else {
            image.SaveToFile(path);
        }
    }
}

void BM_PreviewRefresh(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.form.RefreshPreview();
    }
}

}  // namespace

BENCHMARK(BM_WholeBatch)
    ->Arg(2)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_ProgressDisplayCost)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_WindowAgainstTool)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_DefaultPreviewPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderOneButton)->Unit(benchmark::kMicrosecond);
// Argument 0: reduction; 1: LZW encoding; 2: building the stream and writing the file.
BENCHMARK(BM_ReduceEncodeWrite)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewRefresh)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
