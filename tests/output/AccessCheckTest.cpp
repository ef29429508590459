#include <gtest/gtest.h>

#include "output/AccessCheck.h"
#include "output/StatusReport.h"
#include "settings/DefaultSettings.h"

using namespace output;

namespace {

AccessFigure Figure(double contrast, double needs, QSize size = QSize(80, 30)) {
    AccessFigure f;
    f.hasText = true;
    f.contrast = contrast;
    f.needs = needs;
    f.contrastMet = contrast >= needs;
    f.size = size;
    f.sizeMet = size.width() >= 24 && size.height() >= 24;
    return f;
}

AccessRecord Record(const QString& caption, int type, const QString& name, const AccessFigure& f,
                    bool pressed = false) {
    return AccessRecord{caption, type, pressed, name, f};
}

}  // namespace

TEST(AccessCheck, FiguresWithTwoDecimalsAndWhatTheRuleNeeds) {
    EXPECT_EQ(ContrastText(Figure(7.1, 4.5)), "contrast 7.10:1");
    EXPECT_EQ(ContrastText(Figure(3.214, 4.5)), "contrast 3.21:1, needs 4.5:1");
    EXPECT_EQ(ContrastText(Figure(2.96, 3.0)), "contrast 2.96:1, needs 3:1");
    EXPECT_EQ(ContrastText(Figure(21.0, 3.0)), "contrast 21.00:1");
    // A figure just short is never shown as the figure it needs; one just over rounds as usual.
    EXPECT_EQ(RatioText(4.4961, 4.5), "4.49:1");
    EXPECT_EQ(RatioText(2.9953, 3.0), "2.99:1");
    EXPECT_EQ(RatioText(4.478, 4.5), "4.48:1");
    EXPECT_EQ(RatioText(4.5, 4.5), "4.50:1");
    EXPECT_EQ(RatioText(4.546, 4.5), "4.55:1");
    // No text: nothing to say of its contrast.
    AccessFigure blank = Figure(0, 4.5);
    blank.hasText = false;
    blank.contrastMet = true;
    EXPECT_EQ(ContrastText(blank), "");
    // The target size: each side at least 24.
    EXPECT_EQ(SizeShortText(Figure(7.1, 4.5, QSize(20, 20))), "20 x 20 pixels, needs 24 x 24");
    EXPECT_EQ(SizeShortText(Figure(7.1, 4.5, QSize(24, 24))), "");
    EXPECT_EQ(ShortfallText(Figure(3.21, 4.5, QSize(90, 23))),
              "contrast 3.21:1, needs 4.5:1; 90 x 23 pixels, needs 24 x 24");
    EXPECT_EQ(ShortfallText(Figure(3.21, 3.0, QSize(23, 90))), "23 x 90 pixels, needs 24 x 24");
}

TEST(AccessCheck, ThePreviewLabelsAndTheStatusBar) {
    EXPECT_EQ(PreviewLabelText("Button type 1 Preview", Figure(3.21, 4.5)),
              QStringLiteral("Button type 1 Preview \u2014 contrast 3.21:1, needs 4.5:1"));
    EXPECT_EQ(PreviewLabelText("Button type 2 Preview", Figure(7.1, 4.5)),
              QStringLiteral("Button type 2 Preview \u2014 contrast 7.10:1"));
    EXPECT_EQ(
        PreviewLabelText("Button type 1 Preview", Figure(7.1, 4.5, QSize(20, 20))),
        QStringLiteral("Button type 1 Preview \u2014 contrast 7.10:1 \u2014 20 x 20 pixels, needs 24 x 24"));
    AccessFigure blank = Figure(0, 4.5, QSize(20, 20));
    blank.hasText = false;
    blank.contrastMet = true;
    EXPECT_EQ(PreviewLabelText("Button type 1 Preview", blank),
              QStringLiteral("Button type 1 Preview \u2014 20 x 20 pixels, needs 24 x 24"));
    EXPECT_EQ(AccessStatusText(3, 14), "; 3 of 14 images fall short of contrast or size");
    EXPECT_EQ(AccessStatusText(1, 14), "; 1 of 14 images falls short of contrast or size");
    EXPECT_EQ(AccessStatusText(0, 14), "; all 14 images meet contrast and size");
    EXPECT_EQ(AccessStatusText(0, 1), "; all 1 image meet contrast and size");
}

TEST(AccessCheck, TheReportSectionListsTheImagesThatFallShortAndSumsUp) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/data/");
    SavedButtonInfo home;
    home.caption = Pad30("Home");
    home.button1Name = Pad30("u_home.png");
    home.button1Size = 512;
    home.button2Name = Pad30("d_home.png");
    home.button2Size = 1024;
    const QList<SavedButtonInfo> buttons{home};
    const QList<AccessRecord> records{
        Record("Home", settings::kType1, "u_home.png", Figure(4.478, 4.5)),
        Record("Home", settings::kType2, "d_home.png", Figure(7.1, 4.5)),
        Record("Home", settings::kType2, "p_home.png", Figure(7.1, 4.5, QSize(20, 20)), true),
    };
    // Without the choice the report is as it always was, whatever the batch measured.
    const QStringList plain = ReportLines(buttons, {}, false, s, "1/2/26 10:00:00");
    EXPECT_EQ(ReportLines(buttons, {}, false, s, "1/2/26 10:00:00", records), plain);
    EXPECT_FALSE(plain.join('\n').contains("Accessibility"));

    s.checkAccess = true;
    const QStringList lines = ReportLines(buttons, {}, false, s, "1/2/26 10:00:00", records);
    ASSERT_EQ(lines.size(), plain.size() + 6);
    EXPECT_EQ(lines.mid(0, plain.size()), plain);
    EXPECT_EQ(lines.mid(plain.size()),
              (QStringList{"", "Accessibility (WCAG 2.2 AA)", "---------------------------",
                           "Home (type 1, u_home.png): contrast 4.48:1, needs 4.5:1",
                           "Home (type 2 pressed, p_home.png): 20 x 20 pixels, needs 24 x 24",
                           "2 of 3 images fall short."}));
    // Every image meets the rules: the summary alone.
    const QList<AccessRecord> good{records[1], records[1]};
    EXPECT_EQ(ReportLines(buttons, {}, false, s, "d", good).last(),
              "All 2 images meet contrast 4.5:1 (3:1 for large text) and size 24 x 24.");
    EXPECT_EQ(AccessSummary(1, 14), "1 of 14 images falls short.");
    EXPECT_EQ(AccessSummary(3, 14), "3 of 14 images fall short.");
    EXPECT_EQ(AccessSummary(0, 14),
              "All 14 images meet contrast 4.5:1 (3:1 for large text) and size 24 x 24.");
    // No buttons saved: no section.
    EXPECT_FALSE(ReportLines({}, {}, false, s, "d", records).join('\n').contains("Accessibility"));
}
