#include "ado/SqlFunctions.h"

#include "ado/DateText.h"
#include "ado/ProviderError.h"
#include "ado/SqlValues.h"
#include "runtime/Date.h"
#include "runtime/Utf8.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace ado::detail {

namespace {

std::string_view textOf(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

void resultText(sqlite3_context* ctx, std::string_view s) {
    // A null pointer would give NULL; an empty result is the empty text.
    sqlite3_result_text(ctx, s.empty() ? "" : s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void fail(sqlite3_context* ctx, int32_t number, const std::string& message) {
    failFunction(ctx, number, message);
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int k = 0; k < argc; ++k)
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) return true;
    return false;
}

using rt::byteOffset;
using rt::charCount;

// Characters first..last (1-based, inclusive), clipped to the text.
std::string_view charRange(std::string_view s, int64_t first, int64_t last) {
    if (first < 1) first = 1;
    if (last < first) return {};
    size_t from = byteOffset(s, static_cast<size_t>(first - 1));
    size_t to = byteOffset(s, static_cast<size_t>(last));
    return s.substr(from, to - from);
}

// LEN ignores trailing blanks, as SQL Server's does.
void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string buffer;
    std::string_view s = valueText(argv[0], buffer);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(charCount(s)));
}

// Lengths and positions are int parameters in SQL Server: a value outside 32 bits is refused
// before the function runs.
bool intArgument(sqlite3_context* ctx, sqlite3_value* v, int64_t& out) {
    double d = sqlite3_value_double(v);
    out = sqlite3_value_int64(v);
    if (d < std::numeric_limits<int32_t>::min() || d > std::numeric_limits<int32_t>::max()) {
        fail(ctx, errCantConvertValue, "Arithmetic overflow error converting expression to data type int.");
        return false;
    }
    return true;
}

template <bool Right> void fnSide(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    int64_t n = 0;
    if (!intArgument(ctx, argv[1], n)) return;
    if (n < 0)
        return fail(ctx, rt::errProvider,
                    std::string("Invalid length parameter passed to the ") + (Right ? "right" : "left") +
                        " function.");
    std::string buffer;
    std::string_view s = valueText(argv[0], buffer);
    auto count = static_cast<int64_t>(charCount(s));
    resultText(ctx, Right ? charRange(s, count - n + 1, count) : charRange(s, 1, n));
}

void fnSubstring(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    int64_t start = 0, length = 0;
    if (!intArgument(ctx, argv[1], start) || !intArgument(ctx, argv[2], length)) return;
    if (length < 0)
        return fail(ctx, rt::errProvider, "Invalid length parameter passed to the substring function.");
    // Both fit 32 bits, so the end is computed in 64 without overflow; an end past 32 bits is
    // the overflow SQL Server reports for start + length.
    int64_t last = start + length - 1;
    if (last > std::numeric_limits<int32_t>::max())
        return fail(ctx, errCantConvertValue,
                    "Arithmetic overflow error converting expression to data type int.");
    std::string buffer;
    resultText(ctx, charRange(valueText(argv[0], buffer), start, last));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Currency symbols that money and smallmoney accept (SQL Server's documentation of
// money and smallmoney lists them), as UTF-8.
bool currencyAt(std::string_view s, size_t& i) {
    static constexpr std::string_view symbols[] = {"$", "¢", "£",  "¤",  "¥",  "৲",  "৳",  "฿",
                                                   "៛", "﷼", "﹩", "＄", "￠", "￡", "￥", "￦"};
    for (std::string_view sym : symbols)
        if (s.substr(i, sym.size()) == sym) {
            i += sym.size();
            return true;
        }
    // U+20A0 to U+20B1 (₠ to ₱, the euro among them) share their first two bytes.
    if (s.size() >= i + 3 && s.substr(i, 2) == "\xE2\x82" && static_cast<unsigned char>(s[i + 2]) >= 0xA0 &&
        static_cast<unsigned char>(s[i + 2]) <= 0xB1) {
        i += 3;
        return true;
    }
    return false;
}

void skipBlanks(std::string_view s, size_t& i) {
    while (i < s.size() && s[i] == ' ')
        ++i;
}

// What money reads: a currency symbol and a sign in either order, blanks between them and
// the number, digits with thousands separators and a decimal point. No digit at all is
// accepted too ("$", "+", ".", ","), which is why ISNUMERIC answers 1 for them.
bool readsAsMoney(std::string_view s) {
    size_t i = 0;
    bool currency = false, sign = false;
    for (int k = 0; k < 2; ++k) {
        skipBlanks(s, i);
        if (!currency && currencyAt(s, i))
            currency = true;
        else if (!sign && i < s.size() && (s[i] == '+' || s[i] == '-'))
            sign = true, ++i;
    }
    skipBlanks(s, i);
    while (i < s.size() && (isDigit(s[i]) || s[i] == ','))
        ++i;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
    }
    return i == s.size();
}

// What float reads: a sign, digits, a decimal point and an exponent (E or D), at least one digit.
bool readsAsFloat(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false;
    while (i < s.size() && isDigit(s[i]))
        ++i, digits = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, digits = true;
    }
    if (!digits) return false;
    if (i < s.size() && std::string_view("eEdD").find(s[i]) != std::string_view::npos) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        bool expDigits = false;
        while (i < s.size() && isDigit(s[i]))
            ++i, expDigits = true;
        if (!expDigits) return false;
    }
    return i == s.size();
}

