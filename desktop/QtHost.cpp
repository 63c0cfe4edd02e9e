#include "desktop/QtHost.h"

#include "ado/Ado.h"
#include "desktop/BusyCursor.h"
#include "desktop/FormDialog.h"
#include "desktop/LockWait.h"
#include "desktop/MessageBoxStyle.h"
#include "desktop/QtConvert.h"
#include "forms/Controls.h"
#include "forms/ScriptedHost.h"

#include <QAbstractButton>
#include <QCursor>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <iostream>
#include <map>

namespace desktop {

namespace {
QWidget* innermost() {
    const auto& open = FormDialog::all();
    return open.empty() ? nullptr : open.back();
}

// When a modal window closes, the window beneath takes the keyboard back itself: without a
// window manager to hand it over, the keys would go nowhere until the user clicks.
class GivesKeyboardBack {
  public:
    explicit GivesKeyboardBack(QWidget* beneath) : beneath_(beneath) {}
    ~GivesKeyboardBack() {
        if (beneath_ && beneath_->isVisible()) beneath_->activateWindow();
    }
    GivesKeyboardBack(const GivesKeyboardBack&) = delete;
    GivesKeyboardBack& operator=(const GivesKeyboardBack&) = delete;

  private:
    QPointer<QWidget> beneath_;
};

void addItems(QMenu& qmenu, forms::Menu& menu, std::map<QAction*, forms::Menu*>& actions) {
    for (forms::Menu* item : menu.items) {
        if (!item->Visible) continue;
        if (item->separator()) {
            qmenu.addSeparator();
            continue;
        }
        if (!item->items.empty()) {
            QMenu* sub = qmenu.addMenu(qs(item->Caption));
            sub->setEnabled(item->Enabled);
            addItems(*sub, *item, actions);
            continue;
        }
        QAction* a = qmenu.addAction(qs(item->Caption));
        a->setEnabled(item->Enabled);
        actions[a] = item;
    }
}
// A screen reader names the box's icon by the kind of message, and its row of buttons.
void nameParts(QMessageBox& box) {
    static const std::map<QMessageBox::Icon, const char*> kinds{{QMessageBox::Information, "Information"},
                                                                {QMessageBox::Question, "Question"},
                                                                {QMessageBox::Warning, "Warning"},
                                                                {QMessageBox::Critical, "Error"}};
    if (auto it = kinds.find(box.icon()); it != kinds.end())
        if (auto* icon = box.findChild<QLabel*>("qt_msgboxex_icon_label"))
            icon->setAccessibleName(it->second);
    if (auto* buttons = box.findChild<QDialogButtonBox*>()) buttons->setAccessibleName("Answers");
}

} // namespace

QtHost::QtHost() : timers_(std::make_unique<QObject>()) {
    watchLockWaits();
    ScreenshotRequest r = screenshotFromEnvironment();
    if (r.wanted()) setScreenshot(std::move(r));
}

QtHost::~QtHost() {
    ado::setLockWaitHandler({});
}

void QtHost::setScreenshot(const std::string& path, int afterMs, const std::string& window) {
    ScreenshotRequest r;
    r.path = path;
    r.afterMs = afterMs;
    chooseWindow(r, window);
    setScreenshot(std::move(r));
}

void QtHost::setScreenshot(ScreenshotRequest request) {
    shot_ = std::move(request);
    shown_ = 0;
    taken_ = false;
    error_.clear();
    if (shot_.wanted()) unattended_ = true;
}

void QtHost::showModal(forms::Form& form, forms::Form* owner) {
    UserWaits waits;
    if (closing_) {
        // A run without a user is ending: nothing more is shown.
        form.Unload();
        return;
    }
    if (shot_.wanted() && !deadlineSet_) {
        deadlineSet_ = true;
        QTimer::singleShot(shot_.timeoutMs, timers_.get(), [this] {
            if (taken_ || closing_) return;
            error_ = "no window matching the screenshot request was shown";
            closeNext();
        });
    }
    FormDialog* ownerDialog = owner ? FormDialog::of(*owner) : nullptr;
    QWidget* beneath = ownerDialog ? ownerDialog : innermost();
    GivesKeyboardBack back(beneath); // after the dialog is gone
    FormDialog dialog(form, beneath);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.sync();
    dialog.show();
    dialog.dispatch([&form] { form.activate(); });
    if (dialog.finished() || !form.loaded()) return;
    dialog.setLive(true);
    dialog.sync();
    ++shown_;
    if (shot_.wanted() && !taken_ && shot_.matches(form.name(), shown_))
        QTimer::singleShot(shot_.afterMs, &dialog, [this, &dialog] { takeScreenshot(dialog); });
    else if (actions_.count(form.name()))
        QTimer::singleShot(100, &dialog, [this, &dialog] { runActions(dialog); });
    dialog.exec();
    dialog.hide();
}

void QtHost::addAction(const std::string& window, const std::string& action) {
    actions_[window].push_back(action);
}

void QtHost::runActions(FormDialog& dialog) {
    forms::Form& form = dialog.form();
    std::vector<std::string> actions = std::move(actions_[form.name()]);
    actions_.erase(form.name());
    for (const std::string& action : actions) {
        const size_t eq = action.find('=');
        const std::string name = action.substr(0, eq);
        forms::Control* c = form.find(name);
        if (!c) {
            std::cerr << "idjrnl: " << form.name() << " has no control " << name << '\n';
            continue;
        }
        dialog.dispatch([&] {
            if (eq != std::string::npos) {
                const std::string value = action.substr(eq + 1);
                if (c->kind() == forms::Kind::FlexGrid) {
                    auto* g = static_cast<forms::FlexGrid*>(c);
                    for (int r = g->FixedRows; r < g->Rows(); ++r)
                        if (g->TextMatrix(r, 0) == value) {
                            g->setRow(r);
                            g->setTopRow(r);
                        }
                } else if (c->kind() == forms::Kind::ListView) {
                    static_cast<forms::ListView*>(c)->select(std::stoi(value));
                }
            } else if (c->kind() == forms::Kind::CommandButton) {
                static_cast<forms::CommandButton*>(c)->press();
            } else if (c->kind() == forms::Kind::Menu) {
                static_cast<forms::Menu*>(c)->choose();
            }
        });
        if (dialog.finished()) return;
    }
}

void QtHost::formUnloaded(forms::Form& form) {
    if (FormDialog* d = FormDialog::of(form)) d->finish();
}

void QtHost::takeScreenshot(FormDialog& dialog) {
    QPixmap image = dialog.grab();
    if (image.isNull())
        error_ = "the window could not be painted";
    else if (shot_.writesFile() && !image.save(qs(shot_.path), "PNG"))
        error_ = "could not write the screenshot to " + shot_.path;
    else
        taken_ = true;
    closeNext();
}

void QtHost::closeNext() {
    closing_ = true;
    const auto& open = FormDialog::all();
    FormDialog* d = nullptr;
    for (auto it = open.rbegin(); it != open.rend() && !d; ++it)
        if (!(*it)->finished()) d = *it;
    if (!d) return;
    forms::Form& f = d->form();
    d->dispatch([&f] { f.requestClose(); });
    if (f.loaded()) d->dispatch([&f] { f.Unload(); });
    if (!d->finished()) d->finish();
    // The next window out closes from its own loop, once this one's has ended.
    QTimer::singleShot(0, timers_.get(), [this] { closeNext(); });
}

int QtHost::messageBox(const std::string& prompt, int buttons, const std::string& title) {
    UserWaits waits;
    if (unattended_) {
        int answer = forms::defaultAnswer(buttons);
        std::cerr << "message box \"" << title << "\": " << prompt << " -> " << answer << '\n';
        return answer;
    }
    const MessageBoxSpec spec = messageBoxSpec(buttons);
    GivesKeyboardBack back(innermost());
    QMessageBox box(spec.icon, qs(title), qs(prompt), QMessageBox::NoButton, innermost());
    for (QMessageBox::StandardButton b : spec.buttons)
        box.addButton(b);
    box.setDefaultButton(spec.defaultButton);
    nameParts(box);
    if (spec.escapeButton != QMessageBox::NoButton) box.setEscapeButton(spec.escapeButton);
    box.exec();
    box.hide();
    QAbstractButton* clicked = box.clickedButton();
    int result = clicked ? msgBoxResult(box.standardButton(clicked)) : 0;
    if (!result)
        result =
            msgBoxResult(spec.escapeButton != QMessageBox::NoButton ? spec.escapeButton : spec.defaultButton);
    return result;
}

forms::Menu* QtHost::popupMenu(forms::Form& form, forms::Menu& menu) {
    UserWaits waits;
    if (unattended_) {
        std::cerr << "popup menu " << menu.name() << ": no choice\n";
        return nullptr;
    }
    FormDialog* owner = FormDialog::of(form);
    QMenu qmenu(owner ? static_cast<QWidget*>(owner) : innermost());
    std::map<QAction*, forms::Menu*> actions;
    addItems(qmenu, menu, actions);
    QAction* chosen = qmenu.exec(QCursor::pos());
    auto it = actions.find(chosen);
    return it == actions.end() ? nullptr : it->second;
}

} // namespace desktop
