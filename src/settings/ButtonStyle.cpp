#include "settings/ButtonStyle.h"

#include <algorithm>

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

std::optional<int> CornerRadiusPixels(const QString& text) {
    if (platform::IsEmptyIntegerText(text)) {
        return std::nullopt;
    }
    return std::max(0, platform::ParseInteger(text));
}

int GradientAngleDegrees(const QString& text) {
    const int degrees = platform::IntegerFieldValue(text) % 360;
    return degrees < 0 ? degrees + 360 : degrees;
}

std::optional<int> PlainWholeNumber(const QString& text) {
    const QString trimmed = platform::Trim(text);
    const qsizetype start = trimmed.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (trimmed.size() <= start || trimmed.size() - start > 9) {
        return std::nullopt;
    }
    for (qsizetype i = start; i < trimmed.size(); ++i) {
        if (trimmed[i] < QLatin1Char('0') || trimmed[i] > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    return trimmed.toInt();
}

void ButtonStyle::SetFontIndex(int position, const QStringList& fonts) {
    fontIndex = ListChoice(position, fonts.size());
    fontName = ChoiceText(fonts, fontIndex);
}

}  // namespace settings
