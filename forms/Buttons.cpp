#include "forms/Buttons.h"

#include "forms/Form.h"

namespace forms {

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

} // namespace forms
