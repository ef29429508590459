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

namespace {

// Writes the bytes from the start of an open file and cuts what lies beyond them; an existing file is
// overwritten in place, which costs no new blocks when its size stays. Answers 0 or the error code.
int WriteWholeContent(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    off_t offset = 0;
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, data, static_cast<std::size_t>(left), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        data += n;
        left -= n;
        offset += n;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return errno;
    }
    if (info.st_size > offset && ::ftruncate(fd, offset) != 0) {
        return errno;
    }
    return 0;
}

mode_t CreationMode() {
    // The mode a newly created file gets: 0666 less the process's file mode mask.
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    // Overwriting in place matters for the folder test file that a batch rewrites before every button.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteWholeContent(fd, bytes) == 0;
    return ::close(fd) == 0 && written;
}

bool DeleteFile(const QString& path) {
    return QFile::remove(path);
}

bool MoveFileReplacing(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
    FileReplacer replacer;
    return replacer.Replace(path, bytes, error);
}

FileReplacer::~FileReplacer() {
    DropSpare();
}

void FileReplacer::DropSpare() {
    if (!spare_.isEmpty()) {
        ::unlink(spare_.constData());
        spare_.clear();
    }
}

bool FileReplacer::Replace(const QString& path, const QByteArray& bytes, QString* error) {
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
    // The new content goes to a file beside the target: the spare when there is one in the same
    // folder, else a new file.
    int fd = -1;
    if (!spare_.isEmpty()) {
        const auto folderOf = [](const QByteArray& p) { return p.left(p.lastIndexOf('/') + 1); };
        if (folderOf(spare_) == folderOf(target) &&
            std::rename(spare_.constData(), partial.constData()) == 0) {
            spare_.clear();
            fd = ::open(partial.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        }
        DropSpare();
    }
    if (fd < 0) {
        fd = ::open(partial.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    }
    if (fd < 0) {
        return fail(errno);
    }
    int code = ::fchmod(fd, exists ? existing.st_mode & 07777 : CreationMode()) != 0 ? errno : 0;
    if (code == 0) {
        code = WriteWholeContent(fd, bytes);
    }
    if (::close(fd) != 0 && code == 0) {
        code = errno;
    }
    if (code != 0) {
        ::unlink(partial.constData());
        return fail(code);
    }
    // Swapping the two names keeps the replaced file's entry, now under the partial name, for the
    // next file's content: a run of replacements then neither creates nor deletes files. Only a
    // regular file under the name itself is swapped (a folder refuses the rename below; a link is
    // replaced by the file, as a rename does, and what it points to is left alone), and one that has
    // other links or another owner is deleted afterwards, not reused.
    struct stat entry {};
    if (::lstat(target.constData(), &entry) == 0 && S_ISREG(entry.st_mode) &&
        ::renameat2(AT_FDCWD, partial.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) == 0) {
        if (entry.st_nlink == 1 && entry.st_uid == ::geteuid()) {
            spare_ = partial;
        } else {
            ::unlink(partial.constData());
        }
        return true;
    }
    if (std::rename(partial.constData(), target.constData()) != 0) {
        code = errno;
        ::unlink(partial.constData());
        return fail(code);
    }
    return true;
}

}  // namespace platform
