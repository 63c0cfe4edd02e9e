// Clauses and names the backends write otherwise: TOP, table hints, quoted names.
#include "ado/SqlTranslatorPass.h"

#include <algorithm>
#include <iterator>

namespace ado::sql {

namespace {

// Table hints SQLite has no use for; its own locking is per database.
bool isTableHint(const Token& t) {
    static constexpr std::string_view hints[] = {
        "nolock",   "readuncommitted", "readcommitted", "readcommittedlock", "repeatableread", "serializable",
        "holdlock", "updlock",         "xlock",         "rowlock",           "paglock",        "tablock",
        "tablockx", "nowait",          "readpast",      "forceseek",         "noexpand"};
    return std::any_of(std::begin(hints), std::end(hints), [&](std::string_view h) { return t.isWord(h); });
}

} // namespace

// [Name] and "Name" name what Name names unquoted: the server folds names to lower case.
void Translator::quotedName(size_t i) {
    std::string_view q = t_[i].text;
    std::string name;
    for (size_t k = 1; k + 1 < q.size(); ++k) {
        if (q[0] == '"' && q[k] == '"') ++k; // "" inside
        if (q[0] == '[' && q[k] == ']') ++k; // ]] inside
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(q[k])));
    }
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    replace(i, out + "\"");
}

// SELECT [DISTINCT|ALL] TOP n ... -> SELECT [DISTINCT|ALL] ... LIMIT n
size_t Translator::top(size_t i) {
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
size_t Translator::scopeEnd(size_t from) const {
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
void Translator::hintGroup(size_t open) {
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

} // namespace ado::sql
