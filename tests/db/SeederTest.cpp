#include "SqliteFixture.h"

#include "db/Seeder.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using dbtest::Memory;
using namespace db::demo;

std::string ids(const std::vector<std::string>& v) {
    std::string out;
    for (const auto& s : v)
        out += (out.empty() ? "" : ",") + s;
    return out;
}

struct Demo : ::testing::Test {
    Memory db;
    rt::Date process = rt::makeDate(2025, 1, 15);
    void SetUp() override {
        db::createSchema(db.get());
        db::seedDemo(db.get(), process);
    }
};

TEST_F(Demo, EveryVoucherTalliesWithLinesNumberedFromOne) {
    auto bad =
        db.rows("SELECT h.CompanyID, h.JournalTransID FROM InterDivisionJournalTransHeader h "
                "LEFT JOIN InterDivisionJournalTransDetails d "
                "  ON d.CompanyID = h.CompanyID AND d.JournalTransID = h.JournalTransID "
                "GROUP BY h.CompanyID, h.JournalTransID "
                "HAVING count(d.JournalTransDetailID) < 2 OR min(d.JournalTransDetailID) <> 1 "
                "  OR max(d.JournalTransDetailID) <> count(d.JournalTransDetailID) "
                "  OR round(sum(CASE d.JournalTransCredit WHEN 1 THEN d.Amount ELSE -d.Amount END), 2) <> 0 "
                "  OR sum(d.JournalTransCredit = 0) = 0 OR sum(d.JournalTransCredit = 1) = 0");
    EXPECT_TRUE(bad.empty()) << bad.size() << " vouchers, first " << bad.at(0).at(1);
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransDetails WHERE Amount <= 0 "
                        "OR abs(Amount * 100 - round(Amount * 100)) > 1e-6"),
              0);
    // Debits come first, as the voucher editor lists them.
    EXPECT_EQ(
        db.number("SELECT count(*) FROM InterDivisionJournalTransDetails c JOIN "
                  "InterDivisionJournalTransDetails d ON d.CompanyID = c.CompanyID AND "
                  "d.JournalTransID = c.JournalTransID AND d.JournalTransDetailID > c.JournalTransDetailID "
                  "WHERE c.JournalTransCredit = 1 AND d.JournalTransCredit = 0"),
        0);
}

// Every line could have been entered in the line editor: its list for the line's department
// (the cash group left out, active accounts only) offers the account, and no account is used
// twice for one department in a voucher.
TEST_F(Demo, LinesUseAccountsTheLineEditorOffers) {
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransDetails d WHERE NOT EXISTS ("
                        " SELECT 1 FROM AACCOUNTMASTER a, vwnoncontrolaccounts nca, agroupmaster g "
                        " WHERE a.groupid <> (SELECT ifnull(cashgroupID, 0) FROM asettings WHERE "
                        "   CompanyID = d.CompanyID) AND g.groupid = a.groupid AND g.companyid = a.companyid "
                        "   AND a.active = 1 AND nca.companyid = a.companyid AND nca.accountid = a.accountid "
                        "   AND nca.dadepartmentid = d.DepartmentID AND a.AccountID = d.AccountID "
                        "   AND a.CompanyID = d.CompanyID)"),
              0);
    EXPECT_EQ(db.number("SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransDetails "
                        "GROUP BY CompanyID, JournalTransID, DepartmentID, AccountID HAVING count(*) > 1)"),
              0);
}

TEST_F(Demo, VouchersLieInTheirFinancialYearInDateOrder) {
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE NOT EXISTS ("
                        " SELECT 1 FROM vwfinyearperiod vw WHERE vw.financialid = h.FinancialID AND "
                        " h.JournalTransDate BETWEEN vw.sdate AND vw.edate)"),
              0);
    // The browse window's look-back of 400 days reaches every voucher of the current year.
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE h.Companyid = 1 AND "
                        "h.FinancialID = 3 AND h.JournalTransDate >= '" +
                        rt::toStored(rt::addDays(process, -400)) + "'"),
              160);
    EXPECT_EQ(db.number("SELECT financialid FROM afinancialyear WHERE curfinancialyear = 1"), 3);
}

