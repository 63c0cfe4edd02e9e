// Comparisons, the collation of text values and LIKE.
//
// SQLite compares a function result, a literal or a parameter byte by byte, and text
// against a number as unequal. SQL Server compares text case-insensitively without
// trailing blanks, and converts the text side to the number's type (data type precedence),
// failing when it does not convert. A comparison whose two operands are each a literal, a
// parameter or a function call becomes "ss_compare(a, b) op 0", which does both. A bare
// column on either side is left to SQLite: its affinity converts the other side, its
// declared collation compares, and an index on it stays usable. Finding operands of any
// shape would take an expression parser; the component compares these shapes only.
#include "ado/SqlLikePattern.h"
#include "ado/SqlTranslatorPass.h"
#include "ado/TextCompare.h"

#include <algorithm>
#include <iterator>

namespace ado::sql {

bool Translator::compareOp(size_t k) const {
    if (t_[k].kind != Tok::Op) return false;
    for (std::string_view op : {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>", "=="})
        if (t_[k].text == op) return true;
    return false;
}

bool Translator::isValue(size_t k) const {
    Tok kind = t_[k].kind;
    return kind == Tok::String || kind == Tok::NString || kind == Tok::Param || kind == Tok::Number;
}

bool Translator::isCallName(size_t k) const {
    static constexpr std::string_view notFunctions[] = {"in",     "exists", "as",   "and",  "or",   "not",
                                                        "on",     "where",  "when", "then", "else", "select",
                                                        "values", "over",   "from", "any",  "all",  "some"};
    if (t_[k].kind != Tok::Ident) return false;
    size_t p = prev(k);
    if (p != npos && t_[p].isPunct('.')) return false;
    return std::none_of(std::begin(notFunctions), std::end(notFunctions),
                        [&](std::string_view w) { return t_[k].isWord(w); });
}

// Start of the left operand that ends at `end`, or npos when it is not of a handled shape.
size_t Translator::leftOperand(size_t end) const {
    if (end == npos) return npos;
    if (isValue(end)) return end;
    if (!t_[end].isPunct(')')) return npos;
    size_t name = prev(match_[end]);
    return name != npos && isCallName(name) ? name : npos;
}

// End of the right operand that starts at `start`, or npos.
size_t Translator::rightOperand(size_t start) const {
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

bool Translator::boundaryBefore(size_t k) const {
    return k == npos || t_[k].isPunct('(') || t_[k].isPunct(',') ||
           anyWord(k, {"where", "and", "or", "not", "on", "when", "then", "else", "having", "if"});
}

bool Translator::boundaryAfter(size_t k) const {
    return k == npos || t_[k].isPunct(')') || t_[k].isPunct(',') || t_[k].isPunct(';') ||
           anyWord(k, {"and", "or", "then", "else", "end", "when", "order", "group", "having", "union",
                       "except", "intersect"});
}

void Translator::comparison(size_t op) {
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
void Translator::collateTextCalls() {
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
void Translator::collateLeftOperands() {
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

void Translator::asServerText(size_t from, size_t to) {
    before_[from] = "rtrim(CAST(" + before_[from];
    after_[to] += std::string(" AS text), ' ') COLLATE ") + kTextCollation;
}

// "CASE x WHEN 'a' ...": the operand compares with text WHENs as "=" compares text.
void Translator::collateCaseOperands() {
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

// The value LIKE matches, as text under the collation that matches; lower case for a regular
// expression. The server's cast of a text column (bpchar) to text drops its trailing blanks,
// which a pattern may match ("_" or " " at its end); concat() keeps them, though not a NULL.
void Translator::likeOperand(size_t start, size_t last, bool lowered) {
    std::string column;
    for (size_t k = start; k <= last && k != npos; k = next(k)) {
        if (t_[k].kind != Tok::Ident && t_[k].kind != Tok::QuotedIdent && !t_[k].isPunct('.')) {
            column.clear();
            break;
        }
        column += repl_[k] ? *repl_[k] : std::string(t_[k].text);
    }
    const char* open = lowered ? "lower(" : "";
    const char* close = lowered ? " COLLATE \"und-x-icu\")" : " COLLATE \"und-x-icu\"";
    if (column.empty()) {
        before_[start] = open + ("CAST(" + before_[start]);
        after_[last] += std::string(" AS text)") + close;
    } else {
        before_[start] = open + ("CASE WHEN " + column + " IS NULL THEN NULL ELSE concat(" + before_[start]);
        after_[last] += std::string(") END") + close;
    }
}

// The server matches patterns only under a deterministic collation: the case-insensitive
// match of the text columns' collation is a case-insensitive match under the root ICU
// collation. A literal pattern becomes a regular expression, which has LIKE's "[a-z]"
// sets and ignores the value's trailing blanks; a parameter stays ILIKE's.
void Translator::like(size_t i) {
    size_t left = prev(i);
    size_t negation = npos;
    if (left != npos && t_[left].isWord("not")) negation = left, left = prev(left);
    if (left == npos) return;
    size_t start = operandStart(left);
    size_t pattern = next(i);
    if (pattern == npos || !isText(pattern)) {
        likeOperand(start, left, false);
        replace(i, "ILIKE");
        return;
    }
    likeOperand(start, left, true);
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

} // namespace ado::sql
