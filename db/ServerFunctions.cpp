// SQL Server's results where the server's own functions and operators give others: the
// translator (ado/SqlTranslator.cpp) calls these in its PostgreSQL dialect.
#include "ado/PgSession.h"
#include "db/ServerSchema.h"

#include <string>

namespace db {

namespace {

// Functions of text that SQL Server also applies to numbers, read as text: one of each per
// type of first argument, "%T" in their text.
// A column of bpchar has one of its own, since the server's cast of bpchar to text drops the
// trailing blanks that SQL Server keeps in a function's result; concat() keeps them.
const char* const kTypes[] = {"text", "bpchar", "numeric", "double precision"};

// Lengths and starts are read as bigint so that a value past int is SQL Server's overflow
// rather than the server's "no such function".
const char* const kTextFunctions[] = {
    R"(CREATE OR REPLACE FUNCTION ss_int_argument(n bigint) RETURNS integer LANGUAGE plpgsql IMMUTABLE AS $$
BEGIN
  IF n NOT BETWEEN -2147483648 AND 2147483647 THEN
    RAISE EXCEPTION 'Arithmetic overflow error converting expression to data type int.' USING ERRCODE = '22003';
  END IF;
  RETURN n;
END $$)",
    R"(CREATE OR REPLACE FUNCTION ss_right(s %T, n bigint) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
  IF ss_int_argument(n) < 0 THEN
    RAISE EXCEPTION 'Invalid length parameter passed to the right function.' USING ERRCODE = '22023';
  END IF;
  RETURN right(concat(s), n::integer);
END $$)",
    R"(CREATE OR REPLACE FUNCTION ss_left(s %T, n bigint) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
  IF ss_int_argument(n) < 0 THEN
    RAISE EXCEPTION 'Invalid length parameter passed to the left function.' USING ERRCODE = '22023';
  END IF;
  RETURN left(concat(s), n::integer);
END $$)",
    R"(CREATE OR REPLACE FUNCTION ss_substring(s %T, start bigint, n bigint) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
  PERFORM ss_int_argument(start);
  IF ss_int_argument(n) < 0 THEN
    RAISE EXCEPTION 'Invalid length parameter passed to the substring function.' USING ERRCODE = '22023';
  END IF;
  PERFORM ss_int_argument(start + n - 1);
  RETURN substring(concat(s) FROM start::integer FOR n::integer);
END $$)",
};

const char* const kFunctions[] = {
    // The length of a text column, which bpchar does not limit itself: the blanks past the
    // length are let through, as SQL Server truncates them without an error.
    R"(CREATE OR REPLACE FUNCTION ss_text_fits(s bpchar, n integer) RETURNS boolean LANGUAGE plpgsql IMMUTABLE AS $$
BEGIN
  IF char_length(s) > n THEN
    RAISE EXCEPTION 'value too long for type character varying(%)', n USING ERRCODE = '22001';
  END IF;
  RETURN true;
END $$)",
    // Whatever converts to float or to money; money takes a currency symbol and a sign in
    // either order, thousands separators, and no digit at all ("$", "+", ".").
    R"(CREATE OR REPLACE FUNCTION ss_isnumeric(s text) RETURNS integer LANGUAGE sql IMMUTABLE AS $$
SELECT CASE WHEN btrim(s, E' \t\r\n') = '' OR s IS NULL THEN 0
  WHEN btrim(s, E' \t\r\n') COLLATE "C" ~ '^[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eEdD][-+]?[0-9]+)?$' THEN 1
  WHEN btrim(s, E' \t\r\n') COLLATE "C"
       ~ '^ *(([$¢£¤¥৲৳฿៛﷼﹩＄￠￡￥￦₠-₱] *[-+]?)|([-+] *[$¢£¤¥৲৳฿៛﷼﹩＄￠￡￥￦₠-₱]?))? *[0-9,]*([.][0-9]*)?$' THEN 1
  ELSE 0 END
$$)",
    "CREATE OR REPLACE FUNCTION ss_isnumeric(n numeric) RETURNS integer LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT CASE WHEN n IS NULL THEN 0 ELSE 1 END $$",
    "CREATE OR REPLACE FUNCTION ss_isnumeric(n double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT CASE WHEN n IS NULL THEN 0 ELSE 1 END $$",
    // Comparisons: -1, 0 or 1. Text against text without case or trailing blanks; text against
    // a number converts the text to the number's type, or fails as SQL Server does.
    R"(CREATE OR REPLACE FUNCTION ss_compare(a text, b text) RETURNS integer LANGUAGE sql IMMUTABLE STRICT AS $$
SELECT CASE WHEN rtrim(a, ' ') COLLATE text_ci = rtrim(b, ' ') THEN 0
  WHEN rtrim(a, ' ') COLLATE text_ci < rtrim(b, ' ') THEN -1 ELSE 1 END
$$)",
    R"(CREATE OR REPLACE FUNCTION ss_compare(a text, b integer) RETURNS integer LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE t text := btrim(a, ' ');
BEGIN
  IF t = '' THEN RETURN sign(0 - b); END IF;
  IF t COLLATE "C" !~ '^[-+]?[0-9]{1,10}$' OR CAST(t AS bigint) NOT BETWEEN -2147483648 AND 2147483647 THEN
    RAISE EXCEPTION 'Conversion failed when converting the varchar value ''%'' to data type int.', a
      USING ERRCODE = '22018';
  END IF;
  RETURN sign(CAST(t AS bigint) - b);
END $$)",
    R"(CREATE OR REPLACE FUNCTION ss_compare(a text, b numeric) RETURNS integer LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE t text := btrim(a, ' ');
BEGIN
  IF t = '' THEN RETURN sign(0 - b); END IF;
  IF t COLLATE "C" !~ '^[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eEdD][-+]?[0-9]+)?$' THEN
    RAISE EXCEPTION 'Error converting data type varchar to float.' USING ERRCODE = '22018';
  END IF;
  RETURN sign(CAST(translate(t, 'dD', 'ee') AS double precision) - CAST(b AS double precision));
END $$)",
    "CREATE OR REPLACE FUNCTION ss_compare(a integer, b text) RETURNS integer LANGUAGE sql IMMUTABLE STRICT "
    "AS "
    "$$ SELECT -ss_compare(b, a) $$",
    "CREATE OR REPLACE FUNCTION ss_compare(a numeric, b text) RETURNS integer LANGUAGE sql IMMUTABLE STRICT "
    "AS "
    "$$ SELECT -ss_compare(b, a) $$",
    "CREATE OR REPLACE FUNCTION ss_compare(a anycompatible, b anycompatible) RETURNS integer LANGUAGE sql "
    "IMMUTABLE STRICT AS $$ SELECT CASE WHEN a = b THEN 0 WHEN a < b THEN -1 ELSE 1 END $$",
};

} // namespace

void createServerFunctions(const ado::ConnectionPtr& server) {
    server->Execute(ado::detail::kPgTextCollationDdl);
    // Bodies of the server's own SQL, not the suite's: run as written.
    for (const char* ddl : kTextFunctions) {
        std::string text(ddl);
        size_t at = text.find("%T");
        if (at == std::string::npos) {
            server->ExecuteNative(text);
            continue;
        }
        for (const char* type : kTypes)
            server->ExecuteNative(std::string(text).replace(at, 2, type));
    }
    for (const char* ddl : kFunctions)
        server->ExecuteNative(ddl);
}

} // namespace db
