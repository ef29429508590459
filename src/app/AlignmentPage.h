#pragma once

#include <array>

#include "app/SettingsPage.h"

class QComboBox;

namespace app {

// The Allignment page controls of one button type, under their form names without the type's digit
// (Vertical1ComboBox / Vertical2ComboBox is `VerticalComboBox` of type 0 / 1).
struct AlignmentTypeControls {
    QComboBox* VerticalComboBox = nullptr;
    IntegerFieldControls
        TopOffsetField;  // TopOffset1IntegerEdit with UpDown1 / TopOffset2IntegerEdit, UpDown7
    QComboBox* HorizontalComboBox = nullptr;
    IntegerFieldControls
        LeftOffsetField;  // LeftOffset1IntegerEdit with UpDown2 / LeftOffset2IntegerEdit, UpDown8
};

// "&Allignment": where each type's caption sits.
class TAlignmentPage : public TTypePanelsPage {
  public:
    TAlignmentPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;
    // The offset fields, their arrows and labels are enabled and shown exactly when their list
    // chooses the fixed offset.
    void ShowOffsetFields(int type);

    // Handlers, for type 0 or 1.
    void VerticalComboBoxChange(int type);
    void HorizontalComboBoxChange(int type);
    void TopOffsetIntegerEditChange(int type);
    void LeftOffsetIntegerEditChange(int type);

    std::array<AlignmentTypeControls, 2> type;
};

}  // namespace app
