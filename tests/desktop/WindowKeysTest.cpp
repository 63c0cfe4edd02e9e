// Keys on the real windows: each keystroke acts once, the browse grid's keys work from every
// state of the grid, combos choose by what is typed, and F1 opens the focused window's help.
#include "WindowFixture.h"

#include <QApplication>
#include <QTableView>
#include <QTextBrowser>

namespace {

using desktop::FormDialog;

TEST_F(WindowTest, F9OpensTheRatesOnceEscClosesThemAndDeleteRemovesOneLine) {
    int linesBefore = -1, linesAfter = -1;
    bool closedByEsc = false;
    std::string ratesBefore;
    host.onShow("frmExchangerate", [&](FormDialog& d) {
        ratesBefore = idj::ctx().GStrExchangeRates;
        key(Qt::Key_Escape);
        closedByEsc = !d.form().loaded() && d.finished();
    });
    editVoucher(288, [&](FormDialog& d) {
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
        EXPECT_EQ(idj::ctx().GStrExchangeRates, ratesBefore);
        auto& list = control<forms::ListView>(d, "lvwJournal");
        linesBefore = list.Count();
        host.answer = forms::vbYes;
        list.select(3);
        focus(d, "lvwJournal");
        key(Qt::Key_Delete);
        linesAfter = list.Count();
    });
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
    EXPECT_TRUE(closedByEsc);
    int asked = 0;
    for (const std::string& p : host.prompts)
        asked += p.rfind("Do you want to remove transaction", 0) == 0;
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(linesAfter, linesBefore - 1);
}

TEST_F(WindowTest, CtrlEnterInTheGridIsANewVoucher) {
    std::string mode;
    host.onShow("frmJournal", [&](FormDialog&) { mode = idj::ctx().GStrMasterNewEditFlag; });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(host.shown["frmJournal"], 1);
    EXPECT_EQ(mode, "N");
}

TEST_F(WindowTest, ArrowsMoveTheRowAfterLoadSearchAndRefresh) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = browseGrid(d);
        focus(d, "GrdMaster");
        const int last = g.Rows() - 1;
        ASSERT_EQ(g.Row(), last);
        key(Qt::Key_Up);
        EXPECT_EQ(g.Row(), last - 1);
        key(Qt::Key_Home);
        EXPECT_EQ(g.Row(), 1);
        key(Qt::Key_PageDown);
        EXPECT_GT(g.Row(), 2);
        key(Qt::Key_End);
        EXPECT_EQ(g.Row(), last);
        key(Qt::Key_PageUp);
        EXPECT_LT(g.Row(), last - 1);
        // The model puts the current cell in the hidden column 0, as a refresh does.
        d.dispatch([&] {
            g.setRow(5);
            g.setCol(0);
        });
        key(Qt::Key_Down);
        EXPECT_EQ(g.Row(), 6);
        EXPECT_GT(widget<QTableView>(d, "GrdMaster")->currentIndex().column(), 0);
    });
}

TEST_F(WindowTest, ALetterInSearchOnChoosesItsColumnAndAgainTheNextOne) {
    browse([&](FormDialog& d) {
        auto& search = control<forms::ComboBox>(d, "cboSearch");
        focus(d, "cboSearch");
        type("p");
        EXPECT_EQ(search.Text(), "Posted");
        focus(d, "cboSearch");
        type("Cc");
        EXPECT_EQ(search.Text(), "Confirmed");
    });
}

TEST_F(WindowTest, ANameTypedInFullAndEnterOrTabChooseTheDepartmentAndAccount) {
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
    newVoucher([&](FormDialog& d) { d.dispatch([&] { control<forms::Menu>(d, "mnuAdd").choose(); }); });
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
