#include "platform/ShownText.h"

namespace platform {

QString EscapeControls(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && (u < 0x7F || u > 0x9F)) {
            shown += c;
            continue;
        }
        switch (u) {
            case 0:
                shown += QLatin1String("\\0");
                break;
            case u'\t':
                shown += QLatin1String("\\t");
                break;
            case u'\n':
                shown += QLatin1String("\\n");
                break;
            case u'\r':
                shown += QLatin1String("\\r");
                break;
            default:
                shown += QStringLiteral("\\x%1").arg(static_cast<unsigned>(u), 2, 16, QLatin1Char('0'));
                break;
        }
    }
    return shown;
}

QString ShownValue(const QString& text) {
    const QString all = EscapeControls(text);
    if (all.size() <= kShownValueLength) {
        return all;
    }
    // Whole characters and whole escapes only, then the ellipsis as the last character.
    QString shown;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = EscapeControls(text.mid(i, width));
        if (shown.size() + piece.size() > kShownValueLength - 1) {
            break;
        }
        shown += piece;
        i += width;
    }
    return shown + QChar(0x2026);
}

}  // namespace platform
