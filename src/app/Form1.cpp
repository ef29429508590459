#include "app/Form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AdvancedForm.h"
#include "app/CaptionGridModel.h"
#include "app/DataFolder.h"
#include "app/HintTracker.h"
#include "app/PreviewLayout.h"
#include "html/OpenInBrowser.h"
#include "output/CaptionNaming.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "project/ProjectFile.h"
#include "render/LumoButton.h"
#include "settings/ColourString.h"
#include "settings/DefaultSettings.h"
#include "widgets/IntegerEdit.h"
#include "widgets/PicturePanel.h"
#include "widgets/UpDown.h"

namespace app {
namespace {

constexpr int kPagesHeight = 272;
constexpr int kPreviewLabelHeight = 16;
constexpr int kSmallPictureX = 68;
constexpr int kSmallPictureY = 80;
constexpr int kPanelColumns = 6;
constexpr int kIntegerFieldWidth = 60;
constexpr int kBitmapFieldWidth = 260;
constexpr int kGridRowHeight = 16;
constexpr int kGridColumnWidths[] = {178, 186, 194, 166};

const char* const kPageCaptions[] = {"&File",       "Caption &List", "&Buttons", "F&ont",
                                     "&Allignment", "&HTML",         "H&elp"};
const char* const kPageHints[] = {
    "Select the button target folder and other file settings.",
    "Set up the captions for a batch of buttons.",
    "",
    "Selec the font, colours and effects to use when drawing the button captions.",
    "Determine the allignment of the captions on the buttons.",
    "",
    "",
};

const char kWelcomeText[] =
    "Welcome to Plumeric.\n\n"
    "Plumeric makes the graphical buttons of a web site's navigation bar. Describe two kinds of "
    "button: type 1 is the image shown normally, type 2 the image swapped in while the mouse is over "
    "the button (type 2 can be disabled).\n\n"
    "On the Buttons page choose each type's background (a bitmap or a colour), its size and its "
    "border; on the Font page the caption's font, colour and effect; on the Allignment page where "
    "the caption sits. Type the captions of your buttons on the Caption List page.\n\n"
    "\"Save Buttons\" writes one file per caption and type, as Windows bitmaps or GIF files, into the "
    "target folder chosen on the File page. \"Preview in web browser\" also writes HTML pages whose "
    "buttons change when the mouse moves over them, and opens them in your browser.\n\n"
    "Everything you set is kept for the next time you start Plumeric.";

QColor ToQColor(settings::ColourValue c) {
    return {settings::RedOf(c), settings::GreenOf(c), settings::BlueOf(c)};
}

QPixmap LargeHelpPicture() {
    QPixmap pix(240, 150);
    pix.fill(QColor(0, 0x30, 0));
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QStringList captions = {QStringLiteral("Home"), QStringLiteral("Products"),
                                  QStringLiteral("Links")};
    for (int i = 0; i < captions.size(); ++i) {
        const QRect r(40, 24 + i * 40, 160, 28);
        p.setBrush(i == 1 ? QColor(0, 0, 0) : QColor(255, 255, 255));
        p.setPen(QColor(128, 128, 128));
        p.drawRoundedRect(r, 6, 6);
        p.setPen(i == 1 ? QColor(255, 255, 255) : QColor(0, 0, 0));
        p.drawText(r, Qt::AlignCenter, captions[i]);
    }
    return pix;
}

QPixmap SmallHelpPicture() {
    QPixmap pix(33, 24);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 220, 0));
    p.setPen(Qt::NoPen);
    // An arrow pointer over the highlighted button.
    const QPoint arrow[] = {{2, 2}, {2, 20}, {7, 15}, {11, 22}, {14, 21}, {10, 14}, {17, 14}};
    p.drawPolygon(arrow, 7);
    return pix;
}

}  // namespace

