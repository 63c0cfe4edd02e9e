#include "WindowFixture.h"

#include "forms/ScriptedHost.h"
#include "voucher/frmJournal.h"

#include <QApplication>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>

void ScriptedQtHost::showModal(forms::Form& form, forms::Form* owner) {
    ++shown[form.name()];
    Script script;
    if (auto& queue = scripts_[form.name()]; !queue.empty()) {
        script = std::move(queue.front());
        queue.pop_front();
    }
    QTimer::singleShot(0, [&form, script] {
        desktop::FormDialog* d = desktop::FormDialog::of(form);
        if (!d) return;
        // As a window manager does, the new window becomes the active one.
        d->activateWindow();
        QApplication::setActiveWindow(d);
        QApplication::processEvents();
        try {
            if (script) script(*d);
        } catch (const std::exception& e) {
            ADD_FAILURE() << form.name() << ": " << desktop::errorText(e);
        }
        if (d->finished() || !form.loaded()) return;
        d->dispatch([&form] { form.requestClose(); });
        if (form.loaded()) d->dispatch([&form] { form.Unload(); });
        if (!d->finished()) d->finish();
    });
    QtHost::showModal(form, owner);
}

int ScriptedQtHost::messageBox(const std::string& prompt, int buttons, const std::string&) {
    prompts.push_back(prompt);
    // A real modal box takes the focus away from the window and gives it back, as a user's does.
    QMessageBox box(QMessageBox::Question, "", QString::fromStdString(prompt), QMessageBox::Ok,
                    desktop::FormDialog::all().empty() ? nullptr : desktop::FormDialog::all().back());
    QTimer::singleShot(0, &box, [&box] { box.accept(); });
    box.exec();
    return answer ? answer : forms::defaultAnswer(buttons);
}

void WindowTest::TearDown() {
    // An editor whose close the test's answers refused stays loaded; the next test must find
    // it closed, as a new session would.
    if (idj::frmJournal::exists() && idj::frmJournal::instance().loaded()) {
        idj::frmJournal::instance().Tag.clear(); // no "Save Changes?"
        idj::frmJournal::instance().Unload();
    }
    idj::FrmMaster& m = idj::FrmMaster::instance();
    if (m.loaded()) m.Unload();
    forms::setHost(nullptr);
}

void WindowTest::browse(ScriptedQtHost::Script script, int16_t user) {
    testsupport::resetContext(db::demo::kCompany, user, db::demo::kCurrentYear);
    host.onShow("FrmMaster", std::move(script));
    idj::FrmMaster& m = idj::FrmMaster::instance();
    m.adocon = demo.conn;
    m.Show(true, nullptr);
    EXPECT_EQ(host.shown["FrmMaster"], 1);
}

void WindowTest::focus(desktop::FormDialog& d, const char* control) {
    QWidget* w = d.widgetOf(control);
    ASSERT_NE(w, nullptr) << control;
    d.activateWindow();
    QApplication::setActiveWindow(&d);
    w->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w) << control;
}

void WindowTest::key(Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target && !desktop::FormDialog::all().empty()) target = desktop::FormDialog::all().back();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, k, modifiers);
}

void WindowTest::type(const QString& text) {
    for (QChar ch : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(ch));
}

void WindowTest::clickVoucher(desktop::FormDialog& d, int id) {
    forms::FlexGrid& grid = browseGrid(d);
    auto* view = widget<QTableView>(d, "GrdMaster");
    for (int r = grid.FixedRows; r < grid.Rows(); ++r) {
        if (grid.TextMatrix(r, 0) != std::to_string(id)) continue;
        QModelIndex at = view->model()->index(r - grid.FixedRows, 1);
        view->scrollTo(at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(at).center());
        return;
    }
    ADD_FAILURE() << "voucher " << id << " not listed";
}

void WindowTest::editVoucher(int id, ScriptedQtHost::Script script) {
    host.onShow("frmJournal", std::move(script));
    browse([id](desktop::FormDialog& d) {
        clickVoucher(d, id);
        focus(d, "GrdMaster");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(host.shown["frmJournal"], 1);
}

void WindowTest::newVoucher(ScriptedQtHost::Script script) {
    host.onShow("frmJournal", std::move(script));
    browse([](desktop::FormDialog& d) {
        focus(d, "cmdNew");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(host.shown["frmJournal"], 1);
}
