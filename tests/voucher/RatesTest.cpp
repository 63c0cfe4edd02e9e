// The voucher's rates text: adding the currencies of its parties, and reading conversions back.
#include "VoucherFixture.h"

#include "component/basJournal.h"

namespace vouchertest {
namespace {

using idj::AddPartyRate;
using idj::CrossRate;
using RatesTest = VoucherTest;

TEST_F(RatesTest, PartiesAddTheirCurrencyOnceAtTheRateItFirstHadAndConversionsDivideTheRates) {
    std::string rates = AddPartyRate("", "Z", demo::kCompany);
    EXPECT_EQ(rates, "1:-1:");
    rates = AddPartyRate(rates, "D", demo::kExportDivision);
    EXPECT_EQ(rates, "1:2:-1:83.2:");
    // The rate already in the voucher wins over today's.
    db.exec("update ExchangeRateDetail set SellingRate=90 where companyid=1 and currencyid=2");
    EXPECT_EQ(AddPartyRate(rates, "a", 12), rates);                 // Citibank USD A/c
    EXPECT_EQ(AddPartyRate(rates, "A", 18), "1:2:3:-1:83.2:22.6:"); // Emirates NBD A/c, in AED
    // Euros (account 10) have no rate row; department 99 does not exist.
    EXPECT_EQ(AddPartyRate(rates, "A", 10), rates);
    EXPECT_EQ(AddPartyRate("", "D", 99), "");
    EXPECT_THROW(AddPartyRate(rates, "X", 1), rt::Error);
    EXPECT_THROW(AddPartyRate("1:2:", "D", 2), rt::Error); // no "-"

    // Conversions divide the listed rates.
    ctx().GStrExchangeRates = "2:5:-1:45.5:";
    EXPECT_DOUBLE_EQ(CrossRate(5, 2), 1 / 45.5);
    EXPECT_DOUBLE_EQ(CrossRate(2, 5), 45.5);
    EXPECT_DOUBLE_EQ(CrossRate(5, 7), 1); // a currency not listed
    // The rate dialog writes its first identifier with a leading blank.
    ctx().GStrExchangeRates = " 2:5:-1:45.5:";
    EXPECT_DOUBLE_EQ(CrossRate(5, 2), 1 / 45.5);
    EXPECT_EQ(AddPartyRate(" 2:5:-1:45.5:", "D", demo::kExportDivision), "2:5:-1:45.5:");
}

TEST_F(RatesTest, TheRateOfTheVoucherDateIsTakenOfSeveralDatedOnes) {
    db.exec("insert into ExchangeRateDetail (CompanyID, CurrencyID, RateDate, SellingRate) values "
            "(1, 2, '20261130', 84.5), (1, 2, '20261201 09:30:00', 85), (1, 2, '20261202', 90)");
    // No voucher open: the latest rate.
    EXPECT_EQ(AddPartyRate("1:-1:", "D", demo::kExportDivision), "1:2:-1:90:");

    frmJournal& j = loadNew();
    j.dtpJournalDate.setValue(rt::makeDate(2026, 12, 1));
    EXPECT_EQ(AddPartyRate("1:-1:", "D", demo::kExportDivision), "1:2:-1:85:");
    j.dtpJournalDate.setValue(rt::makeDate(2026, 11, 30));
    EXPECT_EQ(AddPartyRate("1:-1:", "A", 12), "1:2:-1:84.5:");
    // Before every dated rate: the latest there is.
    j.dtpJournalDate.setValue(rt::makeDate(2026, 3, 1));
    EXPECT_EQ(AddPartyRate("1:-1:", "D", demo::kExportDivision), "1:2:-1:90:");
}

} // namespace
} // namespace vouchertest
