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
    // CONVERT and CAST where the server's casts differ from SQL Server's. An error raised from
    // a plain SQL function, so that a date's formatting can be inlined into the query.
    R"(CREATE OR REPLACE FUNCTION ss_fail(message text, state text) RETURNS text LANGUAGE plpgsql STABLE AS $$
BEGIN
  RAISE EXCEPTION '%', message USING ERRCODE = state;
END $$)",
    R"(CREATE OR REPLACE FUNCTION ss_int_fits(n numeric, kind text) RETURNS boolean LANGUAGE sql IMMUTABLE AS $$
SELECT CASE kind WHEN 'tinyint' THEN n BETWEEN 0 AND 255 WHEN 'smallint' THEN n BETWEEN -32768 AND 32767
  WHEN 'bigint' THEN n BETWEEN -9223372036854775808 AND 9223372036854775807
  ELSE n BETWEEN -2147483648 AND 2147483647 END
$$)",
    // Text: blanks around, a sign, digits only; empty is 0.
    R"(CREATE OR REPLACE FUNCTION ss_int(v text, kind text) RETURNS bigint LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE t text := btrim(v, E' \t');
BEGIN
  IF t = '' THEN RETURN 0; END IF;
  IF t COLLATE "C" !~ '^[-+]?[0-9]+$' THEN
    RAISE EXCEPTION 'Conversion failed when converting the varchar value ''%'' to data type %.', v, kind
      USING ERRCODE = '22018';
  END IF;
  IF NOT ss_int_fits(CAST(t AS numeric), kind) THEN
    RAISE EXCEPTION 'The conversion of the varchar value ''%'' overflowed an % column.', v, kind
      USING ERRCODE = '22003';
  END IF;
  RETURN CAST(t AS numeric);
END $$)",
    // Numbers are truncated, not rounded.
    R"(CREATE OR REPLACE FUNCTION ss_int(v numeric, kind text) RETURNS bigint LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
  IF v = 'NaN' OR NOT ss_int_fits(trunc(v), kind) THEN
    RAISE EXCEPTION 'Arithmetic overflow error converting expression to data type %.', kind USING ERRCODE = '22003';
  END IF;
  RETURN trunc(v);
END $$)",
    "CREATE OR REPLACE FUNCTION ss_int(v double precision, kind text) RETURNS bigint LANGUAGE sql IMMUTABLE "
    "STRICT AS $$ SELECT ss_int(CAST(v AS numeric), kind) $$",
    // Without these an integer would take the double precision one, its preferred type.
    "CREATE OR REPLACE FUNCTION ss_int(v bigint, kind text) RETURNS bigint LANGUAGE sql IMMUTABLE STRICT AS "
    "$$ SELECT ss_int(CAST(v AS numeric), kind) $$",
    "CREATE OR REPLACE FUNCTION ss_int(v integer, kind text) RETURNS bigint LANGUAGE sql IMMUTABLE STRICT AS "
    "$$ SELECT ss_int(CAST(v AS numeric), kind) $$",
    // Numbers from text: digits, a point, a sign and an exponent only, blanks around.
    R"(CREATE OR REPLACE FUNCTION ss_number(v text, kind text) RETURNS numeric LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE t text := btrim(v, E' \t');
BEGIN
  IF t COLLATE "C" !~ '^[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][-+]?[0-9]+)?$' THEN
    RAISE EXCEPTION 'Error converting data type varchar to %.', kind USING ERRCODE = '22018';
  END IF;
  RETURN CAST(t AS numeric);
END $$)",
    "CREATE OR REPLACE FUNCTION ss_number(v numeric, kind text) RETURNS numeric LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT v $$",
    "CREATE OR REPLACE FUNCTION ss_number(v bigint, kind text) RETURNS numeric LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT CAST(v AS numeric) $$",
    "CREATE OR REPLACE FUNCTION ss_number(v integer, kind text) RETURNS numeric LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT CAST(v AS numeric) $$",
    "CREATE OR REPLACE FUNCTION ss_number(v double precision, kind text) RETURNS double precision LANGUAGE "
    "sql "
    "IMMUTABLE AS $$ SELECT v $$",
    // A flag: any number but 0 is 1; text may also say true or false.
    R"(CREATE OR REPLACE FUNCTION ss_bit(v text) RETURNS smallint LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE t text := lower(btrim(v, E' \t'));
BEGIN
  IF t = 'true' THEN RETURN 1; END IF;
  IF t = 'false' THEN RETURN 0; END IF;
  IF t COLLATE "C" !~ '^[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)(e[-+]?[0-9]+)?$' THEN
    RAISE EXCEPTION 'Conversion failed when converting the varchar value ''%'' to data type bit.', v
      USING ERRCODE = '22018';
  END IF;
  RETURN CASE WHEN CAST(t AS numeric) <> 0 THEN 1 ELSE 0 END;
