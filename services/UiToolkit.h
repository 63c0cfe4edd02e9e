#pragma once
// BaseServices.clsUiToolkit: combo completion and selection by item data, and the key filter
// of numeric text boxes.
#include "forms/ComboBox.h"
#include "forms/TextBox.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <string>

namespace services {

class UiToolkit : public rt::Object {
  public:
    static constexpr const char* kProgId = "BaseServices.clsUiToolkit";

    std::string className() const override { return "clsUiToolkit"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // On key release: completes the text typed before the caret to the first entry that starts
    // with it (ignoring case), selecting the completed part. Control keys are left alone.
    static void matchcomboitem(forms::ComboBox& combo, int keyCode);
    // Selects the first entry whose item data equals the value (raising the combo's Click);
    // leaves the selection alone when none does. Returns whether one was found.
    static bool SelectComboItemByValue(forms::ComboBox& combo, const rt::Variant& value);
    // The key as the text box should take it: 0 when typing it at the caret (over the selection)
    // would not leave a number of at most `length` characters and `decimals` decimals.
    static int TextValidateNum(const forms::TextBox& box, int keyAscii, int length, int decimals);

    // The rule behind TextValidateNum, on the text the key would leave.
    static bool isNumberText(const std::string& text, int length, int decimals);
};

} // namespace services
