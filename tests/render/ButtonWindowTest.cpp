#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <chrono>

#include "render/LumoButton.h"
#include "render/LumoRotateTimer.h"

using namespace face;
using namespace render;

namespace {

class ButtonWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent.resize(600, 600);
        parent.show();
        button = new TLumoButton(&parent);
        button->move(200, 200);
        button->SetButtonWidth(100);
        button->SetButtonHeight(20);
        button->FinishLoading();
        button->show();
    }

    QWidget parent;
    TLumoButton* button = nullptr;
};

}  // namespace

TEST_F(ButtonWindowTest, WidthAndExternalResizes) {
    button->SetButtonWidth(120);
    EXPECT_EQ(button->geometry(), QRect(200, 200, 120, 20));
    EXPECT_EQ(button->FaceBitmap().size(), QSize(120, 20));

    button->resize(100, 20);
    EXPECT_EQ(button->ButtonWidth(), 100);
    EXPECT_EQ(button->ButtonHeight(), 20);

    button->SetButtonAngle(900);
    EXPECT_EQ(button->size(), QSize(20, 100));
    button->resize(20, 70);  // at a quarter turn the window's height is the button's width
    EXPECT_EQ(button->ButtonWidth(), 70);
    EXPECT_EQ(button->ButtonHeight(), 20);
}

TEST_F(ButtonWindowTest, TurningKeepsTheRotationPointInPlace) {
    button->SetRotationCenterFixed(true);
    const QPoint centre = button->geometry().center();
    button->SetButtonAngle(900);
    EXPECT_EQ(button->size(), QSize(20, 100));
    EXPECT_LE((button->geometry().center() - centre).manhattanLength(), 1);
    button->SetButtonAngle(0);
    EXPECT_EQ(button->geometry(), QRect(200, 200, 100, 20));
}

TEST_F(ButtonWindowTest, FixedCaptionsTurnWithTheButtonAndAnglesWrap) {
    button->SetCaptionFixed(true);
    button->SetButtonAngle(1900);
    EXPECT_EQ(button->ButtonAngle(), -1700);
    EXPECT_EQ(button->CaptionAngle(), -1700);
    EXPECT_EQ(button->GradientAngle(), 450);  // not fixed: unchanged
}

TEST_F(ButtonWindowTest, TheMouseAloneChangesNothing) {
    int entered = 0;
    button->onMouseEnter = [&](TLumoButton*) { ++entered; };
    const int faces = button->FaceBuildCount();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(205, 205));
    QApplication::sendEvent(button, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->MouseInside);
    EXPECT_EQ(entered, 0);
    EXPECT_EQ(button->FaceBuildCount(), faces);
}

TEST_F(ButtonWindowTest, AClickPlaysItsFramesOnTheCanvas) {
    QImage frames(12, 20, QImage::Format_RGB32);
    const QRgb colours[3] = {qRgb(250, 0, 0), qRgb(0, 250, 0), qRgb(0, 0, 250)};
    for (int g = 0; g < 3; ++g) {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 4; ++x)
                frames.setPixel(4 * g + x, y, colours[g]);
        }
    }
    button->SetBitmapHAlign(haLeft);
    button->SetBitmapVAlign(vaTop);
    button->SetButtonDepth(0);
    button->SetOnClickBitmap(frames);
    button->SetOnClickGlyphs(3);
    button->Repaint();

    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(button, &space);
    ASSERT_TRUE(button->AnimationRunning(TLumoButton::Animation::Click));
    ASSERT_NE(button->AnimationTimer(), nullptr);
    EXPECT_EQ(button->AnimationTimer()->interval(), 40);
    button->AnimationTimer()->stop();  // the ticks are driven by hand
    for (int g = 0; g < 3; ++g) {
        button->AnimationTick();
        EXPECT_EQ(button->Canvas().pixel(1, 1), colours[g]) << "frame " << g;
        EXPECT_EQ(button->AnimationFrame(TLumoButton::Animation::Click), g + 1);
    }
    button->AnimationTick();
    EXPECT_FALSE(button->AnimationRunning(TLumoButton::Animation::Click));
    EXPECT_EQ(button->AnimationTimer(), nullptr);
    button->SetOnClickInterval(80);
    EXPECT_EQ(button->OnClickInterval(), 80);

    // A double click starts it again.
    QTest::mouseDClick(button, Qt::LeftButton);
    EXPECT_TRUE(button->AnimationRunning(TLumoButton::Animation::Click));
    button->SetOnClickInterval(10);  // ignored while it runs
    EXPECT_EQ(button->OnClickInterval(), 80);
}

TEST_F(ButtonWindowTest, AHiddenButtonRendersLikeAShownOne) {
    TLumoButton hidden;
    for (TLumoButton* b : {button, &hidden}) {
        b->SetButtonWidth(90);
        b->SetButtonHeight(25);
        b->SetButtonColor(0x00336699);
        b->SetButton3DKind(dk3dBorder);
        b->SetCaption("Products");
        b->MouseInside = true;
        b->Repaint();
    }
    EXPECT_EQ(hidden.Canvas().copy(0, 0, 90, 25), button->Canvas().copy(0, 0, 90, 25));
    EXPECT_EQ(hidden.Canvas().copy(0, 0, 90, 25), hidden.FaceBitmap());
}

TEST(RotateTimer, TicksOnTheButtonsThreadAndEndsWhenTold) {
    auto button = std::make_unique<TLumoButton>();
    button->SetButtonWidth(50);
    button->SetButtonHeight(20);
    button->SetRotatedTime(5);
    button->SetRotatedAngle(40);
    ASSERT_TRUE(button->RotateTimer()->Suspended());
    button->SetRotated(true);
    EXPECT_FALSE(button->RotateTimer()->Suspended());
    for (int i = 0; i < 200 && button->ButtonAngle() < 80; ++i) {
        QTest::qWait(10);
    }
    EXPECT_GE(button->ButtonAngle(), 80);
    EXPECT_EQ(button->ButtonAngle() % 40, 0);
    button->SetRotated(false);
    QTest::qWait(20);
    const int stopped = button->ButtonAngle();
    QTest::qWait(50);
    EXPECT_EQ(button->ButtonAngle(), stopped);

    // Destroying a running button ends and joins the thread.
    button->SetRotated(true);
    const auto start = std::chrono::steady_clock::now();
    button.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
