#include "ado/SqlTranslator.h"

#include "ado/ProviderError.h"
#include "ado/SqlTokenizer.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace ado {

namespace {

using sql::Tok;
using sql::Token;

// Table hints SQLite has no use for; its own locking is per database.
bool isTableHint(const Token& t) {
    static constexpr std::string_view hints[] = {
        "nolock",   "readuncommitted", "readcommitted", "readcommittedlock", "repeatableread", "serializable",
        "holdlock", "updlock",         "xlock",         "rowlock",           "paglock",        "tablock",
        "tablockx", "nowait",          "readpast",      "forceseek",         "noexpand"};
    return std::any_of(std::begin(hints), std::end(hints), [&](std::string_view h) { return t.isWord(h); });
}

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

[[noreturn]] void unreadable(const std::string& why, std::string_view tsql) {
    detail::raiseProvider(rt::errProvider, why + " Statement: " + std::string(tsql));
}

class Translator {
  public:
    explicit Translator(std::string_view tsql) : src_(tsql), t_(sql::tokenize(tsql)) {
        repl_.resize(t_.size());
        before_.resize(t_.size() + 1);
        matchParens();
    }

    std::string run() {
        for (size_t i = 0; i < t_.size(); ++i) {
            const Token& tok = t_[i];
            if (tok.kind == Tok::NString) {
                replace(i, tok.text.substr(1));
            } else if (tok.kind == Tok::Ident) {
                i = ident(i);
            } else if (tok.isPunct('(')) {
                hintGroup(i);
            }
        }
        std::string out;
        out.reserve(src_.size() + 16);
        for (size_t i = 0; i < t_.size(); ++i) {
            out += before_[i];
            out += repl_[i] ? *repl_[i] : std::string(t_[i].text);
        }
        out += before_[t_.size()];
        return out;
    }

  private:
    std::string_view src_;
    std::vector<Token> t_;
    std::vector<std::optional<std::string>> repl_;
    std::vector<std::string> before_;
    std::vector<size_t> match_; // index of the matching parenthesis, for '(' and ')'

    static constexpr size_t npos = static_cast<size_t>(-1);

    void matchParens() {
        match_.assign(t_.size(), npos);
        std::vector<size_t> open;
        for (size_t i = 0; i < t_.size(); ++i) {
            if (t_[i].isPunct('(')) {
                open.push_back(i);
            } else if (t_[i].isPunct(')')) {
                if (open.empty()) unreadable("Incorrect syntax near ')'.", src_);
                match_[open.back()] = i;
                match_[i] = open.back();
                open.pop_back();
            }
        }
        if (!open.empty()) unreadable("Incorrect syntax: a parenthesis is not closed.", src_);
    }

    size_t next(size_t i) const {
        for (++i; i < t_.size(); ++i)
            if (!sql::insignificant(t_[i])) return i;
        return npos;
    }

    size_t prev(size_t i) const {
        while (i-- > 0)
            if (!sql::insignificant(t_[i])) return i;
        return npos;
    }

    void replace(size_t i, std::string_view text) { repl_[i] = std::string(text); }
    void erase(size_t from, size_t to) { // inclusive range
        for (size_t k = from; k <= to; ++k)
            repl_[k] = std::string();
    }

    // The significant tokens from `from` to `to` (inclusive) joined without blanks, lower case.
    std::string compact(size_t from, size_t to) const {
        std::string r;
        for (size_t k = from; k <= to; ++k)
            if (!sql::insignificant(t_[k])) r += lower(t_[k].text);
        return r;
    }

    // First comma at the top level of the parenthesis that opens at `open`.
    size_t topLevelComma(size_t open) const {
        int depth = 0;
        for (size_t k = open + 1; k < match_[open]; ++k) {
            if (t_[k].isPunct('('))
                ++depth;
            else if (t_[k].isPunct(')'))
                --depth;
            else if (depth == 0 && t_[k].isPunct(','))
                return k;
        }
        return npos;
    }

    size_t ident(size_t i) {
        const Token& tok = t_[i];
        size_t j = next(i);
        bool call = j != npos && t_[j].isPunct('(');
        size_t p = prev(i);
        bool qualified = p != npos && t_[p].isPunct('.');
        if (call && !qualified) {
            // ISNULL is a postfix operator in SQLite; LEFT and RIGHT are join keywords there.
            if (tok.isWord("isnull"))
                replace(i, "ifnull");
            else if (tok.isWord("right"))
                replace(i, "ss_right");
            else if (tok.isWord("left"))
                replace(i, "ss_left");
            else if (tok.isWord("convert"))
                return convert(i, j);
            else if (tok.isWord("cast"))
                cast(i, j);
        }
        if (tok.isWord("top")) return top(i);
        return i;
    }

