#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The options of kestro-batch and how its command line is read.
namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadArguments = 2;
// With --check-access (or the settings file's "Check contrast and size"): every file was written, but
// at least one image falls short of the contrast or target size rules. Every other status wins over
// it.
inline constexpr int kExitInaccessible = 3;
// A run stopped by SIGINT or SIGTERM ends with 128 plus the signal's number, as shells report it.
inline constexpr int kExitInterrupted = 128;
// The most threads --threads takes.
inline constexpr int kMaxThreads = 64;

struct BatchOptions {
    QString settingsFile;  // a settings file in the format of "kestro.dat"
    QString captionsFile;  // empty: the settings file's caption list
    QString outFolder;     // empty: the settings file's button target folder
    QString htmlFolder;    // empty: the settings file's HTML target folder
    std::optional<int>
        fileType;  // settings::kFileTypeBmp, kFileTypeGif, kFileTypePng or kFileTypeWebp; none: the file's
    bool html = false;             // also write the rollover pages
    QString reportFile;            // empty: no report
    bool keepExisting = false;     // leave existing files as they are
    bool quiet = false;            // print errors only
    bool smooth = false;           // smooth caption edges, whatever the settings file says
    bool latinNames = false;       // file names in Latin letters, whatever the settings file says
    bool dither = false;           // GIF colours dithered, whatever the settings file says
    bool pressed = false;          // also the pressed images, whatever the settings file says
    bool smoothShapes = false;     // both types' shape edges smooth, whatever the settings file says
    bool snippet = false;          // the navigation snippet beside the pages, whatever the settings file says
    bool checkAccess = false;      // measure contrast and size, whatever the settings file says
    std::optional<int> scale;      // 1 or 2 (also the twice-size images); none: the settings file's
    std::optional<int> pageStyle;  // settings::kPageStyleClassic or kPageStyleCss; none: the settings file's
    int threads = 0;               // threads that render and encode; 0: one per core
};

struct CommandLine {
    enum class Action { Run, Help, Version, BadArguments };
    Action action = Action::Run;
    BatchOptions options;
    // The help text, the version line, or what was wrong followed by the usage line.
    QString text;
};

// Reads the arguments (the first is the program itself).
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace cli
