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
    g.SetCell(1, 4, QString(2049, 'l'));
    g.SetCell(2, 0, QString(251, 'x'));
    g.SetCell(2, 4, QString(2048, 'l'));
    g.SetCurrentRow(1);
    g.CutCurrentRow();
    EXPECT_EQ(g.Cell(1, 0), QString(250, 'c'));
    EXPECT_EQ(g.Cell(1, 3), QString(40, 'h'));
    EXPECT_EQ(g.Cell(1, 4), QString(2048, 'l'));  // a link is no file name: it keeps 2048
    g.SetCurrentRow(2);
    g.CutCurrentRow();
    EXPECT_EQ(g.Cell(2, 0), QString(250, 'x'));
    EXPECT_EQ(g.Cell(2, 4), QString(2048, 'l'));
    g.SetCell(2, 0, QString(251, 'x'));
    EXPECT_EQ(g.Cell(2, 0).size(), 251);  // other rows wait for a key in their row
    EXPECT_EQ(g.Cell(9, 0), QString());
    g.SetCell(9, 0, "ignored");
    EXPECT_EQ(g.RowCount(), 3);
    g.SetRowCount(0);
    EXPECT_EQ(g.RowCount(), CaptionGrid::kMinimumRows);
}

TEST(CaptionGrid, PastedTextBecomesRowsOfCellsWithoutItsBlankLines) {
    const std::vector<QStringList> rows =
        CaptionGrid::PastedRows(QStringLiteral("Home\r\n\r\n \t \nÜber uns\rFAQ?\tfaq.gif\n\tx.gif\n"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], QStringList{"Home"});
    EXPECT_EQ(rows[1], QStringList{QStringLiteral("Über uns")});
    EXPECT_EQ(rows[2], (QStringList{"FAQ?", "faq.gif"}));
    EXPECT_EQ(rows[3], (QStringList{"", "x.gif"}));  // a line of a name alone keeps its column
    EXPECT_TRUE(CaptionGrid::PastedRows(QStringLiteral("\r\n  \n")).empty());
    EXPECT_EQ(CaptionGrid::PastedRows(QStringLiteral(" Home ")), std::vector<QStringList>{{" Home "}});
}

TEST(CaptionGrid, PasteFillsConsecutiveRowsAndAddsTheRowsItNeeds) {
    CaptionGrid g = WithCaptions({"a", "b", "c"});
    // From row 2, column 0: rows 2 and 3 are written over, rows 4 and 5 are added.
    const int last = g.PasteRows(2, 0, {{"B"}, {"C", "c.gif", "d_c.gif"}, {"D"}, {QString(260, 'e')}});
    EXPECT_EQ(last, 5);
    EXPECT_EQ(Captions(g), (QStringList{"a", "B", "C", "D", QString(250, 'e')}));
    EXPECT_EQ(g.Cell(1, 1), QStringLiteral("a.gif"));
    EXPECT_EQ(g.Cell(2, 1), QStringLiteral("b.gif"));  // a caption alone leaves the names
    EXPECT_EQ(g.RowAt(3), (CaptionGrid::Row{"C", "c.gif", "d_c.gif", "", ""}));
    EXPECT_EQ(g.Cell(4, 1), QString());

    // From column 2 the cells fill columns 2 to 4; a fourth is dropped; names are cut to 40, links
    // are not.
    EXPECT_EQ(g.PasteRows(1, 2, {{"d_a.gif", QString(45, 'h'), QString(45, 'l'), "dropped"}}), 1);
    EXPECT_EQ(g.RowAt(1), (CaptionGrid::Row{"a", "a.gif", "d_a.gif", QString(40, 'h'), QString(45, 'l')}));
    EXPECT_EQ(g.RowCount(), 6);

    // Nothing to paste, or no place to paste it, changes nothing.
    const CaptionGrid before = g;
    EXPECT_EQ(g.PasteRows(3, 0, {}), 2);
    EXPECT_EQ(g.PasteRows(0, 0, {{"header"}}), -1);
    EXPECT_EQ(g.PasteRows(1, CaptionGrid::kColumns, {{"x"}}), 0);
    EXPECT_EQ(g.PasteRows(1, -1, {{"x"}}), 0);
    EXPECT_EQ(g, before);
}

TEST(CaptionGrid, APastedCaptionAndLinkFillTheLinkColumnAndMoreCellsFillTheColumnsInOrder) {
    // From the caption column a line of exactly two cells is a caption and its link, as a captions
    // file has them; one cell is a caption alone, three or more fill the columns in their order.
    EXPECT_EQ(CaptionGrid::PastedColumns(0, 1), (QList<int>{0}));
    EXPECT_EQ(CaptionGrid::PastedColumns(0, 2), (QList<int>{0, 4}));
    EXPECT_EQ(CaptionGrid::PastedColumns(0, 3), (QList<int>{0, 1, 2}));
    EXPECT_EQ(CaptionGrid::PastedColumns(0, 5), (QList<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(CaptionGrid::PastedColumns(0, 6), (QList<int>{0, 1, 2, 3, 4}));
    // From any other column the cells fill the columns from there, two cells included.
    EXPECT_EQ(CaptionGrid::PastedColumns(1, 2), (QList<int>{1, 2}));
    EXPECT_EQ(CaptionGrid::PastedColumns(3, 2), (QList<int>{3, 4}));
    EXPECT_EQ(CaptionGrid::PastedColumns(4, 2), (QList<int>{4}));
    EXPECT_TRUE(CaptionGrid::PastedColumns(5, 1).isEmpty());
    EXPECT_TRUE(CaptionGrid::PastedColumns(-1, 2).isEmpty());

    CaptionGrid g = WithCaptions({"a", "b"});
    const std::vector<QStringList> rows = CaptionGrid::PastedRows(QStringLiteral(
        "Home\t/index.htm\r\nShop\tu_shop.gif\td_shop.gif\tshop.htm\thttps://shop.example.com/\nFAQ\t\n"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(g.PasteRows(1, 0, rows), 3);
    // The names of a row given a caption and its link stay as they were.
    EXPECT_EQ(g.RowAt(1), (CaptionGrid::Row{"Home", "a.gif", "", "", "/index.htm"}));
    EXPECT_EQ(g.RowAt(2), (CaptionGrid::Row{"Shop", "u_shop.gif", "d_shop.gif", "shop.htm",
                                            "https://shop.example.com/"}));
    // "FAQ" and an empty second cell: a caption with an empty link.
    EXPECT_EQ(g.RowAt(3), (CaptionGrid::Row{"FAQ", "", "", "", ""}));
    // A link pasted alone into the Link column, cut at 2048 characters.
    EXPECT_EQ(g.PasteRows(1, CaptionGrid::kLinkColumn, {{QString(2100, 'l')}}), 1);
    EXPECT_EQ(g.Cell(1, CaptionGrid::kLinkColumn), QString(2048, 'l'));
    EXPECT_EQ(g.Cell(1, CaptionGrid::kCaptionColumn), QStringLiteral("Home"));
}