    // convert(type, value[, style]) -> ss_convert('type', value[, style])
    size_t convert(size_t i, size_t open) {
        size_t comma = topLevelComma(open);
        if (comma == npos) unreadable("CONVERT needs a data type and a value.", src_);
        std::string type = compact(open + 1, comma - 1);
        if (type.empty()) unreadable("CONVERT needs a data type and a value.", src_);
        erase(i, comma);
        replace(i, "ss_convert('" + type + "',");
        return comma;
    }

    // cast(value as type) -> ss_convert('type', value): SQL Server refuses what does not convert.
    void cast(size_t i, size_t open) {
        size_t close = match_[open];
        int depth = 0;
        size_t as = npos;
        for (size_t k = open + 1; k < close; ++k) {
            if (t_[k].isPunct('('))
                ++depth;
            else if (t_[k].isPunct(')'))
                --depth;
            else if (depth == 0 && t_[k].isWord("as"))
                as = k;
        }
        if (as == npos) unreadable("CAST needs AS and a data type.", src_);
        std::string type = compact(as + 1, close - 1);
        replace(i, "ss_convert");
        before_[open + 1] += "'" + type + "',";
        erase(as, close - 1);
    }

    // SELECT [DISTINCT|ALL] TOP n ... -> SELECT [DISTINCT|ALL] ... LIMIT n
    size_t top(size_t i) {
        size_t p = prev(i);
        if (p != npos && (t_[p].isWord("distinct") || t_[p].isWord("all"))) p = prev(p);
        if (p == npos || !t_[p].isWord("select")) return i;
        size_t n = next(i);
        if (n == npos) return i;
        size_t last = n;
        std::string count;
        if (t_[n].isPunct('(')) {
            last = match_[n];
            for (size_t k = n + 1; k < last; ++k)
                count += t_[k].text;
        } else if (t_[n].kind == Tok::Number || t_[n].kind == Tok::Param) {
            count = std::string(t_[n].text);
        } else {
            return i; // a column named "top"
        }
        // Moved to the end, a placeholder would take another statement parameter's value.
        if (count.find('?') != std::string::npos) unreadable("TOP takes a number, not a parameter.", src_);
        size_t after = next(last);
        if (after != npos && (t_[after].isWord("percent") || t_[after].isWord("with")))
            unreadable("TOP ... PERCENT and WITH TIES are not supported.", src_);
        erase(i, last);
        before_[scopeEnd(last)] += " LIMIT " + count;
        return last;
    }

    // Where the SELECT that holds token `from` ends: before the parenthesis that encloses it,
    // before a ';' at its level, or at the end, leaving trailing blanks and comments after it.
    size_t scopeEnd(size_t from) const {
        int depth = 0;
        size_t k = from + 1;
        for (; k < t_.size(); ++k) {
            if (t_[k].isPunct('('))
                ++depth;
            else if (t_[k].isPunct(')') && depth-- == 0)
                break;
            else if (depth == 0 && t_[k].isPunct(';'))
                break;
        }
        size_t lastSig = prev(k);
        return lastSig == npos ? k : lastSig + 1;
    }

    // "(nolock)" or "with (nolock, ...)" after a table name or alias.
    void hintGroup(size_t open) {
        size_t close = match_[open];
        bool any = false;
        bool expectHint = true;
        for (size_t k = open + 1; k < close; ++k) {
            if (sql::insignificant(t_[k])) continue;
            if (expectHint && isTableHint(t_[k])) {
                any = true;
                expectHint = false;
            } else if (!expectHint && t_[k].isPunct(',')) {
                expectHint = true;
            } else {
                return;
            }
        }
        if (!any || expectHint) return;
        size_t p = prev(open);
        if (p == npos) return;
        size_t from = open;
        if (t_[p].isWord("with")) {
            from = p;
            p = prev(p);
        }
        if (p == npos || (t_[p].kind != Tok::Ident && t_[p].kind != Tok::QuotedIdent)) return;
        erase(from, close);
    }
};

struct Cache {
    std::mutex mutex;
    std::unordered_map<std::string, std::string> map;
};

Cache& cache() {
    static Cache c;
    return c;
}

constexpr size_t kCacheLimit = 4096;

} // namespace

std::string translateSql(std::string_view tsql) {
    Cache& c = cache();
    {
        std::lock_guard lock(c.mutex);
        if (auto it = c.map.find(std::string(tsql)); it != c.map.end()) return it->second;
    }
    std::string out = Translator(tsql).run();
    std::lock_guard lock(c.mutex);
    // Statements carry their literal values, so distinct texts keep coming; start afresh when full.
    if (c.map.size() >= kCacheLimit) c.map.clear();
    c.map.emplace(std::string(tsql), out);
    return out;
}

} // namespace ado
