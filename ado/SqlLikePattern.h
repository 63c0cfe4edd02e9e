#pragma once
// SQL Server's LIKE patterns as the server's regular expressions, for a dialect whose own LIKE
// lacks "[a-z]" sets or matches only under a deterministic collation.
#include <string>
#include <string_view>

namespace ado {

// The expression that matches what `pattern` matches, anchored, with the value's trailing
// blanks allowed; `escape` (0 for none) makes the character after it literal.
std::string likeAsRegex(std::string_view pattern, char escape);

} // namespace ado
