#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// The real kestro-batch, started in a folder as a user starts it there, and what it left behind.
namespace batchprogram {

struct Outcome {
    int status = -1;  // -1: it crashed, or was killed for taking longer than the time given
    QByteArray out;
    QByteArray err;
};

inline Outcome Start(const QStringList& arguments, const QString& folder, int timeoutMs = 120000) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(KESTRO_BATCH_BINARY), arguments);
    Outcome result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

}  // namespace batchprogram