END $$)",
    "CREATE OR REPLACE FUNCTION ss_bit(v numeric) RETURNS smallint LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT CAST(CASE WHEN v <> 0 THEN 1 WHEN v = 0 THEN 0 END AS smallint) $$",
    "CREATE OR REPLACE FUNCTION ss_bit(v double precision) RETURNS smallint LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT CAST(CASE WHEN v <> 0 THEN 1 WHEN v = 0 THEN 0 END AS smallint) $$",
    // A date as text by SQL Server's style number; text stays as it is, as SQL Server leaves it.
    R"(CREATE OR REPLACE FUNCTION ss_date_text(v timestamp, style integer) RETURNS text LANGUAGE sql STABLE AS $$
SELECT to_char(v, CASE style WHEN 1 THEN 'MM/DD/YY' WHEN 3 THEN 'DD/MM/YY' WHEN 4 THEN 'DD.MM.YY'
  WHEN 5 THEN 'DD-MM-YY' WHEN 10 THEN 'MM-DD-YY' WHEN 11 THEN 'YY/MM/DD' WHEN 12 THEN 'YYMMDD'
  WHEN 23 THEN 'YYYY-MM-DD' WHEN 101 THEN 'MM/DD/YYYY' WHEN 103 THEN 'DD/MM/YYYY' WHEN 104 THEN 'DD.MM.YYYY'
  WHEN 105 THEN 'DD-MM-YYYY' WHEN 108 THEN 'HH24:MI:SS' WHEN 110 THEN 'MM-DD-YYYY' WHEN 111 THEN 'YYYY/MM/DD'
  WHEN 112 THEN 'YYYYMMDD' WHEN 120 THEN 'YYYY-MM-DD HH24:MI:SS'
  ELSE ss_fail(style || ' is not a valid style number when converting from datetime to a character string.',
               '22023') END)
$$)",
    "CREATE OR REPLACE FUNCTION ss_date_text(v text, style integer) RETURNS text LANGUAGE sql IMMUTABLE AS "
    "$$ SELECT v $$",
    "CREATE OR REPLACE FUNCTION ss_date_text(v numeric, style integer) RETURNS text LANGUAGE sql IMMUTABLE "
    "AS "
    "$$ SELECT CAST(v AS text) $$",
    // A date from text: the stored form, ISO's, or day, month and year (month first by the
    // American styles), a time after it; two-digit years up to 49 are this century's.
    R"(CREATE OR REPLACE FUNCTION ss_datetime(v text, style integer) RETURNS timestamp LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE
  t text := btrim(v, E' \t');
  p text[];
  y integer;
  m integer;
  d integer;
  clock text;
BEGIN
  p := regexp_match(t, '^([0-9]{4})([0-9]{2})([0-9]{2})(?: +(.*))?$');
  IF p IS NULL THEN
    p := regexp_match(t, '^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})(?:[ T]+(.*))?$');
  END IF;
  IF p IS NOT NULL THEN
    y := p[1]; m := p[2]; d := p[3];
  ELSE
    p := regexp_match(t, '^([0-9]{1,2})[/.-]([0-9]{1,2})[/.-]([0-9]{4}|[0-9]{2})(?: +(.*))?$');
    IF p IS NULL THEN
      RAISE EXCEPTION 'Conversion failed when converting date and/or time from character string.'
        USING ERRCODE = '22018';
    END IF;
    IF style IN (1, 10, 101, 110) THEN m := p[1]; d := p[2]; ELSE d := p[1]; m := p[2]; END IF;
    y := p[3];
    IF length(p[3]) = 2 THEN y := y + CASE WHEN y < 50 THEN 2000 ELSE 1900 END; END IF;
  END IF;
  clock := coalesce(p[4], '');
  BEGIN
    RETURN make_date(y, m, d) + CAST(CASE WHEN clock = '' THEN '00:00' ELSE clock END AS time);
  EXCEPTION WHEN data_exception THEN
    RAISE EXCEPTION 'Conversion failed when converting date and/or time from character string.'
      USING ERRCODE = '22018';
  END;
END $$)",
    "CREATE OR REPLACE FUNCTION ss_datetime(v timestamp, style integer) RETURNS timestamp LANGUAGE sql "
    "IMMUTABLE AS $$ SELECT v $$",
    // A number counts days from 1 January 1900.
    R"(CREATE OR REPLACE FUNCTION ss_datetime(v double precision, style integer) RETURNS timestamp LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
  RETURN timestamp '1900-01-01' + v * interval '1 day';
EXCEPTION WHEN data_exception THEN
  RAISE EXCEPTION 'Arithmetic overflow error converting expression to data type datetime.' USING ERRCODE = '22003';
END $$)",
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
