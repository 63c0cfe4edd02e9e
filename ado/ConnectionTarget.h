#pragma once
// Which backend a connection string names. A file path, "Data Source=<path>;..." or a "sqlite:"
// URI opens an SQLite file; a "postgresql://" (or "postgres://") URI opens a server, read by
// libpq's own rules (passwords come from libpq's password file or environment, never from here).
#include <string>

namespace ado::detail {

enum class BackendKind { Sqlite, Postgres };

struct ConnectionTarget {
    BackendKind kind = BackendKind::Sqlite;
    std::string address; // the file for SQLite (empty when none is named), the URI for a server
};

ConnectionTarget connectionTarget(const std::string& connectionString);

} // namespace ado::detail
