// Calls of SQL Server's functions: the names, argument orders and conversions each backend
// takes for them.
#include "ado/SqlTranslatorPass.h"

namespace ado::sql {

namespace {

bool isAs(const Token& t) {
    return t.isWord("as");
}

} // namespace

// The server's own functions where SQL Server's differ in name or in what they give.
size_t Translator::serverCall(size_t i, size_t open) {
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
    } else if (tok.isWord("cast")) {
        serverCast(i, open);
    }
    return i;
}

// A call of a function that gives text starts at `k`.
bool Translator::givesText(size_t k) const {
    size_t open = k == npos ? npos : next(k);
    if (open == npos || !t_[open].isPunct('(') || t_[k].kind != Tok::Ident) return false;
    for (std::string_view f : {"right", "left", "substring", "upper", "lower", "ltrim", "rtrim", "replace"})
        if (t_[k].isWord(f)) return true;
    return false;
}

// The server's rendering of CONVERT and CAST to `type`: the value goes between `head` and
// `tail`, a style (when kept) before `tail`. The server's own cast where it gives SQL Server's
// result; functions created with the schema (db/ServerFunctions.cpp) where it does not: SQL
// Server truncates numbers to integers, reads an empty text as 0, makes any number but 0 a
// flag of 1, words its own errors, and formats or reads dates by a style.
Translator::ServerConversion Translator::serverConversion(const std::string& type, bool styled) {
    std::string name = type.substr(0, type.find('('));
    std::string target = serverType(type);
    if (name == "int" || name == "integer" || name == "smallint" || name == "tinyint" || name == "bigint")
        return {"CAST(ss_int(", ", '" + std::string(name == "integer" ? "int" : name) + "') AS " + target,
                false};
    if (name == "datetime" || name == "smalldatetime" || name == "datetime2" || name == "date")
        return {"CAST(ss_datetime(", std::string(styled ? "" : ", 0") + ") AS " + target, styled};
    if (isTextTypeName(type) && styled) return {"CAST(ss_date_text(", ") AS " + target, true};
    if (isTextTypeName(type)) return {"CAST(", " AS " + target, false};
    if (name == "bit") return {"CAST(ss_bit(", ") AS " + target, false};
    for (std::string_view approximate : {"float", "real", "doubleprecision"})
        if (name == approximate) return {"CAST(ss_number(", ", 'float') AS " + target, false};
    for (std::string_view exact : {"decimal", "numeric", "money", "smallmoney"})
        if (name == exact) return {"CAST(ss_number(", ", 'numeric') AS " + target, false};
    detail::raiseProvider(rt::errProvider, "Type " + name + " is not a defined system type.");
}

// convert(type, value[, style]) -> the server's conversion of the value.
size_t Translator::serverConvert(size_t i, size_t open) {
    size_t comma = npos;
    std::string type = convertType(open, comma);
    size_t close = match_[open];
    size_t styleComma = topLevel(open, isComma, true);
    if (styleComma == comma) styleComma = npos;
    if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
    ServerConversion c = serverConversion(type, styleComma != npos);
    erase(i, comma);
    replace(i, c.head);
    if (styleComma != npos && !c.keepsStyle) erase(styleComma, close - 1); // SQL Server ignores it
    before_[close] += c.tail;
    return comma; // the value may hold calls of its own
}

// cast(value as type) -> the server's conversion of the value.
void Translator::serverCast(size_t i, size_t open) {
    size_t close = match_[open];
    size_t as = npos;
    std::string type = castType(open, as);
    if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
    ServerConversion c = serverConversion(type, false);
    erase(i, open);
    replace(i, c.head);
    erase(as, close - 1);
    before_[close] += c.tail;
}

// SQL Server's type names the server lacks; text without a length holds 30 characters.
std::string Translator::serverType(const std::string& type) {
    if (type == "int" || type == "integer" || type == "tinyint") return "integer";
    if (type == "float" || type == "real" || type == "doubleprecision") return "double precision";
    if (type == "datetime" || type == "smalldatetime" || type == "datetime2") return "timestamp(0)";
    if (type == "money" || type == "smallmoney") return "numeric(19,4)";
    if (type == "bit") return "smallint";
    std::string t = type.rfind("nvarchar", 0) == 0 || type.rfind("nchar", 0) == 0 ? type.substr(1) : type;
    if ((t == "varchar" || t == "char") && type.find('(') == std::string::npos) t += "(30)";
    if (t == "varchar(max)" || t == "ntext") return "text";
    if (t == "sysname") return "varchar(128)";
    return t;
}

// The data type CONVERT names before its first comma, which `comma` is given.
std::string Translator::convertType(size_t open, size_t& comma) const {
    comma = topLevelComma(open);
    if (comma == npos) unreadable("CONVERT needs a data type and a value.", src_);
    std::string type = typeName(open + 1, comma - 1, "CONVERT");
    if (type.empty()) unreadable("CONVERT needs a data type and a value.", src_);
    return type;
}

// The data type CAST names after its AS, which `as` is given.
std::string Translator::castType(size_t open, size_t& as) const {
    as = topLevel(open, isAs, true);
    if (as == npos) unreadable("CAST needs AS and a data type.", src_);
    return typeName(as + 1, match_[open] - 1, "CAST");
}

// convert(type, value[, style]) -> ss_convert('type', value[, style])
size_t Translator::convert(size_t i, size_t open) {
    size_t comma = npos;
    std::string type = convertType(open, comma);
    if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
    erase(i, comma);
    replace(i, "ss_convert('" + type + "',");
    return comma;
}

// cast(value as type) -> ss_convert('type', value): SQL Server refuses what does not convert.
void Translator::cast(size_t i, size_t open) {
    size_t close = match_[open];
    size_t as = npos;
    std::string type = castType(open, as);
    if (isTextTypeName(type)) textCalls_.emplace_back(i, open);
    replace(i, "ss_convert");
    before_[open + 1] += "'" + type + "',";
    erase(as, close - 1);
}

// The data type of CONVERT or CAST: names, numbers and "(", ",", ")" only. It becomes a
// literal of the translated text, so anything else there (a literal, a parameter, a
// quoted name) could end that literal and smuggle SQL in.
std::string Translator::typeName(size_t from, size_t to, const char* function) const {
    for (size_t k = from; k <= to && k < t_.size(); ++k) {
        const Token& tk = t_[k];
        bool allowed = sql::insignificant(tk) || tk.kind == Tok::Ident || tk.kind == Tok::Number ||
                       tk.isPunct('(') || tk.isPunct(')') || tk.isPunct(',');
        if (!allowed || tk.kind == Tok::Comment)
            unreadable(std::string(function) + " takes a data type name, not " + std::string(tk.text) + ".",
                       src_);
    }
    return from > to ? std::string() : compact(from, to);
}

bool Translator::isTextTypeName(const std::string& type) {
    for (std::string_view t : {"varchar", "nvarchar", "char", "nchar", "text", "ntext", "sysname"})
        if (type.rfind(t, 0) == 0 && (type.size() == t.size() || type[t.size()] == '(')) return true;
    return false;
}

} // namespace ado::sql
