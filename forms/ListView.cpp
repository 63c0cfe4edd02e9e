#include "forms/ListView.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <algorithm>

namespace forms {

const std::string& ListItem::SubItem(int i) const {
    static const std::string empty;
    if (i < 1 || i > subItemCount()) return empty;
    return sub_[static_cast<size_t>(i - 1)].Text;
}

void ListItem::setSubItem(int i, std::string text) {
    if (i < 1) rt::raise(rt::errInvalidProcedureCall, "ListItem");
    if (i > subItemCount()) sub_.resize(static_cast<size_t>(i));
    sub_[static_cast<size_t>(i - 1)].Text = std::move(text);
}

ListSubItem& ListItem::ListSubItems(int i) {
    if (i < 1 || i > subItemCount())
        rt::raise(rt::errInvalidProcedureCall, "ListItem", "Index out of bounds");
    return sub_[static_cast<size_t>(i - 1)];
}

ListView::ListView(Form& f, std::string name, Control* container)
    : Control(f, std::move(name), Kind::ListView, container) {}

void ListView::reset() {
    Control::reset();
    headers_ = designHeaders;
    items_.clear();
    selected_ = 0;
    Sorted = false;
    SortKey = 0;
    SortDescending = false;
}

ColumnHeader& ListView::header(int i) {
    if (i < 1 || i > headerCount()) rt::raise(rt::errInvalidProcedureCall, name(), "Index out of bounds");
    return headers_[static_cast<size_t>(i - 1)];
}

ListItem& ListView::Item(int i) {
    if (i < 1 || i > Count()) rt::raise(rt::errInvalidProcedureCall, name(), "Index out of bounds");
    return *items_[static_cast<size_t>(i - 1)];
}

ListItem& ListView::Add(std::string text) {
    items_.push_back(std::make_unique<ListItem>());
    items_.back()->Text = std::move(text);
    // The list selects its first item when it gets one, as the toolkit does.
    if (!selected_) selected_ = 1;
    touch();
    return *items_.back();
}

void ListView::Remove(int i) {
    if (i < 1 || i > Count()) rt::raise(rt::errInvalidProcedureCall, name(), "Index out of bounds");
    items_.erase(items_.begin() + (i - 1));
    if (selected_ == i)
        selected_ = Count() ? std::min(i, Count()) : 0;
    else if (selected_ > i)
        --selected_;
    touch();
}

void ListView::Clear() {
    items_.clear();
    selected_ = 0;
    touch();
}

void ListView::select(int i) {
    if (i < 0 || i > Count()) rt::raise(rt::errInvalidProcedureCall, name(), "Index out of bounds");
    selected_ = i;
    touch();
}

void ListView::sortBy(int column, bool descending, bool numeric) {
    ListItem* sel = SelectedItem();
    auto key = [column](const ListItem& it) -> const std::string& {
        return column == 0 ? it.Text : it.SubItem(column);
    };
    std::stable_sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
        const std::string &x = key(*a), &y = key(*b);
        bool less;
        bool greater;
        if (numeric) {
            double dx = rt::Val(x), dy = rt::Val(y);
            less = dx < dy;
            greater = dy < dx;
        } else {
            std::string lx = rt::LCase(x), ly = rt::LCase(y);
            less = lx < ly;
            greater = ly < lx;
        }
        return descending ? greater : less;
    });
    selected_ = 0;
    for (int i = 1; i <= Count(); ++i)
        if (&Item(i) == sel) selected_ = i;
    SortKey = column;
    SortDescending = descending;
    touch();
}

} // namespace forms
