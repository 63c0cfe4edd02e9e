#include "db/Sqlite.h"

#include "runtime/Error.h"

#include <sqlite3.h>

namespace db {

void raiseSqlite(sqlite3* db, std::string_view what) {
    throw rt::Error(rt::errProvider, "db", std::string(what) + ": " + sqlite3_errmsg(db));
}

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) raiseSqlite(db, sql);
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        raiseSqlite(db, sql);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

bool Statement::next() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) raiseSqlite(db_, sqlite3_sql(stmt_));
    return false;
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::stepToEnd() {
    int rc = sqlite3_step(stmt_);
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(stmt_);
    if (rc != SQLITE_DONE) {
        std::string sql = sqlite3_sql(stmt_);
        sqlite3_reset(stmt_);
        raiseSqlite(db_, sql);
    }
    reset();
}

int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}
double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}
std::string Statement::text(int column) const {
    const unsigned char* t = sqlite3_column_text(stmt_, column);
    return t ? reinterpret_cast<const char*>(t) : std::string();
}

void Statement::bind(int index, int value) {
    sqlite3_bind_int(stmt_, index, value);
}
void Statement::bind(int index, int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
}
void Statement::bind(int index, double value) {
    sqlite3_bind_double(stmt_, index, value);
}
void Statement::bind(int index, std::string_view value) {
    sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}
void Statement::bind(int index, std::nullopt_t) {
    sqlite3_bind_null(stmt_, index);
}

Transaction::Transaction(sqlite3* db) : db_(db) {
    exec(db, "BEGIN");
}

Transaction::~Transaction() {
    if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    exec(db_, "COMMIT");
    open_ = false;
}

} // namespace db
