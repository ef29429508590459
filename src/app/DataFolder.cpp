#include "app/DataFolder.h"

#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

namespace app {

QString RunTestLine() {
    return QStringLiteral("Test file for \"kestro.exe\" - you can safely delete this file.");
}

QString DataFolderMessage(const QString& dataFolder) {
    const QStringList lines = {
        QStringLiteral("ERROR : Plumeric can't run from this drive and/or folder: -"),
        QLatin1Char('"') + dataFolder + QStringLiteral("\"."),
        QStringLiteral("It needs to create a sub-folder \"KSDATA\" in that folder and also needs file"),
        QStringLiteral("read, write, create and delete access rights one or more of which is not"),
        QStringLiteral("possible."),
        QStringLiteral("Please copy the program file \"kestro.exe\" to a different drive and/or folder"),
        QStringLiteral("(or copy it to your desktop if unsure) and try running it from there."),
        QString(),
        QStringLiteral("Plumeric will stop running when you click then \"OK\" button."),
    };
    return lines.join(QLatin1Char('\r'));
}

bool CheckDataFolder(const QString& executableFolder, QString& dataFolder, platform::Dialogs& dialogs) {
    dataFolder = platform::IncludeTrailingSeparator(executableFolder);
    for (const char* sub : {"KSDATA", "KSDATA/PROJECTS", "KSDATA/BUTTONS", "KSDATA/SAMPLES"}) {
        platform::CreateFolder(dataFolder + QLatin1String(sub));
    }
    // The start-up test file is one of the program's own, made new beside nothing it could follow;
    // leftovers of interrupted runs are swept from the settings folder first.
    const QString projects = dataFolder + QStringLiteral("KSDATA/PROJECTS/");
    platform::SweepLeftovers(projects);
    const bool usable =
        platform::TestFolder(projects, platform::ToWindows1252(platform::JoinCrLfLines({RunTestLine()})));
    if (!usable) {
        dialogs.ShowMessage(DataFolderMessage(dataFolder));
    }
    return usable;
}

}  // namespace app
