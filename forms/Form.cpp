#include "forms/Form.h"

#include "forms/Buttons.h"
#include "forms/ComboText.h"
#include "forms/Host.h"
#include "forms/Menu.h"
#include "forms/TextBox.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <algorithm>
#include <utility>

namespace forms {

namespace {
std::vector<Form*>& modalStack() {
    static std::vector<Form*> s;
    return s;
}

void removeFromStack(Form* f) {
    auto& s = modalStack();
    s.erase(std::remove(s.begin(), s.end(), f), s.end());
}

// Keys of the US layout that give punctuation: key code, character, shifted character.
struct PunctuationKey {
    int code;
    char plain, shifted;
};
constexpr PunctuationKey kPunctuation[] = {
    {186, ';', ':'}, {187, '=', '+'}, {188, ',', '<'},  {189, '-', '_'}, {190, '.', '>'}, {191, '/', '?'},
    {192, '`', '~'}, {219, '[', '{'}, {220, '\\', '|'}, {221, ']', '}'}, {222, '\'', '"'}};
constexpr const char* kShiftedDigits = ")!@#$%^&*(";

// The character a keystroke gives, 0 for keys that give none. Alt combinations give none
// (they are access keys), nor do Ctrl combinations other than letters, Enter and Space.
int asciiOf(int keyCode, int shift) {
    if (shift & vbAltMask) return 0;
    const bool ctrl = shift & vbCtrlMask, shifted = shift & vbShiftMask;
    if (keyCode == vbKeyReturn) return ctrl ? 10 : vbKeyReturn; // Ctrl+Enter gives a line feed
    if (keyCode == vbKeyBack) return ctrl ? 0 : vbKeyBack;
    if (keyCode == vbKeyEscape) return vbKeyEscape;
    if (keyCode >= 'A' && keyCode <= 'Z') {
        if (ctrl) return keyCode - 64;
        return shifted ? keyCode : keyCode + 32;
    }
    if (keyCode == vbKeySpace) return vbKeySpace;
    if (ctrl) return 0;
    if (keyCode >= '0' && keyCode <= '9') return shifted ? kShiftedDigits[keyCode - '0'] : keyCode;
    if (keyCode >= 96 && keyCode <= 105) return '0' + keyCode - 96; // numeric keypad
    switch (keyCode) {
    case 106:
        return '*';
    case 107:
        return '+';
    case 109:
        return '-';
    case 110:
        return '.';
    case 111:
        return '/';
    default:
        break;
    }
    for (const PunctuationKey& k : kPunctuation)
        if (k.code == keyCode) return shifted ? k.shifted : k.plain;
    return 0;
}

// The key that types a character: its key code (0 for none) and whether Shift is held.
std::pair<int, int> keyOf(unsigned char c) {
    if (c >= 'a' && c <= 'z') return {c - 32, 0};
    if (c >= 'A' && c <= 'Z') return {c, vbShiftMask};
    if ((c >= '0' && c <= '9') || c == ' ' || c == vbKeyReturn || c == vbKeyBack || c == vbKeyEscape ||
        c == vbKeyTab)
        return {c, 0};
    for (int d = 0; d < 10; ++d)
        if (kShiftedDigits[d] == c) return {'0' + d, vbShiftMask};
    for (const PunctuationKey& k : kPunctuation) {
        if (k.plain == c) return {k.code, 0};
        if (k.shifted == c) return {k.code, vbShiftMask};
    }
    return {0, 0};
}

// The button that takes Enter (the default button, unless the focus is on a button, which
// takes Enter itself) or Esc (the cancel button) away from the focused control. The key
// then raises no key events; a button that cannot be pressed takes nothing.
CommandButton* buttonFor(const Form& form, int keyCode, int shift) {
    if (shift & (vbCtrlMask | vbAltMask)) return nullptr;
    if (keyCode != vbKeyReturn && keyCode != vbKeyEscape) return nullptr;
    const Control* focus = form.activeControl();
    if (keyCode == vbKeyReturn && focus && focus->kind() == Kind::CommandButton) return nullptr;
    for (Control* c : form.controls()) {
        if (c->kind() != Kind::CommandButton) continue;
        auto* b = static_cast<CommandButton*>(c);
        if ((keyCode == vbKeyReturn ? b->Default : b->Cancel) && b->canFocus()) return b;
    }
    return nullptr;
}

// Tab reaches a group of option buttons (those of one container) at its chosen option, as the
// toolkit does; the arrow keys move within the group. Windows whose Enter moves on from the
// chosen option rely on it. A group without a choice is reached at its first option.
bool inTabOrder(const Control* c, const std::vector<Control*>& all) {
    if (!c->TabStop || !c->canFocus()) return false;
    if (c->kind() != Kind::OptionButton) return true;
    const Control* first = nullptr;
    for (const Control* o : all) {
        if (o->kind() != Kind::OptionButton || o->container() != c->container() || !o->TabStop ||
            !o->canFocus())
            continue;
        if (static_cast<const OptionButton*>(o)->Value()) return o == c;
        if (!first || o->TabIndex < first->TabIndex) first = o;
    }
    return first == c;
}
} // namespace

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() {
    removeFromStack(this);
}

rt::Variant Form::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    bool put = kind == rt::CallKind::PropertyPut;
    if (rt::iequals(member, "Name")) return name_;
    if (rt::iequals(member, "Caption")) {
        if (put) return Caption = rt::CStr(args.at(0)), rt::Variant();
        return Caption;
    }
    if (rt::iequals(member, "Tag")) {
        if (put) return Tag = rt::CStr(args.at(0)), rt::Variant();
        return Tag;
    }
    if (rt::iequals(member, "MousePointer")) {
        if (put) return MousePointer = rt::CLng(args.at(0)), rt::Variant();
        return static_cast<int32_t>(MousePointer);
    }
    if (rt::iequals(member, "Hwnd"))
        return static_cast<int32_t>(reinterpret_cast<intptr_t>(this) & 0x7fffffff);
    return rt::Object::invoke(member, kind, args);
}

