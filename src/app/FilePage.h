#pragma once

#include "app/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace app {

// "&File": the target folders, the overwrite prompts, the prefixes (type 1, type 2, pressed), the file type,
// the preview area colour and the advanced options.
class TFilePage : public TSettingsPage {
  public:
    TFilePage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;
    // Fills the preview area swatch.
    void FillSwatches();

    // Handlers.
    void BitBtn3Click();           // the button target folder
    void htmlbrowsebuttonClick();  // the HTML target folder
    void prefix1editChange();
    void prefix2EditChange();
    void prefixPressedEditChange();
    void FileTypeComboBoxChange();
    void LatinNamesCheckBoxClick();
    void previewareaPaletteBitBtnClick();

    QLineEdit* pathedit = nullptr;  // read-only
    QPushButton* BitBtn3 = nullptr;
    QCheckBox* OverWriteCheckBox = nullptr;
    QLineEdit* HTMLpathedit = nullptr;  // read-only
    QPushButton* htmlbrowsebutton = nullptr;
    QCheckBox* HTMLOverWriteCheckBox = nullptr;
    QLabel* prefix1Label = nullptr;
    QLineEdit* prefix1edit = nullptr;
    QLabel* prefix2Label = nullptr;
    QLineEdit* prefix2Edit = nullptr;
    QLabel* prefixPressedLabel = nullptr;
    QLineEdit* prefixPressedEdit = nullptr;
    QComboBox* FileTypeComboBox = nullptr;
    QCheckBox* LatinNamesCheckBox = nullptr;      // "Latin file names"
    ColourSwatch previewareaSwatch;               // previewareaImage with previewareaPaletteBitBtn
    QPushButton* BitBtn1 = nullptr;               // "A&dvanced"
    QPushButton* OpenSettingsButton = nullptr;    // "Ope&n settings…"
    QPushButton* SaveSettingsAsButton = nullptr;  // "Save se&ttings as…"
};

}  // namespace app
