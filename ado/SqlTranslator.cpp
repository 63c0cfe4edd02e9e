// The translator's pass over a statement's tokens and its navigation of them; the rewrites of
// each construct live beside it (SqlTranslatorPass.h lists them).
#include "ado/SqlTranslator.h"

#include "ado/SqlTranslatorPass.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace ado::sql {

std::string Translator::run() {
    for (size_t i = 0; i < t_.size(); ++i) {
        const Token& tok = t_[i];
        if (tok.kind == Tok::NString) {
            if (!repl_[i]) replace(i, tok.text.substr(1)); // a LIKE pattern may be rewritten
        } else if (tok.kind == Tok::QuotedIdent && onServer()) {
            quotedName(i);
        } else if (tok.kind == Tok::Ident) {
            i = ident(i);
        } else if (tok.isPunct('(')) {
            hintGroup(i);
        }
    }
    for (size_t i = 0; i < t_.size(); ++i)
        if (compareOp(i)) comparison(i);
    collateTextCalls();
    if (onServer()) collateCaseOperands();
    collateLeftOperands();
    std::string out;
    out.reserve(src_.size() + 16);
    for (size_t i = 0; i < t_.size(); ++i) {
        out += before_[i];
        out += repl_[i] ? *repl_[i] : std::string(t_[i].text);
        out += after_[i];
    }
    out += before_[t_.size()];
    return out;
}

void Translator::matchParens() {
    match_.assign(t_.size(), npos);
    enclosing_.assign(t_.size(), npos);
    std::vector<size_t> open;
    for (size_t i = 0; i < t_.size(); ++i) {
        if (!open.empty()) enclosing_[i] = open.back();
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

size_t Translator::next(size_t i) const {
    for (++i; i < t_.size(); ++i)
        if (!sql::insignificant(t_[i])) return i;
    return npos;
}

size_t Translator::prev(size_t i) const {
    while (i-- > 0)
        if (!sql::insignificant(t_[i])) return i;
    return npos;
}

// The significant tokens from `from` to `to` (inclusive) joined without blanks, lower case.
std::string Translator::compact(size_t from, size_t to) const {
    std::string r;
    for (size_t k = from; k <= to; ++k)
        if (!sql::insignificant(t_[k])) r += lower(t_[k].text);
    return r;
}

// The first (or the last) token at the top level of the parenthesis that opens at `open` for
// which `is` holds.
size_t Translator::topLevel(size_t open, bool (*is)(const Token&), bool last) const {
    int depth = 0;
    size_t found = npos;
    for (size_t k = open + 1; k < match_[open]; ++k) {
        if (t_[k].isPunct('(')) {
            ++depth;
        } else if (t_[k].isPunct(')')) {
            --depth;
        } else if (depth == 0 && is(t_[k])) {
            found = k;
            if (!last) break;
        }
    }
    return found;
}

size_t Translator::topLevelComma(size_t open) const {
    return topLevel(open, isComma, false);
}

bool Translator::anyWord(size_t k, std::initializer_list<std::string_view> words) const {
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return t_[k].isWord(w); });
}

size_t Translator::ident(size_t i) {
    const Token& tok = t_[i];
    size_t j = next(i);
    bool call = j != npos && t_[j].isPunct('(');
    size_t p = prev(i);
    bool qualified = p != npos && t_[p].isPunct('.');
    if (call && !qualified) {
        static constexpr std::string_view textFunctions[] = {"isnull",  "right",   "left",  "substring",
                                                             "upper",   "lower",   "ltrim", "rtrim",
                                                             "replace", "coalesce"};
        if (std::any_of(std::begin(textFunctions), std::end(textFunctions),
                        [&](std::string_view f) { return tok.isWord(f); }))
            textCalls_.emplace_back(i, j);
        if (onServer()) {
            if (size_t end = serverCall(i, j); end != i) return end;
        } else if (tok.isWord("isnull")) {
            replace(i, "ifnull");         // ISNULL is a postfix operator in SQLite
        } else if (tok.isWord("right")) { // LEFT and RIGHT are join keywords there
            replace(i, "ss_right");
        } else if (tok.isWord("left")) {
            replace(i, "ss_left");
        } else if (tok.isWord("convert")) {
            return convert(i, j);
        } else if (tok.isWord("cast")) {
            cast(i, j);
        }
    }
    if (tok.isWord("top")) return top(i);
    if (onServer() && tok.isWord("like")) like(i);
    return i;
}

// The text of a string literal, quotes undone.
std::string Translator::literalText(size_t k) const {
    std::string_view q = t_[k].text;
    if (t_[k].kind == Tok::NString) q.remove_prefix(1);
    std::string r;
    for (size_t j = 1; j + 1 < q.size(); ++j) {
        r += q[j];
        if (q[j] == '\'') ++j;
    }
    return r;
}

// Where the operand that ends at `last` begins: a name with its qualifiers, or a call.
size_t Translator::operandStart(size_t last) const {
    size_t s = last;
    if (t_[s].isPunct(')')) {
        s = match_[s];
        size_t p = prev(s);
        if (p != npos && t_[p].kind == Tok::Ident) s = p;
    }
    for (size_t p = prev(s); p != npos && t_[p].isPunct('.') && prev(p) != npos; p = prev(s))
        s = prev(p);
    return s;
}

} // namespace ado::sql

namespace ado {

namespace {

using sql::Translator;

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

std::string translateSql(std::string_view tsql, Dialect dialect) {
    Cache& c = cache();
    std::string key(tsql);
    if (dialect == Dialect::Postgres) key.insert(0, 1, '\0'); // no statement text starts so
    {
        std::lock_guard lock(c.mutex);
        if (auto it = c.map.find(key); it != c.map.end()) return it->second;
    }
    std::string out = Translator(tsql, dialect).run();
    std::lock_guard lock(c.mutex);
    // Statements carry their literal values, so distinct texts keep coming; start afresh when full.
    if (c.map.size() >= kCacheLimit) c.map.clear();
    c.map.emplace(std::move(key), out);
    return out;
}

} // namespace ado
