#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/BatchRunner.h"
#include "cli/CommandLine.h"
#include "platform/Folders.h"
#include "platform/Interrupt.h"
#include "platform/Paths.h"

namespace {

// How long a run has, after a termination request, to end by itself.
constexpr int kInterruptGraceMilliseconds = 3000;

}  // namespace

// kestro-batch: the button batch, the pages and the report from the command line, without a window.
int main(int argc, char** argv) {
    // Faces are drawn with the window system's fonts but nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit's own notes (no runtime folder, what the offscreen platform cannot do) are not the
    // program's: standard error carries the program's messages only.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "kestro-batch: %s\n", qPrintable(text));
        }
    });
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const cli::CommandLine line = cli::ParseCommandLine(QCoreApplication::arguments());
    switch (line.action) {
        case cli::CommandLine::Action::Help:
        case cli::CommandLine::Action::Version:
            out << line.text;
            return cli::kExitOk;
        case cli::CommandLine::Action::BadArguments:
            err << line.text;
            return cli::kExitBadArguments;
        case cli::CommandLine::Action::Run:
            break;
    }
    // SIGTERM, SIGINT and SIGHUP stop the run cleanly: the file in hand is abandoned (its temporary
    // removed), and the run ends with 128 plus the signal's number; a run that does not come to a
    // point where it stops within the deadline (a long measuring or naming) is ended there.
    platform::SetAbandonOnInterrupt(true);
    platform::InstallInterruptHandlers();
    platform::StartInterruptDeadline(kInterruptGraceMilliseconds);
    cli::TBatchRunner runner(line.options, out, err, platform::LocateFolders(platform::ExecutableFolder()));
    return runner.Run();
}
