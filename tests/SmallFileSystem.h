#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>

namespace testsupport {

// A real small file system for the full-disk cases: a tmpfs of a few pages mounted over a folder of
// the test's own. Only root may mount one; elsewhere SkipReason() says why the case cannot run.
class SmallFileSystem {
  public:
    static constexpr int kPage = 4096;

    SmallFileSystem(const QString& folder, int pages) : folder_(QFile::encodeName(folder)) {
        if (::geteuid() != 0) {
            skipReason_ = "a small file system needs a tmpfs mounted by the test, which only root may mount";
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(pages * kPage) + ",mode=0755";
        if (::mount("tmpfs", folder_.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
            skipReason_ = std::string("mounting a tmpfs failed: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallFileSystem() {
        if (mounted_) {
            ::umount2(folder_.constData(), MNT_DETACH);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& SkipReason() const { return skipReason_; }

    // Fills the file system with a filler file until it is full, then gives back `freePages` pages.
    void FillLeaving(int freePages) {
        const QByteArray filler = folder_ + "/.filler";
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const QByteArray block(kPage, 'f');
        off_t size = 0;
        while (::write(fd, block.constData(), block.size()) == block.size()) {
            size += kPage;
        }
        [[maybe_unused]] const int cut =
            ::ftruncate(fd, size > freePages * kPage ? size - freePages * kPage : 0);
        ::close(fd);
    }

  private:
    QByteArray folder_;
    bool mounted_ = false;
    std::string skipReason_;
};

}  // namespace testsupport
