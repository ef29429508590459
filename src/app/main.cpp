#include "app/Form1.h"
#include "app/KestroApplication.h"
#include "app/SignalBridge.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "widgets/QtDialogs.h"

int main(int argc, char** argv) {
    app::KestroApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Plumeric"));

    // Installed first, so a termination request that arrives while the window is being made waits
    // in the event loop and then closes the window as the user would: the settings are written.
    app::TForm1* mainWindow = nullptr;
    app::SignalBridge signalBridge([&mainWindow] {
        if (mainWindow != nullptr) {
            mainWindow->close();
        }
    });

    widgets::QtDialogs dialogs(QStringLiteral("Plumeric"));
    platform::DesktopShell shell;
    app::TForm1 form(dialogs, shell, platform::ExecutableFolder());
    if (!form.DataFolderOk()) {
        // The data folder cannot be used: end without showing the window or writing settings.
        return 1;
    }
    dialogs.SetParent(&form);
    application.SetErrorSink([&form](const QString& text) { form.ShowStatus(text); });
    mainWindow = &form;

    form.show();
    return application.exec();
}
