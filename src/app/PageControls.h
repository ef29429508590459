#pragma once

#include <QLabel>
#include <QString>

#include "platform/IntegerText.h"
#include "settings/ColourString.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace widgets {
class TIntegerEdit;
class TUpDown;
}  // namespace widgets

// Pieces the settings pages share.
namespace app {

// One integer field of a button type with its arrows and its label.
struct IntegerFieldControls {
    widgets::TIntegerEdit* edit = nullptr;
    widgets::TUpDown* arrows = nullptr;
    QLabel* label = nullptr;

    void SetVisible(bool visible) const;
    void SetEnabled(bool enabled) const;
    // Shows a text of the model: the field's text, and the arrows at its value.
    void Show(const QString& text) const;
    // Adds the label and the field with its arrows to a row, after a gap.
    void AddTo(QHBoxLayout* row) const;
    // The field with its arrows beside it, for a grid cell.
    QHBoxLayout* MakeBox() const;
};

// A colour swatch: a small picture filled entirely with its colour, and the button beside it that
// opens the colour dialog.
struct ColourSwatch {
    QLabel* image = nullptr;
    QPushButton* button = nullptr;

    void Fill(settings::ColourValue colour) const;
    // Fills the picture with the colour a setting's text holds; a text that is not eight hexadecimal
    // digits becomes black, in the setting too.
    void FillFromSetting(QString& colourText) const;
    // The colour the picture is filled with, as 0x00BBGGRR.
    settings::ColourValue Colour() const;
};

// The hint of a type 2 control, from its type 1 hint: "type 1", "button 1" and "Button 1" name type 2.
QString Type2Hint(const QString& type1Hint);
// The hint of a control of button type `type` (0 or 1), given as the type 1 hint.
QString TypeHint(int type, const QString& type1Hint);

// Adds `widget` to a grid column with its label in the row above; the label is the field's buddy.
QLabel* AddLabelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* widget,
                    int columnSpan = 1);

// Adds `widget` to a grid cell with its label in the cell to its left; the label is the field's buddy.
QLabel* AddBeside(QGridLayout* grid, int row, int column, const QString& label, QWidget* widget,
                  int columnSpan = 1);

// Between a label and its control, and between one labelled control and the next in a row.
inline constexpr int kLabelGap = 4;
inline constexpr int kPairGap = 14;

// A label whose mnemonic moves the focus to `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* parent, QWidget* buddy);
// Adds a label and its control to a row, after a gap when the row already holds something.
void AddPair(QHBoxLayout* row, QLabel* label, QWidget* control);

// Keeps a list as narrow as `characters` characters of its font; its drop-down still shows every
// item whole.
void LimitListWidth(QComboBox* list, int characters);

// Makes a list as wide as its longest item, so the chosen item always shows whole.
void ShowWholeItems(QComboBox* list);

// Makes `label` part of the check box or radio button it names: the mouse over it shows the box's
// hint, and a click on it toggles the box (or selects the radio button), as a click on the box does.
void NameBoxWithLabel(QLabel* label, QAbstractButton* box);

// An editable list whose text is selected whenever it gets the focus, so that what is typed replaces
// it: by the keyboard at once; by a click when the button is released, unless the click selected a
// part of the text itself.
void SelectTextOnEntry(QComboBox* list);

// A check box whose caption stands to the left of its box.
void PutCaptionLeft(QCheckBox* box);

// A field and its button side by side; the field takes the spare width.
QWidget* FieldRow(QWidget* parent, QWidget* field, QWidget* button);
// A swatch's picture and button side by side; the spare width stays free after them.
QWidget* SwatchRow(QWidget* parent, const ColourSwatch& swatch);

// The folder button: an icon only.
QPushButton* MakeFolderButton(QWidget* parent);
// A colour swatch whose picture and button both show `hint`.
ColourSwatch MakeColourSwatch(QWidget* parent, const QString& hint);

}  // namespace app
