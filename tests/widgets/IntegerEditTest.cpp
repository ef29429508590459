#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QToolButton>

#include "platform/ScriptedDialogs.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

using widgets::TIntegerEdit;

namespace {

class IntegerEditTest : public ::testing::Test {
  protected:
    TIntegerEdit& Field(int min, int max, const QString& text) {
        edit = std::make_unique<TIntegerEdit>(dialogs);
        edit->SetRange(min, max);
        edit->setText(text);
        edit->show();
        edit->setFocus();
        edit->setCursorPosition(static_cast<int>(text.size()));
        dialogs.Clear();
        return *edit;
    }

    platform::ScriptedDialogs dialogs;
    std::unique_ptr<TIntegerEdit> edit;
};

}  // namespace

TEST_F(IntegerEditTest, ANewFieldHoldsZeroWithoutARange) {
    TIntegerEdit e(dialogs);
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    EXPECT_EQ(e.Min(), 0);
    EXPECT_EQ(e.Max(), 0);
    EXPECT_EQ(e.ErrorMessage(), QStringLiteral("[Value Out of Range]"));
    EXPECT_FALSE(e.RangeActive());
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(IntegerEditTest, KeysThatWouldLeaveTheRangeAreDiscarded) {
    TIntegerEdit& e = Field(-2000, 2000, "200");
    QTest::keyClick(&e, Qt::Key_3);
    EXPECT_EQ(e.text(), QStringLiteral("200"));  // 2003 is above 2000
    QTest::keyClick(&e, Qt::Key_0);
    EXPECT_EQ(e.text(), QStringLiteral("2000"));
    QTest::keyClick(&e, Qt::Key_A);
    QTest::keyClick(&e, Qt::Key_Period);
    EXPECT_EQ(e.text(), QStringLiteral("2000"));
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), QStringLiteral("200"));

    Field(-2000, 2000, "");
    QTest::keyClick(edit.get(), Qt::Key_5);
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    Field(-2000, 2000, "");
    QTest::keyClick(edit.get(), Qt::Key_Minus);
    EXPECT_EQ(edit->text(), QStringLiteral("-"));  // a lone minus is allowed below zero
    QTest::keyClicks(edit.get(), "2001");
    EXPECT_EQ(edit->text(), QStringLiteral("-200"));

    Field(0, 2000, "12");
    QTest::keyClick(edit.get(), Qt::Key_Minus);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));  // minus only at the start
    edit->setCursorPosition(0);
    QTest::keyClick(edit.get(), Qt::Key_Minus);
    EXPECT_EQ(edit->text(), QStringLiteral("-12"));  // the range 0 … 2000 is not active
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(IntegerEditTest, TheProspectiveTextReplacesTheSelection) {
    TIntegerEdit& e = Field(-2000, 2000, "123");
    e.setSelection(0, 2);
    QTest::keyClick(&e, Qt::Key_7);
    EXPECT_EQ(e.text(), QStringLiteral("73"));
    Field(-2000, 2000, "1999");
    edit->setSelection(0, 1);
    QTest::keyClick(edit.get(), Qt::Key_9);  // 9999
    EXPECT_EQ(edit->text(), QStringLiteral("1999"));
    Field(1, 5, "");
    QTest::keyClick(edit.get(), Qt::Key_Minus);  // "-" with Min above zero
    EXPECT_EQ(edit->text(), QString());
}

TEST_F(IntegerEditTest, AKeyThatMakesNoNumberReportsTheConversionError) {
    TIntegerEdit& e = Field(-2000, 2000, "-5");
    QStringList errors;
    e.SetErrorSink([&](const QString& text) { errors.append(text); });
    e.setCursorPosition(0);
    QTest::keyClick(&e, Qt::Key_Minus);
    EXPECT_EQ(e.text(), QStringLiteral("-5"));
    EXPECT_EQ(errors, (QStringList{"'--5' is not a valid integer value"}));
}

