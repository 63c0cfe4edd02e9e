#pragma once
// SQL Server's scalar functions as SQLite functions, registered on every connection:
// len, substring, isnumeric, getdate under their own names, and ss_right, ss_left, ss_convert
// for what the translator renames (SQLite cannot parse RIGHT(, LEFT( or CONVERT(int, ...)).
#include <cstdint>

struct sqlite3;

namespace ado::detail {

// Where a function leaves the provider's number of the error it raised, so that the failing
// statement reports it (a failed conversion is not a syntax error).
struct FunctionErrors {
    int32_t number = 0;
};

void registerSqlServerFunctions(sqlite3* db, FunctionErrors* errors);

} // namespace ado::detail
