#include "html/CssPage.h"

#include "output/CaptionNaming.h"
#include "platform/IntegerText.h"
#include "platform/TextCodec.h"

namespace html {

using settings::CaptionGrid;

namespace {

// An image of a link: its file, the twice-size copy beside it when there is one, its size and its
// caption as the button draws it, so a screen reader reads what the button shows.
QString ImageTag(const QString& className, const QString& relSlash, const QString& fileName, bool scaled,
                 QSize size, const QString& caption) {
    QString tag = QStringLiteral("<img class=\"%1\" src=\"%2\"").arg(className, UrlText(relSlash + fileName));
    if (scaled) {
        tag += QStringLiteral(" srcset=\"%1 2x\"").arg(UrlText(relSlash + output::ScaledFilename(fileName)));
    }
    return tag + QStringLiteral(" width=\"%1\" height=\"%2\" alt=\"%3\">")
                     .arg(QString::number(size.width()), QString::number(size.height()),
                          PageText(CaptionAsDrawn(caption)));
}

}  // namespace

QString CssPageText(const PageContent& page) {
    const CaptionGrid& grid = *page.grid;
    QString out;
    const auto line = [&out](const QString& text) { out += text + QLatin1String(platform::kCrLf); };
    line(QStringLiteral("<!DOCTYPE html>"));
    line(QStringLiteral("<html>"));
    line(QStringLiteral("<head>"));
    line(QStringLiteral("<meta charset=\"utf-8\">"));
    line(QStringLiteral("<title>") + PageText(page.titlePrefix + QStringLiteral(": ") + page.titleSuffix) +
         QStringLiteral("</title>"));
    line(QStringLiteral("<style>"));
    line(QStringLiteral("body { background-color: #%1; }").arg(HtmlColour(page.backgroundColour)));
    line(QStringLiteral("p { color: #%1; }").arg(HtmlColour(page.textColour)));
    // The buttons stand side by side (wrapping at the window's edge) or one under another, without
    // gaps, as on the script page.
    line(page.vertical ? QStringLiteral("nav ul { list-style: none; margin: 0; padding: 0; display: flex; "
                                        "flex-direction: column; align-items: flex-start; }")
                       : QStringLiteral("nav ul { list-style: none; margin: 0; padding: 0; display: flex; "
                                        "flex-wrap: wrap; }"));
    line(QStringLiteral("nav a, nav img { display: block; border: 0; }"));
    // The type 2 image replaces the type 1 image under the mouse and under the keyboard's focus.
    line(QStringLiteral("nav img.over { display: none; }"));
    line(QStringLiteral("nav a:hover img.out, nav a:focus-visible img.out { display: none; }"));
    line(QStringLiteral("nav a:hover img.over, nav a:focus-visible img.over { display: block; }"));
    const bool pressed = !page.pressedNames.isEmpty();
    if (pressed) {
        // The pressed image replaces both while the link is pressed (these rules come later, so they
        // win over the hover and focus rules).
        line(QStringLiteral("nav img.down { display: none; }"));
        line(QStringLiteral("nav a:active img.out, nav a:active img.over { display: none; }"));
        line(QStringLiteral("nav a:active img.down { display: block; }"));
    }
    line(QStringLiteral("</style>"));
    line(QStringLiteral("</head>"));
    line(QStringLiteral("<body>"));
    line(QStringLiteral("<nav>"));
    line(QStringLiteral("<ul>"));
    for (const int n : grid.SavedRows()) {
        const QString caption = grid.Cell(n, CaptionGrid::kCaptionColumn);
        const QSize outSize = n < page.imageSizes.size() ? page.imageSizes[n] : QSize(0, 0);
        QString item =
            QStringLiteral("<li><a href=\"%1\">").arg(UrlText(grid.Cell(n, CaptionGrid::kHtmlColumn)));
        item += ImageTag(QStringLiteral("out"), page.relSlash, grid.Cell(n, CaptionGrid::kType1Column),
                         page.scaled, outSize, caption);
        if (page.type2Enabled) {
            const QSize overSize = n < page.overSizes.size() ? page.overSizes[n] : outSize;
            item += ImageTag(QStringLiteral("over"), page.relSlash, grid.Cell(n, CaptionGrid::kType2Column),
                             page.scaled, overSize, caption);
        }
        if (pressed && n < page.pressedNames.size()) {
            // The link is announced once, by its type 1 image: the pressed image has an empty alt.
            const QSize downSize = n < page.pressedSizes.size() ? page.pressedSizes[n] : outSize;
            item += ImageTag(QStringLiteral("down"), page.relSlash, page.pressedNames[n], page.scaled,
                             downSize, QString());
        }
        line(item + QStringLiteral("</a></li>"));
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

}  // namespace html
