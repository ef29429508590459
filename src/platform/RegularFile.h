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

// Whether the file can be read: it opens for reading and is a regular file (a link is followed).
// Otherwise false, with the system's reason in `reason` ("No such file or directory", "Permission
// denied", "Is a directory", or kNotRegularFileReason).
bool CanReadRegularFile(const QString& path, QString* reason = nullptr);

// The whole content of a regular file; nothing, with the reason as above, when it cannot be read.
std::optional<QByteArray> ReadRegularFile(const QString& path, QString* reason = nullptr);

}  // namespace platform
