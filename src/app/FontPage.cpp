#include "app/FontPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/Form1.h"
#include "app/HintTracker.h"
#include "settings/SettingsLists.h"

namespace app {
namespace {

constexpr int kFontListCharacters = 20;
constexpr int kSizeListWidth = 60;

QString EffectHint(int type, const char* effect) {
    return TypeHint(type,
                    QStringLiteral("Enable \"%1\" effect for type 1 buttons ?").arg(QLatin1String(effect)));
}

}  // namespace

TFontPage::TFontPage(TForm1& form, QWidget* parent)
    : TTypePanelsPage(form, parent, QStringLiteral("Button type 1 Font Settings"),
                      QStringLiteral("Button type 2 Font Settings")) {
    BuildType(0);
    BuildType(1);
    AddDisableBox(3, 6);
}

void TFontPage::BuildType(int t) {
    FontTypeControls& c = type[static_cast<std::size_t>(t)];
    QGroupBox* panel = panels[static_cast<std::size_t>(t)];
    QGridLayout* grid = Grid(t);

    c.NameComboBox = new QComboBox(panel);
    LimitListWidth(c.NameComboBox, kFontListCharacters);
    SetHint(c.NameComboBox,
            TypeHint(t, QStringLiteral("Select the font to use for type 1 button captions.")));
    // The font list spans the first three box columns, so long font names show whole.
    AddLabelled(grid, 0, 0, QStringLiteral("Select caption font"), c.NameComboBox, 3);

    c.SizeComboBox = new QComboBox(panel);
    c.SizeComboBox->setEditable(true);
    // A typed size is a size, never a new item of the list.
    c.SizeComboBox->setInsertPolicy(QComboBox::NoInsert);
    c.SizeComboBox->addItems(settings::FontSizeTexts());
    c.SizeComboBox->setFixedWidth(kSizeListWidth);
    // A size typed over the one shown replaces it ("11" over "9" is 11, not 911).
    SelectTextOnEntry(c.SizeComboBox);
    SetHint(c.SizeComboBox,
            TypeHint(t, QStringLiteral("Select the font size to use for type 1 button captions.")));
    AddLabelled(grid, 0, 3, QStringLiteral("Select font size "), c.SizeComboBox);

    c.colourSwatch = MakeColourSwatch(
        panel, TypeHint(t, QStringLiteral("Click here to change the caption colour for type 1 buttons.")));
    AddLabelled(grid, 0, 4, QStringLiteral("Select colour"), SwatchRow(panel, c.colourSwatch), 2)
        ->setBuddy(c.colourSwatch.button);

    // The labels stand above the boxes, which have no captions of their own.
    c.BoldCheckBox = new QCheckBox(panel);
    c.ItalicCheckBox = new QCheckBox(panel);
    c.UnderlineCheckBox = new QCheckBox(panel);
    c.EmbossRadioButton = new QRadioButton(panel);
    c.PressedRadioButton = new QRadioButton(panel);
    c.SimpleRadioButton = new QRadioButton(panel);
    const std::array<std::pair<QAbstractButton*, const char*>, 6> boxes = {{
        {c.BoldCheckBox, "bold"},
        {c.ItalicCheckBox, "italic"},
        {c.UnderlineCheckBox, "underline"},
        {c.EmbossRadioButton, "embossed"},
        {c.PressedRadioButton, "pressed"},
        {c.SimpleRadioButton, "standard"},
    }};
    const char* const labels[] = {"Bold ?",     "Italic ?",  "Underline ?",
                                  "Embossed ?", "Pressed ?", "Standard ?"};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SetHint(boxes[i].first, EffectHint(t, boxes[i].second));
        // The label above a box is the box's caption: it shows the box's hint and toggles the box.
        NameBoxWithLabel(
            AddLabelled(grid, 2, static_cast<int>(i), QString::fromLatin1(labels[i]), boxes[i].first),
            boxes[i].first);
    }
    c.effects = new QButtonGroup(panel);
    c.effects->addButton(c.EmbossRadioButton);
    c.effects->addButton(c.PressedRadioButton);
    c.effects->addButton(c.SimpleRadioButton);