TForm1::TForm1(platform::Dialogs& dialogs, platform::Shell& shell, const QString& executableFolder,
               QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      shell_(shell),
      batch_(settings_, dialogs_, *this),
      pages_(settings_, dialogs_, batch_, *this) {
    setWindowTitle(QStringLiteral("Plumeric V1.2"));
    resize(kInitialWidth, kInitialHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    setCentralWidget(central);
    PageControl1 = new QTabWidget(central);
    PageControl1->setFixedHeight(kPagesHeight);
    column->addWidget(PageControl1);
    BuildPages();
    BuildBar(central);
    BuildPreviewRow(central);

    statusPanel_ = new QLabel(this);
    statusBar()->addWidget(statusPanel_, 1);
    statusBar()->setSizeGripEnabled(false);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(kPreviewDelayMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(kBlinkShowDelayMs);
    connect(Timer2, &QTimer::timeout, this, [this] { Guarded([this] { Timer2Timer(); }); });

    advancedform_ = new Tadvancedform(settings_, this);
    connect(advancedform_->enforce83CheckBox, &QCheckBox::clicked, this,
            [this] { Guarded([this] { enforce83CheckBoxClick(); }); });
    connect(advancedform_->filenamestyleComboBox, &QComboBox::activated, this,
            [this] { Guarded([this] { filenamestyleComboBoxChange(); }); });

    // The hint handler: the hint of the control under the mouse goes into the status bar.
    hints_ = new HintTracker([this](const QString& hint) { ShowStatus(hint); }, this);
    qApp->installEventFilter(hints_);

    batch_.OnProgress = [this](int current, int total) { ShowBatchProgress(current, total); };

    dataFolderOk_ = CheckDataFolder(executableFolder, dataFolder_, dialogs_);
    report_ = std::make_unique<output::StatusReport>(settings_, dialogs_, shell_, dataFolder_);
    batch_.WriteStatusReport = [this] {
        report_->WriteStatusReport(false, batch_.SavedButtons(), pages_.SavedPages());
    };
    pages_.WriteStatusReport = [this] {
        report_->WriteStatusReport(true, batch_.SavedButtons(), pages_.SavedPages());
    };
    pages_.OpenPage = [this](const QString& page) {
        html::OpenInBrowser(page, html::BrowserMessages::Preview, settings_, dataFolder_, shell_, dialogs_);
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
    return project::ProjectFilePath(dataFolder_);
}

QString TForm1::StatusText() const {
    return statusPanel_->text();
}

void TForm1::ShowStatus(const QString& text) {
    statusPanel_->setText(text);
}

std::array<QGroupBox*, 2> TForm1::AddTypePanels(QWidget* page, const QString& title1, const QString& title2,
                                                int boxIndex) {
    auto* layout = new QVBoxLayout(page);
    auto* panel1 = new QGroupBox(title1, page);
    auto* panel2 = new QGroupBox(title2, page);
    for (QGroupBox* panel : {panel1, panel2}) {
        auto* grid = new QGridLayout(panel);
        grid->setColumnStretch(kPanelColumns - 1, 1);
        layout->addWidget(panel, 1);
    }
    auto* box = new QCheckBox(QStringLiteral("Disable this button ?"), panel2);
    SetHint(box, QStringLiteral("Tick this box to disable type 2 buttons."));
    static_cast<QGridLayout*>(panel2->layout())
        ->addWidget(box, 0, kPanelColumns - 1, Qt::AlignRight | Qt::AlignTop);
    secondbuttonCheckBox[static_cast<std::size_t>(boxIndex)] = box;
    type2Panels[static_cast<std::size_t>(boxIndex)] = panel2;
    connect(box, &QCheckBox::toggled, this,
            [this, box] { Guarded([this, box] { secondbuttonCheckBox1Click(box); }); });
    return {panel1, panel2};
}

void IntegerFieldControls::SetVisible(bool visible) const {
    edit->setVisible(visible);
    arrows->setVisible(visible);
    label->setVisible(visible);
}

void IntegerFieldControls::SetEnabled(bool enabled) const {
    edit->setEnabled(enabled);
    arrows->setEnabled(enabled);
    label->setEnabled(enabled);
}

IntegerFieldControls TForm1::AddIntegerField(int type, QGroupBox* panel, int row, const QString& label,
                                             const QString& hint, platform::IntegerRange range,
                                             QString settings::ButtonStyle::*field,
                                             std::function<void()> onChange) {
    auto* grid = static_cast<QGridLayout*>(panel->layout());
    IntegerFieldControls f;
    f.label = new QLabel(label, panel);
    f.edit = new widgets::TIntegerEdit(dialogs_, panel);
    f.edit->SetRange(range.min, range.max);
    f.edit->setFixedWidth(kIntegerFieldWidth);
    f.edit->SetErrorSink([this](const QString& text) { ShowStatus(text); });
    f.arrows = new widgets::TUpDown(panel);
    SetHint(f.edit, hint);
    SetHint(f.arrows, hint);
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    box->addWidget(f.edit);
    box->addWidget(f.arrows);
    grid->addWidget(f.label, row, 0);
    grid->addLayout(box, row, 1, Qt::AlignLeft);

    widgets::TIntegerEdit* edit = f.edit;
    widgets::TUpDown* arrows = f.arrows;
    // The arrows write their position into the field; the field's text moves the arrows.
    arrows->SetOnChange(
        [this, edit](int position) { Guarded([edit, position] { edit->SetValue(position); }); });
    connect(edit, &QLineEdit::textChanged, this,
            [this, type, field, edit, arrows, onChange](const QString& text) {
                if (syncing_) {
                    return;
                }
                Guarded([&] {
                    std::int32_t value = 0;
                    if (!platform::IsEmptyIntegerText(text)) {
                        try {
                            value = platform::ParseInteger(text);
                        } catch (const platform::ConvertError&) {
                            // A text that is not a number is never kept: reading the field reports
                            // it and puts its minimum in its place, which comes back through here.
                            edit->Value();
                            return;
                        }
                        arrows->SetPosition(value);
                    }
                    settings_.button[static_cast<std::size_t>(type)].*field = text;
                    onChange();
                });
            });
    return f;
}

void TForm1::BuildPages() {
    std::array<QWidget*, 7> pages{};
    for (int i = 0; i < 7; ++i) {
        pages[static_cast<std::size_t>(i)] = new QWidget(PageControl1);
        PageControl1->addTab(pages[static_cast<std::size_t>(i)], QString::fromLatin1(kPageCaptions[i]));
        SetHint(pages[static_cast<std::size_t>(i)], QString::fromLatin1(kPageHints[i]));
    }

    auto* fileLayout = new QVBoxLayout(pages[0]);
    BitBtn1 = new QPushButton(QStringLiteral("A&dvanced"), pages[0]);
    fileLayout->addStretch(1);
    fileLayout->addWidget(BitBtn1, 0, Qt::AlignRight);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });

    BuildCaptionListPage(pages[1]);
    BuildButtonsFields(AddTypePanels(pages[2], QStringLiteral("Button type 1 Settings"),
                                     QStringLiteral("Button type 2 Settings"), 0));
    AddTypePanels(pages[3], QStringLiteral("Button type 1 Font Settings"),
                  QStringLiteral("Button type 2 Font Settings"), 1);
    BuildAlignmentFields(AddTypePanels(pages[4], QStringLiteral("Button type 1 Caption Allignment Settings"),
                                       QStringLiteral("Button type 2 Caption Allignment Settings"), 2));
    BuildHelpPage(pages[kHelpPage]);
}

// Commits every edit of a caption cell as it is typed, so the caption list always holds what the
// user sees, and passes the editor's keys to the grid's key handler.
class CaptionEditorDelegate : public QStyledItemDelegate {
  public:
    CaptionEditorDelegate(TForm1* form) : QStyledItemDelegate(form), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            connect(line, &QLineEdit::textEdited, this,
                    [this, line] { emit const_cast<CaptionEditorDelegate*>(this)->commitData(line); });
            line->installEventFilter(form_);
            line->setProperty(kEditorColumnProperty, index.column());
        }
        return editor;
    }

    static constexpr char kEditorColumnProperty[] = "plumericCaptionColumn";

  private:
    TForm1* form_;
};

