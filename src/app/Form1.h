#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QShortcut>
#include <array>
#include <exception>
#include <functional>
#include <memory>

#include "app/PreviewLayout.h"
#include "face/FaceProperties.h"
#include "html/PreviewPages.h"
#include "output/ButtonBatch.h"
#include "output/StatusReport.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/IntegerText.h"
#include "platform/Shell.h"
#include "settings/AppSettings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace widgets {
class TPicturePanel;
}  // namespace widgets

namespace render {
class TLumoButton;
}  // namespace render

namespace compose {
class TButtonComposer;
}  // namespace compose

namespace app {

class HintTracker;
class Tadvancedform;
class TFilePage;
class TCaptionListPage;
class TButtonsPage;
class TShapeFillPage;
class TFontPage;
class TAlignmentPage;
class THtmlPage;
class THelpPage;

// The main window frame: the notebook of the eight settings pages, the bar with the batch buttons and
// the test caption, the two preview areas, the status bar, the timers, start-up and shutdown, and the
// wiring between the pages. It owns the settings model; the pages' handlers change the model, call
// the subsystem that does the work and refresh.
class TForm1 : public QMainWindow {
  public:
    static constexpr int kHelpPage = 7;
    static constexpr int kInitialWidth = 673;
    static constexpr int kInitialHeight = 491;
    static constexpr int kPreviewDelayMs = 800;
    static constexpr int kBlinkShowDelayMs = 200;
    static constexpr int kBlinkShownMs = 500;

    // Creating the window finds the program and data folders of an executable in `executableFolder`
    // and runs the data folder test; when it fails the message has been shown and DataFolderOk() is
    // false: the caller ends the program without showing it.
    TForm1(platform::Dialogs& dialogs, platform::Shell& shell, const QString& executableFolder,
           QWidget* parent = nullptr);
    ~TForm1() override;

    bool DataFolderOk() const { return dataFolderOk_; }
    // The folder of what the user makes (settings, buttons, samples, report) and of what ships with
    // the program (help page, pictures), both ending in a separator.
    const QString& DataFolder() const { return folders_.dataFolder; }
    const QString& ProgramFolder() const { return folders_.programFolder; }
    const platform::ProgramFolders& Folders() const { return folders_; }
    // The settings file that is open: the data folder's "kestro.dat" unless another was opened.
    QString ProjectFile() const;
    QString DefaultProjectFile() const;
    // Makes `file` the open settings file (read when the window is first shown, written at close)
    // and shows its name in the title.
    void SetProjectFile(const QString& file);
    // "Ope&n settings…": writes the settings to their file, then reads another as at start-up.
    void OpenSettingsClick();
    // "Save se&ttings as…": writes the settings to a new file, which becomes the open one.
    void SaveSettingsAsClick();

    settings::AppSettings& Settings() { return settings_; }
    platform::Dialogs& Dialogs() { return dialogs_; }
    Tadvancedform& AdvancedForm() { return *advancedform_; }
    HintTracker& Hints() { return *hints_; }
    compose::TButtonComposer& Composer() { return *composer_; }
    // True while code brings the controls in line with the model: control handlers do not run.
    bool Syncing() const { return syncing_; }

    // The text of the status bar's single panel.
    QString StatusText() const;
    // The status bar's tool tip: its whole text when the text is cut at the bar's edge, else empty.
    QString StatusToolTip() const;
    // Writes a text into the status bar's panel (errors and hints).
    void ShowStatus(const QString& text);

    // Runs a handler body: an error escaping it goes into the status bar, never into a box.
    template <typename F>
    void Guarded(F&& body) {
        try {
            body();
        } catch (const std::exception& e) {
            ShowStatus(QString::fromLocal8Bit(e.what()));
        }
    }

    // Handlers, under the names the program gives them.
    void FormShow();
    // Empties the lists of written files, applies the defaults and reads the open settings file.
    void LoadSettingsFile();
    void FormClose();
    void FormResize();
    void ApplyDefaultSettings();
    void RefreshPreview();
    void starttimerforupdate();
    void Timer1Timer();
    void Timer2Timer();
    void Image4MouseMove();
    void TextEditChange();
    void secondbuttonCheckBox1Click(QCheckBox* box);
    void EnableType2(bool enabled);
    // Shows or hides the type 2 controls and preview, and sets the enabled flag.
    void ShowType2(bool enabled);
    // "A&dvanced": the advanced options dialog, centred on the window.
    void BitBtn1Click();
    // The page tabs: the Help page gives the focus to "&View Help File".
    void PageControl1Change();
    void enforce83CheckBoxClick();
    void filenamestyleComboBoxChange();
    // Recalculates the file names of the caption list and shows them.
    void RecalculateCaptionFilenames();
    void SaveBatchButtonClick();
    // "&Preview in web browser": the batch, the pages, the browser and the report.
    void generatehtmlbuttonClick();
    // "&View Help File": "help.htm" beside the program in the browser.
    void viewhelpBitBtnClick();
    // While a batch runs: "Saving 120 of 1000 …" in the status bar, and the previews show the faces
    // being saved, at most every kProgressIntervalMs.
    void ShowBatchProgress(int current, int total, const QString& caption);
    static constexpr int kProgressIntervalMs = 100;

    // Applies both types' settings through the face composer, caption 1 to type 1 and caption 2 to
    // type 2, and shows the faces in the previews (while a batch runs, on its progress frames only).
    void ApplyButtonSettings(const QString& caption1, const QString& caption2);

