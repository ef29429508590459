#include <gtest/gtest.h>

#include "settings/ColourString.h"

using namespace settings;

TEST(ColourString, StrictReadingNeedsExactlyEightHexDigits) {
    EXPECT_EQ(ColourFromStringStrict("00FFFFFF"), 0x00FFFFFFu);
    EXPECT_EQ(ColourFromStringStrict("00003000"), 0x00003000u);
    EXPECT_EQ(ColourFromStringStrict("00ff00ff"), 0x00FF00FFu);
    EXPECT_EQ(ColourFromStringStrict("80000005"), 0x80000005u);
    EXPECT_EQ(ColourFromStringStrict("0FFFFFF"), 0u);    // seven characters
    EXPECT_EQ(ColourFromStringStrict("000FFFFFF"), 0u);  // nine characters
    EXPECT_EQ(ColourFromStringStrict("0000GG00"), 0u);
    EXPECT_EQ(ColourFromStringStrict(" 0FFFFFF"), 0u);
    EXPECT_EQ(ColourFromStringStrict(""), 0u);
}

TEST(ColourString, LenientReadingHasNoLengthTest) {
    EXPECT_EQ(ColourFromStringLenient("FF"), 0xFFu);
    EXPECT_EQ(ColourFromStringLenient("0FFFFFF"), 0x00FFFFFFu);
    EXPECT_EQ(ColourFromStringLenient("00003000"), 0x3000u);
    EXPECT_EQ(ColourFromStringLenient(""), 0u);
    EXPECT_EQ(ColourFromStringLenient("green"), 0u);
    EXPECT_EQ(ColourFromStringLenient("123456789"), 0u);  // more than 32 bits
}

TEST(ColourString, WrittenAsEightUpperCaseDigitsAndReadBack) {
    EXPECT_EQ(ColourToString(0x00FFFFFF), QStringLiteral("00FFFFFF"));
    EXPECT_EQ(ColourToString(0), QStringLiteral("00000000"));
    EXPECT_EQ(ColourToString(0x3000), QStringLiteral("00003000"));
    EXPECT_EQ(ColourToString(0x80000005u), QStringLiteral("80000005"));
    EXPECT_EQ(ColourToString(0x00abcdef), QStringLiteral("00ABCDEF"));
    for (ColourValue c : {0u, 1u, 0x00123456u, 0x1FFFFFFFu, 0xFFFFFFFFu}) {
        EXPECT_EQ(ColourFromStringStrict(ColourToString(c)), c);
    }
    // A dark green: no red, green 0x30, no blue.
    EXPECT_EQ(RedOf(0x3000), 0);
    EXPECT_EQ(GreenOf(0x3000), 0x30);
    EXPECT_EQ(BlueOf(0x3000), 0);
    EXPECT_EQ(BlueOf(0x00FF0000), 0xFF);
}
