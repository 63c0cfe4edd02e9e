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

TEST_F(Schema, CreatesEveryTableAndViewTheModuleReads) {
    const char* tables[] = {"InterDivisionJournalTransHeader",
                            "InterDivisionJournalTransDetails",
                            "genjournalheader",
                            "JournaltransHeader",
                            "afinancialyear",
                            "aaccountfinyearopening",
                            "apackagesettings",
                            "ASETTINGS",
                            "MiscSettings",
                            "aPrefix",
                            "auserrights",
                            "ausers",
                            "AuserGroupDeptDetails",
                            "adepartmentmaster",
                            "adepcontrolaccounts",
                            "AACCOUNTMASTER",
                            "agroupmaster",
                            "acurrencymaster",
                            "ExchangeRateDetail",
                            "acompanymaster",
                            "avendormaster",
                            "acustomermaster",
                            "papayacclinkheader",
                            "atables",
                            "atablecolumns",
                            "aActivityLog",
                            "aGridColumnLayout",
                            "aFaultLog"};
    for (const char* t : tables)
        EXPECT_EQ(db.number("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '" +
                            std::string(t) + "' COLLATE NOCASE"),
                  1)
            << t;
    for (const char* v : {"vwfinyearperiod", "vwnoncontrolaccounts", "vwPayrollLinkwithjournal"})
        EXPECT_EQ(db.number("SELECT count(*) FROM sqlite_master WHERE type = 'view' AND name = '" +
                            std::string(v) + "'"),
                  1)
            << v;
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
        "SELECT financialid, sdate, edate FROM vwfinyearperiod",
        "SELECT financialid, curfinancialyear FROM afinancialyear",
        "SELECT financialid FROM aaccountfinyearopening",
        "SELECT packagedate, AutoConfirmAccTrans, companydepartment FROM apackagesettings",
        "SELECT CompanyID, NoOfPreviousDays, CashGroupID FROM ASETTINGS",
        "SELECT AccountsFreezeDate FROM MiscSettings",
        "SELECT Prefix, CompanyID, InterfaceID, FinancialId, shopid, godownid, departmentid FROM aPrefix",
        "SELECT CompanyID, UserID, interfaceid, FunctionRights FROM auserrights",
        "SELECT userid, username, UserGroupID FROM ausers",
        "SELECT UserGroupID, deptid FROM AuserGroupDeptDetails",
        "SELECT DepartmentID, DepartmentName, CompanyID, depcurrencyid FROM adepartmentmaster",
        "SELECT companyid, maindepid, otherdepid, controlaccid FROM adepcontrolaccounts",
        "SELECT AccountID, AccountDesc, CompanyID, groupid, active, currencyid FROM AACCOUNTMASTER",
        "SELECT groupid, companyid FROM agroupmaster",
        "SELECT companyid, accountid, dadepartmentid FROM vwnoncontrolaccounts",
        "SELECT currencyid, currencyname, CompanyID, Symbol FROM acurrencymaster",
        "SELECT CompanyID, CurrencyID, SellingRate FROM ExchangeRateDetail",
        "SELECT CompanyID, CurrencyID FROM acompanymaster",
        "SELECT vendorID, CompanyID, currencyid FROM avendormaster",
        "SELECT customerID, CompanyID, currencyid FROM acustomermaster",
        "SELECT TransId, TransNo, departmentid FROM vwPayrollLinkwithjournal",
        "SELECT TransId, TransNo, transid, departmentid FROM papayacclinkheader",
        "SELECT tableid, tablename FROM atables",
        "SELECT tableid, columnheader, columnname FROM atablecolumns",
    };
    for (const char* sql : statements)
        EXPECT_NO_THROW(db.rows(sql)) << sql;
}

// The data layer reads dates and flags back by the declared type, also through the views.
TEST_F(Schema, DeclaredTypesCarryDatesAndFlagsThroughViews) {
    EXPECT_EQ(declType("SELECT JournalTransDate FROM InterDivisionJournalTransHeader"), "DATETEXT");
    EXPECT_EQ(declType("SELECT updatetime FROM InterDivisionJournalTransHeader"), "DATETEXT");
    EXPECT_EQ(declType("SELECT Cancelled FROM InterDivisionJournalTransHeader"), "BIT");
    EXPECT_EQ(declType("SELECT JournalTransCredit FROM InterDivisionJournalTransDetails"), "BIT");
    EXPECT_EQ(declType("SELECT sdate FROM vwfinyearperiod"), "DATETEXT");
    EXPECT_EQ(declType("SELECT edate FROM vwfinyearperiod vw"), "DATETEXT");
    EXPECT_EQ(declType("SELECT AccountsFreezeDate FROM MiscSettings"), "DATETEXT");
    EXPECT_EQ(declType("SELECT packagedate FROM apackagesettings"), "DATETEXT");
    EXPECT_EQ(declType("SELECT JournalDate FROM genjournalheader"), "DATETEXT");
    EXPECT_EQ(declType("SELECT AutoConfirmAccTrans FROM apackagesettings"), "BIT");
    EXPECT_EQ(declType("SELECT JournalTransID FROM InterDivisionJournalTransHeader"), "INTEGER");
    EXPECT_EQ(declType("SELECT CompanyID FROM InterDivisionJournalTransHeader"), "SMALLINT");
}

TEST_F(Schema, VoucherKeysArePerCompany) {
    db.exec("INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
            "JournalTransDate, "
            "FinancialID) VALUES (1, 1, 'IDJ/1', '20240401', 3)");
    db.exec("INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
            "JournalTransDate, "
            "FinancialID) VALUES (1, 2, 'IDJ/1', '20240401', 3)");
    EXPECT_THROW(db.exec("INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
                         "JournalTransDate, FinancialID) VALUES (1, 1, 'IDJ/2', '20240402', 3)"),
                 rt::Error);
    db.exec("INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, JournalTransID, "
            "AccountID) VALUES (1, 1, 1, 5)");
    EXPECT_THROW(db.exec("INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, "
                         "JournalTransID, AccountID) VALUES (1, 1, 1, 6)"),
                 rt::Error);
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
    std::string next = plan("SELECT ifnull(max(JournalTransID), 0) + 1 FROM InterDivisionJournalTransHeader "
                            "WHERE CompanyID = 1");
    EXPECT_EQ(next.find("SCAN InterDivisionJournalTransHeader\n"), std::string::npos) << next;
    std::string serial = plan("SELECT count(*) + 1 FROM InterDivisionJournalTransHeader WHERE Type = 'PA' "
                              "AND companyid = 1");
    EXPECT_NE(serial.find("IX_IDJHeader_Type"), std::string::npos) << serial;
}

TEST_F(Schema, SecondRunFailsAndLeavesTheDatabaseAsItWas) {
    db.exec("INSERT INTO ASETTINGS (CompanyID, NoOfPreviousDays) VALUES (1, 30)");
    EXPECT_THROW(db::createSchema(db.get()), rt::Error);
    EXPECT_EQ(db.number("SELECT NoOfPreviousDays FROM ASETTINGS"), 30);
    EXPECT_EQ(sqlite3_get_autocommit(db.get()), 1); // no transaction left open
}

} // namespace
