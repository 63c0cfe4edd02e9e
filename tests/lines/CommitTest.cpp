// OK in the line editor: the rows it writes with their rates and totals, the amount box, its
// refusals, walking the lines in edit mode, and a posted voucher's lines that OK may not touch.
#include "LineEditorFixture.h"

#include "forms/TextEdit.h"

namespace linetest {

using Names = std::vector<std::string>;

TEST_F(LineEditorTest, EnteredLinesGoIntoTheVoucherAndOkInEditModeWalksThemToTheLast) {
    // Two accounts of one name: the line keeps the one chosen.
    db.exec(
        "insert into AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid, departmentid, currencyid, "
        "active) values (1, 29, 'Director''s Cabin Rent', 6, 1, 1, 1), "
        "(1, 30, 'Director''s Cabin Rent', 6, 1, 1, 1)");
    open(true, [&](frmJournalDetails& w) {
        enterLine(w, "Head Office", "Rent - Head Office", "1500");
        EXPECT_EQ(row(1), (Names{"1", "Head Office", "Rent - Head Office", "Rent - Head Office", "1500.00",
                                 "0.00", "4", "0", "1"}));
        EXPECT_EQ(ctx().GStrExchangeRates, "1:-1:"); // not a control account: its own rate only
        // Ready for the next line.
        EXPECT_EQ(w.txtSlNo.Text(), "2");
        EXPECT_EQ(w.cboDepartment.Text() + w.cboAccountID.Text() + w.txtDescription.Text(), "");
        EXPECT_EQ(w.txtAmount.Text(), "0.00");

        enterLine(w, "Export Division", "Citibank USD A/c", "1500", true);
        EXPECT_EQ(row(2), (Names{"2", "Export Division", "Citibank USD A/c", "Citibank USD A/c", "0.00",
                                 "1500.00", "12", "0", "2"}));
        EXPECT_EQ(ctx().GStrExchangeRates, "1:2:-1:83.2:");

        // The Head Office's control account towards the London Branch brings that one's rate too.
        choose(w.cboDepartment, "Head Office");
        choose(w.cboAccountID, "London Branch Control A/c");
        w.txtDescription.setText("London's share of the rent");
        w.txtAmount.setText("250.75");
        w.optDebit.setValue(true);
        w.cmdOK.press();
        EXPECT_EQ(row(3)[3], "London's share of the rent");
        EXPECT_EQ(row(3)[6], "9");
        EXPECT_EQ(ctx().GStrExchangeRates, "1:2:4:-1:83.2:105.4:");

        choose(w.cboDepartment, "Head Office");
        for (int i = 0; i < w.cboAccountID.ListCount(); ++i)
            if (w.cboAccountID.ItemData(i) == 30) w.cboAccountID.setListIndex(i);
        // The amount box takes only amounts, typed or pasted, and formats them.
        w.txtAmount.SetFocus();
        w.typeText("12a.345");
        EXPECT_EQ(w.txtAmount.Text(), "12.34");
        w.txtAmount.selectAll();
        EXPECT_FALSE(forms::editText(w.txtAmount, "0.001"));
        EXPECT_EQ(w.txtAmount.Text(), "12.34");
        EXPECT_TRUE(forms::editText(w.txtAmount, "1234567.5"));
        w.txtAmount.MouseMove(0, 0, 10, 10);
        EXPECT_EQ(w.txtAmount.ToolTipText, "1,234,567.50");
        w.pressKey(forms::vbKeyTab);
        EXPECT_EQ(w.txtAmount.Text(), "1234567.50");
        w.cmdOK.press();
        EXPECT_EQ(row(4)[4] + "|" + row(4)[6], "1234567.50|30");
    });
    EXPECT_EQ(lines().Count(), 4);
    EXPECT_EQ(voucher().lblCr.Caption, "1,236,318.25");
    EXPECT_EQ(voucher().lblDr.Caption, "1,500.00");
    EXPECT_TRUE(voucher().blnDataChanged);

    voucher().blnDataChanged = false;
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_EQ(w.txtSlNo.Text() + w.cboAccountID.Text() + w.txtAmount.Text(),
                  "1Rent - Head Office1500.00");
        w.cmdOK.press(); // unchanged, and its own department and account are no duplicate
        EXPECT_FALSE(voucher().blnDataChanged);
        EXPECT_EQ(lines().selectedIndex(), 2);
        EXPECT_TRUE(w.optCredit.Value());
        w.txtDescription.setText("Transfer to the Export Division");
        w.cmdOK.press();
        EXPECT_TRUE(voucher().blnDataChanged);
        w.cmdOK.press();
        EXPECT_EQ(w.txtSlNo.Text(), "4");
        EXPECT_FALSE(w.cmdNext.Enabled || w.cmdLast.Enabled);
        EXPECT_EQ(w.cboAccountID.ItemData(w.cboAccountID.ListIndex()), 30);
        w.txtAmount.setText("350");
        w.cmdOK.press();
        EXPECT_FALSE(w.loaded());
    });
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(lines().Count(), 4);
    EXPECT_EQ(row(2)[3], "Transfer to the Export Division");
    EXPECT_EQ(row(4)[4] + row(4)[6], "350.0030");
    EXPECT_EQ(voucher().lblCr.Caption, "2,100.75");
    EXPECT_EQ(faults(), 0);
}

