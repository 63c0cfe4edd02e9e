// Keys on the real windows: each keystroke acts once, combos choose by what is typed, and F1
// opens the focused window's help.
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTextBrowser>

namespace {

using desktop::FormDialog;

// The controls of a window that a screen reader announces without a name.
std::vector<std::string> unnamed(FormDialog& d) {
    std::vector<std::string> out;
    for (forms::Control* c : d.form().controls()) {
        QWidget* w = d.widgetOf(*c);
        if (!w || c->kind() == forms::Kind::Label || c->kind() == forms::Kind::PictureBox) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty()) out.push_back(c->name());
    }
    return out;
}

// Resizing the window grows `grown` by as much and keeps `below` at the same distance from the bottom.
void growsWith(FormDialog& d, const char* grown, const char* below, QSize by) {
    QWidget* g = d.widgetOf(grown);
    QWidget* b = below ? d.widgetOf(below) : nullptr;
    const QSize size = g->size();
    const QPoint at = b ? b->mapTo(&d, QPoint()) : QPoint();
    d.resize(d.size() + by);
    QApplication::processEvents();
    EXPECT_EQ(g->size(), size + by) << grown;
    if (b) {
        EXPECT_EQ(b->mapTo(&d, QPoint()), at + QPoint(0, by.height())) << below;
    }
}

TEST_F(WindowTest, TheVoucherWindowsActOnceOnEachKeyNameEveryControlAndGrowWithTheirFrame) {
    const std::vector<std::string> none;
    std::string ratesBefore;
    bool closedByEsc = false;
    int linesBefore = -1, linesAfter = -1;
    host.onShow("frmExchangerate", [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), none);
        ratesBefore = idj::ctx().GStrExchangeRates;
        growsWith(d, "mfgitem", "cmdOk", QSize(120, 80));
        key(Qt::Key_Escape);
        closedByEsc = !d.form().loaded() && d.finished();
    });
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), none);
        for (const char* name : {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"}) {
            auto* b = widget<QPushButton>(d, name);
            ASSERT_NE(b, nullptr) << name;
            EXPECT_FALSE(b->icon().isNull()) << name;
            EXPECT_FALSE(b->toolTip().isEmpty()) << name;
        }
        QAccessibleInterface* debit = QAccessible::queryAccessibleInterface(widget(d, "optDebit"));
        ASSERT_NE(debit, nullptr);
        EXPECT_EQ(debit->role(), QAccessible::RadioButton);
    });
    editVoucher(db::demo::kTwelveLineVoucher, [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), none);
        growsWith(d, "lvwJournal", nullptr, QSize(200, 150));
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
        EXPECT_EQ(idj::ctx().GStrExchangeRates, ratesBefore);
        d.dispatch([&] { control<forms::Menu>(d, "mnuAdd").choose(); });
        auto& list = control<forms::ListView>(d, "lvwJournal");
        linesBefore = list.Count();
        host.answer = forms::vbYes;
        list.select(3);
        focus(d, "lvwJournal");
        key(Qt::Key_Delete);
        linesAfter = list.Count();
    });
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
    EXPECT_EQ(host.shown["frmJournalDetails"], 1);
    EXPECT_TRUE(closedByEsc);
    int asked = 0;
    for (const std::string& p : host.prompts)
        asked += p.rfind("Do you want to remove transaction", 0) == 0;
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(linesAfter, linesBefore - 1);
}

TEST_F(WindowTest, CtrlEnterIsANewVoucherWhereATypedNameChoosesTheDepartmentAndAccount) {
    std::string mode;
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        auto& department = control<forms::ComboBox>(d, "cboDepartment");
        focus(d, "cboDepartment");
        type("export division");
        key(Qt::Key_Return);
        ASSERT_GE(department.ListIndex(), 0);
        EXPECT_EQ(department.List(department.ListIndex()), "Export Division");
        auto& account = control<forms::ComboBox>(d, "cboAccountID");
        ASSERT_GT(account.ListCount(), 0);
        focus(d, "cboAccountID");
        type(QString::fromStdString(account.List(account.ListCount() - 1)));
        key(Qt::Key_Tab);
        EXPECT_EQ(account.ListIndex(), account.ListCount() - 1);
    });
    host.onShow("frmJournal", [&](FormDialog& d) {
        mode = idj::ctx().GStrMasterNewEditFlag;
        d.dispatch([&] { control<forms::Menu>(d, "mnuAdd").choose(); });
    });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(host.shown["frmJournal"], 1);
    EXPECT_EQ(mode, "N");
    EXPECT_EQ(host.shown["frmJournalDetails"], 1);
}

QTextBrowser* helpText() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "helpWindow" && w->isVisible()) return w->findChild<QTextBrowser*>("helpText");
    return nullptr;
}

TEST_F(WindowTest, F1OpensTheHelpPageOfTheFocusedWindow) {
    forms::setAppPath(IDJ_BIN_DIR);
    QString browsePage, ratesPage;
    host.onShow("frmExchangerate", [&](FormDialog&) {
        key(Qt::Key_F1);
        if (QTextBrowser* t = helpText()) ratesPage = t->source().fileName();
    });
    host.onShow("frmJournal", [&](FormDialog& d) {
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
    });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_F1);
        QTextBrowser* t = helpText();
        ASSERT_NE(t, nullptr);
        browsePage = t->source().fileName();
        EXPECT_TRUE(t->toPlainText().contains("Ctrl+Enter"));
        EXPECT_TRUE(d.form().loaded()); // the window stays as it was
        t->window()->close();
        clickVoucher(d, 288);
        focus(d, "GrdMaster");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(browsePage, "FrmMaster.html");
    EXPECT_EQ(ratesPage, "frmExchangerate.html");
}

} // namespace
