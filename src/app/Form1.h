#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <exception>
#include <functional>
#include <memory>

#include "html/PreviewPages.h"
#include "output/ButtonBatch.h"
#include "output/ButtonRenderer.h"
#include "output/StatusReport.h"
#include "platform/Dialogs.h"
#include "platform/IntegerText.h"
#include "platform/Shell.h"
#include "settings/AppSettings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTextEdit;
class QTimer;

namespace widgets {
class TIntegerEdit;
class TPicturePanel;
class TUpDown;
}  // namespace widgets

namespace render {
class TLumoButton;
}  // namespace render

namespace app {

class CaptionGridModel;
class HintTracker;
class Tadvancedform;

// One integer field of a button type with its arrows and its label.
struct IntegerFieldControls {
    widgets::TIntegerEdit* edit = nullptr;
    widgets::TUpDown* arrows = nullptr;
    QLabel* label = nullptr;

    void SetVisible(bool visible) const;
    void SetEnabled(bool enabled) const;
};

// The background bitmap file of one button type: its label, read-only field and browse button.
struct BitmapFieldControls {
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* browse = nullptr;

    void SetVisible(bool visible) const;
};

// The fields of one button type.
struct TypeFields {
    BitmapFieldControls bitmap;
    IntegerFieldControls width;
    IntegerFieldControls height;
    IntegerFieldControls spacing;
    IntegerFieldControls verticalOffset;
    IntegerFieldControls horizontalOffset;
};

// The main window: the seven settings pages, the bar with the batch buttons and the test caption,
// the two preview areas and the status bar. It owns the settings model; its handlers change the
// model, call the subsystem that does the work and refresh.
class TForm1 : public QMainWindow, public output::ButtonRenderer {
  public:
    static constexpr int kHelpPage = 6;
    static constexpr int kInitialWidth = 673;
    static constexpr int kInitialHeight = 491;
    static constexpr int kPreviewDelayMs = 800;
    static constexpr int kBlinkShowDelayMs = 200;
    static constexpr int kBlinkShownMs = 500;

    // Creating the window runs the data folder test in `executableFolder`; when it fails the message
    // has been shown and DataFolderOk() is false: the caller ends the program without showing it.
    TForm1(platform::Dialogs& dialogs, platform::Shell& shell, const QString& executableFolder,
           QWidget* parent = nullptr);
    ~TForm1() override;

    bool DataFolderOk() const { return dataFolderOk_; }
    const QString& DataFolder() const { return dataFolder_; }
    QString ProjectFile() const;

    settings::AppSettings& Settings() { return settings_; }
    Tadvancedform& AdvancedForm() { return *advancedform_; }
    HintTracker& Hints() { return *hints_; }

    // The text of the status bar's single panel.
    QString StatusText() const;
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
    void BitBtn1Click();
    void AddCaptionButtonClick();
    void DeleteCaptionButtonClick();
    void CalculateFilenamesButtonClick();
    // Runs before every key pressed in the caption grid takes effect, also while a cell is edited.
    void CaptionStringGridKeyDown(int key);
    void enforce83CheckBoxClick();
    void filenamestyleComboBoxChange();
    void TopOffsetIntegerEditChange(int type);
    // button1filenameeditChange / button2filenameeditChange: the bitmap file field changed.
    void ButtonFilenameEditChange(int type);
    // BitBtn4Click / BitBtn5Click: choose the type's background bitmap file.
    void BitmapBrowseClick(int type);
    void LeftOffsetIntegerEditChange(int type);
    // Recalculates the file names of the caption list and shows them.
    void RecalculateCaptionFilenames();
    void SaveBatchButtonClick();
    // "&Preview in web browser": the batch, the pages, the browser and the report.
    void generatehtmlbuttonClick();
    // "&View Help File": "help.htm" beside the program in the browser.
    void viewhelpBitBtnClick();
    // While a batch runs: "Saving 120 of 1000 …" in the status bar, and the previews show the faces
    // being saved, at most every kProgressIntervalMs.
    void ShowBatchProgress(int current, int total);
    static constexpr int kProgressIntervalMs = 100;

