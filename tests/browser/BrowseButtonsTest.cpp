// Which actions the buttons offer for the user's rights and the selected voucher's state.
#include "BrowseFixture.h"

TEST_F(BrowseTest, ButtonsFollowTheVoucherStateJudgedOnItsNumber) {
    FrmMaster& m = open();
    m.activate();
    m.pressKey('D', forms::vbCtrlMask); // the grid takes the focus
    EXPECT_EQ(m.activeControl(), &m.GrdMaster);

    select(m, demo::kPostedVoucher);
    EXPECT_TRUE(m.cmdUpdate.Enabled && m.CmdEdit.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    select(m, demo::kReferredVoucher); // plain, after the freeze date
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    select(m, demo::kFreezeVoucher); // dated on the freeze date itself
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.CmdEdit.Enabled);
    // A cancelled voucher turns Delete and Cancel Posting off and leaves Edit and Preview as they were.
    select(m, demo::kConfirmedVoucher);
    m.CmdEdit.Enabled = m.cmdpreview.Enabled = false;
    select(m, demo::kCancelledVoucher);
    EXPECT_FALSE(m.CmdDelete.Enabled || m.cmdUpdate.Enabled || m.CmdEdit.Enabled || m.cmdpreview.Enabled);

    // The selected voucher reaches the statements only as a number.
    select(m, demo::kReferredByCancelledVoucher);
    m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0,
                              std::to_string(demo::kReferredByCancelledVoucher) + " or 1=1");
    EXPECT_EQ(m.selectedVoucherId(), demo::kReferredByCancelledVoucher);
    EXPECT_FALSE(m.fnCheckEditDelete(1));
    m.EnableOrDisableButtons();
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

// Each letter grants its own action only; un-posting needs "U" and deleting after it "D".
TEST_F(BrowseTest, RightsGrantOnlyTheirOwnLetters) {
    struct Case {
        int16_t user;
        const char* rights; // nullptr: as seeded
        bool add, preview, edit, remove, unpost;
    };
    const Case cases[] = {
        {demo::kAdmin, "nedupi", false, false, false, false, false}, // letters are case-sensitive
        {demo::kClerk, nullptr, true, false, true, false, false},
        {demo::kAuditor, nullptr, true, true, false, false, false}, // no rights row
        {demo::kAdmin, "NEUPI", true, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rights ? c.rights : std::to_string(c.user));
        if (c.rights)
            db.exec(std::string("update auserrights set FunctionRights='") + c.rights +
                    "' where companyid=1 and interfaceid=5029 and userid=" + std::to_string(c.user));
        FrmMaster& m = open(demo::kCompany, c.user);
        host.messages.clear();
        EXPECT_EQ(m.cmdNew.Enabled, c.add);
        EXPECT_EQ(m.cmdDuplicate.Enabled, c.add);
        if (c.user != demo::kAuditor) {
            EXPECT_EQ(m.cmdpreview.Enabled, c.preview);
        }
        select(m, demo::kReferredByCancelledVoucher);
        EXPECT_EQ(m.CmdEdit.Enabled, c.edit);
        EXPECT_EQ(m.CmdDelete.Enabled, c.remove);
        select(m, demo::kPostedVoucher);
        EXPECT_EQ(m.cmdUpdate.Enabled, c.unpost);
        host.answer(forms::vbYes);
        m.cmdUpdate_Click();
        EXPECT_EQ(header(demo::kPostedVoucher, "Posted"), c.unpost ? "0" : "1");
        if (c.unpost) {
            EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
            EXPECT_FALSE(m.cmdUpdate.Enabled || m.CmdDelete.Enabled);
        } else {
            EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
        }
        m.Unload();
    }
}
