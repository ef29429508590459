#include "cli/BatchRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <filesystem>
#include <system_error>

#include "cli/ConsoleDialogs.h"
#include "compose/ButtonComposer.h"
#include "html/PreviewPages.h"
#include "output/ButtonBatch.h"
#include "output/CaptionLinks.h"
#include "output/CaptionNaming.h"
#include "output/StatusReport.h"
#include "platform/Interrupt.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/ScreenFonts.h"
#include "platform/TextCodec.h"
#include "project/ProjectFile.h"
#include "settings/DefaultSettings.h"

namespace cli {
namespace {

// Makes a folder with every missing level above it; the system's reason when it cannot.
bool MakeFolderPath(const QString& folder, QString* reason) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()),
                                        error);
    if (error || !platform::DirectoryExists(folder)) {
        *reason = error ? QString::fromLocal8Bit(error.message())
                        : QStringLiteral("a file of that name is in the way");
        return false;
    }
    return true;
}

QString NotSubFolderText(const QString& buttonFolder, const QString& htmlFolder) {
    return QStringLiteral(
               "the button folder \"%1\" does not lie inside the HTML folder \"%2\": the pages name "
               "their images by a path inside their own folder, so nothing was written")
        .arg(buttonFolder, htmlFolder);
}

QString Counted(qint64 n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

}  // namespace

TBatchRunner::TBatchRunner(BatchOptions options, QTextStream& out, QTextStream& err,
                           platform::ProgramFolders folders)
    : options_(std::move(options)), out_(out), err_(err), folders_(std::move(folders)) {}

bool TBatchRunner::LoadSettings(settings::AppSettings& s, ConsoleDialogs& dialogs) {
    settings::ApplyDefaultSettings(s, platform::ScreenFontFamilies(), folders_.dataFolder);
    project::ReadNotes notes;
    const QString& file = options_.settingsFile;
    const project::LoadOutcome outcome = project::ReadSettings(file, s, dialogs, &notes);
    if (outcome == project::LoadOutcome::NoFile || outcome == project::LoadOutcome::Unreadable) {
        dialogs.Fail(QStringLiteral("cannot read the settings file \"%1\": %2").arg(file, notes.reason));
        return false;
    }
    if (outcome == project::LoadOutcome::Unprocessable) {
        dialogs.Fail(QStringLiteral("the settings file \"%1\", line %2, could not be processed: %3")
                         .arg(file)
                         .arg(notes.line)
                         .arg(notes.reason));
        return false;
    }
    // A value the reader had to bring into range is worth a warning; the run goes on with it.
    for (const project::ReadNotes::Warning& warning : notes.warnings) {
        dialogs.Warn(QStringLiteral("the settings file \"%1\", line %2: %3")
                         .arg(file)
                         .arg(warning.line)
                         .arg(warning.text));
    }
    if (notes.settings == 0) {
        // Most likely the wrong file: everything comes from the defaults, the button folder too.
        QString warning =
            QStringLiteral("the settings file \"%1\" holds no settings; the defaults are used").arg(file);
        if (options_.outFolder.isEmpty()) {
            warning += QStringLiteral(", and the buttons go into \"%1\"").arg(s.targetFolder);
        }
        dialogs.Warn(warning);
    }
    return true;
}

