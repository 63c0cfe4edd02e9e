#include "forms/Control.h"

#include "forms/Form.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <algorithm>

namespace forms {

Control::Control(Form& parent, std::string name, Kind kind, Control* container)
    : form_(parent), name_(std::move(name)), kind_(kind), container_(container) {
    parent.registerControl(this);
    TabStop = kind == Kind::TextBox || kind == Kind::CommandButton || kind == Kind::CheckBox ||
              kind == Kind::OptionButton || kind == Kind::ComboBox || kind == Kind::DatePicker ||
              kind == Kind::FlexGrid || kind == Kind::ListView;
}

std::string Control::className() const {
    switch (kind_) {
    case Kind::Label:
        return "Label";
    case Kind::TextBox:
        return "TextBox";
    case Kind::CommandButton:
        return "CommandButton";
    case Kind::CheckBox:
        return "CheckBox";
    case Kind::OptionButton:
        return "OptionButton";
    case Kind::ComboBox:
        return "ComboBox";
    case Kind::Frame:
        return "Frame";
    case Kind::PictureBox:
        return "PictureBox";
    case Kind::Menu:
        return "Menu";
    case Kind::DatePicker:
        return "DTPicker";
    case Kind::FlexGrid:
        return "MSFlexGrid";
    case Kind::ListView:
        return "ListView";
    case Kind::ImageList:
        return "ImageList";
    }
    return "Control";
}

rt::ObjectPtr Control::ref() {
    return rt::ObjectPtr(form_.shared_from_this(), this);
}

void Control::reset() {
    Enabled = true;
    Visible = true;
    Tag.clear();
    ToolTipText.clear();
    BackColor = vbWindowBackground;
    ForeColor = vbWindowText;
    touch();
}

rt::Variant Control::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    bool put = kind == rt::CallKind::PropertyPut;
    auto boolProp = [&](bool& p) -> rt::Variant {
        if (put) {
            p = rt::CBool(args.at(0));
            touch();
            return {};
        }
        return p;
    };
    auto textProp = [&](std::string& p) -> rt::Variant {
        if (put) {
            p = rt::CStr(args.at(0));
            touch();
            return {};
        }
        return p;
    };
    if (rt::iequals(member, "Name")) return name_;
    if (rt::iequals(member, "Enabled")) return boolProp(Enabled);
    if (rt::iequals(member, "Visible")) return boolProp(Visible);
    if (rt::iequals(member, "Tag")) return textProp(Tag);
    if (rt::iequals(member, "ToolTipText")) return textProp(ToolTipText);
    if (rt::iequals(member, "Caption")) return textProp(Caption);
    if (rt::iequals(member, "BackColor")) {
        if (put) {
            BackColor = static_cast<Colour>(rt::CDbl(args.at(0)));
            touch();
            return {};
        }
        return static_cast<double>(BackColor);
    }
    if (rt::iequals(member, "SetFocus")) {
        SetFocus();
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

bool Control::canFocus() const {
    // TabStop only takes a control out of the tab order; code and the mouse still focus it.
    if (kind_ == Kind::Label || kind_ == Kind::Frame || kind_ == Kind::PictureBox || kind_ == Kind::Menu ||
        kind_ == Kind::ImageList)
        return false;
    for (const Control* c = this; c; c = c->container_)
        if (!c->Enabled || !c->Visible) return false;
    return form_.loaded();
}

void Control::SetFocus() {
    if (!canFocus())
        rt::raise(rt::errInvalidProcedureCall, form_.name(), "Invalid procedure call or argument");
    form_.setFocusTo(this);
}

bool Control::hasFocus() const {
    return form_.activeControl() == this;
}

Label::Label(Form& f, std::string name, std::string caption, Control* container)
    : Control(f, std::move(name), Kind::Label, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void Label::reset() {
    Control::reset();
    Caption = designCaption;
}

TextBox::TextBox(Form& f, std::string name, Control* container)
    : Control(f, std::move(name), Kind::TextBox, container) {}

void TextBox::reset() {
    Control::reset();
    text_.clear();
    Locked = false;
    SelStart = SelLength = 0;
}

void TextBox::setText(std::string t) {
    if (MaxLength > 0 && static_cast<int>(t.size()) > MaxLength) t.resize(static_cast<size_t>(MaxLength));
    bool changed = t != text_;
    text_ = std::move(t);
    SelStart = static_cast<int>(text_.size());
    SelLength = 0;
    touch();
    if (changed) fire(Change);
}

void TextBox::selectAll() {
    SelStart = 0;
    SelLength = static_cast<int>(text_.size());
    touch();
}

bool TextBox::applyKey(int k) {
    if (k == 0 || Locked) return false;
    std::string t = text_;
    size_t start = std::min(static_cast<size_t>(std::max(SelStart, 0)), t.size());
    size_t len = std::min(static_cast<size_t>(std::max(SelLength, 0)), t.size() - start);
    if (k == vbKeyBack) {
        if (len)
            t.erase(start, len);
        else if (start)
            t.erase(--start, 1);
        else
            return false;
    } else if (k >= 32) {
        if (MaxLength > 0 && static_cast<int>(t.size() - len) >= MaxLength) return false;
        t.replace(start, len, 1, static_cast<char>(k));
        ++start;
    } else {
        return false;
    }
    bool changed = t != text_;
    text_ = std::move(t);
    SelStart = static_cast<int>(start);
    SelLength = 0;
    touch();
    if (changed) fire(Change);
    return true;
}

rt::Variant TextBox::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    bool put = kind == rt::CallKind::PropertyPut;
    if (rt::iequals(member, "Text")) {
        if (put) {
            setText(rt::CStr(args.at(0)));
            return {};
        }
        return text_;
    }
    if (rt::iequals(member, "SelStart")) {
        if (put) {
            SelStart = rt::CLng(args.at(0));
            return {};
        }
        return SelStart;
    }
    if (rt::iequals(member, "SelLength")) {
        if (put) {
            SelLength = rt::CLng(args.at(0));
            return {};
        }
        return SelLength;
    }
    if (rt::iequals(member, "Locked")) {
        if (put) {
            Locked = rt::CBool(args.at(0));
            return {};
        }
        return Locked;
    }
    return Control::invoke(member, kind, args);
}

CommandButton::CommandButton(Form& f, std::string name, std::string caption, Control* container)
    : Control(f, std::move(name), Kind::CommandButton, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void CommandButton::reset() {
    Control::reset();
    Caption = designCaption;
    Enabled = designEnabled;
}

void CommandButton::press() {
    if (!canFocus()) return;
    form().setFocusTo(this);
    fire(Click);
}

CheckBox::CheckBox(Form& f, std::string name, std::string caption, Control* container)
    : Control(f, std::move(name), Kind::CheckBox, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void CheckBox::reset() {
    Control::reset();
    Caption = designCaption;
    value_ = 0;
}

void CheckBox::setValue(int v) {
    if (v == value_) return;
    value_ = v;
    touch();
    fire(Click);
}

OptionButton::OptionButton(Form& f, std::string name, std::string caption, Control* container)
    : Control(f, std::move(name), Kind::OptionButton, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void OptionButton::reset() {
    Control::reset();
    Caption = designCaption;
    value_ = designValue;
}

void OptionButton::setValue(bool v) {
    if (!v) {
        value_ = false;
        touch();
        return;
    }
    for (Control* c : form().controls())
        if (c != this && c->kind() == Kind::OptionButton && c->container() == container())
            static_cast<OptionButton*>(c)->value_ = false, c->touch();
    bool was = value_;
    value_ = true;
    touch();
    if (!was) fire(Click);
}

Frame::Frame(Form& f, std::string name, std::string caption, Control* container, Kind kind)
    : Control(f, std::move(name), kind, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void Frame::reset() {
    Control::reset();
    Caption = designCaption;
}

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
    bool put = kind == rt::CallKind::PropertyPut;
    if (rt::iequals(member, "Text")) {
        if (put) {
            setText(rt::CStr(args.at(0)));
            return {};
        }
        return text_;
    }
    if (rt::iequals(member, "ListIndex")) {
        if (put) {
            setListIndex(rt::CLng(args.at(0)));
            return {};
        }
        return static_cast<int32_t>(listIndex_);
    }
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
        if (put) {
            setItemData(rt::CLng(args.at(0)), rt::CLng(args.at(1)));
            return {};
        }
        return ItemData(rt::CLng(args.at(0)));
    }
    return Control::invoke(member, kind, args);
}

DatePicker::DatePicker(Form& f, std::string name, Control* container)
    : Control(f, std::move(name), Kind::DatePicker, container) {}

void DatePicker::reset() {
    Control::reset();
    value_ = rt::today();
}

void DatePicker::setValue(rt::Date d) {
    bool changed = !(d == value_);
    value_ = d;
    touch();
    if (changed) fire(Change);
}

Menu::Menu(Form& f, std::string name, std::string caption, Menu* parentMenu)
    : Control(f, std::move(name), Kind::Menu, parentMenu), designCaption(std::move(caption)) {
    Caption = designCaption;
    if (parentMenu) parentMenu->items.push_back(this);
}

void Menu::reset() {
    Control::reset();
    Caption = designCaption;
}

void Menu::choose() {
    if (!Enabled || separator()) return;
    fire(Click);
}

ImageList::ImageList(Form& f, std::string name, std::vector<std::string> k)
    : Control(f, std::move(name), Kind::ImageList), keys(std::move(k)) {}

std::string stripAccessKey(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

char accessKey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] == '&') {
                ++i;
                continue;
            }
            char c = caption[i + 1];
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        }
    }
    return 0;
}

} // namespace forms
