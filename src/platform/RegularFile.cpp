#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "platform/Interrupt.h"

namespace platform {
namespace {

QString SystemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Opens the file for reading without waiting: opening a pipe with no writer returns at once, and
// the type is then checked on what was opened, so nothing can be swapped in between.
int OpenRegular(const QString& path, QString* reason, struct stat* opened = nullptr,
                bool* missing = nullptr) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (missing != nullptr) {
        // Nothing is under the name: no such entry, or a file stands where a folder of the path would.
        *missing = fd < 0 && (errno == ENOENT || errno == ENOTDIR);
    }
    if (fd < 0) {
        if (reason != nullptr) {
            *reason = SystemReason(errno);
        }
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (reason != nullptr) {
            *reason =
                S_ISDIR(info.st_mode) ? SystemReason(EISDIR) : QString::fromLatin1(kNotRegularFileReason);
        }
        ::close(fd);
        return -1;
    }
    if (opened != nullptr) {
        *opened = info;
    }
    return fd;
}

}  // namespace

bool CanReadRegularFile(const QString& path, QString* reason) {
    const int fd = OpenRegular(path, reason);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

QString TooLargeReason(qint64 maxSize) {
    return QStringLiteral("it is larger than %1 MiB").arg(maxSize / (1024 * 1024));
}

std::optional<QByteArray> ReadRegularFile(const QString& path, QString* reason, qint64 maxSize,
                                          bool* missing) {
    struct stat info {};
    const int fd = OpenRegular(path, reason, &info, missing);
    if (fd < 0) {
        return std::nullopt;
    }
    const auto refuse = [&](const QString& why) -> std::optional<QByteArray> {
        if (reason != nullptr) {
            *reason = why;
        }
        ::close(fd);
        return std::nullopt;
    };
    if (maxSize >= 0 && info.st_size > maxSize) {
        return refuse(TooLargeReason(maxSize));
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        if (InterruptSignal() != 0) {
            return refuse(SystemReason(EINTR));
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            if (reason != nullptr) {
                *reason = SystemReason(errno);
            }
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        if (maxSize >= 0 && bytes.size() + n > maxSize) {
            return refuse(TooLargeReason(maxSize));
        }
        bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

}  // namespace platform
