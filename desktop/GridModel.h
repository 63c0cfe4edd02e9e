#pragma once
// A Qt table model reading a grid model on demand: row 0 (the fixed heading row) is the
// horizontal header, the other rows are the table's rows. Nothing is copied, so a grid of
// 100,000 rows costs the view only the cells it paints.
#include "forms/FlexGrid.h"

#include <QAbstractTableModel>
#include <cstdint>

namespace desktop {

class GridModel : public QAbstractTableModel {
  public:
    explicit GridModel(forms::FlexGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Catches up with the grid after a change: a reset when its shape changed, otherwise one
    // dataChanged for the whole table (the view repaints what it shows). True when it reset.
    bool refresh();

    // Grid rows and table rows: the heading row is not a table row.
    int headerRows() const { return header_; }
    int gridRow(int tableRow) const { return tableRow + header_; }
    int tableRow(int gridRow) const { return gridRow - header_; }

    forms::FlexGrid& grid() const { return grid_; }

  private:
    void readShape();
    bool inGrid(int gridRow, int col) const;

    forms::FlexGrid& grid_;
    int rows_ = 0, cols_ = 0, header_ = 1, fixedRows_ = 1, fixedCols_ = 0;
    uint64_t revision_ = 0;
};

} // namespace desktop
