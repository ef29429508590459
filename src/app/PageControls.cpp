#include "app/PageControls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "app/HintTracker.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

namespace app {
namespace {

constexpr int kSwatchWidth = 40;
constexpr int kSwatchHeight = 21;
constexpr int kSwatchFrameWidth = 1;
constexpr int kSwatchFrameGrey = 128;
constexpr char kSwatchColourProperty[] = "plumericSwatchColour";

// Passes a left click on a label to the box the label names.
class LabelClickFilter : public QObject {
  public:
    LabelClickFilter(QAbstractButton* box, QObject* parent) : QObject(parent), box_(box) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick) {
            return QObject::eventFilter(watched, event);
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return QObject::eventFilter(watched, event);
        }
        auto* label = static_cast<QWidget*>(watched);
        if (type == QEvent::MouseButtonRelease && label->rect().contains(mouse->position().toPoint()) &&
            box_->isEnabled()) {
            box_->setFocus(Qt::MouseFocusReason);
            box_->click();
        }
        return true;
    }

  private:
    QAbstractButton* box_;
};

// Selects an editable list's text when the list gets the focus; see SelectTextOnEntry.
class SelectOnEntryFilter : public QObject {
  public:
    explicit SelectOnEntryFilter(QComboBox* list) : QObject(list), list_(list), edit_(list->lineEdit()) {
        list->installEventFilter(this);
        if (edit_ != nullptr) {
            edit_->installEventFilter(this);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // While the list and its edit are being destroyed their events still come here, when neither
        // is what it was any more: the edit is looked at only for the events of a live one.
        switch (event->type()) {
            case QEvent::FocusIn: {
                QLineEdit* edit = edit_.data();
                // Not when the focus comes back from another window or the list's own drop-down.
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (edit != nullptr && reason != Qt::ActiveWindowFocusReason &&
                    reason != Qt::PopupFocusReason) {
                    edit->selectAll();
                    // The press that gave the focus puts the caret where it was made; the release
                    // selects the whole text again.
                    selectOnRelease_ = reason == Qt::MouseFocusReason;
                }
                break;
            }
            case QEvent::FocusOut:
                selectOnRelease_ = false;
                break;
            case QEvent::MouseButtonPress:
                if (watched == list_) {
                    selectOnRelease_ = false;  // the arrow: the list's drop-down, not its text
                }
                break;
            case QEvent::MouseButtonRelease:
                if (watched == edit_.data() && selectOnRelease_) {
                    QLineEdit* edit = edit_.data();
                    selectOnRelease_ = false;
                    if (!edit->hasSelectedText()) {
                        edit->selectAll();
                        return true;
                    }
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QComboBox* list_;
    QPointer<QLineEdit> edit_;
    bool selectOnRelease_ = false;
};

}  // namespace

void SelectTextOnEntry(QComboBox* list) {
    new SelectOnEntryFilter(list);
}

void IntegerFieldControls::SetVisible(bool visible) const {
    edit->setVisible(visible);
    arrows->setVisible(visible);
    label->setVisible(visible);
}

void IntegerFieldControls::SetEnabled(bool enabled) const {
    edit->setEnabled(enabled);
    arrows->setEnabled(enabled);
    label->setEnabled(enabled);
}

void IntegerFieldControls::Show(const QString& text) const {
    edit->setText(text);
    arrows->SetPosition(platform::IsEmptyIntegerText(text) ? 0 : platform::ParseInteger(text));
}

QHBoxLayout* IntegerFieldControls::MakeBox() const {
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    box->addWidget(edit);
    box->addWidget(arrows);
    box->addStretch(1);
    return box;
}

namespace {

QWidget* PairRow(QWidget* parent, QWidget* first, QWidget* second, bool firstStretches) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(first, firstStretches ? 1 : 0);
    layout->addWidget(second);
    if (!firstStretches) {
        layout->addStretch(1);
    }
    return row;
}

}  // namespace

QWidget* FieldRow(QWidget* parent, QWidget* field, QWidget* button) {
    return PairRow(parent, field, button, true);
}

QWidget* SwatchRow(QWidget* parent, const ColourSwatch& swatch) {
    return PairRow(parent, swatch.image, swatch.button, false);
}

void ColourSwatch::Fill(settings::ColourValue colour) const {
    QPixmap pix(kSwatchWidth, kSwatchHeight);
    pix.fill(QColor(settings::RedOf(colour), settings::GreenOf(colour), settings::BlueOf(colour)));
    image->setPixmap(pix);
    image->setProperty(kSwatchColourProperty, colour);
}

void ColourSwatch::FillFromSetting(QString& colourText) const {
    const settings::ColourValue colour = settings::ColourFromStringStrict(colourText);
    colourText = settings::ColourToString(colour);
    Fill(colour);
}

settings::ColourValue ColourSwatch::Colour() const {
    return image->property(kSwatchColourProperty).toUInt();
}

QString Type2Hint(const QString& type1Hint) {
    QString hint = type1Hint;
    hint.replace(QLatin1String("type 1"), QLatin1String("type 2"));
    hint.replace(QLatin1String("button 1"), QLatin1String("button 2"));
    hint.replace(QLatin1String("Button 1"), QLatin1String("Button 2"));
    return hint;
}

QString TypeHint(int type, const QString& type1Hint) {
    return type == 0 ? type1Hint : Type2Hint(type1Hint);
}

void IntegerFieldControls::AddTo(QHBoxLayout* row) const {
    row->addSpacing(kPairGap);
    row->addWidget(label);
    row->addSpacing(kLabelGap);
    row->addLayout(MakeBox());
}

QLabel* BuddyLabel(const QString& text, QWidget* parent, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void AddPair(QHBoxLayout* row, QLabel* label, QWidget* control) {
    if (row->count() > 0) {
        row->addSpacing(kPairGap);
    }
    row->addWidget(label);
    row->addSpacing(kLabelGap);
    row->addWidget(control);
}

QLabel* AddLabelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* widget,
                    int columnSpan) {
    auto* text = new QLabel(label, widget->parentWidget());
    text->setBuddy(widget);
    grid->addWidget(text, row, column, 1, columnSpan);
    grid->addWidget(widget, row + 1, column, 1, columnSpan);
    return text;
}

QLabel* AddBeside(QGridLayout* grid, int row, int column, const QString& label, QWidget* widget,
                  int columnSpan) {
    auto* text = new QLabel(label, widget->parentWidget());
    text->setBuddy(widget);
    grid->addWidget(text, row, column);
    grid->addWidget(widget, row, column + 1, 1, columnSpan);
    return text;
}

void LimitListWidth(QComboBox* list, int characters) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(characters);
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + list->view()->frameWidth() * 2 + 4);
}

