// Deletion and cancelling a posting on both backends: what is stored, the log, the row.
#include "BrowseFixture.h"
#include "support/OnBackends.h"

namespace {

class ChangesOnBackends : public testsupport::DemoBackendChoice,
                          public BrowseTest,
                          public testing::WithParamInterface<adotest::BackendId> {};

TEST_P(ChangesOnBackends, DeletionAndCancellingAPostingStoreLogAndRefreshTheRow) {
    FrmMaster& m = open();
    select(m, demo::kPlainVoucher);
    const int row = m.GrdMaster.Row(), rows = m.GrdMaster.Rows();
    host.answer(forms::vbYes);
    host.onShow("frmcancelreason", [&](forms::Form& f) {
        auto& d = static_cast<idj::frmcancelreason&>(f);
        d.typeText("  '");
        EXPECT_EQ(d.txtcanreason.Text(), "  ");
        EXPECT_FALSE(d.cmdOK.Enabled);
        EXPECT_FALSE(d.requestClose());
        EXPECT_EQ(host.lastMessage(), "Enter reason for deletion");
        d.typeText("it's a copy ");
        EXPECT_TRUE(d.requestClose());
    });
    m.CmdDelete_Click();
    EXPECT_EQ(header(demo::kPlainVoucher, "Cancelled"), "1");
    EXPECT_EQ(header(demo::kPlainVoucher, "CancelledRemarks"), "  its a copy ");
    EXPECT_EQ(logged(demo::kPlainVoucher), std::vector<std::string>{"DIDJ/292"});
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
    EXPECT_EQ(m.GrdMaster.Rows(), rows);
    EXPECT_EQ(m.GrdMaster.Row(), row);
    EXPECT_EQ(m.GrdMaster.TextMatrix(row, 5), "Yes");
    for (int col = 0; col <= 7; ++col)
        EXPECT_EQ(m.GrdMaster.cellForeColor(row, col), forms::vbRed) << col;

    // Cancelling a posting cancels the voucher's own live entries only; the decoys of the same
    // number differ in company, type or date.
    select(m, demo::kPostedVoucher);
    const std::string live = "select count(*) from genjournalheader where referenceno='IDJ/283' and Cancel=0";
    const std::string own =
        "select count(*) from genjournalheader g, InterDivisionJournalTransHeader h where "
        "h.companyid=1 and h.JournalTransID=283 and g.companyid=1 and g.Type='J' and "
        "g.referenceno=h.JournalNo and g.JournalDate=h.JournalTransDate and g.Cancel=0";
    const int decoys = std::stoi(db.scalar(live)) - std::stoi(db.scalar(own));
    ASSERT_NE(db.scalar(own), "0");
    ASSERT_GT(decoys, 0);
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_EQ(header(demo::kPostedVoucher, "Posted"), "0");
    EXPECT_EQ(db.scalar(own), "0");
    EXPECT_EQ(db.scalar(live), std::to_string(decoys));
    EXPECT_EQ(logged(demo::kPostedVoucher), std::vector<std::string>{"CIDJ/283"});
    EXPECT_EQ(current(m, 6), "No");
    EXPECT_EQ(m.GrdMaster.cellForeColor(m.GrdMaster.Row(), 7), forms::vbWindowText);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(m.CmdDelete.Enabled);
}

IDJ_INSTANTIATE_ON_BACKENDS(ChangesOnBackends);

} // namespace
