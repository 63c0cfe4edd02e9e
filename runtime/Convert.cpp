#include "runtime/Convert.h"

#include "runtime/Error.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace rt {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads a whole numeric text (blanks around, sign, thousands separators, decimals, exponent).
// Up to 15 digits and 22 decimals: the digits and the power of ten are both exact doubles, so one
// division rounds exactly as strtod does, at a fraction of its cost (a save reads every amount).
bool exactDecimal(std::string_view clean, double& out) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = !clean.empty() && clean[0] == '-';
    if (!clean.empty() && (clean[0] == '-' || clean[0] == '+')) clean.remove_prefix(1);
    uint64_t digits = 0;
    int count = 0, decimals = 0;
    bool dot = false;
    for (char c : clean) {
        if (c == '.') {
            dot = true;
            continue;
        }
        if (++count > 15) return false;
        digits = digits * 10 + static_cast<uint64_t>(c - '0');
        if (dot) ++decimals;
    }
    if (decimals > 22) return false;
    const double v = static_cast<double>(digits) / kPow10[decimals];
    out = negative ? -v : v;
    return true;
}

bool plainDecimal(std::string_view s) {
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    bool digit = false, dot = false;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !dot)
            dot = true;
        else
            return false;
    }
    return digit;
}

bool parseNumber(std::string_view s, double& out) {
    std::string_view plain = s;
    while (!plain.empty() && plain.front() == ' ')
        plain.remove_prefix(1);
    while (!plain.empty() && plain.back() == ' ')
        plain.remove_suffix(1);
    if (plainDecimal(plain) && exactDecimal(plain, out)) return true;
    std::string t = Trim(s);
    if (t.empty()) return false;
    std::string clean;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') clean += t[i++];
    bool digitsSeen = false, dot = false;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            clean += c;
            digitsSeen = true;
        } else if (c == ',' && !dot && digitsSeen) {
            continue;
        } else if (c == '.' && !dot) {
            clean += c;
            dot = true;
        } else {
            break;
        }
    }
    if (!digitsSeen) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) exp += t[j++];
        size_t start = j;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j])))
            exp += t[j++];
        if (j == start) return false;
        clean += exp;
        i = j;
    }
    if (i != t.size()) return false;
    if (clean.find('e') == std::string::npos && exactDecimal(clean, out)) return true;
    out = std::strtod(clean.c_str(), nullptr);
    return std::isfinite(out);
}

double roundHalfEven(double v) {
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(v);
    std::fesetround(old);
    return r;
}

template <class T> T toInteger(const Variant& v) {
    if (v.isNull()) raise(errInvalidUseOfNull);
    double d = CDbl(v);
    double r = roundHalfEven(d);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max())))
        raise(errOverflow);
    return static_cast<T>(r);
}
} // namespace

double Val(std::string_view text) {
    if (double d = 0; plainDecimal(text) && exactDecimal(text, d)) return d;
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string num;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) num += text[i++];
    bool dot = false, digits = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            num += c;
            digits = true;
        } else if (c == '.' && !dot) {
            num += c;
            dot = true;
        } else if (isBlank(c)) {
            continue; // the runtime's Val reads "1 2" as 12
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        size_t start = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            exp += text[j++];
        if (j > start) num += exp;
    }
    double d = 0;
    if (num.find('e') != std::string::npos || !exactDecimal(num, d)) d = std::strtod(num.c_str(), nullptr);
    if (!std::isfinite(d)) raise(errOverflow);
    return d;
}

double Val(const Variant& v) {
    if (v.isString()) return Val(v.str());
    if (v.isNull()) raise(errInvalidUseOfNull);
    return CDbl(v);
}

bool IsNumeric(const Variant& v) {
    switch (v.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Integer:
    case Variant::Type::Long:
    case Variant::Type::Double:
    case Variant::Type::Boolean:
        return true;
    case Variant::Type::String: {
        double d;
        return parseNumber(v.str(), d);
    }
    default:
        return false;
    }
}