void NameBoxWithLabel(QLabel* label, QAbstractButton* box) {
    label->setBuddy(box);
    SetHint(label, OwnHint(box));
    label->installEventFilter(new LabelClickFilter(box, label));
}

void ShowWholeItems(QComboBox* list) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void PutCaptionLeft(QCheckBox* box) {
    // The blanks at the end of the caption stay between the text and the box.
    box->setLayoutDirection(Qt::RightToLeft);
}

QPushButton* MakeFolderButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    return button;
}

ColourSwatch MakeColourSwatch(QWidget* parent, const QString& hint) {
    ColourSwatch swatch;
    swatch.image = new QLabel(parent);
    // A thin frame around the picture, so a swatch as light as the page still shows where it is;
    // the picture inside stays filled entirely with the colour.
    swatch.image->setFrameStyle(QFrame::Box | QFrame::Plain);
    swatch.image->setLineWidth(kSwatchFrameWidth);
    QPalette framePalette = swatch.image->palette();
    framePalette.setColor(QPalette::WindowText, QColor(kSwatchFrameGrey, kSwatchFrameGrey, kSwatchFrameGrey));
    swatch.image->setPalette(framePalette);
    swatch.image->setAlignment(Qt::AlignCenter);
    swatch.image->setFixedSize(kSwatchWidth + 2 * kSwatchFrameWidth, kSwatchHeight + 2 * kSwatchFrameWidth);
    swatch.button = new QPushButton(parent);
    swatch.button->setIcon(parent->style()->standardIcon(QStyle::SP_DialogResetButton));
    swatch.button->setFixedWidth(kSwatchHeight + 12);
    SetHint(swatch.image, hint);
    SetHint(swatch.button, hint);
    swatch.Fill(0);
    return swatch;
}

}  // namespace app
