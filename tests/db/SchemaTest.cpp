#include "SqliteFixture.h"

#include "runtime/Error.h"

#include <gtest/gtest.h>

#include <sstream>

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

TEST_F(Schema, CreatesEveryTableAndViewTheModuleReads) {
    std::istringstream names(
        "table:InterDivisionJournalTransHeader table:InterDivisionJournalTransDetails table:genjournalheader "
        "table:JournaltransHeader table:afinancialyear table:aaccountfinyearopening table:apackagesettings "
        "table:ASETTINGS table:MiscSettings table:aPrefix table:auserrights table:ausers "
        "table:AuserGroupDeptDetails table:adepartmentmaster table:adepcontrolaccounts table:AACCOUNTMASTER "
        "table:agroupmaster table:acurrencymaster table:ExchangeRateDetail table:acompanymaster "
        "table:avendormaster table:acustomermaster table:papayacclinkheader table:atables "
        "table:atablecolumns "
        "table:aActivityLog table:aGridColumnLayout table:aFaultLog view:vwfinyearperiod "
        "view:vwnoncontrolaccounts view:vwPayrollLinkwithjournal");
    for (std::string n; names >> n;) {
        size_t colon = n.find(':');
        EXPECT_EQ(db.number("SELECT count(*) FROM sqlite_master WHERE type = '" + n.substr(0, colon) +
                            "' AND name = '" + n.substr(colon + 1) + "' COLLATE NOCASE"),
                  1)
            << n;
    }
}

// The statements of the module name these columns; any typo in the schema breaks one of them.
TEST_F(Schema, StatementsOfTheModuleFindTheirColumns) {
    const char* statements[] = {
        "SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate, h.type, TypeSeriallNO, h.cancelled, "
        "h.posted, "
        "h.Confirm, h.Remarks, h.CancelledRemarks, h.FinancialID, h.exchangerate, h.exchangerates, "
        "h.updatetime, "
        "h.DepartmentID, h.Companyid FROM InterDivisionJournalTransHeader h",
        "SELECT JournalTransDetailID, CompanyID, JournalTransID, AccountID, JournalTransCredit, "
        "DepartmentID, "
        "Amount, Remarks, depexrates FROM InterDivisionJournalTransDetails",
        "SELECT referenceno, Type, JournalDate, Cancel, companyid FROM genjournalheader",
        "SELECT CompanyID, cancelled, parentjournalid FROM JournaltransHeader",
        "SELECT packagedate, AutoConfirmAccTrans, companydepartment FROM apackagesettings",
        "SELECT CompanyID, NoOfPreviousDays, CashGroupID FROM ASETTINGS",
        "SELECT AccountsFreezeDate FROM MiscSettings",
        "SELECT Prefix, CompanyID, InterfaceID, FinancialId, shopid, godownid, departmentid FROM aPrefix",
        "SELECT DepartmentID, DepartmentName, CompanyID, depcurrencyid FROM adepartmentmaster",
        "SELECT companyid, maindepid, otherdepid, controlaccid FROM adepcontrolaccounts",
        "SELECT AccountID, AccountDesc, CompanyID, groupid, active, currencyid FROM AACCOUNTMASTER",
        "SELECT groupid, companyid FROM agroupmaster",
        "SELECT currencyid, currencyname, CompanyID, Symbol FROM acurrencymaster",
        "SELECT CompanyID, CurrencyID, SellingRate FROM ExchangeRateDetail",
        "SELECT CompanyID, CurrencyID FROM acompanymaster",
        "SELECT vendorID, CompanyID, currencyid FROM avendormaster",
        "SELECT customerID, CompanyID, currencyid FROM acustomermaster",
        "SELECT TransId, TransNo, departmentid FROM vwPayrollLinkwithjournal",
        "SELECT TransId, TransNo, transid, departmentid FROM papayacclinkheader",
    };
    for (const char* sql : statements)
        EXPECT_NO_THROW(db.rows(sql)) << sql;
}

// The data layer reads dates and flags back by the declared type, also through the views.
TEST_F(Schema, DeclaredTypesCarryDatesAndFlagsThroughViews) {
    EXPECT_EQ(declType("SELECT JournalTransDate FROM InterDivisionJournalTransHeader"), "DATETEXT");
    EXPECT_EQ(declType("SELECT Cancelled FROM InterDivisionJournalTransHeader"), "BIT");
    EXPECT_EQ(declType("SELECT JournalTransCredit FROM InterDivisionJournalTransDetails"), "BIT");
    EXPECT_EQ(declType("SELECT edate FROM vwfinyearperiod vw"), "DATETEXT");
    EXPECT_EQ(declType("SELECT AccountsFreezeDate FROM MiscSettings"), "DATETEXT");
    EXPECT_EQ(declType("SELECT CompanyID FROM InterDivisionJournalTransHeader"), "SMALLINT");
}

TEST_F(Schema, VoucherKeysArePerCompany) {
    auto add = [&](int id, int company) {
        db.exec("INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
                "JournalTransDate, "
                "FinancialID) VALUES (" +
                std::to_string(id) + ", " + std::to_string(company) + ", 'IDJ/1', '20240401', 3)");
    };
    add(1, 1);
    add(1, 2);
    EXPECT_THROW(add(1, 1), rt::Error);
    // An added header gets the flags' defaults: neither cancelled, posted nor confirmed.
    EXPECT_EQ(db.text("SELECT Cancelled || Posted || Confirm FROM InterDivisionJournalTransHeader "
                      "WHERE CompanyID = 1"),
              "000");
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
