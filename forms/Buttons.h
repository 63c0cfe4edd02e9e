#pragma once
// Command buttons, check boxes and option buttons.
#include "forms/Control.h"

namespace forms {

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

} // namespace forms
