#include "output/ButtonBatch.h"

#include <QFile>
#include <QImageReader>
#include <stdexcept>

#include "encode/BmpWriter.h"
#include "encode/GIFImage.h"
#include "encode/PngWriter.h"
#include "encode/WebpWriter.h"
#include "output/BatchChecks.h"
#include "output/CaptionNaming.h"
#include "output/RenderAhead.h"
#include "platform/FileWriting.h"
#include "platform/IntegerText.h"
#include "platform/Interrupt.h"
#include "platform/Paths.h"
#include "platform/ShownText.h"
#include "platform/TextCodec.h"
#include "settings/ColourString.h"

namespace output {

using settings::CaptionGrid;

namespace {

constexpr int kNameFieldLength = 30;

// The size of a file named in the list; a file that cannot be opened stops the batch.
double ReadFileSize(const QString& path) {
    const std::int64_t size = platform::FileSize(path);
    if (size < 0) {
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\"").arg(path).toStdString());
    }
    return static_cast<double>(size);
}

// Keeps the previews from refreshing while files are rendered and written.
class SuspendPreviews {
  public:
    explicit SuspendPreviews(settings::AppSettings& s) : s_(s) { s_.PreviewUpdatesSuspended = true; }
    ~SuspendPreviews() { s_.PreviewUpdatesSuspended = false; }
    SuspendPreviews(const SuspendPreviews&) = delete;
    SuspendPreviews& operator=(const SuspendPreviews&) = delete;

  private:
    settings::AppSettings& s_;
};

// How many files the workers may make ahead of the writer, per worker.
constexpr int kLookaheadPerThread = 4;

}  // namespace

GifReduction GifReductionOf(const settings::AppSettings& s) {
    GifReduction reduction;
    reduction.dither = s.ditherGif;
    const settings::ColourValue page = settings::ColourFromStringLenient(s.htmlBackgroundColour);
    // A value with a top byte (a system colour, "no colour") is resolved by the face engine alone.
    constexpr settings::ColourValue kTopByte = 0xFF000000u;
    if (reduction.dither && (page & kTopByte) == 0) {
        reduction.pageColour = qRgb(settings::RedOf(page), settings::GreenOf(page), settings::BlueOf(page));
    }
    return reduction;
}

QString OverwritePrompt(const QString& fileName) {
    return QStringLiteral("Button 1 filename \"%1\" exists, ok to ovewrite ?")
        .arg(platform::EscapeControls(fileName));
}

QString FolderFailureMessage(const QString& folder) {
    return QStringLiteral("Unable to access the specified target folder: -\r%1\rno buttons have been saved.")
        .arg(folder);
}

QString BatchErrorMessage(const QString& error) {
    return QStringLiteral(
               "An error occured whilst saving this batch of buttons, the error is: -\r\"%1\"\r"
               "please check your caption settings and also that your target folder is\r"
               "accessible and has sufficient free disk space.")
        .arg(error);
}

QString NoCaptionsMessage() {
    return QStringLiteral(
        "There are no captions set up in the \"Batch Caption List\", please check and try again.");
}

QString BatchSavedMessage(const QString& folder) {
    return QStringLiteral("All buttons have been saved to folder: -\r%1").arg(folder);
}

QString ProgressText(int current, int total) {
    return QStringLiteral("Saving %1 of %2 \u2026").arg(current).arg(total);
}

QString OverwriteQuestionText(int current, int total, const QString& caption, const QString& fileName) {
    return QStringLiteral("Saving %1 of %2: \"%3\" \u2014 replace %4?")
        .arg(current)
        .arg(total)
        .arg(platform::ShownValue(caption), platform::EscapeControls(fileName));
}

QString BatchSummaryText(bool saved, int done, int total, int written, int kept) {
    const QString files = QStringLiteral("%1 %2 written, %3 kept")
                              .arg(written)
                              .arg(written == 1 ? QStringLiteral("file") : QStringLiteral("files"))
                              .arg(kept);
    if (saved) {
        return QStringLiteral("%1 %2 done (%3)")
            .arg(done)
            .arg(done == 1 ? QStringLiteral("caption") : QStringLiteral("captions"), files);
    }
    return QStringLiteral("The batch stopped at caption %1 of %2 (%3)").arg(done).arg(total).arg(files);
}

QString OutsideShapeText(int captions) {
    return captions == 1 ? QStringLiteral("; 1 caption does not fit inside its shape")
                         : QStringLiteral("; %1 captions do not fit inside their shape").arg(captions);
}

