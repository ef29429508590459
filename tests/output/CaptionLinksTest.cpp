#include <gtest/gtest.h>

#include "output/CaptionLinks.h"
#include "settings/DefaultSettings.h"

using namespace output;

TEST(CaptionLinks, TheSchemeIsTheTextBeforeAColonThatComesFirstWithoutControlsOrBlanks) {
    EXPECT_EQ(LinkScheme("https://example.com/a:b"), QStringLiteral("https"));
    EXPECT_EQ(LinkScheme("MailTo:someone@example.com"), QStringLiteral("MailTo"));
    EXPECT_EQ(LinkScheme(" \t java\tscr\nipt\x01:alert(1)"), QStringLiteral("javascript"));
    EXPECT_EQ(LinkScheme("java script:x"), QStringLiteral("javascript"));
    EXPECT_EQ(LinkScheme("\u00a0javascript:x"), QStringLiteral("javascript"));
    EXPECT_EQ(LinkScheme("C:\\temp"), QStringLiteral("C"));
    EXPECT_EQ(LinkScheme(":x"), QString(""));
    // A "/", "?" or "#" before the first colon: a path, a query or a fragment, no scheme.
    EXPECT_EQ(LinkScheme("./news:today.htm"), std::nullopt);
    EXPECT_EQ(LinkScheme("/a:b"), std::nullopt);
    EXPECT_EQ(LinkScheme("page.htm?at=10:30"), std::nullopt);
    EXPECT_EQ(LinkScheme("#step:2"), std::nullopt);
    EXPECT_EQ(LinkScheme("about us.htm"), std::nullopt);
    EXPECT_EQ(LinkScheme(""), std::nullopt);

    EXPECT_EQ(LinkSchemeText(" a\tb c\r\n\x7f\u0085d "), QStringLiteral("abcd"));
    EXPECT_FALSE(IsLinkGiven(""));
    EXPECT_FALSE(IsLinkGiven(" \t\r\n "));
    EXPECT_TRUE(IsLinkGiven(" # "));
}

TEST(CaptionLinks, OnlyPathsFragmentsAndHttpHttpsMailtoAndTelLinksAreTaken) {
    for (const char* taken : {"",
                              "   ",
                              "about.htm",
                              "about us.htm",
                              "../up/page.htm",
                              "/",
                              "/shop/?q=a:b",
                              "//example.com/x",
                              "#top",
                              "?page=2",
                              "http://example.com/",
                              "HTTP://EXAMPLE.COM",
                              "https://example.com/a?b=1&c=2",
                              "HtTpS://x",
                              "mailto:someone@example.com",
                              "MAILTO:x@y",
                              "tel:+44-20-7946-0000",
                              "TEL:1",
                              " \thttps://example.com/ ",
                              "ht\ttp://example.com/"}) {
        EXPECT_TRUE(IsTakenLink(QString::fromUtf8(taken))) << taken;
    }
    for (const char* refused : {"javascript:alert(1)",
                                "JAVASCRIPT:alert(1)",
                                "JavaScript:void(0)",
                                "  javascript:alert(1)",
                                "\tjavascript:alert(1)",
                                "java\tscript:alert(1)",
                                "java\nscript:alert(1)",
                                "java\rscript:x",
                                "jav\x01"
                                "ascript:x",
                                "java\x7fscript:x",
                                "java script:x",
                                "\u00a0javascript:x",
                                "data:text/html,<script>alert(1)</script>",
                                "DATA:image/png;base64,AAAA",
                                "vbscript:msgbox(1)",
                                "VBScript:x",
                                "file:///etc/passwd",
                                "FILE:///x",
                                "ftp://example.com/",
                                "news:today",
                                "C:\\temp\\x.htm",
                                ":nothing",
                                "https-x:y",
                                "httpsx:y",
                                "http\u017f:x",
                                "\u0445ttp:x"}) {
        EXPECT_FALSE(IsTakenLink(QString::fromUtf8(refused))) << refused;
    }
}

TEST(CaptionLinks, AWrittenLinkLosesItsControlsAndOuterBlanksAndEncodesWhatAUrlCannotHold) {
    EXPECT_EQ(WrittenLink("about.htm"), QStringLiteral("about.htm"));
    EXPECT_EQ(WrittenLink("  about us.htm \t"), QStringLiteral("about%20us.htm"));
    EXPECT_EQ(WrittenLink("ht\ttp://exa\nmple.com/a b"), QStringLiteral("http://example.com/a%20b"));
    EXPECT_EQ(WrittenLink("mailto:a@b.com?subject=Hi there&body=x"),
              QStringLiteral("mailto:a@b.com?subject=Hi%20there&body=x"));
    // Quotes and angle brackets cannot break out of the attribute; "&" is left for the page to write
    // as "&amp;", and "%", "#", "?", "'" and the rest of ASCII stay as they are.
    EXPECT_EQ(WrittenLink("/a?q=\"<b>\"&c='d'#e%20f"), QStringLiteral("/a?q=%22%3Cb%3E%22&c='d'#e%20f"));
    EXPECT_EQ(WrittenLink("/x^`{|}"), QStringLiteral("/x%5E%60%7B%7C%7D"));
    EXPECT_EQ(WrittenLink("https://b\u00fccher.example/caf\u00e9?\u0416=\U0001F600"),
              QStringLiteral("https://b%C3%BCcher.example/caf%C3%A9?%D0%96=%F0%9F%98%80"));
    EXPECT_EQ(WrittenLink("a\u00a0b"), QStringLiteral("a%C2%A0b"));
    // A backslash is a slash where a browser reads it so, a character of its own elsewhere.
    EXPECT_EQ(WrittenLink("..\\up\\page.htm"), QStringLiteral("../up/page.htm"));
    EXPECT_EQ(WrittenLink("HTTPS:\\\\example.com\\a"), QStringLiteral("HTTPS://example.com/a"));
    EXPECT_EQ(WrittenLink("mailto:a\\b@c.d"), QStringLiteral("mailto:a%5Cb@c.d"));
    EXPECT_EQ(WrittenLink(" \t "), QString());
}

TEST(CaptionLinks, TheFirstSavedRowWithALinkNoPageTakesIsNamedWithItsLink) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/d/");
    using settings::CaptionGrid;
    EXPECT_EQ(LinkRefusal(s), std::nullopt);
    s.captions.SetCell(1, CaptionGrid::kLinkColumn, "https://example.com/");
    s.captions.SetCell(2, CaptionGrid::kCaptionColumn, "  ");  // no button: its link is never written
    s.captions.SetCell(2, CaptionGrid::kLinkColumn, "javascript:ignored()");
    EXPECT_EQ(LinkRefusal(s), std::nullopt);
    s.captions.SetCell(4, CaptionGrid::kLinkColumn, "java\tscript:alert(1)");
    s.captions.SetCell(6, CaptionGrid::kLinkColumn, "data:,x");
    EXPECT_EQ(
        LinkRefusal(s),
        QStringLiteral("The link of caption list row 4 (\"Services\"), \"java\\tscript:alert(1)\", cannot "
                       "be used: a page takes a path relative to it, a path from the site's root "
                       "(\"/\u2026\"), a fragment (\"#\u2026\") and http:, https:, mailto: and tel: "
                       "links. Change it in the Link column of the Caption List page.\r"
                       "No buttons have been saved."));
    s.captions.SetCell(4, CaptionGrid::kLinkColumn, QString());
    EXPECT_TRUE(LinkRefusal(s)->startsWith("The link of caption list row 6 (\"Search\"), \"data:,x\","));
}
