#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace platform {

QString ExecutableFolder() {
    return IncludeTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString IncludeTrailingSeparator(const QString& folder) {
    if (folder.endsWith(QLatin1Char(kSeparator))) {
        return folder;
    }
    return folder + QLatin1Char(kSeparator);
}

bool CreateFolder(const QString& path) {
    // QDir::mkdir makes a single level only, like the program expects: a missing parent fails.
    return QDir().mkdir(path);
}

bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool DirectoryExists(const QString& path) {
    return QFileInfo(path).isDir();
}

std::int64_t FileSize(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        return -1;
    }
    return info.size();
}

bool DeleteFile(const QString& path) {
    return QFile::remove(path);
}

bool MoveFileReplacing(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace platform