    // Applies both button types' settings to the two preview buttons, with caption 1 on type 1 and
    // caption 2 on type 2; both faces are finished on return.
    void ApplyButtonSettings(const QString& caption1, const QString& caption2) override;
    QImage CaptureButton(int type) override;

    // The picture the batch captures into; mode 0 also loads bitmap files into it to learn their size.
    const QImage& TempImage() const { return tempImage_; }
    output::ButtonBatch& Batch() { return batch_; }
    html::PreviewPages& Pages() { return pages_; }
    output::StatusReport& Report() { return *report_; }
    // How many preview refreshes have run.
    int PreviewRefreshCount() const { return previewRefreshes_; }

    // Brings every control in line with the settings model.
    void SettingsToControls();

    // Controls, under their form names.
    QTabWidget* PageControl1 = nullptr;
    QPushButton* SaveBatchButton = nullptr;
    QPushButton* generatehtmlbutton = nullptr;
    QLineEdit* TextEdit = nullptr;
    QLabel* preview1Label = nullptr;
    QLabel* preview2Label = nullptr;
    widgets::TPicturePanel* testareaPanel1 = nullptr;
    widgets::TPicturePanel* testareaPanel2 = nullptr;
    std::array<QCheckBox*, 3> secondbuttonCheckBox{};  // on the Buttons, Font and Allignment pages
    std::array<QGroupBox*, 3> type2Panels{};
    QPushButton* BitBtn1 = nullptr;  // "A&dvanced"
    QTableView* CaptionStringGrid = nullptr;
    QPushButton* AddCaptionButton = nullptr;
    QPushButton* DeleteCaptionButton = nullptr;
    QPushButton* CalculateFilenamesButton = nullptr;
    std::array<TypeFields, 2> typeFields;  // [settings::kType1], [settings::kType2]
    QTextEdit* welcomeText = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image7 = nullptr;
    QPushButton* ViewHelpButton = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    render::TLumoButton* image1 = nullptr;
    render::TLumoButton* image2 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildPages();
    void BuildHelpPage(QWidget* page);
    void BuildBar(QWidget* central);
    void BuildPreviewRow(QWidget* central);
    std::array<QGroupBox*, 2> AddTypePanels(QWidget* page, const QString& title1, const QString& title2,
                                            int boxIndex);
    void BuildCaptionListPage(QWidget* page);
    void BuildButtonsFields(const std::array<QGroupBox*, 2>& panels);
    void BuildAlignmentFields(const std::array<QGroupBox*, 2>& panels);
    IntegerFieldControls AddIntegerField(int type, QGroupBox* panel, int row, const QString& label,
                                         const QString& hint, platform::IntegerRange range,
                                         QString settings::ButtonStyle::*field,
                                         std::function<void()> onChange);
    void FieldToControls(const IntegerFieldControls& f, const QString& text);
    void ShowOffsetFields(int type);
    void SelectCaptionRow(int gridRow);
    void SizeCaptionColumns();
    void ApplyTypeSettings(int type, render::TLumoButton* button, const QString& caption);
    render::TLumoButton* PreviewButton(int type) const;

    friend class CaptionEditorDelegate;

    platform::Dialogs& dialogs_;
    platform::Shell& shell_;
    settings::AppSettings settings_;
    QString dataFolder_;
    bool dataFolderOk_ = false;
    bool shown_ = false;
    bool syncing_ = false;  // controls are being brought in line with the model
    CaptionGridModel* captionModel_ = nullptr;
    QImage tempImage_;
    output::ButtonBatch batch_;
    html::PreviewPages pages_;
    std::unique_ptr<output::StatusReport> report_;
    int previewRefreshes_ = 0;
    QElapsedTimer progressClock_;
    bool showSavedFaces_ = false;

    QLabel* statusPanel_ = nullptr;
    QWidget* previewLabelRow_ = nullptr;
    QWidget* previewRow_ = nullptr;
    HintTracker* hints_ = nullptr;
    Tadvancedform* advancedform_ = nullptr;
};

}  // namespace app
