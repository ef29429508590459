#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Paths and files as the program uses them. Folder texts end in the platform's separator; the
// program's relative data paths ("KSDATA/PROJECTS") are appended to the data folder.
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

// Creates a file, or overwrites an existing one in place, so that it holds exactly the given bytes.
// Answers whether every byte was written.
bool WriteWholeFile(const QString& path, const QByteArray& bytes);

// Replaces (or creates) a file with the given bytes without ever leaving a partial file under its
// name: the bytes go to a file beside it, which then takes its place. On failure an existing file is
// left as it was, and the answer says why.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Replaces files like ReplaceFile, for many files in a row: the entry of each replaced file is kept
// beside it and takes the next file's content, so a run of replacements neither creates nor deletes
// files (on a file system that can swap two names). The kept entry goes with the replacer.
class FileReplacer {
  public:
    FileReplacer() = default;
    ~FileReplacer();
    FileReplacer(const FileReplacer&) = delete;
    FileReplacer& operator=(const FileReplacer&) = delete;

    bool Replace(const QString& path, const QByteArray& bytes, QString* error = nullptr);

  private:
    void DropSpare();

    QByteArray spare_;  // the kept entry's path, empty when there is none
};

// Deletes a file; failure is ignored and reported only by the answer.
bool DeleteFile(const QString& path);

// Renames a file, replacing a file that already has the new name; false when it could not.
bool MoveFileReplacing(const QString& from, const QString& to);

}  // namespace platform
