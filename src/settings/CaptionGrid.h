#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The caption list: a header row and one row per button, four text columns each — the caption, the
// type 1 file name, the type 2 file name and the HTML file name. A row whose caption is empty is
// blank and is skipped by everything that reads the list.
namespace settings {

class CaptionGrid {
  public:
    static constexpr int kColumns = 4;
    static constexpr int kCaptionColumn = 0;
    static constexpr int kType1Column = 1;
    static constexpr int kType2Column = 2;
    static constexpr int kHtmlColumn = 3;
    // A grid always has its header row and at least one row under it.
    static constexpr int kMinimumRows = 2;
    // Longest caption and longest file name a cell keeps once a key is pressed in its row.
    static constexpr int kMaxCaptionCell = 250;
    static constexpr int kMaxNameCell = 40;

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
    // Cuts the current row's caption to kMaxCaptionCell characters and its names to kMaxNameCell.
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
    // Writes pasted rows into consecutive rows from `row`, each row's cells into the columns from
    // `column` on; cells past the last column are dropped, rows past the last row are added. Each
    // cell is cut as a key press cuts it. Answers the last row written (`row` - 1 when none).
    int PasteRows(int row, int column, const std::vector<QStringList>& rows);

    bool operator==(const CaptionGrid&) const = default;

  private:
    std::vector<Row> rows_;
    int currentRow_ = 1;
};

}  // namespace settings
