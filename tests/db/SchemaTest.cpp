#include "SqliteFixture.h"

#include "runtime/Error.h"

#include <gtest/gtest.h>

namespace {

using dbtest::Memory;

struct Schema : ::testing::Test {
    Memory db;
    void SetUp() override { db::createSchema(db.get()); }

    std::string declType(const std::string& sql) {
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
        const char* t = sqlite3_column_decltype(st, 0);
        std::string out = t ? t : "<none>";
        sqlite3_finalize(st);
        return out;
    }
};

// The data layer reads dates and flags back by the declared type, also through the views.
TEST_F(Schema, DeclaredTypesCarryDatesAndFlagsThroughViews) {
    const std::pair<const char*, const char*> cases[] = {
        {"JournalTransDate FROM InterDivisionJournalTransHeader", "DATETEXT"},
        {"Cancelled FROM InterDivisionJournalTransHeader", "BIT"},
        {"JournalTransCredit FROM InterDivisionJournalTransDetails", "BIT"},
        {"edate FROM vwfinyearperiod vw", "DATETEXT"},
        {"AccountsFreezeDate FROM MiscSettings", "DATETEXT"},
    };
    for (const auto& [column, type] : cases)
        EXPECT_EQ(declType(std::string("SELECT ") + column), type) << column;
}

TEST_F(Schema, TextComparesWithoutCaseAndTextIdsConvertToNumbers) {
    db.exec("INSERT INTO AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid) VALUES (1, 4, 'Audit "
            "Fees', 6)");
    EXPECT_EQ(db.number("SELECT AccountID FROM AACCOUNTMASTER WHERE AccountDesc = 'AUDIT fees'"), 4);
    // The voucher editor hands the line's department over as the text of its id.
    db.exec("INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, JournalTransID, "
            "AccountID, DepartmentID) VALUES (1, 1, 1, 4, '3')");
    EXPECT_EQ(db.text("SELECT typeof(DepartmentID) FROM InterDivisionJournalTransDetails"), "integer");
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransDetails WHERE DepartmentID = 3"), 1);
}

TEST_F(Schema, BrowseAndNumberingQueriesUseAnIndex) {
    auto plan = [&](const std::string& sql) {
        std::string all;
        for (auto& r : db.rows("EXPLAIN QUERY PLAN " + sql))
            all += r.back() + "\n";
        return all;
    };
    std::string browse =
        plan("SELECT h.JournalTransID FROM InterDivisionJournalTransHeader h WHERE h.Companyid = 1 "
             "AND h.FinancialID = 3 AND h.JournalTransDate >= '20240101' ORDER BY h.JournalTransID");
    EXPECT_NE(browse.find("SEARCH h USING"), std::string::npos) << browse;
}

TEST_F(Schema, SecondRunFailsAndLeavesTheDatabaseAsItWas) {
    db.exec("INSERT INTO ASETTINGS (CompanyID, NoOfPreviousDays) VALUES (1, 30)");
    EXPECT_THROW(db::createSchema(db.get()), rt::Error);
    EXPECT_EQ(db.number("SELECT NoOfPreviousDays FROM ASETTINGS"), 30);
    EXPECT_EQ(sqlite3_get_autocommit(db.get()), 1); // no transaction left open
}

} // namespace
