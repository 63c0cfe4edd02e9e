#include "forms/ScriptedHost.h"

#include "forms/Menu.h"

namespace forms {

void ScriptedHost::onShow(const std::string& formName, Script script) {
    scripts_[formName].push_back(std::move(script));
}

void ScriptedHost::onEveryShow(const std::string& formName, Script script) {
    always_[formName] = std::move(script);
}

void ScriptedHost::answer(int result) {
    answers_.push_back(result);
}
void ScriptedHost::choose(const std::string& menuItemName) {
    choices_.push_back(menuItemName);
}

void ScriptedHost::showModal(Form& form, Form*) {
    shown.push_back(form.name());
    form.activate();
    Script script;
    if (auto it = scripts_.find(form.name()); it != scripts_.end() && !it->second.empty()) {
        script = std::move(it->second.front());
        it->second.pop_front();
    } else if (auto a = always_.find(form.name()); a != always_.end()) {
        script = a->second;
    }
    if (script && form.loaded()) script(form);
    // A window the script left open is closed by code, as a user would close it.
    if (form.loaded()) form.Unload();
}

void ScriptedHost::formUnloaded(Form&) {}

int ScriptedHost::messageBox(const std::string& prompt, int buttons, const std::string& title) {
    int result = defaultAnswer(buttons);
    if (!answers_.empty()) {
        result = answers_.front();
        answers_.pop_front();
    }
    messages.push_back({prompt, buttons, title, result});
    return result;
}

Menu* ScriptedHost::popupMenu(Form&, Menu& menu) {
    popups.push_back(menu.name());
    if (choices_.empty()) return nullptr;
    std::string choice = choices_.front();
    choices_.pop_front();
    for (Menu* item : menu.items)
        if (item->name() == choice) return item;
    return nullptr;
}

int defaultButtonIndex(int style, int buttonCount) {
    const int def = (style >> 8) & 3;
    return def < buttonCount ? def : 0;
}

int defaultAnswer(int buttons) {
    static const std::vector<int> sets[6] = {
        {vbOK},        {vbOK, vbCancel},   {vbAbort, vbRetry, vbIgnore}, {vbYes, vbNo, vbCancel},
        {vbYes, vbNo}, {vbRetry, vbCancel}};
    int set = buttons & 7;
    if (set > 5) set = 0;
    const std::vector<int>& answers = sets[set];
    return answers[static_cast<size_t>(defaultButtonIndex(buttons, static_cast<int>(answers.size())))];
}

} // namespace forms
