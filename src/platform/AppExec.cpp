#include "platform/AppExec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

bool IsRoot(const QString& path) {
    return path == QLatin1String("/") || path == QLatin1String("\\") ||
           (path.size() == 3 && path[1] == u':' && path[2] == u'\\');
}

constexpr int kPollMs = 50;

}  // namespace

void TAppExec::SetExePath(const QString& path) {
    exePath_ = path;
    if ((exePath_.endsWith(u'\\') || exePath_.endsWith(u'/')) && !IsRoot(exePath_)) {
        exePath_.chop(1);
    }
}

QString TAppExec::Program() const {
    if (exePath_.isEmpty() && !ExeName.contains(u'/')) {
        return QStandardPaths::findExecutable(ExeName);
    }
    const QString path = exePath_.isEmpty() ? ExeName : QDir(exePath_).filePath(ExeName);
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

QStringList TAppExec::Arguments() const {
    QStringList args;
    for (const QString& p : exeParams_) {
        args.append(p.startsWith(u' ') ? p.mid(1) : p);
    }
    return args;
}

void TAppExec::Execute() {
    QString workingDir;
    if (ChangeDir && !exePath_.isEmpty()) {
        if (!QFileInfo(exePath_).isDir()) {
            throw EAppExecChDir(QStringLiteral("Cannot change to folder \"%1\": %2")
                                    .arg(exePath_, QString::fromLocal8Bit(std::strerror(ENOENT)))
                                    .toStdString());
        }
        workingDir = exePath_;
    }
    const QString program = Program();
    if (program.isEmpty()) {
        errNo_ = ENOENT;  // 2, "File was not found"
        throw EAppExecWinExec(QStringLiteral("%1: %2").arg(ErrorText(errNo_), ExeName).toStdString());
    }
    if (!Wait) {
        qint64 pid = 0;
        if (!QProcess::startDetached(program, Arguments(), workingDir, &pid)) {
            errNo_ = EIO;
            throw EAppExecWinExec(QStringLiteral("Cannot start \"%1\"").arg(program).toStdString());
        }
        return;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(Arguments());
    if (!workingDir.isEmpty()) {
        process.setWorkingDirectory(workingDir);
    }
    process.start();
    if (!process.waitForStarted()) {
        errNo_ = EIO;
        throw EAppExecWinExec(
            QStringLiteral("Cannot start \"%1\": %2").arg(program, process.errorString()).toStdString());
    }
    if (WaitLen == kPollingWait) {
        // The window stays responsive: pending events are handled while the program runs.
        while (!process.waitForFinished(kPollMs)) {
            if (process.state() == QProcess::NotRunning) {
                break;
            }
            QCoreApplication::processEvents();
        }
    } else if (!process.waitForFinished(WaitLen == 0 ? -1 : WaitLen)) {
        process.kill();
        process.waitForFinished();
    }
    errNo_ = 0;
}

QString TAppExec::ErrorText(int code) {
    if (code >= 32) {
        return QStringLiteral("No error");
    }
    switch (code) {
        case -1:
            return QStringLiteral("No execution");
        case 0:
            return QStringLiteral(
                "System was out of memory, executable file was corrupt, or relocations were invalid");
        case 2:
            return QStringLiteral("File was not found");
        case 3:
            return QStringLiteral("Path was not found");
        case 5:
            return QStringLiteral(
                "Attempt was made to dynamically link to a task, or there was a sharing or "
                "network-protection "
                "error");
        case 6:
            return QStringLiteral("Library required separate data segments for each task");
        case 8:
            return QStringLiteral("There was insufficient memory to start the application");
        case 10:
            return QStringLiteral("Windows version was incorrect");
        case 11:
            return QStringLiteral(
                "Executable file was invalid. Either it was not a Windows application or there was an error "
                "in the "
                ".EXE image");
        case 12:
            return QStringLiteral("Application was designed for a different operating system");
        case 13:
            return QStringLiteral("Application was designed for MS-DOS 4.0");
        case 14:
            return QStringLiteral("Type of executable file was unknown");
        case 15:
            return QStringLiteral(
                "Attempt was made to load a real-mode application (developed for an earlier version of "
                "Windows)");
        case 16:
            return QStringLiteral(
                "Attempt to load second instance of an executable containing multiple data segments not "
                "marked "
                "read-only");
        case 19:
            return QStringLiteral(
                "Attempt was made to load a compressed executable file. The file must be decompressed before "
                "it "
                "can be loaded");
        case 20:
            return QStringLiteral(
                "Dynamic-link library (DLL) file was invalid. One of the DLLs required to run this "
                "application was "
                "corrupt");
        case 21:
            return QStringLiteral("Application requires 32-bit extensions");
        default:
            return {};
    }
}

}  // namespace platform
