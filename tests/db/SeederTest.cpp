#include "SqliteFixture.h"

#include "db/Seeder.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

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
    std::string state(int id) {
        return db.text("SELECT 'P' || Posted || 'C' || Cancelled || 'F' || Confirm FROM "
                       "InterDivisionJournalTransHeader WHERE CompanyID = 1 AND JournalTransID = " +
                       std::to_string(id));
    }
    int64_t referred(int company, int id) {
        return db.number(
            "select count(*) referred from JournaltransHeader where CompanyID=" + std::to_string(company) +
            " and cancelled = 0 and parentjournalid=" + std::to_string(id));
    }
};

TEST_F(Demo, VouchersAreNumberedAndKeyedPerCompany) {
    EXPECT_EQ(db.text("SELECT count(*) || ':' || min(JournalTransID) || ':' || max(JournalTransID) FROM "
                      "InterDivisionJournalTransHeader WHERE CompanyID = 1"),
              "300:1:300");
    EXPECT_EQ(db.text("SELECT count(*) || ':' || min(JournalNo) || ':' || max(JournalNo) FROM "
                      "InterDivisionJournalTransHeader WHERE CompanyID = 2"),
              "12:IDJ/901:IDJ/912");
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                        "JournalNo <> 'IDJ/' || JournalTransID"),
              0);
    // The next voucher's number for company 1 ignores company 2's higher numbers.
    EXPECT_EQ(
        db.number("SELECT max(CAST(substr(JournalNo, 5) AS INTEGER)) FROM InterDivisionJournalTransHeader "
                  "WHERE CompanyID = 1 AND substr(JournalNo, 1, 4) = 'IDJ/'"),
        300);
}

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
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransDetails WHERE CompanyID = 1 AND "
                        "JournalTransID = 288"),
              12);
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
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE DepartmentID IS NOT "
            "(SELECT DepartmentID FROM InterDivisionJournalTransDetails d WHERE d.CompanyID = h.CompanyID "
            " AND d.JournalTransID = h.JournalTransID AND d.JournalTransDetailID = 1)"),
        0);
    EXPECT_EQ(
        db.number(
            "SELECT count(DISTINCT DepartmentID) FROM InterDivisionJournalTransDetails WHERE CompanyID = 1 "
            "AND JournalTransID = 288"),
        4);
}

TEST_F(Demo, VouchersLieInTheirFinancialYearInDateOrder) {
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE NOT EXISTS ("
                        " SELECT 1 FROM vwfinyearperiod vw WHERE vw.financialid = h.FinancialID AND "
                        " h.JournalTransDate BETWEEN vw.sdate AND vw.edate)"),
              0);
    EXPECT_EQ(
        db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE length(JournalTransDate) <> 8 "
                  "OR JournalTransDate GLOB '*[^0-9]*' OR updatetime NOT GLOB "
                  "'[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'"),
        0);
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader a JOIN InterDivisionJournalTransHeader b "
            "ON a.CompanyID = b.CompanyID AND b.JournalTransID = a.JournalTransID + 1 "
            "WHERE b.JournalTransDate < a.JournalTransDate"),
        0);
    EXPECT_EQ(ids(db.column("SELECT FinancialID || ':' || count(*) FROM InterDivisionJournalTransHeader "
                            "WHERE CompanyID = 1 GROUP BY FinancialID")),
              "1:20,2:120,3:160");
    EXPECT_EQ(db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 141"),
              "20240401");
    EXPECT_EQ(db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 300"),
              "20250115");
    // The browse window's look-back of 400 days reaches every voucher of the current year.
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE h.Companyid = 1 AND "
                        "h.FinancialID = 3 AND h.JournalTransDate >= '" +
                        rt::toStored(rt::addDays(process, -400)) + "'"),
              160);
}