double CDbl(const Variant& v) {
    using T = Variant::Type;
    switch (v.type()) {
    case T::Empty:
        return 0.0;
    case T::Null:
        raise(errInvalidUseOfNull);
    case T::Integer:
        return *VariantAccess::get<int16_t>(v);
    case T::Long:
        return *VariantAccess::get<int32_t>(v);
    case T::Double:
        return *VariantAccess::get<double>(v);
    case T::Boolean:
        return *VariantAccess::get<bool>(v) ? -1.0 : 0.0;
    case T::Date:
        return VariantAccess::get<Date>(v)->serial;
    case T::String: {
        double d;
        if (parseNumber(v.str(), d)) return d;
        raise(errTypeMismatch);
    }
    case T::Object:
        raise(errTypeMismatch);
    }
    raise(errTypeMismatch);
}

int16_t CInt(const Variant& v) {
    return toInteger<int16_t>(v);
}
int32_t CLng(const Variant& v) {
    return toInteger<int32_t>(v);
}

bool CBool(const Variant& v) {
    if (v.isNull()) raise(errInvalidUseOfNull);
    if (auto* b = VariantAccess::get<bool>(v)) return *b;
    if (v.isString()) {
        std::string t = Trim(v.str());
        if (iequals(t, "true")) return true;
        if (iequals(t, "false")) return false;
    }
    return CDbl(v) != 0.0;
}

Date CDate(const Variant& v) {
    if (v.isNull()) raise(errInvalidUseOfNull);
    if (auto* d = VariantAccess::get<Date>(v)) return *d;
    if (v.isString()) {
        if (auto d = parseDate(v.str())) return *d;
        raise(errTypeMismatch);
    }
    if (v.isObject()) raise(errTypeMismatch);
    double serial = CDbl(v);
    if (!(serial >= kMinSerial && serial < kMaxSerial + 1)) raise(errOverflow);
    return Date{serial};
}

std::string NumberText(double n) {
    if (n == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", n);
    std::string s = buf;
    if (auto e = s.find('e'); e != std::string::npos) {
        // The runtime writes exponents as E+20 / E-07.
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        char sign = exp[0] == '-' ? '-' : '+';
        size_t k = (exp[0] == '-' || exp[0] == '+') ? 1 : 0;
        while (k + 1 < exp.size() && exp[k] == '0')
            ++k;
        std::string digits = exp.substr(k);
        if (digits.size() < 2) digits = "0" + digits;
        s = mant + "E" + sign + digits;
    }
    return s;
}

std::string Str(double n) {
    std::string text = n >= 0 ? " " : "";
    return text += NumberText(n);
}

std::string CStr(const Variant& v) {
    using T = Variant::Type;
    switch (v.type()) {
    case T::Empty:
        return "";
    case T::Null:
        raise(errInvalidUseOfNull);
    case T::Integer:
        return std::to_string(*VariantAccess::get<int16_t>(v));
    case T::Long:
        return std::to_string(*VariantAccess::get<int32_t>(v));
    case T::Double:
        return NumberText(*VariantAccess::get<double>(v));
    case T::Boolean:
        return *VariantAccess::get<bool>(v) ? "True" : "False";
    case T::Date:
        return toDisplay(*VariantAccess::get<Date>(v));
    case T::String:
        return v.str();
    case T::Object:
        raise(errTypeMismatch);
    }
    return "";
}

std::string TextOf(const Variant& v) {
    return v.isNull() ? std::string() : CStr(v);
}

std::string LTrim(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    size_t from = 0, to = s.size();
    while (from < to && s[from] == ' ')
        ++from;
    while (to > from && s[to - 1] == ' ')
        --to;
    return std::string(s.substr(from, to - from));
}

std::string UCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

std::string LCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

size_t InStr(std::string_view hay, std::string_view needle, bool ignoreCase) {
    if (needle.empty()) return hay.empty() ? 0 : 1;
    if (!ignoreCase) {
        size_t p = hay.find(needle);
        return p == std::string_view::npos ? 0 : p + 1;
    }
    std::string h = LCase(hay), n = LCase(needle);
    size_t p = h.find(n);
    return p == std::string::npos ? 0 : p + 1;
}

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

void TrimInPlace(std::string& s) {
    size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ')
        --end;
    s.resize(end);
    size_t start = 0;
    while (start < s.size() && s[start] == ' ')
        ++start;
    if (start) s.erase(0, start);
}

} // namespace rt
