// A server's result read into a recordset's kept rows. Cells take the storage codes SQLite's
// rows use, so that reading, moving and adding rows are one code for both backends.
#include "ado/DateText.h"
#include "ado/PgSession.h"
#include "ado/RecordsetImpl.h"
#include "runtime/Date.h"

#include <charconv>
#include <cstdlib>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace ado {

namespace {

// Type identifiers of the server's built-in types (fixed in its catalog).
enum : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700,
    kDate = 1082,
    kTimestamp = 1114,
    kTimestampTz = 1184,
};

detail::ColumnKind kindOf(Oid type) {
    using K = detail::ColumnKind;
    switch (type) {
    case kBool:
        return K::Boolean;
    case kInt2:
        return K::Integer;
    case kInt4:
        return K::Long;
    case kInt8:
        return K::ByStorage;
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return K::Double;
    case kDate:
    case kTimestamp:
    case kTimestampTz:
        return K::Date;
    default:
        return K::Text;
    }
}

// "2024-01-05[ 10:00:00[.123][+01]]" as the stored form "20240105[ 10:00:00]".
std::optional<detail::StoredDate> serverDate(std::string_view s) {
    std::string t;
    t.reserve(17);
    for (size_t i = 0; i < s.size() && i < 19; ++i)
        if (s[i] != '-') t += s[i];
    return detail::parseStoredDate(t);
}

} // namespace

void Recordset::Impl::openRows(const ConnectionPtr& c, detail::ConnectionCore& cc, std::string_view text,
                               const Params& p, pg_result* r, CursorType cur, LockType lk) {
    begin(c, cc, text, p);
    const int n = PQnfields(r);
    columns.clear();
    columns.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        Column col;
        col.name = PQfname(r, i);
        col.kind = kindOf(PQftype(r, i));
        if (PQftype(r, i) == kInt2 && PQftable(r, i) != InvalidOid &&
            cc.pg->isFlagColumn(PQftable(r, i), PQftablecol(r, i)))
            col.kind = detail::ColumnKind::Boolean;
        if (lk != adLockReadOnly && PQftable(r, i) != InvalidOid) {
            // Only a recordset rows are added to needs to know where its columns come from.
            const auto& [table, origin] = cc.pg->columnOrigin(PQftable(r, i), PQftablecol(r, i));
            col.table = table;
            col.origin = origin;
        }
        columns.push_back(std::move(col));
    }
    fieldsForColumns();

    cursor = cur;
    lock = lk;
    materialized = true;
    store.reset(columns.size(), &core->pool);
    pos = 0;
    const int rows = PQntuples(r);
    for (int row = 0; row < rows; ++row) {
        detail::Cell* cells = store.appendRow();
        for (int i = 0; i < n; ++i)
            readCell(cells[i], columns[static_cast<size_t>(i)].kind, PQftype(r, i),
                     PQgetisnull(r, row, i) ? nullptr : PQgetvalue(r, row, i),
                     static_cast<size_t>(PQgetlength(r, row, i)));
    }
    moved();
}

void Recordset::Impl::readCell(detail::Cell& cell, detail::ColumnKind kind, unsigned type, const char* v,
                               size_t len) {
    using K = detail::ColumnKind;
    cell.len = 0;
    cell.i = 0;
    if (!v) {
        cell.storage = SQLITE_NULL;
        return;
    }
    std::string_view s(v, len);
    if (kind == K::Boolean) {
        cell.storage = SQLITE_INTEGER;
        cell.i = s == "t" || (s != "f" && s != "0") ? 1 : 0; // boolean, or a flag's 0/1
        return;
    }
    if (kind == K::Integer || kind == K::Long || type == kInt8) {
        int64_t i = 0;
        if (std::from_chars(s.data(), s.data() + s.size(), i).ec == std::errc()) {
            cell.storage = SQLITE_INTEGER;
            cell.i = i;
            return;
        }
    } else if (kind == K::Double) {
        cell.storage = SQLITE_FLOAT;
        cell.d = std::strtod(v, nullptr);
        return;
    } else if (kind == K::Date) {
        if (auto d = serverDate(s)) {
            cell.storage = detail::kStoredDate;
            cell.d = rt::makeDate(d->year, d->month, d->day, d->hour, d->minute, d->second).serial;
            return;
        }
    }
    cell.storage = SQLITE_TEXT;
    cell.text = store.keepText(s);
    cell.len = static_cast<uint32_t>(s.size());
}

} // namespace ado
