// Moving between the voucher's lines in the line editor, and editing them.
#include "LineEditorFixture.h"

namespace linetest {

namespace {
void expectButtons(frmJournalDetails& w, bool backwards, bool forwards) {
    EXPECT_EQ(w.cmdFirst.Enabled, backwards);
    EXPECT_EQ(w.cmdPrevious.Enabled, backwards);
    EXPECT_EQ(w.cmdNext.Enabled, forwards);
    EXPECT_EQ(w.cmdLast.Enabled, forwards);
}
} // namespace

class LineNavigationTest : public LineEditorTest {
  protected:
    void SetUp() override {
        LineEditorTest::SetUp();
        open(true, [&](frmJournalDetails& w) {
            enterLine(w, "Head Office", "Rent - Head Office", "1500");
            enterLine(w, "Export Division", "Citibank USD A/c", "1500", true);
            enterLine(w, "Head Office", "Audit Fees", "300");
        });
        voucher().blnDataChanged = false;
    }
};

TEST_F(LineNavigationTest, OkInEditModeWalksThroughTheLinesAndClosesOnTheLast) {
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        expectButtons(w, true, true); // opened on a line, every way out of it is offered
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        EXPECT_EQ(w.cboDepartment.Text(), "Head Office");
        EXPECT_EQ(w.cboAccountID.Text(), "Rent - Head Office");
        EXPECT_EQ(w.txtAmount.Text(), "1500.00");
        EXPECT_TRUE(w.optDebit.Value());

        w.cmdOK.press(); // unchanged, and its own department and account are no duplicate
        EXPECT_FALSE(voucher().blnDataChanged);
        EXPECT_EQ(lines().selectedIndex(), 2);
        EXPECT_EQ(w.txtSlNo.Text(), "2");
        EXPECT_TRUE(w.optCredit.Value());
        EXPECT_EQ(w.txtAmount.Text(), "1500.00");
        expectButtons(w, true, true);

        w.txtDescription.setText("Transfer to the Export Division");
        w.cmdOK.press();
        EXPECT_TRUE(voucher().blnDataChanged);
        EXPECT_EQ(w.txtSlNo.Text(), "3");
        expectButtons(w, true, false);

        w.txtAmount.setText("350");
        w.cmdOK.press();
        EXPECT_FALSE(w.loaded());
    });
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(lines().Count(), 3);
    EXPECT_EQ(row(2)[3], "Transfer to the Export Division");
    EXPECT_EQ(row(3)[4], "350.00");
    EXPECT_EQ(voucher().lblCr.Caption, "1,850.00");
    EXPECT_TRUE(faults().empty());
}

TEST_F(LineNavigationTest, ButtonsMoveToTheEdgesAndSwitchToEditMode) {
    open(true, [&](frmJournalDetails& w) {
        // The buttons start disabled for a new line and come up once one was added.
        expectButtons(w, false, false);
        enterLine(w, "Head Office", "Freight Outward", "50");
        EXPECT_TRUE(ctx().blnAddLine);
        w.cmdFirst.press();
        EXPECT_FALSE(ctx().blnAddLine);
        EXPECT_TRUE(ctx().blnEditLine);
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        expectButtons(w, false, true);

        // Previous on the first line loads nothing.
        ctx().blnAddLine = true;
        ctx().blnEditLine = false;
        w.cmdPrevious_Click();
        EXPECT_TRUE(ctx().blnEditLine);
        EXPECT_EQ(w.txtSlNo.Text(), "1");

        w.cmdLast.press();
        EXPECT_EQ(w.txtSlNo.Text(), "4");
        expectButtons(w, true, false);
        w.cmdPrevious.press();
        w.cmdPrevious.press();
        EXPECT_EQ(w.txtSlNo.Text(), "2");
        EXPECT_TRUE(w.optCredit.Value());
        expectButtons(w, true, true);

        // In edit mode OK rewrites the loaded line instead of adding one.
        w.txtAmount.setText("1600");
        w.cmdOK.press();
        EXPECT_EQ(lines().Count(), 4);
        EXPECT_EQ(row(2)[5], "1600.00");
        EXPECT_EQ(w.txtSlNo.Text(), "3");

        // A line with nothing on either side loads as a debit of nothing.
        lines().Item(1).setSubItem(4, "0.00");
        w.cmdFirst.press();
        EXPECT_TRUE(w.optDebit.Value());
        EXPECT_EQ(w.txtAmount.Text(), "0.00");
    });
    EXPECT_TRUE(faults().empty());
}

TEST_F(LineNavigationTest, SingleLineAndNoSelection) {
    lines().Remove(3);
    lines().Remove(2);
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        expectButtons(w, true, true);
        w.cmdNext.press(); // nothing after it
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        w.cmdLast.press();
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        expectButtons(w, false, true);

        lines().select(0);
        w.cmdNext.press();
    });
    ASSERT_EQ(faults().size(), 1u);
    EXPECT_EQ(faults()[0].substr(0, 14), "cmdNext_Click:");
}

TEST_F(LineEditorTest, AccountsSharingANameKeepTheirOwnIds) {
    db.exec(
        "insert into AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid, departmentid, currencyid, "
        "active) values (1, 29, 'Director''s Cabin Rent', 6, 1, 1, 1), (1, 30, 'Director''s Cabin Rent', 6, "
        "1, "
        "1, 1)");
    open(true, [&](frmJournalDetails& w) {
        choose(w.cboDepartment, "Head Office");
        int second = -1;
        for (int i = 0; i < w.cboAccountID.ListCount(); ++i)
            if (w.cboAccountID.ItemData(i) == 30) second = i;
        ASSERT_GE(second, 0);
        w.cboAccountID.setListIndex(second);
        w.txtAmount.setText("900");
        w.cmdOK.press();
    });
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_EQ(row(1)[2], "Director's Cabin Rent");
    EXPECT_EQ(row(1)[6], "30");

    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_EQ(w.cboAccountID.ItemData(w.cboAccountID.ListIndex()), 30);
        w.cmdOK.press();
        EXPECT_FALSE(w.loaded());
    });
    EXPECT_EQ(row(1)[6], "30");
    EXPECT_TRUE(faults().empty());
}

} // namespace linetest
