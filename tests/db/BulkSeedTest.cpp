#include "SqliteFixture.h"

#include "db/Seeder.h"

#include <gtest/gtest.h>

namespace {

using dbtest::Memory;

TEST(BulkSeed, TenThousandBalancedVouchersOverOneYear) {
    Memory db;
    db::createSchema(db.get());
    rt::Date first = rt::makeDate(2024, 4, 1);
    db::seedBulkVouchers(db.get(), 7, 3, 10000, first);

    EXPECT_EQ(db.text("SELECT count(*) || ':' || min(JournalTransID) || ':' || max(JournalTransID) || ':' || "
                      "count(DISTINCT JournalNo) FROM InterDivisionJournalTransHeader WHERE CompanyID = 7 "
                      "AND FinancialID = 3"),
              "10000:1:10000:10000");
    EXPECT_EQ(db.text("SELECT min(JournalTransDate) || '-' || max(JournalTransDate) FROM "
                      "InterDivisionJournalTransHeader"),
              "20240401-20250331");
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransDetails GROUP BY JournalTransID "
            "HAVING count(*) <> 2 OR sum(JournalTransCredit) <> 1 OR min(JournalTransDetailID) <> 1 OR "
            "round(sum(CASE JournalTransCredit WHEN 1 THEN Amount ELSE -Amount END), 2) <> 0)"),
        0);
    // Mixed types and states, as a browse over real data would meet them.
    EXPECT_EQ(db.number("SELECT count(DISTINCT Type) FROM InterDivisionJournalTransHeader"), 4);
}

TEST(BulkSeed, ContinuesTheDemosIdentifiersNumbersAndSerials) {
    Memory db;
    db::createSchema(db.get());
    db::seedDemo(db.get(), rt::makeDate(2025, 1, 15));
    int64_t journals =
        db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                  "Type = 'JO'");
    db::seedBulkVouchers(db.get(), 1, 3, 200, rt::makeDate(2024, 4, 1));

    EXPECT_EQ(db.text("SELECT min(JournalNo) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 301"),
              "IDJ/301");
    EXPECT_EQ(
        db.number(
            "SELECT count(DISTINCT JournalNo) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1"),
        500);
    EXPECT_EQ(
        db.text(
            "SELECT TypeSeriallNO FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND Type = 'JO' "
            "AND JournalTransID > 300 ORDER BY JournalTransID LIMIT 1"),
        "JRN/" + std::to_string(journals + 1));
    // The lines use accounts of the company that the department may post to.
    EXPECT_EQ(
        db.number("SELECT count(*) FROM InterDivisionJournalTransDetails d WHERE JournalTransID > 300 AND "
                  "CompanyID = 1 AND NOT EXISTS (SELECT 1 FROM vwnoncontrolaccounts v WHERE v.companyid = 1 "
                  "AND v.accountid = d.AccountID AND v.dadepartmentid = d.DepartmentID)"),
        0);
    // Company 2 is untouched.
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 2"), 12);
}

} // namespace