void Form::Load() {
    if (loaded_) return;
    for (Control* c : controls_)
        c->reset();
    Caption.clear();
    Tag.clear();
    MousePointer = vbDefault;
    active_ = nullptr;
    design();
    loaded_ = true;
    Form_Load();
}

void Form::Show(bool modal, Form* owner) {
    Load();
    if (!loaded_) return;
    visible_ = true;
    if (!modal) {
        activate();
        return;
    }
    Form* previous = activeForm();
    host().showModal(*this, owner);
    removeFromStack(this);
    if (previous && previous != this && previous->loaded()) previous->activate();
}

void Form::activate() {
    auto& s = modalStack();
    removeFromStack(this);
    s.push_back(this);
    Form_Activate();
    // When the window first appears the first control in tab order takes the focus, after the
    // activation (which may have put it elsewhere), with its GotFocus.
    if (!active_ && loaded_) {
        Control* first = nullptr;
        for (Control* c : controls_)
            if (inTabOrder(c, controls_) && (!first || c->TabIndex < first->TabIndex)) first = c;
        if (first) setFocusTo(first);
    }
}

bool Form::Unload() {
    return unloadWith(vbFormCode);
}
bool Form::requestClose() {
    return unloadWith(vbFormControlMenu);
}

bool Form::unloadWith(int mode) {
    if (!loaded_) return true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel || !loaded_) return !loaded_;
    Form_Unload(cancel);
    if (cancel) return false;
    loaded_ = false;
    visible_ = false;
    active_ = nullptr;
    removeFromStack(this);
    host().formUnloaded(*this);
    return true;
}

void Form::PopupMenu(Menu& menu) {
    if (Menu* chosen = host().popupMenu(*this, menu)) chosen->choose();
}

Control* Form::focusTarget() const {
    return loaded_ ? active_ : nullptr;
}

void Form::keyDown(int keyCode, int shift) {
    if (!loaded_ || buttonFor(*this, keyCode, shift)) return;
    int k = keyCode;
    if (KeyPreview) Form_KeyDown(k, shift);
    if (k == 0 || !loaded_) return;
    if (Control* t = focusTarget(); t && t->KeyDown) t->KeyDown(k, shift);
}

