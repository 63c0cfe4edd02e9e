#pragma once
// Menus and their items.
#include "forms/Control.h"

namespace forms {

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

} // namespace forms
