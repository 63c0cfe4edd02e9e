#pragma once
// The Qt front end of the window models: each modal show becomes a QDialog run with exec(),
// message boxes become QMessageBoxes and popup menus QMenus. Needs a QApplication.
#include "desktop/Screenshot.h"
#include "forms/Host.h"

#include <QObject>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

class FormDialog;

class QtHost : public forms::Host {
  public:
    // Takes a screenshot request from the environment (Screenshot.h), if there is one.
    QtHost();
    ~QtHost() override;

    // Renders the chosen window (default the first shown) to a PNG `afterMs` after it appears,
    // then closes every window through its model. Message boxes and menus then answer by
    // themselves, so a run without a user ends.
    void setScreenshot(const std::string& path, int afterMs = 500, const std::string& window = {});
    void setScreenshot(ScreenshotRequest request);
    bool screenshotTaken() const { return taken_; }
    // Why no screenshot was written, empty when none was asked for or it was written.
    const std::string& screenshotError() const { return error_; }

    // Message boxes answer with their default button and popup menus with no choice, each
    // written to stderr: for runs without a user.
    void setUnattended(bool on) { unattended_ = on; }
    bool unattended() const { return unattended_; }

    // Acts for a user once the named window is up: "control" presses a button or chooses a
    // menu item, "control=N" makes the grid row of voucher N (column 0) or list item N current.
    // For demonstrations and screenshots of windows that only a user's click opens.
    void addAction(const std::string& window, const std::string& action);

    void showModal(forms::Form& form, forms::Form* owner) override;
    void formUnloaded(forms::Form& form) override;
    int messageBox(const std::string& prompt, int buttons, const std::string& title) override;
    forms::Menu* popupMenu(forms::Form& form, forms::Menu& menu) override;

  private:
    void takeScreenshot(FormDialog& dialog);
    void runActions(FormDialog& dialog);
    void closeNext();

    ScreenshotRequest shot_;
    int shown_ = 0;
    bool taken_ = false;
    bool closing_ = false;
    bool deadlineSet_ = false;
    bool unattended_ = false;
    std::string error_;
    std::map<std::string, std::vector<std::string>> actions_;
    std::unique_ptr<QObject> timers_; // context of this host's timers
};

} // namespace desktop
