#include "app/SettingsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

namespace app {
namespace {

constexpr int kIntegerFieldWidth = 60;

}  // namespace

TSettingsPage::TSettingsPage(TForm1& form, QWidget* parent) : QWidget(parent), form_(form) {}

void TSettingsPage::RunHandler(const std::function<void()>& body) {
    if (!form_.Syncing()) {
        form_.Guarded(body);
    }
}

settings::AppSettings& TSettingsPage::Settings() const {
    return form_.Settings();
}

settings::ButtonStyle& TSettingsPage::Style(int type) const {
    return form_.Settings().button[static_cast<std::size_t>(type)];
}

void TSettingsPage::ChooseColour(QString& setting, settings::ColourValue current,
                                 const ColourSwatch& swatch) {
    if (const std::optional<std::uint32_t> chosen = form_.Dialogs().ChooseColour(current)) {
        setting = settings::ColourToString(*chosen);
        swatch.Fill(*chosen);
    }
    form_.RefreshPreview();
}

IntegerFieldControls TSettingsPage::AddIntegerField(int type, QWidget* parent, const QString& label,
                                                    const QString& hint, platform::IntegerRange range,
                                                    QString settings::ButtonStyle::*field,
                                                    std::function<void()> onChange) {
    IntegerFieldControls f;
    f.label = new QLabel(label, parent);
    f.edit = new widgets::TIntegerEdit(form_.Dialogs(), parent);
    f.edit->SetRange(range.min, range.max);
    // A number typed into a field entered by Tab or its label replaces the number it held.
    f.edit->SetAutoSelect(true);
    f.edit->setFixedWidth(kIntegerFieldWidth);
    f.edit->SetErrorSink([this](const QString& text) { form_.ShowStatus(text); });
    f.label->setBuddy(f.edit);
    f.arrows = new widgets::TUpDown(parent);
    SetHint(f.edit, hint);
    SetHint(f.arrows, hint);

    widgets::TIntegerEdit* edit = f.edit;
    widgets::TUpDown* arrows = f.arrows;
    // The arrows write their position into the field; the field's text moves the arrows.
    arrows->SetOnChange(
        [this, edit](int position) { form_.Guarded([edit, position] { edit->SetValue(position); }); });
    connect(edit, &QLineEdit::textChanged, this,
            [this, type, field, edit, arrows, onChange](const QString& text) {
                RunHandler([&] {
                    if (!platform::IsEmptyIntegerText(text)) {
                        std::int32_t value = 0;
                        try {
                            value = platform::ParseInteger(text);
                        } catch (const platform::ConvertError&) {
                            // A text that is not a number is never kept: reading the field reports it and
                            // puts its minimum in its place, which comes back through here.
                            edit->Value();
                            return;
                        }
                        arrows->SetPosition(value);
                    }
                    Style(type).*field = text;
                    onChange();
                });
            });
    return f;
}

TTypePanelsPage::TTypePanelsPage(TForm1& form, QWidget* parent, const QString& title1, const QString& title2)
    : TSettingsPage(form, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    panels = {new QGroupBox(title1, this), new QGroupBox(title2, this)};
    for (QGroupBox* panel : panels) {
        auto* grid = new QGridLayout(panel);
        grid->setContentsMargins(8, 4, 8, 6);
        grid->setVerticalSpacing(2);
        grid->setColumnStretch(kStretchColumn, 1);
        layout->addWidget(panel);
    }
    layout->addStretch(1);
}

void TTypePanelsPage::AddDisableBox(int row, int column) {
    secondbuttonCheckBox = new QCheckBox(QStringLiteral("Disable this button ?"), panels[1]);
    SetHint(secondbuttonCheckBox, QStringLiteral("Tick this box to disable type 2 buttons."));
    Grid(1)->addWidget(secondbuttonCheckBox, row, column, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
}

void TTypePanelsPage::AddDisableBox(QBoxLayout* row) {
    secondbuttonCheckBox = new QCheckBox(QStringLiteral("Disable this button ?"), panels[1]);
    SetHint(secondbuttonCheckBox, QStringLiteral("Tick this box to disable type 2 buttons."));
    row->addWidget(secondbuttonCheckBox, 0, Qt::AlignLeft | Qt::AlignVCenter);
}

QGridLayout* TTypePanelsPage::Grid(int type) const {
    return static_cast<QGridLayout*>(panels[static_cast<std::size_t>(type)]->layout());
}

}  // namespace app
