#include "services/UiToolkit.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "services/Args.h"

#include <algorithm>

namespace services {

namespace {

// Keys that type a character: space, digits, letters, the number pad and punctuation.
bool typesCharacter(int keyCode) {
    return keyCode == 32 || (keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z') ||
           (keyCode >= 96 && keyCode <= 111) || (keyCode >= 186 && keyCode <= 192) ||
           (keyCode >= 219 && keyCode <= 222);
}

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           rt::iequals(std::string_view(text).substr(0, prefix.size()), prefix);
}

// Writes a changed key back in the width the caller passed it.
void putKey(rt::Variant& slot, int key) {
    if (slot.type() == rt::Variant::Type::Integer)
        slot = static_cast<int16_t>(key);
    else
        slot = static_cast<int32_t>(key);
}

} // namespace

void UiToolkit::matchcomboitem(forms::ComboBox& combo, int keyCode) {
    if (!typesCharacter(keyCode) || combo.dropDownList || combo.Locked) return;
    const std::string& text = combo.Text();
    std::string typed =
        text.substr(0, std::min(static_cast<size_t>(std::max(combo.SelStart, 0)), text.size()));
    if (typed.empty()) return;
    for (int i = 0; i < combo.ListCount(); ++i) {
        if (!startsWithNoCase(combo.List(i), typed)) continue;
        combo.setListIndex(i);
        combo.SelStart = static_cast<int>(typed.size());
        combo.SelLength = static_cast<int>(combo.Text().size() - typed.size());
        combo.touch();
        return;
    }
}

bool UiToolkit::SelectComboItemByValue(forms::ComboBox& combo, const rt::Variant& value) {
    if (!rt::IsNumeric(value)) return false;
    double wanted = rt::CDbl(value);
    for (int i = 0; i < combo.ListCount(); ++i) {
        if (combo.ItemData(i) == wanted) {
            combo.setListIndex(i);
            return true;
        }
    }
    return false;
}

bool UiToolkit::isNumberText(const std::string& text, int length, int decimals) {
    if (length > 0 && static_cast<int>(text.size()) > length) return false;
    size_t point = text.find('.');
    if (point != std::string::npos) {
        if (decimals <= 0 || text.find('.', point + 1) != std::string::npos) return false;
        if (static_cast<int>(text.size() - point - 1) > decimals) return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

int UiToolkit::TextValidateNum(const forms::TextBox& box, int keyAscii, int length, int decimals) {
    // Backspace, Enter and the other control characters edit or move; they always pass.
    if (keyAscii >= 0 && keyAscii < 32) return keyAscii;
    if (keyAscii > 126) return 0;
    std::string text = box.Text();
    size_t start = std::min(static_cast<size_t>(std::max(box.SelStart, 0)), text.size());
    size_t len = std::min(static_cast<size_t>(std::max(box.SelLength, 0)), text.size() - start);
    text.replace(start, len, 1, static_cast<char>(keyAscii));
    return isNumberText(text, length, decimals) ? keyAscii : 0;
}

rt::Variant UiToolkit::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "matchcomboitem")) {
        auto combo = objectArg<forms::ComboBox>(args, 0, cls, member);
        matchcomboitem(*combo, rt::CLng(arg(args, 1, cls, member)));
        return {};
    }
    if (rt::iequals(member, "SelectComboItemByValue")) {
        auto combo = objectArg<forms::ComboBox>(args, 0, cls, member);
        SelectComboItemByValue(*combo, arg(args, 1, cls, member));
        return {};
    }
    if (rt::iequals(member, "TextValidateNum")) {
        auto box = objectArg<forms::TextBox>(args, 0, cls, member);
        rt::Variant& key = arg(args, 1, cls, member);
        int before = rt::CLng(key);
        int after = TextValidateNum(*box, before, rt::CLng(arg(args, 2, cls, member)),
                                    rt::CLng(arg(args, 3, cls, member)));
        if (after != before) putKey(key, after);
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

namespace {
[[maybe_unused]] const bool registered = [] {
    automation::registerClass(UiToolkit::kProgId, [] { return std::make_shared<UiToolkit>(); });
    return true;
}();
} // namespace

} // namespace services
