#include <QTimer>

#include "app/Form1.h"
#include "app/KestroApplication.h"
#include "app/SignalBridge.h"
#include "platform/Interrupt.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "widgets/QtDialogs.h"

namespace {

// How long the window has, after a termination request, to close by itself.
constexpr int kInterruptGraceMilliseconds = 3000;

}  // namespace

int main(int argc, char** argv) {
    app::KestroApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Plumeric"));

    widgets::QtDialogs dialogs(QStringLiteral("Plumeric"));
    app::TForm1* mainWindow = nullptr;
    bool terminating = false;
    // Installed before the window is made, so a termination request is never lost. It closes every
    // open box or dialog (answered as by Escape, and no new one opens), then, once the handler that
    // opened it has finished, closes the window as the user would, which writes the settings.
    app::SignalBridge signalBridge([&] {
        terminating = true;
        dialogs.CloseAll();
        QTimer::singleShot(0, &application, [&mainWindow] {
            if (mainWindow != nullptr) {
                mainWindow->close();
            }
            QCoreApplication::quit();
        });
    });

    // A window that does not come back to its event loop within the deadline (a long handler) is
    // ended where it stands.
    platform::StartInterruptDeadline(kInterruptGraceMilliseconds);

    platform::DesktopShell shell;
    app::TForm1 form(dialogs, shell, platform::ExecutableFolder());
    if (!form.DataFolderOk()) {
        // The data folder cannot be used: end without showing the window or writing settings.
        return platform::InterruptSignal() != 0 ? 128 + platform::InterruptSignal() : 1;
    }
    // `kestro FILE` opens that settings file instead of the data folder's own; a file that does not
    // exist yet starts from the defaults and is made when the window closes.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        form.SetProjectFile(arguments.at(1));
    }
    dialogs.SetParent(&form);
    application.SetErrorSink([&form](const QString& text) { form.ShowStatus(text); });
    mainWindow = &form;

    form.show();
    if (terminating) {
        // The request came while the window was being shown (a box at start): it is not to start.
        form.close();
        return 128 + platform::InterruptSignal();
    }
    const int status = application.exec();
    // Ended by a termination request: 128 plus the signal's number, as a shell expects.
    return platform::InterruptSignal() != 0 ? 128 + platform::InterruptSignal() : status;
}
