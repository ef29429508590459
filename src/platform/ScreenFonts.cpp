#include "platform/ScreenFonts.h"

#include <QFontDatabase>
#include <QSet>

namespace platform {

QString FontFamilyName(const QString& name) {
    // The tag the font database adds: a space, the foundry in brackets, at the end of the name.
    if (!name.endsWith(QLatin1Char(']'))) {
        return name;
    }
    const qsizetype open = name.lastIndexOf(QLatin1String(" ["));
    if (open <= 0) {
        return name;
    }
    return name.left(open);
}

QStringList FontFamilies(const QStringList& names) {
    QStringList families;
    QSet<QString> seen;
    for (const QString& name : names) {
        const QString family = FontFamilyName(name);
        if (!seen.contains(family)) {
            seen.insert(family);
            families.append(family);
        }
    }
    return families;
}

QStringList ScreenFontFamilies() {
    return FontFamilies(QFontDatabase::families());
}

}  // namespace platform
