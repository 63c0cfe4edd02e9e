#pragma once
// The component's real windows over a copy of the demo database, rendered by the Qt host and
// driven with QTest keys and mouse clicks. Each shown window runs the script queued for it
// inside its own modal loop; a window without a script is closed as soon as it is up.
#include "browser/FrmMaster.h"
#include "desktop/FormDialog.h"
#include "desktop/QtHost.h"
#include "forms/Controls.h"
#include "support/DemoDb.h"

#include <QTest>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

class ScriptedQtHost : public desktop::QtHost {
  public:
    using Script = std::function<void(desktop::FormDialog&)>;
    // Runs `script` the next time the window is shown.
    void onShow(const std::string& form, Script script) { scripts_[form].push_back(std::move(script)); }

    void showModal(forms::Form& form, forms::Form* owner) override;
    // Records the prompt and answers with `answer` (the default answer when 0).
    int messageBox(const std::string& prompt, int buttons, const std::string& title) override;

    std::map<std::string, int> shown; // times each window was shown
    std::vector<std::string> prompts;
    int answer = 0;

  private:
    std::map<std::string, std::deque<Script>> scripts_;
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { forms::setHost(&host); }
    void TearDown() override;

    // Opens the browse window as the admin of the demo company and runs `script` in it.
    void browse(ScriptedQtHost::Script script, int16_t user = db::demo::kAdmin);

    // Gives a control's widget the keyboard focus, as a click or Tab would.
    static void focus(desktop::FormDialog& d, const char* control);
    // A keystroke at the widget that has the focus, as the keyboard delivers it.
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void type(const QString& text);
    // The widget of a control of the innermost window.
    template <class W = QWidget> static W* widget(desktop::FormDialog& d, const char* control) {
        return qobject_cast<W*>(d.widgetOf(control));
    }
    // A control of a window's model, by name.
    template <class C> static C& control(desktop::FormDialog& d, const char* name) {
        return static_cast<C&>(*d.form().find(name));
    }
    static forms::FlexGrid& browseGrid(desktop::FormDialog& d) {
        return control<forms::FlexGrid>(d, "GrdMaster");
    }
    // Makes the grid row of a voucher current, as a click on it does.
    static void clickVoucher(desktop::FormDialog& d, int id);
    static void clickRow(desktop::FormDialog& d, int row);
    // Chooses a list entry of a combo with the arrow keys, as the keyboard does.
    static void choose(desktop::FormDialog& d, const char* combo, const QString& entry);
    // Ticks "Search All", chooses the column by its letter and types `text` and Enter.
    static void searchAll(desktop::FormDialog& d, const QString& letter, const QString& text);
    // From the browse window, voucher `id` opened with Enter in the grid; `script` runs in the editor.
    void editVoucher(int id, ScriptedQtHost::Script script);

    testsupport::DemoDb demo;
    ScriptedQtHost host;
};
