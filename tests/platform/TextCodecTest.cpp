#include <gtest/gtest.h>

#include "platform/TextCodec.h"

using namespace platform;

TEST(TextCodec, Windows1252EncodesTheCodePageAndReplacesTheRest) {
    EXPECT_EQ(ToWindows1252(QStringLiteral("Caf\u00e9 \u20ac5 \u2019")), QByteArray("Caf\xe9 \x80"
                                                                                    "5 \x92"));
    // A character outside the code page, even one of two UTF-16 units, becomes a single '?'.
    EXPECT_EQ(ToWindows1252(QStringLiteral("a\u4e2db")), QByteArray("a?b"));
    EXPECT_EQ(ToWindows1252(QString::fromUcs4(U"x\U0001F600y")), QByteArray("x?y"));
    EXPECT_EQ(FromWindows1252(QByteArray("\x80\x9f\xff")), QStringLiteral("\u20ac\u0178\u00ff"));
}

TEST(TextCodec, EveryByteSurvivesDecodingAndEncoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = FromWindows1252(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(ToWindows1252(text), all);
}

TEST(TextCodec, SettingsTextIsUtf8WithWindows1252Fallback) {
    EXPECT_EQ(DecodeUtf8OrWindows1252(QByteArray("Gr\xc3\xbc\xc3\x9f"
                                                 "e")),
              QStringLiteral("Gr\u00fc\u00dfe"));
    // Not valid UTF-8: read byte for byte as Windows-1252.
    EXPECT_EQ(DecodeUtf8OrWindows1252(QByteArray("\xe9t\xe9 \x80")), QStringLiteral("\u00e9t\u00e9 \u20ac"));
    EXPECT_EQ(ToUtf8(QStringLiteral("\u00e9")), QByteArray("\xc3\xa9"));
}

TEST(TextCodec, LinesSplitAtEveryLineEndAndJoinWithCrLf) {
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\nc\rd\r\n")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(QStringLiteral("\r\n\r\nlast")), (QStringList{"", "", "last"}));
    EXPECT_TRUE(SplitLines(QString()).isEmpty());
    EXPECT_EQ(JoinCrLfLines({"one", "", "two"}), QStringLiteral("one\r\n\r\ntwo\r\n"));
    EXPECT_EQ(SplitLines(JoinCrLfLines({"x,1", "y"})), (QStringList{"x,1", "y"}));
}
