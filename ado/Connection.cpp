#include "ado/Ado.h"
#include "ado/ConnectionCore.h"
#include "ado/PgSession.h"
#include "ado/ProviderError.h"
#include "ado/RecordsetImpl.h"
#include "runtime/Convert.h"

#include <algorithm>
#include <sqlite3.h>

namespace ado {

using detail::kConnectionSource;

void setLockWaitHandler(LockWaitHandler handler) {
    detail::lockWaitHandler() = std::move(handler);
}

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() {
    impl_->close();
}

std::shared_ptr<Connection> Connection::create() {
    return std::shared_ptr<Connection>(new Connection());
}

void Connection::Open(const std::string& connectionString) {
    impl_->open(connectionString);
}

void Connection::Close() {
    if (!impl_->db && !impl_->pg)
        throw rt::Error(detail::errObjectClosed, kConnectionSource,
                        "Operation is not allowed when the object is closed.");
    impl_->close();
}

int Connection::State() const {
    return impl_->db || impl_->pg ? adStateOpen : adStateClosed;
}

const std::string& Connection::ConnectionString() const {
    return impl_->connectionString;
}

sqlite3* Connection::handle() const {
    return impl_->db;
}

int Connection::CommandTimeout() const {
    return impl_->commandTimeout;
}

void Connection::setCommandTimeout(int seconds) {
    if (seconds < 0)
        throw rt::Error(
            rt::errInvalidProcedureCall, kConnectionSource,
            "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
            "another.");
    impl_->commandTimeout = seconds;
    impl_->applyCommandTimeout();
}

RecordsetPtr Connection::Execute(std::string_view sql, const Params& params, long* recordsAffected) {
    return execute(sql, params, recordsAffected, false);
}

RecordsetPtr Connection::ExecuteBatch(std::string_view sql, const Params& params, long* recordsAffected) {
    return execute(sql, params, recordsAffected, true);
}

RecordsetPtr Connection::execute(std::string_view sql, const Params& params, long* recordsAffected,
                                 bool batch) {
    detail::ConnectionCore& c = *impl_;
    c.ensureOpen();
    if (c.pg) return executeOnServer(sql, params, recordsAffected, batch);
    detail::ConnectionCore::TimeoutGuard guard(c);
    detail::StatementLease lease = c.prepare(sql, params, batch);
    sqlite3_int64 before = sqlite3_total_changes64(c.db);
    int rc = c.step(lease.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) c.fail(sql);
    RecordsetPtr rs = Recordset::create();
    if (sqlite3_column_count(lease.get()) > 0) {
        if (recordsAffected) *recordsAffected = -1;
        auto self = std::static_pointer_cast<Connection>(shared_from_this());
        rs->impl_->openStreaming(self, c, sql, params, std::move(lease), rc, adLockReadOnly);
    } else if (recordsAffected) {
        *recordsAffected =
            sqlite3_total_changes64(c.db) != before ? static_cast<long>(sqlite3_changes64(c.db)) : 0;
    }
    return rs;
}

RecordsetPtr Connection::executeOnServer(std::string_view sql, const Params& params, long* recordsAffected,
                                         bool batch) {
    detail::PgSession& pg = *impl_->pg;
    std::vector<std::string> parts = batch ? detail::splitStatements(sql) : std::vector<std::string>{};
    if (!batch) parts.emplace_back(sql);
    detail::PgResult last;
    size_t used = 0;
    for (const std::string& part : parts) {
        size_t marks = 0;
        detail::numberedPlaceholders(part, marks);
        size_t from = std::min(used, params.size()), to = std::min(used + marks, params.size());
        used += marks;
        last = batch ? pg.exec(part, Params(params.begin() + static_cast<long>(from),
                                            params.begin() + static_cast<long>(to)))
                     : pg.exec(part, params);
    }
    RecordsetPtr rs = Recordset::create();
    if (!last) return rs;
    long n = detail::PgSession::affected(last);
    if (recordsAffected) *recordsAffected = n;
    if (n < 0) {
        auto self = std::static_pointer_cast<Connection>(shared_from_this());
        rs->impl_->openRows(self, *impl_, sql, params, last.get(), adOpenForwardOnly, adLockReadOnly);
    }
    return rs;
}

RecordsetPtr Connection::ExecuteNative(std::string_view sql, const Params& params) {
    if (impl_ && impl_->pg) {
        if (!params.empty())
            throw rt::Error(rt::errProvider, detail::kPgProviderSource,
                            "A server's own statement takes no parameters. Statement: " + std::string(sql));
        impl_->pg->runNative(sql);
        return Recordset::create();
    }
    impl_->native = true;
    try {
        RecordsetPtr rs = Execute(sql, params);
        impl_->native = false;
        return rs;
    } catch (...) {
        impl_->native = false;
        throw;
    }
}

long Connection::BeginTrans() {
    impl_->ensureOpen();
    if (impl_->level == 0)
        impl_->run("BEGIN");
    else
        impl_->run("SAVEPOINT idj_level" + std::to_string(impl_->level));
    return ++impl_->level;
}

long Connection::BeginTransImmediate(std::optional<int32_t> scope) {
    impl_->ensureOpen();
    if (impl_->level == 0 && impl_->pg) {
        // What SQLite's write lock gives, held to the end of the transaction. A company's save
        // takes only numbers counted within that company (identifier, journal number, type
        // serial; line numbers run within the voucher and the activity log's ids come from a
        // sequence), so saves of different companies need not wait for each other. They share
        // the lock of all companies, which a transaction without a scope takes alone.
        // Keyed by the schema too: each set of tables numbers on its own.
        const std::string name = "'" + std::string(detail::kSaveLockName) + "' || current_schema()";
        const std::string database = "hashtextextended(" + name + ", 0)";
        impl_->run("BEGIN");
        try {
            impl_->run(scope ? "SELECT pg_advisory_xact_lock_shared(" + database +
                                   "), pg_advisory_xact_lock(hashtext(" + name + "), " +
                                   std::to_string(*scope) + ")"
                             : "SELECT pg_advisory_xact_lock(" + database + ")");
        } catch (...) {
            // Not taken (timeout, lost session): no transaction is left half begun.
            if (impl_->pg->inTransaction()) impl_->pg->run("ROLLBACK");
            throw;
        }
    } else if (impl_->level == 0)
        impl_->run("BEGIN IMMEDIATE");
    else
        impl_->run("SAVEPOINT idj_level" + std::to_string(impl_->level));
    return ++impl_->level;
}

namespace {
[[noreturn]] void noTransaction() {
    throw rt::Error(detail::errNoTransaction, detail::kProviderSource, "No transaction is active.");
}
} // namespace

void Connection::CommitTrans() {
    detail::ConnectionCore& c = *impl_;
    c.ensureOpen();
    if (c.level > 0 && c.db && sqlite3_get_autocommit(c.db)) c.level = 0; // SQLite ended it after a failure
    if (c.level == 0) noTransaction();
    if (c.level == 1)
        c.run("COMMIT");
    else
        c.run("RELEASE SAVEPOINT idj_level" + std::to_string(c.level - 1));
    --c.level;
}

void Connection::RollbackTrans() {
    detail::ConnectionCore& c = *impl_;
    c.ensureOpen();
    if (c.level > 0 && c.db && sqlite3_get_autocommit(c.db)) {
        c.level = 0; // already rolled back by SQLite; nothing is left to undo
        return;
    }
    if (c.level == 0) noTransaction();
    if (c.level == 1) {
        c.run("ROLLBACK");
    } else {
        std::string name = "idj_level" + std::to_string(c.level - 1);
        c.run("ROLLBACK TO SAVEPOINT " + name);
        c.run("RELEASE SAVEPOINT " + name);
    }
    --c.level;
}

int Connection::TransactionLevel() const {
    return impl_->level;
}

rt::Variant Connection::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    using rt::CallKind;
    auto is = [&](const char* name) { return rt::iequals(member, name); };
    auto arg = [&](size_t k) -> const rt::Variant& {
        if (k >= args.size())
            throw rt::Error(rt::errInvalidProcedureCall, kConnectionSource, "Argument not optional");
        return args[k];
    };
    if (is("Open")) {
        Open(args.empty() ? impl_->connectionString : rt::CStr(arg(0)));
        return {};
    }
    if (is("Close")) {
        Close();
        return {};
    }
    if (is("Execute")) {
        long affected = 0;
        RecordsetPtr rs = Execute(rt::CStr(arg(0)), {}, &affected);
        if (args.size() > 1) args[1] = static_cast<int32_t>(affected);
        return rs;
    }
    if (is("BeginTrans")) return static_cast<int32_t>(BeginTrans());
    if (is("CommitTrans")) {
        CommitTrans();
        return {};
    }
    if (is("RollbackTrans")) {
        RollbackTrans();
        return {};
    }
    if (is("CommandTimeout")) {
        if (kind == CallKind::PropertyPut) {
            setCommandTimeout(rt::CLng(arg(0)));
            return {};
        }
        return static_cast<int32_t>(CommandTimeout());
    }
    if (is("State")) return static_cast<int32_t>(State());
    if (is("ConnectionString")) {
        if (kind == CallKind::PropertyPut) {
            if (impl_->db || impl_->pg)
                throw rt::Error(detail::errObjectOpen, kConnectionSource,
                                "Operation is not allowed when the object is open.");
            impl_->connectionString = rt::CStr(arg(0));
            return {};
        }
        return impl_->connectionString;
    }
    return rt::Object::invoke(member, kind, args);
}

} // namespace ado
