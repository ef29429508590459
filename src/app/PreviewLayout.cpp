#include "app/PreviewLayout.h"

#include <algorithm>

namespace app {
namespace {

QPoint Centred(int areaWidth, int areaHeight, QSize button) {
    // Integer division truncating toward zero, negative when the button is larger than its area.
    return {(areaWidth - button.width()) / 2, (areaHeight - button.height()) / 2};
}

int BesideButton(const PreviewLayoutInput& in) {
    const int measured = in.heightBesideRow > 0 ? in.heightBesideRow : in.window.height() - in.areaHeight;
    return std::max(kWindowHeightBesideButton, measured);
}

}  // namespace

PreviewLayout ComputePreviewLayout(const PreviewLayoutInput& in) {
    PreviewLayout out;
    int width = in.window.width();
    int height = in.window.height();
    // The row follows the window's width; the frame around it stays the same.
    const int rowFrame = width - in.rowWidth;
    // The window grows by the space the rest of the window takes beside the preview row, as
    // measured, and at least by the program's fixed allowance.
    const int besideButton = BesideButton(in);

    if (in.type2Enabled) {
        int area1 = width / 2 - 5;
        int area2 = (width - rowFrame) - area1;
        if (area1 < in.button1.width() + kAreaMarginBesideButton ||
            area2 < in.button2.width() + kAreaMarginBesideButton) {
            width = std::max(
                width, 2 * std::max(in.button1.width(), in.button2.width()) + kWindowWidthBesideButtons);
        }
        for (const QSize& b : {in.button1, in.button2}) {
            if (b.height() + besideButton > height) {
                height = b.height() + besideButton;
            }
        }
        area1 = width / 2 - 5;
        area2 = (width - rowFrame) - area1;
        out.area1Width = area1;
        out.area2Width = area2;
    } else {
        int area1 = width - 10;
        if (area1 < in.button1.width() + kAreaMarginBesideButton) {
            width = std::max(width, 2 * in.button1.width() + kWindowWidthBesideButtons);
        }
        if (in.button1.height() + besideButton > height) {
            height = in.button1.height() + besideButton;
        }
        out.area1Width = width - 10;
        out.area2Width = 0;
    }
    if (!in.largestWindow.isEmpty()) {
        // No wider or higher than the screen, unless the window already is.
        width = std::min(width, std::max(in.window.width(), in.largestWindow.width()));
        height = std::min(height, std::max(in.window.height(), in.largestWindow.height()));
        if (in.type2Enabled) {
            out.area1Width = width / 2 - 5;
            out.area2Width = (width - rowFrame) - out.area1Width;
        } else {
            out.area1Width = width - 10;
        }
    }
    out.window = QSize(width, height);
    out.areaHeight = in.areaHeight + (height - in.window.height());
    out.button1 = Centred(out.area1Width, out.areaHeight, in.button1);
    out.button2 = Centred(out.area2Width, out.areaHeight, in.button2);
    out.label2X = out.area1Width + 4;
    return out;
}

QSize MinimumWindowSize(const PreviewLayoutInput& in) {
    const int besideButton = BesideButton(in);
    const QSize rule =
        in.type2Enabled
            ? QSize(2 * std::max(in.button1.width(), in.button2.width()) + kWindowWidthBesideButtons,
                    std::max(in.button1.height(), in.button2.height()) + besideButton)
            : QSize(2 * in.button1.width() + kWindowWidthBesideButtons, in.button1.height() + besideButton);
    return in.largestWindow.isEmpty() ? rule : rule.boundedTo(in.largestWindow);
}

QPoint FrameInside(const QRect& frame, const QRect& available) {
    QPoint topLeft = frame.topLeft();
    topLeft.setX(std::min(topLeft.x(), available.x() + available.width() - frame.width()));
    topLeft.setY(std::min(topLeft.y(), available.y() + available.height() - frame.height()));
    topLeft.setX(std::max(topLeft.x(), available.x()));
    topLeft.setY(std::max(topLeft.y(), available.y()));
    return topLeft;
}

}  // namespace app
