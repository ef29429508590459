#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

bool DeleteFile(const QString& path) {
    return QFile::remove(path);
}

}  // namespace platform
