#include "html/OpenInBrowser.h"

#include <QFileInfo>

#include "platform/AppExec.h"
#include "platform/IntegerText.h"
#include "platform/ShownText.h"

namespace html {

QString NoAssociationMessage(BrowserMessages set) {
    if (set == BrowserMessages::Preview) {
        return QStringLiteral(
            "Unable to preview the HTML using your default web browser, please specify a\r"
            "suitable web browser executable file e.g. \"<folder>iexplore.exe\" in the\r"
            "\"Folder and file of browser\" box.");
    }
    return QStringLiteral(
        "Unable to display the HTML help file using your default web browser, please\r"
        "specify a suitable web browser executable file e.g. \"<folder>iexplore.exe\" in\r"
        "the \"Folder and file of browser\" box.");
}

QString ShellFailedMessage(BrowserMessages set) {
    if (set == BrowserMessages::Preview) {
        return QStringLiteral(
            "Unable to preview the HTML using your default web browser, please specify a\r"
            "suitable web browser executable file e.g. \"<folder>iexplore.exe\" in the\r"
            "\"Folder and file of browser\" box, or leave it blank in order to try your\r"
            "Windows default browser.");
    }
    return QStringLiteral(
        "Unable to display the HTML help file using your default web browser, please\r"
        "specify a suitable web browser executable file e.g. \"<folder>iexplore.exe\"\r"
        "in the \"Folder and file of browser\" box, or leave it blank in order to try\r"
        "your Windows default browser.");
}

QString NamedBrowserFailedMessage(BrowserMessages set) {
    if (set == BrowserMessages::Preview) {
        return QStringLiteral(
            "Unable to preview the HTML using the specified web browser, please\r"
            "select the correct web browser executable file in the \"Folder and \r"
            "file of browser\" box, or leave it blank in order to try your Windows\r"
            "default browser.");
    }
    return QStringLiteral(
        "Unable to display the HTML help file using the specified web browser,\r"
        "please select the correct web browser executable file in the \"Folder\r"
        "and file of browser\" box, or leave it blank in order to try your Windows\r"
        "default browser.");
}

bool UsesDefaultBrowser(const QString& browser) {
    return platform::Trim(browser).isEmpty() || browser.contains(QLatin1String(settings::kUseDefaultBrowser));
}

QString HelpPagePath(const QString& programFolder) {
    return programFolder + QStringLiteral("help.htm");
}

QString WithFilePath(const QString& message, const QString& path) {
    return message + QLatin1Char('\r') + platform::EscapeControls(path);
}

void OpenInBrowser(const QString& path, BrowserMessages set, const settings::AppSettings& s,
                   const QString& programFolder, platform::Shell& shell, platform::Dialogs& dialogs) {
    if (UsesDefaultBrowser(s.browser)) {
        // Nothing opens the file: the desktop says so at once, or its opener ends with a failure
        // later, when this has returned.
        const auto notOpened = [&dialogs, set, path] {
            dialogs.ShowMessage(WithFilePath(NoAssociationMessage(set), path));
        };
        try {
            if (shell.OpenDocument(path, notOpened) == platform::Shell::kNoApplication) {
                notOpened();
            }
        } catch (const std::exception&) {
            dialogs.ShowMessage(WithFilePath(ShellFailedMessage(set), path));
        }
        return;
    }
    const bool ready = set == BrowserMessages::Preview ? QFileInfo(s.browser).isFile()
                                                       : QFileInfo(HelpPagePath(programFolder)).isFile();
    if (!ready) {
        dialogs.ShowMessage(WithFilePath(NamedBrowserFailedMessage(set), path));
        return;
    }
    // The browser by its full path, the page one argument, in the browser's own folder; this
    // program's current folder does not change.
    const QFileInfo browser(s.browser);
    platform::TAppExec exec;
    exec.SetExePath(browser.path());
    exec.ExeName = browser.fileName();
    exec.AddExeParam(QLatin1Char(' ') + path);
    try {
        exec.Execute();
    } catch (const std::exception&) {
        dialogs.ShowMessage(WithFilePath(NamedBrowserFailedMessage(set), path));
    }
}

}  // namespace html
