#pragma once
// How values cross between variants and SQLite: the declared type of a result column decides
// the variant a stored value reads back as, and bound variants take the stored forms.
#include "runtime/Variant.h"

#include <cstdint>
#include <string_view>

struct sqlite3_stmt;

namespace ado::detail {

enum class ColumnKind : uint8_t {
    ByStorage, // expressions: by what SQLite holds (integer, real, text)
    Date,      // declared ...DATE...: the stored text "yyyymmdd[ hh:mm:ss]"
    Boolean,   // BIT
    Integer,   // SMALLINT, TINYINT: 16 bits
    Long,      // other INT types
    Double,    // REAL, FLOAT, DOUBLE, MONEY, NUMERIC, DECIMAL
    Text,
};

ColumnKind columnKind(const char* declType);

// One stored value; `storage` is SQLite's type code, only the matching payload is read.
rt::Variant columnValue(ColumnKind kind, int storage, int64_t i, double d, std::string_view text);

// Date as its stored text, Boolean as 1/0, Empty and Null as NULL; objects raise 13. Text is
// copied unless `v` outlives every step of the statement with this binding (`lent`).
enum class TextBinding { Copied, Lent };
void bindValue(sqlite3_stmt* stmt, int index, const rt::Variant& v, TextBinding text = TextBinding::Copied);

} // namespace ado::detail
