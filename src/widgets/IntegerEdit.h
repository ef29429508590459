#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "platform/Dialogs.h"
#include "platform/IntegerText.h"

namespace widgets {

// A single-line field for a whole number with an optional range. Keystrokes are filtered so that
// only a signed decimal integer can be typed; with an active range a key that would leave the
// field outside it is discarded. The text is right-aligned while the field does not have the focus.
//
// The range is active only when both Min and Max are non-zero: a field of 0 … 2000 checks nothing.
class TIntegerEdit : public QLineEdit {
  public:
    using ErrorSink = std::function<void(const QString&)>;

    static constexpr const char* kDefaultErrorMessage = platform::kValueOutOfRangeMessage;
    static constexpr char kMinAboveMaxMessage[] = "Min-Value has to be less than or equal to Max-Value !";
    static constexpr char kMaxBelowMinMessage[] = "Max-Value has to be greater than or equal to Min-Value !";

    TIntegerEdit(platform::Dialogs& dialogs, QWidget* parent = nullptr);

    // Reading parses the text; a text that is not a whole number shows ErrorMessage, is replaced by
    // Min and gives Min.
    std::int32_t Value();
    // Writing clamps to an active range (showing ErrorMessage) and replaces the text.
    void SetValue(std::int32_t value);

    std::int32_t Min() const { return min_; }
    std::int32_t Max() const { return max_; }
    // A bound that would pass the other is refused with its message; the value is not re-checked.
    void SetMin(std::int32_t value);
    void SetMax(std::int32_t value);
    void SetRange(std::int32_t min, std::int32_t max);

    const QString& ErrorMessage() const { return errorMessage_; }
    void SetErrorMessage(const QString& text) { errorMessage_ = text; }

    bool RangeActive() const { return min_ != 0 && max_ != 0; }

    // With automatic selection on, entering the field by the keyboard (Tab, a label's shortcut or
    // setFocus) selects its whole text, so what is typed replaces it. Off by default: the caret
    // stays where it was. A click selects the whole text either way.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    // Where the conversion error of a keystroke goes (the status bar); without a sink it is thrown.
    void SetErrorSink(ErrorSink sink) { errorSink_ = std::move(sink); }

    // Whether a typed character would be accepted at the current caret and selection. Throws
    // platform::ConvertError when the text it would make is not a whole number.
    bool AcceptsCharacter(QChar k) const;

    // Whether the field may hold `text` after an edit that is not a typed character (a paste, a
    // drop, an undo): digits with at most a leading minus, inside an active range. An empty text
    // and a lone "-" may be held while typing, as typed keys allow.
    bool AcceptsText(const QString& text) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    platform::Dialogs& dialogs_;
    std::int32_t min_ = 0;
    std::int32_t max_ = 0;
    std::int32_t lastValue_ = 0;
    bool autoSelect_ = false;
    QString errorMessage_ = QString::fromLatin1(kDefaultErrorMessage);
    ErrorSink errorSink_;
};

}  // namespace widgets
