#include "html/ButtonHref.h"

#include "html/PreviewPages.h"
#include "output/CaptionLinks.h"

namespace html {

using settings::CaptionGrid;

QString ButtonHref(const CaptionGrid& grid, int row) {
    const QString link = grid.Cell(row, CaptionGrid::kLinkColumn);
    if (output::IsLinkGiven(link)) {
        return PageText(output::WrittenLink(link));
    }
    return UrlText(grid.Cell(row, CaptionGrid::kHtmlColumn));
}

}  // namespace html
