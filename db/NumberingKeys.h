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
#include <string>

namespace db::numbering {

inline constexpr const char* kHead = "rtrim(JournalNo, '0123456789')";
inline constexpr const char* kRunning =
    "CAST(substr(JournalNo, length(rtrim(JournalNo, '0123456789')) + 1) AS INTEGER)";

inline std::string plain() {
    return "(JournalNo NOT GLOB '*[^!-`{-~]*' AND "
           "length(JournalNo) - length(rtrim(JournalNo, '0123456789')) BETWEEN 1 AND 9 AND "
           "(rtrim(JournalNo, '0123456789') = '' OR rtrim(JournalNo, '0123456789') GLOB '*[A-CF-Z/#:_]'))";
}

inline std::string odd() {
    return "NOT (" + plain() + " OR (JournalNo NOT GLOB '*[^!-`{-~]*' AND JournalNo GLOB '*[A-CF-Z/#:_]'))";
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
