#include "platform/Shell.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

int DesktopShell::OpenDocument(const QString& path) {
    // The desktop is asked first whether anything opens this kind of file: the launcher itself is
    // started without waiting and would not say.
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        QProcess mime;
        mime.start(query, {QStringLiteral("query"), QStringLiteral("default"),
                           QMimeDatabase().mimeTypeForFile(path).name()});
        if (mime.waitForFinished(kAssociationQueryMs) && mime.exitStatus() == QProcess::NormalExit &&
            mime.exitCode() == 0 && mime.readAllStandardOutput().trimmed().isEmpty()) {
            return kNoApplication;
        }
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? kOpened : kNoApplication;
}

int RecordingShell::OpenDocument(const QString& path) {
    opened_.append(path);
    if (answers_.empty()) {
        return kOpened;
    }
    const int code = answers_.front();
    answers_.pop_front();
    return code;
}

}  // namespace platform