TEST_F(IntegerEditTest, WritingClampsToAnActiveRangeWithTheMessage) {
    TIntegerEdit& e = Field(-2000, 2000, "0");
    e.SetValue(2500);
    EXPECT_EQ(e.text(), QStringLiteral("2000"));
    e.SetValue(-2001);
    EXPECT_EQ(e.text(), QStringLiteral("-2000"));
    e.SetErrorMessage("Too far");
    e.SetValue(9000);
    EXPECT_EQ(dialogs.Messages(), (QStringList{"[Value Out of Range]", "[Value Out of Range]", "Too far"}));

    Field(0, 2000, "0");
    QTest::keyClicks(edit.get(), "9999");
    EXPECT_EQ(edit->text(), QStringLiteral("09999"));
    edit->SetValue(5000);
    EXPECT_EQ(edit->text(), QStringLiteral("5000"));
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(IntegerEditTest, ReadingANonNumberResetsToMin) {
    for (const char* text : {"", "-", "12a"}) {
        TIntegerEdit& e = Field(-2000, 2000, QString::fromLatin1(text));
        EXPECT_EQ(e.Value(), -2000);
        EXPECT_EQ(e.text(), QStringLiteral("-2000"));
        EXPECT_EQ(dialogs.Messages(), QStringList{"[Value Out of Range]"});
    }
    TIntegerEdit& e = Field(-2000, 2000, "-17");
    EXPECT_EQ(e.Value(), -17);
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(IntegerEditTest, PastedTextPassesTheSameFilterAsTypedText) {
    QClipboard* clipboard = QApplication::clipboard();
    const auto paste = [&](const QString& clip) {
        clipboard->setText(clip);
        QTest::keyClick(edit.get(), Qt::Key_V, Qt::ControlModifier);
        return edit->text();
    };
    Field(-2000, 2000, "22");
    EXPECT_EQ(paste("abc"), QStringLiteral("22"));
    EXPECT_EQ(paste("1"), QStringLiteral("221"));  // an ordinary number is pasted
    edit->selectAll();
    EXPECT_EQ(paste("-2001"), QStringLiteral("221"));  // below the active range
    edit->selectAll();
    EXPECT_EQ(paste("-2000"), QStringLiteral("-2000"));  // the bound itself
    edit->selectAll();
    EXPECT_EQ(paste(" 5"), QStringLiteral("-2000"));
    edit->selectAll();
    EXPECT_EQ(paste("$10"), QStringLiteral("-2000"));
    edit->setCursorPosition(1);
    EXPECT_EQ(paste("-"), QStringLiteral("-2000"));  // a minus only at the start

    // Without an active range any whole number can be pasted, but still nothing else.
    Field(0, 2000, "7");
    EXPECT_EQ(paste("99999"), QStringLiteral("799999"));
    EXPECT_EQ(paste("1.5"), QStringLiteral("799999"));
    edit->selectAll();
    EXPECT_EQ(paste("99999999999"), QStringLiteral("799999"));  // more than a whole number holds
    edit->setCursorPosition(0);
    QTest::keyClick(edit.get(), Qt::Key_Minus);
    QTest::keyClick(edit.get(), Qt::Key_Home);
    QTest::keyClick(edit.get(), Qt::Key_Minus);  // "--" would be no number
    EXPECT_EQ(edit->text(), QStringLiteral("-799999"));
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(IntegerEditTest, TheMinimumItselfIsAcceptedWithoutAMessage) {
    TIntegerEdit& e = Field(-2000, 2000, "");
    QTest::keyClicks(&e, "-2000");
    EXPECT_EQ(e.text(), QStringLiteral("-2000"));
    EXPECT_EQ(e.Value(), -2000);
    e.SetValue(-2000);
    e.SetValue(2000);
    EXPECT_EQ(e.text(), QStringLiteral("2000"));
    EXPECT_TRUE(dialogs.History().isEmpty());
    e.SetValue(-2001);
    EXPECT_EQ(dialogs.Messages(), QStringList{"[Value Out of Range]"});
}

TEST_F(IntegerEditTest, EnteringByTabSelectsNothing) {
    QWidget window;
    QLineEdit before(&window);
    TIntegerEdit field(dialogs, &window);
    field.SetValue(1234);
    window.show();
    QApplication::setActiveWindow(&window);
    before.setFocus();
    QApplication::processEvents();
    QTest::keyClick(&before, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_TRUE(field.hasFocus());
    EXPECT_FALSE(field.hasSelectedText());
    // A digit typed now is inserted, not typed over the whole text.
    QTest::keyClick(&field, Qt::Key_5);
    EXPECT_EQ(field.text().size(), 5);
}

TEST_F(IntegerEditTest, WithAutoSelectEnteringSelectsTheTextAndTypingReplacesIt) {
    QWidget window;
    QLineEdit before(&window);
    TIntegerEdit field(dialogs, &window);
    field.SetAutoSelect(true);
    field.SetValue(90);
    window.show();
    QApplication::setActiveWindow(&window);
    before.setFocus();
    QApplication::processEvents();
    QTest::keyClick(&before, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_TRUE(field.hasFocus());
    EXPECT_EQ(field.selectedText(), QStringLiteral("90"));
    QTest::keyClicks(&field, "110");
    EXPECT_EQ(field.text(), QStringLiteral("110"));
    // Entered by code as well; a click selects the whole text as without automatic selection.
    before.setFocus();
    field.setFocus();
    EXPECT_EQ(field.selectedText(), QStringLiteral("110"));
    field.setCursorPosition(1);
    QTest::mouseClick(&field, Qt::LeftButton);
    EXPECT_EQ(field.selectedText(), QStringLiteral("110"));
    EXPECT_FALSE(TIntegerEdit(dialogs).AutoSelect());
}

TEST_F(IntegerEditTest, BoundsThatWouldPassEachOtherAreRefused) {
    TIntegerEdit e(dialogs);
    e.SetMax(10);
    e.SetMin(11);
    EXPECT_EQ(e.Min(), 0);
    e.SetMin(-5);
    e.SetMax(-6);
    EXPECT_EQ(e.Max(), 10);
    EXPECT_EQ(dialogs.Messages(), (QStringList{"Min-Value has to be less than or equal to Max-Value !",
                                               "Max-Value has to be greater than or equal to Min-Value !"}));
    e.SetRange(20, 30);  // moving the whole range up sets Max first
    EXPECT_EQ(e.Min(), 20);
    EXPECT_EQ(e.Max(), 30);
    EXPECT_EQ(dialogs.Messages().size(), 2);
}

TEST_F(IntegerEditTest, TextIsRightAlignedUnlessFocusedAndAClickSelectsAll) {
    TIntegerEdit& e = Field(-2000, 2000, "1234");
    QLineEdit other;
    other.show();
    QApplication::setActiveWindow(&e);
    e.setFocus();
    QApplication::processEvents();
    if (e.hasFocus()) {
        EXPECT_TRUE(e.alignment() & Qt::AlignLeft);
    }
    QTest::mouseClick(&e, Qt::LeftButton);
    EXPECT_EQ(e.selectedText(), QStringLiteral("1234"));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&e, &out);
    EXPECT_TRUE(e.alignment() & Qt::AlignRight);
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(&e, &in);
    EXPECT_TRUE(e.alignment() & Qt::AlignLeft);
}

TEST(UpDown, StepsOneAtATimeInsideItsRange) {
    widgets::TUpDown arrows;
    QList<int> seen;
    arrows.SetOnChange([&](int p) { seen.append(p); });
    arrows.SetPosition(1999);
    arrows.StepUp();
    arrows.StepUp();  // already at the top: nothing happens
    QTest::mouseClick(arrows.DownButton(), Qt::LeftButton);
    EXPECT_EQ(seen, (QList<int>{2000, 1999}));
    arrows.SetPosition(-5000);
    EXPECT_EQ(arrows.Position(), -2000);
}
