// Delete and Cancel Posting act on what the database holds when they run, not on what the grid
// showed when it was loaded: another user may have posted, un-posted or deleted the voucher.
#include "BrowseFixture.h"

using idj::FrmMaster;

namespace {

const std::string kHeader = "from InterDivisionJournalTransHeader where companyid=1 and JournalTransID=";

TEST_F(BrowseTest, DeleteRefusesAVoucherPostedSinceTheListWasLoaded) {
    FrmMaster& m = open();
    select(m, 291);
    ASSERT_TRUE(m.CmdDelete.Enabled);
    demo.exec("update InterDivisionJournalTransHeader set Posted=1 where companyid=1 and JournalTransID=291");
    confirmDeletion("stale");
    m.CmdDelete_Click();
    EXPECT_EQ(host.lastMessage(), "This entry cannot be deleted because transaction is posted. ");
    EXPECT_EQ(demo.scalar("select Cancelled || Posted || ifnull(CancelledRemarks, '-') " + kHeader + "291"),
              "01-");
    EXPECT_EQ(demo.scalar("select count(*) from aActivityLog where VoucherID=291"), "0");
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
    // The row now shows what is stored, and the buttons follow it.
    EXPECT_EQ(m.GrdMaster.TextMatrix(m.GrdMaster.Row(), 6), "Yes");
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.cmdUpdate.Enabled);
}

TEST_F(BrowseTest, CancelPostingRefusesAVoucherNoLongerPostedOrDeleted) {
    FrmMaster& m = open();
    const std::string liveEntries =
        "select count(*) from genjournalheader where companyid=1 and referenceno='IDJ/283' and Cancel=0";
    const std::string entriesBefore = demo.scalar(liveEntries);
    const std::pair<int, const char*> cases[] = {{283, "Posted=0"}, {289, "Cancelled=1"}};
    for (auto [id, change] : cases) {
        select(m, id);
        ASSERT_TRUE(m.cmdUpdate.Enabled) << id;
        demo.exec(std::string("update InterDivisionJournalTransHeader set ") + change +
                  " where companyid=1 and JournalTransID=" + std::to_string(id));
        host.answer(forms::vbYes);
        m.cmdUpdate_Click();
        EXPECT_NE(host.lastMessage().find("The posting cannot be cancelled"), std::string::npos) << id;
        EXPECT_EQ(demo.conn->TransactionLevel(), 0);
        EXPECT_FALSE(m.cmdUpdate.Enabled) << id;
    }
    EXPECT_EQ(demo.scalar(liveEntries), entriesBefore);
    EXPECT_EQ(demo.scalar("select Posted " + kHeader + "289"), "1");
    EXPECT_EQ(demo.scalar("select count(*) from aActivityLog where ActionCode='C'"), "0");
}

} // namespace