TEST_F(LineEditorTest, IncompleteOrDuplicateLinesAreRefusedWithTheirMessagesAndNothingWritten) {
    open(true, [&](frmJournalDetails& w) {
        enterLine(w, "Head Office", "Bank Charges", "75");
        // The department box was emptied; the account list is still the Head Office's.
        choose(w.cboAccountID, "Audit Fees");
        w.txtAmount.setText("300");
        w.cmdOK.press();
        EXPECT_TRUE(w.cboDepartment.hasFocus());
        choose(w.cboDepartment, "Head Office");
        w.cboAccountID.setText("Rent - Head Office"); // typed, not chosen from the list
        w.txtDescription.setText("Rent");
        w.txtAmount.setText("10");
        w.cmdOK.press();
        EXPECT_TRUE(w.cboAccountID.hasFocus());
        choose(w.cboAccountID, "Rent - Head Office");
        w.txtDescription.setText("   ");
        w.cmdOK.press();
        EXPECT_TRUE(w.txtDescription.hasFocus());
        w.txtDescription.setText("Rent");
        w.txtAmount.setText("0");
        w.cmdOK.press();
        EXPECT_TRUE(w.txtAmount.hasFocus());
        enterLine(w, "Head Office", "Bank Charges", "80");
        EXPECT_EQ(w.txtAmount.Text(), "80.00"); // nothing was cleared
        EXPECT_EQ(lines().Count(), 1);
        // The same account for another department is another line.
        choose(w.cboDepartment, "Export Division");
        choose(w.cboAccountID, "Bank Charges");
        w.cmdOK.press();
    });
    EXPECT_EQ(prompts(), (Names{"Invalid department or not selected", "Invalid account head or not selected",
                                "Description not entered", "Amount not entered",
                                "Account already selected for the department"}));
    ASSERT_EQ(lines().Count(), 2);
    EXPECT_EQ(row(2)[1], "Export Division");
    EXPECT_EQ(row(2)[4], "80.00");
    EXPECT_EQ(faults(), 0);
}

TEST_F(LineEditorTest, PostedVoucherIsShownReadOnlyButCanBeLookedThrough) {
    editStoredVoucher(demo::kPostedVoucher);
    ASSERT_GE(lines().Count(), 2);
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_TRUE(w.cboAccountID.Locked && w.txtDescription.Locked && w.txtAmount.Locked);
        EXPECT_FALSE(w.fraJournalType.Enabled || w.cmdOK.Enabled || w.fraJournal.Enabled);
        EXPECT_EQ(w.cboAccountID.Text(), lines().Item(1).SubItem(2));
        w.cmdNext.press();
        EXPECT_EQ(w.txtSlNo.Text(), "2");
        EXPECT_FALSE(w.cmdOK.Enabled);
        w.keyPress(forms::vbKeyEscape);
        EXPECT_FALSE(w.loaded());
    });
    EXPECT_EQ(faults(), 0);
}

} // namespace linetest
