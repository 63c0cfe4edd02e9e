#include "ado/SqlValues.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sqlite3.h>

namespace ado::detail {

std::string_view valueText(sqlite3_value* v, std::string& buffer) {
    if (sqlite3_value_type(v) == SQLITE_FLOAT) {
        double d = sqlite3_value_double(v);
        char text[40];
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
            std::snprintf(text, sizeof text, "%.0f", d);
        else
            std::snprintf(text, sizeof text, "%.15g", d);
        buffer = text;
        return buffer;
    }
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

IntRead readInteger(std::string_view text, int64_t min, int64_t max, int64_t& value) {
    std::string_view s = trimBlanks(text);
    value = 0;
    if (s.empty()) return IntRead::Ok; // SQL Server reads an empty text as 0
    bool negative = false;
    size_t i = 0;
    if (s[0] == '+' || s[0] == '-') negative = s[i++] == '-';
    if (i == s.size()) return IntRead::NotANumber;
    uint64_t magnitude = 0;
    bool tooLong = false;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return IntRead::NotANumber;
        if (magnitude > (std::numeric_limits<uint64_t>::max() - 9) / 10)
            tooLong = true;
        else
            magnitude = magnitude * 10 + static_cast<uint64_t>(s[i] - '0');
    }
    auto limit = negative ? static_cast<uint64_t>(-(min + 1)) + 1 : static_cast<uint64_t>(max);
    if (tooLong || magnitude > limit) return IntRead::Overflow;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return IntRead::Ok;
}

std::optional<double> readNumber(std::string_view text) {
    std::string s(trimBlanks(text));
    if (s.empty()) return std::nullopt;
    // strtod would also take hexadecimal, "inf" and "nan", which no SQL Server type reads.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return std::nullopt;
    char* end = nullptr;
    double d = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(d)) return std::nullopt;
    return d;
}

} // namespace ado::detail