// ISNUMERIC is 1 when the text converts to any numeric type, money included (SQL Server's
// documentation of ISNUMERIC); blanks around are ignored, an all-blank text is not a number.
bool looksNumeric(std::string_view s) {
    while (!s.empty() && std::string_view(" \t\r\n").find(s.front()) != std::string_view::npos)
        s.remove_prefix(1);
    while (!s.empty() && std::string_view(" \t\r\n").find(s.back()) != std::string_view::npos)
        s.remove_suffix(1);
    if (s.empty()) return false;
    return readsAsFloat(s) || readsAsMoney(s);
}

void fnIsNumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_result_int(ctx, 1);
    case SQLITE_TEXT:
        return sqlite3_result_int(ctx, looksNumeric(textOf(argv[0])) ? 1 : 0);
    default:
        return sqlite3_result_int(ctx, 0);
    }
}

void fnGetDate(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, rt::toStored(rt::now()));
}

// --- CONVERT -------------------------------------------------------------------------------

struct TargetType {
    std::string name;   // base name, lower case
    int64_t length = 0; // 0 when not given, -1 for max
    int scale = -1;     // decimal places of decimal/numeric, -1 when not given
};

TargetType parseType(std::string_view spec) {
    TargetType t;
    size_t paren = spec.find('(');
    t.name = std::string(spec.substr(0, paren));
    if (paren != std::string_view::npos) {
        std::string_view args = spec.substr(paren + 1);
        if (!args.empty() && args.back() == ')') args.remove_suffix(1);
        size_t comma = args.find(',');
        std::string_view first = args.substr(0, comma);
        t.length = first == "max" ? -1 : std::atoll(std::string(first).c_str());
        if (comma != std::string_view::npos) t.scale = std::atoi(std::string(args.substr(comma + 1)).c_str());
    }
    return t;
}

struct IntRange {
    const char* name;
    int64_t min, max;
};

