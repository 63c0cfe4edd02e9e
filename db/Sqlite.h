#pragma once
// Thin helpers over the sqlite3 C API for the seeders: prepared statements bound by position
// and a transaction that rolls back unless committed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// Raises rt::Error with SQLite's message for the connection.
[[noreturn]] void raiseSqlite(sqlite3* db, std::string_view what);

void exec(sqlite3* db, const char* sql);

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds the values to ?1, ?2, ... and runs the statement to its end.
    template <class... Values> void run(const Values&... values) {
        int index = 0;
        (bind(++index, values), ...);
        stepToEnd();
    }
    // Binds the values and steps once; true while a row is available (read it with the
    // column accessors, step again with next()).
    template <class... Values> bool query(const Values&... values) {
        reset();
        int index = 0;
        (bind(++index, values), ...);
        return next();
    }
    bool next();
    void reset();

    int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;

  private:
    void bind(int index, int value);
    void bind(int index, int64_t value);
    void bind(int index, double value);
    void bind(int index, bool value) { bind(index, value ? 1 : 0); }
    void bind(int index, std::string_view value);
    void bind(int index, const std::string& value) { bind(index, std::string_view(value)); }
    void bind(int index, const char* value) { bind(index, std::string_view(value)); }
    void bind(int index, std::nullopt_t);
    template <class T> void bind(int index, const std::optional<T>& value) {
        if (value)
            bind(index, *value);
        else
            bind(index, std::nullopt);
    }
    void stepToEnd();

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Transaction {
  public:
    explicit Transaction(sqlite3* db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    sqlite3* db_;
    bool open_ = true;
};

} // namespace db
