#pragma once
// The expressions behind the indexes that answer journal numbering without a scan. The schema
// builds its indexes from them and the numbering queries repeat them word for word, since
// SQLite uses an index on an expression, or a partial index, only for the same expression.
//
// A journal number is split into its head and the run of digits that ends it ("IDJ/" and 42).
// A number is "plain" when it is printable ASCII without blanks or small letters, ends in one
// to nine digits and its head is empty or ends in a character that no numeric text may hold
// (a capital other than D or E, or / # : _). For such a number and a prefix that is empty or
// ends in one of those characters, the numbering statement finds it exactly when head and
// prefix are equal, and reads the digits as its running number: case rules and trailing blanks
// cannot matter, and no other split can look numeric. A number that ends in such a character
// never counts. Every other number is "odd": it is kept in a small index of its own and
// judged by the statement itself.
//
// The server keeps the same two indexes, rendered in its own dialect, and reads them through
// two functions of the schema (db/ServerSchema.h) whose queries repeat the expressions.
#include <string>

namespace db::numbering {

// Each rule renders for SQLite, whose indexes and queries use it, or for the server. The
// server compares the number byte by byte, as SQLite's functions do: its own collation of the
// column ignores case, and it matches no patterns under that collation.
enum class Dialect { Sqlite, Server };

inline constexpr const char* kDigits = "0123456789";
// Printable ASCII without blanks or small letters, as a bracket expression's ranges.
inline constexpr const char* kPrintable = "!-`{-~";
// The characters a plain number's head may end in.
inline constexpr const char* kHeadEnd = "A-CF-Z/#:_";

inline std::string number(Dialect d) {
    return d == Dialect::Sqlite ? "JournalNo" : "(JournalNo COLLATE \"C\")";
}

inline std::string head(Dialect d) {
    return "rtrim(" + number(d) + ", '" + kDigits + "')";
}

inline std::string running(Dialect d) {
    return "CAST(substr(JournalNo, length(" + head(d) + ") + 1) AS INTEGER)";
}

inline const std::string kHead = head(Dialect::Sqlite);
inline const std::string kRunning = running(Dialect::Sqlite);

namespace detail {

inline std::string allPrintable(Dialect d) {
    return d == Dialect::Sqlite ? "JournalNo NOT GLOB '*[^" + std::string(kPrintable) + "]*'"
                                : number(d) + " !~ '[^" + kPrintable + "]'";
}

inline std::string endsInHeadEnd(Dialect d, const std::string& text) {
    return d == Dialect::Sqlite ? text + " GLOB '*[" + kHeadEnd + "]'" : text + " ~ '[" + kHeadEnd + "]$'";
}

} // namespace detail

inline std::string plain(Dialect d = Dialect::Sqlite) {
    const std::string h = head(d);
    return "(" + detail::allPrintable(d) + " AND length(JournalNo) - length(" + h +
           ") BETWEEN 1 AND 9 AND (" + h + " = '' OR " + detail::endsInHeadEnd(d, h) + "))";
}

inline std::string odd(Dialect d = Dialect::Sqlite) {
    return "NOT (" + plain(d) + " OR (" + detail::allPrintable(d) + " AND " +
           detail::endsInHeadEnd(d, number(d)) + "))";
}

// The type code a header is counted under in InterDivisionJournalTypeCount; NULL for any other
// type. The comparison is the column's own, as in the type serial statement. `row` is "new" or
// "old" in a trigger, or a table alias.
inline std::string typeKey(const std::string& row) {
    const std::string t = row + ".Type";
    return "(CASE WHEN " + t + " = 'JO' THEN 'JO' WHEN " + t + " = 'PA' THEN 'PA' WHEN " + t +
           " = 'RE' THEN 'RE' WHEN " + t + " = 'CA' THEN 'CA' END)";
}

} // namespace db::numbering
