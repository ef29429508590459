#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

namespace app {

QString RunTestLine() {
    return QStringLiteral("Test file for \"kestro.exe\" - you can safely delete this file.");
}

QString ProgramFileName() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return name.isEmpty() ? QStringLiteral("kestro") : name;
}

QString DataFolderMessage(const QString& executableFolder, const QString& programFile) {
    const QStringList lines = {
        QStringLiteral("ERROR : Plumeric can't run from this drive and/or folder: -"),
        QLatin1Char('"') + executableFolder + QStringLiteral("\"."),
        QStringLiteral("It needs to create a sub-folder \"KSDATA\" in that folder and also needs file"),
        QStringLiteral("read, write, create and delete access rights one or more of which is not"),
        QStringLiteral("possible."),
        QStringLiteral("Please copy the program file \"%1\" to a different drive and/or folder")
            .arg(programFile),
        QStringLiteral("(or copy it to your desktop if unsure) and try running it from there."),
        QString(),
        QStringLiteral("Plumeric will stop running when you click then \"OK\" button."),
    };
    return lines.join(QLatin1Char('\r'));
}

QString InstalledDataFolderMessage(const QString& dataFolder) {
    const QStringList lines = {
        QStringLiteral("ERROR : Plumeric cannot write to its data folder: -"),
        QLatin1Char('"') + dataFolder + QStringLiteral("\"."),
        QStringLiteral("It needs to create that folder with its sub-folders \"PROJECTS\", \"BUTTONS\""),
        QStringLiteral("and \"SAMPLES\" and also needs file read, write, create and delete access"),
        QStringLiteral("rights in it, one or more of which is not possible."),
        QStringLiteral("Please check the permissions of that folder and of the folders above it"),
        QStringLiteral("(or set XDG_DATA_HOME to a folder you can write to) and try again."),
        QString(),
        QStringLiteral("Plumeric will stop running when you click then \"OK\" button."),
    };
    return lines.join(QLatin1Char('\r'));
}

QString DataFolderMessage(const platform::ProgramFolders& folders) {
    return folders.installed ? InstalledDataFolderMessage(folders.dataFolder)
                             : DataFolderMessage(folders.executableFolder, ProgramFileName());
}

int CopyMissingSamples(const platform::ProgramFolders& folders) {
    const QString from = folders.programFolder + QStringLiteral("SAMPLES/");
    const QString to = folders.dataFolder + QStringLiteral("SAMPLES/");
    int copied = 0;
    for (const QFileInfo& sample : QDir(from).entryInfoList(QDir::Files, QDir::Name)) {
        const QFileInfo target(to + sample.fileName());
        // Anything under the name, a link included, is the user's and stays.
        if (target.exists() || target.isSymLink()) {
            continue;
        }
        QFile in(sample.filePath());
        if (in.open(QIODevice::ReadOnly) && platform::ReplaceFile(target.filePath(), in.readAll())) {
            ++copied;
        }
    }
    return copied;
}

bool CheckDataFolder(const platform::ProgramFolders& folders, platform::Dialogs& dialogs) {
    platform::MakeDataFolders(folders, true);
    if (folders.installed) {
        CopyMissingSamples(folders);
    }
    // The start-up test file is one of the program's own, made new beside nothing it could follow;
    // leftovers of interrupted runs are swept from the settings folder first.
    const QString projects = folders.dataFolder + QStringLiteral("PROJECTS/");
    platform::SweepLeftovers(projects);
    const bool usable =
        platform::TestFolder(projects, platform::ToWindows1252(platform::JoinCrLfLines({RunTestLine()})));
    if (!usable) {
        dialogs.ShowMessage(DataFolderMessage(folders));
    }
    return usable;
}

}  // namespace app
