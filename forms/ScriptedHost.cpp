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

int defaultAnswer(int buttons) {
    static const int sets[6][3] = {{vbOK, vbOK, vbOK},           {vbOK, vbCancel, vbCancel},
                                   {vbAbort, vbRetry, vbIgnore}, {vbYes, vbNo, vbCancel},
                                   {vbYes, vbNo, vbNo},          {vbRetry, vbCancel, vbCancel}};
    int set = buttons & 7;
    if (set > 5) set = 0;
    int def = (buttons >> 8) & 3;
    if (def > 2) def = 0;
    return sets[set][def];
}

} // namespace forms
