#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QSet>

#include "TestSupport.h"
#include "platform/ScreenFonts.h"
#include "settings/DefaultSettings.h"

using namespace platform;

TEST(ScreenFonts, AFamilyMadeBySeveralFoundriesIsListedOnceByItsFamilyName) {
    // A list as a system with two foundries of C059 and of Nimbus Sans gives it.
    const QStringList system = {"C059 [UKWN]",
                                "C059 [urw]",
                                "DejaVu Sans",
                                "Nimbus Sans [UKWN]",
                                "Nimbus Sans [urw]",
                                "Nimbus Sans Narrow",
                                "Fira [Code] Sans",
                                "Odd]",
                                "[urw]"};
    EXPECT_EQ(FontFamilies(system), (QStringList{"C059", "DejaVu Sans", "Nimbus Sans", "Nimbus Sans Narrow",
                                                 "Fira [Code] Sans", "Odd]", "[urw]"}));
    EXPECT_EQ(FontFamilyName("C059 [urw]"), QStringLiteral("C059"));
    EXPECT_EQ(FontFamilyName("Nimbus Sans Narrow [UKWN]"), QStringLiteral("Nimbus Sans Narrow"));
    EXPECT_EQ(FontFamilyName("DejaVu Sans"), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(FontFamilyName(QString()), QString());
    EXPECT_TRUE(FontFamilies({}).isEmpty());

    // The default font is the first name of the list the font lists show: the family, no tag.
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, FontFamilies(system), "/d/");
    EXPECT_EQ(s.fontList.first(), QStringLiteral("C059"));
    for (const settings::ButtonStyle& b : s.button) {
        EXPECT_EQ(b.fontName, QStringLiteral("C059"));
        EXPECT_EQ(b.fontIndex, 0);
    }

    // The system's own list (the tests' font configuration) comes the same way, each family once.
    const QStringList screen = ScreenFontFamilies();
    EXPECT_EQ(screen, FontFamilies(QFontDatabase::families()));
    EXPECT_TRUE(screen.contains("DejaVu Sans"));
    EXPECT_EQ(screen.size(), QSet<QString>(screen.begin(), screen.end()).size());
}
