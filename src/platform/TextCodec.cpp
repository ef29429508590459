#include "platform/TextCodec.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <memory>
#include <mutex>

namespace platform {
namespace {

// Unicode code points of the bytes 0x80..0x9F in Windows-1252. The undefined bytes 0x81, 0x8D,
// 0x8F, 0x90 and 0x9D keep their own value.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char EncodeChar(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
        if (kHighControlBlock[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

bool IsWindows1252Character(char32_t codePoint) {
    return codePoint == U'?' || EncodeChar(codePoint) != '?';
}

bool FitsWindows1252(const QString& text) {
    for (const char32_t cp : text.toUcs4()) {
        if (!IsWindows1252Character(cp)) {
            return false;
        }
    }
    return true;
}

QByteArray ToWindows1252OrUtf8(const QString& text) {
    if (FitsWindows1252(text)) {
        return ToWindows1252(text);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString LatinLetters(const QString& text) {
    // ICU's rules: any script to Latin, then Latin to ASCII where a letter has an ASCII form. The
    // transliterator is made once (reading its rules takes milliseconds) and used by one caller at a
    // time.
    static std::mutex lock;
    static std::unique_ptr<icu::Transliterator> latin;
    static bool made = false;
    const std::lock_guard<std::mutex> guard(lock);
    if (!made) {
        made = true;
        UErrorCode status = U_ZERO_ERROR;
        latin.reset(icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) {
            latin.reset();
        }
    }
    if (!latin) {
        return text;
    }
    icu::UnicodeString unicode(reinterpret_cast<const UChar*>(text.utf16()),
                               static_cast<int32_t>(text.size()));
    latin->transliterate(unicode);
    return QString(reinterpret_cast<const QChar*>(unicode.getBuffer()), unicode.length());
}

QByteArray ToWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    const auto codePoints = text.toUcs4();
    for (char32_t cp : codePoints) {
        out.append(EncodeChar(cp));
    }
    return out;
}

QString FromWindows1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            out.append(QChar(kHighControlBlock[b - 0x80]));
        } else {
            out.append(QChar(b));
        }
    }
    return out;
}

QByteArray ToUtf8(const QString& text) {
    return text.toUtf8();
}

QString DecodeUtf8OrWindows1252(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return FromWindows1252(bytes);
    }
    return text;
}

std::optional<QString> DecodeTextFile(const QByteArray& bytes, QString* problem) {
    const auto refuse = [problem](const char* why) -> std::optional<QString> {
        if (problem != nullptr) {
            *problem = QString::fromLatin1(why);
        }
        return std::nullopt;
    };
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // Read by hand: the toolkit's decoder lets a cut-off last byte and lone surrogates pass.
        if (bytes.size() % 2 != 0) {
            return refuse("it starts as UTF-16 but is not valid UTF-16");
        }
        const bool littleEndian = bytes.startsWith("\xFF\xFE");
        text.resize((bytes.size() - 2) / 2);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto low = static_cast<unsigned char>(bytes[2 + 2 * i + (littleEndian ? 0 : 1)]);
            const auto high = static_cast<unsigned char>(bytes[2 + 2 * i + (littleEndian ? 1 : 0)]);
            text[i] = QChar(static_cast<char16_t>(high << 8 | low));
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair =
                text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            if (pair) {
                ++i;
            } else if (text[i].isSurrogate()) {
                return refuse("it starts as UTF-16 but is not valid UTF-16");
            }
        }
    } else if (bytes.contains('\0')) {
        return refuse("it holds NUL bytes but does not start with a UTF-16 byte order mark");
    } else {
        text = DecodeUtf8OrWindows1252(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    }
    if (text.contains(QChar(0))) {
        return refuse("it holds a NUL character");
    }
    return text;
}

QString JoinCrLfLines(const QStringList& lines) {
    QString out;
    for (const QString& line : lines) {
        out += line;
        out += QLatin1String(kCrLf);
    }
    return out;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

}  // namespace platform
