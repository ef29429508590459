#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "output/ButtonRenderer.h"

// What a batch says of the images that fall short of the contrast and target size rules for web
// pages, in the report, in the window's status bar and on kestro-batch's standard error.
namespace output {

// One measured image of a batch: its caption, its type (settings::kType1 or kType2, named type 1 or
// type 2), whether it is
// the pressed image, the name of its file, and how it measures.
struct AccessRecord {
    QString caption;
    int type = 1;
    bool pressed = false;
    QString fileName;
    AccessFigure figure;
};

inline constexpr char kAccessSectionTitle[] = "Accessibility (WCAG 2.2 AA)";

// A contrast ratio with two decimals and ":1": "4.48:1". A figure that falls short is never shown as
// the figure it needs: 4.496 against 4.5 is "4.49:1".
QString RatioText(double ratio, double needs);
// What an image's figure says: "contrast 7.10:1", or "contrast 3.21:1, needs 4.5:1" when it falls
// short; nothing for an image without text.
QString ContrastText(const AccessFigure& figure);
// "20 x 20 pixels, needs 24 x 24" for an image smaller than the target; nothing otherwise.
QString SizeShortText(const AccessFigure& figure);
// What an image falls short in: its contrast, its size, or both joined by "; ".
QString ShortfallText(const AccessFigure& figure);
// The line of an image that falls short: "Home (type 1, u_home.png): contrast 4.48:1, needs 4.5:1";
// a pressed image is "(type 2 pressed, p_home.png)".
QString AccessLine(const AccessRecord& record);

// A preview's label with its face's figure: "Button type 1 Preview — contrast 3.21:1, needs 4.5:1", a
// button smaller than the target adding " — 20 x 20 pixels, needs 24 x 24".
QString PreviewLabelText(const QString& label, const AccessFigure& figure);

// How many of the records fall short.
int ShortCount(const QList<AccessRecord>& records);
// The report's summary: "All 14 images meet contrast 4.5:1 (3:1 for large text) and size 24 x 24."
// or "3 of 14 images fall short." ("1 of 14 images falls short.").
QString AccessSummary(int shortCount, int total);
// The report's section: an empty line, the title and its rule, a line for each image that falls
// short, and the summary.
QStringList AccessSection(const QList<AccessRecord>& records);
// What the status bar adds after a measured batch: "; 3 of 14 images fall short of contrast or size",
// or "; all 14 images meet contrast and size".
QString AccessStatusText(int shortCount, int total);

}  // namespace output
