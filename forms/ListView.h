#pragma once
// A report-style list: column headers, items with sub-items, selection, tool tips, header icons.
#include "forms/Control.h"

#include <memory>
#include <string>
#include <vector>

namespace forms {

struct ColumnHeader {
    std::string Text;
    int Width = 1440; // twips
    int Alignment = lvwColumnLeft;
    std::string Icon; // key into the header image list, empty for none
};

struct ListSubItem {
    std::string Text;
    std::string ToolTipText;
};

class ListItem {
  public:
    std::string Text;
    std::string ToolTipText;
    // Sub-items 1..n; reading one past the end gives "".
    const std::string& SubItem(int i) const;
    void setSubItem(int i, std::string text);
    ListSubItem& ListSubItems(int i);
    int subItemCount() const { return static_cast<int>(sub_.size()); }

  private:
    std::vector<ListSubItem> sub_;
};

class ListView : public Control {
  public:
    ListView(Form& f, std::string name, Control* container = nullptr);
    void reset() override;

    std::vector<ColumnHeader> designHeaders;
    // Headers 1..n.
    ColumnHeader& header(int i);
    int headerCount() const { return static_cast<int>(headers_.size()); }

    int Count() const { return static_cast<int>(items_.size()); }
    // Items 1..n.
    ListItem& Item(int i);
    ListItem& Add(std::string text);
    void Remove(int i);
    void Clear();

    // Index of the selected item, 0 when none.
    int selectedIndex() const { return selected_; }
    ListItem* SelectedItem() { return selected_ ? &Item(selected_) : nullptr; }
    void select(int i);

    bool Sorted = false;
    int SortKey = 0;
    bool SortDescending = false;
    // Orders the items by a column (0 the item text); numeric columns compare as numbers.
    void sortBy(int column, bool descending, bool numeric);

    std::function<void(int column)> ColumnClick; // 1-based header index
    std::function<void(ListItem&)> ItemClick;

  private:
    std::vector<ColumnHeader> headers_;
    std::vector<std::unique_ptr<ListItem>> items_;
    int selected_ = 0;
};

} // namespace forms
