// The save on both backends: numbers, header and lines as stored, two saves in a row.
#include "VoucherFixture.h"
#include "support/OnBackends.h"

namespace vouchertest {
namespace {

class SaveOnBackends : public testsupport::DemoBackendChoice,
                       public SaveTest,
                       public testing::WithParamInterface<adotest::BackendId> {};

TEST_P(SaveOnBackends, NewVouchersAreStoredWithTheNextNumbersAndTheirLines) {
    for (int k = 0; k < 2; ++k) {
        frmJournal& j = enterNew(day(2026, 12, 1), "O'Brien's transfer " + std::to_string(k),
                                 {{.account = 3, .debit = "250.00", .description = " salaries "},
                                  {.account = 2, .credit = "250.00", .description = "bank"}});
        j.cmdOK_Click();
        ASSERT_TRUE(saved(j)) << ::testing::PrintToString(prompts());
    }
    EXPECT_EQ(db.rows("select JournalTransID, JournalNo, Posted, cancelled, Type, Remarks, "
                      "isnull(CancelledRemarks, '') from InterDivisionJournalTransHeader where companyid=1 "
                      "and JournalTransID>300 order by JournalTransID"),
              (std::vector<Texts>{{"301", "IDJ/301", "0", "0", "JO", "O'Brien's transfer 0", ""},
                                  {"302", "IDJ/302", "0", "0", "JO", "O'Brien's transfer 1", ""}}));
    auto rows = lines(demo::kNextVoucher + 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Texts{"1", "3", "0", "250", "salaries", "1", "1"}));
    EXPECT_EQ(rows[1], (Texts{"2", "2", "1", "250", "bank", "1", "1"}));
    EXPECT_EQ(count("aActivityLog where ActionCode='N' and VoucherID in (301, 302)"), 2);
}

IDJ_INSTANTIATE_ON_BACKENDS(SaveOnBackends);

} // namespace
} // namespace vouchertest
