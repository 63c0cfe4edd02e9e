#include "services/ControlValue.h"

#include "forms/Buttons.h"
#include "forms/ComboBox.h"
#include "forms/DatePicker.h"
#include "forms/ListView.h"
#include "forms/TextBox.h"
#include "runtime/Date.h"

namespace services {

namespace {
// Stops once `limit` characters are there: a snapshot shows only the start of a long list.
std::string listText(forms::ListView& list, size_t limit) {
    std::string text;
    for (int i = 1; i <= list.Count() && text.size() <= limit; ++i) {
        const forms::ListItem& item = list.Item(i);
        text += item.Text;
        for (int s = 1; s <= item.subItemCount(); ++s) {
            text += '\t';
            text += item.SubItem(s);
        }
        text += '\n';
    }
    if (text.size() > limit) text.resize(limit);
    return text;
}

// The list against its tracked text piece by piece, without building its text.
bool listIs(forms::ListView& list, const std::string& tag) {
    size_t at = 0;
    auto piece = [&](const std::string& p) {
        if (tag.compare(at, p.size(), p) != 0) return false;
        at += p.size();
        return true;
    };
    auto mark = [&](char c) { return at < tag.size() && tag[at++] == c; };
    for (int i = 1; i <= list.Count(); ++i) {
        const forms::ListItem& item = list.Item(i);
        if (!piece(item.Text)) return false;
        for (int s = 1; s <= item.subItemCount(); ++s)
            if (!mark('\t') || !piece(item.SubItem(s))) return false;
        if (!mark('\n')) return false;
    }
    return at == tag.size();
}
} // namespace

std::optional<std::string> controlValue(forms::Control& control, size_t limit) {
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
        return listText(static_cast<forms::ListView&>(control), limit);
    default:
        return std::nullopt;
    }
}

bool valueIs(forms::Control& control, const std::string& tag) {
    if (control.kind() == forms::Kind::ListView) return listIs(static_cast<forms::ListView&>(control), tag);
    auto value = controlValue(control);
    return !value || *value == tag;
}

} // namespace services
