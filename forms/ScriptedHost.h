#pragma once
// A host without a display: tests script the user's part (what happens in each modal window,
// the answer to each message box, the choice in each popup menu) and it records what was shown.
#include "forms/Form.h"
#include "forms/Host.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace forms {

struct MessageRecord {
    std::string prompt;
    int buttons = 0;
    std::string title;
    int answer = 0;
};

class ScriptedHost : public Host {
  public:
    using Script = std::function<void(Form&)>;

    // The next modal show of the named window runs this script, then closes the window by
    // code if the script left it open.
    void onShow(const std::string& formName, Script script);
    // Every show of the window runs this script when no queued one is left.
    void onEveryShow(const std::string& formName, Script script);
    // Answers for the next message boxes, in order; without one the default button answers.
    void answer(int result);
    // Choices for the next popup menus by item name; "" dismisses the menu.
    void choose(const std::string& menuItemName);

    std::vector<MessageRecord> messages;
    std::vector<std::string> shown;
    std::vector<std::string> popups;

    // The last message's prompt, or "" when none was shown.
    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().prompt; }

    void showModal(Form& form, Form* owner) override;
    void formUnloaded(Form& form) override;
    int messageBox(const std::string& prompt, int buttons, const std::string& title) override;
    Menu* popupMenu(Form& form, Menu& menu) override;

  private:
    std::map<std::string, std::deque<Script>> scripts_;
    std::map<std::string, Script> always_;
    std::deque<int> answers_;
    std::deque<std::string> choices_;
};

// Which of a message box's buttons is its default: the one its style names, the first when the
// style names one past the last (as the suite's message boxes do).
int defaultButtonIndex(int style, int buttonCount);
// The default button's answer of a message-box style.
int defaultAnswer(int buttons);

} // namespace forms
