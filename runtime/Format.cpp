// The runtime's Format for the number and date patterns this system uses.
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rt {

namespace {

struct NumberPattern {
    int minInt = 0, minDec = 0, maxDec = 0;
    bool grouping = false;
};

bool isNumberPattern(std::string_view p) {
    if (p.empty()) return false;
    for (char c : p)
        if (c != '#' && c != '0' && c != ',' && c != '.') return false;
    return true;
}

NumberPattern readPattern(std::string_view p) {
    NumberPattern np;
    size_t dot = p.find('.');
    std::string_view ip = p.substr(0, dot);
    for (char c : ip) {
        if (c == '0') ++np.minInt;
        if (c == ',') np.grouping = true;
    }
    if (dot != std::string_view::npos) {
        for (char c : p.substr(dot + 1)) {
            if (c == '0') ++np.minDec, ++np.maxDec;
            if (c == '#') ++np.maxDec;
        }
    }
    return np;
}

// Decimal digits of |v| rounded half away from zero at `decimals`, read from the value's
// 15 significant digits as the runtime does (so 2.345 formats as 2.35).
void decimalDigits(double v, int decimals, std::string& intPart, std::string& fracPart) {
    // "inf" and "nan" have no exponent to read; no such value is a number the runtime can show.
    if (!std::isfinite(v)) raise(errOverflow);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string s = buf;
    size_t e = s.find('e');
    int exp = std::atoi(s.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') digits += s[i];
    // digits d0 d1 ... with value d0.d1d2... * 10^exp
    int pointPos = exp + 1; // digits before the decimal point
    if (pointPos < 0) {
        digits.insert(0, static_cast<size_t>(-pointPos), '0');
        pointPos = 0;
    }
    if (static_cast<int>(digits.size()) < pointPos + decimals + 1)
        digits.append(static_cast<size_t>(pointPos + decimals + 1 - static_cast<int>(digits.size())), '0');
    std::string kept = digits.substr(0, static_cast<size_t>(pointPos + decimals));
    bool roundUp = digits[static_cast<size_t>(pointPos + decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9')
            kept[static_cast<size_t>(i--)] = '0';
        if (i >= 0)
            ++kept[static_cast<size_t>(i)];
        else {
            kept.insert(kept.begin(), '1');
            ++pointPos;
        }
    }
    intPart = kept.substr(0, static_cast<size_t>(pointPos));
    fracPart = kept.substr(static_cast<size_t>(pointPos));
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "" : intPart.substr(nz);
}

std::string formatNumber(double v, const NumberPattern& np) {
    std::string ip, fp;
    decimalDigits(v, np.maxDec, ip, fp);
    while (static_cast<int>(fp.size()) > np.minDec && fp.back() == '0')
        fp.pop_back();
    if (static_cast<int>(ip.size()) < np.minInt)
        ip = std::string(static_cast<size_t>(np.minInt) - ip.size(), '0') + ip;
    if (np.grouping && ip.size() > 3) {
        // Grouped from the right and turned round once, rather than inserted at the front.
        std::string g;
        int n = 0;
        for (auto it = ip.rbegin(); it != ip.rend(); ++it) {
            if (n && n % 3 == 0) g.push_back(',');
            g.push_back(*it);
            ++n;
        }
        ip.assign(g.rbegin(), g.rend());
    }
    bool zero =
        ip.find_first_not_of("0,") == std::string::npos && fp.find_first_not_of('0') == std::string::npos;
    std::string out = (v < 0 && !zero) ? "-" : "";
    out += ip;
    if (np.maxDec > 0 && (!fp.empty() || np.minDec > 0)) out += "." + fp;
    return out;
}

std::string formatDate(Date d, std::string_view p) {
    DateParts dp = splitDate(d);
    std::string out;
    char buf[16];
    for (size_t i = 0; i < p.size();) {
        auto take = [&](std::string_view tok) {
            if (p.substr(i, tok.size()) == tok) {
                i += tok.size();
                return true;
            }
            return false;
        };
        if (take("yyyy"))
            std::snprintf(buf, sizeof buf, "%04d", dp.year), out += buf;
        else if (take("yy"))
            std::snprintf(buf, sizeof buf, "%02d", dp.year % 100), out += buf;
        else if (take("mm"))
            std::snprintf(buf, sizeof buf, "%02d", dp.month), out += buf;
        else if (take("dd"))
            std::snprintf(buf, sizeof buf, "%02d", dp.day), out += buf;
        else if (take("hh"))
            std::snprintf(buf, sizeof buf, "%02d", dp.hour), out += buf;
        else if (take("nn"))
            std::snprintf(buf, sizeof buf, "%02d", dp.minute), out += buf;
        else if (take("ss"))
            std::snprintf(buf, sizeof buf, "%02d", dp.second), out += buf;
        else
            out += p[i++];
    }
    return out;
}

} // namespace

std::string Format(const Variant& v, std::string_view pattern) {
    if (v.isEmpty() || v.isNull()) return "";
    if (isNumberPattern(pattern)) {
        if (v.isString()) {
            if (!IsNumeric(v)) return v.str();
            if (Trim(v.str()).empty()) return "";
        }
        if (v.isObject()) raise(errTypeMismatch);
        return formatNumber(CDbl(v), readPattern(pattern));
    }
    if (v.isString()) {
        auto d = parseDate(v.str());
        if (!d) return v.str();
        return formatDate(*d, pattern);
    }
    return formatDate(CDate(v), pattern);
}

} // namespace rt
