#pragma once

#include <QString>

#include "platform/Dialogs.h"
#include "platform/Folders.h"

// The data folder ("KSDATA" beside the executable, or the installed program's folder in the user's
// data home), made and proved writable at every start.
namespace app {

// Texts of the start-up test file and of the message shown when the test fails: for a program run
// where it was built, `executableFolder` is the folder it cannot use; for an installed one, the data
// folder it cannot write to.
QString RunTestLine();
// The file name of the running program, as it was called ("kestro").
QString ProgramFileName();
// The nine-line message for a program folder where the data folder cannot be made; it names the
// program file `programFile`.
QString DataFolderMessage(const QString& executableFolder, const QString& programFile);
QString InstalledDataFolderMessage(const QString& dataFolder);

// The message for whichever data folder `folders` uses.
QString DataFolderMessage(const platform::ProgramFolders& folders);

// Copies every sample background of the program folder's "SAMPLES" that the data folder's "SAMPLES"
// lacks (a file there, perhaps changed by the user, is left alone). Answers how many were copied.
int CopyMissingSamples(const platform::ProgramFolders& folders);

// Makes the data folder with its PROJECTS, BUTTONS and SAMPLES folders (each failure ignored),
// copies the missing samples of an installed program, sweeps PROJECTS of leftovers, then writes and
// deletes a test file of its own in it. When the test file could not be made, the message is shown
// through `dialogs` and the answer is false.
bool CheckDataFolder(const platform::ProgramFolders& folders, platform::Dialogs& dialogs);

}  // namespace app
