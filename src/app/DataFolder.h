#pragma once

#include <QString>

#include "platform/Dialogs.h"

// The data folder "KSDATA" beside the executable, made and proved writable at every start.
namespace app {

// Texts of the start-up test file and of the message shown when the test fails.
QString RunTestLine();
QString DataFolderMessage(const QString& dataFolder);

// Makes KSDATA and its PROJECTS, BUTTONS and SAMPLES folders in `executableFolder` (each failure
// ignored), sweeps KSDATA/PROJECTS of leftovers, then writes and deletes a test file of its own in
// it. `dataFolder` becomes the executable's folder with a trailing separator. When the test file
// could not be made, the message is shown through `dialogs` and the answer is false.
bool CheckDataFolder(const QString& executableFolder, QString& dataFolder, platform::Dialogs& dialogs);

}  // namespace app
