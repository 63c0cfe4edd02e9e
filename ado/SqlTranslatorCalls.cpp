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

// convert(type, value) -> CAST(value AS type); with a date style, the server's to_char.
size_t Translator::serverConvert(size_t i, size_t open) {
    size_t comma = npos;
    std::string type = convertType(open, comma);
    size_t close = match_[open];
    size_t styleComma = topLevel(open, isComma, true);
    if (styleComma == comma) styleComma = npos;
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
std::string Translator::serverType(const std::string& type) {
    if (type == "int" || type == "tinyint") return "integer";
    if (type == "float" || type == "real") return "double precision";
    if (type == "datetime" || type == "smalldatetime") return "timestamp(0)";
    if (type == "money" || type == "smallmoney") return "numeric(19,4)";
    if (type == "bit") return "smallint";
    if (type.rfind("nvarchar", 0) == 0) return type.substr(1);
    if (type.rfind("nchar", 0) == 0) return type.substr(1);
    return type;
}

// The data type CONVERT names before its first comma, which `comma` is given.
std::string Translator::convertType(size_t open, size_t& comma) const {
    comma = topLevelComma(open);
    if (comma == npos) unreadable("CONVERT needs a data type and a value.", src_);
    std::string type = typeName(open + 1, comma - 1, "CONVERT");
    if (type.empty()) unreadable("CONVERT needs a data type and a value.", src_);
    return type;
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
    size_t as = topLevel(open, isAs, true);
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
