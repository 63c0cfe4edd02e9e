#include "services/Painter.h"

#include "automation/Automation.h"
#include "services/Args.h"

namespace services {

void Painter::ApplyPaintkit(forms::Form& form) {
    using forms::Kind;
    form.BackColor = kWindow;
    for (forms::Control* c : form.controls()) {
        switch (c->kind()) {
        case Kind::Label:
        case Kind::Frame:
        case Kind::PictureBox:
        case Kind::CheckBox:
        case Kind::OptionButton:
            c->BackColor = kWindow;
            break;
        case Kind::TextBox:
        case Kind::ComboBox:
        case Kind::DatePicker:
            c->BackColor = kInput;
            break;
        case Kind::CommandButton:
            c->BackColor = kButton;
            break;
        case Kind::FlexGrid:
        case Kind::ListView:
            c->BackColor = kList;
            break;
        case Kind::Menu:
        case Kind::ImageList:
            continue;
        }
        c->touch();
    }
}

rt::Variant Painter::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    if (rt::iequals(member, "ApplyPaintkit")) {
        ApplyPaintkit(*objectArg<forms::Form>(args, 0, className(), member));
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

namespace {
[[maybe_unused]] const bool registered = [] {
    automation::registerClass(Painter::kProgId, [] { return std::make_shared<Painter>(); });
    return true;
}();
} // namespace

} // namespace services
