#pragma once
// Paintkit.clsPainter: the suite's colours on a window.
#include "forms/Form.h"
#include "runtime/Object.h"

#include <string>

namespace services {

class Painter : public rt::Object {
  public:
    static constexpr const char* kProgId = "Paintkit.clsPainter";

    // The suite's palette.
    static constexpr forms::Colour kWindow = forms::rgb(228, 234, 244);
    static constexpr forms::Colour kInput = forms::rgb(255, 255, 255);
    static constexpr forms::Colour kButton = forms::rgb(208, 220, 238);
    static constexpr forms::Colour kList = forms::rgb(250, 251, 255);

    std::string className() const override { return "clsPainter"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // The window's background, and each control's by its kind; menus and image lists have none.
    static void ApplyPaintkit(forms::Form& form);
};

} // namespace services
