#include "html/CssPage.h"

#include "html/ButtonHref.h"
#include "output/CaptionNaming.h"
#include "platform/IntegerText.h"
#include "platform/TextCodec.h"

namespace html {

using settings::CaptionGrid;

namespace {

// An image of a link: its file, the twice-size copy beside it when there is one, its size and its
// text for a screen reader.
QString ImageTag(const QString& className, const QString& relSlash, const QString& fileName, bool scaled,
                 QSize size, const QString& alt) {
    QString tag = QStringLiteral("<img class=\"%1\" src=\"%2\"").arg(className, UrlText(relSlash + fileName));
    if (scaled) {
        tag += QStringLiteral(" srcset=\"%1 2x\"").arg(UrlText(relSlash + output::ScaledFilename(fileName)));
    }
    return tag + QStringLiteral(" width=\"%1\" height=\"%2\" alt=\"%3\">")
                     .arg(QString::number(size.width()), QString::number(size.height()), PageText(alt));
}

// The list's rule: side by side (wrapping at the window's edge) or one under another, without gaps
// as on the script page, or the space between buttons apart.
QString ListRule(const PageContent& page, const QString& scope, const QString& resets) {
    const QString gap = page.spacing > 0 ? QStringLiteral(" gap: %1px;").arg(page.spacing) : QString();
    return scope +
           (page.vertical ? QStringLiteral(" ul { list-style: none; margin: 0; padding: 0;%1 display: flex; "
                                           "flex-direction: column; align-items: flex-start;")
                          : QStringLiteral(" ul { list-style: none; margin: 0; padding: 0;%1 display: flex; "
                                           "flex-wrap: wrap;"))
               .arg(resets) +
           gap + QStringLiteral(" }");
}

// The type 2 image replaces the type 1 image under the mouse and under the keyboard's focus; without
// type 2 images the type 1 image stays.
QStringList SwapRules(const PageContent& page, const QString& scope) {
    if (!page.type2Enabled) {
        return {};
    }
    return {
        QStringLiteral("%1 img.over { display: none; }").arg(scope),
        QStringLiteral("%1 a:hover img.out, %1 a:focus-visible img.out { display: none; }").arg(scope),
        QStringLiteral("%1 a:hover img.over, %1 a:focus-visible img.over { display: block; }").arg(scope)};
}

// While pressed images are written, the pressed image replaces both while the link is pressed (these
// rules come after the hover and focus rules, so they win over them).
QStringList PressRules(const PageContent& page, const QString& scope) {
    if (page.pressedNames.isEmpty()) {
        return {};
    }
    return {QStringLiteral("%1 img.down { display: none; }").arg(scope),
            QStringLiteral("%1 a:active img.out, %1 a:active img.over { display: none; }").arg(scope),
            QStringLiteral("%1 a:active img.down { display: block; }").arg(scope)};
}

// The list items of the page's <nav>: a link per saved row holding its images.
QStringList NavListItems(const PageContent& page) {
    const CaptionGrid& grid = *page.grid;
    QStringList items;
    for (const int n : grid.SavedRows()) {
        // The alt text is the caption as the button draws it, on one image a link: the type 2 image
        // has none, so a screen reader names each link once.
        const QString caption = CaptionAsDrawn(grid.Cell(n, CaptionGrid::kCaptionColumn));
        const QSize outSize = n < page.imageSizes.size() ? page.imageSizes[n] : QSize(0, 0);
        const QSize overSize = n < page.overSizes.size() ? page.overSizes[n] : outSize;
        const QString href = ButtonHref(grid, n);
        QString item;
        if (n == page.currentRow) {
            // The link to the page itself shows its type 2 image, without a swap.
            item = QStringLiteral("<li><a href=\"%1\" aria-current=\"page\">").arg(href);
            item += page.type2Enabled
                        ? ImageTag(QStringLiteral("current"), page.relSlash,
                                   grid.Cell(n, CaptionGrid::kType2Column), page.scaled, overSize, caption)
                        : ImageTag(QStringLiteral("current"), page.relSlash,
                                   grid.Cell(n, CaptionGrid::kType1Column), page.scaled, outSize, caption);
        } else {
            item = QStringLiteral("<li><a href=\"%1\">").arg(href);
            item += ImageTag(QStringLiteral("out"), page.relSlash, grid.Cell(n, CaptionGrid::kType1Column),
                             page.scaled, outSize, caption);
            if (page.type2Enabled) {
                item += ImageTag(QStringLiteral("over"), page.relSlash,
                                 grid.Cell(n, CaptionGrid::kType2Column), page.scaled, overSize, QString());
            }
            if (n < page.pressedNames.size() && !page.pressedNames[n].isEmpty()) {
                // The link is named once, by its type 1 image: the pressed image has an empty alt.
                const QSize downSize = n < page.pressedSizes.size() ? page.pressedSizes[n] : outSize;
                item += ImageTag(QStringLiteral("down"), page.relSlash, page.pressedNames[n], page.scaled,
                                 downSize, QString());
            }
        }
        items.append(item + QStringLiteral("</a></li>"));
    }
    return items;
}

}  // namespace

QString CssPageText(const PageContent& page) {
    QString out;
    const auto line = [&out](const QString& text) { out += text + QLatin1String(platform::kCrLf); };
    line(QStringLiteral("<!DOCTYPE html>"));
    line(QStringLiteral("<html lang=\"%1\">").arg(PageText(page.language)));
    line(QStringLiteral("<head>"));
    line(QStringLiteral("<meta charset=\"utf-8\">"));
    line(QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
    line(QStringLiteral("<title>") + PageText(page.titlePrefix + QStringLiteral(": ") + page.titleSuffix) +
         QStringLiteral("</title>"));
    line(QStringLiteral("<style>"));
    line(QStringLiteral("body { background-color: #%1; }").arg(HtmlColour(page.backgroundColour)));
    line(QStringLiteral("p { color: #%1; }").arg(HtmlColour(page.textColour)));
    line(ListRule(page, QStringLiteral("nav"), QString()));
    line(QStringLiteral("nav a, nav img { display: block; border: 0; }"));
    for (const QString& rule :
         SwapRules(page, QStringLiteral("nav")) + PressRules(page, QStringLiteral("nav"))) {
        line(rule);
    }
    line(QStringLiteral("</style>"));
    line(QStringLiteral("</head>"));
    line(QStringLiteral("<body>"));
    line(QStringLiteral("<nav>"));
    line(QStringLiteral("<ul>"));
    for (const QString& item : NavListItems(page)) {
        line(item);
    }
    line(QStringLiteral("</ul>"));
    line(QStringLiteral("</nav>"));
    line(QStringLiteral("<p>This page is called \"") + PageText(page.fileName) +
         QStringLiteral("\", and is located in folder \"") + PageText(page.htmlFolder) +
         QStringLiteral("\"</p>"));
    line(QStringLiteral("</body>"));
    line(QStringLiteral("</html>"));
    return out;
}

QString NavigationSnippetText(const PageContent& page, const QString& label) {
    PageContent snippet = page;
    snippet.currentRow = 0;  // a snippet is on every page of the site: no link is the current one
    QString out;
    const auto line = [&out](const QString& text) { out += text + QLatin1String(platform::kCrLf); };
    line(QStringLiteral("<nav class=\"%1\" aria-label=\"%2\">")
             .arg(QLatin1String(kSnippetClass), PageText(label)));
    line(QStringLiteral("<ul>"));
    for (const QString& item : NavListItems(snippet)) {
        line(item);
    }
    line(QStringLiteral("</ul>"));
    line(QStringLiteral("</nav>"));
    return out;
}

QString NavigationStyleText(const PageContent& page) {
    const QString scope = QStringLiteral("nav.") + QLatin1String(kSnippetClass);
    QString out;
    const auto line = [&out](const QString& text) { out += text + QLatin1String(platform::kCrLf); };
    // Every rule is scoped under the snippet's class, so the site's own rules stay as they are; and
    // it sets whatever a site's rules for lists, links and images commonly change, so those leave
    // the buttons whole (the class outweighs a rule for an element).
    line(QStringLiteral(
        "/* The buttons of navigation.html: link this style sheet from every page that holds them. */"));
    line(ListRule(page, scope, QStringLiteral(" border: 0;")));
    line(scope + QStringLiteral(" li { display: block; float: none; margin: 0; padding: 0; border: 0; }"));
    line(scope + QStringLiteral(" a, ") + scope +
         QStringLiteral(" img { display: block; float: none; margin: 0; padding: 0; border: 0; width: auto; "
                        "height: auto; max-width: none; max-height: none; }"));
    for (const QString& rule : SwapRules(page, scope) + PressRules(page, scope)) {
        line(rule);
    }
    return out;
}

}  // namespace html
