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

class Label : public Control {
  public:
    Label(Form& f, std::string name, std::string caption = {}, Control* container = nullptr);
    void reset() override;
    std::string designCaption;
};

class TextBox : public Control {
  public:
    TextBox(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    const std::string& Text() const { return text_; }
    // Setting the text raises Change, as typing does.
    void setText(std::string t);
    int MaxLength = 0; // 0: no limit
    bool Locked = false;
    int SelStart = 0;
    int SelLength = 0;
    void selectAll();

    // The edit a typed character makes at the caret (after the key events let it through).
    bool applyKey(int keyAscii);

  private:
    std::string text_;
};

class CommandButton : public Control {
  public:
    CommandButton(Form& f, std::string name, std::string caption, Control* container = nullptr);
    void reset() override;
    std::string designCaption;
    bool designEnabled = true;
    bool Default = false; // Enter on the form
    bool Cancel = false;  // Esc on the form
    // A click by the user; ignored while disabled, as the toolkit ignores it.
    void press();
};

class CheckBox : public Control {
  public:
    CheckBox(Form& f, std::string name, std::string caption, Control* container = nullptr);
    void reset() override;
    int Value() const { return value_; }
    // Changing the value raises Click, as the toolkit does.
    void setValue(int v);
    std::string designCaption;

  private:
    int value_ = 0;
};

class OptionButton : public Control {
  public:
    OptionButton(Form& f, std::string name, std::string caption, Control* container = nullptr);
    void reset() override;
    bool Value() const { return value_; }
    // Setting true clears the other options of the same container and raises Click.
    void setValue(bool v);
    std::string designCaption;
    bool designValue = false;

  private:
    bool value_ = false;
};

class Frame : public Control {
  public:
    Frame(Form& f, std::string name, std::string caption = {}, Control* container = nullptr,
          Kind kind = Kind::Frame);
    void reset() override;
    std::string designCaption;
};

class ComboBox : public Control {
  public:
    struct Item {
        std::string text;
        int32_t data = 0;
    };
    ComboBox(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    void AddItem(std::string text);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int i) const;
    int32_t ItemData(int i) const;
    void setItemData(int i, int32_t data);
    int NewIndex() const { return newIndex_; }
    const std::vector<Item>& items() const { return items_; }

    int ListIndex() const { return listIndex_; }
    // Selecting an entry (also from code) raises Click; -1 clears the selection.
    void setListIndex(int i);
    const std::string& Text() const { return text_; }
    // Typed text: clears the selection unless the text is the selected entry's; raises Change.
    void setText(std::string t);
    int SelStart = 0, SelLength = 0;
    bool Locked = false;
    // A plain drop-down list only takes its entries; a combo also takes typed text.
    bool dropDownList = false;

  private:
    std::vector<Item> items_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    std::string text_;
};

class DatePicker : public Control {
  public:
    DatePicker(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Date Value() const { return value_; }
    void setValue(rt::Date d);

  private:
    rt::Date value_{};
};

class Menu : public Control {
  public:
    Menu(Form& f, std::string name, std::string caption, Menu* parentMenu = nullptr);
    void reset() override;
    bool separator() const { return Caption == "-"; }
    std::vector<Menu*> items;
    std::string designCaption;
    // A choice by the user; ignored while disabled.
    void choose();
};

class ImageList : public Control {
  public:
    ImageList(Form& f, std::string name, std::vector<std::string> keys);
    std::vector<std::string> keys;
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
