#pragma once
// The text box: typed text, caret and selection, length limit.
#include "forms/Control.h"

namespace forms {

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

} // namespace forms
