#include "settings/ColourString.h"

#include "platform/IntegerText.h"

namespace settings {

ColourValue ColourFromStringLenient(const QString& text) {
    try {
        return static_cast<ColourValue>(platform::ParseInteger(QLatin1Char('$') + text));
    } catch (const platform::ConvertError&) {
        return 0;
    }
}

ColourValue ColourFromStringStrict(const QString& text) {
    if (text.size() != 8) {
        return 0;
    }
    return ColourFromStringLenient(text);
}

QString ColourToString(ColourValue colour) {
    return QStringLiteral("%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper();
}

}  // namespace settings