std::optional<IntRange> intRange(const std::string& name) {
    if (name == "int" || name == "integer")
        return IntRange{"int", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    if (name == "smallint") return IntRange{"smallint", -32768, 32767};
    if (name == "tinyint") return IntRange{"tinyint", 0, 255};
    if (name == "bigint")
        return IntRange{"bigint", std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()};
    return std::nullopt;
}

bool isTextType(const std::string& n) {
    return n == "varchar" || n == "nvarchar" || n == "char" || n == "nchar" || n == "text" || n == "ntext" ||
           n == "sysname";
}

bool isApproxType(const std::string& n) {
    return n == "float" || n == "real" || n == "doubleprecision";
}

bool isExactType(const std::string& n) {
    return n == "decimal" || n == "numeric" || n == "money" || n == "smallmoney";
}

bool isDateType(const std::string& n) {
    return n == "datetime" || n == "date" || n == "smalldatetime" || n == "datetime2";
}

std::string quotedValue(std::string_view s) {
    return "'" + std::string(s) + "'";
}

void convertToInt(sqlite3_context* ctx, const IntRange& r, sqlite3_value* v) {
    auto overflow = [&] {
        fail(ctx, errCantConvertValue,
             std::string("Arithmetic overflow error converting expression to data type ") + r.name + ".");
    };
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: {
        int64_t n = sqlite3_value_int64(v);
        if (n < r.min || n > r.max) return overflow();
        return sqlite3_result_int64(ctx, n);
    }
    case SQLITE_FLOAT: {
        double d = std::trunc(sqlite3_value_double(v));
        if (!(d >= static_cast<double>(r.min) && d <= static_cast<double>(r.max))) return overflow();
        return sqlite3_result_int64(ctx, static_cast<int64_t>(d));
    }
    default:
        break;
    }
    std::string_view raw = textOf(v);
    auto refuse = [&] {
        fail(ctx, errCantConvertValue,
             "Conversion failed when converting the varchar value " + quotedValue(raw) + " to data type " +
                 r.name + ".");
    };
    int64_t value = 0;
    switch (readInteger(raw, r.min, r.max, value)) {
    case IntRead::NotANumber:
        return refuse();
    case IntRead::Overflow:
        return fail(ctx, errCantConvertValue,
                    "The conversion of the varchar value " + quotedValue(raw) + " overflowed an " + r.name +
                        " column.");
    case IntRead::Ok:
        break;
    }
    sqlite3_result_int64(ctx, value);
}

void convertToNumber(sqlite3_context* ctx, const TargetType& t, sqlite3_value* v) {
    double d = 0;
    int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        d = sqlite3_value_double(v);
    } else {
        auto read = readNumber(textOf(v));
        if (!read)
            return fail(ctx, errCantConvertValue,
                        std::string("Error converting data type varchar to ") +
                            (isApproxType(t.name) ? "float." : "numeric."));
        d = *read;
    }
    if (isExactType(t.name)) {
        int scale = t.name == "money" || t.name == "smallmoney" ? 4 : (t.scale >= 0 ? t.scale : 0);
        double f = std::pow(10.0, scale);
        d = std::round(d * f) / f;
        // A decimal without places is a whole number: as text it has no ".0" (RIGHT(CAST(123456
        // AS decimal),3) is "456").
        if (scale == 0 && std::fabs(d) < 9.2e18) return sqlite3_result_int64(ctx, static_cast<int64_t>(d));
    }
    sqlite3_result_double(ctx, d);
}

void convertToBit(sqlite3_context* ctx, sqlite3_value* v) {
    int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
        return sqlite3_result_int(ctx, sqlite3_value_double(v) != 0);
    std::string_view raw = textOf(v);
    std::string_view s = trimBlanks(raw);
    if (auto d = readNumber(s)) return sqlite3_result_int(ctx, *d != 0);
    std::string low;
    for (char c : s)
        low += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (low == "true") return sqlite3_result_int(ctx, 1);
    if (low == "false") return sqlite3_result_int(ctx, 0);
    fail(ctx, errCantConvertValue,
         "Conversion failed when converting the varchar value " + quotedValue(raw) + " to data type bit.");
}

void convertToText(sqlite3_context* ctx, const TargetType& t, sqlite3_value* v, sqlite3_value* style) {
    std::string buffer;
    std::string s(valueText(v, buffer));
    if (style && sqlite3_value_type(style) != SQLITE_NULL && sqlite3_value_type(v) == SQLITE_TEXT) {
        int code = sqlite3_value_int(style);
        if (auto d = parseStoredDate(s)) {
            auto formatted = formatDateStyle(*d, code);
            if (!formatted)
                return fail(
                    ctx, rt::errProvider,
                    std::to_string(code) +
                        " is not a valid style number when converting from datetime to a character string.");
            s = *formatted;
        }
    }
    // CONVERT without a length gives 30 characters.
    int64_t length = t.length == 0 ? 30 : t.length;
    if (length > 0) {
        size_t n = charCount(s);
        if (n > static_cast<size_t>(length))
            s.resize(byteOffset(s, static_cast<size_t>(length)));
        else if ((t.name == "char" || t.name == "nchar") && t.length > 0)
            s.append(static_cast<size_t>(length) - n, ' ');
    }
    resultText(ctx, s);
}

