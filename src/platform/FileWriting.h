#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QString>

// Writing whole files so that nothing is ever written where it should not be: a file takes its name
// only once every byte of it is written, an existing file is kept whole when the new one cannot be,
// and no existing name (a link planted under a temporary's name, say) is ever opened for writing.
//
// A new file is written into an unnamed temporary of its folder and linked in under its name; a
// replaced file, and every file where the folder refuses unnamed temporaries, goes through a named
// temporary ".kestro-PID-RANDOM.tmp" made exclusively beside it and one rename. The folder test file
// is such a named file too, ".kestro-PID-RANDOM.$$$".
namespace platform {

// Writes (or replaces) the file so that it holds exactly the given bytes. On failure nothing is left
// behind, an existing file is as it was, and `reason` gets the system's text for the cause ("No space
// left on device"). A link under the name is replaced by the file; what it points to is never
// written. An existing file keeps its permission bits; one that may not be written is refused.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// "Cannot write file "PATH": REASON", the text a failed button file or report is reported with.
QString CannotWriteText(const QString& path, const QString& reason);

// The line a failed page or report adds to its message: the file's name in double quotes, a colon and
// the reason ("home.htm": No space left on device).
QString FailureLine(const QString& fileName, const QString& reason);

// The folder test: makes a test file of its own in the folder (which ends in a separator), writes
// `line` into it, and deletes it again. True when the file could be made.
bool TestFolder(const QString& folder, const QByteArray& line);

// Removes what interrupted runs of this program left in a folder: its named temporaries and test
// files whose process is no longer running (or is this process, but the file is older than it),
// and files under the names older versions used: "test.$$$", "runtest.$$$", and "NAME.part" beside
// an existing "NAME". Only regular files are removed, never a link. Answers how many were removed.
int SweepLeftovers(const QString& folder);

// Whether a name in a folder is one of this program's named temporaries or test files.
bool IsTemporaryName(const QString& fileName);

// Tests replace the system's write with their own (a short write, a full disk); nullptr restores it.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size, off_t offset);
void SetWriteFunctionForTests(WriteFunction write);
// Tests make every folder refuse unnamed temporaries, as some file systems do.
void RefuseUnnamedTemporariesForTests(bool refuse);

}  // namespace platform
