#include <gtest/gtest.h>

#include <QStringList>

#include "settings/CaptionGrid.h"

using settings::CaptionGrid;

namespace {

CaptionGrid WithCaptions(const QStringList& captions) {
    CaptionGrid g;
    g.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 0; r < captions.size(); ++r) {
        g.SetCell(r + 1, 0, captions[r]);
        g.SetCell(r + 1, 1, captions[r] + ".gif");
    }
    return g;
}

QStringList Captions(const CaptionGrid& g) {
    QStringList out;
    for (int r = 1; r < g.RowCount(); ++r) {
        out.append(g.Cell(r, 0));
    }
    return out;
}

}  // namespace

TEST(CaptionGrid, AddInsertsAnEmptyRowBelowTheCurrentOne) {
    CaptionGrid g = WithCaptions({"a", "b", "c"});
    g.SetCurrentRow(1);
    g.AddCaption();
    EXPECT_EQ(Captions(g), (QStringList{"a", "", "b", "c"}));
    EXPECT_EQ(g.CurrentRow(), 2);
    EXPECT_EQ(g.Cell(3, 1), QStringLiteral("b.gif"));  // whole rows move
    g.SetCurrentRow(4);
    g.AddCaption();
    EXPECT_EQ(Captions(g), (QStringList{"a", "", "b", "c", ""}));
    EXPECT_TRUE(g.CurrentRowIsLast());
}

TEST(CaptionGrid, DeleteRemovesTheCurrentRowButNeverTheLast) {
    CaptionGrid g = WithCaptions({"a", "b", "c"});
    g.SetCurrentRow(2);
    g.DeleteCaption();
    EXPECT_EQ(Captions(g), (QStringList{"a", "c"}));
    EXPECT_EQ(g.Cell(2, 1), QStringLiteral("c.gif"));
    g.SetCurrentRow(2);
    g.DeleteCaption();  // the last row: the current row moves up
    EXPECT_EQ(Captions(g), (QStringList{"a"}));
    EXPECT_EQ(g.CurrentRow(), 1);
    g.DeleteCaption();  // only one data row: emptied, kept
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.RowAt(1), (CaptionGrid::Row{"", "", "", ""}));
}

TEST(CaptionGrid, KeysCutTheCurrentRowTo250And40Characters) {
    CaptionGrid g = WithCaptions({"a", "b"});
    g.SetCell(1, 0, QString(300, 'c'));
    g.SetCell(1, 3, QString(41, 'h'));
    g.SetCell(2, 0, QString(251, 'x'));
    g.SetCurrentRow(1);
    g.CutCurrentRow();
    EXPECT_EQ(g.Cell(1, 0), QString(250, 'c'));
    EXPECT_EQ(g.Cell(1, 3), QString(40, 'h'));
    EXPECT_EQ(g.Cell(2, 0).size(), 251);  // other rows wait for a key in their row
    EXPECT_EQ(g.Cell(9, 0), QString());
    g.SetCell(9, 0, "ignored");
    EXPECT_EQ(g.RowCount(), 3);
    g.SetRowCount(0);
    EXPECT_EQ(g.RowCount(), CaptionGrid::kMinimumRows);
}
