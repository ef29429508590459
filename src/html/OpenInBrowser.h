#pragma once

#include <QString>

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/AppSettings.h"

// Showing a page in a web browser: the desktop's default application, or the browser the user named.
namespace html {

// Which messages a failure shows: those of the page preview or those of the help page.
enum class BrowserMessages { Preview, Help };

// The three messages of a set: nothing opens the file; the desktop call failed; the named browser
// failed (or is missing, or the help page is).
QString NoAssociationMessage(BrowserMessages set);
QString ShellFailedMessage(BrowserMessages set);
QString NamedBrowserFailedMessage(BrowserMessages set);

// True when the browser setting means the desktop's default application: empty, or containing
// "<Use Default>" anywhere.
bool UsesDefaultBrowser(const QString& browser);

// A failure's message with the path of the file that was not opened on a last line of its own.
QString WithFilePath(const QString& message, const QString& path);

// Opens `path` as the browser setting says; every failure shows its message of the set with the
// path on a last line, also when the desktop's opener fails after this has returned. The help page
// is "help.htm" in `programFolder`.
void OpenInBrowser(const QString& path, BrowserMessages set, const settings::AppSettings& s,
                   const QString& programFolder, platform::Shell& shell, platform::Dialogs& dialogs);

// The help page in the program folder (which ends in a separator).
QString HelpPagePath(const QString& programFolder);

}  // namespace html
