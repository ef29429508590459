#pragma once

#include "app/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace app {

// "&HTML": the test page name, the pages per caption, the layout, the page style, the title prefix,
// the browser and the page colours.
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

    QLineEdit* HTMLmainfilenameEdit = nullptr;
    QCheckBox* HTMLgenerateallfilesCheckBox = nullptr;
    QComboBox* HTMLlayoutComboBox = nullptr;
    QComboBox* HTMLstyleComboBox = nullptr;
    QLineEdit* HTMLmainpagetitleedit = nullptr;
    QLineEdit* HTMLbrowserpath = nullptr;
    QPushButton* HTMLBrowserBrowseButton = nullptr;
    ColourSwatch HTMLBackgroundSwatch;  // HTMLBackgroundImage with HTMLBackgroundPaletteBitBtn
    ColourSwatch HTMLTextSwatch;        // HTMLTextImage with HTMLTextPaletteBitBtn

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The test page name as leaving its field makes it.
QString HtmlTestPageName(const QString& text);

}  // namespace app
