#pragma once
// A session on a PostgreSQL server through libpq: statements with bound parameters, results
// read whole, the statement timeout, and the server's errors as the data layer raises them.
#include "ado/Ado.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace ado::detail {

inline constexpr const char* kPgProviderSource = "idjrnl PostgreSQL provider";

struct PgResultFree {
    void operator()(pg_result* r) const noexcept;
};
using PgResult = std::unique_ptr<pg_result, PgResultFree>;

class PgSession {
  public:
    // Raises errOpenFailed when the server cannot be reached or refuses the session.
    static std::unique_ptr<PgSession> open(const std::string& uri, int commandTimeout);
    ~PgSession();
    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    // Runs one statement whose '?' marks take `params` in order; raises on failure.
    PgResult exec(std::string_view sql, const Params& params);

    // A statement the server keeps parsed for the rest of the session, under a name of its own.
    struct Prepared {
        std::string name;
        size_t marks = 0;
    };
    // Translated and prepared on the first call for a text; later calls find it. A statement that
    // gives rows is refused: a prepared command only changes rows.
    const Prepared& prepare(std::string_view sql);
    // Runs a prepared statement as exec runs a text, with the same errors.
    PgResult execPrepared(const Prepared& statement, std::string_view sql, const Params& params);
    // Runs a statement of this layer's own, without parameters.
    void run(std::string_view sql);
    // Runs the server's own SQL as written: no translation, no '?' marks (a function body).
    void runNative(std::string_view sql);
    // Seconds; 0 lets a statement run as long as it takes.
    void setStatementTimeout(int seconds);
    // True while the server holds a transaction open (also a failed one).
    bool inTransaction() const;

    // True when the column `column` (1-based) of the table `table` holds flags; remembered.
    bool isFlagColumn(unsigned table, int column);
    // The names of that table and column, empty when the server knows neither; remembered, as a
    // recordset that rows are added to asks for every column on every open.
    const std::pair<std::string, std::string>& columnOrigin(unsigned table, int column);

    // Rows a finished statement changed, -1 for a statement that gave rows.
    static long affected(const PgResult& r);

  private:
    explicit PgSession(pg_conn* c) : conn_(c) {}
    [[noreturn]] void fail(const PgResult& r, std::string_view sql);
    PgResult checked(PgResult r, std::string_view sql);
    pg_conn* conn_;
    std::map<std::pair<unsigned, int>, bool> flagColumns_;
    std::map<std::pair<unsigned, int>, std::pair<std::string, std::string>> columnOrigins_;
    // Prepared statements outlive a rolled back transaction on the server, so they are kept for
    // the session; the component prepares only a few constant texts.
    std::map<std::string, Prepared, std::less<>> prepared_;
    unsigned preparedNames_ = 0;
};

// The collation of the server's text columns: compares as SQL Server's default collation does,
// without regard to case. Created in each schema that holds the suite's tables.
inline constexpr const char* kPgTextCollationDdl = "CREATE COLLATION IF NOT EXISTS text_ci (provider = icu, "
                                                   "locale = 'und-u-ks-level2', deterministic = false)";

// Flags (SQL Server's bit) are stored in columns of this domain over smallint and read back as
// Booleans; the server reports a domain's column by its base type, so the column is looked up.
inline constexpr const char* kPgFlagDomain = "idj_bit";

// The advisory locks a save holds on the server for the rest of its transaction are named by
// this and the schema.
inline constexpr const char* kSaveLockName = "idjrnl save ";

// The statements of a batch, split at the semicolons between them; empty ones are dropped.
std::vector<std::string> splitStatements(std::string_view sql);

// The statement text with every '?' (outside literals, quoted names and comments) made "$n".
std::string numberedPlaceholders(std::string_view sql, size_t& count);

} // namespace ado::detail
