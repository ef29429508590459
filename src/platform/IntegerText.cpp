#include "platform/IntegerText.h"

#include <limits>

#include "platform/ShownText.h"

namespace platform {
namespace {

std::string Message(const QString& text) {
    // The text may come from any file: a NUL would end the message where it stands, an escape
    // sequence would act on a terminal, a long line would fill it. It is shown as ShownValue gives it.
    return QStringLiteral("'%1' is not a valid integer value").arg(ShownValue(text)).toStdString();
}

bool IsTrimmed(QChar c) {
    return c.unicode() <= 0x20;
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

}  // namespace

ConvertError::ConvertError(const QString& text) : std::runtime_error(Message(text)), text_(text) {}

std::int32_t ParseInteger(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) {
        throw ConvertError(text);
    }
    std::uint64_t value = 0;
    for (; i < n; ++i) {
        if (hex) {
            const int d = HexDigit(text[i]);
            if (d < 0)
                throw ConvertError(text);
            value = value * 16 + static_cast<std::uint64_t>(d);
            if (value > 0xFFFFFFFFull)
                throw ConvertError(text);
        } else {
            const char16_t u = text[i].unicode();
            if (u < '0' || u > '9')
                throw ConvertError(text);
            value = value * 10 + (u - '0');
            if (value > 0x80000000ull)
                throw ConvertError(text);
        }
    }
    if (hex) {
        // Hexadecimal texts are 32-bit patterns: "$FFFFFFFF" is -1.
        const auto bits = static_cast<std::uint32_t>(value);
        const auto v = static_cast<std::int32_t>(bits);
        return negative ? static_cast<std::int32_t>(0u - bits) : v;
    }
    if (!negative && value > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        throw ConvertError(text);
    }
    const auto signedValue = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

bool IsEmptyIntegerText(const QString& text) {
    return text.isEmpty() || text == QLatin1String("-");
}

std::int32_t IntegerFieldValue(const QString& text) {
    return IsEmptyIntegerText(text) ? 0 : ParseInteger(text);
}

QString Trim(const QString& text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && IsTrimmed(text[b]))
        ++b;
    while (e > b && IsTrimmed(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

QString TrimRight(const QString& text) {
    qsizetype e = text.size();
    while (e > 0 && IsTrimmed(text[e - 1]))
        --e;
    return text.left(e);
}

QString TrimBlanks(const QString& text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b);
}

}  // namespace platform
