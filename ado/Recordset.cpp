#include "ado/Ado.h"
#include "ado/DateText.h"
#include "ado/ProviderError.h"
#include "ado/RecordsetImpl.h"
#include "ado/TextCompare.h"
#include "runtime/Convert.h"
#include "runtime/Date.h"

#include <libpq-fe.h>
#include <sqlite3.h>

namespace ado {

using detail::kRecordsetSource;

namespace {

[[noreturn]] void notUpdatable() {
    throw rt::Error(
        detail::errNotSupported, kRecordsetSource,
        "Current Recordset does not support updating. This may be a limitation of the provider, or "
        "of the selected locktype.");
}

// A value into a field's variant that already holds one of the same type is written in place
// (a string keeps its buffer): each field of each row passes here.
template <class T, class V> void assignInPlace(rt::Variant& slot, V&& v) {
    if (auto* held = rt::VariantAccess::get<T>(slot))
        *const_cast<T*>(held) = std::forward<V>(v);
    else
        slot = rt::Variant(T(std::forward<V>(v)));
}

void assignText(rt::Variant& slot, std::string_view s) {
    if (auto* held = rt::VariantAccess::get<std::string>(slot))
        const_cast<std::string*>(held)->assign(s.data(), s.size());
    else
        slot = rt::Variant(s);
}

void assignInteger(rt::Variant& slot, int64_t i) {
    if (i >= INT32_MIN && i <= INT32_MAX)
        assignInPlace<int32_t>(slot, static_cast<int32_t>(i));
    else
        slot = rt::Variant(i);
}

std::string quoteName(std::string_view name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

std::string_view columnText(sqlite3_stmt* h, int i, int storage) {
    const void* p = storage == SQLITE_BLOB ? sqlite3_column_blob(h, i) : sqlite3_column_text(h, i);
    if (!p) return {};
    return {static_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(h, i))};
}

} // namespace

// --- Impl ----------------------------------------------------------------------------------------

void Recordset::Impl::begin(const ConnectionPtr& c, detail::ConnectionCore& cc, std::string_view text,
                            const Params& p) {
    conn = c;
    core = &cc;
    sql = std::string(text);
    params = p;
    open = true;
    adding = false;
    moved();
}

void Recordset::Impl::fieldsForColumns() {
    const int n = static_cast<int>(columns.size());
    fields.assign(static_cast<size_t>(n), Field());
    for (int i = 0; i < n; ++i) {
        fields[static_cast<size_t>(i)].rs_ = owner;
        fields[static_cast<size_t>(i)].index_ = i;
    }
    values.assign(static_cast<size_t>(n), rt::Variant());
    valueStamp.assign(static_cast<size_t>(n), 0);
}

void Recordset::Impl::readColumns(sqlite3_stmt* stmt) {
    int n = sqlite3_column_count(stmt);
    columns.clear();
    columns.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        Column col;
        const char* name = sqlite3_column_name(stmt, i);
        col.name = name ? name : "";
        // An unnamed expression is named by its text, which the translation may have added to.
        static const std::string added = std::string(" COLLATE ") + kTextCollation;
        for (size_t at; (at = col.name.find(added)) != std::string::npos;)
            col.name.erase(at, added.size());
        col.kind = detail::columnKind(sqlite3_column_decltype(stmt, i));
        const char* table = sqlite3_column_table_name(stmt, i);
        const char* origin = sqlite3_column_origin_name(stmt, i);
        col.table = table ? table : "";
        col.origin = origin ? origin : "";
        columns.push_back(std::move(col));
    }
    fieldsForColumns();
}

void Recordset::Impl::openStreaming(const ConnectionPtr& c, detail::ConnectionCore& cc, std::string_view text,
                                    const Params& p, detail::StatementLease l, int firstRc, LockType lk) {
    begin(c, cc, text, p);
    readColumns(l.get());
    cursor = adOpenForwardOnly;
    lock = lk;
    materialized = false;
    streamRow = 0;
    noRows = atEnd = firstRc != SQLITE_ROW;
    if (!atEnd) {
        lease = std::move(l);
        core->cursors.insert(this);
    }
}

