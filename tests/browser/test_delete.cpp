// Deleting a voucher: the refusals, the question, the reason dialog, and the change with its
// row refresh inside one transaction.
#include "BrowseFixture.h"

#include "browser/frmcancelreason.h"

using idj::frmcancelreason;
using idj::FrmMaster;
using DeleteTest = BrowseTest;

namespace {

const std::string kHeader = "from InterDivisionJournalTransHeader where companyid=1 and JournalTransID=";

TEST_F(DeleteTest, RefusalsEndBeforeAnyChange) {
    FrmMaster& m = open();
    const std::pair<int, const char*> cases[] = {
        {284, "Confirm Finished, Cannot Delete"},
        {db::demo::kFreezeVoucher,
         "This entry cannot be deleted because the date is before account freeze date."},
        {281, "Journal entry refered in Journal. Cannot Delete."},
        {283, "This entry cannot be deleted because transaction is posted. "}};
    demo.exec("CREATE TEMP TRIGGER injected BEFORE UPDATE ON InterDivisionJournalTransHeader "
              "BEGIN SELECT RAISE(ABORT, 'changed'); END");
    for (auto [id, message] : cases) {
        select(m, id);
        if (id == 283) demo.exec("drop table apackagesettings"); // posted is refused before it is read
        m.CmdDelete_Click();
        EXPECT_EQ(host.lastMessage(), message) << id;
        EXPECT_EQ(host.messages.back().buttons, forms::vbInformation);
        EXPECT_EQ(host.messages.back().title, id == 284 ? "idjrnl08" : "Accounts Suite");
    }
    EXPECT_EQ(host.messages.size(), std::size(cases));
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
}

TEST_F(DeleteTest, ConfirmedVoucherIsAskedWhenConfirmationIsAutomaticAndNoChangesNothing) {
    demo.exec("update apackagesettings set AutoConfirmAccTrans=1");
    FrmMaster& m = open();
    select(m, 284);
    const int row = m.GrdMaster.Row();
    host.answer(forms::vbNo);
    m.CmdDelete_Click();
    EXPECT_EQ(host.lastMessage(), "Do you want to delete the journal entry 'IDJ/284' ?");
    EXPECT_EQ(host.messages.back().buttons, forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton2);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(demo.scalar("select Cancelled " + kHeader + "284"), "0");
    EXPECT_EQ(demo.scalar("select count(*) from aActivityLog where VoucherID=284"), "0");
    EXPECT_EQ(m.GrdMaster.Row(), row);
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
}

TEST_F(DeleteTest, ReasonIsRequiredStoredAsTypedAndTheRowTurnsRed) {
    FrmMaster& m = open();
    select(m, 291);
    const int row = m.GrdMaster.Row(), rows = m.GrdMaster.Rows();
    host.answer(forms::vbYes);
    host.onShow("frmcancelreason", [&](forms::Form& f) {
        auto& d = static_cast<frmcancelreason&>(f);
        EXPECT_EQ(d.Caption, "Reason for deletion");
        d.typeText("  '");
        EXPECT_EQ(d.txtcanreason.Text(), "  ");
        EXPECT_FALSE(d.cmdOK.Enabled);
        EXPECT_FALSE(d.requestClose());
        EXPECT_EQ(host.lastMessage(), "Enter reason for deletion");
        d.typeText("it's a copy ");
        EXPECT_TRUE(d.cmdOK.Enabled);
        EXPECT_TRUE(d.requestClose());
    });
    m.CmdDelete_Click();
    EXPECT_EQ(demo.scalar("select Cancelled || CancelledRemarks " + kHeader + "291"), "1  its a copy ");
    EXPECT_EQ(demo.scalar("select ActionCode || VoucherNo from aActivityLog where VoucherID=291"),
              "DIDJ/291");
    forms::FlexGrid& g = m.GrdMaster;
    EXPECT_EQ(g.Rows(), rows);
    EXPECT_EQ(g.TextMatrix(row, 5), "Yes");
    for (int col = 0; col <= 7; ++col)
        EXPECT_EQ(g.cellForeColor(row, col), forms::vbRed) << col;
    EXPECT_EQ(g.Row(), row);
    EXPECT_EQ(g.ColSel(), g.Cols() - 1);
}

TEST_F(DeleteTest, FailureAfterTheUpdateRollsBackAndIsReported) {
    FrmMaster& m = open();
    demo.exec(
        "CREATE TEMP TRIGGER injected BEFORE INSERT ON aActivityLog BEGIN SELECT RAISE(ABORT, 'x'); END");
    select(m, 293);
    confirmDeletion("mistake");
    m.CmdDelete_Click();
    EXPECT_EQ(demo.scalar("select Cancelled || ifnull(CancelledRemarks, '-') " + kHeader + "293"), "0-");
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
    EXPECT_NE(host.lastMessage().find("Module: FrmMaster\nRoutine: CmdDelete_Click \n"), std::string::npos);
}

} // namespace