TEST_F(Demo, FinancialYearsFollowTheProcessDate) {
    EXPECT_EQ(
        ids(db.column("SELECT financialid || ' ' || sdate || '-' || edate FROM vwfinyearperiod ORDER BY 1")),
        "1 20220401-20230331,2 20230401-20240331,3 20240401-20250331");
    EXPECT_EQ(db.number("SELECT financialid FROM afinancialyear WHERE curfinancialyear = 1"), 3);
    // A date of the past year is found as a year other than the current one; the past year is
    // open, the oldest closed.
    EXPECT_EQ(
        db.text("Select af.financialid from vwfinyearperiod vw, afinancialyear af where '20240331' between "
                "sdate and edate and vw.financialid = af.financialid and af.curfinancialyear<>1 "),
        "2");
    EXPECT_EQ(db.number("SELECT count(*) FROM aaccountfinyearopening WHERE financialid > 2"), 0);
    EXPECT_GT(db.number("SELECT count(*) FROM aaccountfinyearopening WHERE financialid > 1"), 0);
    EXPECT_EQ(db.text("Select financialid from vwfinyearperiod vw where '20220331' between sdate and edate"),
              "<no row>");
    // Text dates compare as dates: the last day of a year is inside it, with or without a time.
    EXPECT_EQ(db.text("SELECT financialid FROM vwfinyearperiod WHERE '20250331' BETWEEN sdate AND edate"),
              "3");
    EXPECT_LT(std::string("20240331 23:59:59"), std::string("20240401"));
    EXPECT_EQ(db.text("SELECT packagedate FROM apackagesettings"), "20220401");
}

TEST_F(Demo, TypeSerialsCountEachTypeInIdOrder) {
    std::map<std::string, int> count;
    const std::map<std::string, std::string> prefix{
        {"JO", "JRN/"}, {"PA", "PAY/"}, {"RE", "RCPT/"}, {"CA", "CSTR/"}};
    for (int company : {1, 2}) {
        count.clear();
        for (auto& r :
             db.rows("SELECT Type, TypeSeriallNO FROM InterDivisionJournalTransHeader WHERE CompanyID = " +
                     std::to_string(company) + " ORDER BY JournalTransID")) {
            ASSERT_TRUE(prefix.count(r[0])) << r[0];
            EXPECT_EQ(r[1], prefix.at(r[0]) + std::to_string(++count[r[0]]));
        }
        EXPECT_EQ(count.size(), 4u) << "company " << company;
    }
}

TEST_F(Demo, DocumentedStatesHold) {
    EXPECT_EQ(state(200), "P0C0F0");
    EXPECT_EQ(db.text("SELECT AccountsFreezeDate FROM MiscSettings"),
              db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 200"));
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
            "JournalTransID > 280 AND JournalTransDate <= (SELECT AccountsFreezeDate FROM MiscSettings)"),
        0);
    EXPECT_EQ(state(281), "P0C0F0");
    EXPECT_EQ(state(283), "P1C0F1");
    EXPECT_EQ(state(284), "P0C0F1");
    EXPECT_EQ(state(285), "P0C1F0");
    EXPECT_EQ(state(286), "P1C1F1");
    EXPECT_EQ(state(289), "P1C0F1");
    EXPECT_EQ(state(300), "P0C0F0");
    EXPECT_EQ(state(26), "P1C1F1"); // the year rule: posted, and cancelled as a multiple of 13
    EXPECT_EQ(state(150), "P0C0F1");
    EXPECT_EQ(state(24), "P1C0F1");
    EXPECT_EQ(state(145), "P1C0F1");
    EXPECT_EQ(state(147), "P0C0F0");
    EXPECT_EQ(state(153), "P1C0F1");
    EXPECT_EQ(state(156), "P0C1F0");
    EXPECT_EQ(db.text("SELECT CancelledRemarks FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 286"),
              "Duplicate of last week's entry");
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Cancelled = 1 AND "
                        "ifnull(CancelledRemarks, '') = ''"),
              0);

    // The general journal entries that keep a voucher from being changed.
    EXPECT_GT(referred(1, 281), 0);
    EXPECT_GT(referred(1, 290), 0);
    EXPECT_EQ(referred(1, 282), 0);
    EXPECT_GT(referred(2, 282), 0);
    EXPECT_EQ(referred(1, 284), 0);
    EXPECT_GT(referred(1, 24), 0);  // posted, id % 6 == 0
    EXPECT_EQ(referred(1, 153), 0); // only a cancelled entry
    EXPECT_GT(referred(2, 6), 0);
}

