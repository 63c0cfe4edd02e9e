#include "forms/Menu.h"

namespace forms {

Menu::Menu(Form& f, std::string name, std::string caption, Menu* parentMenu)
    : Control(f, std::move(name), Kind::Menu, parentMenu), designCaption(std::move(caption)) {
    Caption = designCaption;
    if (parentMenu) parentMenu->items.push_back(this);
}

void Menu::reset() {
    Control::reset();
    Caption = designCaption;
}

void Menu::choose() {
    if (!Enabled || separator()) return;
    fire(Click);
}

} // namespace forms
