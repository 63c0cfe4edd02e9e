#pragma once
// The translator's one pass over the tokens of a statement, shared by the files that hold its
// rewrites, one file per construct, each rewrite taking both dialects so that what SQLite and the
// server are given for one SQL Server construct reads side by side:
// SqlTranslator.cpp the pass and its navigation of the tokens, SqlTranslatorCalls.cpp the
// functions, SqlTranslatorCompare.cpp comparisons, collations and LIKE,
// SqlTranslatorClauses.cpp TOP, table hints and quoted names.
#include "ado/ProviderError.h"
#include "ado/SqlTokenizer.h"
#include "ado/SqlTranslator.h"

#include <cctype>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ado::sql {

inline std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

[[noreturn]] inline void unreadable(const std::string& why, std::string_view tsql) {
    detail::raiseProvider(rt::errProvider, why + " Statement: " + std::string(tsql));
}

inline bool isComma(const Token& t) {
    return t.isPunct(',');
}

class Translator {
  public:
    Translator(std::string_view tsql, Dialect dialect) : src_(tsql), dialect_(dialect), t_(tokenize(tsql)) {
        repl_.resize(t_.size());
        before_.resize(t_.size() + 1);
        after_.resize(t_.size());
        matchParens();
    }

    std::string run();

  private:
    std::string_view src_;
    Dialect dialect_;
    std::vector<Token> t_;
    std::vector<std::optional<std::string>> repl_;
    std::vector<std::string> before_;
    std::vector<std::string> after_;                   // text right after a token, before the next one's
    std::vector<std::pair<size_t, size_t>> textCalls_; // name and '(' of calls that give text
    std::vector<size_t> match_;                        // index of the matching parenthesis, for '(' and ')'
    std::vector<size_t> enclosing_;                    // the innermost '(' around a token

    static constexpr size_t npos = static_cast<size_t>(-1);

    bool onServer() const { return dialect_ == Dialect::Postgres; }
    void replace(size_t i, std::string_view text) { repl_[i] = std::string(text); }
    void erase(size_t from, size_t to) { // inclusive range
        for (size_t k = from; k <= to; ++k)
            repl_[k] = std::string();
    }
    bool isText(size_t k) const { return t_[k].kind == Tok::String || t_[k].kind == Tok::NString; }

    // Navigation of the tokens.
    void matchParens();
    size_t next(size_t i) const;
    size_t prev(size_t i) const;
    std::string compact(size_t from, size_t to) const;
    size_t topLevel(size_t open, bool (*is)(const Token&), bool last) const;
    size_t topLevelComma(size_t open) const;
    bool anyWord(size_t k, std::initializer_list<std::string_view> words) const;
    size_t ident(size_t i);
    std::string literalText(size_t k) const;
    size_t operandStart(size_t last) const;

    // Calls of functions.
    size_t serverCall(size_t i, size_t open);
    bool givesText(size_t k) const;
    std::string convertType(size_t open, size_t& comma) const;
    std::string castType(size_t open, size_t& as) const;
    struct ServerConversion {
        std::string head, tail;
        bool keepsStyle;
    };
    static ServerConversion serverConversion(const std::string& type, bool styled);
    size_t serverConvert(size_t i, size_t open);
    void serverCast(size_t i, size_t open);
    static std::string serverType(const std::string& type);
    size_t convert(size_t i, size_t open);
    void cast(size_t i, size_t open);
    std::string typeName(size_t from, size_t to, const char* function) const;
    static bool isTextTypeName(const std::string& type);

    // Comparisons, the collations of text values, LIKE.
    bool compareOp(size_t k) const;
    bool isValue(size_t k) const;
    bool isCallName(size_t k) const;
    size_t leftOperand(size_t end) const;
    size_t rightOperand(size_t start) const;
    bool boundaryBefore(size_t k) const;
    bool boundaryAfter(size_t k) const;
    void comparison(size_t op);
    void collateTextCalls();
    void collateLeftOperands();
    void asServerText(size_t from, size_t to);
    void collateCaseOperands();
    void like(size_t i);
    void likeOperand(size_t start, size_t last, bool lowered);

    // Clauses and names.
    void quotedName(size_t i);
    size_t top(size_t i);
    size_t scopeEnd(size_t from) const;
    void hintGroup(size_t open);
};

} // namespace ado::sql
