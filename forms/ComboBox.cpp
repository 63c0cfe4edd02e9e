#include "forms/ComboBox.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace forms {

ComboBox::ComboBox(Form& f, std::string name, Control* container)
    : Control(f, std::move(name), Kind::ComboBox, container) {}

void ComboBox::reset() {
    Control::reset();
    items_.clear();
    listIndex_ = -1;
    newIndex_ = -1;
    text_.clear();
    Locked = false;
}

void ComboBox::AddItem(std::string text) {
    items_.push_back({std::move(text), 0});
    newIndex_ = static_cast<int>(items_.size()) - 1;
    touch();
}

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    newIndex_ = -1;
    if (dropDownList) text_.clear();
    text_.clear();
    touch();
}

const std::string& ComboBox::List(int i) const {
    static const std::string empty;
    if (i < 0 || i >= ListCount()) return empty;
    return items_[static_cast<size_t>(i)].text;
}

int32_t ComboBox::ItemData(int i) const {
    if (i < 0 || i >= ListCount()) rt::raise(rt::errInvalidProcedureCall, name());
    return items_[static_cast<size_t>(i)].data;
}

void ComboBox::setItemData(int i, int32_t data) {
    if (i < 0 || i >= ListCount()) rt::raise(rt::errInvalidProcedureCall, name());
    items_[static_cast<size_t>(i)].data = data;
}

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= ListCount()) rt::raise(rt::errInvalidProcedureCall, name());
    bool changed = i != listIndex_;
    listIndex_ = i;
    std::string newText = i >= 0 ? items_[static_cast<size_t>(i)].text : std::string();
    bool textChanged = newText != text_;
    if (i >= 0 || textChanged) text_ = newText;
    touch();
    if (textChanged) fire(Change);
    if (changed || i >= 0) fire(Click);
}

void ComboBox::setText(std::string t) {
    if (listIndex_ >= 0 && items_[static_cast<size_t>(listIndex_)].text != t) listIndex_ = -1;
    bool changed = t != text_;
    text_ = std::move(t);
    SelStart = static_cast<int>(text_.size());
    SelLength = 0;
    touch();
    if (changed) fire(Change);
}

rt::Variant ComboBox::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    if (rt::iequals(member, "Text"))
        return property(
            kind, args, [&] { return rt::Variant(text_); },
            [&](const rt::Variant& v) { setText(rt::CStr(v)); });
    if (rt::iequals(member, "ListIndex"))
        return property(
            kind, args, [&] { return rt::Variant(static_cast<int32_t>(listIndex_)); },
            [&](const rt::Variant& v) { setListIndex(rt::CLng(v)); });
    if (rt::iequals(member, "ListCount")) return static_cast<int32_t>(ListCount());
    if (rt::iequals(member, "Clear")) {
        Clear();
        return {};
    }
    if (rt::iequals(member, "AddItem")) {
        AddItem(rt::CStr(args.at(0)));
        return {};
    }
    if (rt::iequals(member, "NewIndex")) return static_cast<int32_t>(newIndex_);
    if (rt::iequals(member, "List")) return List(rt::CLng(args.at(0)));
    if (rt::iequals(member, "ItemData")) {
        // ItemData(index) = value: the index comes first, the value last.
        if (kind == rt::CallKind::PropertyPut) {
            setItemData(rt::CLng(args.at(0)), rt::CLng(args.at(1)));
            return {};
        }
        return ItemData(rt::CLng(args.at(0)));
    }
    return Control::invoke(member, kind, args);
}

} // namespace forms
