#include "desktop/GridModel.h"

#include "desktop/QtConvert.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

namespace desktop {

GridModel::GridModel(forms::FlexGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    readShape();
}

void GridModel::readShape() {
    fixedRows_ = grid_.FixedRows;
    fixedCols_ = grid_.FixedCols;
    header_ = fixedRows_ > 0 ? 1 : 0;
    rows_ = std::max(grid_.Rows() - header_, 0);
    cols_ = grid_.Cols();
    revision_ = grid_.revision();
}

bool GridModel::refresh() {
    if (grid_.revision() == revision_) return false;
    int header = grid_.FixedRows > 0 ? 1 : 0;
    if (std::max(grid_.Rows() - header, 0) != rows_ || grid_.Cols() != cols_ || header != header_ ||
        grid_.FixedRows != fixedRows_ || grid_.FixedCols != fixedCols_) {
        beginResetModel();
        readShape();
        endResetModel();
        return true;
    }
    revision_ = grid_.revision();
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    return false;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

bool GridModel::inGrid(int gridRow, int col) const {
    return gridRow >= 0 && gridRow < grid_.Rows() && col >= 0 && col < grid_.Cols();
}

namespace {
Qt::Alignment alignmentOf(int a) {
    // The grid's codes: 0-2 left, 3-5 centre, 6-8 right; top, centre, bottom within each.
    if (a < 0 || a > 8) a = forms::flexAlignLeftCenter;
    Qt::Alignment h = a < 3 ? Qt::AlignLeft : (a < 6 ? Qt::AlignHCenter : Qt::AlignRight);
    int v = a % 3;
    return h | (v == 0 ? Qt::AlignTop : (v == 1 ? Qt::AlignVCenter : Qt::AlignBottom));
}
} // namespace

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    int r = gridRow(index.row()), c = index.column();
    if (!inGrid(r, c)) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const std::string_view t = grid_.cellText(r, c);
        if (role == Qt::ToolTipRole && t.empty()) return {};
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    }
    case Qt::ForegroundRole: {
        forms::Colour col = grid_.cellForeColor(r, c);
        QColor q = col ? toQColor(col) : QColor();
        return q.isValid() ? QVariant(q) : QVariant();
    }
    case Qt::FontRole:
        if (grid_.cellFontBold(r, c)) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::BackgroundRole:
        if (r < grid_.FixedRows || c < grid_.FixedCols) return QApplication::palette().button();
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(grid_.ColAlignment(c)));
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole) return section + header_;
        return {};
    }
    if (!header_ || !inGrid(0, section)) return {};
    switch (role) {
    case Qt::DisplayRole:
        return qs(grid_.TextMatrix(0, section));
    case Qt::FontRole:
        if (grid_.cellFontBold(0, section)) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole: {
        forms::Colour col = grid_.cellForeColor(0, section);
        QColor q = col ? toQColor(col) : QColor();
        return q.isValid() ? QVariant(q) : QVariant();
    }
    default:
        return {};
    }
}

} // namespace desktop
