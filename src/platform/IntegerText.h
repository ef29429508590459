#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// Whole numbers held as text, and the two ways the program trims text.
namespace platform {

// What an integer field shows when a number is outside its range or its text is not a number.
inline constexpr char kValueOutOfRangeMessage[] = "[Value Out of Range]";

// The range of an integer field. It is active only when both bounds are non-zero: a field of
// 0 … 2000 checks nothing.
struct IntegerRange {
    std::int32_t min = 0;
    std::int32_t max = 0;

    constexpr bool Active() const { return min != 0 && max != 0; }
    // The number an active range lets the field hold: the nearer bound for a number outside it.
    constexpr std::int32_t Clamp(std::int32_t value) const {
        if (!Active()) {
            return value;
        }
        return value > max ? max : (value < min ? min : value);
    }
};

// The error every integer conversion raises: "'TEXT' is not a valid integer value".
class ConvertError : public std::runtime_error {
  public:
    explicit ConvertError(const QString& text);
    const QString& Text() const { return text_; }

  private:
    QString text_;
};

// Reads a 32-bit whole number: optional leading blanks, an optional sign and decimal digits, or "$"
// (or "0x") followed by up to eight hexadecimal digits, the value taken as 32 bits. Anything else,
// trailing blanks and out-of-range values included, throws ConvertError.
std::int32_t ParseInteger(const QString& text);

// The value of an integer field: an empty text or a lone "-" counts as 0, anything else is parsed.
std::int32_t IntegerFieldValue(const QString& text);

// True for the texts that an integer field counts as 0 without parsing ("" and "-").
bool IsEmptyIntegerText(const QString& text);

// Removes leading and trailing blanks and control characters (every character up to and including
// the space).
QString Trim(const QString& text);

// Removes trailing blanks and control characters.
QString TrimRight(const QString& text);

// Removes leading and trailing spaces only.
QString TrimBlanks(const QString& text);

}  // namespace platform
