#include "platform/FileWriting.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/Interrupt.h"

namespace platform {
namespace {

WriteFunction g_write = ::pwrite;
bool g_refuseUnnamed = false;

constexpr char kTemporaryPrefix[] = ".kestro-";
constexpr char kTemporarySuffix[] = ".tmp";
constexpr char kTestSuffix[] = ".$$$";
constexpr int kRandomLength = 6;
constexpr int kNameAttempts = 100;

// When this process began, on the clock file times are taken from: a named temporary carrying this
// process's id but older than this is another process's, which had the same id before.
const timespec g_processStart = [] {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now;
}();

QString Reason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Writes every byte from the start of a new, empty file. Answers 0 or the error code: a write that
// takes fewer bytes is followed by another for the rest, and one that takes none is a failure.
int WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    off_t offset = 0;
    while (left > 0) {
        const ssize_t n = g_write(fd, data, static_cast<std::size_t>(left), offset);
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
    return 0;
}

// Closes a written file; a failing close (a full disk noticed late) fails the file.
int CloseWritten(int fd, int code) {
    if (::close(fd) != 0 && code == 0) {
        return errno;
    }
    return code;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray() : path.left(slash + 1);
}

QByteArray RandomPart() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray part(kRandomLength, '\0');
    for (char& c : part) {
        c = kChars[QRandomGenerator::global()->bounded(static_cast<int>(sizeof kChars) - 1)];
    }
    return part;
}

// Makes a named file of this process in `folder`, exclusively and without following a link; another
// random part is tried while the name is taken. Answers the open file or -1 with errno set.
int CreateNamed(const QByteArray& folder, const char* suffix, QByteArray& path) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = folder + kTemporaryPrefix + QByteArray::number(::getpid()) + '-' + RandomPart() + suffix;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool Fail(int code, QString* reason) {
    if (reason != nullptr) {
        *reason = Reason(code);
    }
    return false;
}

// Whether an existing file may be replaced: it carries a write permission and the user may write
// it. Its owner may exactly when the owner's write bit is set, the superuser always (a read-only
// file system or an immutable file then fails the replacing itself, with its own reason); for anyone
// else the system decides.
bool MayReplace(const QByteArray& target, const struct stat& existing) {
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return false;
    }
    static const uid_t user = ::geteuid();
    if (user == 0) {
        return true;
    }
    if (existing.st_uid == user) {
        return (existing.st_mode & S_IWUSR) != 0;
    }
    return ::access(target.constData(), W_OK) == 0;
}

enum class NewFile { Written, Failed, NamedWay };

// A new file: written into an unnamed temporary of the folder, then linked in under its name, so an
// interruption at any moment leaves nothing behind. The named way is taken where the folder refuses
// unnamed temporaries, where /proc is missing, and when the name was taken meanwhile.
NewFile WriteUnnamed(const QByteArray& target, const QByteArray& bytes, int& code) {
    const QByteArray folder = FolderOf(target);
    const int fd = g_refuseUnnamed ? -1
                                   : ::open(folder.isEmpty() ? "." : folder.constData(),
                                            O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        code = g_refuseUnnamed ? EOPNOTSUPP : errno;
        return code == EISDIR || code == EOPNOTSUPP || code == EINVAL ? NewFile::NamedWay : NewFile::Failed;
    }
    code = WriteAll(fd, bytes);
    if (code == 0 && AbandonWrite()) {
        code = EINTR;
    }
    if (code != 0) {
        ::close(fd);
        return NewFile::Failed;
    }
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) != 0) {
        code = errno;
        ::close(fd);
        return code == EEXIST || code == ENOENT || code == EPERM ? NewFile::NamedWay : NewFile::Failed;
    }
    code = CloseWritten(fd, 0);
    if (code != 0) {
        ::unlink(target.constData());
        return NewFile::Failed;
    }
    return NewFile::Written;
}

// Whether a process with this id is running (one we may not signal is running too).
bool ProcessRunning(long pid) {
    if (pid <= 0 || pid != static_cast<pid_t>(pid)) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The process id in ".kestro-PID-RANDOM.tmp" or ".kestro-PID-RANDOM.$$$", or -1 for another name.
long TemporaryPid(const QByteArray& name) {
    const bool tmp = name.endsWith(kTemporarySuffix);
    if (!name.startsWith(kTemporaryPrefix) || !(tmp || name.endsWith(kTestSuffix))) {
        return -1;
    }
    const QByteArray middle =
        name.mid(sizeof kTemporaryPrefix - 1,
                 name.size() - (sizeof kTemporaryPrefix - 1) - (sizeof kTemporarySuffix - 1));
    const qsizetype dash = middle.indexOf('-');
    if (dash <= 0 || dash == middle.size() - 1) {
        return -1;
    }
    bool ok = false;
    const long pid = middle.left(dash).toLong(&ok);
    if (!ok || pid <= 0) {
        return -1;
    }
    for (const char c : middle.mid(dash + 1)) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return -1;
        }
    }
    return pid;
}