    On(c.NameComboBox, &QComboBox::activated, [this, t] { FontNameComboBoxChange(t); });
    On(c.SizeComboBox, &QComboBox::activated, [this, t] { FontSizeComboBoxChange(t); });
    On(c.SizeComboBox->lineEdit(), &QLineEdit::textEdited, [this, t] { FontSizeComboBoxChange(t); });
    for (QCheckBox* box : {c.BoldCheckBox, c.ItalicCheckBox, c.UnderlineCheckBox}) {
        On(box, &QCheckBox::toggled, [this, t] { StyleCheckBoxClick(t); });
    }
    // One change of effect unchecks one button and checks another: the handler runs for the checked one.
    connect(c.effects, &QButtonGroup::buttonToggled, this, [this, t](QAbstractButton*, bool checked) {
        if (checked) {
            RunHandler([this, t] { EmbossRadioButtonClick(t); });
        }
    });
    On(c.colourSwatch.button, &QPushButton::clicked, [this, t] { PaletteBitBtnClick(t); });
}

void TFontPage::SettingsToControls() {
    for (int t = 0; t < 2; ++t) {
        const FontTypeControls& c = type[static_cast<std::size_t>(t)];
        const settings::ButtonStyle& s = Style(t);
        if (c.NameComboBox->count() != Settings().fontList.size()) {
            c.NameComboBox->clear();
            c.NameComboBox->addItems(Settings().fontList);
        }
        c.NameComboBox->setCurrentIndex(s.fontIndex);
        // A font name that is not in the list is still shown.
        c.NameComboBox->setPlaceholderText(s.fontName);
        c.SizeComboBox->setCurrentIndex(s.fontSizeIndex);
        c.SizeComboBox->setEditText(s.fontSizeText);
        c.BoldCheckBox->setChecked(s.bold);
        c.ItalicCheckBox->setChecked(s.italic);
        c.UnderlineCheckBox->setChecked(s.underline);
        switch (s.captionEffect) {
            case settings::CaptionEffect::Embossed:
                c.EmbossRadioButton->setChecked(true);
                break;
            case settings::CaptionEffect::Pressed:
                c.PressedRadioButton->setChecked(true);
                break;
            case settings::CaptionEffect::Standard:
                c.SimpleRadioButton->setChecked(true);
                break;
        }
        c.colourSwatch.Fill(settings::ColourFromStringLenient(s.captionColour));
    }
}

void TFontPage::FillSwatches() {
    for (int t = 0; t < 2; ++t) {
        type[static_cast<std::size_t>(t)].colourSwatch.Fill(
            settings::ColourFromStringLenient(Style(t).captionColour));
    }
}

void TFontPage::FontNameComboBoxChange(int t) {
    Style(t).SetFontIndex(type[static_cast<std::size_t>(t)].NameComboBox->currentIndex(),
                          Settings().fontList);
    form_.RefreshPreview();
}

void TFontPage::FontSizeComboBoxChange(int t) {
    const QString text = type[static_cast<std::size_t>(t)].SizeComboBox->currentText();
    if (platform::Trim(text).isEmpty()) {
        return;
    }
    if (!settings::FontSizePoints(text)) {
        // The list shows the size the type keeps.
        type[static_cast<std::size_t>(t)].SizeComboBox->setEditText(Style(t).fontSizeText);
        throw platform::ConvertError(text);
    }
    Style(t).SetFontSizeText(text);
    form_.RefreshPreview();
}

void TFontPage::StyleCheckBoxClick(int t) {
    const FontTypeControls& c = type[static_cast<std::size_t>(t)];
    settings::ButtonStyle& s = Style(t);
    s.bold = c.BoldCheckBox->isChecked();
    s.italic = c.ItalicCheckBox->isChecked();
    s.underline = c.UnderlineCheckBox->isChecked();
    form_.RefreshPreview();
}

void TFontPage::EmbossRadioButtonClick(int t) {
    const FontTypeControls& c = type[static_cast<std::size_t>(t)];
    settings::ButtonStyle& s = Style(t);
    if (c.EmbossRadioButton->isChecked()) {
        s.captionEffect = settings::CaptionEffect::Embossed;
    } else if (c.PressedRadioButton->isChecked()) {
        s.captionEffect = settings::CaptionEffect::Pressed;
    } else {
        s.captionEffect = settings::CaptionEffect::Standard;
    }
    form_.RefreshPreview();
}

void TFontPage::PaletteBitBtnClick(int t) {
    settings::ButtonStyle& s = Style(t);
    ChooseColour(s.captionColour, settings::ColourFromStringLenient(s.captionColour),
                 type[static_cast<std::size_t>(t)].colourSwatch);
}

}  // namespace app
