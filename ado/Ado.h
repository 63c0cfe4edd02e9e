#pragma once
// An ADO-like data layer over SQLite. It accepts the component's SQL Server text word for
// word (translated once per distinct text, see SqlTranslator.h) and runs it on SQLite.
//
// Storage conventions of the suite's database on SQLite:
// - dates are stored as text "yyyymmdd", or "yyyymmdd hh:mm:ss" with a time of day, in
//   columns declared DATETEXT (TEXT affinity), so the component's 'yyyymmdd' literals compare
//   chronologically; such columns read back as Date variants;
// - flags are declared BIT and read back as Boolean variants;
// - text columns are declared COLLATE TEXT_CI (TextCompare.h), as SQL Server compares text.
// User text never goes into SQL: statements take '?' placeholders and bound values.
// A connection and its recordsets belong to one thread at a time, as the component's UI thread.
#include "runtime/Error.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ado {

enum CursorType { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockType { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3, adLockBatchOptimistic = 4 };
enum ObjectState { adStateClosed = 0, adStateOpen = 1 };

using Params = std::vector<rt::Variant>;

class Recordset;
using RecordsetPtr = std::shared_ptr<Recordset>;
class Command;
using CommandPtr = std::shared_ptr<Command>;

class Connection : public rt::Object {
  public:
    static std::shared_ptr<Connection> create();
    ~Connection() override;

    std::string className() const override { return "Connection"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // A database file path, "Data Source=<path>" with further ";"-separated settings ignored, a
    // "sqlite:<path>" URI, or a "postgresql://" URI of a server (ConnectionTarget.h).
    void Open(const std::string& connectionString);
    void Close();
    int State() const;
    const std::string& ConnectionString() const;

    // Runs a statement; a statement that yields rows gives them as an open, forward-only recordset.
    // Text with more than one statement is refused.
    RecordsetPtr Execute(std::string_view sql, const Params& params = {}, long* recordsAffected = nullptr);
    // Runs ";"-separated statements in order; the last one's rows, if any, are the result.
    RecordsetPtr ExecuteBatch(std::string_view sql, const Params& params = {},
                              long* recordsAffected = nullptr);
    // One statement of SQLite's own SQL, run as written (not translated) and kept prepared like
    // the rest: for queries written against this schema's own indexes. On a server, a statement
    // of the server's own without parameters, run as written; it gives no rows.
    RecordsetPtr ExecuteNative(std::string_view sql, const Params& params = {});
    // A statement that changes rows, translated and prepared once to be run many times with new
    // values (the lines of a voucher). Refused, as Execute refuses it, when it cannot be read;
    // a statement that gives rows is refused too.
    CommandPtr Prepare(std::string_view sql);

    // Transactions nest as ADO's do: only the outermost one reaches the database. An inner
    // level is a savepoint: rolling it back undoes only what was done since its BeginTrans.
    // Immediate takes the database's write lock at once (serialising numbering and insert
    // between processes); the busy timeout below applies while waiting for it. On a server the
    // lock is a save lock: of the company `scope` names (saves of other companies go on beside
    // it), or without a scope of the whole database.
    long BeginTrans();
    long BeginTransImmediate(std::optional<int32_t> scope = std::nullopt);
    void CommitTrans();
    void RollbackTrans();
    int TransactionLevel() const;

    // Seconds a statement may run; 0 means it never times out.
    int CommandTimeout() const;
    void setCommandTimeout(int seconds);

    sqlite3* handle() const; // nullptr while closed, and on a server connection

  private:
    Connection();
    RecordsetPtr execute(std::string_view sql, const Params& params, long* recordsAffected, bool batch);
    RecordsetPtr executeOnServer(std::string_view sql, const Params& params, long* recordsAffected,
                                 bool batch);
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend class Recordset;
};
using ConnectionPtr = std::shared_ptr<Connection>;

// Told, again and again, how long a statement has waited for another connection's lock;
// returning false gives the wait up (the statement then fails as locked). One per process;
// the front end uses it to let the user cancel a long wait.
using LockWaitHandler = std::function<bool(std::chrono::milliseconds waited)>;
void setLockWaitHandler(LockWaitHandler handler);

// A prepared statement of a connection. It keeps its connection open; closing the connection
// ends the command, which then raises as a closed connection does.
class Command {
  public:
    ~Command();
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Runs the statement with `params` for its '?' marks, failing with the numbers, sources and
    // descriptions Connection::Execute gives; returns the count of rows it changed.
    long Execute(const Params& params);

  private:
    Command();
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend class Connection;
};

class Field {
  public:
    const std::string& Name() const;
    const rt::Variant& Value() const;    // raises 3021 without a current record
    void setValue(const rt::Variant& v); // only on an added row (AddNew)

  private:
    friend class Recordset;
    Recordset* rs_ = nullptr;
    int index_ = 0;
};

class Recordset : public rt::Object {
  public:
    static RecordsetPtr create();
    ~Recordset() override;

    std::string className() const override { return "Recordset"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    void Open(std::string_view sql, const ConnectionPtr& conn, CursorType cursor = adOpenForwardOnly,
              LockType lock = adLockReadOnly, const Params& params = {});
    void Close();
    int State() const;

    bool eof() const;
    bool bof() const;
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    // -1 for a forward-only cursor, as ADO gives it.
    long RecordCount() const;

    int FieldCount() const;
    Field& field(int index);
    Field& field(std::string_view name); // case-insensitive; raises 3265 when absent
    const rt::Variant& operator[](int index) { return valueAt(index); }
    const rt::Variant& operator[](std::string_view name) { return field(name).Value(); }
    // A field's value as text, as rt::TextOf gives it: stored text is read in place, without
    // a variant; other values are converted into `scratch`. Valid until the next move.
    std::string_view textAt(int index, std::string& scratch);

    // Adding rows to a recordset opened on "... where 1=2": AddNew, assign fields, Update.
    void AddNew();
    void Update();

  private:
    Recordset();
    const rt::Variant& valueAt(int index);
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend class Field;
    friend class Connection;
};

} // namespace ado
