// Cancelling a posting: only the voucher's own live general journal entries are cancelled,
// the posted flag is cleared and the row updated in place; a failure changes neither table.
#include "BrowseFixture.h"

using idj::FrmMaster;
using CancelPostingTest = BrowseTest;

namespace {

// Voucher 283's posted flag, then its live general journal rows: its own ('J', its date,
// company 1) and the decoys.
std::string state(testsupport::DemoDb& demo) {
    return demo.scalar(
        "select h.Posted || ':' || sum(g.companyid=1 and g.Type='J' and g.JournalDate="
        "h.JournalTransDate) || ':' || sum(not (g.companyid=1 and g.Type='J' and g.JournalDate="
        "h.JournalTransDate)) from InterDivisionJournalTransHeader h, genjournalheader g where "
        "h.companyid=1 and h.JournalTransID=283 and g.referenceno=h.JournalNo and g.Cancel=0");
}

TEST_F(CancelPostingTest, AnsweringNoChangesNothing) {
    FrmMaster& m = open();
    select(m, 283);
    host.answer(forms::vbNo);
    m.cmdUpdate_Click();
    EXPECT_EQ(host.lastMessage(), "Do you want to cancel the posting of 'IDJ/283'?");
    EXPECT_EQ(host.messages.back().buttons, forms::vbYesNo | forms::vbQuestion);
    EXPECT_EQ(state(demo), "1:3:3");
}

TEST_F(CancelPostingTest, CancelsOnlyTheVouchersLiveEntriesAndUpdatesTheRow) {
    FrmMaster& m = open();
    select(m, 283);
    const int row = m.GrdMaster.Row();
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(demo.scalar("select Posted from InterDivisionJournalTransHeader where companyid=1 and "
                          "JournalTransID=283"),
              "0");
    EXPECT_EQ(demo.scalar("select count(*) from genjournalheader where referenceno='IDJ/283' and Cancel=0"),
              "3");
    EXPECT_EQ(demo.scalar("select ActionCode || VoucherNo from aActivityLog where VoucherID=283"),
              "CIDJ/283");
    EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_EQ(m.GrdMaster.TextMatrix(row, 6), "No");
    EXPECT_EQ(m.GrdMaster.cellForeColor(row, 7), forms::vbWindowText);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(m.CmdDelete.Enabled);

    // A five-column search grid has its posted column last.
    m.GridPopulate("select JournalTransID, JournalNo, JournalTransDate, 'No', 'Yes' from "
                   "InterDivisionJournalTransHeader where companyid=1 and JournalTransID=289",
                   "InterDivisionJournalTransHeader");
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(m.GrdMaster.TextMatrix(1, 4), "No");
}

TEST_F(CancelPostingTest, FailureOfTheSecondStatementRollsBothTablesBack) {
    FrmMaster& m = open();
    select(m, 283);
    demo.exec("CREATE TEMP TRIGGER injected BEFORE UPDATE OF posted ON InterDivisionJournalTransHeader "
              "BEGIN SELECT RAISE(ABORT, 'injected'); END");
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(state(demo), "1:3:3");
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
    EXPECT_NE(host.lastMessage().find("Module: FrmMaster\nRoutine: cmdUpdate_Click \n"), std::string::npos);
    EXPECT_EQ(m.GrdMaster.TextMatrix(m.GrdMaster.Row(), 6), "Yes");
}

} // namespace
