#include "app/FilePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "settings/SettingsLists.h"

namespace app {
namespace {

// Space above the settings file buttons, which stand apart from the button settings.
constexpr int kSettingsButtonsGap = 8;
// Between the settings file buttons, which would otherwise all but touch.
constexpr int kSettingsButtonsSpacing = 8;

constexpr int kPrefixWidth = 110;

}  // namespace

TFilePage::TFilePage(TForm1& form, QWidget* parent) : TSettingsPage(form, parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);

    pathedit = new QLineEdit(this);
    pathedit->setReadOnly(true);
    BitBtn3 = MakeFolderButton(this);
    SetHint(pathedit,
            QStringLiteral("Target folder for saving the buttons (click the folder icon to change it)."));
    SetHint(BitBtn3, QStringLiteral("Select the folder in which the buttons will be saved."));
    AddLabelled(grid, 0, 0, QStringLiteral("Button Target folder (where the buttons will be saved)"),
                FieldRow(this, pathedit, BitBtn3), 3)
        ->setBuddy(BitBtn3);
    OverWriteCheckBox = new QCheckBox(QStringLiteral("Prompt before overwriting button files ?    "), this);
    PutCaptionLeft(OverWriteCheckBox);
    SetHint(OverWriteCheckBox, QStringLiteral("Prompt before overwriting any existing button files ?"));
    grid->addWidget(OverWriteCheckBox, 2, 0, 1, 3, Qt::AlignAbsolute | Qt::AlignLeft);

    HTMLpathedit = new QLineEdit(this);
    HTMLpathedit->setReadOnly(true);
    htmlbrowsebutton = MakeFolderButton(this);
    SetHint(HTMLpathedit,
            QStringLiteral("Target folder for saving the HTML (.htm) files into  (click the folder icon "
                           "to change it)."));
    SetHint(htmlbrowsebutton,
            QStringLiteral("Select the folder in which the HTML (.htm) files will be saved."));
    AddLabelled(grid, 3, 0, QStringLiteral("HTML target folder (where the HTML file(s) will be saved)"),
                FieldRow(this, HTMLpathedit, htmlbrowsebutton), 3)
        ->setBuddy(htmlbrowsebutton);
    HTMLOverWriteCheckBox = new QCheckBox(QStringLiteral("Prompt before overwriting HTML files ?    "), this);
    PutCaptionLeft(HTMLOverWriteCheckBox);
    SetHint(HTMLOverWriteCheckBox, QStringLiteral("Prompt before overwriting any existing HTML files ?"));
    grid->addWidget(HTMLOverWriteCheckBox, 5, 0, 1, 3, Qt::AlignAbsolute | Qt::AlignLeft);

    // The two boxes stand one above the other, as wide as the wider, so that their boxes line up.
    const int promptWidth =
        std::max(OverWriteCheckBox->sizeHint().width(), HTMLOverWriteCheckBox->sizeHint().width());
    OverWriteCheckBox->setFixedWidth(promptWidth);
    HTMLOverWriteCheckBox->setFixedWidth(promptWidth);

