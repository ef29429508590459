#pragma once

#include <QString>
#include <optional>

#include "settings/AppSettings.h"

// The links of the caption list: where a row's button leads on the pages instead of its own page.
// A page takes a path relative to it, a path from the site's root ("/…"), a fragment ("#…") and
// http:, https:, mailto: and tel: links; a batch refuses any other link before it writes a file.
namespace output {

// The link as its scheme is read from it: every control character (U+0000 to U+001F, U+007F to
// U+009F) and every blank removed, wherever they stand, so that "java\tscript:" or " javascript:"
// reads as the "javascript:" a browser would make of it.
QString LinkSchemeText(const QString& link);

// The link's scheme as written (without its ":"): the text up to a ":" that comes before any "/",
// "?" or "#" of LinkSchemeText; nothing when the link has none (a path or a fragment).
std::optional<QString> LinkScheme(const QString& link);

// Whether a row's link is given: it holds more than blanks and control characters. A row without
// one links its button to its own page.
bool IsLinkGiven(const QString& link);

// Whether a page may take the link: one without a scheme, or with http, https, mailto or tel in
// any case of the letters. A link that is not given is taken (it is no link).
bool IsTakenLink(const QString& link);

// The link as a page writes it, before the page writes "&" as "&amp;": its control characters
// removed, the blanks at either end dropped, each space within it as "%20", and the other characters
// that a URL cannot hold as they stand (double quotes, angle brackets, "^", "`", "{", "|", "}" and
// every character outside ASCII) percent-encoded as UTF-8, as a browser encodes them when it reads
// the link. A backslash is a slash, as a browser reads it, except in mailto: and tel: links, where
// it is encoded too.
QString WrittenLink(const QString& link);

QString LinkRefusedMessage(int row, const QString& caption, const QString& link);

// The first saved row whose link a page may not take, as LinkRefusedMessage shows it; nothing when
// every link is taken.
std::optional<QString> LinkRefusal(const settings::AppSettings& s);

}  // namespace output