void Form::keyPress(int keyAscii) {
    if (!loaded_) return;
    if (CommandButton* b = buttonFor(*this, keyAscii, 0)) {
        b->press();
        return;
    }
    if (keyAscii == vbKeyReturn && active_ && active_->kind() == Kind::ComboBox)
        chooseTypedEntry(*static_cast<ComboBox*>(active_));
    int k = keyAscii;
    if (KeyPreview) Form_KeyPress(k);
    if (k == 0 || !loaded_) return;
    Control* t = focusTarget();
    if (!t) return;
    if (t->KeyPress) t->KeyPress(k);
    if (k == 0 || !loaded_ || active_ != t) return;
    switch (t->kind()) {
    case Kind::TextBox:
        static_cast<TextBox*>(t)->applyKey(k);
        break;
    case Kind::ComboBox:
        applyComboKey(*static_cast<ComboBox*>(t), k);
        break;
    case Kind::CommandButton:
        if (k == vbKeyReturn || k == vbKeySpace) static_cast<CommandButton*>(t)->press();
        break;
    case Kind::CheckBox:
        if (k == vbKeySpace) {
            auto* cb = static_cast<CheckBox*>(t);
            cb->setValue(cb->Value() ? 0 : 1);
        }
        break;
    case Kind::OptionButton:
        if (k == vbKeySpace) static_cast<OptionButton*>(t)->setValue(true);
        break;
    default:
        break;
    }
}

void Form::keyUp(int keyCode, int shift) {
    if (!loaded_ || buttonFor(*this, keyCode, shift)) return;
    int k = keyCode;
    if (KeyPreview) Form_KeyUp(k, shift);
    if (k == 0 || !loaded_) return;
    if (Control* t = focusTarget(); t && t->KeyUp) t->KeyUp(k, shift);
}

void Form::pressKey(int keyCode, int shift) {
    if (!loaded_) return;
    // Tab only moves the focus: it raises no key events.
    if (keyCode == vbKeyTab) {
        tabToNext(shift & vbShiftMask);
        return;
    }
    // A default or cancel button is decided once, so that its click cannot hand the rest of
    // the keystroke to the control.
    if (CommandButton* b = buttonFor(*this, keyCode, shift)) {
        b->press();
        return;
    }
    keyDownAndPress(keyCode, asciiOf(keyCode, shift), shift);
    keyUp(keyCode, shift);
}

void Form::keyDownAndPress(int keyCode, int keyAscii, int shift) {
    const Control* before = active_;
    if (keyCode) keyDown(keyCode, shift);
    if (keyAscii && loaded_ && active_ == before) keyPress(keyAscii);
}

void Form::typeText(const std::string& text) {
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        auto [code, shift] = keyOf(c);
        if (code == vbKeyTab || code == vbKeyReturn || code == vbKeyEscape || code == vbKeyBack) {
            pressKey(code, shift);
            continue;
        }
        // Key codes as the keyboard sends them: "." is the full-stop key, not Delete (46).
        if (code) keyDown(code, shift);
        keyPress(c);
        if (code) keyUp(code, shift);
    }
}

void Form::setFocusTo(Control* c) {
    if (c == active_) return;
    Control* old = active_;
    if (old && old->kind() == Kind::ComboBox) chooseTypedEntry(*static_cast<ComboBox*>(old));
    if (c == active_) return;
    active_ = c;
    if (old && old->LostFocus) old->LostFocus();
    if (c && active_ == c && c->GotFocus) c->GotFocus();
}

void Form::tabToNext(bool backwards) {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (inTabOrder(c, controls_)) order.push_back(c);
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    auto it = std::find(order.begin(), order.end(), active_);
    size_t i = 0;
    if (it == order.end()) {
        // The focus sits on something out of the order (e.g. disabled meanwhile): continue
        // from where its tab index would be.
        int idx = active_ ? active_->TabIndex : -1;
        i = 0;
        while (i < order.size() && order[i]->TabIndex <= idx)
            ++i;
        if (backwards)
            i = (i + order.size() - 1) % order.size();
        else
            i %= order.size();
    } else {
        size_t pos = static_cast<size_t>(it - order.begin());
        i = backwards ? (pos + order.size() - 1) % order.size() : (pos + 1) % order.size();
    }
    setFocusTo(order[i]);
}

Control* Form::find(std::string_view name) const {
    for (Control* c : controls_)
        if (rt::iequals(c->name(), name)) return c;
    return nullptr;
}

Form* activeForm() {
    auto& s = modalStack();
    return s.empty() ? nullptr : s.back();
}

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    return host().messageBox(prompt, buttons, title.empty() ? appTitle() : title);
}

const std::string& appTitle() {
    static const std::string t = "idjrnl08";
    return t;
}

Screen& screen() {
    static Screen s;
    return s;
}

namespace {
std::string& appPathRef() {
    static std::string p = ".";
    return p;
}
} // namespace

const std::string& appPath() {
    return appPathRef();
}
void setAppPath(std::string path) {
    appPathRef() = std::move(path);
}
std::string& appHelpFile() {
    static std::string h;
    return h;
}

} // namespace forms
