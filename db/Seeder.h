#pragma once
// Demo and benchmark data for the suite's database (schema in db/Schema.h).
//
// The demo database, as seedDemo writes it for a process date P. Everything below is stable:
// tests rely on it. Dates follow P, so the demo always looks current; "FY start" is 1 April.
//
// Companies (acompanymaster)
//   1 "Meridian Trading Co.", currency 1 (INR). ASETTINGS: NoOfPreviousDays 400, CashGroupID 1.
//   2 "Harbourline Shipping Ltd.", currency 1 (INR). ASETTINGS: NoOfPreviousDays 365, CashGroupID 1.
//   3 "Northwind Exports", no ASETTINGS row, no departments, no vouchers.
//
// Financial years (afinancialyear / vwfinyearperiod), suite-wide, 1 April to 31 March
//   3 the current year, the one containing P (curfinancialyear 1);
//   2 the year before it: NOT closed (no opening balances for a later year);
//   1 the year before that: closed (aaccountfinyearopening holds rows for year 2).
//   No year before year 1, nothing after year 3.
//
// Settings
//   apackagesettings: packagedate = start of year 1, AutoConfirmAccTrans 0, companydepartment 1.
//   MiscSettings: AccountsFreezeDate = the date of company 1's voucher 200 (kFreezeVoucher).
//   aPrefix for interface 5029, shopid and godownid NULL, departmentid 1: "IDJ/" for company 1 in
//   years 1, 2 and 3 and for company 2 in year 3. Decoys that the lookup must skip: company 1,
//   year 3 with shopid 1 ("SHOP1/IDJ/"), with departmentid 2 ("EXP/IDJ/"), interface 5030 ("JV/").
//
// Currencies of company 1 (acurrencymaster, ExchangeRateDetail.SellingRate): 1 INR "Rs." 1,
//   2 USD "$" 83.2, 3 AED "AED" 22.6, 4 GBP "GBP" 105.4, 5 EUR "EUR" without any rate row.
//   Company 2: 1 INR 1, 2 USD 83.2.
//
// Departments (adepartmentmaster; DepartmentID is unique across companies)
//   company 1: 1 "Head Office" INR, 2 "Export Division" USD, 3 "Dubai Branch" AED,
//              4 "London Branch" GBP; company 2: 5 "Harbour Office" INR, 6 "Singapore Desk" USD.
//
// Account groups (agroupmaster, same numbers in both companies): 1 Cash-in-Hand (the cash group),
//   2 Bank Accounts, 3 Sundry Debtors, 4 Sundry Creditors, 5 Direct Expenses, 6 Indirect
//   Expenses, 7 Sales Accounts, 8 Inter-Division Control, 9 Loans & Advances.
//
// Accounts of company 1 (AACCOUNTMASTER: id, name, group, department, currency)
//   Head Office:     1 Cash - Head Office (1), 2 HDFC Bank Current A/c (2), 3 Salaries & Wages - HO
//                    (6), 4 Rent - Head Office (6), 5 Audit Fees (6), 6 Freight Outward (5),
//                    7 Export Division Control A/c (8), 8 Dubai Branch Control A/c (8),
//                    9 London Branch Control A/c (8), 10 Euro Supplier Advance (9, EUR: no rate)
//   Export Division: 11 Cash - Export Division (1), 12 Citibank USD A/c (2), 13 Export Sales (7),
//                    14 Sea Freight Charges (5), 15 Foreign Debtors (3),
//                    16 Head Office Control A/c - Export (8)
//   Dubai Branch:    17 Cash - Dubai (1), 18 Emirates NBD A/c (2), 19 Rent - Dubai Warehouse (6),
//                    20 Staff Visa Expenses (6), 21 Head Office Control A/c - Dubai (8)
//   London Branch:   22 Barclays GBP A/c (2), 23 London Office Rent (6), 24 Consultancy Fees (6),
//                    25 Head Office Control A/c - London (8)
//   every department (departmentid 0, INR): 26 Bank Charges (6), 27 Telephone & Internet (6),
//                    28 Old Suspense A/c (9, inactive)
//   Accounts take their department's currency unless stated.
//   Control accounts (adepcontrolaccounts maindepid -> otherdepid: controlaccid): 1->2: 7,
//   1->3: 8, 1->4: 9, 2->1: 16, 3->1: 21, 4->1: 25. vwnoncontrolaccounts lists for each
//   department its own accounts (its own control accounts among them) and 26-28; a control
//   account never appears under another department.
//   Company 2: 1 Cash - Harbour Office (1), 2 State Bank Current A/c (2), 3 Port Handling Charges
//   (5), 4 Office Expenses (6), 5 Singapore Desk Control A/c (8) in department 5; 6 DBS Bank USD
//   A/c (2), 7 Agency Commission (6), 8 Harbour Office Control A/c (8) in department 6;
//   9 Bank Charges (6) for both. Control accounts 5->6: 5, 6->5: 8.
//
// Users (ausers; group; AuserGroupDeptDetails) and rights (auserrights)
//   1 "admin", group 1 Administrators: departments 1-6. "NEDUPI" for interface 5029 and "NE"
//     for interface 56 in companies 1, 2 and 3.
//   2 "clerk", group 2 Accounts Clerks: departments 1 and 2. "NE" for 5029 in company 1 only;
//     nothing for 56.
//   3 "dubai", tied to department 3, group 3 Dubai Branch Staff: department 3. "NEDP" for 5029
//     in company 1; nothing for 56.
//   4 "auditor", group 4 Auditors without departments, no rights rows at all.
//   Decoy: the clerk has "NEDUPI" for interface 5030 of company 1.
//
// Column catalogue: atables 1 "InterDivisionJournalTransHeader"; its atablecolumns in grid
//   order: "Journal ID" (hidden column 0), "JournalNo", "Date", "Type", "Type Serial No",
//   "Cancelled", "Posted", "Confirmed". Tables 2 and 3 (the lines, the accounts) have their own.
//
// Vouchers of company 1: JournalTransID 1..300, JournalNo "IDJ/<id>", in date order.
//   Years: 1-20 year 1, 21-140 year 2 (both spread over their whole year), 141-300 year 3,
//   spread from 1 April to P: voucher 141 is dated 1 April, voucher 300 is dated P.
//   Type by id % 8: 0-3 "JO", 4-5 "PA", 6 "RE", 7 "CA"; TypeSeriallNO "JRN/", "PAY/", "RCPT/",
//   "CSTR/" followed by the running count of the type in id order (company-wide, all years).
//   Lines: 2 + id % 3 (voucher 288: 12 lines), numbered from 1, debits first, every voucher
//   tallies to the cent; the first line's department is the header's DepartmentID
//   (1 + id % 4). Lines use only active, non-cash, non-control accounts of their department.
//   exchangerates: the company currency, the voucher department's, then each line's department
//   and account currency at the year's rates (year 3: the current rates), e.g. "1:2:-1:83.2:";
//   exchangerate and depexrates are company rate / department rate.
//   States for ids 1-280 except 200:
//     Posted      years 1-2: id % 9 != 0; year 3: id % 4 == 1
//     Cancelled   id % 13 == 0 (with a CancelledRemarks reason)
//     Confirm     Posted, or id % 5 == 0
//     referred    by a live JournaltransHeader row (cancelled 0): Posted, not Cancelled and
//                 id % 6 == 0 (so none in year 3); by a cancelled row only: id % 6 == 3
//     genjournalheader: every posted voucher has one live row (Type 'J', Cancel 0, dated as the
//                 voucher) per department of its lines; unposted year-3 vouchers with
//                 id % 4 == 3 have such rows with Cancel 1 (posted once, posting cancelled since).
//     Examples: 24 posted and referred, 26 posted and cancelled, 145 posted, 147 un-posted
//     again, 150 confirmed only, 153 posted and referred by a cancelled entry only, 156
//     cancelled.
//   Voucher 200 (kFreezeVoucher): dated on the freeze date; not posted, cancelled, confirmed or
//   referred. Vouchers 281-300 are dated after the freeze date (when P is 3 April or later) and
//   have no state, reference or general journal row, except:
//     281 referred by a live general journal entry, not posted
//     282 referred by a cancelled entry only (and by a live one of company 2, a decoy)
//     283 posted and confirmed: live 'J' rows, and decoys for cancelling the posting: a Type 'P'
//         row, a 'J' row dated a day earlier, a company-2 'J' row, all "IDJ/283" and live
//     284 confirmed
//     285 cancelled
//     286 cancelled, posted and confirmed
//     287 apostrophes in the remarks and in the first line's description
//     288 twelve lines over all four departments
//     289 posted and confirmed without general journal rows
//     290 posted, confirmed and referred by a live general journal entry
//     291-300 none of these; 292 (kPlainVoucher) has three lines
//   Apostrophes in the remarks also in vouchers 7, 57, 107, 157, 207 and 257.
//
// Vouchers of company 2: JournalTransID 1..12, JournalNo "IDJ/901".."IDJ/912", all in year 3,
//   type by id % 4: 1 "JO", 2 "PA", 3 "RE", 0 "CA"; posted when id % 3 == 0 (live general journal
//   rows), 5 cancelled, 4 confirmed; voucher 6 is referred by a live general journal entry.
//
// Payroll links (vwPayrollLinkwithjournal): transactions 1, 2 of department 1 and 4, 5 of
//   department 3; transaction 3 of department 1 is not offered; 6 belongs to department 5.
#include "runtime/Date.h"

