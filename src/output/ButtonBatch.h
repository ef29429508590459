#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

#include "output/AccessCheck.h"
#include "output/ButtonRenderer.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "settings/AppSettings.h"

// Rendering and saving the caption list as button files.
namespace output {

// One saved caption: its text and default names cut or padded to 30 characters, and the sizes of
// the files named in the list (-1 until read, 0 for a disabled type 2).
struct SavedButtonInfo {
    QString caption;
    QString button1Name;
    double button1Size = -1;
    QString button2Name;
    double button2Size = -1;
    // While twice-size images are written: their names (the row's names with "@2x", cut or padded
    // to 30 characters; spaces for a disabled type 2) and sizes (0 for a disabled type 2).
    bool scaled = false;
    QString scaled1Name{};
    double scaled1Size = -1;
    QString scaled2Name{};
    double scaled2Size = -1;
    // While pressed images are written: the name and size of the row's pressed image (cut or padded
    // to 30 characters), and of its twice-size copy while those are written.
    bool pressed = false;
    QString pressedName{};
    double pressedSize = -1;
    QString scaledPressedName{};
    double scaledPressedSize = -1;
};

// The width and height of the picture in a button file, an invalid size when it cannot be read. Qt
// reads BMP, GIF and PNG files; WebP files, which Qt reads only with an extra plugin, are read here.
QSize ButtonFilePictureSize(const QString& path);

// How a batch's GIF files reduce their colours to the web palette: by the nearest colour, or by error
// diffusion with the page colour around a shaped button kept as the nearest colour maps it.
struct GifReduction {
    bool dither = false;
    std::optional<QRgb> pageColour;
};

// The settings' GIF reduction. The page colour is known here when it is a plain RGB value; a system
// colour or "no colour" is resolved only by the face engine, and around such a button the page colour
// stays flat only when it is a web colour.
GifReduction GifReductionOf(const settings::AppSettings& s);

// Texts of the messages a batch shows.
QString OverwritePrompt(const QString& fileName);
QString FolderFailureMessage(const QString& folder);
QString BatchErrorMessage(const QString& error);
QString NoCaptionsMessage();
QString BatchSavedMessage(const QString& folder);
// The status bar text while a batch runs: "Saving 120 of 1000 …".
QString ProgressText(int current, int total);
// The status bar while an overwrite question about one of a caption's files is open.
QString OverwriteQuestionText(int current, int total, const QString& caption, const QString& fileName);
// The status bar after a batch: "16 captions done (30 files written, 2 kept)", or where it stopped.
QString BatchSummaryText(bool saved, int done, int total, int written, int kept);
// What the status bar adds after a batch with captions that do not fit inside their shape: "; 2
// captions do not fit inside their shape".
QString OutsideShapeText(int captions);
// The line kestro-batch warns with for such a caption.
QString OutsideShapeWarning(int type, const QString& caption);
// The status bar after a batch the user stopped: "Stopped after 3 of 10 captions (6 files written)."
QString StoppedText(int done, int total, int written);
// The line of the folder test file.
QString FolderTestLine();
// A text cut to 30 characters or padded with spaces to 30.
QString Pad30(const QString& text);

class ButtonBatch {
  public:
    ButtonBatch(settings::AppSettings& settings, platform::Dialogs& dialogs, ButtonRenderer& renderer);

    // Saves every caption of the list; false when it stopped on a folder failure, an error or a
    // termination request. Leftovers of interrupted runs are swept from the folder first.
    bool SaveButtonBatch();

    // Whether the last batch stopped on a stop request or a termination request (nothing more is
    // written then).
    bool Stopped() const { return stopped_; }

    // Asks the running batch to stop after the file in hand; safe to call from any thread. The next
    // batch starts without it.
    void RequestStop() { stopRequest_ = true; }

    // The threads that render and encode a batch's files, the writer's own included (0: one per core;
    // 1: the writer alone).
    int Threads = 0;

    // The "&Save Buttons" action: refuses an empty list, runs the batch, refreshes the previews and
    // reports.
    void SaveBatchButtonClick();

    const QList<SavedButtonInfo>& SavedButtons() const { return savedButtons_; }
    void ClearSavedButtons() { savedButtons_.clear(); }

    // While "Check contrast and size" is on: how each 1× image the last batch wrote measures, in
    // the order written (each caption's type 1, type 2 and pressed images); empty otherwise.
    const QList<AccessRecord>& AccessRecords() const { return accessRecords_; }

    bool OverwriteYesToAll = false;
    bool OverwriteNoToAll = false;
    int LastOverwriteAnswer = static_cast<int>(platform::ConfirmAnswer::Yes);

    // Writes and shows the status report of a finished batch; without one the batch's plain
    // message is shown instead.
    std::function<void()> WriteStatusReport;

    // Told before each caption's files are written: its place among the captions to save (from 1),
    // how many there are, and the caption. The window shows the progress and the faces being saved.
    std::function<void(int current, int total, const QString& caption)> OnProgress;

    // Told once for each caption and type whose caption does not fit inside its button's shape (a
    // fixed width too narrow for it), before the caption's files are written; the files are written
    // all the same.
    std::function<void(int type, const QString& caption)> OnCaptionOutsideShape;

    // Told before the overwrite question is asked: the caption and the name of the file in question.
    std::function<void(const QString& caption, const QString& fileName)> OnOverwriteQuestion;

    // Told when the "&Save Buttons" batch has ended, before its report or message is shown.
    std::function<void()> OnBatchEnded;

    // The window's previews, shown again with the test caption once a batch's files are done, before
    // its report, message or pages (kestro-batch has none).
    std::function<void()> RefreshPreviews;

    // Whether the last batch saved every caption (false: refused, failed or stopped).
    bool LastBatchSaved() const { return lastBatchSaved_; }

    // Told after each file's overwrite decision: the file's path, whether it was written (false: an
    // existing file was kept), and the size of the file now under the name (-1: a kept file that
    // cannot be read).
    std::function<void(const QString& path, bool written, qint64 size)> OnFileSaved;

    // When set, told of what ends a batch in place of the window's box (kestro-batch says it in its
    // own words): the folder that did not take the test file, or the error that stopped the batch.
    std::function<void(const QString& folder)> OnFolderFailure;
    std::function<void(const QString& error)> OnBatchError;

  private:
    // The bytes of the image as a file of the type holds it (the settings' file type index).
    static QByteArray EncodeImage(const QImage& image, int fileType, const GifReduction& reduction);
    // Writes the bytes `encode` makes under `fileName` in the folder, asking first when the file
    // exists and the prompt is on; `size` gets the size of the file now under the name.
    struct FileResult {
        bool folderOk = false;
        bool saved = false;
    };
    FileResult WriteButtonFile(const QString& folder, const QString& fileName, const QString& caption,
                               const std::function<QByteArray()>& encode, double& size);
    // Runs the folder test; remembers within a batch that the folder passed it.
    bool FolderUsable(const QString& folder);
    // Whether a termination request has come: the batch then stops before its next file.
    bool StopRequested();

    settings::AppSettings& settings_;
    platform::Dialogs& dialogs_;
    ButtonRenderer& renderer_;
    QList<SavedButtonInfo> savedButtons_;
    QList<AccessRecord> accessRecords_;
    bool lastBatchSaved_ = false;
    // Within a batch: the folder passed its test, and no write has failed since.
    bool folderTested_ = false;
    bool stopped_ = false;
    std::atomic<bool> stopRequest_{false};
};

}  // namespace output
