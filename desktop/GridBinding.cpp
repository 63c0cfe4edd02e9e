#include "desktop/BindingKinds.h"
#include "desktop/GridModel.h"
#include "desktop/QtConvert.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <functional>

namespace desktop {

namespace {

// Home and End go to the first and last row of the list, as the grid's users expect, not to
// the ends of the current row.
class GridView : public QTableView {
  public:
    using QTableView::QTableView;

    // A screen reader takes the current cell for the focus, so the view has one only while it
    // has the focus; the binding puts the model's back first (the view would take the first).
    std::function<void()> restoreCurrent;

    // Where the keys act: the current cell's frame, while the grid has the focus.
    QRect focusFrame() const {
        if (!hasFocus() || !currentIndex().isValid()) return {};
        return visualRect(currentIndex()).adjusted(1, 1, -2, -2);
    }

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
        return QTableView::moveCursor(action, modifiers);
    }

    // The style draws its focus frame in the selection's own colour, unseen on a selected row.
    void paintEvent(QPaintEvent* event) override {
        QTableView::paintEvent(event);
        const QRect frame = focusFrame();
        if (!frame.isValid()) return;
        QPainter painter(viewport());
        const bool selected = selectionModel()->isSelected(currentIndex());
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawRect(frame);
    }

    void focusInEvent(QFocusEvent* event) override {
        if (restoreCurrent) restoreCurrent();
        QTableView::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QTableView::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) {
            SyncScope quiet;
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        viewport()->update();
    }
};

// The grid as a table view over a lazy model. The current cell and the selection are mirrored
// both ways; scrolling sets TopRow.
class GridBinding : public Binding {
  public:
    GridBinding(forms::FlexGrid& g, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool mouse(QObject* target, QMouseEvent* e) override;
    QWidget* mouseTarget() const override { return view_->viewport(); }
    // Typed characters are the model's (KeyPress); the view would search its rows with them.
    bool modelTypes(int ascii) const override { return ascii >= 32; }

  private:
    void pullWidths();
    void pullSelectionColours();
    void pullSelection(bool force);
    void showCurrent();
    void userMovedCurrent(const QModelIndex& current);
    void userExtended(const QModelIndex& to);
    void userScrolled(int value);
    void scrollToRow(int tableRow, int col);
    int shownColumn(int col) const;

    forms::FlexGrid& grid_;
    QTableView* view_;
    GridModel* model_;
    uint64_t revision_ = 0;
    forms::Colour foreSel_ = 0, backSel_ = 0;
    int viewportWidth_ = -1;
    int row_ = -1, col_ = -1, rowSel_ = -1, colSel_ = -1, topRow_ = -1;
};

GridBinding::GridBinding(forms::FlexGrid& g, QWidget* parent, Dispatcher& d)
    : Binding(g, new GridView(parent), d), grid_(g), view_(static_cast<QTableView*>(widget())),
      model_(new GridModel(g, view_)) {
    view_->setModel(model_);
    static_cast<GridView*>(view_)->restoreCurrent = [this] { showCurrent(); };
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setTabKeyNavigation(false);
    view_->setWordWrap(false);
    view_->setCornerButtonEnabled(false);
    // Scrolling by whole rows makes the scroll bar's value the top row.
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* vh = view_->verticalHeader();
    vh->setSectionResizeMode(QHeaderView::Fixed);
    vh->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    vh->hide();
    QHeaderView* hh = view_->horizontalHeader();
    hh->setSectionResizeMode(QHeaderView::Interactive);
    hh->setHighlightSections(false);
    hh->setSectionsClickable(false);
    hh->setStretchLastSection(false);
    if (g.MouseMove) view_->viewport()->setMouseTracking(true);
    // The view only shows the model's selection: the model moves the current cell and extends
    // the selection (Shift, dragging) itself.
    view_->setSelectionMode(QAbstractItemView::NoSelection);

    QObject::connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, view_,
                     [this](const QModelIndex& cur, const QModelIndex&) { userMovedCurrent(cur); });
    QObject::connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, view_,
                     [this](int v) { userScrolled(v); });
    // A reset drops the view's selection model state; the next pull restores it.
    QObject::connect(model_, &QAbstractItemModel::modelReset, view_, [this] { row_ = -1; });
}

