#pragma once

#include <QString>
#include <cstdint>

// Paths and files as the program uses them. Folder texts end in the platform's separator; the
// program's relative data paths ("PROJECTS", "Report.txt") are appended to the data folder.
namespace platform {

inline constexpr char kSeparator = '/';

// The folder of the running executable, ending in a separator.
QString ExecutableFolder();

// The text with one separator appended when its last character is not one already.
QString IncludeTrailingSeparator(const QString& folder);

// Makes one folder (its parent must exist). Failure, an existing folder included, is ignored: the
// answer only says whether this call created it.
bool CreateFolder(const QString& path);

bool FileExists(const QString& path);
bool DirectoryExists(const QString& path);

// Size in bytes of a regular file, or -1 when it cannot be read.
std::int64_t FileSize(const QString& path);

// Deletes a file; failure is ignored and reported only by the answer.
bool DeleteFile(const QString& path);

// Renames a file, replacing a file that already has the new name; false when it could not.
bool MoveFileReplacing(const QString& from, const QString& to);

}  // namespace platform
