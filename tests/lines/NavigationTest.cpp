// Moving between the voucher's lines in the line editor, and editing them.
#include "LineEditorFixture.h"

namespace linetest {

TEST_F(LineEditorTest, OkInEditModeWalksThroughTheLinesAndClosesOnTheLast) {
    open(true, [&](frmJournalDetails& w) {
        enterLine(w, "Head Office", "Rent - Head Office", "1500");
        enterLine(w, "Export Division", "Citibank USD A/c", "1500", true);
        enterLine(w, "Head Office", "Audit Fees", "300");
    });
    voucher().blnDataChanged = false;
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        EXPECT_EQ(w.cboAccountID.Text(), "Rent - Head Office");
        EXPECT_EQ(w.txtAmount.Text(), "1500.00");
        w.cmdOK.press(); // unchanged, and its own department and account are no duplicate
        EXPECT_FALSE(voucher().blnDataChanged);
        EXPECT_EQ(lines().selectedIndex(), 2);
        EXPECT_EQ(w.txtSlNo.Text(), "2");
        EXPECT_TRUE(w.optCredit.Value());

        w.txtDescription.setText("Transfer to the Export Division");
        w.cmdOK.press();
        EXPECT_TRUE(voucher().blnDataChanged);
        EXPECT_EQ(w.txtSlNo.Text(), "3");
        EXPECT_FALSE(w.cmdNext.Enabled || w.cmdLast.Enabled);
        w.txtAmount.setText("350");
        w.cmdOK.press();
        EXPECT_FALSE(w.loaded());
    });
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(lines().Count(), 3);
    EXPECT_EQ(row(2)[3], "Transfer to the Export Division");
    EXPECT_EQ(row(3)[4], "350.00");
    EXPECT_EQ(voucher().lblCr.Caption, "1,850.00");
}

TEST_F(LineEditorTest, AccountsSharingANameKeepTheirOwnIds) {
    db.exec(
        "insert into AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid, departmentid, currencyid, "
        "active) values (1, 29, 'Director''s Cabin Rent', 6, 1, 1, 1), "
        "(1, 30, 'Director''s Cabin Rent', 6, 1, 1, 1)");
    open(true, [&](frmJournalDetails& w) {
        choose(w.cboDepartment, "Head Office");
        for (int i = 0; i < w.cboAccountID.ListCount(); ++i)
            if (w.cboAccountID.ItemData(i) == 30) w.cboAccountID.setListIndex(i);
        w.txtAmount.setText("900");
        w.cmdOK.press();
    });
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_EQ(row(1)[6], "30");
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_EQ(w.cboAccountID.ItemData(w.cboAccountID.ListIndex()), 30);
        w.cmdOK.press();
    });
    EXPECT_EQ(row(1)[6], "30");
    EXPECT_EQ(faults(), 0);
}

} // namespace linetest
