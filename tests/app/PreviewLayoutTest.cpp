#include <gtest/gtest.h>

#include "app/PreviewLayout.h"

using app::ComputePreviewLayout;
using app::PreviewLayoutInput;

namespace {

// `frame`: the height the rest of the window takes beside the preview row.
PreviewLayoutInput Window(int w, int h, QSize b1, QSize b2, bool enabled, int frame = 380) {
    PreviewLayoutInput in;
    in.window = QSize(w, h);
    in.rowWidth = w - 8;
    in.areaHeight = h - frame;
    in.button1 = b1;
    in.button2 = b2;
    in.type2Enabled = enabled;
    return in;
}

}  // namespace

TEST(PreviewLayout, WideOrTallButtonsGrowTheWindowWithBothTypes) {
    auto out = ComputePreviewLayout(Window(673, 491, {400, 30}, {100, 30}, true));
    EXPECT_EQ(out.window, QSize(853, 491));
    EXPECT_EQ(out.area1Width, 421);
    EXPECT_EQ(out.area2Width, 853 - 8 - 421);
    EXPECT_EQ(out.label2X, 425);

    out = ComputePreviewLayout(Window(673, 491, {100, 30}, {100, 200}, true, 330));
    EXPECT_EQ(out.window, QSize(673, 560));
    EXPECT_EQ(out.areaHeight, 560 - 330);
    // Pages taller than the program's allowance: the window grows by what is measured around the
    // row, so the button still fits its area.
    out = ComputePreviewLayout(Window(673, 491, {100, 30}, {100, 200}, true, 400));
    EXPECT_EQ(out.window, QSize(673, 600));
    EXPECT_EQ(out.areaHeight, 200);
    out = ComputePreviewLayout(Window(673, 491, {100, 200}, {100, 30}, false, 400));
    EXPECT_EQ(out.areaHeight, 200);
    // Type 2 decides when it is the wider one.
    EXPECT_EQ(ComputePreviewLayout(Window(673, 491, {10, 30}, {500, 30}, true)).window.width(), 1053);
}

TEST(PreviewLayout, ButtonsAreCentredInTheirAreas) {
    const auto out = ComputePreviewLayout(Window(673, 491, {100, 30}, {60, 21}, true));
    EXPECT_EQ(out.window, QSize(673, 491));
    EXPECT_EQ(out.area1Width, 331);
    EXPECT_EQ(out.button1, QPoint((331 - 100) / 2, (111 - 30) / 2));
    EXPECT_EQ(out.button2, QPoint((334 - 60) / 2, (111 - 21) / 2));
    // A button taller than its area grows the window by what the rest of it takes, so the button
    // fills its area exactly rather than being cut.
    const auto tall = ComputePreviewLayout(Window(673, 600, {100, 235}, {100, 30}, true));
    EXPECT_EQ(tall.window, QSize(673, 615));
    EXPECT_EQ(tall.areaHeight, 235);
    EXPECT_EQ(tall.button1.y(), 0);
}

TEST(PreviewLayout, WithTypeTwoDisabledTheFirstAreaSpansTheRow) {
    auto out = ComputePreviewLayout(Window(673, 491, {400, 30}, {900, 900}, false));
    EXPECT_EQ(out.area1Width, 663);
    EXPECT_EQ(out.window, QSize(673, 491));  // type 2's size does not count
    out = ComputePreviewLayout(Window(673, 491, {700, 150}, {0, 0}, false));
    EXPECT_EQ(out.window, QSize(1453, 150 + 380));
    EXPECT_EQ(out.area1Width, 1443);
}

TEST(PreviewLayout, TheWindowIsNeverMadeSmaller) {
    const auto out = ComputePreviewLayout(Window(1200, 900, {10, 10}, {10, 10}, true));
    EXPECT_EQ(out.window, QSize(1200, 900));
    // Just under the margin: the rule's width would be smaller than the window, which stays.
    const auto close = ComputePreviewLayout(Window(320, 491, {130, 10}, {130, 10}, true));
    EXPECT_EQ(close.window.width(), 320);
}

TEST(PreviewLayout, TheWindowGrowsNoFurtherThanTheScreen) {
    PreviewLayoutInput in = Window(673, 491, {2000, 30}, {100, 30}, true);
    in.largestWindow = QSize(1280, 1000);
    auto out = ComputePreviewLayout(in);
    EXPECT_EQ(out.window, QSize(1280, 491));
    EXPECT_EQ(out.area1Width, 635);
    EXPECT_EQ(out.area2Width, 1280 - 8 - 635);
    EXPECT_EQ(out.button1.x(), (635 - 2000) / 2);  // clipped on both sides by its area
    EXPECT_EQ(app::MinimumWindowSize(in), QSize(1280, 30 + 380));
    // Just inside the screen the rule's size stands; a window already larger is not shrunk.
    in.largestWindow = QSize(4053, 1000);
    EXPECT_EQ(ComputePreviewLayout(in).window, QSize(4053, 491));
    in = Window(1400, 491, {2000, 800}, {100, 30}, false);
    in.largestWindow = QSize(1280, 1000);
    out = ComputePreviewLayout(in);
    EXPECT_EQ(out.window, QSize(1400, 1000));
    EXPECT_EQ(out.area1Width, 1390);
    EXPECT_EQ(app::MinimumWindowSize(in), QSize(1280, 1000));
}

TEST(PreviewLayout, AGrownWindowIsMovedBackOntoTheScreen) {
    const QRect screen(0, 0, 1280, 1000);
    EXPECT_EQ(app::FrameInside(QRect(303, 266, 1280, 491), screen), QPoint(0, 266));
    EXPECT_EQ(app::FrameInside(QRect(600, 700, 500, 400), screen), QPoint(600, 600));
    EXPECT_EQ(app::FrameInside(QRect(-20, -5, 500, 400), screen), QPoint(0, 0));
    EXPECT_EQ(app::FrameInside(QRect(10, 10, 500, 400), screen), QPoint(10, 10));
    // Larger than the screen: its top-left corner stays in reach.
    EXPECT_EQ(app::FrameInside(QRect(100, 100, 1500, 1200), QRect(0, 24, 1280, 976)), QPoint(0, 24));
}
