#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

int DesktopShell::OpenDocument(const QString& path) {
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