void Recordset::Impl::openMaterialized(const ConnectionPtr& c, detail::ConnectionCore& cc,
                                       std::string_view text, const Params& p, detail::StatementLease& l,
                                       int firstRc, CursorType cur, LockType lk) {
    begin(c, cc, text, p);
    sqlite3_stmt* h = l.get();
    readColumns(h);
    cursor = cur;
    lock = lk;
    materialized = true;
    store.reset(columns.size(), &core->pool);
    pos = 0;
    int rc = firstRc;
    while (rc == SQLITE_ROW) {
        appendRow(h);
        rc = core->step(h);
    }
    if (rc != SQLITE_DONE) core->fail(sql);
    moved();
}

void Recordset::Impl::appendRow(sqlite3_stmt* h) {
    const int n = static_cast<int>(columns.size());
    detail::Cell* row = store.appendRow();
    for (int i = 0; i < n; ++i) {
        detail::Cell& cell = row[i];
        // One call for the value, then the cheap value accessors: the connection is used by
        // one thread at a time, so the unprotected value may be read directly.
        sqlite3_value* v = sqlite3_column_value(h, i);
        int t = sqlite3_value_type(v);
        cell.storage = static_cast<uint8_t>(t);
        cell.len = 0;
        switch (t) {
        case SQLITE_INTEGER:
            cell.i = sqlite3_value_int64(v);
            break;
        case SQLITE_FLOAT:
            cell.d = sqlite3_value_double(v);
            break;
        case SQLITE_NULL:
            cell.i = 0;
            break;
        default: {
            const void* p = t == SQLITE_BLOB ? sqlite3_value_blob(v) : sqlite3_value_text(v);
            std::string_view s(static_cast<const char*>(p),
                               p ? static_cast<size_t>(sqlite3_value_bytes(v)) : 0);
            if (columns[static_cast<size_t>(i)].kind == detail::ColumnKind::Date) {
                if (auto d = detail::parseStoredDate(s)) {
                    cell.storage = detail::kStoredDate;
                    cell.d = rt::makeDate(d->year, d->month, d->day, d->hour, d->minute, d->second).serial;
                    break;
                }
            }
            cell.text = store.keepText(s);
            cell.len = static_cast<uint32_t>(s.size());
        }
        }
    }
}

void Recordset::Impl::appendValue(detail::Cell& cell, const rt::Variant& v) {
    using T = rt::Variant::Type;
    using A = rt::VariantAccess;
    cell.len = 0;
    cell.i = 0;
    auto text = [&](std::string_view s) {
        cell.storage = SQLITE_TEXT;
        cell.text = store.keepText(s);
        cell.len = static_cast<uint32_t>(s.size());
    };
    switch (v.type()) {
    case T::Integer:
        cell.storage = SQLITE_INTEGER;
        cell.i = *A::get<int16_t>(v);
        break;
    case T::Long:
        cell.storage = SQLITE_INTEGER;
        cell.i = *A::get<int32_t>(v);
        break;
    case T::Boolean:
        cell.storage = SQLITE_INTEGER;
        cell.i = *A::get<bool>(v) ? 1 : 0;
        break;
    case T::Double:
        cell.storage = SQLITE_FLOAT;
        cell.d = *A::get<double>(v);
        break;
    case T::String:
        text(v.str());
        break;
    case T::Date:
        text(rt::toStored(*A::get<rt::Date>(v)));
        break;
    default:
        cell.storage = SQLITE_NULL;
        break;
    }
}

void Recordset::Impl::closedError() {
    throw rt::Error(detail::errObjectClosed, kRecordsetSource,
                    "Operation is not allowed when the object is closed.");
}

void Recordset::Impl::noCurrentRecord() {
    throw rt::Error(rt::errNoCurrentRecord, kRecordsetSource,
                    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                    "requires a current record.");
}

