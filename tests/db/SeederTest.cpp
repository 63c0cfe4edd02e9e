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

// What the windows and the tests rely on in the demo, each as a query counting what breaks it.
const std::pair<const char*, std::string> kBroken[] = {
    {"a voucher that does not tally, lacks a side or is not numbered 1 to n",
     "SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransHeader h LEFT JOIN "
     "InterDivisionJournalTransDetails d ON d.CompanyID = h.CompanyID AND d.JournalTransID = "
     "h.JournalTransID "
     "GROUP BY h.CompanyID, h.JournalTransID HAVING count(d.JournalTransDetailID) < 2 OR "
     "min(d.JournalTransDetailID) <> 1 OR max(d.JournalTransDetailID) <> count(d.JournalTransDetailID) OR "
     "round(sum(CASE d.JournalTransCredit WHEN 1 THEN d.Amount ELSE -d.Amount END), 2) <> 0 OR "
     "sum(d.JournalTransCredit = 0) = 0 OR sum(d.JournalTransCredit = 1) = 0)"},
    {"an amount not positive or with more than two decimals",
     "SELECT count(*) FROM InterDivisionJournalTransDetails WHERE Amount <= 0 OR "
     "abs(Amount * 100 - round(Amount * 100)) > 1e-6"},
    {"a credit before a debit, not as the voucher editor lists them",
     "SELECT count(*) FROM InterDivisionJournalTransDetails c JOIN InterDivisionJournalTransDetails d ON "
     "d.CompanyID = c.CompanyID AND d.JournalTransID = c.JournalTransID AND d.JournalTransDetailID > "
     "c.JournalTransDetailID WHERE c.JournalTransCredit = 1 AND d.JournalTransCredit = 0"},
    // The line editor's list for the department: the cash group left out, active accounts only.
    {"a line on an account the line editor does not offer its department",
     "SELECT count(*) FROM InterDivisionJournalTransDetails d WHERE NOT EXISTS (SELECT 1 FROM AACCOUNTMASTER "
     "a, vwnoncontrolaccounts nca, agroupmaster g WHERE a.groupid <> (SELECT ifnull(cashgroupID, 0) FROM "
     "asettings WHERE CompanyID = d.CompanyID) AND g.groupid = a.groupid AND g.companyid = a.companyid AND "
     "a.active = 1 AND nca.companyid = a.companyid AND nca.accountid = a.accountid AND nca.dadepartmentid = "
     "d.DepartmentID AND a.AccountID = d.AccountID AND a.CompanyID = d.CompanyID)"},
    {"an account used twice for one department in a voucher",
     "SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransDetails GROUP BY CompanyID, "
     "JournalTransID, "
     "DepartmentID, AccountID HAVING count(*) > 1)"},
    {"a voucher outside its financial year",
     "SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE NOT EXISTS (SELECT 1 FROM vwfinyearperiod "
     "vw WHERE vw.financialid = h.FinancialID AND h.JournalTransDate BETWEEN vw.sdate AND vw.edate)"},
    {"a cancelled voucher without its reason",
     "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Cancelled = 1 AND ifnull(CancelledRemarks, "
     "'') = ''"},
    {"a rates text that does not start with the home currency at 1",
     "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE exchangerates NOT LIKE '" +
         std::to_string(kINR) + ":%-1:%'"},
};

// Early in the year the current year's vouchers crowd into a few days; the facts still hold.
class DemoAt : public ::testing::TestWithParam<rt::Date> {};

TEST_P(DemoAt, FactsHoldForAnyProcessDate) {
    Memory db;
    db::createSchema(db.get());
    rt::Date process = GetParam();
    db::seedDemo(db.get(), process);
    for (const auto& [what, sql] : kBroken)
        EXPECT_EQ(db.number(sql), 0) << what;
    EXPECT_EQ(db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 300"),
              rt::toStored(rt::dateOnly(process)));
    EXPECT_EQ(db.number("SELECT financialid FROM vwfinyearperiod WHERE '" + rt::toYmd(process) +
                        "' BETWEEN sdate AND edate"),
              kCurrentYear);
    EXPECT_EQ(db.number("SELECT financialid FROM afinancialyear WHERE curfinancialyear = 1"), kCurrentYear);
    // The freeze date falls on voucher 200; the vouchers near the end, which the tests edit, lie after it.
    EXPECT_EQ(db.text("SELECT AccountsFreezeDate FROM MiscSettings"),
              db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 200"));
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                        "JournalTransID > 280 AND JournalTransDate <= (SELECT AccountsFreezeDate FROM "
                        "MiscSettings)"),
              0);
    // The browse window's look-back of 400 days reaches every voucher of the current year.
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE h.Companyid = 1 AND "
                        "h.FinancialID = 3 AND h.JournalTransDate < '" +
                        rt::toStored(rt::addDays(process, -400)) + "'"),
              0);
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoAt,
                         ::testing::Values(rt::makeDate(2024, 4, 3), rt::makeDate(2025, 1, 15),
                                           rt::makeDate(2025, 3, 31), rt::makeDate(2028, 2, 29),
                                           rt::makeDate(2030, 12, 31, 16, 45, 0)));

TEST(DemoSeed, ControlAccountsOfOtherDepartmentsAreNotOffered) {
    Memory db;
    db::createSchema(db.get());
    db::seedDemo(db.get(), rt::makeDate(2025, 1, 15));
    // The view keeps a department's own control accounts and drops those of other departments.
    EXPECT_EQ(
        ids(db.column("SELECT accountid FROM vwnoncontrolaccounts WHERE companyid = 1 AND dadepartmentid = 3 "
                      "ORDER BY 1")),
        "17,18,19,20,21,26,27,28");
    // Read without an ordering clause, the catalogue still comes in grid order.
    EXPECT_EQ(ids(db.column("select tc.columnheader from atables t,atablecolumns tc where t.tableid = "
                            "tc.tableid and tablename ='InterDivisionJournalTransHeader'")),
              "Journal ID,JournalNo,Date,Type,Type Serial No,Cancelled,Posted,Confirmed");
    // Seeding again is refused and changes nothing.
    EXPECT_THROW(db::seedDemo(db.get(), rt::makeDate(2025, 1, 15)), rt::Error);
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader"), 312);
    EXPECT_EQ(sqlite3_get_autocommit(db.get()), 1);
}

// A file that SQLite cannot use is not left behind half-made.
TEST(DemoDatabase, IsRemovedWhenCreationFails) {
    std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "idj_demo_dir.db";
    std::filesystem::remove_all(dir);
    std::filesystem::path missing = dir / "sub" / "x.db";
    EXPECT_THROW(db::ensureDemoDatabase(missing.string(), rt::makeDate(2025, 1, 15)), rt::Error);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
