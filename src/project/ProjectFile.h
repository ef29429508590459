#pragma once

#include <QList>
#include <QString>

#include "platform/Dialogs.h"
#include "settings/AppSettings.h"

// The settings file "kestro.dat": numbered setting lines, each after a comment line, written when
// the main window closes and read when it is first shown.
namespace project {

inline constexpr char kProjectFileName[] = "kestro.dat";
// What an unprocessable settings file is renamed with: "kestro.dat.bad".
inline constexpr char kSetAsideSuffix[] = ".bad";

// The three lines shown when a settings file could not be processed, separated by single CRs.
QString OutOfDateMessage();

// The path of the settings file in the "PROJECTS" folder of a data folder (which ends in a separator).
QString ProjectFilePath(const QString& dataFolder);

// Writes every setting, replacing any earlier file only once the new one is complete. A missing
// folder, a full disk or any other failure leaves an earlier file as it was; the answer says whether
// the file was written, and `reason` gets the system's text for a failure.
bool SaveSettings(const QString& fileName, const settings::AppSettings& s, QString* reason = nullptr);
// "The settings could not be saved to "PATH": REASON."
QString SettingsSaveFailedMessage(const QString& fileName, const QString& reason);
// The window's error box for a settings file that is there but cannot be read.
QString SettingsUnreadableMessage(const QString& fileName, const QString& reason);
// The bytes SaveSettings writes.
QByteArray SettingsFileBytes(const settings::AppSettings& s);

enum class LoadOutcome {
    NoFile,         // nothing is under the name: the settings are unchanged
    Unreadable,     // the file is there but cannot be read (no permission, a folder, not a regular
                    // file, too large): the settings are unchanged
    Loaded,         // every line was read by the rules
    Reset,          // the file could not be processed: set aside, defaults applied, message shown
    Unprocessable,  // ReadSettings only: a line could not be processed; the settings are half read
};

// What reading a settings file found beside the settings, for a reader that tells the user itself.
struct ReadNotes {
    // NoFile, Unreadable: the system's reason; Unprocessable: why the line could not be processed.
    QString reason;
    // Unprocessable: the number of the line that could not be processed (from 1).
    int line = 0;
    // How many lines held a setting the program knows (comments, blank lines and unknown numbers
    // are none).
    int settings = 0;
    // A value brought into range, with the number of its line.
    struct Warning {
        int line = 0;
        QString text;
    };
    QList<Warning> warnings;
};

// Reads the file into the settings and leaves the file as it is. A value brought into range (a
// number outside its range) is shown through `dialogs`, or, with `notes`, told in them instead; a line
// that cannot be processed ends the reading with Unprocessable and its reason in `notes`.
LoadOutcome ReadSettings(const QString& fileName, settings::AppSettings& s, platform::Dialogs& dialogs,
                         ReadNotes* notes = nullptr);
// The same for the bytes of a settings file (never NoFile).
LoadOutcome ReadSettingsBytes(QByteArray bytes, settings::AppSettings& s, platform::Dialogs& dialogs,
                              ReadNotes* notes = nullptr);

// Reads the file into the settings, after sweeping its folder of what interrupted runs left. A line
// that the rules cannot process (a key or a numeric value that is not a whole number) moves the file
// aside as "kestro.dat.bad", applies the defaults (with the settings' font list and `dataFolder`) and
// shows OutOfDateMessage() through `dialogs`. For NoFile and Unreadable `reason` gets the system's
// reason.
LoadOutcome LoadSettings(const QString& fileName, settings::AppSettings& s, platform::Dialogs& dialogs,
                         const QString& dataFolder, QString* reason = nullptr);

}  // namespace project