void GridBinding::pull() {
    Binding::pull();
    pullSelectionColours();
    if (grid_.revision() == revision_) {
        if (view_->viewport()->width() != viewportWidth_) pullWidths();
        return;
    }
    revision_ = grid_.revision();
    bool reset = model_->refresh();
    view_->horizontalHeader()->setVisible(grid_.FixedRows > 0);
    pullWidths();
    pullSelection(reset);
}

void GridBinding::pullSelectionColours() {
    // The window decides the selection's colours (a red row stays red when selected), in the
    // active and the inactive window alike.
    if (grid_.ForeColorSel == foreSel_ && grid_.BackColorSel == backSel_) return;
    foreSel_ = grid_.ForeColorSel;
    backSel_ = grid_.BackColorSel;
    QPalette pal = view_->palette();
    const QPalette standard = QApplication::palette(view_);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        QColor fore = toQColor(foreSel_), back = toQColor(backSel_);
        pal.setColor(group, QPalette::HighlightedText,
                     fore.isValid() ? fore : standard.color(group, QPalette::HighlightedText));
        pal.setColor(group, QPalette::Highlight,
                     back.isValid() ? back : standard.color(group, QPalette::Highlight));
    }
    view_->setPalette(pal);
}

void GridBinding::pullWidths() {
    std::vector<int> widths;
    int total = 0, shown = 0;
    for (int c = 0; c < grid_.Cols(); ++c) {
        widths.push_back(std::max(px(grid_.ColWidth(c)), 0));
        total += widths.back();
        shown += widths.back() > 0;
    }
    // A list of records (whole rows selected) fits its view: spare width is spread evenly over
    // the shown columns, as the load spreads the grid's; a small excess (the load's own
    // allowance) is taken back in proportion. A grid much wider than its view scrolls, and a
    // grid edited in place keeps the widths its editor is placed by.
    const int available = view_->viewport()->width();
    viewportWidth_ = available;
    if (grid_.SelectionMode == forms::flexSelectionByRow && shown > 0 && available > 0 && total > 0) {
        const int excess = total - available;
        const bool fit = excess < 0 || excess <= std::max(px(1815) + 24, available / 5);
        int spread = fit ? -excess : 0, left = spread;
        for (size_t c = 0, seen = 0; c < widths.size() && spread != 0; ++c) {
            if (widths[c] <= 0) continue;
            int part =
                ++seen == static_cast<size_t>(shown)
                    ? left
                    : (excess < 0 ? spread / shown
                                  : static_cast<int>(static_cast<long long>(spread) * widths[c] / total));
            widths[c] = std::max(widths[c] + part, 8);
            left -= part;
        }
    }
    for (int c = 0; c < grid_.Cols(); ++c) {
        const int w = widths[static_cast<size_t>(c)];
        bool hide = w <= 0;
        if (view_->isColumnHidden(c) != hide) view_->setColumnHidden(c, hide);
        if (!hide && view_->columnWidth(c) != w) view_->setColumnWidth(c, w);
    }
}

void GridBinding::pullSelection(bool force) {
    int row = grid_.Row(), col = grid_.Col(), rowSel = grid_.RowSel(), colSel = grid_.ColSel();
    bool moved = row != row_ || col != col_;
    if (force || moved || rowSel != rowSel_ || colSel != colSel_) {
        QItemSelectionModel* sm = view_->selectionModel();
        int h = model_->headerRows();
        if (row >= h && model_->rowCount() > 0) {
            if (view_->hasFocus()) showCurrent();
            int r0 = std::max(std::min(row, rowSel), h), r1 = std::max(row, rowSel);
            int c0 = std::min(col, colSel), c1 = std::max(col, colSel);
            if (grid_.SelectionMode == forms::flexSelectionByRow) c0 = 0, c1 = model_->columnCount() - 1;
            QItemSelection sel(model_->index(model_->tableRow(r0), c0),
                               model_->index(model_->tableRow(r1), c1));
            sm->select(sel, QItemSelectionModel::ClearAndSelect);
            if (moved) scrollToRow(model_->tableRow(row), col);
        } else {
            sm->clear();
        }
        row_ = row;
        col_ = col;
        rowSel_ = rowSel;
        colSel_ = colSel;
    }
    if (grid_.TopRow() != topRow_) {
        topRow_ = grid_.TopRow();
        view_->verticalScrollBar()->setValue(model_->tableRow(topRow_));
    }
}

