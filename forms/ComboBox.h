#pragma once
// The combo box and drop-down list: entries with item data, selection and typed text.
#include "forms/Control.h"

namespace forms {

class ComboBox : public Control {
  public:
    struct Item {
        std::string text;
        int32_t data = 0;
    };
    ComboBox(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    void AddItem(std::string text);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int i) const;
    int32_t ItemData(int i) const;
    void setItemData(int i, int32_t data);
    int NewIndex() const { return newIndex_; }
    const std::vector<Item>& items() const { return items_; }

    int ListIndex() const { return listIndex_; }
    // Selecting an entry (also from code) raises Click; -1 clears the selection.
    void setListIndex(int i);
    const std::string& Text() const { return text_; }
    // Typed text: clears the selection unless the text is the selected entry's; raises Change.
    void setText(std::string t);
    int SelStart = 0, SelLength = 0;
    bool Locked = false;
    // A plain drop-down list only takes its entries; a combo also takes typed text.
    bool dropDownList = false;

  private:
    std::vector<Item> items_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    std::string text_;
};

} // namespace forms
