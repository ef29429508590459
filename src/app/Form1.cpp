#include "app/Form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <cstdio>

#include "app/AdvancedForm.h"
#include "app/AlignmentPage.h"
#include "app/ButtonsPage.h"
#include "app/CaptionListPage.h"
#include "app/DataFolder.h"
#include "app/FilePage.h"
#include "app/FontPage.h"
#include "app/HelpPage.h"
#include "app/HintTracker.h"
#include "app/HtmlPage.h"
#include "app/PreviewLayout.h"
#include "app/ShapeFillPage.h"
#include "compose/BatchPlan.h"
#include "compose/ButtonComposer.h"
#include "compose/FilePicture.h"
#include "html/OpenInBrowser.h"
#include "output/AccessCheck.h"
#include "output/CaptionNaming.h"
#include "platform/Interrupt.h"
#include "platform/ScreenFonts.h"
#include "project/ProjectFile.h"
#include "render/LumoButton.h"
#include "settings/ColourString.h"
#include "settings/DefaultSettings.h"
#include "widgets/PicturePanel.h"

namespace app {
namespace {

constexpr int kPagesHeight = 272;
constexpr char kWindowTitle[] = "Plumeric V1.2";
constexpr char kSettingsFileFilter[] = "Plumeric settings|*.dat";
constexpr int kPreviewLabelHeight = 16;
constexpr char kPreview1LabelText[] = "Button type 1 Preview";
constexpr char kPreview2LabelText[] = "Button type 2 Preview";

const char* const kPageCaptions[] = {"&File", "Caption &List", "&Buttons", "Shape and F&ill",
                                     "F&ont", "&Allignment",   "&HTML",    "H&elp"};
const char* const kPageHints[] = {
    "Select the button target folder and other file settings.",
    "Set up the captions for a batch of buttons.",
    "",
    "Select the shape of the buttons and how their background colour is filled.",
    "Selec the font, colours and effects to use when drawing the button captions.",
    "Determine the allignment of the captions on the buttons.",
    "",
    "",
};

QColor ToQColor(settings::ColourValue c) {
    return {settings::RedOf(c), settings::GreenOf(c), settings::BlueOf(c)};
}

}  // namespace

TForm1::TForm1(platform::Dialogs& dialogs, platform::Shell& shell, const QString& executableFolder,
               QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      shell_(shell),
      folders_(platform::LocateFolders(executableFolder)),
      composer_(std::make_unique<compose::TButtonComposer>(settings_)),
      batch_(settings_, dialogs_, *composer_),
      pages_(settings_, dialogs_, batch_) {
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    // The picture panels look for their pictures in the program folder from the first one made.
    widgets::pictures::SetProgramFolder(folders_.programFolder.chopped(1));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    setCentralWidget(central);
    PageControl1 = new QTabWidget(central);
    column->addWidget(PageControl1);
    advancedform_ = new Tadvancedform(settings_, this);
    BuildPages();
    // The pages are as high as the program has them, or as their controls need at this font.
    PageControl1->setFixedHeight(std::max(kPagesHeight, PageControl1->sizeHint().height()));
    BuildBar(central);
    BuildPreviewRow(central);

    statusPanel_ = new QLabel(this);
    // A long hint or message is cut at the window's edge; it never makes the window wider.
    statusPanel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(statusPanel_, 1);
    statusBar()->setSizeGripEnabled(false);
    // A text cut at the edge shows whole as the status bar's tool tip.
    SetHintDisplay(statusBar());
    statusPanel_->installEventFilter(this);

    // The first size asked for; the window grows where its pages need more room.
    resize(kInitialWidth, kInitialHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(kPreviewDelayMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(kBlinkShowDelayMs);
    connect(Timer2, &QTimer::timeout, this, [this] { Guarded([this] { Timer2Timer(); }); });

    connect(advancedform_->enforce83CheckBox, &QCheckBox::clicked, this,
            [this] { Guarded([this] { enforce83CheckBoxClick(); }); });
    connect(advancedform_->filenamestyleComboBox, &QComboBox::activated, this,
            [this] { Guarded([this] { filenamestyleComboBoxChange(); }); });
    connect(advancedform_->smoothcaptionsCheckBox, &QCheckBox::clicked, this,
            [this] { Guarded([this] { RefreshPreview(); }); });
    connect(advancedform_->checkaccessCheckBox, &QCheckBox::clicked, this,
            [this] { Guarded([this] { RefreshPreview(); }); });
    // The 2× images have names of their own: the list is named again, as for 8.3 names.
    connect(advancedform_->scale2xCheckBox, &QCheckBox::clicked, this,
            [this] { Guarded([this] { RecalculateCaptionFilenames(); }); });

    // The hint handler: the hint of the control under the mouse goes into the status bar.
    hints_ = new HintTracker([this](const QString& hint) { ShowStatus(hint); }, this);
    qApp->installEventFilter(hints_);

    composer_->OnSettingsChanged = [this](int type) {
        // An empty size field now shows "0".
        syncing_ = true;
        buttonsPage->SizeTextsToControls(type);
        syncing_ = false;
    };
    // After a batch the previews show the test caption again, as the settings are now.
    batch_.RefreshPreviews = [this] { ApplyButtonSettings(settings_.testCaption, settings_.testCaption); };
    batch_.OnProgress = [this](int current, int total, const QString& caption) {
        ShowBatchProgress(current, total, caption);
    };
    // Escape stops a running batch, as its button does.
    stopShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopShortcut_->setEnabled(false);
    connect(stopShortcut_, &QShortcut::activated, this, [this] { StopBatch(); });
    batch_.OnOverwriteQuestion = [this](const QString& caption, const QString& fileName) {
        ShowStatus(output::OverwriteQuestionText(batchCurrent_, batchTotal_, caption, fileName));
        statusPanel_->repaint();
    };
    // A caption counts once, for one type or both.
    batch_.OnCaptionOutsideShape = [this](int, const QString&) {
        if (lastOutsideShape_ != batchCurrent_) {
            lastOutsideShape_ = batchCurrent_;
            ++outsideShape_;
        }
    };
    batch_.OnFileSaved = [this](const QString&, bool written, qint64) {
        ++(written ? filesWritten_ : filesKept_);
    };
    // What the batch did shows while its closing message is open.
    batch_.OnBatchEnded = [this] {
        // The batch is over while its closing message or report is shown: nothing is left to stop.
        ReleaseControls();
        ShowBatchSummary();
        statusPanel_->repaint();
    };

    dataFolderOk_ = CheckDataFolder(folders_, dialogs_);
    report_ = std::make_unique<output::StatusReport>(settings_, dialogs_, shell_, folders_.dataFolder);
    batch_.WriteStatusReport = [this] {
        report_->WriteStatusReport(false, batch_.SavedButtons(), pages_.SavedPages(), batch_.AccessRecords());
    };
    pages_.WriteStatusReport = [this] {
        report_->WriteStatusReport(true, batch_.SavedButtons(), pages_.SavedPages(), batch_.AccessRecords());
    };
    pages_.OpenPage = [this](const QString& page) {
        html::OpenInBrowser(page, html::BrowserMessages::Preview, settings_, folders_.programFolder, shell_,
                            dialogs_);
    };
    settings_.PreviewUpdatesSuspended = true;
}

TForm1::~TForm1() {
    qApp->removeEventFilter(hints_);
    // The pages and the advanced dialog read the settings model: they go while it still exists.
    delete takeCentralWidget();
    delete advancedform_;
}

QString TForm1::ProjectFile() const {
    return settingsFile_.isEmpty() ? DefaultProjectFile() : settingsFile_;
}

QString TForm1::DefaultProjectFile() const {
    return project::ProjectFilePath(folders_.dataFolder);
}

void TForm1::SetProjectFile(const QString& file) {
    settingsFileUnreadable_ = false;
    const QString whole = QFileInfo(file).absoluteFilePath();
    settingsFile_ = whole == QFileInfo(DefaultProjectFile()).absoluteFilePath() ? QString() : whole;
    // The open file's name follows the program's title, unless it is the program's own file.
    setWindowTitle(settingsFile_.isEmpty() ? QString::fromLatin1(kWindowTitle)
                                           : QStringLiteral("%1 - %2").arg(QLatin1String(kWindowTitle),
                                                                           QFileInfo(whole).fileName()));
}

platform::OpenFileRequest TForm1::SettingsFileRequest(const QString& title) const {
    platform::OpenFileRequest request;
    request.title = title;
    request.filter = QString::fromLatin1(kSettingsFileFilter);
    request.defaultExtension = QStringLiteral(".dat");
    request.initialFolder = QFileInfo(DefaultProjectFile()).absolutePath();
    return request;
}

void TForm1::OpenSettingsClick() {
    const std::optional<QString> chosen =
        dialogs_.ChooseOpenFile(SettingsFileRequest(QStringLiteral("Open settings")));
    if (!chosen) {
        return;
    }
    // The settings in the window go to their own file first, as closing does; when that fails the
    // other file is not opened and the window keeps what it has. A file that could not be read is
    // not written over.
    QString reason;
    if (!settingsFileUnreadable_ && !project::SaveSettings(ProjectFile(), settings_, &reason)) {
        dialogs_.ShowError(project::SettingsSaveFailedMessage(ProjectFile(), reason) + QLatin1Char('\r') +
                           QStringLiteral("The settings file \"%1\" was not opened.").arg(*chosen));
        return;
    }
    SetProjectFile(*chosen);
    // Read as at start-up, which shows the Help page; the user stays on the page they were on.
    const int page = PageControl1->currentIndex();
    LoadSettingsFile();
    PageControl1->setCurrentIndex(page);
}

void TForm1::SaveSettingsAsClick() {
    const std::optional<QString> chosen =
        dialogs_.ChooseSaveFile(SettingsFileRequest(QStringLiteral("Save settings as")));
    if (!chosen) {
        return;
    }
    QString reason;
    if (!project::SaveSettings(*chosen, settings_, &reason)) {
        dialogs_.ShowError(project::SettingsSaveFailedMessage(*chosen, reason));
        return;
    }
    SetProjectFile(*chosen);
}

QString TForm1::StatusText() const {
    return statusPanel_->text();
}

QString TForm1::StatusToolTip() const {
    const QString text = statusPanel_->text();
    return statusPanel_->fontMetrics().horizontalAdvance(text) > statusPanel_->contentsRect().width()
               ? text
               : QString();
}

void TForm1::ShowStatus(const QString& text) {
    statusPanel_->setText(text);
}

void TForm1::BuildPages() {
    filePage = new TFilePage(*this, PageControl1);
    captionListPage = new TCaptionListPage(*this, PageControl1);
    buttonsPage = new TButtonsPage(*this, PageControl1);
    shapeFillPage = new TShapeFillPage(*this, PageControl1);
    fontPage = new TFontPage(*this, PageControl1);
    alignmentPage = new TAlignmentPage(*this, PageControl1);
    htmlPage = new THtmlPage(*this, PageControl1);
    helpPage = new THelpPage(*this, PageControl1);
    const std::array<QWidget*, 8> pages = {filePage, captionListPage, buttonsPage, shapeFillPage,
                                           fontPage, alignmentPage,   htmlPage,    helpPage};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        PageControl1->addTab(pages[i], QString::fromLatin1(kPageCaptions[i]));
        SetHint(pages[i], QString::fromLatin1(kPageHints[i]));
    }
    const std::array<TTypePanelsPage*, 3> typePages = {buttonsPage, fontPage, alignmentPage};
    for (std::size_t i = 0; i < typePages.size(); ++i) {
        QCheckBox* box = typePages[i]->secondbuttonCheckBox;
        secondbuttonCheckBox[i] = box;
        type2Panels[i] = typePages[i]->panels[1];
        // The loader and start-up rely on this handler running when code sets a box.
        connect(box, &QCheckBox::toggled, this,
                [this, box] { Guarded([this, box] { secondbuttonCheckBox1Click(box); }); });
    }
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this] { Guarded([this] { PageControl1Change(); }); });
}

void TForm1::BuildBar(QWidget* central) {
    auto* bar = new QWidget(central);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    SaveBatchButton = new QPushButton(QStringLiteral("&Save Buttons"), bar);
    SetHint(
        SaveBatchButton,
        QStringLiteral("Save a batch of buttons using the list of captions in the \"Batch Captions List\"."));
    generatehtmlbutton = new QPushButton(QStringLiteral("&Preview in web browser"), bar);
    SetHint(generatehtmlbutton,
            QStringLiteral(
                "Save the buttons, create HTML (.htm) files and then preview them in your web browser."));
    auto* captionLabel = new QLabel(QStringLiteral("Enter Test Caption"), bar);
    TextEdit = new QLineEdit(bar);
    TextEdit->setMaxLength(settings::kMaxCaptionLength);
    captionLabel->setBuddy(TextEdit);
    SetHint(TextEdit,
            QStringLiteral("Enter a test caption so that you can see what the buttons will look like."));
    connect(TextEdit, &QLineEdit::textChanged, this, [this] {
        if (!syncing_) {
            Guarded([this] { TextEditChange(); });
        }
    });
    connect(SaveBatchButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { SaveBatchButtonClick(); }); });
    connect(generatehtmlbutton, &QPushButton::clicked, this,
            [this] { Guarded([this] { generatehtmlbuttonClick(); }); });
    row->addWidget(SaveBatchButton);
    row->addWidget(generatehtmlbutton);
    row->addWidget(captionLabel);
    row->addWidget(TextEdit, 1);
    static_cast<QVBoxLayout*>(central->layout())->addWidget(bar);
}

