#include "ado/ConnectionCore.h"

#include "ado/ColumnValue.h"
#include "ado/ConnectionTarget.h"
#include "ado/ProviderError.h"
#include "ado/SqlTranslator.h"
#include "ado/TextCompare.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sqlite3.h>
#include <thread>
#include <utility>
#include <vector>

namespace ado::detail {

namespace {

constexpr size_t kStatementCacheSize = 64;

// True when what follows a statement is only blanks, comments and semicolons.
bool onlyBlanks(const char* p) {
    while (*p) {
        if (std::isspace(static_cast<unsigned char>(*p)) || *p == ';') {
            ++p;
        } else if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n')
                ++p;
        } else if (p[0] == '/' && p[1] == '*') {
            const char* end = std::strstr(p + 2, "*/");
            if (!end) return false;
            p = end + 2;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

StatementLease& StatementLease::operator=(StatementLease&& o) noexcept {
    if (this != &o) {
        reset();
        core_ = o.core_;
        s_ = o.s_;
        o.s_ = nullptr;
    }
    return *this;
}

void StatementLease::reset() noexcept {
    if (s_) core_->release(s_);
    s_ = nullptr;
}

void ConnectionCore::open(const std::string& cs) {
    if (db || pg)
        throw rt::Error(errObjectOpen, kConnectionSource,
                        "Operation is not allowed when the object is open.");
    ConnectionTarget target = connectionTarget(cs);
    if (target.kind == BackendKind::Postgres) {
        pg = PgSession::open(target.address, commandTimeout);
        connectionString = cs;
        return;
    }
    std::string path = target.address;
    if (path.empty())
        raiseProvider(errOpenFailed, "The connection string names no database: \"" + cs + "\".");
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(
        path.c_str(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
        nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = h ? sqlite3_errmsg(h) : sqlite3_errstr(rc);
        sqlite3_close_v2(h);
        raiseProvider(errOpenFailed, "Cannot open the database \"" + path + "\": " + msg);
    }
    db = h;
    connectionString = cs;
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, &ConnectionCore::onBusy, this);
    try {
        registerSqlServerFunctions(db, &functionErrors);
        registerTextCollation(db);
        // WAL lets readers go on while a voucher is being saved; NORMAL is durable enough with WAL.
        run("PRAGMA journal_mode=WAL");
        run("PRAGMA synchronous=NORMAL");
        run("PRAGMA foreign_keys=ON");
    } catch (...) {
        close();
        throw;
    }
    applyCommandTimeout();
}

void ConnectionCore::close() noexcept {
    std::unordered_set<StreamingCursor*> live;
    live.swap(cursors);
    for (StreamingCursor* c : live)
        c->detach();
    if (pg) {
        pg.reset(); // the server rolls back what was left open
        level = 0;
        pool.clear();
        return;
    }
    if (!db) return;
    if (level > 0 && !sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    level = 0;
    for (auto& [key, s] : cache_)
        sqlite3_finalize(s->handle);
    cache_.clear();
    lru_.clear();
    pool.clear();
    sqlite3_close_v2(db);
    db = nullptr;
}

void ConnectionCore::applyCommandTimeout() {
    if (pg) pg->setStatementTimeout(commandTimeout);
    if (!db) return;
    if (commandTimeout > 0)
        sqlite3_progress_handler(db, 1000, &ConnectionCore::onProgress, this);
    else
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
}

int ConnectionCore::onProgress(void* self) {
    auto* c = static_cast<ConnectionCore*>(self);
    if (c->deadlineArmed_ && std::chrono::steady_clock::now() > c->deadline_) {
        c->timedOut_ = true;
        return 1;
    }
    return 0;
}

LockWaitHandler& lockWaitHandler() {
    static LockWaitHandler h;
    return h;
}

int ConnectionCore::onBusy(void* self, int count) {
    auto* c = static_cast<ConnectionCore*>(self);
    auto now = std::chrono::steady_clock::now();
    if (count == 0) c->busySince_ = now;
    if (c->commandTimeout > 0 && now - c->busySince_ >= std::chrono::seconds(c->commandTimeout)) return 0;
    if (const LockWaitHandler& h = lockWaitHandler();
        h && !h(std::chrono::duration_cast<std::chrono::milliseconds>(now - c->busySince_)))
        return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(1 << std::min(count, 6), 50)));
    return 1;
}

ConnectionCore::TimeoutGuard::TimeoutGuard(ConnectionCore& c) : c_(c) {
    c_.timedOut_ = false;
    if (c_.commandTimeout > 0) {
        c_.deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(c_.commandTimeout);
        c_.deadlineArmed_ = true;
    }
}

ConnectionCore::TimeoutGuard::~TimeoutGuard() {
    c_.deadlineArmed_ = false;
}

void ConnectionCore::bind(sqlite3_stmt* stmt, std::string_view sql, const Params& params, size_t first,
                          size_t count, TextBinding text) {
    if (count > params.size() - std::min(first, params.size()))
        raiseProvider(errMissingParameters,
                      "No value given for one or more required parameters. Statement: " + std::string(sql));
    for (size_t k = 0; k < count; ++k)
        bindValue(stmt, static_cast<int>(k + 1), params[first + k], text);
}

Statement* ConnectionCore::newStatement(std::string_view sql, const Params& params, size_t& bound,
                                        bool allowBatch, bool& batch) {
    std::string translated = native ? std::string(sql) : translateSql(sql);
    const char* p = translated.c_str();
    batch = false;
    for (;;) {
        sqlite3_stmt* h = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(db, p, -1, SQLITE_PREPARE_PERSISTENT, &h, &tail) != SQLITE_OK) fail(sql);
        if (!h) {
            if (p == translated.c_str())
                raiseProvider(rt::errProvider, "Command text was not set for the command object.");
            return nullptr;
        }
        if (onlyBlanks(tail)) {
            return new Statement{h, std::string(sql), false, true, {}};
        }
        // One statement per call: a literal that ends early must not let the rest of the text
        // run as statements of its own. A caller that means a batch says so.
        if (!allowBatch) {
            sqlite3_finalize(h);
            raiseProvider(rt::errProvider, "Only one statement may be run per call; this text holds more. "
                                           "Statement: " +
                                               std::string(sql));
        }
        // A statement of a batch that another follows: run it here and go on.
        batch = true;
        StatementLease lease(this, new Statement{h, std::string(sql), false, true, {}});
        size_t n = static_cast<size_t>(sqlite3_bind_parameter_count(h));
        bind(h, sql, params, bound, n);
        bound += n;
        int rc;
        while ((rc = step(h)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) fail(sql);
        p = tail;
    }
}

void ConnectionCore::keep(std::unique_ptr<Statement> s) {
    if (cache_.size() >= kStatementCacheSize) {
        for (auto it = lru_.rbegin(); it != lru_.rend(); ++it) {
            if (!(*it)->inUse) {
                Statement* victim = *it;
                lru_.erase(std::next(it).base());
                sqlite3_finalize(victim->handle);
                cache_.erase(victim->key);
                break;
            }
        }
    }
    s->cached = true;
    lru_.push_front(s.get());
    s->lru = lru_.begin();
    std::string key = s->key;
    cache_.emplace(std::move(key), std::move(s));
}

StatementLease ConnectionCore::prepare(std::string_view sql, const Params& params, bool allowBatch) {
    ensureOpen();
    functionErrors.number = 0;
    if (auto it = cache_.find(sql); it != cache_.end() && !it->second->inUse) {
        Statement* s = it->second.get();
        s->inUse = true;
        lru_.splice(lru_.begin(), lru_, s->lru);
        StatementLease lease(this, s);
        bindAll(s->handle, sql, params);
        return lease;
    }
    size_t bound = 0;
    bool batch = false;
    std::unique_ptr<Statement> s(newStatement(sql, params, bound, allowBatch, batch));
    if (!s)
        raiseProvider(rt::errProvider, "The batch ends without a statement. Statement: " + std::string(sql));
    sqlite3_stmt* h = s->handle;
    StatementLease lease(this, s.get());
    if (batch || cache_.contains(sql))
        s.release(); // made for this use only; the lease ends it
    else
        keep(std::move(s));
    size_t n = static_cast<size_t>(sqlite3_bind_parameter_count(h));
    bind(h, sql, params, bound, n);
    bound += n;
    if (bound != params.size())
        raiseProvider(errMissingParameters,
                      "More parameter values than placeholders. Statement: " + std::string(sql));
    return lease;
}

sqlite3_stmt* ConnectionCore::compile(std::string_view sql) {
    ensureOpen();
    functionErrors.number = 0;
    size_t bound = 0;
    bool batch = false;
    std::unique_ptr<Statement> s(newStatement(sql, {}, bound, false, batch));
    if (!s)
        raiseProvider(rt::errProvider, "The batch ends without a statement. Statement: " + std::string(sql));
    return std::exchange(s->handle, nullptr);
}

void ConnectionCore::bindAll(sqlite3_stmt* stmt, std::string_view sql, const Params& params,
                             TextBinding text) {
    size_t n = static_cast<size_t>(sqlite3_bind_parameter_count(stmt));
    bind(stmt, sql, params, 0, n, text);
    if (n != params.size())
        raiseProvider(errMissingParameters,
                      "More parameter values than placeholders. Statement: " + std::string(sql));
}

void ConnectionCore::release(Statement* s) noexcept {
    sqlite3_reset(s->handle);
    sqlite3_clear_bindings(s->handle);
    if (s->cached) {
        s->inUse = false;
    } else {
        sqlite3_finalize(s->handle);
        delete s;
    }
}

int ConnectionCore::step(sqlite3_stmt* stmt) {
    return sqlite3_step(stmt);
}

void ConnectionCore::run(std::string_view sql) {
    if (pg) return pg->run(sql);
    StatementLease lease = prepare(sql, {});
    int rc;
    while ((rc = step(lease.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) fail(sql);
}

void ConnectionCore::fail(std::string_view sql) {
    int code = sqlite3_extended_errcode(db);
    std::string message = sqlite3_errmsg(db);
    int32_t number = rt::errProvider;
    if (timedOut_) {
        number = errQueryTimeout;
        message = "Query timeout expired";
    } else if (functionErrors.number != 0) {
        number = functionErrors.number;
    } else if ((code & 0xff) == SQLITE_CONSTRAINT) {
        number = rt::errProviderConstraint;
    } else if (((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED) && commandTimeout > 0) {
        number = errQueryTimeout;
    }
    functionErrors.number = 0;
    timedOut_ = false;
    // SQLite ends the transaction itself after some failures; the level must follow.
    if (level > 0 && sqlite3_get_autocommit(db)) level = 0;
    raiseProvider(number, message + ". Statement: " + std::string(sql));
}

} // namespace ado::detail
