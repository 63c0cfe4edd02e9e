#pragma once
// The state of an open connection that connections and recordsets share: the SQLite handle (or
// the server's session), the cache of prepared statements, transaction level, timeouts and the
// error mapping.
#include "ado/Ado.h"
#include "ado/ColumnValue.h"
#include "ado/PgSession.h"
#include "ado/ProviderError.h"
#include "ado/RowStore.h"
#include "ado/SqlFunctions.h"

#include <chrono>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

struct sqlite3_stmt;

namespace ado::detail {

// A prepared statement, kept in the connection's cache or made for one use.
struct Statement {
    sqlite3_stmt* handle = nullptr;
    std::string key; // the text as the component wrote it
    bool cached = false;
    bool inUse = false;
    std::list<Statement*>::iterator lru;
};

// A recordset that reads its rows from a live statement, or a prepared command: a closing
// connection releases what it holds.
class StreamingCursor {
  public:
    virtual void detach() noexcept = 0;

  protected:
    ~StreamingCursor() = default;
};

class ConnectionCore;

// Holds a statement while it runs and gives it back (reset, bindings cleared) at the end.
class StatementLease {
  public:
    StatementLease() = default;
    StatementLease(ConnectionCore* core, Statement* s) : core_(core), s_(s) {}
    StatementLease(StatementLease&& o) noexcept : core_(o.core_), s_(o.s_) { o.s_ = nullptr; }
    StatementLease& operator=(StatementLease&& o) noexcept;
    StatementLease(const StatementLease&) = delete;
    StatementLease& operator=(const StatementLease&) = delete;
    ~StatementLease() { reset(); }

    sqlite3_stmt* get() const { return s_ ? s_->handle : nullptr; }
    explicit operator bool() const { return s_ != nullptr; }
    void reset() noexcept;

  private:
    ConnectionCore* core_ = nullptr;
    Statement* s_ = nullptr;
};

struct TransparentHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};

// The process-wide handler of long lock waits (setLockWaitHandler).
LockWaitHandler& lockWaitHandler();

class ConnectionCore {
  public:
    ConnectionCore() = default;
    ConnectionCore(const ConnectionCore&) = delete;
    ConnectionCore& operator=(const ConnectionCore&) = delete;

    sqlite3* db = nullptr;
    std::unique_ptr<PgSession> pg; // set instead of `db` on a server connection
    std::string connectionString;
    int commandTimeout = 30; // ADO's default
    int level = 0;
    FunctionErrors functionErrors;
    bool native = false; // the statement being prepared is SQLite's own: no translation
    std::unordered_set<StreamingCursor*> cursors;
    BlockPool pool; // row memory of closed recordsets, for the next ones

    void open(const std::string& connectionString);
    void close() noexcept;
    void ensureOpen() const {
        if (!db && !pg) raiseConnectionUnusable();
    }
    void applyCommandTimeout();

    // The statement translated, prepared (or taken from the cache) and bound. Text with more
    // than one statement is refused unless `allowBatch`; in a batch, all statements but the
    // last run to completion here, as SQL Server runs a batch.
    StatementLease prepare(std::string_view sql, const Params& params, bool allowBatch = false);
    // One statement translated and prepared for a caller that keeps it and finalizes it.
    sqlite3_stmt* compile(std::string_view sql);
    // Every placeholder bound, in order; raises when values are missing or left over.
    void bindAll(sqlite3_stmt* stmt, std::string_view sql, const Params& params,
                 TextBinding text = TextBinding::Copied);
    int step(sqlite3_stmt* stmt);
    // Runs a statement of this layer's own (transaction control); raises on failure.
    void run(std::string_view sql);
    // Raises the error of the last failed call, naming the statement.
    [[noreturn]] void fail(std::string_view sql);

    void release(Statement* s) noexcept;

    // While alive, a statement that outlasts CommandTimeout is interrupted.
    class TimeoutGuard {
      public:
        explicit TimeoutGuard(ConnectionCore& c);
        ~TimeoutGuard();
        TimeoutGuard(const TimeoutGuard&) = delete;
        TimeoutGuard& operator=(const TimeoutGuard&) = delete;

      private:
        ConnectionCore& c_;
    };

  private:
    friend class TimeoutGuard;
    std::unordered_map<std::string, std::unique_ptr<Statement>, TransparentHash, std::equal_to<>> cache_;
    std::list<Statement*> lru_;
    std::chrono::steady_clock::time_point deadline_{};
    bool deadlineArmed_ = false;
    bool timedOut_ = false;
    std::chrono::steady_clock::time_point busySince_{};

    static int onProgress(void* self);
    static int onBusy(void* self, int count);
    Statement* newStatement(std::string_view sql, const Params& params, size_t& bound, bool allowBatch,
                            bool& batch);
    void keep(std::unique_ptr<Statement> s);
    void bind(sqlite3_stmt* stmt, std::string_view sql, const Params& params, size_t first, size_t count,
              TextBinding text = TextBinding::Copied);
};

} // namespace ado::detail

namespace ado {
struct Connection::Impl : detail::ConnectionCore {};
} // namespace ado
