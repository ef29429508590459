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

TEST(TextCodec, ATextFileIsReadAsUtf16WithEitherByteOrderMarkAndRefusedWithOtherNuls) {
    const QString expected = QStringLiteral("Caf\u00e9\r\n\u20ac \U0001F600");
    const QByteArray utf16le =
        QByteArray("\xFF\xFE", 2) +
        QByteArray(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2);
    QByteArray utf16be = utf16le;
    for (qsizetype i = 0; i < utf16be.size(); i += 2) {
        std::swap(utf16be[i], utf16be[i + 1]);
    }
    ASSERT_TRUE(utf16be.startsWith("\xFE\xFF"));
    EXPECT_EQ(DecodeTextFile(utf16le), expected);
    EXPECT_EQ(DecodeTextFile(utf16be), expected);
    // UTF-8 with or without its byte order mark, and Windows-1252, as before.
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + expected.toUtf8()), expected);
    EXPECT_EQ(DecodeTextFile(expected.toUtf8()), expected);
    EXPECT_EQ(DecodeTextFile("Caf\xe9"), QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(DecodeTextFile(QByteArray()), QString());
    EXPECT_EQ(DecodeTextFile(QByteArray("\xFF\xFE", 2)), QString());  // the mark alone

    QString problem;
    // UTF-16 without its mark, or any other NUL byte.
    EXPECT_FALSE(DecodeTextFile(utf16le.mid(2), &problem));
    EXPECT_EQ(problem, "it holds NUL bytes but does not start with a UTF-16 byte order mark");
    problem.clear();
    EXPECT_FALSE(DecodeTextFile(QByteArray("Home\0News", 9), &problem));
    EXPECT_EQ(problem, "it holds NUL bytes but does not start with a UTF-16 byte order mark");
    // A UTF-16 file cut in the middle of a character, and a lone surrogate.
    problem.clear();
    EXPECT_FALSE(DecodeTextFile(utf16le.left(utf16le.size() - 1), &problem));
    EXPECT_EQ(problem, "it starts as UTF-16 but is not valid UTF-16");
    EXPECT_FALSE(DecodeTextFile(QByteArray("\xFF\xFE\x3D\xD8H\0", 6)));
    // A NUL character inside UTF-16, and UTF-32 (whose mark begins like UTF-16's).
    problem.clear();
    EXPECT_FALSE(DecodeTextFile(QByteArray("\xFF\xFEH\0\0\0i\0", 8), &problem));
    EXPECT_EQ(problem, "it holds a NUL character");
    EXPECT_FALSE(DecodeTextFile(QByteArray("\xFF\xFE\0\0H\0\0\0", 8)));
}

TEST(TextCodec, ATextFileIsWindows1252WhenItHoldsEveryCharacterAndUtf8WithAMarkOtherwise) {
    // The code page's whole range, its five undefined bytes included, stays single-byte.
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_TRUE(FitsWindows1252(FromWindows1252(all)));
    EXPECT_EQ(ToWindows1252OrUtf8(FromWindows1252(all)), all);
    EXPECT_EQ(ToWindows1252OrUtf8(QString()), QByteArray());
    // One character beyond it makes the whole text UTF-8.
    EXPECT_FALSE(FitsWindows1252(QStringLiteral("Caf\u00e9 \u0416")));
    EXPECT_EQ(ToWindows1252OrUtf8(QStringLiteral("Caf\u00e9 \u0416")), QByteArray("\xEF\xBB\xBF"
                                                                                  "Caf\xC3\xA9 \xD0\x96"));
    EXPECT_EQ(ToWindows1252OrUtf8(QString::fromUcs4(U"\U0001F600")),
              QByteArray("\xEF\xBB\xBF\xF0\x9F\x98\x80"));
}

TEST(TextCodec, LatinLettersTransliterateEveryScriptAndDropTheMarks) {
    EXPECT_EQ(LatinLetters(QStringLiteral("\u00dcber uns")), QStringLiteral("Uber uns"));
    EXPECT_EQ(LatinLetters(QStringLiteral("\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b")),
              QStringLiteral("Kontakty"));
    EXPECT_EQ(LatinLetters(QStringLiteral("\u88fd\u54c1")), QStringLiteral("zhi pin"));
    EXPECT_EQ(LatinLetters(QStringLiteral("\u0645\u0631\u062d\u0628\u0627")), QStringLiteral("mrhba"));
    EXPECT_EQ(LatinLetters(QStringLiteral("Stra\u00dfe \u0152uvre \u2026")),
              QStringLiteral("Strasse OEuvre ..."));
    // Plain ASCII, and what has no Latin form, stay as they are.
    EXPECT_EQ(LatinLetters(QStringLiteral("Home & Co. 2026 $")), QStringLiteral("Home & Co. 2026 $"));
    EXPECT_EQ(LatinLetters(QString::fromUcs4(U"\u20ac\U0001F600")), QString::fromUcs4(U"\u20ac\U0001F600"));
    EXPECT_EQ(LatinLetters(QString()), QString());
}
