#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "project/ProjectFile.h"
#include "settings/DefaultSettings.h"

// The settings file reader on any bytes: it never crashes, a file it wrote always reads back, and
// writing and reading settle on one file. (Not at once: a list position outside its list is read as
// no choice, written as -1, and -1 is read as the first item, as older files have it.)
namespace {

settings::AppSettings Defaults() {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")},
                                   QStringLiteral("/data/"));
    return s;
}

const settings::AppSettings& StartingSettings() {
    static const settings::AppSettings defaults = Defaults();
    return defaults;
}

// The file written after reading `bytes` into the defaults.
QByteArray RoundTrip(const QByteArray& bytes) {
    fuzzsupport::SilentDialogs dialogs;
    settings::AppSettings s = StartingSettings();
    FUZZ_EXPECT(project::ReadSettingsBytes(bytes, s, dialogs) == project::LoadOutcome::Loaded);
    return project::SettingsFileBytes(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    settings::AppSettings s = StartingSettings();
    fuzzsupport::SilentDialogs dialogs;
    if (project::ReadSettingsBytes(bytes, s, dialogs) != project::LoadOutcome::Loaded) {
        return 0;
    }
    const QByteArray second = RoundTrip(RoundTrip(project::SettingsFileBytes(s)));
    FUZZ_EXPECT(RoundTrip(second) == second);
    return 0;
}
