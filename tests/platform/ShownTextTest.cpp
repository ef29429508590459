#include <gtest/gtest.h>

#include "platform/IntegerText.h"
#include "platform/ShownText.h"

using platform::EscapeControls;
using platform::ShownValue;

TEST(ShownText, ControlCharactersAreEscapesAndLongValuesAreCutAtAWholeCharacter) {
    EXPECT_EQ(EscapeControls(QString::fromUtf8("a\x1b[31mb\x07\t\r\n")),
              QStringLiteral("a\\x1b[31mb\\x07\\t\\r\\n"));
    EXPECT_EQ(
        EscapeControls(QString(QChar(0)) + QChar(0x7F) + QChar(0x85) + QChar(0x9F) + QChar(0xA0) + "\\"),
        QStringLiteral("\\0\\x7f\\x85\\x9f\u00a0\\"));
    EXPECT_EQ(EscapeControls(QStringLiteral("Caf\u00e9 \u0416 \U0001F600")),
              QStringLiteral("Caf\u00e9 \u0416 \U0001F600"));

    // Up to 60 characters a value is shown whole; from 61 on it is cut to 59 and the ellipsis.
    const QString sixty(60, QLatin1Char('x'));
    EXPECT_EQ(ShownValue(sixty), sixty);
    EXPECT_EQ(ShownValue(sixty + "y"), QString(59, QLatin1Char('x')) + QChar(0x2026));
    // Escapes count with their shown length and are never cut in two; neither is a surrogate pair.
    EXPECT_EQ(ShownValue(QString(56, QLatin1Char('x')) + "\x1b" + "tail"),
              QString(56, QLatin1Char('x')) + QChar(0x2026));
    EXPECT_EQ(ShownValue(QString(55, QLatin1Char('x')) + "\x1b" + "tail"),
              QString(55, QLatin1Char('x')) + "\\x1b" + QChar(0x2026));
    EXPECT_EQ(ShownValue(QString(58, QLatin1Char('x')) + QStringLiteral("\U0001F600") + "tail"),
              QString(58, QLatin1Char('x')) + QChar(0x2026));
    EXPECT_EQ(ShownValue(QString()), QString());

    // The integer conversion's message quotes its text so.
    try {
        platform::ParseInteger(QString("\x1b[2J") + QString(100, QLatin1Char('9')) + "x");
        FAIL();
    } catch (const platform::ConvertError& e) {
        EXPECT_EQ(QString::fromStdString(e.what()), "'\\x1b[2J" + QString(52, QLatin1Char('9')) +
                                                        QChar(0x2026) + "' is not a valid integer value");
    }
}
