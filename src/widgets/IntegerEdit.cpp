#include "widgets/IntegerEdit.h"

#include <QKeyEvent>
#include <QValidator>

#include "platform/IntegerText.h"

namespace widgets {
namespace {

constexpr int kTextAfterSelection = 500;

bool IsControlKey(QChar k) {
    return k == u'\b' || k == QChar(27) || k == u'\r';
}

// Every edit that does not come from a typed character (paste, drop, undo) passes the field's own
// rule; typed characters are filtered before they reach the field.
class IntegerTextValidator : public QValidator {
  public:
    explicit IntegerTextValidator(const TIntegerEdit* field) : QValidator(nullptr), field_(field) {}

    State validate(QString& input, int& /*pos*/) const override {
        return field_->AcceptsText(input) ? Acceptable : Invalid;
    }

  private:
    const TIntegerEdit* field_;
};

}  // namespace

TIntegerEdit::TIntegerEdit(platform::Dialogs& dialogs, QWidget* parent)
    : QLineEdit(parent), dialogs_(dialogs) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* validator = new IntegerTextValidator(this);
    validator->setParent(this);
    setValidator(validator);
    SetValue(0);
}

bool TIntegerEdit::AcceptsText(const QString& text) const {
    if (text.isEmpty()) {
        return true;
    }
    if (text == QLatin1String("-")) {
        return !RangeActive() || min_ < 0;
    }
    const qsizetype digitsFrom = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (digitsFrom == text.size()) {
        return false;
    }
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        if (text[i].unicode() < '0' || text[i].unicode() > '9') {
            return false;
        }
    }
    try {
        const std::int32_t v = platform::ParseInteger(text);
        return !RangeActive() || (v >= min_ && v <= max_);
    } catch (const platform::ConvertError&) {
        return false;  // more digits than a whole number holds
    }
}

std::int32_t TIntegerEdit::Value() {
    try {
        return platform::ParseInteger(text());
    } catch (const platform::ConvertError&) {
        dialogs_.ShowMessage(errorMessage_);
        setText(QString::number(min_));
        return min_;
    }
}

void TIntegerEdit::SetValue(std::int32_t value) {
    if (RangeActive() && value > max_) {
        dialogs_.ShowMessage(errorMessage_);
        lastValue_ = max_;
    } else if (RangeActive() && value < min_) {
        dialogs_.ShowMessage(errorMessage_);
        lastValue_ = min_;
    } else {
        lastValue_ = value;
    }
    setText(QString::number(lastValue_));
}

void TIntegerEdit::SetMin(std::int32_t value) {
    if (value > max_) {
        dialogs_.ShowMessage(QString::fromLatin1(kMinAboveMaxMessage));
        return;
    }
    min_ = value;
}

void TIntegerEdit::SetMax(std::int32_t value) {
    if (value < min_) {
        dialogs_.ShowMessage(QString::fromLatin1(kMaxBelowMinMessage));
        return;
    }
    max_ = value;
}

void TIntegerEdit::SetRange(std::int32_t min, std::int32_t max) {
    // The order that never passes the other bound on the way.
    if (min > max_) {
        SetMax(max);
        SetMin(min);
    } else {
        SetMin(min);
        SetMax(max);
    }
}

bool TIntegerEdit::AcceptsCharacter(QChar k) const {
    if (!(k.unicode() >= '0' && k.unicode() <= '9') && k != u'-' && !IsControlKey(k)) {
        return false;
    }
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    if (k == u'-' && selStart != 0) {
        return false;
    }
    if (!RangeActive() || IsControlKey(k)) {
        return true;
    }
    const QString current = text();
    const int selLength = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    const QString prospective =
        current.left(selStart) + k + current.mid(selStart + selLength, kTextAfterSelection);
    if (prospective == QLatin1String("-")) {
        return min_ < 0;
    }
    const std::int32_t v = platform::ParseInteger(prospective);
    return v >= min_ && v <= max_;
}

void TIntegerEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    QChar k = typed.size() == 1 ? typed[0] : QChar();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        k = u'\r';
    } else if (event->key() == Qt::Key_Backspace) {
        k = u'\b';
    } else if (event->key() == Qt::Key_Escape) {
        k = QChar(27);
    }
    // Shortcuts (copy, paste, select all) and keys that type no character (arrows, Delete, Tab)
    // keep their ordinary handling; only typed characters are filtered.
    if ((event->modifiers() & Qt::ControlModifier) || k.isNull() || !(k.isPrint() || IsControlKey(k))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    bool accepted = false;
    try {
        accepted = AcceptsCharacter(k);
    } catch (const platform::ConvertError& e) {
        if (!errorSink_) {
            throw;
        }
        errorSink_(QString::fromLocal8Bit(e.what()));
    }
    if (accepted) {
        QLineEdit::keyPressEvent(event);
    } else {
        event->accept();
    }
}

void TIntegerEdit::focusInEvent(QFocusEvent* event) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int caret = cursorPosition();
    QLineEdit::focusInEvent(event);
    if (autoSelect_) {
        // The whole text, so that typing replaces it; a click selects it again when released. The
        // focus coming back from another window or a menu leaves the caret where it was.
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
            selectAll();
        }
        return;
    }
    // Entering the field selects nothing, by keyboard as by mouse: the caret stays where it was.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::ShortcutFocusReason) {
        deselect();
        setCursorPosition(caret);
    }
}

void TIntegerEdit::focusOutEvent(QFocusEvent* event) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLineEdit::focusOutEvent(event);
}

void TIntegerEdit::mouseReleaseEvent(QMouseEvent* event) {
    selectAll();
    event->accept();
}

}  // namespace widgets
