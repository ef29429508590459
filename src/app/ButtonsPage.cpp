#include "app/ButtonsPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "platform/Paths.h"
#include "settings/SettingsLists.h"
#include "widgets/IntegerEdit.h"
#include "widgets/PathEdit.h"
#include "widgets/UpDown.h"

namespace app {
namespace {

constexpr int kBitmapFieldWidth = 110;

}  // namespace

void ButtonsTypeControls::SetBitmapVisible(bool visible) const {
    filenameLabel->setVisible(visible);
    filenameedit->setVisible(visible);
    BitBtn->setVisible(visible);
}

TButtonsPage::TButtonsPage(TForm1& form, QWidget* parent)
    : TTypePanelsPage(form, parent, QStringLiteral("Button type 1 Settings"),
                      QStringLiteral("Button type 2 Settings")) {
    BuildType(0);
    BuildType(1);
    AddDisableBox(borderRow2_);
}

QHBoxLayout* TButtonsPage::NewRow(int t, int row) {
    auto* layout = new QHBoxLayout;
    layout->setSpacing(0);
    Grid(t)->addLayout(layout, row, 0, 1, kStretchColumn + 1);
    return layout;
}

// A type panel has four rows, each control with its label to its left: the background mode; the
// background colour and the sizes; the border; the bitmap. Each row is laid out on its own, so the
// wide border lists and the bitmap field do not widen the other rows' columns.
void TButtonsPage::BuildType(int t) {
    ButtonsTypeControls& c = type[static_cast<std::size_t>(t)];
    QGroupBox* panel = panels[static_cast<std::size_t>(t)];
    using B = settings::ButtonStyle;

    c.ModeComboBox = new QComboBox(panel);
    c.ModeComboBox->addItems(settings::BackgroundModeTexts());
    LimitListWidth(c.ModeComboBox, 36);
    SetHint(c.ModeComboBox,
            TypeHint(t, QStringLiteral("Select the \"background mode\" for type 1 buttons, either a "
                                       "pre-defined bitmap or the colour and size of your choice.")));
    QHBoxLayout* modeRow = NewRow(t, 0);
    AddPair(modeRow, BuddyLabel(QStringLiteral("Background mode"), panel, c.ModeComboBox), c.ModeComboBox);
    modeRow->setStretchFactor(c.ModeComboBox, 1);

    c.settingsSwatch = MakeColourSwatch(
        panel, TypeHint(t, QStringLiteral("Click here to change the background colour of type 1 buttons.")));
    QHBoxLayout* sizeRow = NewRow(t, 1);
    AddPair(sizeRow, BuddyLabel(QStringLiteral("Background colour"), panel, c.settingsSwatch.button),
            SwatchRow(panel, c.settingsSwatch));

    const auto timer = [this] { form_.starttimerforupdate(); };
    c.widthField =
        AddIntegerField(t, panel, QStringLiteral("Width (pixels)"),
                        TypeHint(t, QStringLiteral("Select the width (in pixels) for type 1 buttons.")),
                        settings::WidthRange(t), &B::width, timer);
    // The spacing field takes the place of the width field; at most one of them is shown.
    c.spacingField = AddIntegerField(
        t, panel, QStringLiteral("Spacing Pixels"),
        TypeHint(t, QStringLiteral(
                        "Select the spacing (in pixels) added to the caption width of type 1 buttons.")),
        settings::kSpacingRange, &B::spacing, timer);
    c.heightField =
        AddIntegerField(t, panel, QStringLiteral("Height (pixels)"),
                        TypeHint(t, QStringLiteral("Select the height (in pixels) for type 1 buttons.")),
                        settings::kHeightRange, &B::height, timer);
    auto* widthPlace = new QGridLayout;
    widthPlace->setHorizontalSpacing(kLabelGap);
    for (const IntegerFieldControls* field : {&c.widthField, &c.spacingField}) {
        widthPlace->addWidget(field->label, 0, 0);
        widthPlace->addLayout(field->MakeBox(), 0, 1);
    }
    sizeRow->addSpacing(kPairGap);
    sizeRow->addLayout(widthPlace);
    c.heightField.AddTo(sizeRow);
    sizeRow->addStretch(1);

    c.BorderStyleComboBox = new QComboBox(panel);
    c.BorderStyleComboBox->addItems(settings::BorderStyleTexts());
    ShowWholeItems(c.BorderStyleComboBox);
    SetHint(c.BorderStyleComboBox,
            TypeHint(t, QStringLiteral("Select the type of border required for type 1 buttons.")));
    c.BorderDepthComboBox = new QComboBox(panel);
    c.BorderDepthComboBox->addItems(settings::BorderDepthTexts());
    ShowWholeItems(c.BorderDepthComboBox);
    SetHint(c.BorderDepthComboBox,
            TypeHint(t, QStringLiteral("Select the depth (in pixels) of the border for type 1 buttons.")));
    QHBoxLayout* borderRow = NewRow(t, 2);
    AddPair(borderRow, BuddyLabel(QStringLiteral("Border style"), panel, c.BorderStyleComboBox),
            c.BorderStyleComboBox);
    AddPair(borderRow, BuddyLabel(QStringLiteral("Border depth"), panel, c.BorderDepthComboBox),
            c.BorderDepthComboBox);
    borderRow->addStretch(1);
    borderRow2_ = borderRow;

    c.filenameedit = new widgets::TPathEdit(panel);
    c.filenameedit->setMinimumWidth(kBitmapFieldWidth);
    c.BitBtn = MakeFolderButton(panel);
    SetHint(c.filenameedit,
            TypeHint(t, QStringLiteral(
                            "Button 1 background bitmap filename (click the folder icon to change it).")));
    SetHint(c.BitBtn, TypeHint(t, QStringLiteral("Select button 1 background bitmap file.")));
    c.filenameLabel = BuddyLabel(QStringLiteral("Bitmap filename"), panel, c.BitBtn);
    QHBoxLayout* bitmapRow = NewRow(t, 3);
    AddPair(bitmapRow, c.filenameLabel, FieldRow(panel, c.filenameedit, c.BitBtn));
    bitmapRow->setStretchFactor(c.filenameedit->parentWidget(), 1);

    // The fields a background mode hides keep their room, so showing and hiding them per mode
    // moves nothing else, and both type panels keep the same rows.
    for (QWidget* w : std::initializer_list<QWidget*>{
             c.filenameLabel, c.filenameedit, c.BitBtn, c.widthField.label, c.widthField.edit,
             c.widthField.arrows, c.spacingField.label, c.spacingField.edit, c.spacingField.arrows,
             c.heightField.label, c.heightField.edit, c.heightField.arrows}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    c.spacingField.SetVisible(false);
    c.SetBitmapVisible(false);

    On(c.ModeComboBox, &QComboBox::activated, [this, t] { ModeComboBoxChange(t); });
    On(c.BorderStyleComboBox, &QComboBox::activated, [this, t] { BorderStyleComboBoxChange(t); });
    On(c.BorderDepthComboBox, &QComboBox::activated, [this, t] { BorderDepthComboBoxChange(t); });
    On(c.filenameedit, &QLineEdit::textChanged, [this, t] { filenameeditChange(t); });
    On(c.BitBtn, &QPushButton::clicked, [this, t] { BitmapBrowseClick(t); });
    On(c.settingsSwatch.button, &QPushButton::clicked, [this, t] { SettingsPaletteBitBtnClick(t); });
}

void TButtonsPage::SizeTextsToControls(int t) {
    const ButtonsTypeControls& c = type[static_cast<std::size_t>(t)];
    const settings::ButtonStyle& s = Style(t);
    c.widthField.Show(s.width);
    c.heightField.Show(s.height);
    c.spacingField.Show(s.spacing);
}

void TButtonsPage::SettingsToControls() {
    for (int t = 0; t < 2; ++t) {
        const ButtonsTypeControls& c = type[static_cast<std::size_t>(t)];
        const settings::ButtonStyle& s = Style(t);
        c.ModeComboBox->setCurrentIndex(s.backgroundMode);
        c.BorderStyleComboBox->setCurrentIndex(s.borderStyle);
        c.BorderDepthComboBox->setCurrentIndex(s.borderDepth);
        c.filenameedit->setText(s.bitmapFile);
        SizeTextsToControls(t);
        c.settingsSwatch.Fill(settings::ColourFromStringStrict(s.backgroundColour));
        if (t == settings::kType1 || Settings().secondbuttonEnabled) {
            ShowModeFields(t);
        }
    }
}

void TButtonsPage::ShowModeFields(int t) {
    const int mode = Style(t).backgroundMode;
    if (mode == settings::kNoChoice) {
        return;
    }
    const ButtonsTypeControls& c = type[static_cast<std::size_t>(t)];
    c.SetBitmapVisible(settings::UsesBitmapFile(mode));
    c.widthField.SetVisible(mode == settings::kColourFixedSize || mode == settings::kBitmapFixedSize);
    c.heightField.SetVisible(mode != settings::kBitmapSized);
    c.spacingField.SetVisible(settings::IsSmartSized(mode));
}

void TButtonsPage::FillSwatches() {
    for (int t = 0; t < 2; ++t) {
        type[static_cast<std::size_t>(t)].settingsSwatch.FillFromSetting(Style(t).backgroundColour);
    }
}

void TButtonsPage::ModeComboBoxChange(int t) {
    Style(t).backgroundMode = type[static_cast<std::size_t>(t)].ModeComboBox->currentIndex();
    form_.RefreshPreview();
}

void TButtonsPage::BorderStyleComboBoxChange(int t) {
    Style(t).borderStyle = type[static_cast<std::size_t>(t)].BorderStyleComboBox->currentIndex();
    form_.RefreshPreview();
}

void TButtonsPage::BorderDepthComboBoxChange(int t) {
    Style(t).borderDepth = type[static_cast<std::size_t>(t)].BorderDepthComboBox->currentIndex();
    form_.RefreshPreview();
}

void TButtonsPage::filenameeditChange(int t) {
    const QString file = type[static_cast<std::size_t>(t)].filenameedit->text();
    Style(t).bitmapFile = file;
    // A new bitmap shows after the refresh delay, once it names a file that exists.
    if (platform::FileExists(file)) {
        form_.starttimerforupdate();
    }
}

void TButtonsPage::BitmapBrowseClick(int t) {
    const QString current = Style(t).bitmapFile;
    platform::OpenFileRequest request;
    // Only the type 1 button trims the file name it starts with.
    request.fileName = t == settings::kType1 ? platform::Trim(current) : current;
    request.filter = QStringLiteral("Windows Bitmap (.bmp)|*.bmp");
    request.defaultExtension = QStringLiteral(".bmp");
    if (request.fileName.isEmpty()) {
        request.initialFolder = form_.DataFolder() + QStringLiteral("SAMPLES/");
    }
    if (const std::optional<QString> chosen = form_.Dialogs().ChooseOpenFile(request)) {
        // The field's change handler stores it and starts the refresh timer.
        type[static_cast<std::size_t>(t)].filenameedit->setText(*chosen);
    }
}

void TButtonsPage::SettingsPaletteBitBtnClick(int t) {
    settings::ButtonStyle& s = Style(t);
    ChooseColour(s.backgroundColour, settings::ColourFromStringStrict(s.backgroundColour),
                 type[static_cast<std::size_t>(t)].settingsSwatch);
}

}  // namespace app