TEST_F(Demo, CancellingAPostingMarksOnlyTheVouchersLiveEntries) {
    // Every posted voucher but 289 has live rows, dated as the voucher.
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE Posted = 1 AND "
            "NOT (CompanyID = 1 AND JournalTransID = 289) AND NOT EXISTS (SELECT 1 FROM genjournalheader g "
            "WHERE g.companyid = h.CompanyID AND g.referenceno = h.JournalNo AND g.Type = 'J' AND "
            "g.JournalDate = h.JournalTransDate AND g.Cancel = 0)"),
        0);
    std::string date =
        db.text("SELECT JournalTransDate FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 "
                "AND JournalTransID = 283");
    int64_t departments =
        db.number("SELECT count(DISTINCT DepartmentID) FROM InterDivisionJournalTransDetails "
                  "WHERE CompanyID = 1 AND JournalTransID = 283");
    int64_t before = db.number("SELECT count(*) FROM genjournalheader WHERE Cancel = 1");
    db.exec(
        "Update genjournalheader set cancel=1 where referenceno='IDJ/283' and Type='J' and JournalDate='" +
        date + "' And Cancel = 0 AND companyid=1");
    EXPECT_EQ(sqlite3_changes(db.get()), departments);
    EXPECT_EQ(db.number("SELECT count(*) FROM genjournalheader WHERE Cancel = 1") - before, departments);
    EXPECT_EQ(db.number("SELECT count(*) FROM genjournalheader WHERE referenceno = 'IDJ/283' AND Cancel = 0"),
              3);
    // Voucher 289 is posted without general journal rows; un-posted ones keep cancelled rows.
    EXPECT_EQ(
        db.number("SELECT count(*) FROM genjournalheader WHERE companyid = 1 AND referenceno = 'IDJ/289'"),
        0);
    EXPECT_EQ(
        db.number("SELECT count(*) FROM genjournalheader WHERE companyid = 1 AND referenceno = 'IDJ/147' "
                  "AND Cancel = 0"),
        0);
    EXPECT_GT(
        db.number("SELECT count(*) FROM genjournalheader WHERE companyid = 1 AND referenceno = 'IDJ/147' "
                  "AND Cancel = 1"),
        0);
}

