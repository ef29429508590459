#include "app/AlignmentPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "settings/SettingsLists.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

namespace app {

TAlignmentPage::TAlignmentPage(TForm1& form, QWidget* parent)
    : TTypePanelsPage(form, parent, QStringLiteral("Button type 1 Caption Allignment Settings"),
                      QStringLiteral("Button type 2 Caption Allignment Settings")) {
    using B = settings::ButtonStyle;
    for (int t = 0; t < 2; ++t) {
        AlignmentTypeControls& c = type[static_cast<std::size_t>(t)];
        QGroupBox* panel = panels[static_cast<std::size_t>(t)];
        QGridLayout* grid = Grid(t);
        const auto addField = [grid](const IntegerFieldControls& f, int column) {
            grid->addWidget(f.label, 0, column);
            grid->addLayout(f.MakeBox(), 1, column);
        };

        c.VerticalComboBox = new QComboBox(panel);
        c.VerticalComboBox->addItems(settings::VerticalAlignmentTexts());
        ShowWholeItems(c.VerticalComboBox);
        SetHint(c.VerticalComboBox,
                TypeHint(t, QStringLiteral("Select the vertical allignment mode for type 1 buttons.")));
        AddLabelled(grid, 0, 0, QStringLiteral("Vertical allignment"), c.VerticalComboBox);
        c.TopOffsetField = AddIntegerField(
            t, panel, QStringLiteral("Vertical offset"),
            TypeHint(t, QStringLiteral("Select the top offset to use for type 1 buttons.")),
            settings::kOffsetRange, &B::verticalOffset, [this, t] { TopOffsetIntegerEditChange(t); });
        addField(c.TopOffsetField, 1);

        c.HorizontalComboBox = new QComboBox(panel);
        c.HorizontalComboBox->addItems(settings::HorizontalAlignmentTexts());
        ShowWholeItems(c.HorizontalComboBox);
        SetHint(c.HorizontalComboBox,
                TypeHint(t, QStringLiteral("Select the horizontal allignment mode for type 1 buttons.")));
        AddLabelled(grid, 0, 2, QStringLiteral("Horizontal allignment"), c.HorizontalComboBox);
        c.LeftOffsetField = AddIntegerField(
            t, panel, QStringLiteral("Horizontal offset"),
            TypeHint(t, QStringLiteral("Select the left offset to use for type 1 buttons.")),
            settings::kOffsetRange, &B::horizontalOffset, [this, t] { LeftOffsetIntegerEditChange(t); });
        addField(c.LeftOffsetField, 3);

        On(c.VerticalComboBox, &QComboBox::activated, [this, t] { VerticalComboBoxChange(t); });
        On(c.HorizontalComboBox, &QComboBox::activated, [this, t] { HorizontalComboBoxChange(t); });
    }
    AddDisableBox(2, 3);
}

void TAlignmentPage::SettingsToControls() {
    for (int t = 0; t < 2; ++t) {
        const AlignmentTypeControls& c = type[static_cast<std::size_t>(t)];
        const settings::ButtonStyle& s = Style(t);
        c.VerticalComboBox->setCurrentIndex(s.verticalMode);
        c.HorizontalComboBox->setCurrentIndex(s.horizontalMode);
        c.TopOffsetField.Show(s.verticalOffset);
        c.LeftOffsetField.Show(s.horizontalOffset);
        if (t == settings::kType1 || Settings().secondbuttonEnabled) {
            ShowOffsetFields(t);
        }
    }
}

void TAlignmentPage::ShowOffsetFields(int t) {
    const settings::ButtonStyle& s = Style(t);
    const AlignmentTypeControls& c = type[static_cast<std::size_t>(t)];
    const bool vertical = s.verticalMode == settings::kFixedOffsetAlignment;
    const bool horizontal = s.horizontalMode == settings::kFixedOffsetAlignment;
    c.TopOffsetField.SetEnabled(vertical);
    c.TopOffsetField.SetVisible(vertical);
    c.LeftOffsetField.SetEnabled(horizontal);
    c.LeftOffsetField.SetVisible(horizontal);
}

void TAlignmentPage::VerticalComboBoxChange(int t) {
    Style(t).verticalMode = type[static_cast<std::size_t>(t)].VerticalComboBox->currentIndex();
    ShowOffsetFields(t);
    form_.RefreshPreview();
}

void TAlignmentPage::HorizontalComboBoxChange(int t) {
    Style(t).horizontalMode = type[static_cast<std::size_t>(t)].HorizontalComboBox->currentIndex();
    ShowOffsetFields(t);
    form_.RefreshPreview();
}

// The offsets reach the preview buttons through the refresh, followed by their alignment.
void TAlignmentPage::TopOffsetIntegerEditChange(int /*type*/) {
    form_.RefreshPreview();
}

void TAlignmentPage::LeftOffsetIntegerEditChange(int /*type*/) {
    form_.RefreshPreview();
}

}  // namespace app
