#include "app/HtmlPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "platform/IntegerText.h"
#include "settings/SettingsLists.h"
#include "widgets/IntegerEdit.h"

namespace app {
namespace {

constexpr int kNameWidth = 150;
// As wide as the integer fields of the other pages.
constexpr int kSpacingFieldWidth = 60;

}  // namespace

QString HtmlTestPageName(const QString& text) {
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    return (dot >= 0 ? text.left(dot) : text) + QStringLiteral(".htm");
}

THtmlPage::THtmlPage(TForm1& form, QWidget* parent) : TSettingsPage(form, parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(2);

    HTMLmainfilenameEdit = new QLineEdit(this);
    HTMLmainfilenameEdit->setFixedWidth(kNameWidth);
    SetHint(HTMLmainfilenameEdit, QStringLiteral("Enter the filename for the HTML test page."));
    AddLabelled(grid, 0, 0, QStringLiteral("HTML test page filename"), HTMLmainfilenameEdit);
    HTMLmainpagetitleedit = new QLineEdit(this);
    SetHint(HTMLmainpagetitleedit,
            QStringLiteral("Select a page title prefix to use for the HTML preview pages."));
    AddLabelled(grid, 0, 1, QStringLiteral("HTML page title prefix"), HTMLmainpagetitleedit);
    HTMLlayoutComboBox = new QComboBox(this);
    HTMLlayoutComboBox->addItems(settings::HtmlLayoutTexts());
    SetHint(HTMLlayoutComboBox,
            QStringLiteral("Select whether you want horizontally or vertically alligned buttons "
                           "on the HTML preview pages."));
    AddLabelled(grid, 0, 2, QStringLiteral("Button layout mode"), HTMLlayoutComboBox);

    HTMLstyleComboBox = new QComboBox(this);
    HTMLstyleComboBox->addItems(settings::PageStyleTexts());
    SetHint(HTMLstyleComboBox,
            QStringLiteral("Select how the HTML preview pages swap the buttons: with a script, or with "
                           "style rules alone (no script; the keyboard's focus shows the rollover too)."));
    AddLabelled(grid, 5, 2, QStringLiteral("Page style"), HTMLstyleComboBox);

    HTMLgenerateallfilesCheckBox =
        new QCheckBox(QStringLiteral("Generate HTML files for each button ?"), this);
    SetHint(HTMLgenerateallfilesCheckBox,
            QStringLiteral("Create HTML pages for each caption in the list rather than just a test page ?"));
    grid->addWidget(HTMLgenerateallfilesCheckBox, 2, 0, 1, 3);

    HTMLbrowserpath = new QLineEdit(this);
    HTMLBrowserBrowseButton = MakeFolderButton(this);
    const QString browserHint = QStringLiteral(
        "Select the folder and filename of your HTML (web browser) software e.g. "
        "\"iexplore.exe\".");
    SetHint(HTMLbrowserpath, browserHint);
    SetHint(HTMLBrowserBrowseButton, browserHint);
    AddLabelled(grid, 3, 0, QStringLiteral("Folder and file of browser"),
                FieldRow(this, HTMLbrowserpath, HTMLBrowserBrowseButton), 3);

    HTMLBackgroundSwatch = MakeColourSwatch(
        this, QStringLiteral("Click here to change the background colour of the HTML preview pages."));
    AddLabelled(grid, 5, 0, QStringLiteral("Background colour"), SwatchRow(this, HTMLBackgroundSwatch))
        ->setBuddy(HTMLBackgroundSwatch.button);
    HTMLTextSwatch = MakeColourSwatch(
        this, QStringLiteral("Click here to change the text colour of the HTML preview pages."));
    AddLabelled(grid, 5, 1, QStringLiteral("Text colour"), SwatchRow(this, HTMLTextSwatch))
        ->setBuddy(HTMLTextSwatch.button);

    PageLanguageEdit = new QLineEdit(this);
    PageLanguageEdit->setFixedWidth(kNameWidth);
    PageLanguageEdit->setMaxLength(settings::kMaxLanguageTagLength);
    SetHint(PageLanguageEdit,
            QStringLiteral("Enter the language of the script-free pages, e.g. \"en\" or \"de-CH\"."));
    AddLabelled(grid, 7, 0, QStringLiteral("Page language"), PageLanguageEdit);
    ButtonSpacingEdit = new widgets::TIntegerEdit(form_.Dialogs(), this);
    ButtonSpacingEdit->SetRange(0, settings::kMaxButtonSpacing);
    ButtonSpacingEdit->SetAutoSelect(true);
    ButtonSpacingEdit->setFixedWidth(kSpacingFieldWidth);
    ButtonSpacingEdit->SetErrorSink([this](const QString& text) { form_.ShowStatus(text); });
    SetHint(ButtonSpacingEdit,
            QStringLiteral("Select the space in pixels between the buttons of the script-free pages."));
    AddLabelled(grid, 7, 1, QStringLiteral("Space between buttons"), ButtonSpacingEdit);
    NavigationLabelEdit = new QLineEdit(this);
    SetHint(NavigationLabelEdit,
            QStringLiteral("Enter the name a screen reader gives the buttons of the navigation snippet."));
    AddLabelled(grid, 7, 2, QStringLiteral("Navigation label"), NavigationLabelEdit);
    NavigationSnippetCheckBox = new QCheckBox(QStringLiteral("Also write a navigation snippet"), this);
    SetHint(
        NavigationSnippetCheckBox,
        QStringLiteral("Also write navigation.html and navigation.css, the buttons to paste into a site ?"));
    grid->addWidget(NavigationSnippetCheckBox, 9, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(10, 1);

    HTMLmainfilenameEdit->installEventFilter(this);
    On(HTMLmainfilenameEdit, &QLineEdit::textChanged,
       [this] { Settings().htmlMainFilename = HTMLmainfilenameEdit->text(); });
    On(HTMLmainpagetitleedit, &QLineEdit::textChanged,
       [this] { Settings().htmlTitlePrefix = HTMLmainpagetitleedit->text(); });
    On(HTMLbrowserpath, &QLineEdit::textChanged, [this] { Settings().browser = HTMLbrowserpath->text(); });
    On(HTMLgenerateallfilesCheckBox, &QCheckBox::toggled,
       [this] { Settings().htmlGenerateAll = HTMLgenerateallfilesCheckBox->isChecked(); });
    PageLanguageEdit->installEventFilter(this);
    On(PageLanguageEdit, &QLineEdit::textChanged, [this] {
        if (settings::IsLanguageTag(PageLanguageEdit->text())) {
            Settings().pageLanguage = PageLanguageEdit->text();
        }
    });
    ButtonSpacingEdit->installEventFilter(this);
    On(ButtonSpacingEdit, &QLineEdit::textChanged, [this] {
        if (!platform::IsEmptyIntegerText(ButtonSpacingEdit->text())) {
            Settings().buttonSpacing = std::clamp(ButtonSpacingEdit->Value(), 0, settings::kMaxButtonSpacing);
        }
    });
    On(NavigationLabelEdit, &QLineEdit::textChanged,
       [this] { Settings().navigationLabel = NavigationLabelEdit->text(); });
    On(NavigationSnippetCheckBox, &QCheckBox::toggled,
       [this] { Settings().navigationSnippet = NavigationSnippetCheckBox->isChecked(); });
    On(HTMLlayoutComboBox, &QComboBox::activated, [this] { HTMLlayoutComboBoxChange(); });
    On(HTMLstyleComboBox, &QComboBox::activated, [this] { HTMLstyleComboBoxChange(); });
    On(HTMLBrowserBrowseButton, &QPushButton::clicked, [this] { HTMLbrowserbrowsebuttonClick(); });
    On(HTMLBackgroundSwatch.button, &QPushButton::clicked, [this] { HTMLBackgroundPaletteBitBtnClick(); });
    On(HTMLTextSwatch.button, &QPushButton::clicked, [this] { HTMLTextPaletteBitBtnClick(); });
}

bool THtmlPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HTMLmainfilenameEdit && event->type() == QEvent::FocusOut) {
        RunHandler([this] { HTMLmainfilenameEditExit(); });
    }
    if (watched == PageLanguageEdit && event->type() == QEvent::FocusOut) {
        RunHandler([this] { PageLanguageEditExit(); });
    }
    if (watched == ButtonSpacingEdit && event->type() == QEvent::FocusOut) {
        // A space outside its range is told and replaced by the nearer bound, as in the other fields.
        // (The field's own range check counts a range from 0 as none.)
        RunHandler([this] {
            if (platform::IsEmptyIntegerText(ButtonSpacingEdit->text())) {
                return;
            }
            const std::int32_t typed = ButtonSpacingEdit->Value();
            const int kept = std::clamp(typed, 0, settings::kMaxButtonSpacing);
            if (kept != typed) {
                form_.Dialogs().ShowMessage(QString::fromLatin1(platform::kValueOutOfRangeMessage));
                ButtonSpacingEdit->setText(QString::number(kept));
            }
        });
    }
    return TSettingsPage::eventFilter(watched, event);
}

