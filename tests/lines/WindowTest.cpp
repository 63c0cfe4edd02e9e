// The line editor window: read-only vouchers, the amount box.
#include "LineEditorFixture.h"

#include "forms/TextEdit.h"

namespace linetest {

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

TEST_F(LineEditorTest, AmountBoxTakesOnlyAmountsTypedOrPastedAndFormatsThem) {
    open(true, [&](frmJournalDetails& w) {
        choose(w.cboDepartment, "Head Office");
        choose(w.cboAccountID, "Rent - Head Office");
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
    });
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_EQ(row(1)[4], "1234567.50");
}

} // namespace linetest