void TForm1::BuildCaptionListPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    CaptionStringGrid = new QTableView(page);
    captionModel_ = new CaptionGridModel(settings_.captions, this);
    CaptionStringGrid->setModel(captionModel_);
    CaptionStringGrid->setItemDelegate(new CaptionEditorDelegate(this));
    CaptionStringGrid->verticalHeader()->hide();
    CaptionStringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    CaptionStringGrid->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
    CaptionStringGrid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    CaptionStringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CaptionStringGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    CaptionStringGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    for (int c = 0; c < settings::CaptionGrid::kColumns; ++c) {
        CaptionStringGrid->setColumnWidth(c, kGridColumnWidths[c]);
    }
    SetHint(CaptionStringGrid, QStringLiteral("Enter/amend the list of button captions."));
    CaptionStringGrid->installEventFilter(this);
    CaptionStringGrid->viewport()->installEventFilter(this);
    connect(CaptionStringGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    settings_.captions.SetCurrentRow(CaptionGridModel::GridRow(current.row()));
                }
            });

    auto* buttons = new QHBoxLayout;
    AddCaptionButton = new QPushButton(QStringLiteral("Add Caption"), page);
    SetHint(AddCaptionButton, QStringLiteral("Add a new caption to the list."));
    DeleteCaptionButton = new QPushButton(QStringLiteral("Delete Caption"), page);
    SetHint(DeleteCaptionButton, QStringLiteral("Delete the currently highlighted caption from the list."));
    CalculateFilenamesButton = new QPushButton(QStringLiteral("Calculate default filenames"), page);
    SetHint(CalculateFilenamesButton,
            QStringLiteral("Automatically calculate the default filenames for each caption using the default "
                           "filenames rules on the \"File Settings\" menu."));
    connect(AddCaptionButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { AddCaptionButtonClick(); }); });
    connect(DeleteCaptionButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { DeleteCaptionButtonClick(); }); });
    connect(CalculateFilenamesButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { CalculateFilenamesButtonClick(); }); });
    buttons->addWidget(AddCaptionButton);
    buttons->addWidget(DeleteCaptionButton);
    buttons->addWidget(CalculateFilenamesButton);
    buttons->addStretch(1);
    layout->addWidget(CaptionStringGrid, 1);
    layout->addLayout(buttons);
}

