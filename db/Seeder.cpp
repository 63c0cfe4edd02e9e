#include "db/Seeder.h"

#include "ado/ConnectionTarget.h"
#include "ado/Transaction.h"
#include "db/DemoParts.h"
#include "db/Schema.h"
#include "db/ServerSchema.h"
#include "db/Sqlite.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <filesystem>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <utility>
#include <vector>

namespace db {

void seedDemo(sqlite3* db, rt::Date processDate) {
    DemoCalendar cal(processDate);
    Transaction tx(db);
    insertDemoMasters(db, cal);
    insertDemoVouchers(db, cal);
    tx.commit();
}

void seedBulkVouchers(sqlite3* db, int16_t companyId, int16_t financialId, int count, rt::Date firstDate) {
    Transaction tx(db);

    Statement last(db, "SELECT ifnull(max(JournalTransID), 0), "
                       "  ifnull(max(CASE WHEN JournalNo GLOB 'IDJ/[0-9]*' "
                       "             THEN CAST(substr(JournalNo, 5) AS INTEGER) END), 0) "
                       "FROM InterDivisionJournalTransHeader WHERE CompanyID = ?");
    last.query(companyId);
    int64_t id = last.integer(0), number = last.integer(1);

    std::map<std::string, int64_t> serials;
    Statement types(db, "SELECT Type, count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = ? "
                        "GROUP BY Type");
    for (bool row = types.query(companyId); row; row = types.next())
        serials[types.text(0)] = types.integer(1);

    std::vector<std::pair<int, int>> accounts; // (department, account)
    Statement pairs(db,
                    "SELECT dadepartmentid, accountid FROM vwnoncontrolaccounts nca WHERE companyid = ? "
                    "AND NOT EXISTS (SELECT 1 FROM adepcontrolaccounts c WHERE c.companyid = nca.companyid "
                    "AND c.controlaccid = nca.accountid) ORDER BY dadepartmentid, accountid");
    for (bool row = pairs.query(companyId); row; row = pairs.next())
        accounts.emplace_back(static_cast<int>(pairs.integer(0)), static_cast<int>(pairs.integer(1)));
    if (accounts.empty()) accounts = {{1, 1}, {2, 2}};
    const size_t n = accounts.size();

    Statement header(db,
                     "INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
                     "JournalTransDate, Remarks, Cancelled, CancelledRemarks, Posted, FinancialID, "
                     "exchangerate, exchangerates, updatetime, Type, Confirm, TypeSeriallNO, DepartmentID) "
                     "VALUES (?, ?, ?, ?, ?, ?, NULL, ?, ?, 1, '1:2:-1:83.2:', ?, ?, ?, ?, ?)");
    Statement line(
        db, "INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, "
            "JournalTransID, AccountID, JournalTransCredit, DepartmentID, Amount, Remarks, depexrates) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1)");
    static const char* typeCodes[] = {"JO", "JO", "JO", "JO", "PA", "PA", "RE", "CA"};
    static const char* serialPrefixes[] = {"JRN/", "JRN/", "JRN/", "JRN/", "PAY/", "PAY/", "RCPT/", "CSTR/"};

    for (int k = 0; k < count; ++k) {
        ++id;
        ++number;
        int kind = static_cast<int>(id % 8);
        std::string type = typeCodes[kind];
        std::string date = rt::toStored(rt::addDays(firstDate, static_cast<int>(int64_t{k} * 365 / count)));
        bool posted = id % 3 == 0, cancelled = id % 29 == 0, confirm = posted || id % 7 == 0;
        const auto& debit = accounts[static_cast<size_t>(k) % n];
        const auto& credit = accounts[(static_cast<size_t>(k) + n / 2 + 1) % n];
        double amount = static_cast<double>(10000 + (id * 7919) % 5000000) / 100.0;

        header.run(id, companyId, "IDJ/" + std::to_string(number), date,
                   "Bulk voucher " + std::to_string(number), cancelled, posted, financialId, date, type,
                   confirm, serialPrefixes[kind] + std::to_string(++serials[type]), debit.first);
        line.run(1, companyId, id, debit.second, false, debit.first, amount, "Bulk debit");
        line.run(2, companyId, id, credit.second, true, credit.first, amount, "Bulk credit");
    }
    tx.commit();
}

namespace {

// The demo is made on SQLite in memory, then copied: one seeder serves both backends.
bool ensureDemoOnServer(const std::string& uri, rt::Date processDate) {
    auto server = ado::Connection::create();
    server->Open(uri);
    server->setCommandTimeout(0);
    if (rt::CLng(server
                     ->Execute("SELECT COUNT(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n "
                               "ON n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relkind "
                               "IN ('r', 'v')")
                     ->field(0)
                     .Value()) > 0) {
        // Not empty: a database is never seeded over, but one made before the functions its
        // statements call on a server, or its numbering keys, existed gains them.
        if (rt::CBool(
                server->Execute("SELECT to_regprocedure('ss_compare(text,text)') IS NULL")->field(0).Value()))
            createServerFunctions(server);
        if (rt::CBool(
                server->Execute("SELECT to_regprocedure('idj_highest_running_number(integer,text)') IS NULL")
                    ->field(0)
                    .Value()))
            createNumberingKeys(server);
        return false;
    }
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> demo(raw, sqlite3_close);
    if (rc != SQLITE_OK) raiseSqlite(raw, "open the demo in memory");
    createSchema(demo.get());
    seedDemo(demo.get(), processDate);
    ado::rollBackOnError(server, [&] {
        server->BeginTrans();
        createSchema(server);
        copyRows(demo.get(), server);
        server->CommitTrans();
    });
    return true;
}

} // namespace

bool ensureDemoDatabase(const std::string& path, rt::Date processDate) {
    if (ado::detail::connectionTarget(path).kind == ado::detail::BackendKind::Postgres)
        return ensureDemoOnServer(path, processDate);
    const bool stored = std::filesystem::exists(path);
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | (stored ? 0 : SQLITE_OPEN_CREATE),
                             nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    if (stored) {
        // A file of an earlier version gains what the schema has gained since.
        if (rc != SQLITE_OK) raiseSqlite(raw, "open " + path);
        upgradeSchema(db.get());
        return false;
    }
    try {
        if (rc != SQLITE_OK) raiseSqlite(raw, "open " + path);
        createSchema(db.get()); // registers the text collation on this handle too
        seedDemo(db.get(), processDate);
    } catch (const rt::Error&) {
        db.reset();
        std::filesystem::remove(path);
        throw;
    }
    return true;
}

} // namespace db
