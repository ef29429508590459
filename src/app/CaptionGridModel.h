#pragma once

#include <QAbstractTableModel>

#include "settings/CaptionGrid.h"

namespace app {

// Shows the caption list of the settings model in a table view: the grid's header row is the
// view's header and its data rows are the view's rows. Edits go straight into the model.
class CaptionGridModel : public QAbstractTableModel {
  public:
    explicit CaptionGridModel(settings::CaptionGrid& grid, QObject* parent = nullptr);

    // Tells the view that the grid changed as a whole (loading, defaults, recalculation).
    void Reload();

    // The grid's row operations on its current row, announced to the view; each answers the grid
    // row that is current afterwards.
    int AddCaption();
    int DeleteCaption();
    void CutCurrentRow();
    // Pastes rows of cells from the cell at (viewRow, column) on, adding rows as needed; answers the
    // view row of the last row written.
    int Paste(int viewRow, int column, const std::vector<QStringList>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grid row of a view row and back.
    static int GridRow(int viewRow) { return viewRow + 1; }
    static int ViewRow(int gridRow) { return gridRow - 1; }

  private:
    settings::CaptionGrid& grid_;
};

}  // namespace app