    // Whether "&Save Buttons" or "&Preview in web browser" is running.
    bool BatchRunning() const { return batchRunning_; }

    output::ButtonBatch& Batch() { return batch_; }
    html::PreviewPages& Pages() { return pages_; }
    output::StatusReport& Report() { return *report_; }
    // How many preview refreshes have run.
    int PreviewRefreshCount() const { return previewRefreshes_; }

    // Brings every control in line with the settings model.
    void SettingsToControls();

    // The frame's controls, under their form names.
    QTabWidget* PageControl1 = nullptr;
    QPushButton* SaveBatchButton = nullptr;
    QPushButton* generatehtmlbutton = nullptr;
    QLineEdit* TextEdit = nullptr;
    QLabel* preview1Label = nullptr;
    QLabel* preview2Label = nullptr;
    widgets::TPicturePanel* testareaPanel1 = nullptr;
    widgets::TPicturePanel* testareaPanel2 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    render::TLumoButton* image1 = nullptr;
    render::TLumoButton* image2 = nullptr;

    // The pages, each holding its controls.
    TFilePage* filePage = nullptr;
    TCaptionListPage* captionListPage = nullptr;
    TButtonsPage* buttonsPage = nullptr;
    TShapeFillPage* shapeFillPage = nullptr;
    TFontPage* fontPage = nullptr;
    TAlignmentPage* alignmentPage = nullptr;
    THtmlPage* htmlPage = nullptr;
    THelpPage* helpPage = nullptr;
    // The three "Disable this button ?" boxes and the type 2 panels of the Buttons, Font and
    // Allignment pages.
    std::array<QCheckBox*, 3> secondbuttonCheckBox{};
    std::array<QGroupBox*, 3> type2Panels{};

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PreviewLayoutInput PreviewInput() const;
    // The file dialogs of the settings files: "Plumeric settings (*.dat)", from the settings folder.
    platform::OpenFileRequest SettingsFileRequest(const QString& title) const;
    // Runs "&Save Buttons" or "&Preview in web browser" with the status bar and previews around it.
    // While it runs, `button` reads "&Stop" and stops it (Escape too), and the controls that could
    // change the settings or start another run are disabled.
    void RunBatch(QPushButton* button, const std::function<void()>& run);
    // Asks the running batch to stop after the file in hand.
    void StopBatch();
    // Disables the pages, the test caption and the other run button for a batch; gives them back.
    void LockControls(QPushButton* running);
    void UnlockControls();
    // Gives the controls back once the batch is over: the running button its own text.
    void ReleaseControls();
    // Both previews show the faces the composer holds, or the given ones.
    void ShowComposedFaces();
    void ShowFaces(const face::FaceProperties& type1, const face::FaceProperties& type2);
    // The status bar around a batch: counts reset before it, what happened after it.
    void StartBatchStatus();
    void ShowBatchSummary();
    // The preview labels' texts: with "Check contrast and size" on, each ends with its face's figure.
    void MeasurePreviewLabels();
    // Places the labels over preview areas of these widths, a text too long for its area elided with
    // the whole text as its tooltip.
    void FitPreviewLabels(int area1Width, int area2Width);
    // What the status bar adds after a batch while "Check contrast and size" is on.
    QString AccessStatus() const;
    void BuildPages();
    void BuildBar(QWidget* central);
    void BuildPreviewRow(QWidget* central);

    platform::Dialogs& dialogs_;
    platform::Shell& shell_;
    settings::AppSettings settings_;
    platform::ProgramFolders folders_;
    QString settingsFile_;  // empty: the data folder's own settings file
    // The open settings file is there but could not be read: nothing is written to it (closing, or
    // "Open settings…") until the user saves to it with "Save settings as…".
    bool settingsFileUnreadable_ = false;
    bool dataFolderOk_ = false;
    bool shown_ = false;
    bool syncing_ = false;  // controls are being brought in line with the model
    std::unique_ptr<compose::TButtonComposer> composer_;
    output::ButtonBatch batch_;
    html::PreviewPages pages_;
    std::unique_ptr<output::StatusReport> report_;
    int previewRefreshes_ = 0;
    QElapsedTimer progressClock_;
    bool showSavedFaces_ = false;
    bool batchRunning_ = false;     // "&Save Buttons" or "&Preview in web browser" is running
    bool closeAfterBatch_ = false;  // the window was closed while a batch ran
    QList<QPointer<QWidget>> lockedControls_;
    QShortcut* stopShortcut_ = nullptr;
    QPushButton* runningButton_ = nullptr;  // the button that started the batch, reading "&Stop"
    QString runningText_;                   // its own text
    int batchCurrent_ = 0;                  // the caption being saved, from 1, and how many there are
    int batchTotal_ = 0;
    int filesWritten_ = 0;
    int filesKept_ = 0;
    // Captions of the batch that do not fit inside their shape, and the last one counted.
    int outsideShape_ = 0;
    int lastOutsideShape_ = 0;
    bool layingOut_ = false;    // FormResize is running
    bool growPending_ = false;  // a resize to the minimum size waits for the event loop

    QLabel* statusPanel_ = nullptr;
    QWidget* previewLabelRow_ = nullptr;
    QString previewLabelTexts_[2];
    QWidget* previewRow_ = nullptr;
    HintTracker* hints_ = nullptr;
    Tadvancedform* advancedform_ = nullptr;
};

}  // namespace app