void GridBinding::showCurrent() {
    SyncScope quiet;
    const int row = grid_.Row();
    if (row < model_->headerRows() || model_->rowCount() == 0) return;
    // Where the user scrolled to stays: a click there must land on the row under the mouse.
    const bool autoScroll = view_->hasAutoScroll();
    view_->setAutoScroll(false);
    view_->selectionModel()->setCurrentIndex(model_->index(model_->tableRow(row), shownColumn(grid_.Col())),
                                             QItemSelectionModel::NoUpdate);
    view_->setAutoScroll(autoScroll);
}

int GridBinding::shownColumn(int col) const {
    // The view neither scrolls to nor moves from a hidden column (the grid's column 0 often is
    // one), so its current cell stands in the first visible column instead.
    for (int c = 0; view_->isColumnHidden(col) && c < model_->columnCount(); ++c)
        col = c;
    return col;
}

void GridBinding::scrollToRow(int tableRow, int col) {
    int target = shownColumn(col);
    if (view_->isColumnHidden(target)) return;
    view_->scrollTo(model_->index(tableRow, target));
}

void GridBinding::userMovedCurrent(const QModelIndex& cur) {
    if (syncing() || !cur.isValid()) return;
    if (QApplication::keyboardModifiers() & Qt::ShiftModifier) {
        userExtended(cur);
        return;
    }
    int r = model_->gridRow(cur.row()), c = cur.column();
    // Moving up or down from a hidden current column keeps that column.
    if (c == shownColumn(grid_.Col())) c = grid_.Col();
    input([this, r, c] {
        if (r < grid_.Rows() && r != grid_.Row()) grid_.setRow(r);
        if (c < grid_.Cols() && c != grid_.Col()) grid_.setCol(c);
    });
}

void GridBinding::userExtended(const QModelIndex& to) {
    int r = model_->gridRow(to.row()), c = to.column();
    if (r == grid_.RowSel() && c == grid_.ColSel()) return;
    input([this, r, c] {
        if (r < grid_.Rows() && r != grid_.RowSel()) grid_.setRowSel(r);
        if (c < grid_.Cols() && c != grid_.ColSel()) grid_.setColSel(c);
    });
}

void GridBinding::userScrolled(int value) {
    if (syncing()) return;
    int top = model_->gridRow(value);
    input([this, top] {
        if (top < grid_.Rows()) grid_.setTopRow(top);
        topRow_ = grid_.TopRow();
        if (grid_.Scroll) grid_.Scroll();
    });
}

bool GridBinding::mouse(QObject*, QMouseEvent* e) {
    QModelIndex at = view_->indexAt(e->position().toPoint());
    // Below the last row or right of the last column there is no cell to tell the model of.
    if (!at.isValid()) return false;
    const int mouseRow = model_->gridRow(at.row()), mouseCol = at.column();
    auto where = [this, mouseRow, mouseCol] {
        grid_.MouseRow = mouseRow;
        grid_.MouseCol = mouseCol;
    };
    switch (e->type()) {
    case QEvent::MouseMove:
        if (e->buttons() & Qt::LeftButton) userExtended(at);
        if (!grid_.MouseMove) return false;
        input(where);
        fireMouse(grid_.MouseMove, e);
        break;
    case QEvent::MouseButtonPress:
        input(where);
        fireMouse(grid_.MouseDown, e);
        break;
    case QEvent::MouseButtonRelease:
        input(where);
        fireMouse(grid_.MouseUp, e);
        if (grid_.Click) input(grid_.Click);
        break;
    case QEvent::MouseButtonDblClick:
        input(where);
        if (grid_.DblClick) input(grid_.DblClick);
        break;
    default:
        break;
    }
    return false;
}

} // namespace

std::unique_ptr<Binding> makeGridBinding(forms::FlexGrid& grid, QWidget* parent, Dispatcher& d) {
    return std::make_unique<GridBinding>(grid, parent, d);
}

} // namespace desktop
