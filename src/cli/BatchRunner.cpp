#include "cli/BatchRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <csignal>

#include "cli/ConsoleDialogs.h"
#include "compose/ButtonComposer.h"
#include "html/PreviewPages.h"
#include "output/ButtonBatch.h"
#include "output/CaptionNaming.h"
#include "output/StatusReport.h"
#include "platform/Interrupt.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "project/ProjectFile.h"
#include "settings/DefaultSettings.h"

namespace cli {

TBatchRunner::TBatchRunner(BatchOptions options, QTextStream& out, QTextStream& err, QString dataFolder)
    : options_(std::move(options)), out_(out), err_(err), dataFolder_(std::move(dataFolder)) {}

bool TBatchRunner::LoadSettings(settings::AppSettings& s, ConsoleDialogs& dialogs) {
    settings::ApplyDefaultSettings(s, QFontDatabase::families(), dataFolder_);
    // A value the reader had to bring into range is worth a warning; the run goes on with it.
    dialogs.warningPrefix = QStringLiteral("kestro-batch: warning: %1: ").arg(options_.settingsFile);
    QString error;
    const project::LoadOutcome outcome = project::ReadSettings(options_.settingsFile, s, dialogs, &error);
    dialogs.warningPrefix.clear();
    if (outcome == project::LoadOutcome::NoFile) {
        dialogs.Fail(
            QStringLiteral("kestro-batch: cannot read the settings file \"%1\".").arg(options_.settingsFile));
        return false;
    }
    if (outcome == project::LoadOutcome::Unprocessable) {
        dialogs.Fail(QStringLiteral("kestro-batch: the settings file \"%1\" could not be processed: %2")
                         .arg(options_.settingsFile, error));
        return false;
    }
    return true;
}

bool TBatchRunner::LoadCaptions(settings::AppSettings& s, ConsoleDialogs& dialogs) {
    QFile file(options_.captionsFile);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs.Fail(QStringLiteral("kestro-batch: cannot read the caption list \"%1\": %2")
                         .arg(options_.captionsFile, file.errorString()));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QStringList captions;
    for (const QString& line : platform::SplitLines(platform::DecodeUtf8OrWindows1252(bytes))) {
        if (!platform::Trim(line).isEmpty()) {
            captions.append(line);
        }
    }
    settings::CaptionGrid& grid = s.captions;
    grid.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 1; r < grid.RowCount(); ++r) {
        grid.SetCell(r, settings::CaptionGrid::kCaptionColumn, captions.value(r - 1));
        for (int c = settings::CaptionGrid::kType1Column; c <= settings::CaptionGrid::kHtmlColumn; ++c) {
            grid.SetCell(r, c, QString());
        }
    }
    // Names as the caption list gives them to captions typed into it: numbered where they clash.
    output::RecalculateFilenames(s);
    return true;
}

void TBatchRunner::Done(const QString& path, bool written) {
    const qint64 size = platform::FileSize(path);
    if (written) {
        ++written_;
        bytes_ += std::max<qint64>(size, 0);
    } else {
        ++kept_;
    }
    if (!options_.quiet) {
        out_ << (written ? "written " : "kept    ") << path << " (" << size << " bytes)\n";
    }
}

int TBatchRunner::Run() {
    QElapsedTimer clock;
    clock.start();
    ConsoleDialogs dialogs(err_);
    settings::AppSettings s;
    if (!LoadSettings(s, dialogs)) {
        return kExitFailed;
    }
    if (!options_.captionsFile.isEmpty() && !LoadCaptions(s, dialogs)) {
        return kExitFailed;
    }
    if (!options_.outFolder.isEmpty()) {
        s.targetFolder = platform::IncludeTrailingSeparator(QFileInfo(options_.outFolder).absoluteFilePath());
    }
    if (options_.fileType && *options_.fileType != s.fileType) {
        // As choosing another file type in the window: the names follow it.
        s.fileType = *options_.fileType;
        output::RecalculateFilenames(s);
    }
    // Without --keep-existing every file is overwritten; with it the question is asked and answered
    // "N&o to All", so each existing file is kept.
    s.overwritePrompt = options_.keepExisting;
    s.htmlOverwritePrompt = options_.keepExisting;

    compose::TButtonComposer composer(s);
    output::ButtonBatch batch(s, dialogs, composer);
    batch.OnFileSaved = [this](const QString& path, bool written) { Done(path, written); };
    html::PreviewPages pages(s, dialogs, batch, composer);
    pages.OnPageSaved = [this](const QString& path, bool written) { Done(path, written); };
    const bool reportDue = !options_.reportFile.isEmpty();
    const auto writeReport = [&](bool withHtml) {
        if (platform::InterruptSignal() != 0) {
            return;
        }
        QString error;
        const QString date = output::ReportDate(Clock());
        const QStringList lines =
            output::ReportLines(batch.SavedButtons(), pages.SavedPages(), withHtml, s, date);
        if (!output::SaveReport(options_.reportFile, lines, &error)) {
            dialogs.Fail(QStringLiteral("kestro-batch: %1").arg(error));
            return;
        }
        Done(options_.reportFile, true);
    };

    if (options_.html) {
        // No browser is opened; the report follows the pages, where the window writes and opens it.
        pages.WriteStatusReport = [&] {
            if (reportDue) {
                writeReport(true);
            }
        };
        pages.generatehtmlbuttonClick();
    } else if (!output::HasCaptions(s.captions)) {
        dialogs.Fail(output::NoCaptionsMessage());
    } else if (batch.SaveButtonBatch() && reportDue) {
        writeReport(false);
    }
    // A termination request abandons the file in hand and everything after it; what was written
    // before it stays, and is summed up.
    const int signal = platform::InterruptSignal();
    if (signal != 0) {
        err_ << "kestro-batch: stopped by " << (signal == SIGINT ? "SIGINT" : "SIGTERM")
             << "; no further files, pages or report have been written.\n";
        err_.flush();
    } else if (dialogs.Failures() > 0) {
        return kExitFailed;
    }
    if (!options_.quiet) {
        out_ << written_ << " files written (" << bytes_ << " bytes), " << kept_ << " kept, in "
             << QString::number(static_cast<double>(clock.nsecsElapsed()) / 1e9, 'f', 2) << " s\n";
    }
    out_.flush();
    return signal != 0 ? kExitInterrupted + signal : kExitOk;
}

}  // namespace cli