void TForm1::BuildButtonsFields(const std::array<QGroupBox*, 2>& panels) {
    using B = settings::ButtonStyle;
    for (int t = 0; t < 2; ++t) {
        const QString type = QString::number(t + 1);
        TypeFields& f = typeFields[static_cast<std::size_t>(t)];
        QGroupBox* panel = panels[static_cast<std::size_t>(t)];
        const auto timer = [this] { starttimerforupdate(); };
        f.width =
            AddIntegerField(t, panel, 0, QStringLiteral("Width (pixels)"),
                            QStringLiteral("Select the width (in pixels) for type %1 buttons.").arg(type),
                            settings::WidthRange(t), &B::width, timer);
        // The spacing field takes the place of the width field.
        f.spacing =
            AddIntegerField(t, panel, 0, QStringLiteral("Spacing Pixels"),
                            QStringLiteral("Select the spacing (in pixels) added to the caption width of "
                                           "type %1 buttons.")
                                .arg(type),
                            settings::kSpacingRange, &B::spacing, timer);
        f.height =
            AddIntegerField(t, panel, 1, QStringLiteral("Height (pixels)"),
                            QStringLiteral("Select the height (in pixels) for type %1 buttons.").arg(type),
                            settings::kHeightRange, &B::height, timer);
        f.spacing.SetVisible(false);

        auto* grid = static_cast<QGridLayout*>(panel->layout());
        f.bitmap.label = new QLabel(QStringLiteral("Bitmap filename"), panel);
        f.bitmap.edit = new QLineEdit(panel);
        f.bitmap.edit->setReadOnly(true);
        f.bitmap.edit->setMinimumWidth(kBitmapFieldWidth);
        f.bitmap.browse = new QPushButton(panel);
        f.bitmap.browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        SetHint(f.bitmap.edit,
                QStringLiteral("Button %1 background bitmap filename (click the folder icon to change it).")
                    .arg(type));
        SetHint(f.bitmap.browse, QStringLiteral("Select button %1 background bitmap file.").arg(type));
        auto* row = new QHBoxLayout;
        row->addWidget(f.bitmap.edit, 1);
        row->addWidget(f.bitmap.browse);
        grid->addWidget(f.bitmap.label, 2, 0);
        grid->addLayout(row, 2, 1, 1, 3);
        connect(f.bitmap.edit, &QLineEdit::textChanged, this, [this, t] {
            if (!syncing_) {
                Guarded([this, t] { ButtonFilenameEditChange(t); });
            }
        });
        connect(f.bitmap.browse, &QPushButton::clicked, this,
                [this, t] { Guarded([this, t] { BitmapBrowseClick(t); }); });
        f.bitmap.SetVisible(false);
    }
}

void BitmapFieldControls::SetVisible(bool visible) const {
    label->setVisible(visible);
    edit->setVisible(visible);
    browse->setVisible(visible);
}

void TForm1::ButtonFilenameEditChange(int type) {
    const QString file = typeFields[static_cast<std::size_t>(type)].bitmap.edit->text();
    settings_.button[static_cast<std::size_t>(type)].bitmapFile = file;
    // A new bitmap shows after the refresh delay, once it names a file that exists.
    if (platform::FileExists(file)) {
        starttimerforupdate();
    }
}

void TForm1::BitmapBrowseClick(int type) {
    const QString current = settings_.button[static_cast<std::size_t>(type)].bitmapFile;
    platform::OpenFileRequest request;
    request.fileName = type == settings::kType1 ? platform::Trim(current) : current;
    request.filter = QStringLiteral("Windows Bitmap (.bmp)|*.bmp");
    request.defaultExtension = QStringLiteral(".bmp");
    if (request.fileName.isEmpty()) {
        request.initialFolder = dataFolder_ + QStringLiteral("KSDATA/SAMPLES/");
    }
    if (const std::optional<QString> chosen = dialogs_.ChooseOpenFile(request)) {
        typeFields[static_cast<std::size_t>(type)].bitmap.edit->setText(*chosen);
    }
}

void TForm1::BuildAlignmentFields(const std::array<QGroupBox*, 2>& panels) {
    using B = settings::ButtonStyle;
    for (int t = 0; t < 2; ++t) {
        const QString type = QString::number(t + 1);
        TypeFields& f = typeFields[static_cast<std::size_t>(t)];
        QGroupBox* panel = panels[static_cast<std::size_t>(t)];
        f.verticalOffset = AddIntegerField(
            t, panel, 0, QStringLiteral("Vertical offset"),
            QStringLiteral("Select the top offset to use for type %1 buttons.").arg(type),
            settings::kOffsetRange, &B::verticalOffset, [this, t] { TopOffsetIntegerEditChange(t); });
        f.horizontalOffset = AddIntegerField(
            t, panel, 1, QStringLiteral("Horizontal offset"),
            QStringLiteral("Select the left offset to use for type %1 buttons.").arg(type),
            settings::kOffsetRange, &B::horizontalOffset, [this, t] { LeftOffsetIntegerEditChange(t); });
    }
}

void TForm1::BuildHelpPage(QWidget* page) {
    auto* layout = new QHBoxLayout(page);
    welcomeText = new QTextEdit(page);
    welcomeText->setReadOnly(true);
    welcomeText->setPlainText(QString::fromUtf8(kWelcomeText));

    auto* pictures = new QWidget(page);
    auto* pictureColumn = new QVBoxLayout(pictures);
    auto* pictureBox = new QWidget(pictures);
    const QPixmap large = LargeHelpPicture();
    pictureBox->setFixedSize(large.size());
    Image4 = new QLabel(pictureBox);
    Image4->setPixmap(large);
    Image4->setFixedSize(large.size());
    Image4->setMouseTracking(true);
    Image7 = new QLabel(pictureBox);
    Image7->setPixmap(SmallHelpPicture());
    Image7->setGeometry(kSmallPictureX, kSmallPictureY, 33, 24);
    Image7->setMouseTracking(true);
    Image7->raise();
    Image7->hide();
    Image4->installEventFilter(this);
    Image7->installEventFilter(this);

    ViewHelpButton = new QPushButton(QStringLiteral("&View Help File"), pictures);
    SetHint(ViewHelpButton, QStringLiteral("View the help files."));
    pictureColumn->addWidget(pictureBox);
    pictureColumn->addWidget(ViewHelpButton);
    connect(ViewHelpButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { viewhelpBitBtnClick(); }); });
    pictureColumn->addStretch(1);

    layout->addWidget(welcomeText, 1);
    layout->addWidget(pictures);
}

