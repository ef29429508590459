#pragma once

#include <QString>

#include "settings/CaptionGrid.h"

namespace html {

// The `href` of a row's button, as attribute text: the row's link when it is given (its written form,
// with "&" as "&amp;"), otherwise the row's own page file beside the page. The batch has refused every link a
// page may not take before any page is written.
QString ButtonHref(const settings::CaptionGrid& grid, int row);

}  // namespace html
