#include "ado/PgSession.h"

#include "ado/ProviderError.h"
#include "ado/SqlTokenizer.h"
#include "ado/SqlTranslator.h"
#include "runtime/Date.h"

#include <charconv>
#include <cstring>
#include <libpq-fe.h>
#include <vector>

namespace ado::detail {

namespace {

// SQLSTATE classes and codes the data layer reports with ADO's own numbers.
bool isConstraintState(const char* state) {
    return state && std::strncmp(state, "23", 2) == 0;
}
// A value that does not convert, or overflows its type: SQL Server's conversion errors, as
// the schema's functions raise them.
bool isConversionState(const char* state) {
    return state && (std::strcmp(state, "22018") == 0 || std::strcmp(state, "22003") == 0);
}
bool isCancelState(const char* state) {
    return state && std::strcmp(state, "57014") == 0;
}

std::string trimmedMessage(const char* text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

// Every value travels as text of an unstated type, so the server reads it as the column or
// operand it meets wants it, as SQL Server converts a parameter implicitly.
std::string paramText(const rt::Variant& v) {
    using T = rt::Variant::Type;
    using A = rt::VariantAccess;
    switch (v.type()) {
    case T::Integer:
        return std::to_string(*A::get<int16_t>(v));
    case T::Long:
        return std::to_string(*A::get<int32_t>(v));
    case T::Boolean:
        return *A::get<bool>(v) ? "1" : "0";
    case T::Double: {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, *A::get<double>(v));
        return std::string(buf, r.ptr);
    }
    case T::Date:
        return rt::toStored(*A::get<rt::Date>(v));
    case T::String:
        return v.str();
    default:
        throw rt::Error(errCantConvertValue, kPgProviderSource,
                        "A parameter's value cannot be sent to the server.");
    }
}

// The values of a statement's marks as the server takes them: text, or null.
class ParamTexts {
  public:
    ParamTexts(std::string_view sql, const Params& params, size_t marks) : values_(marks), pointers_(marks) {
        if (marks > params.size())
            throw rt::Error(errMissingParameters, kPgProviderSource,
                            "No value given for one or more required parameters. Statement: " +
                                std::string(sql));
        for (size_t k = 0; k < marks; ++k) {
            if (params[k].isNull() || params[k].isEmpty()) continue;
            values_[k] = paramText(params[k]);
            pointers_[k] = values_[k].c_str();
        }
    }
    int count() const { return static_cast<int>(pointers_.size()); }
    const char* const* data() const { return pointers_.data(); }

  private:
    std::vector<std::string> values_;
    std::vector<const char*> pointers_;
};

} // namespace

void PgResultFree::operator()(pg_result* r) const noexcept {
    PQclear(r);
}

std::string numberedPlaceholders(std::string_view sql, size_t& count) {
    std::string out;
    out.reserve(sql.size() + 8);
    count = 0;
    for (const sql::Token& t : sql::tokenize(sql)) {
        if (t.kind == sql::Tok::Param) {
            out += '$';
            out += std::to_string(++count);
        } else {
            out.append(t.text);
        }
    }
    return out;
}

std::vector<std::string> splitStatements(std::string_view sql) {
    std::vector<std::string> parts;
    std::string current;
    bool meaningful = false;
    auto flush = [&] {
        if (meaningful) parts.push_back(current);
        current.clear();
        meaningful = false;
    };
    for (const sql::Token& t : sql::tokenize(sql)) {
        if (t.isPunct(';')) {
            flush();
            continue;
        }
        current.append(t.text);
        if (!sql::insignificant(t)) meaningful = true;
    }
    flush();
    return parts;
}

std::unique_ptr<PgSession> PgSession::open(const std::string& uri, int commandTimeout) {
    PGconn* c = PQconnectdb(uri.c_str());
    if (!c) raiseProvider(errOpenFailed, "Cannot open the database: out of memory.");
    if (PQstatus(c) != CONNECTION_OK) {
        std::string msg = trimmedMessage(PQerrorMessage(c));
        PQfinish(c);
        // The URI may carry a password: the message names only what libpq says.
        throw rt::Error(errOpenFailed, kPgProviderSource, "Cannot open the database: " + msg);
    }
    // The server's notices (a cascading drop, an implicit index) are not errors; the desktop
    // has no console to print them to.
    PQsetNoticeProcessor(
        c, [](void*, const char*) {}, nullptr);
    std::unique_ptr<PgSession> s(new PgSession(c));
    s->run("SET client_encoding = 'UTF8'");
    s->run("SET DateStyle = 'ISO, YMD'");
    s->setStatementTimeout(commandTimeout);
    return s;
}

PgSession::~PgSession() {
    PQfinish(conn_);
}

void PgSession::fail(const PgResult& r, std::string_view sql) {
    const char* state = r ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
    std::string message = trimmedMessage(r ? PQresultErrorField(r.get(), PG_DIAG_MESSAGE_PRIMARY) : nullptr);
    if (message.empty()) message = trimmedMessage(PQerrorMessage(conn_));
    int32_t number = rt::errProvider;
    if (isCancelState(state)) {
        number = errQueryTimeout;
        message = "Query timeout expired";
    } else if (isConstraintState(state)) {
        number = rt::errProviderConstraint;
    } else if (isConversionState(state)) {
        number = errCantConvertValue;
    } else if (PQstatus(conn_) != CONNECTION_OK) {
        number = errConnectionUnusable;
    }
    throw rt::Error(number, kPgProviderSource, message + ". Statement: " + std::string(sql));
}

PgResult PgSession::checked(PgResult r, std::string_view sql) {
    ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) fail(r, sql);
    return r;
}

