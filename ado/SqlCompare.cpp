// Comparisons that SQLite's operators cannot make as SQL Server does: text against a number
// (ss_compare) and LIKE with SQL Server's wildcards and case folding.
#include "ado/ProviderError.h"
#include "ado/SqlFunctions.h"
#include "ado/SqlValues.h"
#include "ado/TextCompare.h"

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <unicode/utf8.h>

namespace ado::detail {

namespace {

int sign(double d) {
    return (d > 0) - (d < 0);
}

bool isNumber(int type) {
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

// The text side converted to the number side's type, as SQL Server's data type precedence
// converts it (the number types rank above the character types); a text that does not
// convert is an error, not an unequal value.
bool textAsNumber(sqlite3_context* ctx, sqlite3_value* text, int numberType, double& out) {
    std::string buffer;
    std::string_view s = valueText(text, buffer);
    if (numberType == SQLITE_INTEGER) {
        int64_t value = 0;
        switch (readInteger(s, INT64_MIN, INT64_MAX, value)) {
        case IntRead::Ok:
            out = static_cast<double>(value);
            return true;
        case IntRead::Overflow:
            failFunction(ctx, errCantConvertValue,
                         "The conversion of the varchar value '" + std::string(s) +
                             "' overflowed an int column.");
            return false;
        case IntRead::NotANumber:
            break;
        }
        failFunction(ctx, errCantConvertValue,
                     "Conversion failed when converting the varchar value '" + std::string(s) +
                         "' to data type int.");
        return false;
    }
    if (auto d = readNumber(s)) {
        out = *d;
        return true;
    }
    failFunction(ctx, errCantConvertValue, "Error converting data type varchar to float.");
    return false;
}

// ss_compare(a, b): negative, zero or positive as a is below, equal to or above b; NULL when
// either is NULL, so that the comparison it stands for is unknown, as in SQL Server.
void fnCompare(sqlite3_context* ctx, int, sqlite3_value** argv) {
    int ta = sqlite3_value_type(argv[0]), tb = sqlite3_value_type(argv[1]);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (isNumber(ta) && isNumber(tb)) {
        if (ta == SQLITE_INTEGER && tb == SQLITE_INTEGER) {
            sqlite3_int64 a = sqlite3_value_int64(argv[0]), b = sqlite3_value_int64(argv[1]);
            return sqlite3_result_int(ctx, (a > b) - (a < b));
        }
        return sqlite3_result_int(ctx, sign(sqlite3_value_double(argv[0]) - sqlite3_value_double(argv[1])));
    }
    if (isNumber(ta) || isNumber(tb)) {
        double a = 0, b = 0;
        if (isNumber(ta)) {
            a = sqlite3_value_double(argv[0]);
            if (!textAsNumber(ctx, argv[1], ta, b)) return;
        } else {
            b = sqlite3_value_double(argv[1]);
            if (!textAsNumber(ctx, argv[0], tb, a)) return;
        }
        return sqlite3_result_int(ctx, sign(a - b));
    }
    std::string ba, bb;
    sqlite3_result_int(ctx, compareText(valueText(argv[0], ba), valueText(argv[1], bb)));
}

// like(pattern, value[, escape]): SQLite's argument order for "value LIKE pattern".
void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int k = 0; k < argc; ++k)
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    char32_t escape = 0;
    std::string be;
    if (argc == 3) {
        std::string_view e = valueText(argv[2], be);
        int32_t i = 0;
        UChar32 c = -1;
        if (!e.empty()) U8_NEXT(e.data(), i, static_cast<int32_t>(e.size()), c);
        if (c < 0 || static_cast<size_t>(i) != e.size())
            return failFunction(ctx, rt::errProvider,
                                "The invalid escape character \"" + std::string(e) +
                                    "\" was specified in a LIKE predicate.");
        escape = static_cast<char32_t>(c);
    }
    std::string bp, bv;
    std::string_view pattern = valueText(argv[0], bp);
    // SQLite's own LIKE refuses very long patterns; callers may count on that limit staying.
    int limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
    if (pattern.size() > static_cast<size_t>(limit))
        return failFunction(ctx, rt::errProvider, "LIKE or GLOB pattern too complex");
    std::string_view value = valueText(argv[1], bv);
    sqlite3_result_int(ctx, likeText(value, pattern, escape) ? 1 : 0);
}

} // namespace

void registerComparisonFunctions(sqlite3* db, FunctionErrors* errors) {
    constexpr int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    const FunctionDef defs[] = {
        {"ss_compare", 2, pure, fnCompare}, {"like", 2, pure, fnLike}, {"like", 3, pure, fnLike}};
    for (const FunctionDef& d : defs)
        registerFunction(db, errors, d);
}

} // namespace ado::detail
