#include "forms/TextEdit.h"

#include "runtime/Utf8.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace forms {

namespace {

// Holds back the box's Change while the edit is tried character by character, and puts the box
// back as it was unless the edit is kept (also when a KeyPress handler raises).
class TrialEdit {
  public:
    explicit TrialEdit(TextBox& box)
        : box_(box), text_(box.Text()), selStart_(box.SelStart), selLength_(box.SelLength),
          change_(std::exchange(box.Change, nullptr)) {}
    ~TrialEdit() {
        if (!kept_) {
            box_.setText(text_);
            box_.SelStart = selStart_;
            box_.SelLength = selLength_;
            box_.touch();
        }
        box_.Change = std::move(change_);
    }
    TrialEdit(const TrialEdit&) = delete;
    TrialEdit& operator=(const TrialEdit&) = delete;

    void keep() { kept_ = true; }

  private:
    TextBox& box_;
    std::string text_;
    int selStart_, selLength_;
    std::function<void()> change_;
    bool kept_ = false;
};

// Types `inserted` over the box's selection, each character through the box's KeyPress.
bool typeOver(TextBox& box, const std::string& inserted) {
    // Only removed: as Backspace over the selection.
    if (inserted.empty()) return box.applyKey(vbKeyBack);
    for (char c : inserted) {
        int key = static_cast<unsigned char>(c);
        // Control characters are keys (Enter, shortcuts), never text.
        if (key < 32) return false;
        if (box.KeyPress) box.KeyPress(key);
        if (key == 0 || !box.applyKey(key)) return false;
    }
    return true;
}

} // namespace

bool editText(TextBox& box, const std::string& text) {
    const std::string old = box.Text();
    if (text == old) return true;
    if (box.Locked) return false;
    if (box.MaxLength > 0 && rt::charCount(text) > static_cast<size_t>(box.MaxLength)) return false;

    // The part of the old text the edit replaced, and what it put there.
    size_t prefix = 0;
    const size_t shorter = std::min(old.size(), text.size());
    while (prefix < shorter && old[prefix] == text[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;

    {
        TrialEdit trial(box);
        box.SelStart = static_cast<int>(prefix);
        box.SelLength = static_cast<int>(old.size() - suffix - prefix);
        if (!typeOver(box, text.substr(prefix, text.size() - suffix - prefix))) return false;
        trial.keep();
    }
    if (box.Change && box.Text() != old) box.Change();
    return true;
}

} // namespace forms
