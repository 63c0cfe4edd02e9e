#pragma once
// Toolkit-free control models: the properties and events the component's windows use.
// A front end renders them and feeds the user's input back through the same events.
#include "forms/Constants.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace forms {

class Form;

enum class Kind {
    Label,
    TextBox,
    CommandButton,
    CheckBox,
    OptionButton,
    ComboBox,
    Frame,
    PictureBox,
    Menu,
    DatePicker,
    FlexGrid,
    ListView,
    ImageList
};

class Control : public rt::Object {
  public:
    Control(Form& parent, std::string name, Kind kind, Control* container = nullptr);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string className() const override;
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    const std::string& name() const { return name_; }
    Kind kind() const { return kind_; }
    Form& form() const { return form_; }
    Control* container() const { return container_; }
    // This control as a late-bound object (kept alive by its form).
    rt::ObjectPtr ref();

    // Designed state; reset() brings every property back to it before the form loads again.
    virtual void reset();

    // Properties without side effects.
    bool Enabled = true;
    bool Visible = true;
    bool TabStop = true;
    int TabIndex = 0;
    std::string Tag;
    std::string ToolTipText;
    std::string Caption;
    Colour BackColor = vbWindowBackground;
    Colour ForeColor = vbWindowText;
    int Left = 0, Top = 0, Width = 1200, Height = 315; // twips

    // Whether it can take the focus now: visible and enabled, with its containers and form.
    bool canFocus() const;
    void SetFocus();
    bool hasFocus() const;

    // Events.
    std::function<void()> Click, DblClick, GotFocus, LostFocus, Change;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int&keyCode, int shift)> KeyDown, KeyUp;
    std::function<void(int button, int shift, float x, float y)> MouseDown, MouseUp, MouseMove;

    // Bumped by every change a front end must redraw for; plain properties are re-read anyway.
    uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

  protected:
    // One late-bound property: a put hands the first argument to set, a get returns get().
    template <class Get, class Set>
    static rt::Variant property(rt::CallKind kind, std::vector<rt::Variant>& args, Get get, Set set) {
        if (kind != rt::CallKind::PropertyPut) return get();
        set(args.at(0));
        return {};
    }

    void fire(const std::function<void()>& ev) {
        if (ev) ev();
    }

  private:
    Form& form_;
    std::string name_;
    Kind kind_;
    Control* container_;
    uint64_t revision_ = 0;
};

// Position and size in twips, as a window's design sets them.
inline void place(Control& c, int left, int top, int width, int height) {
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
}

// Caption text without its access-key marker ("&New" -> "New"; "&&" stays "&").
std::string stripAccessKey(const std::string& caption);
// The access key of a caption, lower-cased, or 0.
char accessKey(const std::string& caption);

} // namespace forms