// The freeze date falls on voucher 200; the vouchers near the end, which the tests edit, lie
// after it, and a cancelled voucher always says why.
TEST_F(Demo, FreezeDateAndCancellationsHold) {
    EXPECT_EQ(db.text("SELECT AccountsFreezeDate FROM MiscSettings"),
              db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 200"));
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
            "JournalTransID > 280 AND JournalTransDate <= (SELECT AccountsFreezeDate FROM MiscSettings)"),
        0);
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Cancelled = 1 AND "
                        "ifnull(CancelledRemarks, '') = ''"),
              0);
}

// The rates text starts with the home currency at 1 and holds the voucher department's rate.
TEST_F(Demo, RatesTextListsTheVouchersCurrencies) {
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE exchangerates NOT LIKE "
                        "'" +
                        std::to_string(kINR) + ":%-1:%'"),
              0);
}

// The view keeps a department's own control accounts and drops those of other departments.
TEST_F(Demo, ControlAccountsOfOtherDepartmentsAreNotOffered) {
    EXPECT_EQ(
        ids(db.column("SELECT accountid FROM vwnoncontrolaccounts WHERE companyid = 1 AND dadepartmentid = 3 "
                      "ORDER BY 1")),
        "17,18,19,20,21,26,27,28");
    // Read without an ordering clause, the catalogue still comes in grid order.
    EXPECT_EQ(ids(db.column("select tc.columnheader from atables t,atablecolumns tc where t.tableid = "
                            "tc.tableid and tablename ='InterDivisionJournalTransHeader'")),
              "Journal ID,JournalNo,Date,Type,Type Serial No,Cancelled,Posted,Confirmed");
}

// Early in the year the current year's vouchers crowd into a few days; the facts still hold.
class DemoAt : public ::testing::TestWithParam<rt::Date> {};

TEST_P(DemoAt, InvariantsHoldForAnyProcessDate) {
    Memory db;
    db::createSchema(db.get());
    rt::Date process = GetParam();
    db::seedDemo(db.get(), process);
    EXPECT_EQ(db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 300"),
              rt::toStored(rt::dateOnly(process)));
    EXPECT_EQ(db.number("SELECT financialid FROM vwfinyearperiod WHERE '" + rt::toYmd(process) +
                        "' BETWEEN sdate AND edate"),
              kCurrentYear);
    EXPECT_EQ(
        db.number("SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransDetails GROUP BY CompanyID, "
                  "JournalTransID HAVING round(sum(CASE JournalTransCredit WHEN 1 THEN Amount ELSE -Amount "
                  "END), 2) <> 0)"),
        0);
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoAt,
                         ::testing::Values(rt::makeDate(2024, 4, 3), rt::makeDate(2025, 3, 31),
                                           rt::makeDate(2028, 2, 29), rt::makeDate(2030, 12, 31, 16, 45, 0)));

// A file that SQLite cannot use is not left behind half-made.
TEST(DemoDatabase, IsRemovedWhenCreationFails) {
    std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "idj_demo_dir.db";
    std::filesystem::remove_all(dir);
    std::filesystem::path missing = dir / "sub" / "x.db";
    EXPECT_THROW(db::ensureDemoDatabase(missing.string(), rt::makeDate(2025, 1, 15)), rt::Error);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DemoSeed, RefusesADatabaseThatHoldsItAlreadyAndLeavesItUnchanged) {
    Memory db;
    db::createSchema(db.get());
    db::seedDemo(db.get(), rt::makeDate(2025, 1, 15));
    EXPECT_THROW(db::seedDemo(db.get(), rt::makeDate(2025, 1, 15)), rt::Error);
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader"), 312);
    EXPECT_EQ(sqlite3_get_autocommit(db.get()), 1);
}

} // namespace
