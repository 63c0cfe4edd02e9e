// A new voucher saved on both backends: number, trimmed texts, rates, lines, the log, the list's row.
#include "VoucherFixture.h"
#include "component/basJournal.h"
#include "support/OnBackends.h"

namespace vouchertest {
namespace {

class SaveOnBackends : public testsupport::DemoBackendChoice,
                       public SaveTest,
                       public testing::WithParamInterface<adotest::BackendId> {};

TEST_P(SaveOnBackends, NewVoucherIsStoredWithTheNextNumberItsRatesAndLinesAndListed) {
    constexpr int kNew = demo::kNextVoucher;
    const int gridRows = FrmMaster::instance().GrdMaster.Rows();
    frmJournal& j = enterNew(day(2026, 12, 1), "  O'Brien's December transfer  ",
                             {{.account = 3, .debit = "250.00", .description = " director's salaries "},
                              {.account = 2, .credit = "200.00", .description = "bank"},
                              {.department = demo::kExportDivision, .account = 12, .credit = "50.00"}});
    ctx().GStrExchangeRates = "1:2:-1:83.2:"; // as the line editor leaves it for these lines
    j.cmdOK_Click();
    ASSERT_TRUE(saved(j)) << ::testing::PrintToString(prompts());
    EXPECT_TRUE(j.Tag.empty());

    // Head Office keeps the company's rupees: a rate of 1.
    EXPECT_EQ(
        db.rows("select JournalTransID, JournalNo, Posted, cancelled, Type, Remarks, "
                "isnull(CancelledRemarks, ''), FinancialID, exchangerates, exchangerate from " +
                std::string("InterDivisionJournalTransHeader where companyid=1 and JournalTransID>300")),
        (std::vector<Texts>{{"301", "IDJ/301", "0", "0", "JO", "O'Brien's December transfer", "", "3",
                             "1:2:-1:83.2:", "1"}}));
    EXPECT_EQ(header(kNew, "JournalTransDate").substr(0, 8), "20261201");
    auto rows = lines(kNew);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Texts{"1", "3", "0", "250", "director's salaries", "1", "1"}));
    EXPECT_EQ(rows[1], (Texts{"2", "2", "1", "200", "bank", "1", "1"}));
    // The Export Division's line carries its dollar rate against the company's rupee.
    EXPECT_EQ(rows[2][0] + rows[2][2] + rows[2][5], "312");
    EXPECT_NEAR(rt::Val(rows[2][6]), 1 / 83.2, 1e-9);
    EXPECT_EQ(count("aActivityLog where ActionCode='N' and VoucherID=301"), 1);

    forms::FlexGrid& grid = FrmMaster::instance().GrdMaster;
    ASSERT_EQ(grid.Rows(), gridRows + 1);
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 1, 1), "IDJ/301");

    // A small rate is written plain and survives saving and reopening.
    db.exec("update ExchangeRateDetail set SellingRate=0.0000625 where companyid=1 and currencyid=3");
    ctx().intdepartmentid = demo::kDubaiBranch; // the voucher's rates start with the dirham's
    frmJournal& dirham = enterNew(day(2026, 12, 1), "dirham rate", testsupport::balancedLines());
    ASSERT_EQ(ctx().GStrExchangeRates, "1:3:-1:0.0000625:");
    dirham.cmdOK_Click();
    ASSERT_TRUE(saved(dirham)) << ::testing::PrintToString(prompts());
    EXPECT_EQ(header(kNew + 1, "exchangerates") + "|" + header(kNew + 1, "exchangerate"),
              "1:3:-1:0.0000625:|16000");
    ctx().GStrExchangeRates.clear();
    EXPECT_EQ(openEdit(kNew + 1).rates, "1:3:-1:0.0000625:");
    EXPECT_DOUBLE_EQ(idj::CrossRate(3, 1), 16000);
    EXPECT_EQ(idj::AddPartyRate(ctx().GStrExchangeRates, "D", demo::kExportDivision),
              "1:3:2:-1:0.0000625:83.2:");
}

IDJ_INSTANTIATE_ON_BACKENDS(SaveOnBackends);

} // namespace
} // namespace vouchertest
