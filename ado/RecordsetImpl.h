#pragma once
// Inside of a recordset. Static and keyset cursors keep every row in a compact form (RowStore.h);
// forward-only cursors read from the live statement.
// A field's variant is made when it is first read on the current row and kept until the next move.
#include "ado/Ado.h"
#include "ado/ColumnValue.h"
#include "ado/ConnectionCore.h"
#include "ado/RowStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ado {

struct Recordset::Impl final : detail::StreamingCursor {
    struct Column {
        std::string name;
        detail::ColumnKind kind = detail::ColumnKind::ByStorage;
        std::string table;  // the table the column comes from, empty for an expression
        std::string origin; // its name in that table
    };

    explicit Impl(Recordset* owner) : owner(owner) {}
    ~Impl() { release(); }

    Recordset* owner;
    bool open = false;
    ConnectionPtr conn;
    detail::ConnectionCore* core = nullptr;
    std::string sql;
    Params params; // to run the statement again (MoveFirst on a forward-only cursor)
    CursorType cursor = adOpenForwardOnly;
    LockType lock = adLockReadOnly;

    std::vector<Column> columns;
    std::vector<Field> fields;

    // Kept rows.
    bool materialized = false;
    detail::RowStore store;
    size_t pos = 0;
    const detail::Cell* current = nullptr;

    // Live statement.
    detail::StatementLease lease;
    bool atEnd = true;
    bool noRows = true;
    size_t streamRow = 0;

    // Variants of the current row.
    std::vector<rt::Variant> values;
    std::vector<uint64_t> valueStamp;
    uint64_t stamp = 1;

    // A row being added.
    bool adding = false;
    std::vector<rt::Variant> pending;
    std::vector<bool> assigned;

    void openStreaming(const ConnectionPtr& c, detail::ConnectionCore& core, std::string_view sql,
                       const Params& params, detail::StatementLease lease, int firstRc, LockType lock);
    void openMaterialized(const ConnectionPtr& c, detail::ConnectionCore& core, std::string_view sql,
                          const Params& params, detail::StatementLease& lease, int firstRc, CursorType cursor,
                          LockType lock);
    // Rows a server gave, kept whole whatever the cursor (a forward-only one still moves only on).
    void openRows(const ConnectionPtr& c, detail::ConnectionCore& core, std::string_view sql,
                  const Params& params, pg_result* rows, CursorType cursor, LockType lock);
    void readCell(detail::Cell& cell, detail::ColumnKind kind, unsigned type, const char* text, size_t len);
    void readColumns(sqlite3_stmt* stmt);
    // One field per column read, each bound to this recordset.
    void fieldsForColumns();
    void begin(const ConnectionPtr& c, detail::ConnectionCore& core, std::string_view sql,
               const Params& params);
    void appendRow(sqlite3_stmt* stmt);
    void appendValue(detail::Cell& cell, const rt::Variant& v);

    [[noreturn]] static void closedError();
    [[noreturn]] static void noCurrentRecord();
    [[noreturn]] static void notFound();
    void ensureOpen() const {
        if (!open) closedError();
    }
    void ensureCurrent() const {
        if (eof() || bof()) noCurrentRecord();
    }
    bool eof() const { return materialized ? pos >= store.rows() : atEnd; }
    bool bof() const { return materialized ? store.rows() == 0 : noRows; }
    // After every change of position: the current row's cells, and the variants made stale.
    void moved() {
        current = materialized && pos < store.rows() ? store.row(pos) : nullptr;
        ++stamp;
    }
    void stepStream();
    void requery();
    const rt::Variant& value(int index);
    int indexOf(std::string_view name) const;
    void checkIndex(int index) const {
        if (index < 0 || static_cast<size_t>(index) >= columns.size()) notFound();
    }

    void insertPending() {
        if (adding) storePending();
    }
    void storePending();
    void release() noexcept;
    void close() noexcept;
    void detach() noexcept override { close(); }
};

} // namespace ado
