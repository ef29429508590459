#pragma once

#include <array>

#include "app/SettingsPage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace app {

// The Font page controls of one button type, under their form names without the type's digit
// (Font1NameComboBox / Font2NameComboBox is `NameComboBox` of type 0 / 1).
struct FontTypeControls {
    QComboBox* NameComboBox = nullptr;
    QComboBox* SizeComboBox = nullptr;  // editable, "7" to "30"
    ColourSwatch colourSwatch;          // testcol1Image with PaletteBitBtn1 / testcol2image, PaletteBitBtn2
    QCheckBox* BoldCheckBox = nullptr;
    QCheckBox* ItalicCheckBox = nullptr;
    QCheckBox* UnderlineCheckBox = nullptr;
    QRadioButton* EmbossRadioButton = nullptr;
    QRadioButton* PressedRadioButton = nullptr;
    QRadioButton* SimpleRadioButton = nullptr;  // Simple1RadioButton / simple2radiobutton
    QButtonGroup* effects = nullptr;
};

// "F&ont": each type's caption font, size, colour, style and effect.
class TFontPage : public TTypePanelsPage {
  public:
    TFontPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;
    // Fills both caption colour swatches.
    void FillSwatches();

    // Handlers, for type 0 or 1.
    void FontNameComboBoxChange(int type);
    // The size list's text changed (chosen or typed): a size of 1 to 300 points becomes the type's
    // size; an empty text changes nothing; anything else stops with the conversion error.
    void FontSizeComboBoxChange(int type);
    // Bold, italic and underline boxes.
    void StyleCheckBoxClick(int type);
    // Emboss1RadioButtonClick / Emboss2RadioButtonClick: the three effect buttons.
    void EmbossRadioButtonClick(int type);
    // PaletteBitBtn1Click / PaletteBitBtn2Click.
    void PaletteBitBtnClick(int type);

    std::array<FontTypeControls, 2> type;

  private:
    void BuildType(int t);
};

}  // namespace app