void TForm1::BuildPreviewRow(QWidget* central) {
    previewLabelRow_ = new QWidget(central);
    previewLabelRow_->setFixedHeight(kPreviewLabelHeight);
    preview1Label = new QLabel(QLatin1String(kPreview1LabelText), previewLabelRow_);
    preview1Label->move(4, 0);
    preview2Label = new QLabel(QLatin1String(kPreview2LabelText), previewLabelRow_);
    // A label elided for its place shows all of its text as its tool tip.
    SetOwnToolTip(preview1Label);
    SetOwnToolTip(preview2Label);

    previewRow_ = new QWidget(central);
    // The preview areas: tiled picture panels without a picture, in the colour 12288 (green 48)
    // until the first refresh gives them the preview area colour.
    for (widgets::TPicturePanel** area : {&testareaPanel1, &testareaPanel2}) {
        *area = new widgets::TPicturePanel(previewRow_);
        (*area)->SetStyle(widgets::ppTiled);
        (*area)->SetColor(QColor(0, 48, 0));
        (*area)->FinishLoading();
    }
    image1 = new render::TLumoButton(testareaPanel1);
    image2 = new render::TLumoButton(testareaPanel2);
    for (render::TLumoButton* preview : {image1, image2}) {
        // The previews start with the faces the composer starts with.
        preview->SetFace(compose::TButtonComposer::InitialFace());
        preview->SetRotated(false);
        preview->setFocusPolicy(Qt::NoFocus);
        preview->FinishLoading();
    }
    const QString hint1 = QStringLiteral("This is the preview area for type 1 buttons.");
    const QString hint2 = QStringLiteral("This is the preview area for type 2 buttons.");
    SetHint(testareaPanel1, hint1);
    SetHint(image1, hint1);
    SetHint(testareaPanel2, hint2);
    SetHint(image2, hint2);
    // A double click on either preview area changes the preview area colour.
    for (QWidget* w : std::initializer_list<QWidget*>{testareaPanel1, testareaPanel2, image1, image2}) {
        w->installEventFilter(this);
    }
    previewRow_->installEventFilter(this);

    auto* column = static_cast<QVBoxLayout*>(central->layout());
    column->addWidget(previewLabelRow_);
    column->addWidget(previewRow_, 1);
}

