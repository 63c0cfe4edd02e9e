#pragma once
// What a front end provides to the window models: modal show, message boxes and popup menus.
#include <string>

namespace forms {

class Form;
class Menu;

class Host {
  public:
    virtual ~Host() = default;
    // Runs the window modally and returns once it has been unloaded. The host activates it
    // when it first appears.
    virtual void showModal(Form& form, Form* owner) = 0;
    // Called by a window as it unloads; a modal loop for it ends.
    virtual void formUnloaded(Form& form) = 0;
    // Returns one of the MsgBoxResult values.
    virtual int messageBox(const std::string& prompt, int buttons, const std::string& title) = 0;
    // The chosen item, or null when the menu was dismissed.
    virtual Menu* popupMenu(Form& form, Menu& menu) = 0;
};

// The process's host. Until one is set, a scripted host with no scripts answers (every
// message gets its default button, every modal window closes at once).
Host& host();
void setHost(Host* h);

} // namespace forms
