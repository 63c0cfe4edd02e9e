#pragma once
// Text comparison as SQL Server's default (case-insensitive, accent-sensitive) collation does
// it, for every connection of the data layer and for the schema's text columns:
// - case: each code point is folded with ICU's simple case folding (u_foldCase, default
//   options), so "İDJ", "idj" and "IDJ" follow Unicode's rules, not only ASCII's;
// - trailing blanks (U+0020) are ignored: SQL Server pads the shorter text with blanks before
//   comparing (ANSI/ISO SQL-92, see "How SQL Server compares strings with trailing spaces");
// - order: folded code points, in code point order. SQL Server orders by its linguistic
//   tables instead; equality, which keys and lookups depend on, is the same.
#include <string_view>

struct sqlite3;

namespace ado {

// The collation's name, as the schema declares it for text columns.
inline constexpr const char* kTextCollation = "TEXT_CI";

// Negative, zero or positive, as a collation answers.
int compareText(std::string_view a, std::string_view b);

// SQL Server's LIKE: % and _, [set], [a-z] ranges and [^set], an optional escape character,
// case folded as above. Trailing blanks of the value are ignored, those of the pattern count
// (SQL Server's documentation of LIKE, "Pattern matching with LIKE").
bool likeText(std::string_view value, std::string_view pattern, char32_t escape = 0);

// Registers the collation on a raw handle; every handle that writes the schema's tables
// needs it, since an index on a text column is ordered by it.
void registerTextCollation(sqlite3* db);

} // namespace ado
