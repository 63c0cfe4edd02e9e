// The line editor window: opening in either mode, read-only vouchers, the amount box.
#include "LineEditorFixture.h"

namespace linetest {

TEST_F(LineEditorTest, OpensInAddModeWithTheNextSerialNumber) {
    ctx().blnAddLine = ctx().blnEditLine = false;
    openAsIs([&](frmJournalDetails& w) {
        EXPECT_TRUE(ctx().blnAddLine);
        EXPECT_EQ(w.Caption, "Journal Entry");
        EXPECT_EQ(w.Tag, "Loaded");
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        EXPECT_TRUE(w.optDebit.Value());
        EXPECT_TRUE(w.cboDepartment.hasFocus());
        for (auto* b : {&w.cmdFirst, &w.cmdPrevious, &w.cmdNext, &w.cmdLast})
            EXPECT_FALSE(b->Enabled) << b->name();
        enterLine(w, "Head Office", "Rent - Head Office", "100");
        enterLine(w, "Head Office", "Audit Fees", "100");
        enterLine(w, "Export Division", "Export Sales", "200", true);
    });
    open(true, [&](frmJournalDetails& w) { EXPECT_EQ(w.txtSlNo.Text(), "4"); });
    EXPECT_TRUE(faults().empty());
}

TEST_F(LineEditorTest, PostedOrCancelledVoucherIsShownReadOnly) {
    editStoredVoucher(283); // posted
    ASSERT_GE(lines().Count(), 2);
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_TRUE(w.readOnly());
        EXPECT_TRUE(w.cboAccountID.Locked && w.txtDescription.Locked && w.txtAmount.Locked);
        EXPECT_FALSE(w.fraJournalType.Enabled || w.cmdOK.Enabled || w.fraJournal.Enabled);
        EXPECT_EQ(w.txtSlNo.Text(), "1");
        EXPECT_EQ(w.cboAccountID.Text(), lines().Item(1).SubItem(2));
        // The lines can still be looked through, and the window closed with Esc.
        w.cmdNext.press();
        EXPECT_EQ(w.txtSlNo.Text(), "2");
        EXPECT_FALSE(w.cmdOK.Enabled || w.fraJournal.Enabled);
        w.keyPress(forms::vbKeyEscape);
        EXPECT_FALSE(w.loaded());
    });

    lines().Clear();
    editStoredVoucher(285); // cancelled
    lines().select(1);
    open(false, [&](frmJournalDetails& w) { EXPECT_TRUE(w.readOnly()); });

    lines().Clear();
    editStoredVoucher(284); // confirmed only: the line editor leaves it editable
    lines().select(1);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_FALSE(w.readOnly());
        EXPECT_TRUE(w.cmdOK.Enabled && w.fraJournal.Enabled && !w.txtAmount.Locked);
    });
    EXPECT_TRUE(faults().empty());
}

TEST_F(LineEditorTest, VoucherMissingFromTheHeadersIsReportedAndStopsTheLoad) {
    editStoredVoucher(9999);
    open(true, [&](frmJournalDetails& w) { EXPECT_EQ(w.txtSlNo.Text(), ""); });
    ASSERT_EQ(faults().size(), 1u);
    EXPECT_EQ(faults()[0].substr(0, 10), "Form_Load:");
}

TEST_F(LineEditorTest, AmountBoxTakesOnlyAmountsAndFormatsThem) {
    open(true, [&](frmJournalDetails& w) {
        w.txtAmount.SetFocus();
        w.typeText("12a.345");
        EXPECT_EQ(w.txtAmount.Text(), "12.34");
        w.pressKey(forms::vbKeyReturn); // Enter moves on as Tab does
        EXPECT_TRUE(w.optDebit.hasFocus());
        EXPECT_EQ(w.txtAmount.Text(), "12.34");

        w.txtAmount.setText("1234.5");
        w.txtAmount.SetFocus();
        EXPECT_EQ(w.txtAmount.SelLength, 6); // typing replaces what was there
        w.pressKey(forms::vbKeyTab);
        EXPECT_EQ(w.txtAmount.Text(), "1234.50");

        w.txtAmount.setText("1234567.5");
        w.txtAmount.MouseMove(0, 0, 10, 10);
        EXPECT_EQ(w.txtAmount.ToolTipText, "1,234,567.50");

        w.txtDescription.SetFocus();
        w.pressKey(forms::vbKeyReturn);
        EXPECT_TRUE(w.txtAmount.hasFocus());
    });
    EXPECT_TRUE(faults().empty());
}

} // namespace linetest
