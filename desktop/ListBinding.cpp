#include "desktop/BindingKinds.h"
#include "desktop/QtConvert.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidget>

namespace desktop {

namespace {

Qt::Alignment columnAlignment(int a) {
    if (a == forms::lvwColumnRight) return Qt::AlignRight | Qt::AlignVCenter;
    if (a == forms::lvwColumnCenter) return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QIcon headerIcon(const std::string& key) {
    if (key == "up") return QApplication::style()->standardIcon(QStyle::SP_ArrowUp);
    if (key == "down") return QApplication::style()->standardIcon(QStyle::SP_ArrowDown);
    return {};
}

// The report-style list as a flat tree widget: one top-level item per list item, the sub-items
// in the further columns.
class ListBinding : public Binding {
  public:
    ListBinding(forms::ListView& l, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool mouse(QObject* target, QMouseEvent* e) override;
    QWidget* mouseTarget() const override { return tree_->viewport(); }

  private:
    void update();
    static void setText(QTreeWidgetItem* item, int column, const std::string& text);
    void userMovedCurrent(QTreeWidgetItem* item);
    int indexOf(QTreeWidgetItem* item) const;

    forms::ListView& list_;
    QTreeWidget* tree_;
    uint64_t revision_ = 0;
    bool built_ = false;
    bool mouseDown_ = false;
};

ListBinding::ListBinding(forms::ListView& l, QWidget* parent, Dispatcher& d)
    : Binding(l, new QTreeWidget(parent), d), list_(l), tree_(static_cast<QTreeWidget*>(widget())) {
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSortingEnabled(false); // the model sorts
    tree_->header()->setSectionsClickable(true);
    tree_->header()->setSectionsMovable(false);
    tree_->header()->setStretchLastSection(false);
    // An empty list shows no current row: its frame shows that the keyboard is there.
    tree_->setStyleSheet("QTreeWidget:focus { border: 2px solid palette(highlight); }");
    if (l.MouseMove) tree_->viewport()->setMouseTracking(true);

    QObject::connect(tree_, &QTreeWidget::currentItemChanged, tree_,
                     [this](QTreeWidgetItem* cur, QTreeWidgetItem*) { userMovedCurrent(cur); });
    QObject::connect(tree_->header(), &QHeaderView::sectionClicked, tree_, [this](int section) {
        if (list_.ColumnClick) input([this, section] { list_.ColumnClick(section + 1); });
    });
}

int ListBinding::indexOf(QTreeWidgetItem* item) const {
    return item ? tree_->indexOfTopLevelItem(item) + 1 : 0;
}

void ListBinding::update() {
    int columns = list_.headerCount();
    if (tree_->columnCount() != std::max(columns, 1)) tree_->setColumnCount(std::max(columns, 1));
    QTreeWidgetItem* head = tree_->headerItem();
    for (int i = 1; i <= columns; ++i) {
        const forms::ColumnHeader& h = list_.header(i);
        int w = px(h.Width);
        bool hide = w <= 0;
        setText(head, i - 1, hide ? std::string() : h.Text);
        head->setIcon(i - 1, headerIcon(h.Icon));
        head->setTextAlignment(i - 1, columnAlignment(h.Alignment));
        if (tree_->isColumnHidden(i - 1) != hide) tree_->setColumnHidden(i - 1, hide);
        if (!hide && tree_->columnWidth(i - 1) != w) tree_->setColumnWidth(i - 1, w);
    }
    // Items are updated where they are: a handler may change the list from inside the view's
    // own signals (tool tips on ItemClick), where deleting the items under it is not safe.
    int n = list_.Count();
    while (tree_->topLevelItemCount() > n)
        delete tree_->takeTopLevelItem(tree_->topLevelItemCount() - 1);
    if (tree_->topLevelItemCount() < n) {
        QList<QTreeWidgetItem*> added;
        for (int i = tree_->topLevelItemCount(); i < n; ++i)
            added << new QTreeWidgetItem;
        tree_->addTopLevelItems(added);
    }
    for (int i = 1; i <= n; ++i) {
        forms::ListItem& it = list_.Item(i);
        QTreeWidgetItem* row = tree_->topLevelItem(i - 1);
        for (int s = 0; s < std::max(columns, 1); ++s) {
            // A hidden column (the ids behind a line) stays out of what a screen reader reads
            // along the row; the model keeps the text.
            static const std::string none;
            const bool hidden = tree_->isColumnHidden(s);
            const std::string& text = hidden ? none : s == 0 ? it.Text : it.SubItem(s);
            const std::string* tip = hidden ? nullptr : &it.ToolTipText;
            if (s > 0 && tip) tip = s <= it.subItemCount() ? &it.ListSubItems(s).ToolTipText : nullptr;
            setText(row, s, text);
            QString qtip = tip ? qs(*tip) : QString();
            if (row->toolTip(s) != qtip) row->setToolTip(s, qtip);
            if (s < columns) {
                QVariant align = QVariant::fromValue(columnAlignment(list_.header(s + 1).Alignment));
                if (row->data(s, Qt::TextAlignmentRole) != align)
                    row->setData(s, Qt::TextAlignmentRole, align);
            }
        }
    }
}

void ListBinding::setText(QTreeWidgetItem* item, int column, const std::string& text) {
    QString t = qs(text);
    if (item->text(column) != t) item->setText(column, t);
}

void ListBinding::pull() {
    Binding::pull();
    if (built_ && list_.revision() == revision_) return;
    built_ = true;
    revision_ = list_.revision();
    update();
    int sel = list_.selectedIndex();
    QTreeWidgetItem* item =
        sel > 0 && sel <= tree_->topLevelItemCount() ? tree_->topLevelItem(sel - 1) : nullptr;
    if (tree_->currentItem() != item) {
        tree_->setCurrentItem(item);
        if (item) tree_->scrollToItem(item);
    }
    if (!item) tree_->clearSelection();
}

void ListBinding::userMovedCurrent(QTreeWidgetItem* item) {
    if (syncing()) return;
    int i = indexOf(item);
    bool byKeyboard = !mouseDown_;
    input([this, i, byKeyboard] {
        if (i <= list_.Count() && i != list_.selectedIndex()) list_.select(i);
        // A click raises ItemClick on release; moving with the keys raises it here.
        if (byKeyboard && i > 0 && list_.ItemClick) list_.ItemClick(list_.Item(i));
    });
}

bool ListBinding::mouse(QObject*, QMouseEvent* e) {
    switch (e->type()) {
    case QEvent::MouseMove:
        fireMouse(list_.MouseMove, e);
        break;
    case QEvent::MouseButtonPress:
        mouseDown_ = true;
        fireMouse(list_.MouseDown, e);
        break;
    case QEvent::MouseButtonRelease: {
        mouseDown_ = false;
        int i = indexOf(tree_->itemAt(e->position().toPoint()));
        input([this, i] {
            if (i > 0 && i <= list_.Count()) {
                if (i != list_.selectedIndex()) list_.select(i);
                if (list_.ItemClick) list_.ItemClick(list_.Item(i));
            }
        });
        if (list_.Click) input(list_.Click);
        fireMouse(list_.MouseUp, e);
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (list_.DblClick) input(list_.DblClick);
        break;
    default:
        break;
    }
    return false;
}

} // namespace

std::unique_ptr<Binding> makeListBinding(forms::ListView& list, QWidget* parent, Dispatcher& d) {
    return std::make_unique<ListBinding>(list, parent, d);
}

} // namespace desktop