    auto* lower = new QGridLayout;
    lower->setVerticalSpacing(2);
    lower->setHorizontalSpacing(16);
    prefix1edit = new QLineEdit(this);
    prefix1edit->setFixedWidth(kPrefixWidth);
    SetHint(prefix1edit,
            QStringLiteral("Enter a prefix to add to the start of all button type 1 filenames."));
    prefix1Label = new QLabel(QStringLiteral("Prefix for type 1 button filenames"), this);
    prefix1Label->setBuddy(prefix1edit);
    prefix2Edit = new QLineEdit(this);
    prefix2Edit->setFixedWidth(kPrefixWidth);
    SetHint(prefix2Edit,
            QStringLiteral("Enter a prefix to add to the start of all button type 2 filenames."));
    prefix2Label = new QLabel(QStringLiteral("Prefix for type 2 button filenames"), this);
    prefix2Label->setBuddy(prefix2Edit);
    prefixPressedEdit = new QLineEdit(this);
    prefixPressedEdit->setFixedWidth(kPrefixWidth);
    SetHint(prefixPressedEdit,
            QStringLiteral("Enter a prefix to add to the start of all pressed button filenames (written when "
                           "\"Also write pressed images\" is ticked in the advanced options)."));
    prefixPressedLabel = new QLabel(QStringLiteral("Prefix for pressed buttons"), this);
    prefixPressedLabel->setBuddy(prefixPressedEdit);
    FileTypeComboBox = new QComboBox(this);
    FileTypeComboBox->addItems(settings::FileTypeTexts());
    ShowWholeItems(FileTypeComboBox);
    SetHint(FileTypeComboBox, QStringLiteral("Select the output file type to use when creating buttons."));
    auto* fileTypeLabel = new QLabel(QStringLiteral("Save buttons as"), this);
    fileTypeLabel->setBuddy(FileTypeComboBox);
    lower->addWidget(prefix1Label, 0, 0);
    lower->addWidget(prefix1edit, 1, 0);
    lower->addWidget(prefix2Label, 0, 1);
    lower->addWidget(prefix2Edit, 1, 1);
    lower->addWidget(prefixPressedLabel, 0, 2);
    lower->addWidget(prefixPressedEdit, 1, 2);
    // Under the prefixes: how the captions become file names.
    LatinNamesCheckBox = new QCheckBox(QStringLiteral("Latin file names"), this);
    SetHint(LatinNamesCheckBox,
            QStringLiteral("File names in Latin letters from captions in any script: \"\u00dcber uns\" gives "
                           "u_uber_uns.gif."));
    lower->addWidget(LatinNamesCheckBox, 2, 0, 1, 3, Qt::AlignLeft);
    // The file type list stands under the first two prefixes, where its longest item shows whole.
    lower->addWidget(fileTypeLabel, 3, 0);
    lower->addWidget(FileTypeComboBox, 4, 0, 1, 2, Qt::AlignLeft);

    previewareaSwatch = MakeColourSwatch(
        this, QStringLiteral("Click here to change the background colour of the button preview area."));
    auto* colourLabel = new QLabel(QStringLiteral("Preview area background colour"), this);
    colourLabel->setBuddy(previewareaSwatch.button);
    lower->addWidget(colourLabel, 3, 2);
    lower->addWidget(SwatchRow(this, previewareaSwatch), 4, 2);
    BitBtn1 = new QPushButton(QStringLiteral("A&dvanced"), this);
    lower->setColumnStretch(3, 1);
    // The site's settings: another settings file opened, or these saved under a new name.
    OpenSettingsButton = new QPushButton(QStringLiteral("Ope&n settings\u2026"), this);
    SetHint(OpenSettingsButton,
            QStringLiteral("Open the settings of another site from its settings (.dat) file."));
    SaveSettingsAsButton = new QPushButton(QStringLiteral("Save se&ttings as\u2026"), this);
    SetHint(
        SaveSettingsAsButton,
        QStringLiteral("Save these settings into a settings (.dat) file of their own and go on with it."));
    auto* settingsButtons = new QHBoxLayout;
    settingsButtons->setContentsMargins(0, kSettingsButtonsGap, 0, 0);
    settingsButtons->setSpacing(kSettingsButtonsSpacing);
    settingsButtons->addWidget(OpenSettingsButton);
    settingsButtons->addWidget(SaveSettingsAsButton);
    settingsButtons->addStretch(1);
    settingsButtons->addWidget(BitBtn1);
    lower->addLayout(settingsButtons, 5, 0, 1, 4);
    grid->addLayout(lower, 6, 0, 1, 3);
    grid->setRowStretch(7, 1);

