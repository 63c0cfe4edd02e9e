#pragma once
// The suite's database on SQLite: the module's own voucher tables, the masters, settings,
// periods and rights it reads, and the tables behind the suite's shared services.
//
// Storage conventions (shared with the data layer in ado/):
// - dates are text "yyyymmdd", or "yyyymmdd hh:mm:ss" with a time of day, in columns declared
//   DATETEXT, so that quoted 'yyyymmdd' literals compare chronologically;
// - flags are 0/1 in columns declared BIT;
// - texts are VARCHAR(n) COLLATE TEXT_CI, compared without regard to case or trailing blanks as
//   on the server; a handle that writes these tables needs ado::registerTextCollation first
//   (createSchema registers it on the handle it is given);
// - views select plain columns of their tables, so their columns keep the declared types.
//
// Tables of the shared services:
// - aActivityLog: ActivityID, CompanyID, UserID, DepartmentID, InterfaceID, VoucherID, VoucherNo,
//   ActionCode, LoggedTime, ActionTime, WindowSnapshot;
// - aGridColumnLayout: UserID, CompanyID, GridName, ColumnIndex, ColumnWidth (one row per column);
// - aFaultLog: FaultID, FaultTime, ModuleName, UserName, RoutineName, ErrorNumber, ErrorSource,
//   ErrorDescription, EntryMode.
// The financial years' dates live in afinancialperiod (financialid, startdate, enddate), which
// vwfinyearperiod shows as (financialid, sdate, edate).
#include "ado/Ado.h"

struct sqlite3;

namespace db {

// Creates every table, view and index on an empty database; raises rt::Error when SQLite
// refuses a statement (for example because a table already exists).
void createSchema(sqlite3* db);

// The same on a server connection (ServerSchema.h), with the text collation, in one transaction.
void createSchema(const ado::ConnectionPtr& server);

// Adds to a database made by an earlier version the indexes and counts that the schema has
// gained since, in one transaction; a current database is left as it is.
void upgradeSchema(sqlite3* db);

} // namespace db
