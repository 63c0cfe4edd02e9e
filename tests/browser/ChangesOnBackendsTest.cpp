// Deletion and cancelling a posting on both backends: what is stored, the log, the row.
#include "BrowseFixture.h"
#include "support/OnBackends.h"

namespace {

class ChangesOnBackends : public testsupport::DemoBackendChoice,
                          public BrowseTest,
                          public testing::WithParamInterface<adotest::BackendId> {};

TEST_P(ChangesOnBackends, DeletionStoresTheReasonLogsItAndRefreshesTheRow) {
    FrmMaster& m = open();
    select(m, demo::kPlainVoucher);
    const int row = m.GrdMaster.Row(), rows = m.GrdMaster.Rows();
    confirmDeletion("it's a copy");
    m.CmdDelete_Click();
    EXPECT_EQ(header(demo::kPlainVoucher, "Cancelled"), "1");
    EXPECT_EQ(header(demo::kPlainVoucher, "CancelledRemarks"), "its a copy");
    EXPECT_EQ(logged(demo::kPlainVoucher), std::vector<std::string>{"DIDJ/292"});
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
    EXPECT_EQ(m.GrdMaster.Rows(), rows);
    EXPECT_EQ(m.GrdMaster.TextMatrix(row, 5), "Yes");
}

TEST_P(ChangesOnBackends, CancellingAPostingCancelsTheVouchersEntriesAndRefreshesTheRow) {
    FrmMaster& m = open();
    select(m, demo::kPostedVoucher);
    // Its own live entries: the decoys differ in company, type or date.
    const std::string live =
        "select count(*) from genjournalheader g, InterDivisionJournalTransHeader h where "
        "h.companyid=1 and h.JournalTransID=283 and g.companyid=1 and g.Type='J' and "
        "g.referenceno=h.JournalNo and g.JournalDate=h.JournalTransDate and g.Cancel=0";
    const std::string before = db.scalar(live);
    ASSERT_NE(before, "0");
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_EQ(header(demo::kPostedVoucher, "Posted"), "0");
    EXPECT_EQ(db.scalar(live), "0");
    EXPECT_EQ(logged(demo::kPostedVoucher), std::vector<std::string>{"CIDJ/283"});
    EXPECT_EQ(current(m, 6), "No");
    EXPECT_TRUE(m.CmdDelete.Enabled);
}

IDJ_INSTANTIATE_ON_BACKENDS(ChangesOnBackends);

} // namespace
