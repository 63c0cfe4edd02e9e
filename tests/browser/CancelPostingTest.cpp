// Cancelling a posting on SQLite (ChangesOnBackends has the change itself): what must leave both
// tables alone.
#include "BrowseFixture.h"

namespace {

using CancelPostingTest = BrowseTest;

TEST_F(CancelPostingTest, NoAFailedStatementAndAVoucherChangedSinceLoadingChangeNothing) {
    // The posted voucher's flag, then its live general journal rows: its own ('J', its date,
    // company 1) and the decoys.
    auto state = [&] {
        return db.scalar(
            "select h.Posted || ':' || sum(g.companyid=1 and g.Type='J' and g.JournalDate="
            "h.JournalTransDate) || ':' || sum(not (g.companyid=1 and g.Type='J' and g.JournalDate="
            "h.JournalTransDate)) from InterDivisionJournalTransHeader h, genjournalheader g where "
            "h.companyid=1 and h.JournalTransID=283 and g.referenceno=h.JournalNo and g.Cancel=0");
    };
    auto cancelPosting = [&](FrmMaster& m, forms::MsgBoxResult answer) {
        host.answer(answer);
        m.cmdUpdate_Click();
        EXPECT_EQ(state(), "1:3:3");
        EXPECT_EQ(db.conn->TransactionLevel(), 0);
    };
    FrmMaster& m = open();
    select(m, demo::kPostedVoucher);
    cancelPosting(m, forms::vbNo);
    EXPECT_EQ(host.lastMessage(), "Do you want to cancel the posting of 'IDJ/283'?");

    failOn("BEFORE UPDATE OF posted ON InterDivisionJournalTransHeader");
    cancelPosting(m, forms::vbYes);
    EXPECT_TRUE(reported("cmdUpdate_Click \n")) << host.lastMessage();
    EXPECT_EQ(current(m, 6), "Yes");
    db.exec("drop trigger injected");

    // No longer posted, or since deleted: refused inside the transaction.
    const std::pair<int, const char*> cases[] = {{demo::kPostedWithoutJournalVoucher, "Cancelled=1"},
                                                 {demo::kPostedVoucher, "Posted=0"}};
    for (auto [id, change] : cases) {
        SCOPED_TRACE(id);
        select(m, id);
        ASSERT_TRUE(m.cmdUpdate.Enabled);
        setHeader(id, change);
        host.answer(forms::vbYes);
        m.cmdUpdate_Click();
        EXPECT_NE(host.lastMessage().find("The posting cannot be cancelled"), std::string::npos);
        EXPECT_EQ(db.conn->TransactionLevel(), 0);
        EXPECT_FALSE(m.cmdUpdate.Enabled);
    }
    EXPECT_EQ(state(), "0:3:3") << "the general journal rows are untouched";
    EXPECT_EQ(header(demo::kPostedWithoutJournalVoucher, "Posted"), "1");
    EXPECT_EQ(db.scalar("select count(*) from aActivityLog where ActionCode='C'"), "0");
}

} // namespace