void TForm1::BuildBar(QWidget* central) {
    auto* bar = new QWidget(central);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    SaveBatchButton = new QPushButton(QStringLiteral("&Save Buttons"), bar);
    SetHint(SaveBatchButton, QStringLiteral("Save a batch of buttons using the list of captions in the "
                                            "\"Batch Captions List\"."));
    generatehtmlbutton = new QPushButton(QStringLiteral("&Preview in web browser"), bar);
    SetHint(generatehtmlbutton,
            QStringLiteral("Save the buttons, create HTML (.htm) files and then preview them "
                           "in your web browser."));
    auto* captionLabel = new QLabel(QStringLiteral("Enter Test Caption"), bar);
    TextEdit = new QLineEdit(bar);
    TextEdit->setMaxLength(settings::kMaxCaptionLength);
    SetHint(TextEdit,
            QStringLiteral("Enter a test caption so that you can see what the buttons will look like."));
    connect(TextEdit, &QLineEdit::textChanged, this, [this] { Guarded([this] { TextEditChange(); }); });
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
    preview1Label = new QLabel(QStringLiteral("Button type 1 Preview"), previewLabelRow_);
    preview1Label->move(4, 0);
    preview2Label = new QLabel(QStringLiteral("Button type 2 Preview"), previewLabelRow_);

    previewRow_ = new QWidget(central);
    // The preview areas: tiled picture panels without a picture, in the colour 12288 (green 48)
    // until the first refresh gives them the preview area colour.
    for (widgets::TPicturePanel** area : {&testareaPanel1, &testareaPanel2}) {
        *area = new widgets::TPicturePanel(previewRow_);
        (*area)->SetStyle(widgets::ppTiled);
        (*area)->SetColor(QColor(0, 48, 0));
        (*area)->FinishLoading();
    }
    SetHint(testareaPanel1, QStringLiteral("This is the preview area for type 1 buttons."));
    SetHint(testareaPanel2, QStringLiteral("This is the preview area for type 2 buttons."));
    image1 = new render::TLumoButton(testareaPanel1);
    image2 = new render::TLumoButton(testareaPanel2);
    for (render::TLumoButton* b : {image1, image2}) {
        // The preview buttons as the form sets them.
        b->SetButtonAngle(0);
        b->SetButtonWidth(89);
        b->SetButtonHeight(17);
        b->SetCaptionAngle(0);
        b->SetButtonColor(render::clBlack);
        b->SetButton3DKind(render::dkNone);
        b->SetButtonDepth(0);
        b->SetTransparent(false);
        b->SetBitmapTop(0);
        b->SetBitmapLeft(0);
        b->SetBitmapHAlign(render::haNone);
        b->SetBitmapVAlign(render::vaNone);
        b->SetUserRGNAUTO(true);
        b->SetRotated(false);
        b->SetCaptionFixed(false);
        b->SetButtonColor1(render::clBlack);
        b->SetCaption3dKind(render::ckSimple);
        QFont f(QStringLiteral("Times New Roman"));
        f.setPixelSize(11);
        b->setFont(f);
        b->SetFontColor(render::clBlack);
        b->setFocusPolicy(Qt::NoFocus);
        b->FinishLoading();
    }
    SetHint(image1, QStringLiteral("This is the preview area for type 1 buttons."));
    SetHint(image2, QStringLiteral("This is the preview area for type 2 buttons."));
    previewRow_->installEventFilter(this);

    auto* column = static_cast<QVBoxLayout*>(central->layout());
    column->addWidget(previewLabelRow_);
    column->addWidget(previewRow_, 1);
}

void TForm1::FieldToControls(const IntegerFieldControls& f, const QString& text) {
    f.edit->setText(text);
    f.arrows->SetPosition(platform::IsEmptyIntegerText(text) ? 0 : platform::ParseInteger(text));
}

void TForm1::ShowOffsetFields(int type) {
    const settings::ButtonStyle& b = settings_.button[static_cast<std::size_t>(type)];
    const TypeFields& f = typeFields[static_cast<std::size_t>(type)];
    const bool vertical = b.verticalMode == settings::kFixedOffsetAlignment;
    const bool horizontal = b.horizontalMode == settings::kFixedOffsetAlignment;
    f.verticalOffset.SetEnabled(vertical);
    f.verticalOffset.SetVisible(vertical);
    f.horizontalOffset.SetEnabled(horizontal);
    f.horizontalOffset.SetVisible(horizontal);
}