void convertToDate(sqlite3_context* ctx, const TargetType& t, sqlite3_value* v, sqlite3_value* style) {
    std::optional<rt::Date> date;
    int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        // Numbers count days from 1 January 1900, as SQL Server reads them.
        double serial = rt::makeDate(1900, 1, 1).serial + sqlite3_value_double(v);
        if (!(serial >= rt::kMinSerial && serial < rt::kMaxSerial + 1))
            return fail(ctx, errCantConvertValue,
                        "Arithmetic overflow error converting expression to data type datetime.");
        date = rt::Date{serial};
    } else {
        std::string_view s = trimBlanks(textOf(v));
        if (auto d = parseStoredDate(s)) {
            date = rt::makeDate(d->year, d->month, d->day, d->hour, d->minute, d->second);
        } else {
            int code = style && sqlite3_value_type(style) != SQLITE_NULL ? sqlite3_value_int(style) : 0;
            std::string text(s);
            bool monthFirst = code == 1 || code == 101 || code == 10 || code == 110;
            if (monthFirst) {
                // Swap the first two parts so that the day-first reader applies.
                size_t a = text.find_first_of("/-."),
                       b = a == std::string::npos ? a : text.find_first_of("/-.", a + 1);
                if (b != std::string::npos)
                    text = text.substr(a + 1, b - a - 1) + text[a] + text.substr(0, a) + text.substr(b);
            }
            try {
                date = rt::parseDate(text);
            } catch (const rt::Error&) { // a part too long to be a number; no exception may cross SQLite
                date.reset();
            }
        }
    }
    if (!date)
        return fail(ctx, errCantConvertValue,
                    "Conversion failed when converting date and/or time from character string.");
    resultText(ctx, rt::toStored(t.name == "date" ? rt::dateOnly(*date) : *date));
}

void fnConvert(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    TargetType t = parseType(textOf(argv[0]));
    sqlite3_value* style = argc > 2 ? argv[2] : nullptr;
    if (auto r = intRange(t.name)) return convertToInt(ctx, *r, argv[1]);
    if (isApproxType(t.name) || isExactType(t.name)) return convertToNumber(ctx, t, argv[1]);
    if (t.name == "bit") return convertToBit(ctx, argv[1]);
    if (isTextType(t.name)) return convertToText(ctx, t, argv[1], style);
    if (isDateType(t.name)) return convertToDate(ctx, t, argv[1], style);
    fail(ctx, rt::errProvider, "Type " + t.name + " is not a defined system type.");
}

} // namespace

void registerSqlServerFunctions(sqlite3* db, FunctionErrors* errors) {
    constexpr int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    const FunctionDef defs[] = {
        {"len", 1, pure, fnLen},
        {"ss_right", 2, pure, fnSide<true>},
        {"ss_left", 2, pure, fnSide<false>},
        {"substring", 3, pure, fnSubstring},
        {"isnumeric", 1, pure, fnIsNumeric},
        {"ss_convert", 2, pure, fnConvert},
        {"ss_convert", 3, pure, fnConvert},
        {"getdate", 0, SQLITE_UTF8, fnGetDate},
    };
    for (const FunctionDef& d : defs)
        registerFunction(db, errors, d);
    registerComparisonFunctions(db, errors);
}

void registerFunction(sqlite3* db, FunctionErrors* errors, const FunctionDef& def) {
    int rc = sqlite3_create_function_v2(db, def.name, def.args, def.flags, errors, def.fn, nullptr, nullptr,
                                        nullptr);
    if (rc != SQLITE_OK)
        raiseProvider(errOpenFailed,
                      std::string("Cannot register the function ") + def.name + ": " + sqlite3_errmsg(db));
}

void failFunction(sqlite3_context* ctx, int32_t number, const std::string& message) {
    if (auto* errors = static_cast<FunctionErrors*>(sqlite3_user_data(ctx))) errors->number = number;
    sqlite3_result_error(ctx, message.c_str(), static_cast<int>(message.size()));
}

} // namespace ado::detail