#include <cstdint>
#include <string>

struct sqlite3;

namespace db {

namespace demo {
constexpr int16_t kCompany = 1;
constexpr int16_t kSecondCompany = 2;
constexpr int16_t kCompanyWithoutSettings = 3;
constexpr int16_t kOlderYear = 1;   // closed
constexpr int16_t kPastYear = 2;    // open
constexpr int16_t kCurrentYear = 3; // contains the process date
constexpr int16_t kHeadOffice = 1, kExportDivision = 2, kDubaiBranch = 3, kLondonBranch = 4;
constexpr int16_t kHarbourOffice = 5, kSingaporeDesk = 6;
constexpr int16_t kINR = 1, kUSD = 2, kAED = 3, kGBP = 4, kEUR = 5;
constexpr int16_t kCashGroup = 1;
constexpr int16_t kAdmin = 1, kClerk = 2, kDubaiUser = 3, kAuditor = 4;
constexpr int kInterface = 5029;
constexpr int kOutsideYearInterface = 56;
constexpr int kVoucherCount = 300;      // company 1
constexpr int kSecondVoucherCount = 12; // company 2
constexpr int kFirstCurrentYearVoucher = 141;
constexpr int kFreezeVoucher = 200;
// Vouchers of company 1 after the freeze date, each in one state (see above).
constexpr int kReferredVoucher = 281;            // live general journal reference, not posted
constexpr int kReferredByCancelledVoucher = 282; // editable
constexpr int kPostedVoucher = 283;
constexpr int kConfirmedVoucher = 284;
constexpr int kCancelledVoucher = 285;
constexpr int kCancelledPostedVoucher = 286;
constexpr int kApostropheVoucher = 287;
constexpr int kTwelveLineVoucher = 288;
constexpr int kPostedWithoutJournalVoucher = 289;
constexpr int kPostedReferredVoucher = 290;
constexpr int kPlainVoucher = 292;              // no state at all, three lines
constexpr int kNextVoucher = kVoucherCount + 1; // the identifier the next new voucher takes
} // namespace demo

// The demo data above, into a database on which createSchema has run and that holds no rows.
// One transaction; raises rt::Error (and leaves the database unchanged) when SQLite refuses.
void seedDemo(sqlite3* db, rt::Date processDate);

// Appends `count` vouchers of two lines each to the company for benchmarks: identifiers and
// "IDJ/<n>" numbers after the highest stored ones, dated over the year from firstDate, with
// mixed types and states. Lines use the company's accounts as vwnoncontrolaccounts lists them
// (departments 1 and 2, accounts 1 and 2 when it lists none). One transaction.
void seedBulkVouchers(sqlite3* db, int16_t companyId, int16_t financialId, int count, rt::Date firstDate);

// Creates the file with the schema and the demo data unless it exists; true when it created it.
// A postgresql:// URI seeds a server database the same way when it holds no tables or views.
// A file left half-made by a failure is removed before the error is raised. An existing file is
// brought up to the current schema (upgradeSchema).
bool ensureDemoDatabase(const std::string& path, rt::Date processDate);

} // namespace db
