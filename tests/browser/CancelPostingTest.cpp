// Cancelling a posting, on SQLite (the backends' test has the change itself): a failure changes
// neither table, and a voucher changed by another user since the list was loaded is refused.
#include "BrowseFixture.h"

namespace {

class CancelPostingTest : public BrowseTest {
  protected:
    // The posted voucher's flag, then its live general journal rows: its own ('J', its date,
    // company 1) and the decoys.
    std::string state() {
        return db.scalar(
            "select h.Posted || ':' || sum(g.companyid=1 and g.Type='J' and g.JournalDate="
            "h.JournalTransDate) || ':' || sum(not (g.companyid=1 and g.Type='J' and g.JournalDate="
            "h.JournalTransDate)) from InterDivisionJournalTransHeader h, genjournalheader g where "
            "h.companyid=1 and h.JournalTransID=283 and g.referenceno=h.JournalNo and g.Cancel=0");
    }
    void cancelPosting(FrmMaster& m, forms::MsgBoxResult answer = forms::vbYes) {
        host.answer(answer);
        m.cmdUpdate_Click();
    }
};

TEST_F(CancelPostingTest, AnsweringNoOrAFailedStatementChangesNeitherTable) {
    FrmMaster& m = open();
    select(m, demo::kPostedVoucher);
    cancelPosting(m, forms::vbNo);
    EXPECT_EQ(host.lastMessage(), "Do you want to cancel the posting of 'IDJ/283'?");
    EXPECT_EQ(state(), "1:3:3");
    failOn("BEFORE UPDATE OF posted ON InterDivisionJournalTransHeader");
    cancelPosting(m);
    EXPECT_EQ(state(), "1:3:3");
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
    EXPECT_TRUE(reported("cmdUpdate_Click \n")) << host.lastMessage();
    EXPECT_EQ(current(m, 6), "Yes");
}

TEST_F(CancelPostingTest, AVoucherNoLongerPostedOrSinceDeletedIsRefused) {
    FrmMaster& m = open();
    const std::pair<int, const char*> cases[] = {{demo::kPostedVoucher, "Posted=0"},
                                                 {demo::kPostedWithoutJournalVoucher, "Cancelled=1"}};
    const std::string before = state();
    for (auto [id, change] : cases) {
        select(m, id);
        ASSERT_TRUE(m.cmdUpdate.Enabled) << id;
        setHeader(id, change);
        cancelPosting(m);
        EXPECT_NE(host.lastMessage().find("The posting cannot be cancelled"), std::string::npos) << id;
        EXPECT_EQ(db.conn->TransactionLevel(), 0);
        EXPECT_FALSE(m.cmdUpdate.Enabled) << id;
    }
    EXPECT_EQ(state().substr(1), before.substr(1)) << "the general journal rows are untouched";
    EXPECT_EQ(header(demo::kPostedWithoutJournalVoucher, "Posted"), "1");
    EXPECT_EQ(db.scalar("select count(*) from aActivityLog where ActionCode='C'"), "0");
}

} // namespace