PgResult PgSession::exec(std::string_view sql, const Params& params) {
    size_t marks = 0;
    std::string text = numberedPlaceholders(translateSql(sql, Dialect::Postgres), marks);
    ParamTexts values(sql, params, marks);
    return checked(PgResult(PQexecParams(conn_, text.c_str(), values.count(), nullptr, values.data(), nullptr,
                                         nullptr, 0)),
                   sql);
}

const PgSession::Prepared& PgSession::prepare(std::string_view sql) {
    if (auto it = prepared_.find(sql); it != prepared_.end()) return it->second;
    Prepared p;
    std::string text = numberedPlaceholders(translateSql(sql, Dialect::Postgres), p.marks);
    p.name = "idj_cmd" + std::to_string(++preparedNames_);
    checked(PgResult(PQprepare(conn_, p.name.c_str(), text.c_str(), static_cast<int>(p.marks), nullptr)),
            sql);
    PgResult shape = checked(PgResult(PQdescribePrepared(conn_, p.name.c_str())), sql);
    if (PQnfields(shape.get()) > 0) {
        run("DEALLOCATE " + p.name);
        throw rt::Error(rt::errProvider, kPgProviderSource,
                        "A prepared command gives no rows; open a recordset for a query. Statement: " +
                            std::string(sql));
    }
    return prepared_.emplace(std::string(sql), std::move(p)).first->second;
}

PgResult PgSession::execPrepared(const Prepared& statement, std::string_view sql, const Params& params) {
    ParamTexts values(sql, params, statement.marks);
    return checked(PgResult(PQexecPrepared(conn_, statement.name.c_str(), values.count(), values.data(),
                                           nullptr, nullptr, 0)),
                   sql);
}

void PgSession::runNative(std::string_view sql) {
    PgResult r(PQexec(conn_, std::string(sql).c_str()));
    ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) fail(r, sql);
}

void PgSession::run(std::string_view sql) {
    exec(sql, {});
}

void PgSession::setStatementTimeout(int seconds) {
    run("SET statement_timeout = " + std::to_string(static_cast<long long>(seconds) * 1000));
}

bool PgSession::inTransaction() const {
    return PQtransactionStatus(conn_) != PQTRANS_IDLE;
}

bool PgSession::isFlagColumn(unsigned table, int column) {
    auto key = std::make_pair(table, column);
    if (auto it = flagColumns_.find(key); it != flagColumns_.end()) return it->second;
    PgResult r = exec("SELECT t.typname FROM pg_catalog.pg_attribute a JOIN pg_catalog.pg_type t ON t.oid = "
                      "a.atttypid WHERE a.attrelid = ? AND a.attnum = ?",
                      {std::to_string(table), std::to_string(column)});
    bool flag = PQntuples(r.get()) == 1 && std::strcmp(PQgetvalue(r.get(), 0, 0), kPgFlagDomain) == 0;
    flagColumns_.emplace(key, flag);
    return flag;
}

const std::pair<std::string, std::string>& PgSession::columnOrigin(unsigned table, int column) {
    auto key = std::make_pair(table, column);
    if (auto it = columnOrigins_.find(key); it != columnOrigins_.end()) return it->second;
    PgResult r = exec("SELECT c.relname, a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
                      "WHERE a.attrelid = ? AND a.attnum = ?",
                      {std::to_string(table), std::to_string(column)});
    std::pair<std::string, std::string> origin;
    if (PQntuples(r.get()) == 1) origin = {PQgetvalue(r.get(), 0, 0), PQgetvalue(r.get(), 0, 1)};
    return columnOrigins_.emplace(key, std::move(origin)).first->second;
}

long PgSession::affected(const PgResult& r) {
    if (PQresultStatus(r.get()) == PGRES_TUPLES_OK) return -1;
    const char* n = PQcmdTuples(r.get());
    return n && *n ? std::atol(n) : 0;
}

} // namespace ado::detail
