#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

QString SystemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Opens the file for reading without waiting: opening a pipe with no writer returns at once, and
// the type is then checked on what was opened, so nothing can be swapped in between.
int OpenRegular(const QString& path, QString* reason) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

std::optional<QByteArray> ReadRegularFile(const QString& path, QString* reason) {
    const int fd = OpenRegular(path, reason);
    if (fd < 0) {
        return std::nullopt;
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
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
        bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

}  // namespace platform
