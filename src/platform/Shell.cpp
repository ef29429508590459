#include "platform/Shell.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

namespace platform {

int DesktopShell::OpenDocument(const QString& path, const OpenFailed& failed) {
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
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? kOpened : kNoApplication;
    }
    // The opener as the desktop services would start it, but watched: its exit status says whether
    // the file could be opened. It shares this program's output and reads nothing, so whatever it
    // starts may outlive the program.
    auto* process = new QProcess(&openers_);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(opener, {path});
    if (!process->waitForStarted(kOpenerStartMs)) {
        delete process;
        return kNoApplication;
    }
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if ((status != QProcess::NormalExit || code != 0) && failed) {
                             failed();
                         }
                     });
    return kOpened;
}

DesktopShell::~DesktopShell() {
    // An opener still running is ended with the shell, without a word: nobody waits for its answer.
    for (QProcess* process : openers_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        QObject::disconnect(process, nullptr, nullptr, nullptr);
        process->kill();
        process->waitForFinished();
    }
}

int DesktopShell::RunningOpeners() const {
    int running = 0;
    for (const QProcess* process : openers_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        running += process->state() != QProcess::NotRunning ? 1 : 0;
    }
    return running;
}

int RecordingShell::OpenDocument(const QString& path, const OpenFailed& failed) {
    opened_.append(path);
    const int code = answers_.empty() ? kOpened : answers_.front();
    if (!answers_.empty()) {
        answers_.pop_front();
    }
    if (code == kOpened) {
        pending_.append(failed);
    }
    return code;
}

void RecordingShell::FailOpenings() {
    const QList<OpenFailed> failing = std::exchange(pending_, {});
    for (const OpenFailed& failed : failing) {
        if (failed) {
            failed();
        }
    }
}

}  // namespace platform
