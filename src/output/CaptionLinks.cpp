#include "output/CaptionLinks.h"

#include "platform/ShownText.h"

namespace output {
namespace {

constexpr char kNothingSaved[] = "\rNo buttons have been saved.";

// The schemes a page takes, in lower case.
constexpr const char* kTakenSchemes[] = {"http", "https", "mailto", "tel"};

bool IsControl(char16_t u) {
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

// Only A to Z change: a letter that merely folds to a Latin one ("ſ" to "s") is no scheme letter for
// a browser, so it must not make a scheme taken here either.
QString AsciiLower(const QString& text) {
    QString lower = text;
    for (QChar& c : lower) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
            c = QChar(c.unicode() + ('a' - 'A'));
        }
    }
    return lower;
}

}  // namespace

QString LinkSchemeText(const QString& link) {
    QString text;
    text.reserve(link.size());
    for (const QChar c : link) {
        if (!IsControl(c.unicode()) && !c.isSpace()) {
            text += c;
        }
    }
    return text;
}

std::optional<QString> LinkScheme(const QString& link) {
    const QString text = LinkSchemeText(link);
    for (const QChar c : text) {
        if (c == QLatin1Char(':')) {
            return text.left(text.indexOf(QLatin1Char(':')));
        }
        if (c == QLatin1Char('/') || c == QLatin1Char('?') || c == QLatin1Char('#')) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool IsLinkGiven(const QString& link) {
    return !LinkSchemeText(link).isEmpty();
}

bool IsTakenLink(const QString& link) {
    const std::optional<QString> scheme = LinkScheme(link);
    if (!scheme) {
        return true;
    }
    const QString lower = AsciiLower(*scheme);
    for (const char* taken : kTakenSchemes) {
        if (lower == QLatin1String(taken)) {
            return true;
        }
    }
    return false;
}

QString WrittenLink(const QString& link) {
    QString text;
    text.reserve(link.size());
    for (const QChar c : link) {
        if (!IsControl(c.unicode())) {
            text += c;
        }
    }
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].isSpace()) {
        ++from;
    }
    while (to > from && text[to - 1].isSpace()) {
        --to;
    }
    text = text.mid(from, to - from);
    // A browser reads a backslash as a slash in a path, an http: or an https: link; in a mailto: or
    // tel: link it is a character like any other.
    const std::optional<QString> scheme = LinkScheme(text);
    const bool slashes = !scheme || AsciiLower(*scheme) == QLatin1String("http") ||
                         AsciiLower(*scheme) == QLatin1String("https");
    // Every character a URL cannot hold as it stands is percent-encoded (as UTF-8), as a browser does
    // when it reads the link: the address stays the same, and the page's markup stays valid.
    static const QString kEncoded = QStringLiteral(" \"<>\\^`{|}");
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c == U'\\' && slashes) {
            out += QLatin1Char('/');
        } else if (c > 0x7E || kEncoded.contains(one)) {
            for (const char byte : one.toUtf8()) {
                out += QStringLiteral("%%1")
                           .arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'))
                           .toUpper();
            }
        } else {
            out += one;
        }
    }
    return out;
}

QString LinkRefusedMessage(int row, const QString& caption, const QString& link) {
    return QStringLiteral(
               "The link of caption list row %1 (\"%2\"), \"%3\", cannot be used: a page takes a path "
               "relative to it, a path from the site's root (\"/\u2026\"), a fragment (\"#\u2026\") and "
               "http:, https:, mailto: and tel: links. Change it in the Link column of the Caption List "
               "page.")
               .arg(QString::number(row), platform::ShownValue(caption), platform::ShownValue(link)) +
           QLatin1String(kNothingSaved);
}

std::optional<QString> LinkRefusal(const settings::AppSettings& s) {
    using settings::CaptionGrid;
    const CaptionGrid& grid = s.captions;
    for (const int r : grid.SavedRows()) {
        const QString link = grid.Cell(r, CaptionGrid::kLinkColumn);
        if (!IsTakenLink(link)) {
            return LinkRefusedMessage(r, grid.Cell(r, CaptionGrid::kCaptionColumn), link);
        }
    }
    return std::nullopt;
}

}  // namespace output
