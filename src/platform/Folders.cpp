#include "platform/Folders.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Paths.h"

namespace platform {

ProgramFolders LocateFolders(const QString& executableFolder) {
    return LocateFolders(executableFolder, qEnvironmentVariable("XDG_DATA_HOME"),
                         qEnvironmentVariable("HOME", QDir::homePath()));
}

ProgramFolders LocateFolders(const QString& executableFolder, const QString& xdgDataHome,
                             const QString& home) {
    ProgramFolders folders;
    folders.executableFolder = IncludeTrailingSeparator(executableFolder);
    const QString share = folders.executableFolder + QStringLiteral("../share/plumeric");
    if (!QFileInfo(share).isDir()) {
        folders.programFolder = folders.executableFolder;
        folders.dataFolder = folders.executableFolder + QStringLiteral("KSDATA/");
        return folders;
    }
    folders.installed = true;
    folders.programFolder = IncludeTrailingSeparator(QDir::cleanPath(share));
    // A data home that is not an absolute path is to be ignored, as when it is unset.
    const QString dataHome = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome)
                                 ? xdgDataHome
                                 : IncludeTrailingSeparator(home) + QStringLiteral(".local/share");
    folders.dataFolder = IncludeTrailingSeparator(QDir::cleanPath(dataHome)) + QStringLiteral("plumeric/");
    return folders;
}

void MakeDataFolders(const ProgramFolders& folders, bool withSamples) {
    if (folders.installed) {
        QDir().mkpath(folders.dataFolder);
    } else {
        CreateFolder(folders.dataFolder.chopped(1));
    }
    CreateFolder(folders.dataFolder + QStringLiteral("PROJECTS"));
    CreateFolder(folders.dataFolder + QStringLiteral("BUTTONS"));
    if (withSamples) {
        CreateFolder(folders.dataFolder + QStringLiteral("SAMPLES"));
    }
}

}  // namespace platform