bool OlderThanThisProcess(const struct stat& info) {
    return info.st_mtim.tv_sec < g_processStart.tv_sec ||
           (info.st_mtim.tv_sec == g_processStart.tv_sec && info.st_mtim.tv_nsec < g_processStart.tv_nsec);
}

}  // namespace

QString CannotWriteText(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write file \"%1\": %2").arg(path, reason);
}

QString FailureLine(const QString& fileName, const QString& reason) {
    return QStringLiteral("\"%1\": %2").arg(fileName, reason);
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* reason) {
    const QByteArray target = QFile::encodeName(path);
    struct stat entry {};
    const bool exists = ::lstat(target.constData(), &entry) == 0;
    if (exists && S_ISDIR(entry.st_mode)) {
        return Fail(EISDIR, reason);
    }
    // An existing file keeps its protection: one the user may not write, or that carries no write
    // permission at all (a read-only file), is not replaced, and a replaced file keeps its bits. For a
    // link under the name these are the bits of what it points to, which is only looked at.
    struct stat existing = entry;
    const bool existingFile =
        exists &&
        (S_ISREG(entry.st_mode) ||
         (S_ISLNK(entry.st_mode) && ::stat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode)));
    if (existingFile && !MayReplace(target, existing)) {
        return Fail(EACCES, reason);
    }
    int code = 0;
    if (!exists) {
        switch (WriteUnnamed(target, bytes, code)) {
            case NewFile::Written:
                return true;
            case NewFile::Failed:
                return Fail(code, reason);
            case NewFile::NamedWay:
                break;
        }
    }
    // The replace way: a named temporary of this process beside the target, then one rename, which
    // replaces the name itself (a link under it included) and never writes through it.
    code = 0;
    QByteArray temporary;
    const int fd = CreateNamed(FolderOf(target), kTemporarySuffix, temporary);
    if (fd < 0) {
        return Fail(errno, reason);
    }
    if (existingFile && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        code = errno;
    }
    if (code == 0) {
        code = WriteAll(fd, bytes);
    }
    code = CloseWritten(fd, code);
    if (code == 0 && AbandonWrite()) {
        code = EINTR;
    }
    if (code == 0 && std::rename(temporary.constData(), target.constData()) != 0) {
        code = errno;
    }
    if (code != 0) {
        ::unlink(temporary.constData());
        return Fail(code, reason);
    }
    return true;
}

bool TestFolder(const QString& folder, const QByteArray& line) {
    QByteArray path;
    const int fd = CreateNamed(QFile::encodeName(folder), kTestSuffix, path);
    if (fd < 0) {
        return false;
    }
    // A line that cannot be written (a full disk) does not fail the test: the folder takes files,
    // and writing the file itself reports the reason.
    WriteAll(fd, line);
    ::close(fd);
    struct stat info {};
    const bool made = ::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
    ::unlink(path.constData());
    return made;
}

bool IsTemporaryName(const QString& fileName) {
    return TemporaryPid(QFile::encodeName(fileName)) > 0;
}

int SweepLeftovers(const QString& folderText) {
    QByteArray folder = QFile::encodeName(folderText);
    if (!folder.endsWith('/')) {
        folder += '/';
    }
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) {
        return 0;
    }
    // The names are gathered first and removed afterwards, so the listing is not read while it changes.
    std::vector<QByteArray> candidates;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name.startsWith(kTemporaryPrefix) || name == "test.$$$" || name == "runtest.$$$" ||
            (name.endsWith(".part") && name.size() > 5)) {
            candidates.push_back(name);
        }
    }
    const int dirFd = ::dirfd(dir);
    int removed = 0;
    for (const QByteArray& name : candidates) {
        struct stat info {};
        if (::fstatat(dirFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
            continue;  // a link, a folder or anything else is never a leftover
        }
        bool leftover = false;
        if (name.startsWith(kTemporaryPrefix)) {
            const long pid = TemporaryPid(name);
            if (pid > 0) {
                leftover = pid == ::getpid() ? OlderThanThisProcess(info) : !ProcessRunning(pid);
            }
        } else if (name.endsWith(".part")) {
            struct stat base {};
            leftover =
                ::fstatat(dirFd, name.left(name.size() - 5).constData(), &base, AT_SYMLINK_NOFOLLOW) == 0;
        } else {
            leftover = true;  // "test.$$$" or "runtest.$$$"
        }
        if (leftover && ::unlinkat(dirFd, name.constData(), 0) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

void SetWriteFunctionForTests(WriteFunction write) {
    g_write = write != nullptr ? write : ::pwrite;
}

void RefuseUnnamedTemporariesForTests(bool refuse) {
    g_refuseUnnamed = refuse;
}

}  // namespace platform
