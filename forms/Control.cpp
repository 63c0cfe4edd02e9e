#include "forms/Control.h"

#include "forms/Form.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

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
    auto boolProp = [&](bool& p) {
        return property(
            kind, args, [&] { return rt::Variant(p); },
            [&](const rt::Variant& v) { p = rt::CBool(v), touch(); });
    };
    auto textProp = [&](std::string& p) {
        return property(
            kind, args, [&] { return rt::Variant(p); },
            [&](const rt::Variant& v) { p = rt::CStr(v), touch(); });
    };
    if (rt::iequals(member, "Name")) return name_;
    if (rt::iequals(member, "Enabled")) return boolProp(Enabled);
    if (rt::iequals(member, "Visible")) return boolProp(Visible);
    if (rt::iequals(member, "Tag")) return textProp(Tag);
    if (rt::iequals(member, "ToolTipText")) return textProp(ToolTipText);
    if (rt::iequals(member, "Caption")) return textProp(Caption);
    if (rt::iequals(member, "BackColor"))
        return property(
            kind, args, [&] { return rt::Variant(static_cast<double>(BackColor)); },
            [&](const rt::Variant& v) { BackColor = static_cast<Colour>(rt::CDbl(v)), touch(); });
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
