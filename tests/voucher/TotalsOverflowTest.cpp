// Lines whose amounts add up past what a number holds: the totals and the save refuse them.
#include "SaveFixture.h"

namespace vouchertest {
namespace {

using TotalsOverflowTest = SaveTest;

TEST_F(TotalsOverflowTest, TotalsThatOverflowAreRefusedAndNothingIsStored) {
    const int before = count("InterDivisionJournalTransHeader");
    frmJournal& j = enterNew(day(2026, 12, 1), "huge", {});
    // Each amount within range, both together not.
    addRow(j, "1", "Head Office", "1e308", "0.00", 3);
    addRow(j, "2", "Head Office", "1e308", "0.00", 3);
    addRow(j, "3", "Head Office", "0.00", "5.00", 2);
    j.FillTotal();
    EXPECT_EQ(prompts(), Texts{"Total amount is too large"});
    EXPECT_EQ(j.lblCr.Caption, "");
    EXPECT_TRUE(faults().empty());

    j.cmdOK_Click();
    EXPECT_EQ(prompts(), (Texts{"Total amount is too large", "Total amount is too large"}));
    EXPECT_TRUE(j.loaded());
    EXPECT_TRUE(faults().empty());
    EXPECT_EQ(count("InterDivisionJournalTransHeader"), before);
}

TEST_F(TotalsOverflowTest, AStoredInfiniteAmountIsReportedWhenTheVoucherOpens) {
    db.exec("update InterDivisionJournalTransDetails set Amount=9e999 where companyid=1 and "
            "JournalTransID=292 and JournalTransDetailID=1");
    const Seen seen = openEdit(292);
    // The voucher is not offered for editing with an amount it cannot show.
    EXPECT_FALSE(seen.shown);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].prompt.find("Error 6: Overflow"), std::string::npos)
        << host.messages[0].prompt;
}

} // namespace
} // namespace vouchertest