void Recordset::Impl::notFound() {
    throw rt::Error(detail::errItemNotFound, kRecordsetSource,
                    "Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

int Recordset::Impl::indexOf(std::string_view name) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (rt::iequals(columns[i].name, name)) return static_cast<int>(i);
    return -1;
}

const rt::Variant& Recordset::Impl::value(int index) {
    ensureOpen();
    checkIndex(index);
    auto i = static_cast<size_t>(index);
    if (adding) return pending[i];
    ensureCurrent();
    rt::Variant& slot = values[i];
    if (valueStamp[i] == stamp) return slot;
    valueStamp[i] = stamp;
    const detail::ColumnKind kind = columns[i].kind;
    const bool plainText = kind == detail::ColumnKind::Text || kind == detail::ColumnKind::ByStorage;
    if (materialized) {
        const detail::Cell& c = current[i];
        switch (c.storage) {
        case detail::kStoredDate:
            assignInPlace<rt::Date>(slot, rt::Date{c.d});
            break;
        case SQLITE_INTEGER:
            if (kind == detail::ColumnKind::Long || kind == detail::ColumnKind::ByStorage)
                assignInteger(slot, c.i);
            else
                slot = detail::columnValue(kind, c.storage, c.i, 0, {});
            break;
        case SQLITE_FLOAT:
            slot = detail::columnValue(kind, c.storage, 0, c.d, {});
            break;
        case SQLITE_NULL:
            slot = rt::Variant::null();
            break;
        default:
            if (plainText)
                assignText(slot, std::string_view(c.text, c.len));
            else
                slot = detail::columnValue(kind, c.storage, 0, 0, std::string_view(c.text, c.len));
        }
        return slot;
    }
    sqlite3_stmt* h = lease.get();
    int t = sqlite3_column_type(h, index);
    switch (t) {
    case SQLITE_INTEGER:
        slot = detail::columnValue(kind, t, sqlite3_column_int64(h, index), 0, {});
        break;
    case SQLITE_FLOAT:
        slot = detail::columnValue(kind, t, 0, sqlite3_column_double(h, index), {});
        break;
    case SQLITE_NULL:
        slot = rt::Variant::null();
        break;
    default:
        if (plainText)
            assignText(slot, columnText(h, index, t));
        else
            slot = detail::columnValue(kind, t, 0, 0, columnText(h, index, t));
    }
    return slot;
}

void Recordset::Impl::stepStream() {
    int rc = core->step(lease.get());
    ++streamRow;
    if (rc == SQLITE_ROW) return;
    if (rc != SQLITE_DONE) core->fail(sql);
    atEnd = true;
    release(); // the statement goes back to the cache at once
}

void Recordset::Impl::requery() {
    release();
    detail::ConnectionCore::TimeoutGuard guard(*core);
    detail::StatementLease l = core->prepare(sql, params);
    int rc = core->step(l.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) core->fail(sql);
    streamRow = 0;
    noRows = atEnd = rc != SQLITE_ROW;
    if (!atEnd) {
        lease = std::move(l);
        core->cursors.insert(this);
    }
}

void Recordset::Impl::storePending() {
    core->ensureOpen();
    std::string table, names, marks;
    Params vals;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (table.empty()) table = columns[i].table;
        if (!assigned[i]) continue;
        const Column& col = columns[i];
        if (col.origin.empty() || col.table != table)
            throw rt::Error(detail::errNotSupported, kRecordsetSource,
                            "Field '" + col.name + "' cannot be updated: it is not a column of " + table +
                                ".");
        names += (names.empty() ? "" : ",") + quoteName(col.origin);
        marks += marks.empty() ? "?" : ",?";
        vals.push_back(pending[i]);
    }
    if (table.empty()) notUpdatable();
    std::string insert = "INSERT INTO " + quoteName(table) +
                         (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
    if (core->pg) {
        core->pg->exec(insert, vals);
    } else {
        detail::ConnectionCore::TimeoutGuard guard(*core);
        detail::StatementLease l = core->prepare(insert, vals);
        if (core->step(l.get()) != SQLITE_DONE) core->fail(insert);
    }
    detail::Cell* row = store.appendRow();
    for (size_t i = 0; i < columns.size(); ++i)
        appendValue(row[i], assigned[i] ? pending[i] : rt::Variant::null());
    pos = store.rows() - 1;
    adding = false;
    moved();
}

void Recordset::Impl::release() noexcept {
    if (lease) {
        lease.reset();
        if (core) core->cursors.erase(this);
    }
}

void Recordset::Impl::close() noexcept {
    release();
    open = false;
    adding = false;
    materialized = false;
    atEnd = noRows = true;
    pos = streamRow = 0;
    store.clear();
    columns.clear();
    fields.clear();
    values.clear();
    valueStamp.clear();
    pending.clear();
    assigned.clear();
    params.clear();
    core = nullptr;
    conn.reset();
}

// --- Field ---------------------------------------------------------------------------------------

const std::string& Field::Name() const {
    rs_->impl_->ensureOpen();
    return rs_->impl_->columns[static_cast<size_t>(index_)].name;
}

const rt::Variant& Field::Value() const {
    return rs_->impl_->value(index_);
}

void Field::setValue(const rt::Variant& v) {
    auto& m = *rs_->impl_;
    m.ensureOpen();
    if (!m.adding) notUpdatable();
    m.pending[static_cast<size_t>(index_)] = v;
    m.assigned[static_cast<size_t>(index_)] = true;
}

// --- Recordset -----------------------------------------------------------------------------------

Recordset::Recordset() : impl_(std::make_unique<Impl>(this)) {}

Recordset::~Recordset() = default;

RecordsetPtr Recordset::create() {
    return RecordsetPtr(new Recordset());
}

void Recordset::Open(std::string_view sql, const ConnectionPtr& conn, CursorType cursor, LockType lock,
                     const Params& params) {
    if (impl_->open)
        throw rt::Error(detail::errObjectOpen, kRecordsetSource,
                        "Operation is not allowed when the object is open.");
    if (!conn || (!conn->impl_->db && !conn->impl_->pg)) detail::raiseConnectionUnusable();
    detail::ConnectionCore& core = *conn->impl_;
    if (core.pg) {
        detail::PgResult rows = core.pg->exec(sql, params);
        if (PQresultStatus(rows.get()) != PGRES_TUPLES_OK) return;
        try {
            impl_->openRows(conn, core, sql, params, rows.get(), cursor, lock);
        } catch (...) {
            impl_->close();
            throw;
        }
        return;
    }
    detail::ConnectionCore::TimeoutGuard guard(core);
    detail::StatementLease lease = core.prepare(sql, params);
    int rc = core.step(lease.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) core.fail(sql);
    // A statement without a result leaves the recordset closed, as ADO leaves it.
    if (sqlite3_column_count(lease.get()) == 0) return;
    try {
        if (cursor == adOpenForwardOnly)
            impl_->openStreaming(conn, core, sql, params, std::move(lease), rc, lock);
        else
            impl_->openMaterialized(conn, core, sql, params, lease, rc, cursor, lock);
    } catch (...) {
        impl_->close();
        throw;
    }
}

void Recordset::Close() {
    impl_->ensureOpen();
    impl_->close();
}

int Recordset::State() const {
    return impl_->open ? adStateOpen : adStateClosed;
}

bool Recordset::eof() const {
    impl_->ensureOpen();
    return impl_->eof();
}

bool Recordset::bof() const {
    impl_->ensureOpen();
    return impl_->bof();
}

void Recordset::MoveFirst() {
    Impl& m = *impl_;
    m.ensureOpen();
    m.insertPending();
    if (m.materialized)
        m.pos = 0;
    else if (m.streamRow != 0 || (m.atEnd && !m.noRows))
        m.requery();
    m.moved();
}

void Recordset::MoveNext() {
    Impl& m = *impl_;
    m.ensureOpen();
    m.insertPending();
    if (m.eof()) Impl::noCurrentRecord();
    if (m.materialized)
        ++m.pos;
    else
        m.stepStream();
    m.moved();
}

void Recordset::MoveLast() {
    Impl& m = *impl_;
    m.ensureOpen();
    m.insertPending();
    if (!m.materialized || m.cursor == adOpenForwardOnly)
        detail::raiseProvider(detail::errNoBackwardFetch, "Rowset does not support fetching backward.");
    m.pos = m.store.rows() ? m.store.rows() - 1 : 0;
    m.moved();
}

long Recordset::RecordCount() const {
    impl_->ensureOpen();
    if (!impl_->materialized || impl_->cursor == adOpenDynamic || impl_->cursor == adOpenForwardOnly)
        return -1;
    return static_cast<long>(impl_->store.rows());
}

int Recordset::FieldCount() const {
    impl_->ensureOpen();
    return static_cast<int>(impl_->columns.size());
}

const rt::Variant& Recordset::valueAt(int index) {
    return impl_->value(index);
}

std::string_view Recordset::textAt(int index, std::string& scratch) {
    Impl& m = *impl_;
    m.ensureOpen();
    m.checkIndex(index);
    const detail::ColumnKind kind = m.columns[static_cast<size_t>(index)].kind;
    if (!m.adding && (kind == detail::ColumnKind::Text || kind == detail::ColumnKind::ByStorage)) {
        m.ensureCurrent();
        if (m.materialized) {
            const detail::Cell& c = m.current[index];
            if (c.storage == SQLITE_TEXT) return {c.text, c.len};
        } else if (sqlite3_column_type(m.lease.get(), index) == SQLITE_TEXT) {
            return columnText(m.lease.get(), index, SQLITE_TEXT);
        }
    }
    scratch = rt::TextOf(m.value(index));
    return scratch;
}

Field& Recordset::field(int index) {
    impl_->ensureOpen();
    impl_->checkIndex(index);
    return impl_->fields[static_cast<size_t>(index)];
}

Field& Recordset::field(std::string_view name) {
    impl_->ensureOpen();
    int index = impl_->indexOf(name);
    if (index < 0) Impl::notFound();
    return impl_->fields[static_cast<size_t>(index)];
}

void Recordset::AddNew() {
    Impl& m = *impl_;
    m.ensureOpen();
    if (m.lock == adLockReadOnly || !m.materialized || m.cursor == adOpenForwardOnly) notUpdatable();
    m.insertPending();
    m.adding = true;
    m.pending.assign(m.columns.size(), rt::Variant::null());
    m.assigned.assign(m.columns.size(), false);
}

void Recordset::Update() {
    impl_->ensureOpen();
    impl_->insertPending();
}

rt::Variant Recordset::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    auto is = [&](const char* name) { return rt::iequals(member, name); };
    auto arg = [&](size_t k) -> const rt::Variant& {
        if (k >= args.size())
            throw rt::Error(rt::errInvalidProcedureCall, kRecordsetSource, "Argument not optional");
        return args[k];
    };
    if (is("EOF")) return eof();
    if (is("BOF")) return bof();
    if (is("MoveNext")) return MoveNext(), rt::Variant();
    if (is("MoveFirst")) return MoveFirst(), rt::Variant();
    if (is("MoveLast")) return MoveLast(), rt::Variant();
    if (is("RecordCount")) return static_cast<int32_t>(RecordCount());
    if (is("State")) return static_cast<int32_t>(State());
    if (is("Close")) return Close(), rt::Variant();
    if (is("AddNew")) return AddNew(), rt::Variant();
    if (is("Update")) return Update(), rt::Variant();
    if (is("FieldCount")) return static_cast<int32_t>(FieldCount());
    if (is("Fields") || is("Item") || is("Collect") || member.empty()) {
        const rt::Variant& key = arg(0);
        Field& f = key.isString() ? field(key.str()) : field(static_cast<int>(rt::CLng(key)));
        if (kind == rt::CallKind::PropertyPut) {
            f.setValue(arg(1));
            return {};
        }
        return f.Value();
    }
    if (is("Open")) {
        auto conn = arg(1).isObject() ? std::dynamic_pointer_cast<Connection>(arg(1).object()) : nullptr;
        if (!conn) detail::raiseConnectionUnusable();
        auto cursor = args.size() > 2 ? static_cast<CursorType>(rt::CLng(args[2])) : adOpenForwardOnly;
        auto lock = args.size() > 3 ? static_cast<LockType>(rt::CLng(args[3])) : adLockReadOnly;
        Open(rt::CStr(arg(0)), conn, cursor, lock);
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

} // namespace ado
