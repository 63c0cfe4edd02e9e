// Which actions the buttons offer for the user's rights and the selected voucher's state.
#include "BrowseFixture.h"

TEST_F(BrowseTest, ButtonsFollowTheVoucherState) {
    FrmMaster& m = open();
    m.activate();
    m.pressKey('D', forms::vbCtrlMask); // the grid takes the focus
    EXPECT_EQ(m.activeControl(), &m.GrdMaster);

    select(m, demo::kPostedVoucher);
    EXPECT_TRUE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.CmdEdit.Enabled);

    select(m, demo::kReferredVoucher); // plain, after the freeze date
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);

    select(m, demo::kFreezeVoucher); // dated on the freeze date itself
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.CmdEdit.Enabled);

    // A cancelled voucher turns Delete and Cancel Posting off and leaves Edit and Preview as they were.
    select(m, demo::kConfirmedVoucher);
    m.CmdEdit.Enabled = false;
    m.cmdpreview.Enabled = false;
    select(m, demo::kCancelledVoucher);
    EXPECT_FALSE(m.CmdDelete.Enabled || m.cmdUpdate.Enabled || m.CmdEdit.Enabled || m.cmdpreview.Enabled);
}

TEST_F(BrowseTest, RightsGrantOnlyTheirOwnLetters) {
    struct Case {
        int16_t user;
        const char* rights; // nullptr: as seeded
        bool add, preview, edit, remove;
    };
    const Case cases[] = {
        {demo::kAdmin, "nedupi", false, false, false, false}, // letters are case-sensitive
        {demo::kClerk, nullptr, true, false, true, false},
        {demo::kAuditor, nullptr, true, true, false, false}, // no rights row: New and Preview as designed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        if (c.rights)
            db.exec(std::string("update auserrights set FunctionRights='") + c.rights +
                    "' where companyid=1 and interfaceid=5029 and userid=" + std::to_string(c.user));
        FrmMaster& m = open(demo::kCompany, c.user);
        EXPECT_EQ(m.cmdNew.Enabled, c.add);
        EXPECT_EQ(m.cmdDuplicate.Enabled, c.add);
        if (c.user != demo::kAuditor) {
            EXPECT_EQ(m.cmdpreview.Enabled, c.preview);
        }
        select(m, demo::kReferredByCancelledVoucher);
        EXPECT_EQ(m.CmdEdit.Enabled, c.edit);
        EXPECT_EQ(m.CmdDelete.Enabled, c.remove);
        m.Unload();
    }
}

TEST_F(BrowseTest, CancelPostingNeedsRightU) {
    for (int16_t user : {demo::kClerk, demo::kAuditor}) {
        FrmMaster& m = open(demo::kCompany, user);
        select(m, demo::kPostedVoucher);
        EXPECT_FALSE(m.cmdUpdate.Enabled) << "user " << user;
        host.answer(forms::vbYes);
        m.cmdUpdate_Click();
        EXPECT_EQ(header(demo::kPostedVoucher, "Posted"), "1") << "user " << user;
        m.Unload();
    }
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

TEST_F(BrowseTest, DeleteAfterCancellingAPostingNeedsRightD) {
    db.exec(
        "update auserrights set FunctionRights='NEUPI' where userid=1 and companyid=1 and interfaceid=5029");
    FrmMaster& m = open();
    select(m, demo::kPostedVoucher);
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    ASSERT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
}

TEST_F(BrowseTest, TheSelectedVoucherReachesStatementsOnlyAsANumber) {
    FrmMaster& m = open();
    select(m, demo::kReferredByCancelledVoucher);
    m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0,
                              std::to_string(demo::kReferredByCancelledVoucher) + " or 1=1");
    EXPECT_EQ(m.selectedVoucherId(), demo::kReferredByCancelledVoucher);
    EXPECT_FALSE(m.fnCheckEditDelete(1));
    m.EnableOrDisableButtons();
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}
