#pragma once

#include <QCheckBox>
#include <array>

#include "app/SettingsPage.h"

class QComboBox;

namespace app {

// The "Shape and F&ill" page controls of one button type.
struct ShapeFillTypeControls {
    QComboBox* ShapeComboBox = nullptr;        // "Button shape"
    IntegerFieldControls cornerRadiusField;    // "Corner radius", for the rounded rectangle
    QCheckBox* SmoothEdgesCheckBox = nullptr;  // "Smooth shape edges", for shapes but the rectangle
    QComboBox* GradientComboBox = nullptr;     // "Gradient fill"
    QLabel* gradientColourLabel = nullptr;     // "Second colour"
    ColourSwatch gradientSwatch;               // the colour the gradient fill ends in
    IntegerFieldControls angleField;           // "Angle (degrees)", for the linear fill
};

// "Shape and F&ill": each type's shape, the corner radius of the rounded rectangle, and a gradient
// fill that replaces the solid background colour. The type 2 panel is hidden while type 2 is disabled.
class TShapeFillPage : public TTypePanelsPage {
  public:
    TShapeFillPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;
    // Enables the controls the type's settings use: the corner radius for the rounded rectangle, the
    // gradient fill in the colour background modes only, its second colour with a fill, its angle
    // with the linear fill.
    void EnableFillControls(int type);
    // Fills both second colour swatches; the colour strings are first rewritten as eight digits.
    void FillSwatches();

    // Handlers, for type 0 (type 1 buttons) or 1 (type 2 buttons).
    void ShapeComboBoxChange(int type);
    void GradientComboBoxChange(int type);
    void GradientPaletteBitBtnClick(int type);

    std::array<ShapeFillTypeControls, 2> type;

  private:
    void BuildType(int t);
};

}  // namespace app