void THtmlPage::SettingsToControls() {
    const settings::AppSettings& s = Settings();
    HTMLmainfilenameEdit->setText(s.htmlMainFilename);
    HTMLmainpagetitleedit->setText(s.htmlTitlePrefix);
    HTMLbrowserpath->setText(s.browser);
    HTMLgenerateallfilesCheckBox->setChecked(s.htmlGenerateAll);
    HTMLlayoutComboBox->setCurrentIndex(s.htmlLayout);
    HTMLstyleComboBox->setCurrentIndex(s.pageStyle);
    PageLanguageEdit->setText(s.pageLanguage);
    ButtonSpacingEdit->setText(QString::number(s.buttonSpacing));
    NavigationLabelEdit->setText(s.navigationLabel);
    NavigationSnippetCheckBox->setChecked(s.navigationSnippet);
    FillSwatches();
}

void THtmlPage::FillSwatches() {
    const settings::AppSettings& s = Settings();
    HTMLBackgroundSwatch.Fill(settings::ColourFromStringLenient(s.htmlBackgroundColour));
    HTMLTextSwatch.Fill(settings::ColourFromStringLenient(s.htmlTextColour));
}

void THtmlPage::HTMLmainfilenameEditExit() {
    // The field's change handler stores the new name.
    HTMLmainfilenameEdit->setText(HtmlTestPageName(HTMLmainfilenameEdit->text()));
}

