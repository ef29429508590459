#include "app/CaptionGridModel.h"

namespace app {

CaptionGridModel::CaptionGridModel(settings::CaptionGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

void CaptionGridModel::Reload() {
    beginResetModel();
    endResetModel();
}

// While rows are inserted or removed the view moves its current index and reports it, which the
// page copies into the grid's current row. Each operation therefore works on the row that was
// current when it was asked for, and answers the row that is to be current afterwards.
int CaptionGridModel::AddCaption() {
    const int current = grid_.CurrentRow();
    const int viewRow = ViewRow(current + 1);
    beginInsertRows({}, viewRow, viewRow);
    grid_.SetCurrentRow(current);
    grid_.AddCaption();
    const int next = grid_.CurrentRow();
    endInsertRows();
    grid_.SetCurrentRow(next);
    return next;
}

int CaptionGridModel::DeleteCaption() {
    const int current = grid_.CurrentRow();
    if (grid_.RowCount() > settings::CaptionGrid::kMinimumRows) {
        const int viewRow = ViewRow(current);
        beginRemoveRows({}, viewRow, viewRow);
        grid_.SetCurrentRow(current);
        grid_.DeleteCaption();
        const int next = grid_.CurrentRow();
        endRemoveRows();
        grid_.SetCurrentRow(next);
        return next;
    }
    grid_.DeleteCaption();
    emit dataChanged(index(0, 0), index(0, settings::CaptionGrid::kColumns - 1));
    return grid_.CurrentRow();
}

void CaptionGridModel::CutCurrentRow() {
    const settings::CaptionGrid::Row before = grid_.RowAt(grid_.CurrentRow());
    grid_.CutCurrentRow();
    if (grid_.RowAt(grid_.CurrentRow()) != before) {
        const int viewRow = ViewRow(grid_.CurrentRow());
        emit dataChanged(index(viewRow, 0), index(viewRow, settings::CaptionGrid::kColumns - 1));
    }
}

int CaptionGridModel::Paste(int viewRow, int column, const std::vector<QStringList>& rows) {
    // A paste may touch every row and add many: the view takes the grid anew.
    beginResetModel();
    const int last = grid_.PasteRows(GridRow(viewRow), column, rows);
    endResetModel();
    return ViewRow(last);
}

int CaptionGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.RowCount() - 1;
}

int CaptionGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : settings::CaptionGrid::kColumns;
}

QVariant CaptionGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return grid_.Cell(GridRow(index.row()), index.column());
}

bool CaptionGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    const QString text = value.toString();
    if (grid_.Cell(GridRow(index.row()), index.column()) != text) {
        grid_.SetCell(GridRow(index.row()), index.column(), text);
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    }
    return true;
}

QVariant CaptionGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return grid_.Cell(0, section);
    }
    return {};
}

Qt::ItemFlags CaptionGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace app
