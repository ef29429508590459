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
