#include "SqliteFixture.h"

#include "db/Seeder.h"

#include <gtest/gtest.h>

namespace {

using dbtest::Memory;

// The benchmarks' vouchers go on from the demo's: balanced, numbered on, and on accounts the
// line's department may post to; the other company is untouched.
TEST(BulkSeed, ContinuesTheDemoWithBalancedVouchers) {
    Memory db;
    db::createSchema(db.get());
    db::seedDemo(db.get(), rt::makeDate(2025, 1, 15));
    int64_t journals =
        db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND Type = 'JO'");
    db::seedBulkVouchers(db.get(), 1, 3, 200, rt::makeDate(2024, 4, 1));

    const std::string bulk = "InterDivisionJournalTransHeader WHERE CompanyID = 1 AND JournalTransID > 300";
    EXPECT_EQ(db.text("SELECT count(*) || ':' || min(JournalNo) || ':' || count(DISTINCT Type) FROM " + bulk),
              "200:IDJ/301:4");
    EXPECT_EQ(
        db.number(
            "SELECT count(DISTINCT JournalNo) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1"),
        500);
    EXPECT_EQ(
        db.text("SELECT TypeSeriallNO FROM " + bulk + " AND Type = 'JO' ORDER BY JournalTransID LIMIT 1"),
        "JRN/" + std::to_string(journals + 1));
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransDetails WHERE JournalTransID > "
            "300 GROUP BY CompanyID, JournalTransID HAVING count(*) <> 2 OR sum(JournalTransCredit) <> 1 "
            "OR min(JournalTransDetailID) <> 1 OR round(sum(CASE JournalTransCredit WHEN 1 THEN Amount "
            "ELSE -Amount END), 2) <> 0)"),
        0);
    EXPECT_EQ(
        db.number("SELECT count(*) FROM InterDivisionJournalTransDetails d WHERE JournalTransID > 300 AND "
                  "CompanyID = 1 AND NOT EXISTS (SELECT 1 FROM vwnoncontrolaccounts v WHERE v.companyid = 1 "
                  "AND v.accountid = d.AccountID AND v.dadepartmentid = d.DepartmentID)"),
        0);
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 2"), 12);
}

} // namespace
