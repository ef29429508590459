#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "FuzzSupport.h"
#include "compose/BackgroundBitmap.h"
#include "compose/ButtonComposer.h"
#include "settings/ButtonStyle.h"
#include "settings/DefaultSettings.h"

// Any file as a background bitmap, through the program's own loading and rendering: the first byte
// picks the background mode (the button as large as the bitmap, or a fixed size), the rest is the
// file. An unreadable file is refused with its message, by the preview's reading and the batch's
// alike; a readable one gives a batch face of the right size.
namespace {

QString g_path;
settings::AppSettings g_settings;
// One composer for every input, as the window keeps one.
std::unique_ptr<compose::TButtonComposer> g_composer;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application lives as long as the process: destroying it from an exit handler would run
    // after the toolkit's own globals are gone.
    std::make_unique<QApplication>(*argc, *argv).release();
    // Files that claim huge pictures are refused by the reader instead of filling the fuzzer's memory.
    QImageReader::setAllocationLimit(16);
    g_path = QStringLiteral("/dev/shm/plumeric-fuzz-bitmap-%1").arg(::getpid());
    settings::ApplyDefaultSettings(g_settings, {QStringLiteral("DejaVu Sans")}, QStringLiteral("/data/"));
    g_settings.button[settings::kType1].bitmapFile = g_path;
    g_composer = std::make_unique<compose::TButtonComposer>(g_settings);
    std::atexit([] { g_composer.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    {
        QFile file(g_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    QImage loaded;
    const compose::BackgroundBitmap read = compose::ReadBackgroundBitmap(g_path);
    FUZZ_EXPECT(read.unreadable.isEmpty());
    try {
        loaded = compose::LoadBitmapFile(g_path);
    } catch (const std::runtime_error& e) {
        FUZZ_EXPECT(QString::fromStdString(e.what()) == compose::BitmapUnreadableMessage(g_path));
        FUZZ_EXPECT(read.notAPicture == compose::BitmapUnreadableMessage(g_path) && read.picture.isNull());
        return 0;
    }
    FUZZ_EXPECT(!loaded.isNull() && read.notAPicture.isEmpty() && read.picture == loaded);
    const bool bitmapSize = (data[0] & 1) != 0;
    if (static_cast<qint64>(loaded.width()) * loaded.height() > (bitmapSize ? 512 * 512 : 2048 * 2048)) {
        return 0;  // drawing a huge face, or from a huge picture, is slow and shows nothing new
    }
    g_settings.button[settings::kType1].backgroundMode = bitmapSize ? 0 : 2;
    const QImage face = g_composer->PlanBatch()->Picture(settings::kType1, QStringLiteral("Caption"), 1);
    if (bitmapSize) {
        // A bitmap higher or wider than any button may be gives a face of the largest side there is.
        FUZZ_EXPECT(face.size() ==
                    loaded.size().boundedTo(QSize(settings::kMaxButtonSide, settings::kMaxButtonSide)));
    } else {
        FUZZ_EXPECT(face.size() == QSize(100, 30));
    }
    return 0;
}
