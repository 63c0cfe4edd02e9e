// Longer than our other files on purpose: the translator is one pass over the tokens with one
// method per rewrite, each taking both dialects, so that what SQLite and the server are given
// for one SQL Server construct reads side by side. Split it by construct, not by dialect.
#include "ado/SqlTranslator.h"

#include "ado/ProviderError.h"
#include "ado/SqlLikePattern.h"
#include "ado/SqlTokenizer.h"
#include "ado/TextCompare.h"

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
    Translator(std::string_view tsql, Dialect dialect)
        : src_(tsql), dialect_(dialect), t_(sql::tokenize(tsql)) {
        repl_.resize(t_.size());
        before_.resize(t_.size() + 1);
        after_.resize(t_.size());
        matchParens();
    }

    std::string run() {
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

    // [Name] and "Name" name what Name names unquoted: the server folds names to lower case.
    void quotedName(size_t i) {
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

    void matchParens() {
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

    // The server matches patterns only under a deterministic collation: the case-insensitive
    // match of the text columns' collation is a case-insensitive match under the root ICU
    // collation. A literal pattern becomes a regular expression, which has LIKE's "[a-z]"
    // sets and ignores the value's trailing blanks; a parameter stays ILIKE's.
    void like(size_t i) {
        size_t left = prev(i);
        size_t negation = npos;
        if (left != npos && t_[left].isWord("not")) negation = left, left = prev(left);
        if (left == npos) return;
        size_t start = operandStart(left);
        size_t pattern = next(i);
        if (pattern == npos || !isText(pattern)) {
            before_[start] = "CAST(" + before_[start];
            after_[left] += " AS text) COLLATE \"und-x-icu\"";
            replace(i, "ILIKE");
            return;
        }
        before_[start] = "lower(CAST(" + before_[start];
        after_[left] += " AS text) COLLATE \"und-x-icu\")";
        char escape = 0;
        size_t clause = next(pattern);
        if (clause != npos && t_[clause].isWord("escape")) {
            size_t ch = next(clause);
            if (ch == npos || !isText(ch)) return; // the server reports it
            std::string e = literalText(ch);
            if (e.size() != 1) unreadable("The ESCAPE of LIKE takes one character.", src_);
            escape = e[0];
            erase(clause, ch);
        }
        if (negation != npos) replace(negation, "");
        replace(i, negation != npos ? "!~" : "~");
        std::string quoted;
        for (char c : likeAsRegex(literalText(pattern), escape)) {
            if (c == '\'') quoted += c;
            quoted += c;
        }
        replace(pattern, "lower('" + quoted + "' COLLATE \"und-x-icu\")");
    }

    // The text of a string literal, quotes undone.
    std::string literalText(size_t k) const {
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
    size_t operandStart(size_t last) const {
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

    // The server's own functions where SQL Server's differ in name or in what they give.
    size_t serverCall(size_t i, size_t open) {
        const Token& tok = t_[i];
        size_t close = match_[open];
        if (tok.isWord("isnull")) {
            replace(i, "coalesce");
            // ISNULL gives its first argument's type; a number in place of a text is that text.
            size_t comma = topLevelComma(open);
            size_t first = next(open), second = comma == npos ? npos : next(comma);
            if (second != npos && t_[second].kind == Tok::Number && next(second) == close && givesText(first))
                replace(second, "'" + std::string(t_[second].text) + "'");
        } else if (tok.isWord("len")) { // without trailing blanks
            replace(i, "length");
            before_[open + 1] += "rtrim(CAST(";
            after_[close - 1] += " AS text))";
        } else if (tok.isWord("getdate")) {
            replace(i, "LOCALTIMESTAMP(0)");
            erase(open, close);
        } else if (tok.isWord("isnumeric") || tok.isWord("right") || tok.isWord("left") ||
                   tok.isWord("substring")) {
            // Functions created with the schema (db/ServerFunctions.cpp): SQL Server's argument
            // errors, numbers read as text, ISNUMERIC's money.
            replace(i, "ss_" + lower(tok.text));
        } else if (tok.isWord("convert")) {
            return serverConvert(i, open);
        }
        return i;
    }

    // A call of a function that gives text starts at `k`.
    bool givesText(size_t k) const {
        size_t open = k == npos ? npos : next(k);
        if (open == npos || !t_[open].isPunct('(') || t_[k].kind != Tok::Ident) return false;
        for (std::string_view f :
             {"right", "left", "substring", "upper", "lower", "ltrim", "rtrim", "replace"})
            if (t_[k].isWord(f)) return true;
        return false;
    }

    // convert(type, value) -> CAST(value AS type); with a date style, the server's to_char.
    size_t serverConvert(size_t i, size_t open) {
        size_t comma = topLevelComma(open);
        if (comma == npos) unreadable("CONVERT needs a data type and a value.", src_);
        std::string type = typeName(open + 1, comma - 1, "CONVERT");
        if (type.empty()) unreadable("CONVERT needs a data type and a value.", src_);
        size_t close = match_[open];
        size_t styleComma = npos;
        int depth = 0;
        for (size_t k = comma + 1; k < close; ++k) {
            if (t_[k].isPunct('('))
                ++depth;
            else if (t_[k].isPunct(')'))
                --depth;
            else if (depth == 0 && t_[k].isPunct(','))
                styleComma = k;
        }
        if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
        if (styleComma != npos) {
            std::string style = compact(styleComma + 1, close - 1);
            std::string pattern = style == "103"   ? "DD/MM/YYYY"
                                  : style == "105" ? "DD-MM-YYYY"
                                  : style == "112" ? "YYYYMMDD"
                                  : style == "101" ? "MM/DD/YYYY"
                                  : style == "104" ? "DD.MM.YYYY"
                                  : style == "23"  ? "YYYY-MM-DD"
                                  : style == "108" ? "HH24:MI:SS"
                                  : style == "120" ? "YYYY-MM-DD HH24:MI:SS"
                                                   : "";
            if (pattern.empty() || !isTextTypeName(type))
                unreadable("CONVERT style " + style + " is not supported here.", src_);
            erase(i, comma);
            replace(i, "to_char(");
            erase(styleComma, close - 1);
            replace(styleComma, ", '" + pattern + "'");
            return comma; // the value may hold calls of its own
        }
        erase(i, comma);
        replace(i, "CAST(");
        before_[close] += " AS " + serverType(type);
        return comma;
    }

    // SQL Server's type names the server lacks.
    static std::string serverType(const std::string& type) {
        if (type == "int" || type == "tinyint") return "integer";
        if (type == "float" || type == "real") return "double precision";
        if (type == "datetime" || type == "smalldatetime") return "timestamp(0)";
        if (type == "money" || type == "smallmoney") return "numeric(19,4)";
        if (type == "bit") return "smallint";
        if (type.rfind("nvarchar", 0) == 0) return type.substr(1);
        if (type.rfind("nchar", 0) == 0) return type.substr(1);
        return type;
    }

    // convert(type, value[, style]) -> ss_convert('type', value[, style])
    size_t convert(size_t i, size_t open) {
        size_t comma = topLevelComma(open);
        if (comma == npos) unreadable("CONVERT needs a data type and a value.", src_);
        std::string type = typeName(open + 1, comma - 1, "CONVERT");
        if (type.empty()) unreadable("CONVERT needs a data type and a value.", src_);
        if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
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
        std::string type = typeName(as + 1, close - 1, "CAST");
        if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
        replace(i, "ss_convert");
        before_[open + 1] += "'" + type + "',";
        erase(as, close - 1);
    }

    // The data type of CONVERT or CAST: names, numbers and "(", ",", ")" only. It becomes a
    // literal of the translated text, so anything else there (a literal, a parameter, a
    // quoted name) could end that literal and smuggle SQL in.
    std::string typeName(size_t from, size_t to, const char* function) const {
        for (size_t k = from; k <= to && k < t_.size(); ++k) {
            const Token& tk = t_[k];
            bool allowed = sql::insignificant(tk) || tk.kind == Tok::Ident || tk.kind == Tok::Number ||
                           tk.isPunct('(') || tk.isPunct(')') || tk.isPunct(',');
            if (!allowed || tk.kind == Tok::Comment)
                unreadable(std::string(function) + " takes a data type name, not " + std::string(tk.text) +
                               ".",
                           src_);
        }
        return from > to ? std::string() : compact(from, to);
    }

    static bool isTextTypeName(const std::string& type) {
        for (std::string_view t : {"varchar", "nvarchar", "char", "nchar", "text", "ntext", "sysname"})
            if (type.rfind(t, 0) == 0 && (type.size() == t.size() || type[t.size()] == '(')) return true;
        return false;
    }

    // --- comparisons -----------------------------------------------------------------------
    //
    // SQLite compares a function result, a literal or a parameter byte by byte, and text
    // against a number as unequal. SQL Server compares text case-insensitively without
    // trailing blanks, and converts the text side to the number's type (data type precedence),
    // failing when it does not convert. A comparison whose two operands are each a literal, a
    // parameter or a function call becomes "ss_compare(a, b) op 0", which does both. A bare
    // column on either side is left to SQLite: its affinity converts the other side, its
    // declared collation compares, and an index on it stays usable. Finding operands of any
    // shape would take an expression parser; the component compares these shapes only.

    bool compareOp(size_t k) const {
        if (t_[k].kind != Tok::Op) return false;
        for (std::string_view op : {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>", "=="})
            if (t_[k].text == op) return true;
        return false;
    }

    bool isValue(size_t k) const {
        Tok kind = t_[k].kind;
        return kind == Tok::String || kind == Tok::NString || kind == Tok::Param || kind == Tok::Number;
    }

    bool isCallName(size_t k) const {
        static constexpr std::string_view notFunctions[] = {
            "in",   "exists", "as",     "and",    "or",   "not",  "on",  "where", "when",
            "then", "else",   "select", "values", "over", "from", "any", "all",   "some"};
        if (t_[k].kind != Tok::Ident) return false;
        size_t p = prev(k);
        if (p != npos && t_[p].isPunct('.')) return false;
        return std::none_of(std::begin(notFunctions), std::end(notFunctions),
                            [&](std::string_view w) { return t_[k].isWord(w); });
    }

    // Start of the left operand that ends at `end`, or npos when it is not of a handled shape.
    size_t leftOperand(size_t end) const {
        if (end == npos) return npos;
        if (isValue(end)) return end;
        if (!t_[end].isPunct(')')) return npos;
        size_t name = prev(match_[end]);
        return name != npos && isCallName(name) ? name : npos;
    }

    // End of the right operand that starts at `start`, or npos.
    size_t rightOperand(size_t start) const {
        if (start == npos) return npos;
        if (isValue(start)) return start;
        if (t_[start].kind == Tok::Op && (t_[start].text == "-" || t_[start].text == "+")) {
            size_t n = next(start);
            return n != npos && t_[n].kind == Tok::Number ? n : npos;
        }
        size_t open = next(start);
        if (open == npos || !t_[open].isPunct('(') || !isCallName(start)) return npos;
        return match_[open];
    }

    bool anyWord(size_t k, std::initializer_list<std::string_view> words) const {
        return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return t_[k].isWord(w); });
    }

    bool boundaryBefore(size_t k) const {
        return k == npos || t_[k].isPunct('(') || t_[k].isPunct(',') ||
               anyWord(k, {"where", "and", "or", "not", "on", "when", "then", "else", "having", "if"});
    }

    bool boundaryAfter(size_t k) const {
        return k == npos || t_[k].isPunct(')') || t_[k].isPunct(',') || t_[k].isPunct(';') ||
               anyWord(k, {"and", "or", "then", "else", "end", "when", "order", "group", "having", "union",
                           "except", "intersect"});
    }

    void comparison(size_t op) {
        size_t start = leftOperand(prev(op));
        size_t rightStart = next(op);
        size_t end = rightOperand(rightStart);
        if (start == npos || end == npos) return;
        if (!boundaryBefore(prev(start)) || !boundaryAfter(next(end))) return;
        // Two numbers compare alike in both; "where 1=2" stays a constant the planner folds.
        if (t_[start].kind == Tok::Number && t_[end].kind == Tok::Number) return;
        std::string_view text = t_[op].text;
        std::string sqliteOp = text == "!<" ? ">=" : text == "!>" ? "<=" : std::string(text);
        before_[start] += "ss_compare(";
        replace(op, ",");
        after_[end] += ") " + sqliteOp + " 0";
    }

    // Results of text functions sort, group, match IN and BETWEEN without regard to case or
    // trailing blanks. Next to a comparison operator the comparison above (or the column on the
    // other side) decides instead; a collation there would also keep the planner off an index.
    void collateTextCalls() {
        for (auto [name, open] : textCalls_) {
            size_t close = match_[open];
            size_t before = prev(name), after = next(close);
            if ((before != npos && compareOp(before)) || (after != npos && compareOp(after))) continue;
            if (after != npos && t_[after].isWord("collate")) continue;
            // The server refuses a collation on a number, and ISNULL may give one.
            if (onServer() && (t_[name].isWord("isnull") || t_[name].isWord("coalesce"))) continue;
            if (onServer() && after != npos && (t_[after].isWord("like") || t_[after].isWord("not")))
                continue; // matched under the collation LIKE puts there
            // An argument of another function is that function's to compare, except for MIN,
            // MAX and COUNT(DISTINCT ...), which order or group their argument by its collation.
            size_t around = enclosing_[name];
            size_t caller = around == npos ? npos : prev(around);
            if (caller != npos && isCallName(caller) && !anyWord(caller, {"max", "min", "count"})) continue;
            after_[close] += std::string(" COLLATE ") + kTextCollation;
        }
    }

    // A literal or parameter tested with IN or BETWEEN, as in "? IN ('a', 'b')", or by the
    // WHEN branches of "CASE ? WHEN ...".
    // On the server a parameter takes the type of what it meets, so only one met by text is
    // made text there, without its trailing blanks (the collation keeps them).
    void collateLeftOperands() {
        for (size_t k = 0; k < t_.size(); ++k) {
            if (!isValue(k) || t_[k].kind == Tok::Number) continue;
            size_t p = prev(k);
            if (p != npos && t_[p].isWord("case")) {
                if (!onServer()) after_[k] += std::string(" COLLATE ") + kTextCollation;
                continue;
            }
            size_t n = next(k);
            if (n != npos && t_[n].isWord("not")) n = next(n);
            if (n == npos || !(t_[n].isWord("in") || t_[n].isWord("between"))) continue;
            if (!onServer()) {
                after_[k] += std::string(" COLLATE ") + kTextCollation;
                continue;
            }
            size_t first = next(n);
            if (first != npos && t_[first].isPunct('(')) first = next(first);
            if (first != npos && isText(first)) asServerText(k, k);
        }
    }

    bool isText(size_t k) const { return t_[k].kind == Tok::String || t_[k].kind == Tok::NString; }

    void asServerText(size_t from, size_t to) {
        before_[from] = "rtrim(CAST(" + before_[from];
        after_[to] += std::string(" AS text), ' ') COLLATE ") + kTextCollation;
    }

    // "CASE x WHEN 'a' ...": the operand compares with text WHENs as "=" compares text.
    void collateCaseOperands() {
        for (size_t k = 0; k < t_.size(); ++k) {
            if (!t_[k].isWord("case")) continue;
            size_t operand = next(k);
            if (operand == npos || t_[operand].isWord("when")) continue;
            size_t when = operand;
            while (when != npos && !t_[when].isWord("when"))
                when = t_[when].isPunct('(') ? next(match_[when]) : next(when);
            size_t value = when == npos ? npos : next(when);
            if (value != npos && isText(value)) asServerText(operand, prev(when));
        }
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
