#include "app/ShapeFillPage.h"

#include <QCheckBox>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "settings/ColourString.h"
#include "settings/SettingsLists.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

namespace app {

TShapeFillPage::TShapeFillPage(TForm1& form, QWidget* parent)
    : TTypePanelsPage(form, parent, QStringLiteral("Button type 1 Shape and Fill Settings"),
                      QStringLiteral("Button type 2 Shape and Fill Settings")) {
    BuildType(0);
    BuildType(1);
}

void TShapeFillPage::BuildType(int t) {
    ShapeFillTypeControls& c = type[static_cast<std::size_t>(t)];
    QGroupBox* panel = panels[static_cast<std::size_t>(t)];
    using B = settings::ButtonStyle;
    const auto refresh = [this] { form_.RefreshPreview(); };
    const auto newRow = [this, t](int row) {
        auto* layout = new QHBoxLayout;
        layout->setSpacing(0);
        Grid(t)->addLayout(layout, row, 0, 1, kStretchColumn + 1);
        return layout;
    };

    c.ShapeComboBox = new QComboBox(panel);
    c.ShapeComboBox->addItems(settings::ButtonShapeTexts());
    ShowWholeItems(c.ShapeComboBox);
    SetHint(c.ShapeComboBox,
            TypeHint(t, QStringLiteral("Select the shape of type 1 buttons (outside it, PNG and WebP "
                                       "files are transparent).")));
    c.cornerRadiusField = AddIntegerField(
        t, panel, QStringLiteral("Corner radius"),
        TypeHint(t, QStringLiteral("Select the corner radius in pixels of rounded type 1 buttons (empty: "
                                   "a quarter of the smaller side or more).")),
        settings::kCornerRadiusRange, &B::cornerRadius, refresh);
    c.SmoothEdgesCheckBox = new QCheckBox(QStringLiteral("Smooth shape edges"), panel);
    SetHint(
        c.SmoothEdgesCheckBox,
        TypeHint(t, QStringLiteral("Tick to draw the edges of type 1 buttons' shape smooth in the files.")));
    QHBoxLayout* shapeRow = newRow(0);
    AddPair(shapeRow, BuddyLabel(QStringLiteral("Button shape"), panel, c.ShapeComboBox), c.ShapeComboBox);
    c.cornerRadiusField.AddTo(shapeRow);
    shapeRow->addSpacing(12);
    shapeRow->addWidget(c.SmoothEdgesCheckBox);
    shapeRow->addStretch(1);

    c.GradientComboBox = new QComboBox(panel);
    c.GradientComboBox->addItems(settings::GradientFillTexts());
    ShowWholeItems(c.GradientComboBox);
    SetHint(c.GradientComboBox,
            TypeHint(t, QStringLiteral("Select a gradient fill from the background colour to a second colour "
                                       "for type 1 buttons.")));
    c.gradientSwatch = MakeColourSwatch(
        panel,
        TypeHint(t, QStringLiteral("Click here to change the second colour of the gradient fill of type 1 "
                                   "buttons.")));
    c.gradientColourLabel = BuddyLabel(QStringLiteral("Second colour"), panel, c.gradientSwatch.button);
    c.angleField = AddIntegerField(
        t, panel, QStringLiteral("Angle (degrees)"),
        TypeHint(t,
                 QStringLiteral("Select the angle (degrees) of the linear fill of type 1 buttons: 0 top to "
                                "bottom, 90 left to right.")),
        settings::kGradientAngleRange, &B::gradientAngle, refresh);
    QHBoxLayout* fillRow = newRow(1);
    AddPair(fillRow, BuddyLabel(QStringLiteral("Gradient fill"), panel, c.GradientComboBox),
            c.GradientComboBox);
    AddPair(fillRow, c.gradientColourLabel, SwatchRow(panel, c.gradientSwatch));
    c.angleField.AddTo(fillRow);
    fillRow->addStretch(1);

    On(c.ShapeComboBox, &QComboBox::activated, [this, t] { ShapeComboBoxChange(t); });
    On(c.GradientComboBox, &QComboBox::activated, [this, t] { GradientComboBoxChange(t); });
    On(c.SmoothEdgesCheckBox, &QCheckBox::clicked, [this, t] {
        Style(t).smoothEdges = type[static_cast<std::size_t>(t)].SmoothEdgesCheckBox->isChecked();
    });
    On(c.gradientSwatch.button, &QPushButton::clicked, [this, t] { GradientPaletteBitBtnClick(t); });
}

void TShapeFillPage::SettingsToControls() {
    for (int t = 0; t < 2; ++t) {
        const ShapeFillTypeControls& c = type[static_cast<std::size_t>(t)];
        const settings::ButtonStyle& s = Style(t);
        c.ShapeComboBox->setCurrentIndex(s.shape);
        c.cornerRadiusField.Show(s.cornerRadius);
        c.SmoothEdgesCheckBox->setChecked(s.smoothEdges);
        c.GradientComboBox->setCurrentIndex(s.gradientKind);
        c.gradientSwatch.Fill(settings::ColourFromStringStrict(s.gradientColour));
        c.angleField.Show(s.gradientAngle);
        EnableFillControls(t);
    }
}

void TShapeFillPage::EnableFillControls(int t) {
    const settings::ButtonStyle& s = Style(t);
    const ShapeFillTypeControls& c = type[static_cast<std::size_t>(t)];
    c.cornerRadiusField.SetEnabled(s.shape == settings::kShapeRoundedRectangle);
    // A rectangle has no edge to smooth.
    c.SmoothEdgesCheckBox->setEnabled(s.shape != settings::kShapeRectangle);
    const bool colourMode = settings::IsColourBackgroundMode(s.backgroundMode);
    c.GradientComboBox->setEnabled(colourMode);
    const bool fill = colourMode && s.gradientKind != settings::kGradientNone;
    c.gradientColourLabel->setEnabled(fill);
    c.gradientSwatch.image->setEnabled(fill);
    c.gradientSwatch.button->setEnabled(fill);
    c.angleField.SetEnabled(colourMode && s.gradientKind == settings::kGradientLinear);
}

void TShapeFillPage::FillSwatches() {
    for (int t = 0; t < 2; ++t) {
        type[static_cast<std::size_t>(t)].gradientSwatch.FillFromSetting(Style(t).gradientColour);
    }
}

void TShapeFillPage::ShapeComboBoxChange(int t) {
    Style(t).shape = type[static_cast<std::size_t>(t)].ShapeComboBox->currentIndex();
    EnableFillControls(t);
    form_.RefreshPreview();
}

void TShapeFillPage::GradientComboBoxChange(int t) {
    Style(t).gradientKind = type[static_cast<std::size_t>(t)].GradientComboBox->currentIndex();
    EnableFillControls(t);
    form_.RefreshPreview();
}

void TShapeFillPage::GradientPaletteBitBtnClick(int t) {
    settings::ButtonStyle& s = Style(t);
    ChooseColour(s.gradientColour, settings::ColourFromStringStrict(s.gradientColour),
                 type[static_cast<std::size_t>(t)].gradientSwatch);
}

}  // namespace app
