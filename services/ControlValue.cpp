#include "services/ControlValue.h"

#include "forms/Buttons.h"
#include "forms/ComboBox.h"
#include "forms/DatePicker.h"
#include "forms/ListView.h"
#include "forms/TextBox.h"
#include "runtime/Date.h"

namespace services {

namespace {
std::string listText(forms::ListView& list) {
    std::string text;
    for (int i = 1; i <= list.Count(); ++i) {
        const forms::ListItem& item = list.Item(i);
        text += item.Text;
        for (int s = 1; s <= item.subItemCount(); ++s) {
            text += '\t';
            text += item.SubItem(s);
        }
        text += '\n';
    }
    return text;
}
} // namespace

std::optional<std::string> controlValue(forms::Control& control) {
    using forms::Kind;
    switch (control.kind()) {
    case Kind::TextBox:
        return static_cast<const forms::TextBox&>(control).Text();
    case Kind::ComboBox:
        return static_cast<const forms::ComboBox&>(control).Text();
    case Kind::CheckBox:
        return std::to_string(static_cast<const forms::CheckBox&>(control).Value());
    case Kind::OptionButton:
        return static_cast<const forms::OptionButton&>(control).Value() ? "True" : "False";
    case Kind::DatePicker:
        return rt::toStored(static_cast<const forms::DatePicker&>(control).Value());
    case Kind::ListView:
        return listText(static_cast<forms::ListView&>(control));
    default:
        return std::nullopt;
    }
}

} // namespace services
