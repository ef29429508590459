#include <gtest/gtest.h>

#include "platform/IntegerText.h"

using namespace platform;

TEST(IntegerText, ReadsDecimalAndHexadecimalWholeNumbers) {
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("-5"), -5);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("  12"), 12);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger("$ff"), 255);
    EXPECT_EQ(ParseInteger("0x10"), 16);
    // Hexadecimal texts are 32-bit patterns.
    EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(static_cast<std::uint32_t>(ParseInteger("$80000005")), 0x80000005u);
}

TEST(IntegerText, RejectsEverythingElseWithTheProgramsMessage) {
    for (const char* bad : {"", "-", " ", "12 ", "1a", "abc", "2147483648", "-2147483649", "$", "$123456789",
                            "$ 1", "1.5", "--1"}) {
        EXPECT_THROW(ParseInteger(QString::fromLatin1(bad)), ConvertError) << bad;
    }
    try {
        ParseInteger(QStringLiteral("abc"));
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    // A NUL in the text cut the message short where it stood; it is shown as "\0".
    try {
        ParseInteger(QString("1") + QChar(0) + "x");
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'1\\0x' is not a valid integer value");
        EXPECT_EQ(e.Text(), QString("1") + QChar(0) + "x");
    }
}

TEST(IntegerText, IntegerFieldsCountEmptyAndLoneMinusAsZero) {
    EXPECT_EQ(IntegerFieldValue(""), 0);
    EXPECT_EQ(IntegerFieldValue("-"), 0);
    EXPECT_EQ(IntegerFieldValue("-40"), -40);
    EXPECT_THROW(IntegerFieldValue("x"), ConvertError);
    EXPECT_TRUE(IsEmptyIntegerText("-"));
    EXPECT_FALSE(IsEmptyIntegerText("--"));
}

TEST(IntegerText, TrimmingBlanksOnlyOrBlanksAndControls) {
    EXPECT_EQ(Trim(QStringLiteral("\t a b \r\n")), QStringLiteral("a b"));
    EXPECT_EQ(TrimRight(QStringLiteral(" a \t")), QStringLiteral(" a"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("\t a \t")), QStringLiteral("\t a \t"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
}
