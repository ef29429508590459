#include "settings/ButtonStyle.h"

namespace settings {

void ButtonStyle::SetFontSizeIndex(int position) {
    fontSizeIndex = ListChoice(position, kFontSizeCount);
    fontSizeText =
        fontSizeIndex == kNoChoice ? QString() : QString::number(kSmallestFontSize + fontSizeIndex);
}

void ButtonStyle::SetFontIndex(int position, const QStringList& fonts) {
    fontIndex = ListChoice(position, fonts.size());
    fontName = ChoiceText(fonts, fontIndex);
}

}  // namespace settings
