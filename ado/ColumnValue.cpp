#include "ado/ColumnValue.h"

#include "ado/DateText.h"
#include "ado/ProviderError.h"
#include "runtime/Convert.h"
#include "runtime/Date.h"

#include <cstring>
#include <limits>
#include <sqlite3.h>
#include <string>

namespace ado::detail {

namespace {

bool contains(const std::string& upper, const char* part) {
    return upper.find(part) != std::string::npos;
}

rt::Variant integerValue(int64_t i) {
    return rt::Variant(i); // 32 bits when it fits, else a double
}

} // namespace

ColumnKind columnKind(const char* declType) {
    if (!declType || !*declType) return ColumnKind::ByStorage;
    std::string t(declType);
    for (char& c : t)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (contains(t, "DATE")) return ColumnKind::Date;
    if (contains(t, "BIT")) return ColumnKind::Boolean;
    if (contains(t, "SMALLINT") || contains(t, "TINYINT")) return ColumnKind::Integer;
    if (contains(t, "INT")) return ColumnKind::Long;
    for (const char* n : {"REAL", "FLOA", "DOUB", "MONEY", "NUMERIC", "DECIMAL"})
        if (contains(t, n)) return ColumnKind::Double;
    for (const char* n : {"CHAR", "TEXT", "CLOB"})
        if (contains(t, n)) return ColumnKind::Text;
    return ColumnKind::ByStorage;
}

rt::Variant columnValue(ColumnKind kind, int storage, int64_t i, double d, std::string_view text) {
    if (storage == SQLITE_NULL) return rt::Variant::null();
    switch (kind) {
    case ColumnKind::Date:
        if (storage == SQLITE_TEXT || storage == SQLITE_BLOB) {
            if (auto s = parseStoredDate(text))
                return rt::makeDate(s->year, s->month, s->day, s->hour, s->minute, s->second);
            try {
                if (auto other = rt::parseDate(text)) return *other;
            } catch (const rt::Error&) { // parts too long for a date: the text is shown as stored
            }
            return rt::Variant(text);
        }
        break;
    case ColumnKind::Boolean:
        if (storage == SQLITE_INTEGER) return i != 0;
        if (storage == SQLITE_FLOAT) return d != 0;
        break;
    case ColumnKind::Integer:
        if (storage == SQLITE_INTEGER && i >= std::numeric_limits<int16_t>::min() &&
            i <= std::numeric_limits<int16_t>::max())
            return static_cast<int16_t>(i);
        break;
    case ColumnKind::Long:
        break;
    case ColumnKind::Double:
        if (storage == SQLITE_INTEGER) return static_cast<double>(i);
        break;
    case ColumnKind::Text:
        if (storage == SQLITE_INTEGER) return std::to_string(i);
        if (storage == SQLITE_FLOAT) return rt::NumberText(d);
        break;
    case ColumnKind::ByStorage:
        break;
    }
    switch (storage) {
    case SQLITE_INTEGER:
        return integerValue(i);
    case SQLITE_FLOAT:
        return d;
    default:
        return rt::Variant(text);
    }
}

void bindValue(sqlite3_stmt* stmt, int index, const rt::Variant& v, TextBinding text) {
    using T = rt::Variant::Type;
    using A = rt::VariantAccess;
    int rc = SQLITE_OK;
    switch (v.type()) {
    case T::Empty:
    case T::Null:
        rc = sqlite3_bind_null(stmt, index);
        break;
    case T::Integer:
        rc = sqlite3_bind_int(stmt, index, *A::get<int16_t>(v));
        break;
    case T::Long:
        rc = sqlite3_bind_int(stmt, index, *A::get<int32_t>(v));
        break;
    case T::Double:
        rc = sqlite3_bind_double(stmt, index, *A::get<double>(v));
        break;
    case T::Boolean:
        rc = sqlite3_bind_int(stmt, index, *A::get<bool>(v) ? 1 : 0);
        break;
    case T::String: {
        const std::string& s = v.str();
        rc = sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()),
                               text == TextBinding::Lent ? SQLITE_STATIC : SQLITE_TRANSIENT);
        break;
    }
    case T::Date: {
        std::string s = rt::toStored(*A::get<rt::Date>(v));
        rc = sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        break;
    }
    case T::Object:
        throw rt::Error(rt::errTypeMismatch, kProviderSource,
                        "Type mismatch: an object cannot be a parameter value (parameter " +
                            std::to_string(index) + ").");
    }
    if (rc != SQLITE_OK)
        raiseProvider(rt::errProvider, std::string("Cannot bind parameter ") + std::to_string(index) + ": " +
                                           sqlite3_errstr(rc));
}

} // namespace ado::detail
