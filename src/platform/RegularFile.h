#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reading files that must be regular files (background bitmaps): a folder, a pipe or a device under
// the name is refused at once, never opened for reading its content, so a pipe cannot hang the
// program.
namespace platform {

// The text given for a name that is there but is not a regular file (a pipe, a device, a socket).
inline constexpr char kNotRegularFileReason[] = "Not a regular file";

// The largest settings or caption list file that is read: 16 MiB, far above any list of captions
// (250 characters each, a hundred thousand of them), and small enough to hold in memory at once.
inline constexpr qint64 kMaxTextFileSize = qint64{16} * 1024 * 1024;

// The text given for a file larger than the size it may have.
QString TooLargeReason(qint64 maxSize);

// Whether the file can be read: it opens for reading and is a regular file (a link is followed).
// Otherwise false, with the system's reason in `reason` ("No such file or directory", "Permission
// denied", "Is a directory", or kNotRegularFileReason).
bool CanReadRegularFile(const QString& path, QString* reason = nullptr);

// The whole content of a regular file; nothing, with the reason as above, when it cannot be read.
// With a `maxSize` (not negative) a file larger than that is refused with TooLargeReason, before its
// content is read and again if it grows while it is read. `missing` tells whether nothing at all is
// under the name (no such entry, or a file where a folder of the path would be). A termination request
// (platform/Interrupt) ends the reading, refused.
std::optional<QByteArray> ReadRegularFile(const QString& path, QString* reason = nullptr, qint64 maxSize = -1,
                                          bool* missing = nullptr);

}  // namespace platform
