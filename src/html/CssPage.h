#pragma once

#include <QString>

#include "html/PreviewPages.h"

// The script-free rollover page: an HTML5 page whose buttons are a list of links in a <nav>, each
// holding its type 1 and type 2 images; style rules show the type 2 image while the mouse is over a
// link or the keyboard has moved the focus onto it.
namespace html {

// The page, line by line, each line ended by CR LF; written as UTF-8, as its <meta> says.
QString CssPageText(const PageContent& page);

// The navigation snippet, to paste into a site's pages: the <nav> element alone, with the class its
// style sheet is scoped under and the label a screen reader gives it; no link is the current page.
// UTF-8, lines ended by CR LF.
inline constexpr char kSnippetClass[] = "plumeric-nav";
inline constexpr char kSnippetFileName[] = "navigation.html";
inline constexpr char kSnippetStyleFileName[] = "navigation.css";
// How the status report names them.
inline constexpr char kSnippetCaption[] = "Navigation snippet";
inline constexpr char kSnippetStyleCaption[] = "Navigation style sheet";
QString NavigationSnippetText(const PageContent& page, const QString& label);
// The snippet's style sheet: the layout, the rollover under the mouse and the keyboard's focus.
QString NavigationStyleText(const PageContent& page);

}  // namespace html