bool TBatchRunner::LoadCaptions(settings::AppSettings& s, ConsoleDialogs& dialogs) {
    // Only a regular file of a sane size is read: a pipe or a device is refused at once.
    QString reason;
    const std::optional<QByteArray> bytes =
        platform::ReadRegularFile(options_.captionsFile, &reason, platform::kMaxTextFileSize);
    if (!bytes) {
        dialogs.Fail(
            QStringLiteral("cannot read the caption list \"%1\": %2").arg(options_.captionsFile, reason));
        return false;
    }
    QString problem;
    const std::optional<QString> text = platform::DecodeTextFile(*bytes, &problem);
    if (!text) {
        dialogs.Fail(
            QStringLiteral("cannot use the caption list \"%1\": %2").arg(options_.captionsFile, problem));
        return false;
    }
    // A line is a caption, or a caption, a tab and the link of its button ("Caption<TAB>Link").
    QList<QStringList> rows;
    const QStringList lines = platform::SplitLines(*text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('\t'));
        if (cells.size() > 2) {
            dialogs.Fail(
                QStringLiteral("the caption list \"%1\", line %2, holds %3 cells separated by tabs: a "
                               "line is a caption, or a caption, a tab and its link")
                    .arg(options_.captionsFile, QString::number(i + 1), QString::number(cells.size())));
            return false;
        }
        if (platform::Trim(cells[0]).isEmpty()) {
            if (cells.size() == 2 && output::IsLinkGiven(cells[1])) {
                dialogs.Warn(QStringLiteral("the caption list \"%1\", line %2: a link without a caption is "
                                            "skipped")
                                 .arg(options_.captionsFile, QString::number(i + 1)));
            }
            continue;  // blank lines are skipped
        }
        rows.append(cells);
    }
    settings::CaptionGrid& grid = s.captions;
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    // A list of no captions still leaves the grid its one (empty) row.
    for (int r = 1; r < grid.RowCount(); ++r) {
        const QStringList cells = rows.value(r - 1);
        for (int c = 0; c < settings::CaptionGrid::kColumns; ++c) {
            grid.SetCell(r, c, QString());
        }
        grid.SetCell(r, settings::CaptionGrid::kCaptionColumn, cells.value(0));
        grid.SetCell(r, settings::CaptionGrid::kLinkColumn, cells.value(1));
    }
    // Names as the caption list gives them to captions typed into it: numbered where they clash.
    output::RecalculateFilenames(s);
    return true;
}

bool TBatchRunner::ApplyOptions(settings::AppSettings& s, ConsoleDialogs& dialogs) {
    // Both folders are made absolute before they are compared, so "site" and "site/img" match.
    const auto absolute = [](const QString& folder) {
        return platform::IncludeTrailingSeparator(QFileInfo(folder).absoluteFilePath());
    };
    if (!options_.outFolder.isEmpty()) {
        s.targetFolder = absolute(options_.outFolder);
    }
    if (!options_.htmlFolder.isEmpty()) {
        s.htmlTargetFolder = absolute(options_.htmlFolder);
    }
    if (options_.smooth) {
        s.smoothCaptions = true;
    }
    if (options_.smoothShapes) {
        for (settings::ButtonStyle& b : s.button) {
            b.smoothEdges = true;
        }
    }
    if (options_.dither) {
        s.ditherGif = true;
    }
    if (options_.snippet) {
        s.navigationSnippet = true;
    }
    if (options_.pressed) {
        s.pressedImages = true;
    }
    if (options_.checkAccess) {
        s.checkAccess = true;
    }
    if (options_.pageStyle) {
        s.pageStyle = *options_.pageStyle;
    }
    if (options_.latinNames && !s.latinNames) {
        // As the window's choice: the names of the list follow it.
        s.latinNames = true;
        output::RecalculateFilenames(s);
    }
    if (options_.scale && (*options_.scale == 2) != s.scale2x) {
        // As the window's choice: the names of the list make room for the "@2x" names.
        s.scale2x = *options_.scale == 2;
        output::RecalculateFilenames(s);
    }
    if (options_.fileType && *options_.fileType != s.fileType) {
        // As choosing another file type in the window: the names follow it.
        s.fileType = *options_.fileType;
        output::RecalculateFilenames(s);
    }
    if (!s.captions.HasSavedRows()) {
        dialogs.Fail(
            options_.captionsFile.isEmpty()
                ? QStringLiteral("no captions: the settings file has none and no --captions file was given")
                : QStringLiteral("no captions: the caption list \"%1\" holds none")
                      .arg(options_.captionsFile));
        return false;
    }
    // A link no page may take is refused before any folder is made (the batch would refuse it too).
    if (const std::optional<QString> refusal = output::LinkRefusal(s)) {
        dialogs.Fail(*refusal);
        return false;
    }
    // The pages name the images by their path relative to the pages' folder: refused before any
    // folder is made.
    const QString buttonFolder = platform::IncludeTrailingSeparator(s.targetFolder);
    const QString htmlFolder = html::HtmlTargetFolder(s);
    if (options_.html && !html::RelativeButtonFolder(buttonFolder, htmlFolder)) {
        dialogs.Fail(NotSubFolderText(buttonFolder, htmlFolder));
        return false;
    }
    // The folders given on the command line are made with every missing level (the settings
    // file's folders keep the window's rule: only their last level is made).
    QString reason;
    if (!options_.outFolder.isEmpty() && !MakeFolderPath(buttonFolder, &reason)) {
        dialogs.Fail(QStringLiteral("cannot make the button folder \"%1\": %2").arg(buttonFolder, reason));
        return false;
    }
    if (!options_.htmlFolder.isEmpty() && !MakeFolderPath(htmlFolder, &reason)) {
        dialogs.Fail(QStringLiteral("cannot make the HTML folder \"%1\": %2").arg(htmlFolder, reason));
        return false;
    }
    return true;
}

