// Deleting a voucher on SQLite (ChangesOnBackends has the deletion itself): the refusals, the
// question, a failure rolled back, and a change judged on what is stored when it runs.
#include "BrowseFixture.h"

#include <chrono>
#include <thread>

namespace {

using DeleteTest = BrowseTest;

TEST_F(DeleteTest, RefusalsAndNoEndBeforeAnyChange) {
    FrmMaster& m = open();
    // A confirmed voucher is asked about when confirmation is automatic; No changes nothing.
    db.exec("update apackagesettings set AutoConfirmAccTrans=1");
    select(m, demo::kConfirmedVoucher);
    host.answer(forms::vbNo);
    m.CmdDelete_Click();
    EXPECT_EQ(host.lastMessage(), "Do you want to delete the journal entry 'IDJ/284' ?");
    EXPECT_EQ(host.messages.back().buttons, forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton2);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(header(demo::kConfirmedVoucher, "Cancelled"), "0");
    EXPECT_TRUE(logged(demo::kConfirmedVoucher).empty());
    db.exec("update apackagesettings set AutoConfirmAccTrans=0");
    host.messages.clear();

    const std::pair<int, const char*> cases[] = {
        {demo::kConfirmedVoucher, "Confirm Finished, Cannot Delete"},
        {demo::kFreezeVoucher,
         "This entry cannot be deleted because the date is before account freeze date."},
        {demo::kReferredVoucher, "Journal entry refered in Journal. Cannot Delete."},
        {demo::kPostedVoucher, "This entry cannot be deleted because transaction is posted. "}};
    failOn("BEFORE UPDATE ON InterDivisionJournalTransHeader");
    for (auto [id, message] : cases) {
        select(m, id);
        // Posted is refused before the settings are read.
        if (id == demo::kPostedVoucher) db.exec("drop table apackagesettings");
        m.CmdDelete_Click();
        EXPECT_EQ(host.lastMessage(), message) << id;
    }
    EXPECT_EQ(host.messages.size(), std::size(cases));
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
}

// A failure after the update rolls back; a voucher posted since the list was loaded is refused
// and its row shows it.
TEST_F(DeleteTest, AVoucherPostedSinceTheListWasLoadedIsRefusedAndItsRowShowsIt) {
    FrmMaster& m = open();
    select(m, demo::kPlainVoucher);
    ASSERT_TRUE(m.CmdDelete.Enabled);
    failOn("BEFORE INSERT ON aActivityLog");
    confirmDeletion("mistake");
    m.CmdDelete_Click();
    EXPECT_TRUE(reported("CmdDelete_Click \n")) << host.lastMessage();
    EXPECT_EQ(header(demo::kPlainVoucher, "Cancelled || ifnull(CancelledRemarks, '-')"), "0-");
    EXPECT_EQ(db.conn->TransactionLevel(), 0);

    db.exec("drop trigger injected");
    setHeader(demo::kPlainVoucher, "Posted=1");
    confirmDeletion("stale");
    m.CmdDelete_Click();
    EXPECT_EQ(host.lastMessage(), "This entry cannot be deleted because transaction is posted. ");
    EXPECT_EQ(header(demo::kPlainVoucher, "Cancelled || Posted || ifnull(CancelledRemarks, '-')"), "01-");
    EXPECT_TRUE(logged(demo::kPlainVoucher).empty());
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
    EXPECT_EQ(current(m, 6), "Yes");
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.cmdUpdate.Enabled);
}

TEST_F(DeleteTest, AnotherUsersWriteIsWaitedForNotFailedOn) {
    FrmMaster& m = open();
    select(m, demo::kPlainVoucher);
    auto other = ado::Connection::create();
    other->Open(db.path());
    other->BeginTransImmediate();
    std::thread otherUser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other->RollbackTrans();
    });
    confirmDeletion("after the wait");
    m.CmdDelete_Click();
    otherUser.join();
    EXPECT_EQ(header(demo::kPlainVoucher, "Cancelled || CancelledRemarks"), "1after the wait");
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
}

} // namespace
