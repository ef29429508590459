#include <QTimer>

#include "app/Form1.h"
#include "app/KestroApplication.h"
#include "app/SignalBridge.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "widgets/QtDialogs.h"

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

    platform::DesktopShell shell;
    app::TForm1 form(dialogs, shell, platform::ExecutableFolder());
    if (!form.DataFolderOk()) {
        // The data folder cannot be used: end without showing the window or writing settings.
        return 1;
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
        return 0;
    }
    return application.exec();
}
