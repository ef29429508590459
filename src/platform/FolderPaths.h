#pragma once

#include <QString>
#include <functional>

// Folder paths as the folder dialog and the status lines show them. Paths typed on Windows ("C:\temp\",
// as stored settings files may hold them) keep their drive and backslashes; paths of this system use
// "/" with "/" as the root.
namespace platform {

// Whether a text fits the room it is shown in (measured by the caller, in its own font).
using FitsTest = std::function<bool(const QString&)>;

// Shortens a path one folder level at a time, from the left, until it fits: "C:\windows\system\file.txt"
// becomes "C:\...\system\file.txt", "C:\...\file.txt", "...\file.txt" and finally "file.txt";
// "/usr/share/doc/file.txt" becomes "/.../share/doc/file.txt", "/.../doc/file.txt", "/.../file.txt",
// ".../file.txt" and "file.txt". The result may still not fit when nothing more can go.
QString ShortenPathToFit(const QString& path, const FitsTest& fits);

// Drops characters from the end, showing the rest followed by "...", until it fits; the shortest
// result is "..." alone.
QString ShortenTextToFit(const QString& text, const FitsTest& fits);

// The form a folder is handed to the folder dialog in: empty stays empty, a drive alone ("C:") gets
// its "\", a root ("C:\", "/") stays, any other path loses one trailing separator.
QString NormaliseFolderPath(const QString& path);

// Whether a path names an existing directory, with or without its trailing separator. Nothing in
// the path is a wildcard, and "/" is the root, not an empty path.
bool IsExistingDirectory(const QString& path);

}  // namespace platform