    On(BitBtn3, &QPushButton::clicked, [this] { BitBtn3Click(); });
    On(htmlbrowsebutton, &QPushButton::clicked, [this] { htmlbrowsebuttonClick(); });
    On(OverWriteCheckBox, &QCheckBox::toggled,
       [this] { Settings().overwritePrompt = OverWriteCheckBox->isChecked(); });
    On(HTMLOverWriteCheckBox, &QCheckBox::toggled,
       [this] { Settings().htmlOverwritePrompt = HTMLOverWriteCheckBox->isChecked(); });
    On(prefix1edit, &QLineEdit::textChanged, [this] { prefix1editChange(); });
    On(prefix2Edit, &QLineEdit::textChanged, [this] { prefix2EditChange(); });
    On(prefixPressedEdit, &QLineEdit::textChanged, [this] { prefixPressedEditChange(); });
    On(FileTypeComboBox, &QComboBox::activated, [this] { FileTypeComboBoxChange(); });
    On(LatinNamesCheckBox, &QCheckBox::clicked, [this] { LatinNamesCheckBoxClick(); });
    On(previewareaSwatch.button, &QPushButton::clicked, [this] { previewareaPaletteBitBtnClick(); });
    On(BitBtn1, &QPushButton::clicked, [this] { form_.BitBtn1Click(); });
    On(OpenSettingsButton, &QPushButton::clicked, [this] { form_.OpenSettingsClick(); });
    On(SaveSettingsAsButton, &QPushButton::clicked, [this] { form_.SaveSettingsAsClick(); });
}

void TFilePage::SettingsToControls() {
    const settings::AppSettings& s = Settings();
    pathedit->setText(s.targetFolder);
    HTMLpathedit->setText(s.htmlTargetFolder);
    OverWriteCheckBox->setChecked(s.overwritePrompt);
    HTMLOverWriteCheckBox->setChecked(s.htmlOverwritePrompt);
    prefix1edit->setText(s.prefix1);
    prefix2Edit->setText(s.prefix2);
    prefixPressedEdit->setText(s.prefixPressed);
    FileTypeComboBox->setCurrentIndex(s.fileType);
    LatinNamesCheckBox->setChecked(s.latinNames);
    FillSwatches();
}

void TFilePage::FillSwatches() {
    previewareaSwatch.Fill(settings::ColourFromStringLenient(Settings().previewAreaColour));
}

void TFilePage::BitBtn3Click() {
    settings::AppSettings& s = Settings();
    const QString remembered = s.targetFolder;
    try {
        if (const std::optional<QString> chosen = form_.Dialogs().ChooseFolder(
                QStringLiteral("Select Target Folder to save the buttons in"), remembered)) {
            s.targetFolder = *chosen;
        }
    } catch (...) {
        s.targetFolder = remembered;
        pathedit->setText(s.targetFolder);
        throw;
    }
    pathedit->setText(s.targetFolder);
}

void TFilePage::htmlbrowsebuttonClick() {
    settings::AppSettings& s = Settings();
    // A failure restores the HTML folder's own text, never the button folder's.
    const QString remembered = s.htmlTargetFolder;
    const QString start = s.htmlTargetFolder.contains(QLatin1String(settings::kUseButtonTargetFolder))
                              ? s.targetFolder
                              : s.htmlTargetFolder;
    try {
        if (const std::optional<QString> chosen = form_.Dialogs().ChooseFolder(
                QStringLiteral("Select Target Folder to save the HTML files in"), start)) {
            s.htmlTargetFolder = *chosen;
        }
    } catch (...) {
        s.htmlTargetFolder = remembered;
        HTMLpathedit->setText(s.htmlTargetFolder);
        throw;
    }
    HTMLpathedit->setText(s.htmlTargetFolder);
}

void TFilePage::prefix1editChange() {
    Settings().prefix1 = prefix1edit->text();
    form_.RefreshPreview();
}

void TFilePage::prefix2EditChange() {
    Settings().prefix2 = prefix2Edit->text();
    form_.RefreshPreview();
}

void TFilePage::prefixPressedEditChange() {
    Settings().prefixPressed = prefixPressedEdit->text();
}

void TFilePage::FileTypeComboBoxChange() {
    Settings().fileType = FileTypeComboBox->currentIndex();
    form_.RecalculateCaptionFilenames();
    form_.RefreshPreview();
}

void TFilePage::LatinNamesCheckBoxClick() {
    // The names follow the choice at once, as they follow the file type.
    Settings().latinNames = LatinNamesCheckBox->isChecked();
    form_.RecalculateCaptionFilenames();
}

void TFilePage::previewareaPaletteBitBtnClick() {
    settings::AppSettings& s = Settings();
    ChooseColour(s.previewAreaColour, settings::ColourFromStringLenient(s.previewAreaColour),
                 previewareaSwatch);
}

}  // namespace app
