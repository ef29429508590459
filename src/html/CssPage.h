#pragma once

#include <QString>

#include "html/PreviewPages.h"

// The script-free rollover page: an HTML5 page whose buttons are a list of links in a <nav>, each
// holding its type 1 and type 2 images; style rules show the type 2 image while the mouse is over a
// link or the keyboard has moved the focus onto it.
namespace html {

// The page, line by line, each line ended by CR LF; written as UTF-8, as its <meta> says.
QString CssPageText(const PageContent& page);

}  // namespace html