void TForm1::SettingsToControls() {
    syncing_ = true;
    TextEdit->setText(settings_.testCaption);
    for (TSettingsPage* page : std::initializer_list<TSettingsPage*>{
             filePage, captionListPage, buttonsPage, shapeFillPage, fontPage, alignmentPage, htmlPage}) {
        page->SettingsToControls();
    }
    advancedform_->SettingsToControls();
    syncing_ = false;
}

void TForm1::ApplyDefaultSettings() {
    settings_.PreviewUpdatesSuspended = true;
    for (QCheckBox* box : secondbuttonCheckBox) {
        const QSignalBlocker block(box);
        box->setChecked(false);
    }
    PageControl1->setCurrentIndex(kHelpPage);
    settings::ApplyDefaultSettings(settings_, platform::ScreenFontFamilies(), folders_.dataFolder);
    settings_.PreviewUpdatesSuspended = true;
    ShowType2(true);
    SettingsToControls();
    settings_.PreviewUpdatesSuspended = false;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Guarded([this] { FormShow(); });
    }
}

void TForm1::FormShow() {
    LoadSettingsFile();
}

void TForm1::LoadSettingsFile() {
    batch_.ClearSavedButtons();
    pages_.ClearSavedPages();
    ApplyDefaultSettings();
    settings_.PreviewUpdatesSuspended = true;
    QString reason;
    settingsFileUnreadable_ = project::LoadSettings(ProjectFile(), settings_, dialogs_, folders_.dataFolder,
                                                    &reason) == project::LoadOutcome::Unreadable;
    if (settingsFileUnreadable_) {
        // The window goes on with the defaults; the file keeps what it holds.
        dialogs_.ShowError(project::SettingsUnreadableMessage(ProjectFile(), reason));
    }
    // File names that would leave their folder are replaced when a batch starts; said once here.
    if (QString warning = output::UnusableNamesWarning(settings_); !warning.isEmpty()) {
        warning[0] = warning[0].toUpper();
        ShowStatus(warning);
    }
    settings_.PreviewUpdatesSuspended = true;
    SettingsToControls();
    // The three "Disable this button ?" boxes follow the loaded state; a box that changes runs the
    // enable/disable handler, so type 2 controls saved as disabled are hidden again.
    for (QCheckBox* box : secondbuttonCheckBox) {
        box->setChecked(!settings_.secondbuttonEnabled);
    }
    TextEdit->setFocus();
    settings_.PreviewUpdatesSuspended = false;
    starttimerforupdate();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (batchRunning_) {
        // The batch stops after the file in hand; the window closes once it has returned.
        closeAfterBatch_ = true;
        StopBatch();
        event->ignore();
        return;
    }
    Guarded([this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose() {
    if (!dataFolderOk_ || settingsFileUnreadable_) {
        return;
    }
    QString reason;
    if (project::SaveSettings(ProjectFile(), settings_, &reason)) {
        return;
    }
    // The settings that could not be written are reported, and the window closes all the same. A
    // close that a termination request caused must not wait for a box: the text goes to standard
    // error instead.
    const QString text = project::SettingsSaveFailedMessage(ProjectFile(), reason);
    if (platform::InterruptSignal() != 0) {
        std::fprintf(stderr, "kestro: %s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
    } else {
        dialogs_.ShowError(text);
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Guarded([this] { FormResize(); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched == statusPanel_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const QString text = StatusToolTip(); !text.isEmpty()) {
            QToolTip::showText(help->globalPos(), text, statusPanel_);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    if (event->type() == QEvent::Resize && watched == previewRow_) {
        Guarded([this] { FormResize(); });
    } else if (event->type() == QEvent::MouseButtonDblClick &&
               (watched == testareaPanel1 || watched == testareaPanel2 || watched == image1 ||
                watched == image2)) {
        Guarded([this] { filePage->previewareaPaletteBitBtnClick(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

PreviewLayoutInput TForm1::PreviewInput() const {
    PreviewLayoutInput in;
    in.window = frameGeometry().size();
    in.rowWidth = previewRow_->width();
    in.areaHeight = previewRow_->height();
    in.type2Enabled = settings_.secondbuttonEnabled;
    in.button1 = image1->size();
    in.button2 = image2->size();
    // What the pages, the bar, the labels, the status bar and the frame take at their natural
    // heights: the preview row has none of its own, so the window layout's hint is all the rest.
    in.heightBesideRow = (frameGeometry().height() - height()) + layout()->sizeHint().height();
    if (const QScreen* onScreen = screen()) {
        in.largestWindow = onScreen->availableGeometry().size();
    }
    return in;
}

void TForm1::FormResize() {
    // A size change made here brings its own resize event, which this call lays out: never re-enter.
    if (layingOut_) {
        return;
    }
    const QScopedValueRollback<bool> guard(layingOut_, true);
    PreviewLayoutInput in = PreviewInput();
    // The rules' smallest window becomes the window's minimum size, so neither the user nor the
    // window system can make it shorter or narrower than the buttons need; the minimum is never
    // less than what the pages themselves need.
    const QSize frameExtra = frameGeometry().size() - size();
    QSize minimum =
        (MinimumWindowSize(in) - frameExtra).expandedTo(layout()->totalMinimumSize()).expandedTo(QSize(1, 1));
    // The window is never larger than the screen's available area (the pages' own needs included):
    // where the buttons need more, their preview areas clip them.
    const QRect available = screen() != nullptr ? screen()->availableGeometry() : QRect();
    if (!available.isEmpty()) {
        minimum = minimum.boundedTo(available.size() - frameExtra).expandedTo(QSize(1, 1));
    }
    if (minimumSize() != minimum) {
        const QSize before = size();
        setMinimumSize(minimum);  // grows a smaller window at once
        in = PreviewInput();
        // Grown past the screen's right or bottom edge: moved back inside, so all of it is in reach.
        if (isVisible() && !available.isEmpty() && size() != before && !available.contains(frameGeometry())) {
            move(FrameInside(frameGeometry(), available));
        }
    }
    if (size().width() < minimum.width() || size().height() < minimum.height()) {
        // The window system gave a size below the minimum: made larger again once, after this event.
        if (!growPending_) {
            growPending_ = true;
            QTimer::singleShot(0, this, [this] {
                growPending_ = false;
                resize(size().expandedTo(minimumSize()));
            });
        }
    }
    const PreviewLayout out = ComputePreviewLayout(in);
    testareaPanel1->setGeometry(0, 0, out.area1Width, in.areaHeight);
    testareaPanel2->setGeometry(out.area1Width, 0, std::max(out.area2Width, 0), in.areaHeight);
    preview2Label->move(out.label2X, 0);
    FitPreviewLabels(out.area1Width, out.area2Width);
    const QPoint button1(out.button1.x(), (in.areaHeight - image1->height()) / 2);
    const QPoint button2(out.button2.x(), (in.areaHeight - image2->height()) / 2);
    if (image1->pos() != button1)
        image1->move(button1);
    if (image2->pos() != button2)
        image2->move(button2);
    captionListPage->SizeCaptionColumns();
}

void TForm1::RefreshPreview() {
    if (settings_.PreviewUpdatesSuspended) {
        return;
    }
    const QColor area = ToQColor(settings::ColourFromStringLenient(settings_.previewAreaColour));
    testareaPanel1->SetColor(area);
    testareaPanel2->SetColor(area);
    filePage->FillSwatches();
    htmlPage->FillSwatches();
    buttonsPage->FillSwatches();
    shapeFillPage->FillSwatches();
    fontPage->FillSwatches();
    // The size fields a background mode uses; type 2's only while its controls are shown.
    buttonsPage->ShowModeFields(settings::kType1);
    if (settings_.secondbuttonEnabled) {
        buttonsPage->ShowModeFields(settings::kType2);
    }
    // The gradient fill follows the background mode.
    shapeFillPage->EnableFillControls(settings::kType1);
    shapeFillPage->EnableFillControls(settings::kType2);
    ++previewRefreshes_;
    const QString caption = TextEdit->text();
    ApplyButtonSettings(caption, caption);
    MeasurePreviewLabels();
    image1->Repaint();
    image2->Repaint();
    image1->update();
    image2->update();
    FormResize();
}

void TForm1::MeasurePreviewLabels() {
    const QString labels[2] = {QLatin1String(kPreview1LabelText), QLatin1String(kPreview2LabelText)};
    for (const int type : {settings::kType1, settings::kType2}) {
        previewLabelTexts_[type] =
            settings_.checkAccess
                ? output::PreviewLabelText(
                      labels[type], compose::MeasureAccess(composer_->Face(type), compose::SavedFaceState()))
                : labels[type];
    }
    FitPreviewLabels(testareaPanel1->width(), testareaPanel2->width());
}

void TForm1::FitPreviewLabels(int area1Width, int area2Width) {
    QLabel* labels[2] = {preview1Label, preview2Label};
    const int widths[2] = {area1Width, area2Width};
    for (int k = 0; k < 2; ++k) {
        QLabel* label = labels[k];
        const QString& full = previewLabelTexts_[k].isEmpty() ? (k == 0 ? QLatin1String(kPreview1LabelText)
                                                                        : QLatin1String(kPreview2LabelText))
                                                              : previewLabelTexts_[k];
        const int width = std::max(widths[k] - 8, 1);
        const QString shown = label->fontMetrics().elidedText(full, Qt::ElideRight, width);
        label->setText(shown);
        label->setToolTip(shown != full ? full : QString());
        label->resize(width, kPreviewLabelHeight);
    }
}

void TForm1::starttimerforupdate() {
    if (!Timer1->isActive()) {
        Timer1->start();
    }
}

void TForm1::Timer1Timer() {
    RefreshPreview();
    Timer1->stop();
}

void TForm1::Image4MouseMove() {
    if (!Timer2->isActive()) {
        Timer2->start();
    }
}

void TForm1::Timer2Timer() {
    if (helpPage->Image7->isVisible()) {
        helpPage->Image7->hide();
        Timer2->setInterval(kBlinkShowDelayMs);
        Timer2->stop();
    } else {
        helpPage->Image7->show();
        Timer2->setInterval(kBlinkShownMs);
    }
}

void TForm1::TextEditChange() {
    settings_.testCaption = TextEdit->text();
    RefreshPreview();
}

void TForm1::secondbuttonCheckBox1Click(QCheckBox* box) {
    const bool disabled = box->isChecked();
    EnableType2(!disabled);
    for (QCheckBox* other : secondbuttonCheckBox) {
        // Running the handler again for the other boxes would repeat the same steps with the same
        // value, so their states are set without it.
        const QSignalBlocker block(other);
        other->setChecked(disabled);
    }
    RefreshPreview();
    RecalculateCaptionFilenames();
}

void TForm1::EnableType2(bool enabled) {
    // The copy is made on the model in one step, so it cannot stop halfway; the previews wait for
    // the refresh that follows.
    const bool suspended = settings_.PreviewUpdatesSuspended;
    settings_.PreviewUpdatesSuspended = true;
    if (enabled && settings_.copyOnReEnable) {
        // Type 2 becomes an exact copy of type 1: size text, alignment and offsets included.
        settings_.button[settings::kType2] = settings_.button[settings::kType1];
        SettingsToControls();
    }
    ShowType2(enabled);
    settings_.PreviewUpdatesSuspended = suspended;
}

void TForm1::ShowType2(bool enabled) {
    for (QGroupBox* panel : type2Panels) {
        for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool isDisableBox = std::find(secondbuttonCheckBox.begin(), secondbuttonCheckBox.end(),
                                                child) != secondbuttonCheckBox.end();
            child->setVisible(enabled || isDisableBox);
        }
    }
    settings_.secondbuttonEnabled = enabled;
    if (enabled) {
        alignmentPage->ShowOffsetFields(settings::kType2);
        buttonsPage->ShowModeFields(settings::kType2);
    }
    // The Shape and Fill page has no box of its own: its whole type 2 panel goes.
    shapeFillPage->panels[1]->setVisible(enabled);
    filePage->prefix2Edit->setVisible(enabled);
    filePage->prefix2Label->setVisible(enabled);
    preview2Label->setVisible(enabled);
    testareaPanel2->setVisible(enabled);
    FormResize();
}

void TForm1::BitBtn1Click() {
    advancedform_->adjustSize();
    QRect frame = advancedform_->frameGeometry();
    frame.moveCenter(frameGeometry().center());
    advancedform_->move(frame.topLeft());
    advancedform_->exec();
}

void TForm1::PageControl1Change() {
    if (PageControl1->currentIndex() == kHelpPage) {
        helpPage->ViewHelpButton->setFocus();
    }
}

void TForm1::RecalculateCaptionFilenames() {
    captionListPage->RecalculateCaptionFilenames();
}

void TForm1::enforce83CheckBoxClick() {
    RecalculateCaptionFilenames();
}

void TForm1::filenamestyleComboBoxChange() {
    captionListPage->CalculateFilenamesButton->click();
}

void TForm1::ApplyButtonSettings(const QString& caption1, const QString& caption2) {
    composer_->ApplyButtonSettings(caption1, caption2);
    // While a batch runs the previews take the faces being saved only when the progress display
    // shows a frame; the files are rendered by the composer alone.
    if (!batchRunning_ || showSavedFaces_) {
        ShowComposedFaces();
    }
}

void TForm1::ShowComposedFaces() {
    ShowFaces(composer_->Face(settings::kType1), composer_->Face(settings::kType2));
}

void TForm1::ShowFaces(const face::FaceProperties& type1, const face::FaceProperties& type2) {
    // The previews show the faces with the mouse inside, as the files hold them.
    for (render::TLumoButton* preview : {image1, image2}) {
        preview->SetFace(preview == image1 ? type1 : type2);
        preview->MouseInside = true;
        preview->Repaint();
    }
}

void TForm1::viewhelpBitBtnClick() {
    html::OpenInBrowser(html::HelpPagePath(folders_.programFolder), html::BrowserMessages::Help, settings_,
                        folders_.programFolder, shell_, dialogs_);
}

}  // namespace app
