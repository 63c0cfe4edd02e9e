#pragma once
// Translates the component's SQL Server text to SQLite text with a real tokenizer.
#include <string>
#include <string_view>

namespace ado {

// Translation of one statement; raises rt::Error for text it cannot read (unterminated
// string, unbalanced parentheses).
std::string translateSql(std::string_view tsql);

} // namespace ado
