#pragma once
// SQL Server's scalar functions as SQLite functions, registered on every connection:
// len, substring, isnumeric, getdate under their own names, and ss_right, ss_left, ss_convert
// for what the translator renames (SQLite cannot parse RIGHT(, LEFT( or CONVERT(int, ...)),
// and ss_compare for comparisons the translator hands over (SqlTranslator.cpp says which).
#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

namespace ado::detail {

// Where a function leaves the provider's number of the error it raised, so that the failing
// statement reports it (a failed conversion is not a syntax error).
struct FunctionErrors {
    int32_t number = 0;
};

void registerSqlServerFunctions(sqlite3* db, FunctionErrors* errors);
// ss_compare and LIKE (SqlCompare.cpp), registered by the above.
void registerComparisonFunctions(sqlite3* db, FunctionErrors* errors);

// One of them on the connection; a failure raises as a connection that cannot open.
struct FunctionDef {
    const char* name;
    int args;
    int flags;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
};
void registerFunction(sqlite3* db, FunctionErrors* errors, const FunctionDef& def);

// Ends a function call with an error that the failing statement reports under `number`.
void failFunction(sqlite3_context* ctx, int32_t number, const std::string& message);

} // namespace ado::detail
