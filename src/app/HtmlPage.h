#pragma once

#include "app/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace widgets {
class TIntegerEdit;
}

namespace app {

// "&HTML": the test page name, the pages per caption, the layout, the page style, the title prefix,
// the browser and the page colours; the script-free page's language and space between buttons, and
// the navigation snippet with its label.
class THtmlPage : public TSettingsPage {
  public:
    THtmlPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;
    // Fills the HTML background and text swatches.
    void FillSwatches();

    // Handlers.
    // Leaving the test page name: the text from its first "." on is removed, then ".htm" is added.
    void HTMLmainfilenameEditExit();
    void HTMLbrowserbrowsebuttonClick();
    void HTMLlayoutComboBoxChange();
    void HTMLstyleComboBoxChange();
    void HTMLBackgroundPaletteBitBtnClick();
    void HTMLTextPaletteBitBtnClick();
    // Leaving the page language: a text that is not a language tag gives way to the language kept.
    void PageLanguageEditExit();

    QLineEdit* HTMLmainfilenameEdit = nullptr;
    QCheckBox* HTMLgenerateallfilesCheckBox = nullptr;
    QComboBox* HTMLlayoutComboBox = nullptr;
    QComboBox* HTMLstyleComboBox = nullptr;
    QLineEdit* HTMLmainpagetitleedit = nullptr;
    QLineEdit* HTMLbrowserpath = nullptr;
    QPushButton* HTMLBrowserBrowseButton = nullptr;
    ColourSwatch HTMLBackgroundSwatch;  // HTMLBackgroundImage with HTMLBackgroundPaletteBitBtn
    ColourSwatch HTMLTextSwatch;        // HTMLTextImage with HTMLTextPaletteBitBtn
    QLineEdit* PageLanguageEdit = nullptr;
    widgets::TIntegerEdit* ButtonSpacingEdit = nullptr;
    QCheckBox* NavigationSnippetCheckBox = nullptr;
    QLineEdit* NavigationLabelEdit = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The test page name as leaving its field makes it.
QString HtmlTestPageName(const QString& text);

}  // namespace app