void TForm1::SettingsToControls() {
    syncing_ = true;
    {
        const QSignalBlocker block(TextEdit);
        TextEdit->setText(settings_.testCaption);
    }
    for (int t = 0; t < 2; ++t) {
        const settings::ButtonStyle& b = settings_.button[static_cast<std::size_t>(t)];
        const TypeFields& f = typeFields[static_cast<std::size_t>(t)];
        f.bitmap.edit->setText(b.bitmapFile);
        FieldToControls(f.width, b.width);
        FieldToControls(f.height, b.height);
        FieldToControls(f.spacing, b.spacing);
        FieldToControls(f.verticalOffset, b.verticalOffset);
        FieldToControls(f.horizontalOffset, b.horizontalOffset);
        if (t == settings::kType1 || settings_.secondbuttonEnabled) {
            ShowOffsetFields(t);
        }
    }
    captionModel_->Reload();
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
    settings::ApplyDefaultSettings(settings_, QFontDatabase::families(), dataFolder_);
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
    batch_.ClearSavedButtons();
    pages_.ClearSavedPages();
    ApplyDefaultSettings();
    settings_.PreviewUpdatesSuspended = true;
    project::LoadSettings(ProjectFile(), settings_, dialogs_, dataFolder_);
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
    Guarded([this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose() {
    if (dataFolderOk_) {
        project::SaveSettings(ProjectFile(), settings_);
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Guarded([this] { FormResize(); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == Image4 || watched == Image7)) {
        Guarded([this] { Image4MouseMove(); });
    } else if (event->type() == QEvent::Resize && watched == previewRow_) {
        Guarded([this] { FormResize(); });
    } else if (event->type() == QEvent::Resize && watched == CaptionStringGrid->viewport()) {
        SizeCaptionColumns();
    } else if (event->type() == QEvent::KeyPress &&
               (watched == CaptionStringGrid ||
                watched->property(CaptionEditorDelegate::kEditorColumnProperty).isValid())) {
        if (auto* editor = qobject_cast<QLineEdit*>(watched)) {
            // The open editor holds the cell's text: it is cut like the cell.
            const int column = editor->property(CaptionEditorDelegate::kEditorColumnProperty).toInt();
            const int limit = column == settings::CaptionGrid::kCaptionColumn
                                  ? settings::CaptionGrid::kMaxCaptionCell
                                  : settings::CaptionGrid::kMaxNameCell;
            if (editor->text().size() > limit) {
                editor->setText(editor->text().left(limit));
            }
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        Guarded([this, key] { CaptionStringGridKeyDown(key); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormResize() {
    PreviewLayoutInput in;
    in.window = frameGeometry().size();
    in.rowWidth = previewRow_->width();
    in.areaHeight = previewRow_->height();
    in.type2Enabled = settings_.secondbuttonEnabled;
    in.button1 = image1->size();
    in.button2 = image2->size();
    const PreviewLayout out = ComputePreviewLayout(in);
    if (out.window != in.window) {
        resize(size() + (out.window - in.window));
    }
    testareaPanel1->setGeometry(0, 0, out.area1Width, out.areaHeight);
    testareaPanel2->setGeometry(out.area1Width, 0, std::max(out.area2Width, 0), out.areaHeight);
    preview2Label->move(out.label2X, 0);
    if (image1->pos() != out.button1)
        image1->move(out.button1);
    if (image2->pos() != out.button2)
        image2->move(out.button2);
    SizeCaptionColumns();
}

void TForm1::SizeCaptionColumns() {
    // The four columns share the list's width.
    const int width = CaptionStringGrid->viewport()->width() / settings::CaptionGrid::kColumns;
    for (int c = 0; c < settings::CaptionGrid::kColumns; ++c) {
        CaptionStringGrid->setColumnWidth(c, width);
    }
}

void TForm1::RefreshPreview() {
    if (settings_.PreviewUpdatesSuspended) {
        return;
    }
    const QColor area = ToQColor(settings::ColourFromStringLenient(settings_.previewAreaColour));
    testareaPanel1->SetColor(area);
    testareaPanel2->SetColor(area);
    // Background colours are normalised: a text that is not eight hexadecimal digits becomes black.
    for (settings::ButtonStyle& b : settings_.button) {
        b.backgroundColour = settings::ColourToString(settings::ColourFromStringStrict(b.backgroundColour));
    }
    // The size fields a background mode uses; the spacing field stands in the width field's place.
    for (int t = 0; t < 2; ++t) {
        const int mode = settings_.button[static_cast<std::size_t>(t)].backgroundMode;
        if ((t == settings::kType2 && !settings_.secondbuttonEnabled) || mode == settings::kNoChoice) {
            continue;
        }
        const TypeFields& f = typeFields[static_cast<std::size_t>(t)];
        f.bitmap.SetVisible(mode == 0 || mode == 2 || mode == 3);
        f.width.SetVisible(mode == 1 || mode == 2);
        f.height.SetVisible(mode != 0);
        f.spacing.SetVisible(mode == 3 || mode == 4);
    }
    ++previewRefreshes_;
    const QString caption = TextEdit->text();
    ApplyButtonSettings(caption, caption);
    image1->Repaint();
    image2->Repaint();
    image1->update();
    image2->update();
    FormResize();
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
    if (Image7->isVisible()) {
        Image7->hide();
        Timer2->setInterval(kBlinkShowDelayMs);
        Timer2->stop();
    } else {
        Image7->show();
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
    if (enabled && settings_.copyOnReEnable) {
        // Type 2 becomes an exact copy of type 1, alignment and offsets included.
        settings_.button[settings::kType2] = settings_.button[settings::kType1];
        SettingsToControls();
    }
    ShowType2(enabled);
}

void TForm1::ShowType2(bool enabled) {
    for (QGroupBox* panel : type2Panels) {
        for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool isDisableBox = std::find(secondbuttonCheckBox.begin(), secondbuttonCheckBox.end(),
                                                child) != secondbuttonCheckBox.end();
            child->setVisible(enabled || isDisableBox);
        }
    }
    if (enabled) {
        ShowOffsetFields(settings::kType2);
    }
    settings_.secondbuttonEnabled = enabled;
    preview2Label->setVisible(enabled);
    testareaPanel2->setVisible(enabled);
    FormResize();
}

void TForm1::BitBtn1Click() {
    advancedform_->exec();
}

void TForm1::SelectCaptionRow(int gridRow) {
    settings_.captions.SetCurrentRow(gridRow);
    const QModelIndex current = CaptionStringGrid->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    CaptionStringGrid->setCurrentIndex(captionModel_->index(CaptionGridModel::ViewRow(gridRow), column));
}

void TForm1::AddCaptionButtonClick() {
    captionModel_->AddCaption();
    SelectCaptionRow(settings_.captions.CurrentRow());
    CaptionStringGrid->setFocus();
}

void TForm1::DeleteCaptionButtonClick() {
    captionModel_->DeleteCaption();
    SelectCaptionRow(settings_.captions.CurrentRow());
    CaptionStringGrid->setFocus();
}

void TForm1::CaptionStringGridKeyDown(int key) {
    captionModel_->CutCurrentRow();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && settings_.captions.CurrentRowIsLast()) {
        AddCaptionButtonClick();
    }
}

void TForm1::CalculateFilenamesButtonClick() {
    RecalculateCaptionFilenames();
}

void TForm1::RecalculateCaptionFilenames() {
    const int current = settings_.captions.CurrentRow();
    output::RecalculateFilenames(settings_);
    captionModel_->Reload();
    SelectCaptionRow(current);
}

void TForm1::enforce83CheckBoxClick() {
    RecalculateCaptionFilenames();
}

void TForm1::filenamestyleComboBoxChange() {
    CalculateFilenamesButton->click();
}

// The offsets reach the preview buttons through the refresh.
void TForm1::TopOffsetIntegerEditChange(int /*type*/) {
    RefreshPreview();
}

void TForm1::LeftOffsetIntegerEditChange(int /*type*/) {
    RefreshPreview();
}

namespace {

// The border kind of a border style list text; anything else, an empty text included, is no border.
render::TLumo3DKind BorderStyleKind(const QString& text) {
    if (text == QLatin1String("Simple 3D"))
        return render::dk3dsimple;
    if (text == QLatin1String("3D Border"))
        return render::dk3dBorder;
    if (text == QLatin1String("Flatten"))
        return render::dkFlatten;
    if (text == QLatin1String("Flatten Simple"))
        return render::dkFlattenSimple;
    if (text == QLatin1String("3D Border Flatten"))
        return render::dk3dBorderFlatten;
    return render::dkNone;
}

render::TLumoCaption3dKind CaptionKind(settings::CaptionEffect effect) {
    switch (effect) {
        case settings::CaptionEffect::Embossed:
            return render::ckEmbossed;
        case settings::CaptionEffect::Pressed:
            return render::ckPressed;
        case settings::CaptionEffect::Standard:
        default:
            return render::ckSimple;
    }
}

render::TLumoVAlign VerticalAlign(int mode) {
    switch (mode) {
        case 0:
            return render::vaBottom;
        case 2:
            return render::vaNone;
        case 3:
            return render::vaTop;
        default:
            return render::vaCenter;  // "Centre" and no choice
    }
}

render::TLumoHAlign HorizontalAlign(int mode) {
    switch (mode) {
        case 1:
            return render::haLeft;
        case 2:
            return render::haNone;
        case 3:
            return render::haRight;
        default:
            return render::haCenter;  // "Centre" and no choice
    }
}

QImage LoadBitmapFile(const QString& path) {
    QImage image(path);
    if (image.isNull()) {
        throw std::runtime_error(
            QStringLiteral("The bitmap file \"%1\" could not be read.").arg(path).toStdString());
    }
    return image;
}

}  // namespace

render::TLumoButton* TForm1::PreviewButton(int type) const {
    return type == settings::kType1 ? image1 : image2;
}

void TForm1::ApplyButtonSettings(const QString& caption1, const QString& caption2) {
    ApplyTypeSettings(settings::kType1, image1, caption1);
    ApplyTypeSettings(settings::kType2, image2, caption2);
}

void TForm1::ApplyTypeSettings(int type, render::TLumoButton* b, const QString& caption) {
    const settings::ButtonStyle& s = settings_.button[static_cast<std::size_t>(type)];
    const TypeFields& f = typeFields[static_cast<std::size_t>(type)];

    // What the settings handlers keep on the button: font, effect, offsets, then alignment (an
    // offset switches its alignment to the fixed kind, so the alignment comes after it).
    QFont font = b->font();
    font.setFamily(s.fontName);
    const QString size = platform::Trim(s.fontSizeText);
    if (!size.isEmpty()) {
        const int points = platform::ParseInteger(size);
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    }
    font.setBold(s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    if (font != b->font()) {
        b->setFont(font);
    }
    b->SetCaption3dKind(CaptionKind(s.captionEffect));
    b->SetCaptionTop(platform::IntegerFieldValue(s.verticalOffset));
    b->SetCaptionLeft(platform::IntegerFieldValue(s.horizontalOffset));
    b->SetCaptionHAlign(HorizontalAlign(s.horizontalMode));
    b->SetCaptionVAlign(VerticalAlign(s.verticalMode));

    const auto sizeRule = [](const IntegerFieldControls& field, const std::function<void(int)>& apply) {
        if (!platform::IsEmptyIntegerText(field.edit->text())) {
            apply(std::max(0, field.edit->Value()));
        } else {
            apply(0);
            field.arrows->SetPosition(0);
        }
    };
    const auto widthRule = [&] { sizeRule(f.width, [b](int v) { b->SetButtonWidth(v); }); };
    const auto heightRule = [&] { sizeRule(f.height, [b](int v) { b->SetButtonHeight(v); }); };
    const auto smartWidth = [&] {
        const QFontMetrics metrics(render::TLumoButton::FaceFontOf(font));
        const int spacing =
            platform::IsEmptyIntegerText(f.spacing.edit->text()) ? 0 : f.spacing.edit->Value();
        b->SetButtonWidth(std::max(0, metrics.horizontalAdvance(caption) + spacing));
    };
    const auto background = [&] { b->SetButtonColor(settings::ColourFromStringStrict(s.backgroundColour)); };
    const bool fileExists = !s.bitmapFile.isEmpty() && platform::FileExists(s.bitmapFile);

    switch (s.backgroundMode) {
        case 0:
            if (fileExists) {
                tempImage_ = LoadBitmapFile(s.bitmapFile);
            }
            b->SetButtonWidth(tempImage_.width());
            b->SetButtonHeight(tempImage_.height());
            if (fileExists) {
                b->SetMainBitmap(tempImage_);
            }
            break;
        case 1:
            widthRule();
            heightRule();
            background();
            b->SetMainBitmap(QImage());
            break;
        case 2:
            if (fileExists) {
                b->SetMainBitmap(LoadBitmapFile(s.bitmapFile));
            }
            widthRule();
            heightRule();
            background();
            break;
        case 3:
            if (fileExists) {
                b->SetMainBitmap(LoadBitmapFile(s.bitmapFile));
            }
            smartWidth();
            heightRule();
            background();
            break;
        case 4:
            smartWidth();
            heightRule();
            background();
            b->SetMainBitmap(QImage());
            break;
        default:
            break;
    }
    b->SetButton3DKind(BorderStyleKind(settings::ChoiceText(settings::BorderStyleTexts(), s.borderStyle)));
    // No choice in the depth list is no border.
    b->SetButtonDepth(std::max(0, s.borderDepth));
    b->SetFontColor(settings::ColourFromStringStrict(s.captionColour));
    b->SetCaption(QString());
    b->Repaint();
    b->SetCaption(caption);
    b->MouseInside = true;
    b->Repaint();
}

void TForm1::ShowBatchProgress(int current, int total) {
    // Painting costs time: the bar and the previews are brought up to date at most every
    // kProgressIntervalMs, and always for the first and the last caption.
    showSavedFaces_ = current == 1 || current == total || !progressClock_.isValid() ||
                      progressClock_.elapsed() >= kProgressIntervalMs;
    if (!showSavedFaces_) {
        return;
    }
    progressClock_.start();
    ShowStatus(output::ProgressText(current, total));
    statusPanel_->repaint();
}

QImage TForm1::CaptureButton(int type) {
    render::TLumoButton* b = PreviewButton(type == 1 ? settings::kType1 : settings::kType2);
    b->Repaint();
    if (showSavedFaces_ && b->isVisible()) {
        // The preview shows the face being saved.
        b->repaint();
    }
    QImage face = b->Canvas().copy(0, 0, b->ButtonWidth(), b->ButtonHeight());
    if (face.size() != b->size() && !b->size().isEmpty()) {
        face = face.scaled(b->size());
    }
    tempImage_ = face.convertToFormat(QImage::Format_RGB32);
    return tempImage_;
}

void TForm1::SaveBatchButtonClick() {
    progressClock_.invalidate();
    batch_.SaveBatchButtonClick();
    showSavedFaces_ = false;
}

void TForm1::generatehtmlbuttonClick() {
    progressClock_.invalidate();
    pages_.generatehtmlbuttonClick();
    showSavedFaces_ = false;
}

void TForm1::viewhelpBitBtnClick() {
    html::OpenInBrowser(html::HelpPagePath(dataFolder_), html::BrowserMessages::Help, settings_, dataFolder_,
                        shell_, dialogs_);
}

}  // namespace app
