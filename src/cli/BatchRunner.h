#pragma once

#include <QDateTime>
#include <QString>
#include <QTextStream>
#include <functional>

#include "cli/CommandLine.h"
#include "platform/Folders.h"

namespace settings {
struct AppSettings;
}  // namespace settings

namespace cli {

class ConsoleDialogs;

// One run of kestro-batch: reads the settings file (and the caption list, when given), saves the
// batch through the window's own road (the same faces, names and writers), optionally writes the
// pages and the report, and prints what it did. Run() answers the exit status.
class TBatchRunner {
  public:
    // `folders` are the window's: the defaults under a settings file that leaves some settings out
    // point into its data folder, which the run makes (with PROJECTS and BUTTONS) when it is missing.
    TBatchRunner(BatchOptions options, QTextStream& out, QTextStream& err, platform::ProgramFolders folders);

    int Run();

    // Where the report's time comes from (tests set a fixed one).
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

  private:
    bool LoadSettings(settings::AppSettings& s, ConsoleDialogs& dialogs);
    bool LoadCaptions(settings::AppSettings& s, ConsoleDialogs& dialogs);
    // Applies --out, --html-out and --format; false when the folders cannot be used.
    bool ApplyOptions(settings::AppSettings& s, ConsoleDialogs& dialogs);
    void Done(const QString& path, bool written);
    // The same with the file's size already known (-1: a kept file that cannot be read).
    void Done(const QString& path, bool written, qint64 size);

    BatchOptions options_;
    QTextStream& out_;
    QTextStream& err_;
    platform::ProgramFolders folders_;
    int written_ = 0;
    int kept_ = 0;
    qint64 bytes_ = 0;
};

}  // namespace cli
