#pragma once
// A toolkit-free window model: load, activate, query-unload and unload; the form's keys
// before its controls (key preview); focus and tab order. Modal show and message boxes go
// through the host (Host.h), so the behaviour runs the same with or without a display.
#include "forms/Control.h"

#include <memory>
#include <string>
#include <vector>

namespace forms {

class Menu;

class Form : public rt::Object {
  public:
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string className() const override { return name_; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;
    const std::string& name() const { return name_; }

    std::string Caption;
    std::string Tag;
    int MousePointer = vbDefault;
    bool KeyPreview = false;
    Colour BackColor = vbButtonFace;
    int Width = 6000, Height = 4000; // twips

    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }

    // Creates the window's state from its design and runs Form_Load (once until unloaded).
    void Load();
    // Shows the window; a modal show returns when it has been unloaded. The window that was
    // active before is activated again afterwards, as the toolkit does.
    void Show(bool modal = true, Form* owner = nullptr);
    // Unloads by code (QueryUnload may cancel). Returns whether it unloaded.
    bool Unload();
    // The user closing the window by its frame.
    bool requestClose();
    // The window becoming the active one.
    void activate();

    void PopupMenu(Menu& menu);

    // User input, routed as the toolkit routes it: to the form first when KeyPreview is on,
    // then to the control with the focus (or the given one). Enter on a form with a default
    // button and Esc with a cancel button press those buttons.
    void keyDown(int keyCode, int shift = 0);
    void keyPress(int keyAscii);
    // One keystroke's KeyDown and then its character: the character belongs to the control that
    // had the focus when the key went down, so a KeyDown that moves the focus on (Enter in a date
    // picker) does not hand the same Enter to the next control as well.
    void keyDownAndPress(int keyCode, int keyAscii, int shift = 0);
    void keyUp(int keyCode, int shift = 0);
    // A whole keystroke: down, press (for keys that give a character) and up.
    void pressKey(int keyCode, int shift = 0);
    // Typing text into the focused control, a character at a time.
    void typeText(const std::string& text);

    // Focus and tab order.
    Control* activeControl() const { return active_; }
    void setFocusTo(Control* c);
    // Moves the focus on as the Tab key would (backwards with Shift).
    void tabToNext(bool backwards = false);

    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(std::string_view name) const;

  protected:
    // Designed property values beyond the controls' defaults; run before every load.
    virtual void design() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_KeyDown(int& /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int& /*keyAscii*/) {}
    virtual void Form_KeyUp(int& /*keyCode*/, int /*shift*/) {}

  private:
    friend class Control;
    bool unloadWith(int mode);
    void registerControl(Control* c) { controls_.push_back(c); }
    Control* focusTarget() const;

    std::string name_;
    std::vector<Control*> controls_;
    Control* active_ = nullptr;
    bool loaded_ = false;
    bool visible_ = false;
};

// The window the user is working in (the top of the modal stack), or null.
Form* activeForm();

// A message box through the host. An empty title gives the application's title.
int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = {});
// The application's own title, the default message-box title.
const std::string& appTitle();

// The screen-wide mouse pointer.
struct Screen {
    int MousePointer = vbDefault;
};
Screen& screen();

// The application folder (where the help file and reports live) and the help file in use.
const std::string& appPath();
void setAppPath(std::string path);
std::string& appHelpFile();

} // namespace forms
