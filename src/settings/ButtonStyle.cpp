#include "settings/ButtonStyle.h"

namespace settings {

void ButtonStyle::SetFontSizeIndex(int position) {
    fontSizeIndex = ListChoice(position, kFontSizeCount);
    fontSizeText =
        fontSizeIndex == kNoChoice ? QString() : QString::number(kSmallestFontSize + fontSizeIndex);
}

void ButtonStyle::SetFontSizeText(const QString& text) {
    fontSizeText = platform::Trim(text);
    fontSizeIndex = ListChoice(static_cast<int>(FontSizeTexts().indexOf(fontSizeText)), kFontSizeCount);
}

std::optional<int> FontSizePoints(const QString& text) {
    const QString digits = platform::Trim(text);
    if (digits.isEmpty() || digits.size() > 3) {
        return std::nullopt;
    }
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    if (value < kFontSizeRange.min || value > kFontSizeRange.max) {
        return std::nullopt;
    }
    return value;
}

void ButtonStyle::SetFontIndex(int position, const QStringList& fonts) {
    fontIndex = ListChoice(position, fonts.size());
    fontName = ChoiceText(fonts, fontIndex);
}

}  // namespace settings