void THtmlPage::PageLanguageEditExit() {
    if (!settings::IsLanguageTag(PageLanguageEdit->text())) {
        form_.ShowStatus(QStringLiteral("\"%1\" is not a language tag (such as en, de or pt-BR); the page "
                                        "language stays \"%2\".")
                             .arg(PageLanguageEdit->text(), Settings().pageLanguage));
        PageLanguageEdit->setText(Settings().pageLanguage);
    }
}

void THtmlPage::HTMLbrowserbrowsebuttonClick() {
    settings::AppSettings& s = Settings();
    const QString remembered = s.browser;
    platform::OpenFileRequest request;
    request.title = QStringLiteral("Select the folder and filename of your web browser");
    request.fileName =
        s.browser.contains(QLatin1String(settings::kUseDefaultBrowser)) ? QString() : s.browser;
    try {
        if (const std::optional<QString> chosen = form_.Dialogs().ChooseOpenFile(request)) {
            HTMLbrowserpath->setText(*chosen);
        }
    } catch (...) {
        HTMLbrowserpath->setText(remembered);
        throw;
    }
}

void THtmlPage::HTMLlayoutComboBoxChange() {
    Settings().htmlLayout = HTMLlayoutComboBox->currentIndex();
    form_.RefreshPreview();
}

void THtmlPage::HTMLstyleComboBoxChange() {
    Settings().pageStyle = HTMLstyleComboBox->currentIndex();
}

void THtmlPage::HTMLBackgroundPaletteBitBtnClick() {
    settings::AppSettings& s = Settings();
    ChooseColour(s.htmlBackgroundColour, settings::ColourFromStringLenient(s.htmlBackgroundColour),
                 HTMLBackgroundSwatch);
}

void THtmlPage::HTMLTextPaletteBitBtnClick() {
    settings::AppSettings& s = Settings();
    ChooseColour(s.htmlTextColour, settings::ColourFromStringLenient(s.htmlTextColour), HTMLTextSwatch);
}

}  // namespace app
