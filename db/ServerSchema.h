#pragma once
// The suite's database on a PostgreSQL server: the same tables, keys, indexes and views as on
// SQLite (Schema.cpp holds the one description), rendered in the server's type names, and the
// demo data copied from an SQLite rendering of it.
#include "ado/Ado.h"

#include <string>
#include <string_view>

struct sqlite3;

namespace db {

// SQLite's schema statements as the server takes them: DATETEXT columns become timestamps,
// BIT the flag domain (ado/PgSession.h), REAL double precision, an INTEGER key of its own an
// identity (as SQLite numbers such a key). A TEXT_CI text column becomes the server's bpchar
// under its collation of that name, whose comparisons ignore trailing blanks as SQL Server's
// do, with its length checked by ss_text_fits (ServerFunctions.cpp).
std::string renderForServer(std::string_view sqliteDdl);

// The text collation and the functions that give SQL Server's results where the server's own
// differ (ado/SqlTranslator.cpp calls them), in the connection's current schema; created with
// the suite's tables, and again harmlessly on a schema that has them.
void createServerFunctions(const ado::ConnectionPtr& server);

// The indexes that answer journal numbering without a scan (db/NumberingKeys.h) and the two
// functions that read them: idj_highest_running_number(company, prefix), the highest running
// number among the company's plain numbers with that head (NULL when none), and
// idj_odd_numbers(company, most), the identifiers of at most `most` of its odd numbers. Made
// only where missing, so that a database of an earlier version gains them.
void createNumberingKeys(const ado::ConnectionPtr& server);

// Every row of every table of `source` into the tables of the same names on `server`, in one
// transaction of the server's (rolled back, and the error raised, when a row is refused);
// identity columns then go on after the highest value copied.
void copyRows(sqlite3* source, const ado::ConnectionPtr& server);

} // namespace db