void TBatchRunner::Done(const QString& path, bool written) {
    Done(path, written, platform::FileSize(path));
}

void TBatchRunner::Done(const QString& path, bool written, qint64 size) {
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
    // The data folder as the window would make it, so the default button folder is there where the
    // window never ran; a folder that cannot be made shows when the batch needs it.
    platform::MakeDataFolders(folders_, false);
    settings::AppSettings s;
    // A reading that a termination request ended ends the run with the signal's status.
    const auto notRead = [] {
        const int signal = platform::InterruptSignal();
        return signal != 0 ? kExitInterrupted + signal : kExitFailed;
    };
    if (!LoadSettings(s, dialogs)) {
        return notRead();
    }
    if (!options_.captionsFile.isEmpty() && !LoadCaptions(s, dialogs)) {
        return notRead();
    }
    if (options_.scale == 2 && s.enforce83) {
        // Twice-size images cannot be named within 8.3 names: the arguments ask for the impossible.
        err_ << "kestro-batch: --scale 2 cannot be used with 8.3 file names (the settings file \""
             << options_.settingsFile
             << "\" enforces them, setting 17): a name with \"@2x\" does not fit into 8.3.\n";
        err_.flush();
        return kExitBadArguments;
    }
    if (!ApplyOptions(s, dialogs)) {
        return kExitFailed;
    }
    // File names from the settings file that would leave their folder are replaced when the batch
    // starts; the run says so once.
    if (const QString names = output::UnusableNamesWarning(s); !names.isEmpty()) {
        dialogs.Warn(QStringLiteral("the settings file \"%1\": %2").arg(options_.settingsFile, names));
    }
    // Without --keep-existing every file is overwritten; with it the question is asked and answered
    // "N&o to All", so each existing file is kept.
    s.overwritePrompt = options_.keepExisting;
    s.htmlOverwritePrompt = options_.keepExisting;

    compose::TButtonComposer composer(s);
    output::ButtonBatch batch(s, dialogs, composer);
    batch.Threads = options_.threads;
    batch.OnFileSaved = [this](const QString& path, bool written, qint64 size) { Done(path, written, size); };
    batch.OnCaptionOutsideShape = [&dialogs](int type, const QString& caption) {
        dialogs.Warn(output::OutsideShapeWarning(type, caption));
    };
    // Where a batch ended: the caption being saved among those to save.
    const auto total = s.captions.SavedRows().size();
    const auto stopped = [&batch, total] {
        return QStringLiteral("the batch stopped at caption %1 of %2")
            .arg(batch.SavedButtons().size() + 1)
            .arg(total);
    };
    batch.OnFolderFailure = [&](const QString& folder) {
        dialogs.Fail(
            platform::DirectoryExists(folder)
                ? QStringLiteral("cannot write into the button folder \"%1\"; %2").arg(folder, stopped())
                : QStringLiteral("cannot make the button folder \"%1\" (only its last level is made "
                                 "when the settings file names it; --out makes them all); %2")
                      .arg(folder, stopped()));
    };
    batch.OnBatchError = [&](const QString& error) {
        dialogs.Fail(QStringLiteral("%1: %2").arg(stopped(), error));
    };
    html::PreviewPages pages(s, dialogs, batch);
    pages.OnPageSaved = [this](const QString& path, bool written) { Done(path, written); };
    pages.OnNotSubFolder = [&](const QString& buttonFolder, const QString& htmlFolder) {
        dialogs.Fail(NotSubFolderText(buttonFolder, htmlFolder));
    };
    pages.OnPageWriteFailed = [&](const QString& path, const QString& reason) {
        dialogs.Fail(QStringLiteral("cannot write the page \"%1\": %2").arg(path, reason));
    };
    const bool reportDue = !options_.reportFile.isEmpty();
    const auto writeReport = [&](bool withHtml) {
        if (platform::InterruptSignal() != 0) {
            return;
        }
        QString reason;
        const QString date = output::ReportDate(Clock());
        const QStringList lines = output::ReportLines(batch.SavedButtons(), pages.SavedPages(), withHtml, s,
                                                      date, batch.AccessRecords());
        if (!output::SaveReport(options_.reportFile, lines, nullptr, &reason)) {
            dialogs.Fail(
                QStringLiteral("cannot write the report \"%1\": %2").arg(options_.reportFile, reason));
            return;
        }
        Done(options_.reportFile, true);
    };

    try {
        if (options_.html) {
            // No browser is opened; the report follows the pages, where the window writes and opens it.
            pages.WriteStatusReport = [&] {
                if (reportDue) {
                    writeReport(true);
                }
            };
            pages.generatehtmlbuttonClick();
        } else if (batch.SaveButtonBatch() && reportDue) {
            writeReport(false);
        }
    } catch (const std::exception& e) {
        // What the window would write into its status bar; after a batch that failed with its own
        // message it adds nothing.
        if (dialogs.Failures() == 0) {
            dialogs.Fail(QString::fromLocal8Bit(e.what()));
        }
    }
    // The images that fall short of contrast or size, once everything is written; the run then ends
    // with its own status unless another one wins.
    int shortImages = 0;
    if (s.checkAccess) {
        for (const output::AccessRecord& record : batch.AccessRecords()) {
            if (!record.figure.Met()) {
                ++shortImages;
                err_ << "kestro-batch: accessibility: " << output::AccessLine(record) << '\n';
            }
        }
        err_.flush();
    }
    // A termination request abandons the file in hand and everything after it; what was written
    // before it stays, and is summed up.
    const int signal = platform::InterruptSignal();
    if (signal != 0) {
        err_ << "kestro-batch: stopped by " << platform::SignalName(signal)
             << "; no further files, pages or report have been written.\n";
        err_.flush();
    } else if (dialogs.Failures() > 0) {
        return kExitFailed;
    }
    if (!options_.quiet) {
        out_ << Counted(written_, "file", "files") << " written (" << bytes_ << " bytes), " << kept_
             << " kept, in " << QString::number(static_cast<double>(clock.nsecsElapsed()) / 1e9, 'f', 2)
             << " s\n";
    }
    out_.flush();
    if (signal != 0) {
        return kExitInterrupted + signal;
    }
    return shortImages > 0 ? kExitInaccessible : kExitOk;
}

}  // namespace cli
