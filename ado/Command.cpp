// Prepared commands: the statement is translated and prepared once; a run only binds and steps.
#include "ado/Ado.h"
#include "ado/ConnectionCore.h"
#include "ado/PgSession.h"

#include <sqlite3.h>

namespace ado {

struct Command::Impl final : detail::StreamingCursor {
    ConnectionPtr conn;
    detail::ConnectionCore* core = nullptr;
    std::string sql;
    sqlite3_stmt* stmt = nullptr;
    const detail::PgSession::Prepared* onServer = nullptr; // the session keeps it

    ~Impl() { detach(); }

    void detach() noexcept override {
        if (!core) return;
        core->cursors.erase(this);
        sqlite3_finalize(stmt);
        stmt = nullptr;
        onServer = nullptr;
        core = nullptr;
    }

    long run(const Params& params);
};

Command::Command() : impl_(std::make_unique<Impl>()) {}

Command::~Command() = default;

CommandPtr Connection::Prepare(std::string_view sql) {
    detail::ConnectionCore& c = *impl_;
    c.ensureOpen();
    CommandPtr cmd(new Command());
    Command::Impl& k = *cmd->impl_;
    k.sql = sql;
    if (c.pg)
        k.onServer = &c.pg->prepare(sql);
    else {
        k.stmt = c.compile(sql);
        if (sqlite3_column_count(k.stmt) > 0) {
            sqlite3_finalize(k.stmt);
            detail::raiseProvider(
                rt::errProvider,
                "A prepared command gives no rows; open a recordset for a query. Statement: " +
                    std::string(sql));
        }
    }
    k.conn = std::static_pointer_cast<Connection>(shared_from_this());
    k.core = &c;
    c.cursors.insert(&k);
    return cmd;
}

long Command::Execute(const Params& params) {
    return impl_->run(params);
}

long Command::Impl::run(const Params& params) {
    if (!core) detail::raiseConnectionUnusable();
    detail::ConnectionCore& c = *core;
    if (onServer) return detail::PgSession::affected(c.pg->execPrepared(*onServer, sql, params));
    // Reset on every way out, so that a failed run leaves no statement half stepped.
    struct Reset {
        sqlite3_stmt* s;
        ~Reset() { sqlite3_reset(s); }
    } reset{stmt};
    c.functionErrors.number = 0;
    // The values outlive the one step below, and every run binds them all anew.
    c.bindAll(stmt, sql, params, detail::TextBinding::Lent);
    detail::ConnectionCore::TimeoutGuard guard(c);
    const sqlite3_int64 before = sqlite3_total_changes64(c.db);
    const int rc = c.step(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) c.fail(sql);
    return sqlite3_total_changes64(c.db) != before ? static_cast<long>(sqlite3_changes64(c.db)) : 0;
}

} // namespace ado
