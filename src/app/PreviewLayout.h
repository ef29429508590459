#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the preview areas and buttons go for a window size, and how far the window must grow so
// that both preview buttons fit. The window is only ever made larger, and never larger than the
// screen: buttons wider or taller than that are clipped by their preview areas.
namespace app {

struct PreviewLayoutInput {
    QSize window;        // outer size of the main window
    int rowWidth = 0;    // width of the row that holds both preview areas
    int areaHeight = 0;  // height of the preview areas at this window size
    QSize button1;
    QSize button2;
    bool type2Enabled = true;
    // The outer height the rest of the window (pages, bar, labels, status bar, frame) needs beside
    // the preview row, taken from the layout rather than from the current geometry. 0: measure it as
    // the window's height less the row's, which is only right while nothing is squeezed.
    int heightBesideRow = 0;
    // The largest outer size the window may take: the screen's available area. Empty: no limit.
    QSize largestWindow;
};

struct PreviewLayout {
    QSize window;  // the window size to apply (never smaller than the input's)
    int area1Width = 0;
    int area2Width = 0;  // the rest of the row; 0 while type 2 is disabled
    int areaHeight = 0;
    QPoint button1;  // top-left of each preview button inside its area
    QPoint button2;
    int label2X = 0;  // left edge of the "Button type 2 Preview" label
};

// Space the rest of the window needs beside a preview button, in height and in width.
inline constexpr int kWindowHeightBesideButton = 360;
inline constexpr int kWindowWidthBesideButtons = 53;
inline constexpr int kAreaMarginBesideButton = 28;

PreviewLayout ComputePreviewLayout(const PreviewLayoutInput& in);

// The smallest outer window size the rules allow for these buttons: at least
// 2 x the wider button + 53 wide (the first button alone while type 2 is disabled) and the taller
// button + the height beside the row high, but never more than the largest window. Depends on the buttons and
// the layout only, never on the window's current size, so applying it cannot feed back into itself.
QSize MinimumWindowSize(const PreviewLayoutInput& in);

// The top-left corner that brings a window's outer rectangle `frame` inside the screen's available
// area `available`: moved left and up as far as it sticks out on the right and at the bottom, then
// right and down as far as it sticks out on the left and at the top.
QPoint FrameInside(const QRect& frame, const QRect& available);

}  // namespace app
