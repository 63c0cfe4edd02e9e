#pragma once
// Translates the component's SQL Server text to the text of the backend that runs it (SQLite, or
// a PostgreSQL server), with one tokenizer and one set of rules; the dialects differ only where
// the backends do.
#include <string>
#include <string_view>

namespace ado {

enum class Dialect { Sqlite, Postgres };

// Translation of one statement; raises rt::Error for text it cannot read (unterminated
// string, unbalanced parentheses).
std::string translateSql(std::string_view tsql, Dialect dialect = Dialect::Sqlite);

} // namespace ado
