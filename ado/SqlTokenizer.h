#pragma once
// Lexical tokens of SQL Server statement text. The translator works on these so that it never
// touches what is inside a literal, a quoted name or a comment.
#include <string_view>
#include <vector>

namespace ado::sql {

enum class Tok {
    Space,
    Comment,     // -- to the end of the line, or /* ... */ (nesting as SQL Server nests them)
    String,      // '...' with '' inside
    NString,     // N'...'
    Ident,       // names and keywords, also @variables and #temp names
    QuotedIdent, // "..." or [...]
    Number,
    Param, // ? or ?NNN
    Punct, // ( ) , ; .
    Op,    // every other operator, one or two characters
};

struct Token {
    Tok kind;
    std::string_view text;

    bool is(Tok k, std::string_view t) const { return kind == k && text == t; }
    bool isPunct(char c) const { return kind == Tok::Punct && text.size() == 1 && text[0] == c; }
    // Case-insensitive keyword test on a name token.
    bool isWord(std::string_view word) const;
};

// Raises rt::Error for an unterminated literal, quoted name or comment.
std::vector<Token> tokenize(std::string_view sql);

// True for tokens that carry no meaning (blanks and comments).
inline bool insignificant(const Token& t) {
    return t.kind == Tok::Space || t.kind == Tok::Comment;
}

} // namespace ado::sql
