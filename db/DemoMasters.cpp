// The demo's masters, settings, rights and catalogue (facts in db/Seeder.h).
#include "db/DemoParts.h"

#include "db/Seeder.h"
#include "db/Sqlite.h"

#include <optional>

namespace db {
namespace {

using namespace demo;

void insertCompanies(sqlite3* db) {
    Statement company(db, "INSERT INTO acompanymaster (CompanyID, CompanyName, CurrencyID, City) "
                          "VALUES (?, ?, ?, ?)");
    company.run(kCompany, "Meridian Trading Co.", kINR, "Mumbai");
    company.run(kSecondCompany, "Harbourline Shipping Ltd.", kINR, "Chennai");
    company.run(kCompanyWithoutSettings, "Northwind Exports", kINR, "Kochi");

    Statement settings(db,
                       "INSERT INTO ASETTINGS (CompanyID, NoOfPreviousDays, CashGroupID) VALUES (?, ?, ?)");
    settings.run(kCompany, 400, kCashGroup);
    settings.run(kSecondCompany, 365, kCashGroup);
}

void insertCurrencies(sqlite3* db, const DemoCalendar& cal) {
    Statement currency(db, "INSERT INTO acurrencymaster (CompanyID, currencyid, currencyname, Symbol) "
                           "VALUES (?, ?, ?, ?)");
    Statement rate(db, "INSERT INTO ExchangeRateDetail (CompanyID, CurrencyID, RateDate, SellingRate, "
                       "BuyingRate) VALUES (?, ?, ?, ?, ?)");
    std::string rateDate = rt::toStored(cal.yearStart(kCurrentYear));
    struct Row {
        int16_t company, id;
        const char *name, *symbol;
    };
    const Row rows[] = {
        {kCompany, kINR, "Indian Rupee", "Rs."}, {kCompany, kUSD, "US Dollar", "$"},
        {kCompany, kAED, "UAE Dirham", "AED"},   {kCompany, kGBP, "Pound Sterling", "GBP"},
        {kCompany, kEUR, "Euro", "EUR"},         {kSecondCompany, kINR, "Indian Rupee", "Rs."},
        {kSecondCompany, kUSD, "US Dollar", "$"}};
    for (const Row& r : rows) {
        currency.run(r.company, r.id, r.name, r.symbol);
        if (r.id == kEUR) continue; // a currency without a rate
        double selling = demoRate(r.id, kCurrentYear);
        rate.run(r.company, r.id, rateDate, selling, selling * 0.99);
    }
}

void insertDepartments(sqlite3* db) {
    Statement dep(db,
                  "INSERT INTO adepartmentmaster (DepartmentID, CompanyID, DepartmentName, depcurrencyid) "
                  "VALUES (?, ?, ?, ?)");
    dep.run(kHeadOffice, kCompany, "Head Office", kINR);
    dep.run(kExportDivision, kCompany, "Export Division", kUSD);
    dep.run(kDubaiBranch, kCompany, "Dubai Branch", kAED);
    dep.run(kLondonBranch, kCompany, "London Branch", kGBP);
    dep.run(kHarbourOffice, kSecondCompany, "Harbour Office", kINR);
    dep.run(kSingaporeDesk, kSecondCompany, "Singapore Desk", kUSD);
}

void insertAccounts(sqlite3* db) {
    Statement group(db, "INSERT INTO agroupmaster (companyid, groupid, groupname) VALUES (?, ?, ?)");
    const char* groups[] = {"Cash-in-Hand",     "Bank Accounts",          "Sundry Debtors",
                            "Sundry Creditors", "Direct Expenses",        "Indirect Expenses",
                            "Sales Accounts",   "Inter-Division Control", "Loans & Advances"};
    for (int16_t company : {kCompany, kSecondCompany})
        for (int g = 0; g < 9; ++g)
            group.run(company, g + 1, groups[g]);

    Statement account(db, "INSERT INTO AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid, "
                          "departmentid, currencyid, active) VALUES (?, ?, ?, ?, ?, ?, ?)");
    struct Row {
        int16_t company, id;
        const char* name;
        int16_t group, department, currency;
        bool active;
    };
    const Row rows[] = {
        {kCompany, 1, "Cash - Head Office", 1, kHeadOffice, kINR, true},
        {kCompany, 2, "HDFC Bank Current A/c", 2, kHeadOffice, kINR, true},
        {kCompany, 3, "Salaries & Wages - HO", 6, kHeadOffice, kINR, true},
        {kCompany, 4, "Rent - Head Office", 6, kHeadOffice, kINR, true},
        {kCompany, 5, "Audit Fees", 6, kHeadOffice, kINR, true},
        {kCompany, 6, "Freight Outward", 5, kHeadOffice, kINR, true},
        {kCompany, 7, "Export Division Control A/c", 8, kHeadOffice, kINR, true},
        {kCompany, 8, "Dubai Branch Control A/c", 8, kHeadOffice, kINR, true},
        {kCompany, 9, "London Branch Control A/c", 8, kHeadOffice, kINR, true},
        {kCompany, 10, "Euro Supplier Advance", 9, kHeadOffice, kEUR, true},
        {kCompany, 11, "Cash - Export Division", 1, kExportDivision, kUSD, true},
        {kCompany, 12, "Citibank USD A/c", 2, kExportDivision, kUSD, true},
        {kCompany, 13, "Export Sales", 7, kExportDivision, kUSD, true},
        {kCompany, 14, "Sea Freight Charges", 5, kExportDivision, kUSD, true},
        {kCompany, 15, "Foreign Debtors", 3, kExportDivision, kUSD, true},
        {kCompany, 16, "Head Office Control A/c - Export", 8, kExportDivision, kUSD, true},
        {kCompany, 17, "Cash - Dubai", 1, kDubaiBranch, kAED, true},
        {kCompany, 18, "Emirates NBD A/c", 2, kDubaiBranch, kAED, true},
        {kCompany, 19, "Rent - Dubai Warehouse", 6, kDubaiBranch, kAED, true},
        {kCompany, 20, "Staff Visa Expenses", 6, kDubaiBranch, kAED, true},
        {kCompany, 21, "Head Office Control A/c - Dubai", 8, kDubaiBranch, kAED, true},
        {kCompany, 22, "Barclays GBP A/c", 2, kLondonBranch, kGBP, true},
        {kCompany, 23, "London Office Rent", 6, kLondonBranch, kGBP, true},
        {kCompany, 24, "Consultancy Fees", 6, kLondonBranch, kGBP, true},
        {kCompany, 25, "Head Office Control A/c - London", 8, kLondonBranch, kGBP, true},
        {kCompany, 26, "Bank Charges", 6, 0, kINR, true},
        {kCompany, 27, "Telephone & Internet", 6, 0, kINR, true},
        {kCompany, 28, "Old Suspense A/c", 9, 0, kINR, false},
        {kSecondCompany, 1, "Cash - Harbour Office", 1, kHarbourOffice, kINR, true},
        {kSecondCompany, 2, "State Bank Current A/c", 2, kHarbourOffice, kINR, true},
        {kSecondCompany, 3, "Port Handling Charges", 5, kHarbourOffice, kINR, true},
        {kSecondCompany, 4, "Office Expenses", 6, kHarbourOffice, kINR, true},
        {kSecondCompany, 5, "Singapore Desk Control A/c", 8, kHarbourOffice, kINR, true},
        {kSecondCompany, 6, "DBS Bank USD A/c", 2, kSingaporeDesk, kUSD, true},
        {kSecondCompany, 7, "Agency Commission", 6, kSingaporeDesk, kUSD, true},
        {kSecondCompany, 8, "Harbour Office Control A/c", 8, kSingaporeDesk, kUSD, true},
        {kSecondCompany, 9, "Bank Charges", 6, 0, kINR, true},
    };
    for (const Row& r : rows)
        account.run(r.company, r.id, r.name, r.group, r.department, r.currency, r.active);

    Statement control(db, "INSERT INTO adepcontrolaccounts (companyid, maindepid, otherdepid, controlaccid) "
                          "VALUES (?, ?, ?, ?)");
    control.run(kCompany, kHeadOffice, kExportDivision, 7);
    control.run(kCompany, kHeadOffice, kDubaiBranch, 8);
    control.run(kCompany, kHeadOffice, kLondonBranch, 9);
    control.run(kCompany, kExportDivision, kHeadOffice, 16);
    control.run(kCompany, kDubaiBranch, kHeadOffice, 21);
    control.run(kCompany, kLondonBranch, kHeadOffice, 25);
    control.run(kSecondCompany, kHarbourOffice, kSingaporeDesk, 5);
    control.run(kSecondCompany, kSingaporeDesk, kHarbourOffice, 8);
}

void insertParties(sqlite3* db) {
    Statement vendor(db, "INSERT INTO avendormaster (CompanyID, vendorID, vendorname, currencyid) "
                         "VALUES (?, ?, ?, ?)");
    vendor.run(kCompany, 1, "Gulf Freight Forwarders LLC", kAED);
    vendor.run(kCompany, 2, "Thames Consulting Ltd", kGBP);
    vendor.run(kCompany, 3, "Bharat Packaging Works", kINR);
    vendor.run(kCompany, 4, "Rhein Maschinen GmbH", kEUR);
    vendor.run(kSecondCompany, 1, "Coromandel Stevedores", kINR);

    Statement customer(db, "INSERT INTO acustomermaster (CompanyID, customerID, customername, currencyid) "
                           "VALUES (?, ?, ?, ?)");
    customer.run(kCompany, 1, "Atlantic Importers Inc.", kUSD);
    customer.run(kCompany, 2, "Al Noor Trading LLC", kAED);
    customer.run(kCompany, 3, "Sundaram Retail Pvt Ltd", kINR);
    customer.run(kSecondCompany, 1, "Straits Logistics Pte Ltd", kUSD);
}

void insertYears(sqlite3* db, const DemoCalendar& cal) {
    Statement year(
        db, "INSERT INTO afinancialyear (financialid, financialyear, curfinancialyear) VALUES (?, ?, ?)");
    Statement period(db, "INSERT INTO afinancialperiod (financialid, startdate, enddate) VALUES (?, ?, ?)");
    for (int16_t fy = kOlderYear; fy <= kCurrentYear; ++fy) {
        year.run(fy, cal.yearName(fy), fy == kCurrentYear);
        period.run(fy, rt::toStored(cal.yearStart(fy)), rt::toStored(cal.yearEnd(fy)));
    }

    // Opening balances of the past year: the oldest year has been closed into it.
    Statement opening(db,
                      "INSERT INTO aaccountfinyearopening (financialid, companyid, accountid, departmentid, "
                      "openingdebit, openingcredit) VALUES (?, ?, ?, ?, ?, ?)");
    opening.run(kPastYear, kCompany, 2, kHeadOffice, 1845000.0, 0.0);
    opening.run(kPastYear, kCompany, 12, kExportDivision, 412350.75, 0.0);
    opening.run(kPastYear, kCompany, 18, kDubaiBranch, 96200.0, 0.0);
    opening.run(kPastYear, kCompany, 22, kLondonBranch, 58110.4, 0.0);
    opening.run(kPastYear, kCompany, 15, kExportDivision, 0.0, 2411661.15);
    opening.run(kPastYear, kSecondCompany, 2, kHarbourOffice, 250000.0, 250000.0);
}

void insertSettings(sqlite3* db, const DemoCalendar& cal) {
    Statement package(db, "INSERT INTO apackagesettings (packagename, packagedate, AutoConfirmAccTrans, "
                          "companydepartment) VALUES (?, ?, 0, ?)");
    package.run("Accounts and Inventory", rt::toStored(cal.yearStart(kOlderYear)), kHeadOffice);

    Statement misc(db, "INSERT INTO MiscSettings (AccountsFreezeDate, DecimalPlaces) VALUES (?, 2)");
    misc.run(rt::toStored(cal.freezeDate()));

    Statement prefix(db, "INSERT INTO aPrefix (CompanyID, InterfaceID, FinancialId, shopid, godownid, "
                         "departmentid, Prefix) VALUES (?, ?, ?, ?, ?, ?, ?)");
    const std::optional<int> none;
    for (int16_t fy = kOlderYear; fy <= kCurrentYear; ++fy)
        prefix.run(kCompany, kInterface, fy, none, none, std::optional<int>(kHeadOffice), "IDJ/");
    prefix.run(kSecondCompany, kInterface, kCurrentYear, none, none, std::optional<int>(kHeadOffice), "IDJ/");
    prefix.run(kCompany, kInterface, kCurrentYear, std::optional<int>(1), none,
               std::optional<int>(kHeadOffice), "SHOP1/IDJ/");
    prefix.run(kCompany, kInterface, kCurrentYear, none, none, std::optional<int>(kExportDivision),
               "EXP/IDJ/");
    prefix.run(kCompany, 5030, kCurrentYear, none, none, std::optional<int>(kHeadOffice), "JV/");
}

void insertUsers(sqlite3* db) {
    Statement group(db, "INSERT INTO ausergroupmaster (UserGroupID, UserGroupName) VALUES (?, ?)");
    group.run(1, "Administrators");
    group.run(2, "Accounts Clerks");
    group.run(3, "Dubai Branch Staff");
    group.run(4, "Auditors");

    Statement groupDept(db, "INSERT INTO AuserGroupDeptDetails (UserGroupID, deptid) VALUES (?, ?)");
    for (int16_t d = kHeadOffice; d <= kSingaporeDesk; ++d)
        groupDept.run(1, d);
    groupDept.run(2, kHeadOffice);
    groupDept.run(2, kExportDivision);
    groupDept.run(3, kDubaiBranch);

    Statement user(db, "INSERT INTO ausers (userid, username, fullname, UserGroupID, departmentid) "
                       "VALUES (?, ?, ?, ?, ?)");
    user.run(kAdmin, "admin", "System Administrator", 1, 0);
    user.run(kClerk, "clerk", "Priya Menon", 2, 0);
    user.run(kDubaiUser, "dubai", "Faisal Rahman", 3, kDubaiBranch);
    user.run(kAuditor, "auditor", "R. K. Iyer", 4, 0);

    Statement rights(db, "INSERT INTO auserrights (CompanyID, UserID, interfaceid, FunctionRights) "
                         "VALUES (?, ?, ?, ?)");
    for (int16_t company : {kCompany, kSecondCompany, kCompanyWithoutSettings}) {
        rights.run(company, kAdmin, kInterface, "NEDUPI");
        rights.run(company, kAdmin, kOutsideYearInterface, "NE");
    }
    rights.run(kCompany, kClerk, kInterface, "NE");
    rights.run(kCompany, kClerk, 5030, "NEDUPI");
    rights.run(kCompany, kDubaiUser, kInterface, "NEDP");
}

void insertCatalogue(sqlite3* db) {
    Statement table(db, "INSERT INTO atables (tableid, tablename) VALUES (?, ?)");
    table.run(1, "InterDivisionJournalTransHeader");
    table.run(2, "InterDivisionJournalTransDetails");
    table.run(3, "AACCOUNTMASTER");

    Statement column(db, "INSERT INTO atablecolumns (tableid, columnorder, columnname, columnheader) "
                         "VALUES (?, ?, ?, ?)");
    struct Row {
        int16_t table;
        const char *name, *header;
    };
    const Row rows[] = {
        {1, "JournalTransID", "Journal ID"},
        {1, "JournalNo", "JournalNo"},
        {1, "JournalTransDate", "Date"},
        {1, "type", "Type"},
        {1, "TypeSeriallNO", "Type Serial No"},
        {1, "cancelled", "Cancelled"},
        {1, "posted", "Posted"},
        {1, "Confirm", "Confirmed"},
        {2, "JournalTransDetailID", "SlNo."},
        {2, "DepartmentID", "Department"},
        {2, "AccountID", "Account Head"},
        {2, "Amount", "Amount"},
        {3, "AccountID", "Account ID"},
        {3, "AccountDesc", "Account Name"},
        {3, "groupid", "Group"},
    };
    int order = 0, lastTable = 0;
    for (const Row& r : rows) {
        order = r.table == lastTable ? order + 1 : 0;
        lastTable = r.table;
        column.run(r.table, order, r.name, r.header);
    }
}

void insertPayrollLinks(sqlite3* db, const DemoCalendar& cal) {
    Statement link(db,
                   "INSERT INTO papayacclinkheader (TransId, CompanyID, TransNo, TransDate, departmentid, "
                   "Amount, LinkToJournal) VALUES (?, ?, ?, ?, ?, ?, ?)");
    std::string d = rt::toStored(rt::addDays(cal.processDate(), -20));
    link.run(1, kCompany, "PAY/HO/101", d, kHeadOffice, 485000.0, true);
    link.run(2, kCompany, "PAY/HO/102", d, kHeadOffice, 32500.0, true);
    link.run(3, kCompany, "PAY/HO/103", d, kHeadOffice, 12000.0, false);
    link.run(4, kCompany, "PAY/DXB/201", d, kDubaiBranch, 61200.0, true);
    link.run(5, kCompany, "PAY/DXB/202", d, kDubaiBranch, 8800.0, true);
    link.run(6, kSecondCompany, "PAY/HRB/301", d, kHarbourOffice, 154000.0, true);
}

} // namespace

double demoRate(int16_t currency, int16_t financialId) {
    // Rates in force in each year: oldest, past, current.
    static const double usd[] = {81.9, 82.6, 83.2}, aed[] = {22.3, 22.5, 22.6}, gbp[] = {102.8, 104.1, 105.4};
    int i = financialId - kOlderYear;
    switch (currency) {
    case kUSD:
        return usd[i];
    case kAED:
        return aed[i];
    case kGBP:
        return gbp[i];
    case kINR:
        return 1.0;
    default:
        return 0.0;
    }
}

void insertDemoMasters(sqlite3* db, const DemoCalendar& cal) {
    insertCompanies(db);
    insertCurrencies(db, cal);
    insertDepartments(db);
    insertAccounts(db);
    insertParties(db);
    insertYears(db, cal);
    insertSettings(db, cal);
    insertUsers(db);
    insertCatalogue(db);
    insertPayrollLinks(db, cal);
}

} // namespace db
