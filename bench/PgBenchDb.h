#pragma once
// The benchmarks' database on a PostgreSQL server: the server IDJ_TEST_PG names (scripts/with-pg.sh
// starts a throwaway one), a schema of its own holding the demo and the bulk vouchers that
// seededDatabase gives on SQLite, seeded once and kept while the server lives. The bulk rows are
// made by the same seeder in memory and sent by COPY, so a fresh server is seeded in seconds.
#include "BenchDb.h"

#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>
#include <memory>
#include <stdexcept>
#include <string>

namespace benchsupport {

using PgHandle = std::unique_ptr<PGconn, void (*)(PGconn*)>;
using PgRows = std::unique_ptr<PGresult, void (*)(PGresult*)>;

// The server's URI; without it the program stops, naming the variable.
inline std::string serverUri() {
    const char* uri = std::getenv("IDJ_TEST_PG");
    if (uri && *uri) return uri;
    std::fprintf(stderr, "IDJ_TEST_PG is not set: it must name a postgresql:// database this benchmark may "
                         "create a schema in (run it under scripts/with-pg.sh)\n");
    std::exit(2);
}

inline PgHandle openServer(const std::string& uri) {
    PgHandle c(PQconnectdb(uri.c_str()), PQfinish);
    if (PQstatus(c.get()) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(c.get()));
    return c;
}

inline PgRows checkedRows(PGconn* c, PGresult* r) {
    PgRows rows(r, PQclear);
    const ExecStatusType st = PQresultStatus(r);
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && st != PGRES_COPY_IN)
        throw std::runtime_error(PQerrorMessage(c));
    return rows;
}

inline PgRows pgRun(PGconn* c, const std::string& sql) {
    return checkedRows(c, PQexec(c, sql.c_str()));
}

// One stored value in COPY's text form.
inline void appendCopyField(std::string& out, sqlite3_stmt* s, int i) {
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_NULL:
        out += "\\N";
        return;
    case SQLITE_INTEGER:
        out += std::to_string(sqlite3_column_int64(s, i));
        return;
    case SQLITE_FLOAT: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", sqlite3_column_double(s, i));
        out += buf;
        return;
    }
    default:
        for (const char* p = reinterpret_cast<const char*>(sqlite3_column_text(s, i)); *p; ++p) {
            if (*p == '\\' || *p == '\t' || *p == '\n' || *p == '\r') out += '\\';
            out += *p == '\t' ? 't' : *p == '\n' ? 'n' : *p == '\r' ? 'r' : *p;
        }
    }
}

// The rows of `table` in `source` that `where` picks, into the server's table of that name.
inline void copyToServer(sqlite3* source, PGconn* server, const std::string& table,
                         const std::string& where) {
    const std::string select = "SELECT * FROM " + table + " WHERE " + where;
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(source, select.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        db::raiseSqlite(source, select);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> rows(raw, sqlite3_finalize);
    sqlite3_stmt* s = rows.get();
    const int n = sqlite3_column_count(s);
    std::string columns;
    for (int i = 0; i < n; ++i)
        columns += (i ? ", " : "") + std::string(sqlite3_column_name(s, i));
    pgRun(server, "COPY " + table + " (" + columns + ") FROM STDIN");
    std::string chunk;
    auto flush = [&] {
        if (PQputCopyData(server, chunk.data(), static_cast<int>(chunk.size())) != 1)
            throw std::runtime_error(PQerrorMessage(server));
        chunk.clear();
    };
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            if (i) chunk += '\t';
            appendCopyField(chunk, s, i);
        }
        chunk += '\n';
        if (chunk.size() > (1u << 20)) flush();
    }
    if (rc != SQLITE_DONE) db::raiseSqlite(source, select);
    flush();
    if (PQputCopyEnd(server, nullptr) != 1) throw std::runtime_error(PQerrorMessage(server));
    checkedRows(server, PQgetResult(server));
    while (PGresult* rest = PQgetResult(server))
        PQclear(rest);
}

// A connection string of a schema on the server holding the demo and `vouchers` more vouchers
// of company 1, the same rows seededDatabase(vouchers) holds.
inline std::string seededServer(int vouchers) {
    const std::string uri = serverUri();
    const std::string schema = "idj_bench_" + std::to_string(vouchers);
    pgRun(openServer(uri).get(), "CREATE SCHEMA IF NOT EXISTS " + schema);
    const std::string target =
        uri + (uri.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema;
    db::ensureDemoDatabase(target, processDate());
    PgHandle server = openServer(target);
    PgRows count =
        pgRun(server.get(), "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1");
    if (std::atoi(PQgetvalue(count.get(), 0, 0)) >= lastVoucherId(vouchers)) return target;

    std::fprintf(stderr, "seeding %d vouchers into schema %s (once)\n", vouchers, schema.c_str());
    Handle bulk = openRaw(":memory:");
    db::createSchema(bulk.get());
    db::seedDemo(bulk.get(), processDate());
    db::seedBulkVouchers(bulk.get(), db::demo::kCompany, db::demo::kCurrentYear, vouchers,
                         rt::makeDate(2026, 4, 1));
    const std::string added = "CompanyID = 1 AND JournalTransID > " + std::to_string(db::demo::kVoucherCount);
    pgRun(server.get(), "BEGIN");
    copyToServer(bulk.get(), server.get(), "InterDivisionJournalTransHeader", added);
    copyToServer(bulk.get(), server.get(), "InterDivisionJournalTransDetails", added);
    pgRun(server.get(), "COMMIT");
    pgRun(server.get(), "ANALYZE");
    return target;
}

// Removes the company's vouchers above `lastId` and the log of their saves.
inline void removeServerVouchersAfter(const std::string& target, int lastId) {
    PgHandle server = openServer(target);
    const std::string id = std::to_string(lastId);
    pgRun(server.get(),
          "DELETE FROM InterDivisionJournalTransDetails WHERE CompanyID = 1 AND JournalTransID > " + id);
    pgRun(server.get(),
          "DELETE FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND JournalTransID > " + id);
    pgRun(server.get(), "DELETE FROM aActivityLog WHERE CompanyID = 1 AND VoucherID > " + id);
}

} // namespace benchsupport