TEST_F(Demo, EveryStateIsRepresented) {
    auto count = [&](const std::string& where) {
        return db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND FinancialID = 3 "
            "AND " +
            where);
    };
    EXPECT_GT(count("Posted = 1 AND Cancelled = 0"), 5);
    EXPECT_GT(count("Cancelled = 1 AND Posted = 0"), 5);
    EXPECT_GT(count("Confirm = 1 AND Posted = 0"), 5);
    EXPECT_GT(count("Posted = 0 AND Cancelled = 0 AND Confirm = 0"), 20);
    for (const char* type : {"JO", "PA", "RE", "CA"})
        EXPECT_GT(count(std::string("Type = '") + type + "'"), 10) << type;
    EXPECT_EQ(
        ids(db.column("SELECT JournalTransID FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "Remarks LIKE '%''%' ORDER BY 1")),
        "7,57,107,157,207,257,287");
    EXPECT_GT(db.number("SELECT count(*) FROM InterDivisionJournalTransDetails WHERE CompanyID = 1 AND "
                        "JournalTransID = 287 AND Remarks LIKE '%''%'"),
              0);
}

TEST_F(Demo, RatesTextListsTheVouchersCurrencies) {
    auto rows = db.rows("SELECT h.CompanyID, h.JournalTransID, h.exchangerates, h.exchangerate, "
                        " (SELECT depcurrencyid FROM adepartmentmaster WHERE DepartmentID = h.DepartmentID) "
                        "FROM InterDivisionJournalTransHeader h");
    ASSERT_EQ(rows.size(), 312u);
    for (auto& r : rows) {
        const std::string& text = r[2];
        size_t dash = text.find('-');
        ASSERT_NE(dash, std::string::npos) << text;
        std::vector<int> currencies;
        std::vector<double> rates;
        for (size_t p = 0, q; (q = text.find(':', p)) < dash; p = q + 1)
            currencies.push_back(std::stoi(text.substr(p, q - p)));
        for (size_t p = dash + 1, q; (q = text.find(':', p)) != std::string::npos; p = q + 1)
            rates.push_back(std::stod(text.substr(p, q - p)));
        ASSERT_EQ(currencies.size(), rates.size()) << text;
        ASSERT_EQ(currencies.front(), kINR) << text;
        EXPECT_EQ(rates.front(), 1.0) << text;
        EXPECT_EQ(std::set<int>(currencies.begin(), currencies.end()).size(), currencies.size()) << text;
        auto at = std::find(currencies.begin(), currencies.end(), std::stoi(r[4]));
        ASSERT_NE(at, currencies.end()) << text;
        EXPECT_NEAR(std::stod(r[3]), 1.0 / rates[at - currencies.begin()], 1e-12) << r[1];
        EXPECT_EQ(std::find(currencies.begin(), currencies.end(), kEUR), currencies.end())
            << "a currency without a rate: " << text;
    }
    EXPECT_EQ(db.text("SELECT exchangerates FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                      "JournalTransID = 282"),
              "1:3:-1:22.6:");
}

TEST_F(Demo, ViewsListWhatTheLineEditorNeeds) {
    auto accounts = [&](int dep) {
        return ids(
            db.column("SELECT a.AccountID FROM AACCOUNTMASTER a, vwnoncontrolaccounts nca, agroupmaster g "
                      "WHERE a.groupid <> (select ifnull(cashgroupID,0) from asettings where CompanyID=1) "
                      "and g.groupid = a.groupid and g.companyid = a.companyid and a.active=1 and "
                      "nca.companyid=a.companyid and nca.accountid= a.accountid and nca.dadepartmentid=" +
                      std::to_string(dep) + " ORDER BY 1"));
    };
    EXPECT_EQ(accounts(kHeadOffice), "2,3,4,5,6,7,8,9,10,26,27");
    EXPECT_EQ(accounts(kExportDivision), "12,13,14,15,16,26,27");
    EXPECT_EQ(accounts(kDubaiBranch), "18,19,20,21,26,27");
    EXPECT_EQ(accounts(kLondonBranch), "22,23,24,25,26,27");
    // The view keeps cash and inactive accounts and a department's own control accounts; control
    // accounts of other departments go.
    EXPECT_EQ(
        ids(db.column("SELECT accountid FROM vwnoncontrolaccounts WHERE companyid = 1 AND dadepartmentid = 3 "
                      "ORDER BY 1")),
        "17,18,19,20,21,26,27,28");
    EXPECT_EQ(db.text("SELECT otherdepid FROM adepcontrolaccounts WHERE companyid=1  and maindepid=1 and "
                      "controlaccid =8"),
              "3");
    EXPECT_EQ(
        ids(db.column("SELECT TransId FROM vwPayrollLinkwithjournal WHERE departmentid = 1 ORDER BY 1")),
        "1,2");
    EXPECT_EQ(
        ids(db.column("SELECT TransNo FROM vwPayrollLinkwithjournal WHERE departmentid = 3 ORDER BY 1")),
        "PAY/DXB/201,PAY/DXB/202");
}

TEST_F(Demo, SettingsRightsAndCatalogue) {
    EXPECT_EQ(db.text("SELECT NoOfPreviousDays || '/' || CashGroupID FROM ASETTINGS WHERE CompanyID = 1"),
              "400/1");
    EXPECT_EQ(db.text("SELECT NoOfPreviousDays FROM ASETTINGS WHERE CompanyID = 3"), "<no row>");
    EXPECT_EQ(db.text("SELECT AutoConfirmAccTrans || '/' || companydepartment FROM apackagesettings"), "0/1");
    EXPECT_EQ(ids(db.column(
                  "SELECT Prefix FROM aPrefix WHERE CompanyID = 1 AND InterfaceID = 5029 AND "
                  "FinancialId = 3 and shopid is null and godownid is null and ifnull(departmentid,0)=1")),
              "IDJ/");
    EXPECT_EQ(db.text("SELECT FunctionRights FROM auserrights WHERE CompanyID = 1 AND UserID = 1 AND "
                      "InterfaceID = 5029"),
              "NEDUPI");
    EXPECT_EQ(db.text("SELECT FunctionRights FROM auserrights WHERE CompanyID = 1 AND UserID = 2 AND "
                      "InterfaceID = 5029"),
              "NE");
    EXPECT_EQ(db.text("SELECT FunctionRights FROM auserrights WHERE userid=1 and interfaceid= 56"), "NE");
    EXPECT_EQ(db.text("SELECT FunctionRights FROM auserrights WHERE userid=2 and interfaceid= 56"),
              "<no row>");
    EXPECT_EQ(db.text("SELECT count(*) FROM auserrights WHERE UserID = 4"), "0");
    auto departments = [&](int user) {
        return ids(db.column(
            "Select DepartmentID from adepartmentmaster where DepartmentID in (select deptid from "
            "AuserGroupDeptDetails where UserGroupID=(SELECT UserGroupID FROM Ausers WHERE userid=" +
            std::to_string(user) + ")) ORDER BY 1"));
    };
    EXPECT_EQ(departments(kAdmin), "1,2,3,4,5,6");
    EXPECT_EQ(departments(kClerk), "1,2");
    EXPECT_EQ(departments(kDubaiUser), "3");
    EXPECT_EQ(departments(kAuditor), "");
    EXPECT_EQ(db.text("SELECT departmentid FROM ausers WHERE userid = 3"), "3");

    // Read without an ordering clause, the catalogue still comes in grid order.
    EXPECT_EQ(ids(db.column(
                  "select tc.columnheader,tc.columnname from atables t,atablecolumns tc where t.tableid = "
                  "tc.tableid and tablename ='InterDivisionJournalTransHeader'")),
              "Journal ID,JournalNo,Date,Type,Type Serial No,Cancelled,Posted,Confirmed");
}

TEST_F(Demo, RatesAndCurrenciesOfDepartments) {
    EXPECT_EQ(ids(db.column(
                  "select depcurrencyid || '=' || SellingRate from aDepartmentMaster a, ExchangeRateDetail b "
                  "Where a.CompanyID = b.CompanyID And a.depcurrencyid = b.CurrencyID and a.companyid=1 "
                  "ORDER BY a.DepartmentID")),
              "1=1.0,2=83.2,3=22.6,4=105.4");
    EXPECT_EQ(db.text("SELECT count(*) FROM ExchangeRateDetail WHERE CompanyID = 1 AND CurrencyID = 5"), "0");
    EXPECT_EQ(db.text("SELECT Symbol FROM acurrencymaster WHERE currencyid = 2 AND CompanyID = 1"), "$");
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
    EXPECT_EQ(db.number("SELECT count(*) FROM InterDivisionJournalTransHeader h WHERE NOT EXISTS ("
                        " SELECT 1 FROM vwfinyearperiod vw WHERE vw.financialid = h.FinancialID AND "
                        " h.JournalTransDate BETWEEN vw.sdate AND vw.edate)"),
              0);
    EXPECT_EQ(
        db.number("SELECT count(*) FROM (SELECT 1 FROM InterDivisionJournalTransDetails GROUP BY CompanyID, "
                  "JournalTransID HAVING round(sum(CASE JournalTransCredit WHEN 1 THEN Amount ELSE -Amount "
                  "END), 2) <> 0)"),
        0);
    EXPECT_EQ(
        db.number(
            "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
            "JournalTransID > 280 AND JournalTransDate <= (SELECT AccountsFreezeDate FROM MiscSettings)"),
        0);
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoAt,
                         ::testing::Values(rt::makeDate(2024, 4, 3), rt::makeDate(2025, 3, 31),
                                           rt::makeDate(2028, 2, 29), rt::makeDate(2030, 12, 31, 16, 45, 0)));

TEST(DemoDatabase, IsCreatedOnceAndRemovedWhenCreationFails) {
    std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / "idj_demo_test.db";
    std::filesystem::remove(path);
    rt::Date process = rt::makeDate(2025, 1, 15);
    EXPECT_TRUE(db::ensureDemoDatabase(path.string(), process));
    EXPECT_FALSE(db::ensureDemoDatabase(path.string(), process));
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.string().c_str(), &raw), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw, "SELECT count(*) FROM InterDivisionJournalTransHeader", -1, &st, nullptr);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_int(st, 0), kVoucherCount + kSecondVoucherCount);
        sqlite3_finalize(st);
        sqlite3_close(raw);
    }
    std::filesystem::remove(path);

    // A file that SQLite cannot use is not left behind half-made.
    std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "idj_demo_dir.db";
    std::filesystem::remove_all(dir);
    std::filesystem::path missing = dir / "sub" / "x.db";
    EXPECT_THROW(db::ensureDemoDatabase(missing.string(), process), rt::Error);
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
