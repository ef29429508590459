#pragma once

#include <array>

#include "app/SettingsPage.h"

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace widgets {
class TPathEdit;
}  // namespace widgets

namespace app {

// The Buttons page controls of one button type, under their form names without the type's digit
// (Button1ModeComboBox / Button2ModeComboBox is `ModeComboBox` of type 0 / 1).
struct ButtonsTypeControls {
    QComboBox* ModeComboBox = nullptr;
    QLabel* filenameLabel = nullptr;  // "Bitmap filename"
    // button1filenameedit / button2filenameedit, read-only; a long path shows shortened in its middle.
    widgets::TPathEdit* filenameedit = nullptr;
    QPushButton* BitBtn = nullptr;      // BitBtn4 / BitBtn5, the folder icon
    ColourSwatch settingsSwatch;        // button1settingsImage with Button1SettingsPaletteBitBtn
    IntegerFieldControls widthField;    // Button1widthIntegerEdit with UpDown3 (type 2: UpDown5)
    IntegerFieldControls spacingField;  // Button1leftrightoffsetIntegerEdit with UpDown9 (UpDown10)
    IntegerFieldControls heightField;   // Button1HeightIntegerEdit with UpDown4 (UpDown6)
    QComboBox* BorderStyleComboBox = nullptr;
    QComboBox* BorderDepthComboBox = nullptr;

    void SetBitmapVisible(bool visible) const;
};

// "&Buttons": each type's background mode, bitmap, colour, size, spacing and border.
class TButtonsPage : public TTypePanelsPage {
  public:
    TButtonsPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;
    // The size fields show the model's size texts again (after the face was built from them).
    void SizeTextsToControls(int type);
    // Shows the bitmap, width, height and spacing fields the type's background mode uses.
    void ShowModeFields(int type);
    // Fills both background swatches; the background strings are first rewritten as eight digits.
    void FillSwatches();

    // Handlers, for type 0 (type 1 buttons) or 1 (type 2 buttons).
    void ModeComboBoxChange(int type);
    void BorderStyleComboBoxChange(int type);
    void BorderDepthComboBoxChange(int type);
    // button1filenameeditChange / button2filenameeditChange.
    void filenameeditChange(int type);
    // BitBtn4Click / BitBtn5Click: the background bitmap dialog.
    void BitmapBrowseClick(int type);
    // Button1SettingsPaletteBitBtnClick / Button2SettingsPaletteBitBtnClick.
    void SettingsPaletteBitBtnClick(int type);

    std::array<ButtonsTypeControls, 2> type;

  private:
    void BuildType(int t);
    // A row of the type's panel, across the panel's whole width.
    QHBoxLayout* NewRow(int t, int row);
    QHBoxLayout* borderRow2_ = nullptr;  // the last built type's border row
};

}  // namespace app
