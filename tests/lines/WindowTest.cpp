// The line editor on a voucher that may not be changed.
#include "LineEditorFixture.h"

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

} // namespace linetest
