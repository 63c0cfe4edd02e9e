// Keys on the real windows: each keystroke acts once, and the browse grid's keys do what
// the window promises from every state of the grid.
#include "WindowFixture.h"

#include "forms/Controls.h"

#include <QApplication>
#include <QTableView>

namespace {

using desktop::FormDialog;

forms::FlexGrid& gridOf(FormDialog& d) {
    return static_cast<forms::FlexGrid&>(*d.form().find("GrdMaster"));
}

class WindowKeys : public WindowTest {
  protected:
    // Opens voucher `id` in the editor from the browse window and runs `script` there.
    void edit(int id, ScriptedQtHost::Script script) {
        host.onShow("frmJournal", std::move(script));
        browse([id](FormDialog& d) {
            clickVoucher(d, id);
            focus(d, "GrdMaster");
            key(Qt::Key_Return);
        });
        EXPECT_EQ(host.shown["frmJournal"], 1);
    }
};

TEST_F(WindowKeys, F9OpensTheRatesOnceAndDeleteRemovesOneLine) {
    int linesBefore = -1, linesAfter = -1;
    edit(288, [&](FormDialog& d) {
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
        auto& list = static_cast<forms::ListView&>(*d.form().find("lvwJournal"));
        linesBefore = list.Count();
        host.answer = forms::vbYes;
        list.select(3);
        focus(d, "lvwJournal");
        key(Qt::Key_Delete);
        linesAfter = list.Count();
    });
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
    int asked = 0;
    for (const std::string& p : host.prompts)
        asked += p.rfind("Do you want to remove transaction", 0) == 0;
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(linesAfter, linesBefore - 1);
}

TEST_F(WindowKeys, EscClosesTheRatesAsCloseDoes) {
    bool closedByEsc = false;
    std::string ratesBefore;
    host.onShow("frmExchangerate", [&](FormDialog& d) {
        ratesBefore = idj::ctx().GStrExchangeRates;
        key(Qt::Key_Escape);
        closedByEsc = !d.form().loaded() && d.finished();
    });
    edit(145, [&](FormDialog& d) {
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
    });
    EXPECT_TRUE(closedByEsc);
    EXPECT_EQ(idj::ctx().GStrExchangeRates, ratesBefore);
}

TEST_F(WindowKeys, CtrlEnterInTheGridIsANewVoucher) {
    std::string mode;
    host.onShow("frmJournal", [&](FormDialog&) { mode = idj::ctx().GStrMasterNewEditFlag; });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(host.shown["frmJournal"], 1);
    EXPECT_EQ(mode, "N");
}

TEST_F(WindowKeys, ArrowsMoveTheRowAfterLoadSearchAndRefresh) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = gridOf(d);
        auto* view = widget<QTableView>(d, "GrdMaster");
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
        EXPECT_GT(view->currentIndex().column(), 0);
    });
}

} // namespace
