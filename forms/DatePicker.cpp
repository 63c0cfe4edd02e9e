#include "forms/DatePicker.h"

namespace forms {

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

} // namespace forms
