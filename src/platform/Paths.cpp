#include "platform/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool MoveFileReplacing(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray partial = target + ".part";
    const auto fail = [&](int code) {
        if (error != nullptr) {
            *error = QStringLiteral("Cannot write file \"%1\": %2")
                         .arg(path, QString::fromLocal8Bit(std::strerror(code)));
        }
        return false;
    };
    // An existing file keeps its protection: one the user may not write, or that carries no write
    // permission at all (a read-only file), is not replaced, and a replaced file keeps its bits.
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && (::access(target.constData(), W_OK) != 0 ||
                   (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        return fail(EACCES);
    }
    const int fd = ::open(partial.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return fail(errno);
    }
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        const int code = errno;
        ::close(fd);
        ::unlink(partial.constData());
        return fail(code);
    }
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int code = n < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(partial.constData());
            return fail(code);
        }
        data += n;
        left -= n;
    }
    if (::close(fd) != 0 || std::rename(partial.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(partial.constData());
        return fail(code);
    }
    return true;
}

}  // namespace platform
