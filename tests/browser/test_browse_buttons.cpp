// Which actions the buttons offer for the user's rights and the selected voucher's state.
#include "BrowseFixture.h"

using idj::FrmMaster;

TEST_F(BrowseTest, ButtonsFollowTheVoucherState) {
    FrmMaster& m = open();
    select(m, 283); // posted
    EXPECT_TRUE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.CmdEdit.Enabled);

    select(m, 281); // plain, after the freeze date
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);

    select(m, db::demo::kFreezeVoucher); // dated on the freeze date itself
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_TRUE(m.CmdEdit.Enabled);

    // A cancelled voucher turns Delete and Cancel Posting off and leaves Edit and Preview as they were.
    select(m, 284);
    m.CmdEdit.Enabled = false;
    m.cmdpreview.Enabled = false;
    select(m, 285);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.cmdpreview.Enabled);
}

TEST_F(BrowseTest, RightsLettersAreCaseSensitive) {
    demo.exec(
        "update auserrights set FunctionRights='nedupi' where userid=1 and companyid=1 and interfaceid=5029");
    FrmMaster& m = open();
    EXPECT_FALSE(m.cmdNew.Enabled);
    EXPECT_FALSE(m.cmdDuplicate.Enabled);
    EXPECT_FALSE(m.cmdpreview.Enabled);
    select(m, 281);
    EXPECT_FALSE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
}

TEST_F(BrowseTest, ClerkRightsGrantOnlyTheirLetters) {
    FrmMaster& m = open(db::demo::kCompany, db::demo::kClerk);
    EXPECT_TRUE(m.cmdNew.Enabled);
    EXPECT_TRUE(m.cmdDuplicate.Enabled);
    EXPECT_FALSE(m.cmdpreview.Enabled);
    select(m, 281);
    EXPECT_TRUE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
}

TEST_F(BrowseTest, UserWithoutRightsRowKeepsDesignButCannotEditOrDelete) {
    FrmMaster& m = open(db::demo::kCompany, db::demo::kAuditor);
    EXPECT_TRUE(m.cmdNew.Enabled); // as designed: no rights row changes nothing
    select(m, 281);
    EXPECT_FALSE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
}

TEST_F(BrowseTest, ReferredVoucherRefusesEditAndDeleteWithTheirMessages) {
    FrmMaster& m = open();
    select(m, 281); // a live general journal entry refers to it
    EXPECT_TRUE(m.fnCheckEditDelete(1));
    EXPECT_EQ(host.lastMessage(), "Journal entry refered in Journal. Cannot Edit.");
    EXPECT_EQ(host.messages.back().buttons, forms::vbInformation);
    EXPECT_EQ(host.messages.back().title, "Accounts Suite");
    EXPECT_TRUE(m.fnCheckEditDelete(2));
    EXPECT_EQ(host.lastMessage(), "Journal entry refered in Journal. Cannot Delete.");
    size_t shown = host.messages.size();
    EXPECT_TRUE(m.fnCheckEditDelete(3));
    EXPECT_EQ(host.messages.size(), shown);

    // Only a dead reference of its own company, plus a live one of another company.
    select(m, 282);
    EXPECT_FALSE(m.fnCheckEditDelete(1));
    EXPECT_EQ(host.messages.size(), shown);
}

TEST_F(BrowseTest, ActivationSetsTheCaptionAndFocusesNew) {
    FrmMaster& m = open();
    EXPECT_EQ(m.Caption, "Journal");
    m.activate();
    EXPECT_EQ(m.Caption, "Inter Division Journal");
    EXPECT_EQ(m.activeControl(), &m.cmdNew);
}

TEST_F(BrowseTest, CtrlDMovesTheFocusToTheGrid) {
    FrmMaster& m = open();
    m.activate();
    m.pressKey('D', forms::vbCtrlMask);
    EXPECT_EQ(m.activeControl(), &m.GrdMaster);
}

TEST_F(BrowseTest, CancelPostingNeedsRightU) {
    const std::string posted =
        "select Posted from InterDivisionJournalTransHeader where companyid=1 and JournalTransID=283";
    for (int16_t user : {db::demo::kClerk, db::demo::kAuditor}) {
        FrmMaster& m = open(db::demo::kCompany, user);
        EXPECT_FALSE(m.cmdUpdate.Enabled) << "user " << user << " after the load";
        select(m, 283);
        EXPECT_FALSE(m.cmdUpdate.Enabled) << "user " << user << " on a posted voucher";
        host.answer(forms::vbYes);
        m.cmdUpdate_Click();
        EXPECT_EQ(demo.scalar(posted), "1") << "user " << user;
        m.Unload();
    }
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

TEST_F(BrowseTest, DeleteAfterCancellingAPostingNeedsRightD) {
    demo.exec(
        "update auserrights set FunctionRights='NEUPI' where userid=1 and companyid=1 and interfaceid=5029");
    FrmMaster& m = open();
    select(m, 283);
    ASSERT_TRUE(m.cmdUpdate.Enabled);
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    ASSERT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
}

TEST_F(BrowseTest, TheSelectedVoucherReachesStatementsOnlyAsANumber) {
    FrmMaster& m = open();
    select(m, 282); // referred by a cancelled general journal entry only
    forms::FlexGrid& g = m.GrdMaster;
    g.setTextMatrix(g.Row(), 0, "282 or 1=1");
    EXPECT_EQ(m.selectedVoucherId(), 282);
    EXPECT_FALSE(m.fnCheckEditDelete(1));
    m.EnableOrDisableButtons();
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}