QString OutsideShapeWarning(int type, const QString& caption) {
    return QStringLiteral(
               "the caption \"%1\" does not fit inside the shape of type %2 buttons at their width; "
               "it is drawn as it is")
        .arg(platform::ShownValue(caption), QString::number(settings::ShownTypeNumber(type)));
}

QString StoppedText(int done, int total, int written) {
    return QStringLiteral("Stopped after %1 of %2 captions (%3 %4 written).")
        .arg(done)
        .arg(total)
        .arg(written)
        .arg(written == 1 ? QStringLiteral("file") : QStringLiteral("files"));
}

QString FolderTestLine() {
    return QStringLiteral("Test file for \"kestro.exe\" - you can safely delete this file.");
}

QSize ButtonFilePictureSize(const QString& path) {
    const QSize size = QImageReader(path).size();
    if (size.isValid()) {
        return size;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    constexpr qint64 kWebpHeaderBytes = 64;
    return encode::WebpPictureSize(file.read(kWebpHeaderBytes));
}

QString Pad30(const QString& text) {
    return text.left(kNameFieldLength).leftJustified(kNameFieldLength, QLatin1Char(' '));
}

ButtonBatch::ButtonBatch(settings::AppSettings& settings, platform::Dialogs& dialogs,
                         ButtonRenderer& renderer)
    : settings_(settings), dialogs_(dialogs), renderer_(renderer) {}

QByteArray ButtonBatch::EncodeImage(const QImage& image, int fileType, const GifReduction& reduction) {
    // An image without pixels would be a file that no image tool opens: it is never written.
    if (image.width() < 1 || image.height() < 1) {
        throw std::runtime_error(QStringLiteral("An image of %1 x %2 pixels cannot be saved")
                                     .arg(image.width())
                                     .arg(image.height())
                                     .toStdString());
    }
    if (fileType == settings::kFileTypeGif) {
        encode::TGIFImage gifImage;
        if (reduction.dither) {
            gifImage.SetDitherMode(encode::TDitherMode::dmFloydSteinberg, reduction.pageColour);
        }
        gifImage.Assign(image);
        return gifImage.SaveToBytes();
    }
    if (fileType == settings::kFileTypePng) {
        return encode::EncodePng(image);
    }
    if (fileType == settings::kFileTypeWebp) {
        return encode::EncodeWebp(image);
    }
    return encode::EncodeBmp24(image);
}

bool ButtonBatch::FolderUsable(const QString& folder) {
    folderTested_ =
        platform::TestFolder(folder, platform::ToWindows1252(platform::JoinCrLfLines({FolderTestLine()})));
    return folderTested_;
}

ButtonBatch::FileResult ButtonBatch::WriteButtonFile(const QString& folderText, const QString& fileName,
                                                     const QString& caption,
                                                     const std::function<QByteArray()>& encode,
                                                     double& size) {
    const QString folder = platform::IncludeTrailingSeparator(folderText);
    FileResult result;
    result.folderOk = true;
    // The folder is made and tested once in a batch, before its first file, and again after a failed
    // write: making each file's own temporary already proves that the folder takes files.
    if (!folderTested_) {
        platform::CreateFolder(folder);
        if (!FolderUsable(folder)) {
            result.folderOk = false;
            return result;
        }
    }

    const QString path = folder + fileName;
    QByteArray bytes;
    LastOverwriteAnswer = static_cast<int>(platform::ConfirmAnswer::Yes);
    bool write = true;
    try {
        bytes = encode();
        if (settings_.overwritePrompt && platform::FileExists(path)) {
            if (!OverwriteNoToAll && !OverwriteYesToAll) {
                if (OnOverwriteQuestion) {
                    OnOverwriteQuestion(caption, fileName);
                }
                LastOverwriteAnswer = static_cast<int>(dialogs_.Confirm(OverwritePrompt(fileName)));
            }
            if (OverwriteNoToAll) {
                write = false;
            } else if (OverwriteYesToAll) {
                write = true;
            } else {
                const auto answer = static_cast<platform::ConfirmAnswer>(LastOverwriteAnswer);
                write = answer == platform::ConfirmAnswer::Yes || answer == platform::ConfirmAnswer::YesToAll;
                OverwriteYesToAll = answer == platform::ConfirmAnswer::YesToAll;
                OverwriteNoToAll = answer == platform::ConfirmAnswer::NoToAll;
            }
        }
        // A file that cannot be written (no space, no permission, any other failure) ends the batch
        // through its error guard with the system's own reason; the writer never leaves a partial
        // file and never harms the file it would have replaced.
        QString reason;
        if (write && !platform::ReplaceFile(path, bytes, &reason)) {
            throw std::runtime_error(platform::CannotWriteText(path, reason).toStdString());
        }
    } catch (const std::exception&) {
        // A folder that no longer takes files is reported as such; otherwise the write's own
        // reason ends the batch (a write abandoned on a termination request ends it quietly).
        if (platform::InterruptSignal() == 0 && !FolderUsable(folder)) {
            result.folderOk = false;
            return result;
        }
        throw;
    }
    result.saved = write;
    // A written file's size is known; a kept one is whatever the folder holds under the name.
    const qint64 fileSize = write ? bytes.size() : platform::FileSize(path);
    size = fileSize >= 0 ? static_cast<double>(fileSize) : ReadFileSize(path);
    if (OnFileSaved) {
        OnFileSaved(path, write, fileSize);
    }
    return result;
}

bool ButtonBatch::SaveButtonBatch() {
    struct BatchScope {
        ButtonBatch& batch;
        explicit BatchScope(ButtonBatch& b) : batch(b) {
            batch.folderTested_ = false;
            batch.stopped_ = false;
            batch.lastBatchSaved_ = false;
        }
        ~BatchScope() { batch.stopRequest_ = false; }
        BatchScope(const BatchScope&) = delete;
        BatchScope& operator=(const BatchScope&) = delete;
    } scope(*this);
    const SuspendPreviews suspended(settings_);
    // What an interrupted run left in the folder goes first, so it is never taken for the user's file.
    platform::SweepLeftovers(platform::IncludeTrailingSeparator(settings_.targetFolder));
    savedButtons_.clear();
    accessRecords_.clear();
    OverwriteYesToAll = false;
    OverwriteNoToAll = false;
    bool result = true;
    CaptionGrid& grid = settings_.captions;
    const QList<int> rows = grid.SavedRows();
    const int total = static_cast<int>(rows.size());
    try {
        // The faces are planned once, each background bitmap read once. Nothing is written when a
        // bitmap cannot be read or a button would be empty; names that would leave the folder are
        // replaced before any is used.
        const std::shared_ptr<const BatchFaces> faces = renderer_.PlanBatch();
        if (const std::optional<QString> refusal = BatchRefusal(settings_, *faces)) {
            dialogs_.ShowError(*refusal);
            return false;
        }
        ReplaceUnusableNames(settings_);

        // The workers render and encode each caption's files (type 1, then type 2 when enabled, then
        // the pressed image while those are written; each followed by its twice-size image while
        // those are written) ahead of this loop, which writes them, asks and reports strictly in
        // caption order, and makes a file itself when no worker has started it. One thread: this
        // loop makes every file.
        const bool second = settings_.secondbuttonEnabled;
        const int types = second ? 2 : 1;
        const bool pressed = settings_.pressedImages;
        // The pressed image is type 2's face pressed, type 1's while type 2 is disabled.
        const int pressedType = second ? settings::kType2 : settings::kType1;
        const int images = types + (pressed ? 1 : 0);  // a caption's images at 1×
        const bool scaled = WritesScaledImages(settings_);
        const int scales = scaled ? 2 : 1;
        const int files = images * scales;  // a caption's files
        const QStringList pressedNames = pressed ? PressedFilenames(settings_) : QStringList();
        const int fileType = settings_.fileType;
        const GifReduction reduction = GifReductionOf(settings_);
        QStringList captions;
        for (const int r : rows) {
            captions.append(grid.Cell(r, CaptionGrid::kCaptionColumn));
        }
        const int threads = Threads > 0 ? Threads : RenderAhead::DefaultThreads();
        RenderAhead ahead(
            total * files,
            [&](int job) {
                const int file = job % files;
                const int image = file / scales;
                const QString& caption = captions[job / files];
                const int scale = file % scales + 1;
                return EncodeImage(image < types ? faces->Picture(settings::kType1 + image, caption, scale)
                                                 : faces->PressedPicture(pressedType, caption, scale),
                                   fileType, reduction);
            },
            threads - 1, kLookaheadPerThread * threads);

        const QString folder = settings_.targetFolder;
        for (int k = 0; k < total; ++k) {
            const int r = rows[k];
            const QString& caption = captions[k];
            if (OnProgress) {
                OnProgress(k + 1, total, caption);
            }
            if (OnCaptionOutsideShape) {
                for (int type = settings::kType1; type < settings::kType1 + types; ++type) {
                    if (!faces->CaptionInsideShape(type, caption)) {
                        OnCaptionOutsideShape(type, caption);
                    }
                }
            }
            const FileNames defaults = CaptionFilenames(caption, settings_, r);
            const QString names[3] = {defaults.button1, defaults.button2, defaults.html};
            for (int c = CaptionGrid::kType1Column; c <= CaptionGrid::kHtmlColumn; ++c) {
                if (platform::Trim(grid.Cell(r, c)).isEmpty()) {
                    grid.SetCell(r, c, names[c - 1]);
                }
            }
            SavedButtonInfo info;
            info.caption = Pad30(caption);
            // The names of the files written: the list's own, which may differ from the defaults.
            info.button1Name = Pad30(grid.Cell(r, CaptionGrid::kType1Column));
            info.button2Name = second ? Pad30(grid.Cell(r, CaptionGrid::kType2Column))
                                      : Pad30(QLatin1String(kType2DisabledMarker));
            info.button2Size = 0;
            if (scaled) {
                info.scaled = true;
                info.scaled1Name = Pad30(ScaledFilename(grid.Cell(r, CaptionGrid::kType1Column)));
                info.scaled2Name = second ? Pad30(ScaledFilename(grid.Cell(r, CaptionGrid::kType2Column)))
                                          : Pad30(QString());
                info.scaled2Size = 0;
            }
            if (pressed) {
                info.pressed = true;
                info.pressedName = Pad30(pressedNames[r]);
                if (scaled) {
                    info.scaledPressedName = Pad30(ScaledFilename(pressedNames[r]));
                }
            }
            // A stop or a termination request ends the batch before the next file; the file in
            // hand is done. Each file, 1× or 2×, is asked about by its own name; the "to All"
            // answers hold for all of them.
            bool folderOk = true;
            for (int file = 0; file < files && folderOk; ++file) {
                if (StopRequested()) {
                    return false;
                }
                const int job = k * files + file;
                const int image = file / scales;  // 0 type 1, 1 type 2 (when enabled), then pressed
                const bool first = image == 0;
                const bool isPressed = image == types;
                const bool large = file % scales != 0;
                const QString& name =
                    isPressed ? pressedNames[r]
                              : grid.Cell(r, first ? CaptionGrid::kType1Column : CaptionGrid::kType2Column);
                double& size = isPressed ? (large ? info.scaledPressedSize : info.pressedSize)
                               : large   ? (first ? info.scaled1Size : info.scaled2Size)
                                         : (first ? info.button1Size : info.button2Size);
                folderOk = WriteButtonFile(
                               folder, large ? ScaledFilename(name) : name, caption,
                               [&] { return ahead.Take(job); }, size)
                               .folderOk;
            }
            if (!folderOk) {
                if (OnFolderFailure) {
                    OnFolderFailure(folder);
                } else {
                    dialogs_.ShowMessage(FolderFailureMessage(folder));
                }
                return false;
            }
            savedButtons_.append(info);
            if (settings_.checkAccess) {
                // Each 1× image is measured once its files are written; its twice-size image is the
                // same face drawn larger and goes by it.
                for (int image = 0; image < images; ++image) {
                    const bool isPressed = image == types;
                    AccessRecord record;
                    record.caption = caption;
                    record.type = isPressed ? pressedType : settings::kType1 + image;
                    record.pressed = isPressed;
                    record.fileName = isPressed ? pressedNames[r]
                                                : grid.Cell(r, image == 0 ? CaptionGrid::kType1Column
                                                                          : CaptionGrid::kType2Column);
                    record.figure = faces->Access(record.type, caption, isPressed);
                    accessRecords_.append(record);
                }
            }
        }
    } catch (const std::exception& e) {
        result = false;
        if (StopRequested()) {
            return false;
        }
        const QString error = QString::fromLocal8Bit(e.what());
        if (OnBatchError) {
            OnBatchError(error);
        } else {
            dialogs_.ShowError(BatchErrorMessage(error));
        }
    }
    lastBatchSaved_ = result;
    return result;
}

bool ButtonBatch::StopRequested() {
    if (platform::InterruptSignal() != 0 || stopRequest_) {
        stopped_ = true;
    }
    return stopped_;
}

void ButtonBatch::SaveBatchButtonClick() {
    lastBatchSaved_ = false;
    if (!settings_.captions.HasSavedRows()) {
        dialogs_.ShowError(NoCaptionsMessage());
        return;
    }
    const bool saved = SaveButtonBatch();
    if (OnBatchEnded) {
        OnBatchEnded();
    }
    if (RefreshPreviews) {
        RefreshPreviews();
    }
    if (!saved) {
        return;
    }
    if (settings_.statusReports && WriteStatusReport) {
        WriteStatusReport();
    } else {
        dialogs_.ShowMessage(BatchSavedMessage(settings_.targetFolder));
    }
}

}  // namespace output
