#include "settings/CaptionGrid.h"

#include <algorithm>

#include "platform/IntegerText.h"

namespace settings {

bool CaptionGrid::IsSavedRow(int row) const {
    return row >= 1 && row < RowCount() && !platform::Trim(Cell(row, kCaptionColumn)).isEmpty();
}

QList<int> CaptionGrid::SavedRows() const {
    QList<int> rows;
    for (int r = 1; r < RowCount(); ++r) {
        if (IsSavedRow(r)) {
            rows.append(r);
        }
    }
    return rows;
}

bool CaptionGrid::HasSavedRows() const {
    for (int r = 1; r < RowCount(); ++r) {
        if (IsSavedRow(r)) {
            return true;
        }
    }
    return false;
}

void CaptionGrid::SetRowCount(int count) {
    rows_.resize(static_cast<std::size_t>(std::max(count, kMinimumRows)));
    currentRow_ = std::clamp(currentRow_, 1, RowCount() - 1);
}

QString CaptionGrid::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= kColumns) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CaptionGrid::SetCell(int row, int column, const QString& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= kColumns) {
        return;
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

void CaptionGrid::SetCurrentRow(int row) {
    currentRow_ = std::clamp(row, 1, RowCount() - 1);
}

void CaptionGrid::AddCaption() {
    rows_.insert(rows_.begin() + currentRow_ + 1, Row{});
    ++currentRow_;
}

void CaptionGrid::DeleteCaption() {
    if (RowCount() > kMinimumRows) {
        rows_.erase(rows_.begin() + currentRow_);
        currentRow_ = std::min(currentRow_, RowCount() - 1);
    } else {
        rows_[1] = Row{};
    }
}

int CaptionGrid::CellLimit(int column) {
    switch (column) {
        case kCaptionColumn:
            return kMaxCaptionCell;
        case kLinkColumn:
            return kMaxLinkCell;
        default:
            return kMaxNameCell;
    }
}

void CaptionGrid::CutCurrentRow() {
    Row& row = rows_[static_cast<std::size_t>(currentRow_)];
    for (std::size_t c = 0; c < kColumns; ++c) {
        row[c].truncate(CellLimit(static_cast<int>(c)));
    }
}

std::vector<QStringList> CaptionGrid::PastedRows(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::vector<QStringList> rows;
    for (const QString& line : lines.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            rows.push_back(line.split(QLatin1Char('\t')));
        }
    }
    return rows;
}

QList<int> CaptionGrid::PastedColumns(int column, qsizetype cells) {
    if (column == kCaptionColumn && cells == 2) {
        return {kCaptionColumn, kLinkColumn};
    }
    QList<int> columns;
    for (int c = column; c >= 0 && c < kColumns && c - column < cells; ++c) {
        columns.append(c);
    }
    return columns;
}

int CaptionGrid::PasteRows(int row, int column, const std::vector<QStringList>& rows) {
    if (row < 1 || column < 0 || column >= kColumns || rows.empty()) {
        return row - 1;
    }
    const int last = row + static_cast<int>(rows.size()) - 1;
    if (last >= RowCount()) {
        SetRowCount(last + 1);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList& cells = rows[i];
        const QList<int> columns = PastedColumns(column, cells.size());
        for (qsizetype k = 0; k < columns.size(); ++k) {
            SetCell(row + static_cast<int>(i), columns[k], cells[k].left(CellLimit(columns[k])));
        }
    }
    return last;
}

}  // namespace settings
