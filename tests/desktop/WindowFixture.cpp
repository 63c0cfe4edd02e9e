#include "WindowFixture.h"

#include "forms/ScriptedHost.h"
#include "voucher/frmJournal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
    const int before = host.shown["FrmMaster"];
    m.Show(true, nullptr);
    EXPECT_EQ(host.shown["FrmMaster"], before + 1);
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
    for (int r = grid.FixedRows; r < grid.Rows(); ++r)
        if (grid.TextMatrix(r, 0) == std::to_string(id)) return clickRow(d, r);
    ADD_FAILURE() << "voucher " << id << " not listed";
}

void WindowTest::clickRow(desktop::FormDialog& d, int row) {
    auto* view = widget<QTableView>(d, "GrdMaster");
    QModelIndex at = view->model()->index(row - browseGrid(d).FixedRows, 1);
    view->scrollTo(at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(at).center());
}

void WindowTest::choose(desktop::FormDialog& d, const char* combo, const QString& entry) {
    auto* box = widget<QComboBox>(d, combo);
    ASSERT_NE(box, nullptr) << combo;
    const int wanted = box->findText(entry);
    ASSERT_GE(wanted, 0) << entry.toStdString();
    focus(d, combo);
    // From no choice, Down takes the first entry.
    if (box->currentIndex() == wanted) key(wanted > 0 ? Qt::Key_Up : Qt::Key_Down);
    while (box->currentIndex() != wanted) {
        const int was = box->currentIndex();
        key(was < wanted ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(box->currentIndex(), was) << combo << " does not move";
    }
}

void WindowTest::searchAll(desktop::FormDialog& d, const QString& letter, const QString& text) {
    auto* all = widget<QCheckBox>(d, "chkSearchAll");
    if (!all->isChecked()) QTest::mouseClick(all, Qt::LeftButton, {}, all->rect().center());
    ASSERT_TRUE(all->isChecked());
    focus(d, "cboSearch");
    type(letter);
    focus(d, "txtsearch");
    type(text);
    key(Qt::Key_Return);
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
