#include "db/ServerSchema.h"

#include "ado/PgSession.h"
#include "ado/SqlTokenizer.h"
#include "ado/Transaction.h"
#include "db/Sqlite.h"
#include "runtime/Error.h"

#include <memory>
#include <sqlite3.h>
#include <vector>

namespace db {

std::string renderForServer(std::string_view ddl) {
    std::string out;
    out.reserve(ddl.size() + ddl.size() / 8);
    for (const ado::sql::Token& t : ado::sql::tokenize(ddl)) {
        if (t.isWord("datetext"))
            out += "timestamp(0)";
        else if (t.isWord("bit"))
            out += ado::detail::kPgFlagDomain;
        else if (t.isWord("real"))
            out += "double precision"; // SQLite's REAL holds 8 bytes, the server's 4
        else
            out.append(t.text);
    }
    return out;
}

namespace {

using Rows = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

Rows rows(sqlite3* source, const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(source, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) raiseSqlite(source, sql);
    return Rows(s, sqlite3_finalize);
}

bool step(sqlite3* source, const Rows& s) {
    int rc = sqlite3_step(s.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) raiseSqlite(source, "read the rows to copy");
    return rc == SQLITE_ROW;
}

std::vector<std::string> tableNames(sqlite3* source) {
    Rows s = rows(source, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
                          "ORDER BY rowid");
    std::vector<std::string> names;
    while (step(source, s))
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
    return names;
}

rt::Variant valueOf(sqlite3_stmt* s, int i) {
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
        return rt::Variant(static_cast<int64_t>(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
        return rt::Variant(sqlite3_column_double(s, i));
    case SQLITE_NULL:
        return rt::Variant::null();
    default:
        return rt::Variant(std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                       static_cast<size_t>(sqlite3_column_bytes(s, i))));
    }
}

void copyTable(sqlite3* source, const std::string& table, ado::Connection& server) {
    Rows s = rows(source, "SELECT * FROM \"" + table + "\"");
    const int n = sqlite3_column_count(s.get());
    std::string insert = "INSERT INTO " + table + " (", marks;
    for (int i = 0; i < n; ++i) {
        insert += (i ? ", " : "") + std::string(sqlite3_column_name(s.get(), i));
        marks += i ? ", ?" : "?";
    }
    insert += ") VALUES (" + marks + ")";
    ado::Params row(static_cast<size_t>(n));
    while (step(source, s)) {
        for (int i = 0; i < n; ++i)
            row[static_cast<size_t>(i)] = valueOf(s.get(), i);
        server.Execute(insert, row);
    }
}

} // namespace

void copyRows(sqlite3* source, const ado::ConnectionPtr& server) {
    ado::rollBackOnError(server, [&] {
        server->BeginTrans();
        for (const std::string& table : tableNames(source))
            copyTable(source, table, *server);
        server->CommitTrans();
    });
}

} // namespace db
