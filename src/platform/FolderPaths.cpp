#include "platform/FolderPaths.h"

#include <QFileInfo>

namespace platform {
namespace {

const QString kEllipsis = QStringLiteral("...");

bool IsDriveLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// "C:" at the start of a path.
bool StartsWithDrive(const QString& path) {
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':';
}

// A path typed on Windows uses "\"; one of this system uses "/".
QChar SeparatorOf(const QString& path) {
    return StartsWithDrive(path) || path.contains(u'\\') ? QChar(u'\\') : QChar(u'/');
}

// Removes the leftmost folder level that is still shown of a folder part: "\windows\system\" becomes
// "\...\system\", and "\...\system\" becomes "\...\".
QString ShortenFolderPart(const QString& part, QChar sep) {
    if (part == QString(sep)) {
        return {};
    }
    QString rest = part;
    const bool leading = rest.startsWith(sep);
    if (leading) {
        rest.remove(0, 1);
    }
    const QString shownDots = kEllipsis + sep;
    if (rest.startsWith(u'.') && rest.startsWith(shownDots)) {
        rest.remove(0, shownDots.size());
    }
    const qsizetype next = rest.indexOf(sep);
    if (next < 0) {
        rest.clear();
    } else {
        rest = shownDots + rest.mid(next + 1);
    }
    return leading ? sep + rest : rest;
}

}  // namespace

QString ShortenPathToFit(const QString& path, const FitsTest& fits) {
    const QChar sep = SeparatorOf(path);
    const qsizetype lastSep = path.lastIndexOf(sep);
    QString folder = path.left(lastSep + 1);
    const QString file = path.mid(lastSep + 1);
    QString drive;
    if (StartsWithDrive(folder)) {
        drive = folder.left(2);
        folder.remove(0, 2);
    }
    const QString dotsOnly = sep + kEllipsis + sep;
    while (!fits(drive + folder + file) && (!drive.isEmpty() || !folder.isEmpty())) {
        if (folder == dotsOnly) {
            drive.clear();
            folder = kEllipsis + sep;
        } else if (!folder.isEmpty()) {
            folder = ShortenFolderPart(folder, sep);
        } else {
            drive.clear();
        }
    }
    return drive + folder + file;
}

QString ShortenTextToFit(const QString& text, const FitsTest& fits) {
    QString source = text;
    QString shown = text;
    while (!fits(shown) && !source.isEmpty()) {
        source.chop(1);
        shown = source + kEllipsis;
    }
    return shown;
}

QString NormaliseFolderPath(const QString& path) {
    if (path.isEmpty()) {
        return path;
    }
    if (path.size() == 2 && StartsWithDrive(path)) {
        return path + u'\\';
    }
    if ((path.size() == 3 && StartsWithDrive(path) && path[2] == u'\\') || path == QLatin1String("/")) {
        return path;
    }
    if (path.endsWith(u'\\') || path.endsWith(u'/')) {
        return path.chopped(1);
    }
    return path;
}

bool IsExistingDirectory(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    // QFileInfo reads the path as it stands: "a*" is a name, not a pattern.
    return QFileInfo(path).isDir();
}

}  // namespace platform
