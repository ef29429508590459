#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The caption list: a header row and one row per button, five text columns each — the caption, the
// type 1 file name, the type 2 file name, the HTML file name and the link. A row whose caption is
// empty is blank and is skipped by everything that reads the list. A row's link, when it is given, is
// where its button leads on the pages instead of its own page.
namespace settings {

class CaptionGrid {
  public:
    static constexpr int kColumns = 5;
    static constexpr int kCaptionColumn = 0;
    static constexpr int kType1Column = 1;
    static constexpr int kType2Column = 2;
    static constexpr int kHtmlColumn = 3;
    static constexpr int kLinkColumn = 4;
    // A grid always has its header row and at least one row under it.
    static constexpr int kMinimumRows = 2;
    // Longest caption and longest file name a cell keeps once a key is pressed in its row.
    static constexpr int kMaxCaptionCell = 250;
    static constexpr int kMaxNameCell = 40;
    // A link is cut only where no page could use it any more.
    static constexpr int kMaxLinkCell = 2048;
    // The longest text a cell of the column keeps.
    static int CellLimit(int column);

    using Row = std::array<QString, kColumns>;

    CaptionGrid() : rows_(kMinimumRows) {}

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Grows with empty rows or cuts rows off the end; never below kMinimumRows.
    void SetRowCount(int count);

    // Cells outside the grid read as empty; writes outside it are ignored.
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    const Row& RowAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    int CurrentRow() const { return currentRow_; }
    void SetCurrentRow(int row);

    // Inserts an empty row directly below the current row and makes it current.
    void AddCaption();
    // Removes the current row; the last remaining data row is emptied instead of removed.
    void DeleteCaption();
    // Cuts each cell of the current row to its column's CellLimit.
    void CutCurrentRow();
    bool CurrentRowIsLast() const { return currentRow_ == RowCount() - 1; }

    // Whether a data row is saved as buttons (and gets a button on the pages): its caption holds
    // more than blanks. (Naming the files takes every row whose caption is not the empty string.)
    bool IsSavedRow(int row) const;
    // The rows saved, in order.
    QList<int> SavedRows() const;
    // Whether any row is saved.
    bool HasSavedRows() const;

    // Pasted text as rows of cells: one row a line (CR LF, LF or CR), its cells split at tabs.
    // Blank lines (nothing but white space) are skipped.
    static std::vector<QStringList> PastedRows(const QString& text);
    // The columns a pasted line of `cells` cells fills when the paste starts at `column`: from the
    // caption column a line of exactly two cells is a caption and its link, as in a captions file;
    // otherwise the cells fill the columns from `column` on, in their order, those past the last
    // column dropped.
    static QList<int> PastedColumns(int column, qsizetype cells);
    // Writes pasted rows into consecutive rows from `row`, each row's cells into the columns that
    // PastedColumns gives; rows past the last row are added. Each cell is cut as a key press cuts it.
    // Answers the last row written (`row` - 1 when none).
    int PasteRows(int row, int column, const std::vector<QStringList>& rows);

    bool operator==(const CaptionGrid&) const = default;

  private:
    std::vector<Row> rows_;
    int currentRow_ = 1;
};

}  // namespace settings
