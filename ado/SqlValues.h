#pragma once
// Values of SQLite's function arguments read as SQL Server reads them: numbers as text without
// a spurious ".0", and text as a number by the rules of the numeric type it meets.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3_value;

namespace ado::detail {

// The text of a value. A whole number stored as a floating value (a decimal or money column,
// or CAST(... AS decimal)) reads "123456", not "123456.0"; other floating values read in their
// shortest form that keeps 15 significant digits. The view lives until the next call with the
// same buffer.
std::string_view valueText(sqlite3_value* v, std::string& buffer);

// Blanks and tabs off both ends.
std::string_view trimBlanks(std::string_view s);

// Text read as an integer of [min, max] as CONVERT(int, ...) reads it: blanks around, an
// optional sign, digits; the empty text is 0.
enum class IntRead { Ok, NotANumber, Overflow };
IntRead readInteger(std::string_view text, int64_t min, int64_t max, int64_t& value);

// Text read as a float or decimal: blanks around, a sign, digits, a point and an exponent.
std::optional<double> readNumber(std::string_view text);

} // namespace ado::detail
