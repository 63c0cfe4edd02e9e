#include "runtime/Date.h"

#include "runtime/Error.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace rt {

namespace {
// Days from 1970-01-01 of a civil date (proleptic Gregorian).
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long kOleEpoch = daysFromCivil(1899, 12, 30);

bool validYmd(int y, int m, int d) {
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int max = len[m - 1] + ((m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) ? 1 : 0);
    return d <= max;
}

bool digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Callers pass digit runs; a run of ten digits or more does not fit and is an overflow, as
// the runtime reports a number too large for its type.
int toInt(std::string_view s) {
    if (s.size() > 9) raise(errOverflow);
    int v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// "hh:mm[:ss]" into seconds; -1 when it is no time.
int parseTime(std::string_view t) {
    t = trim(t);
    int parts[3] = {0, 0, 0};
    int n = 0;
    while (!t.empty() && n < 3) {
        size_t p = t.find(':');
        std::string_view piece = t.substr(0, p);
        if (!digits(piece) || piece.size() > 2) return -1;
        parts[n++] = toInt(piece);
        if (p == std::string_view::npos) break;
        t.remove_prefix(p + 1);
    }
    if (n < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return -1;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}
} // namespace

Date makeDate(int year, int month, int day, int hour, int minute, int second) {
    double serial = static_cast<double>(daysFromCivil(year, month, day) - kOleEpoch);
    serial += (hour * 3600 + minute * 60 + second) / 86400.0;
    return Date{serial};
}

DateParts splitDate(Date d) {
    if (!(d.serial >= kMinSerial && d.serial < kMaxSerial + 1)) raise(errOverflow);
    DateParts p;
    double whole = std::floor(d.serial);
    long secs = std::lround((d.serial - whole) * 86400.0);
    if (secs >= 86400) {
        whole += 1;
        secs -= 86400;
    }
    civilFromDays(static_cast<long>(whole) + kOleEpoch, p.year, p.month, p.day);
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    return p;
}

Date dateOnly(Date d) {
    return Date{std::floor(d.serial)};
}
Date addDays(Date d, int days) {
    return Date{d.serial + days};
}
bool hasTime(Date d) {
    DateParts p = splitDate(d);
    return p.hour || p.minute || p.second;
}

Date now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return makeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

Date today() {
    return dateOnly(now());
}

namespace {
// Digits written by hand: dates are formatted once per grid cell, so snprintf shows up.
void put2(std::string& out, int v) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}
void put4(std::string& out, int v) {
    put2(out, v / 100);
    put2(out, v % 100);
}
void putTime(std::string& out, const DateParts& p) {
    out += ' ';
    put2(out, p.hour);
    out += ':';
    put2(out, p.minute);
    out += ':';
    put2(out, p.second);
}
} // namespace

std::string toYmd(Date d) {
    DateParts p = splitDate(d);
    std::string out;
    out.reserve(8);
    put4(out, p.year);
    put2(out, p.month);
    put2(out, p.day);
    return out;
}

std::string toStored(Date d) {
    DateParts p = splitDate(d);
    std::string out = toYmd(d);
    if (p.hour || p.minute || p.second) putTime(out, p);
    return out;
}

std::string toDisplay(Date d) {
    DateParts p = splitDate(d);
    std::string out;
    out.reserve(19);
    put2(out, p.day);
    out += '/';
    put2(out, p.month);
    out += '/';
    put4(out, p.year);
    if (p.hour || p.minute || p.second) putTime(out, p);
    return out;
}

std::optional<Date> parseDate(std::string_view text) {
    text = trim(text);
    if (text.empty()) return std::nullopt;
    std::string_view datePart = text, timePart;
    if (size_t sp = text.find(' '); sp != std::string_view::npos) {
        datePart = text.substr(0, sp);
        timePart = text.substr(sp + 1);
    }
    int y = 0, m = 0, d = 0;
    if (datePart.size() == 8 && digits(datePart)) {
        y = toInt(datePart.substr(0, 4));
        m = toInt(datePart.substr(4, 2));
        d = toInt(datePart.substr(6, 2));
    } else {
        char sep = 0;
        for (char c : datePart)
            if (c == '/' || c == '-' || c == '.') {
                sep = c;
                break;
            }
        if (!sep) return std::nullopt;
        std::string_view a, b, c;
        size_t p1 = datePart.find(sep);
        size_t p2 = datePart.find(sep, p1 + 1);
        if (p2 == std::string_view::npos || datePart.find(sep, p2 + 1) != std::string_view::npos)
            return std::nullopt;
        a = datePart.substr(0, p1);
        b = datePart.substr(p1 + 1, p2 - p1 - 1);
        c = datePart.substr(p2 + 1);
        if (!digits(a) || !digits(b) || !digits(c)) return std::nullopt;
        if (a.size() == 4) { // ISO
            y = toInt(a), m = toInt(b), d = toInt(c);
        } else { // day first, as the suite shows dates
            d = toInt(a), m = toInt(b), y = toInt(c);
            if (c.size() <= 2) y += y < 30 ? 2000 : 1900;
        }
    }
    if (!validYmd(y, m, d)) return std::nullopt;
    int secs = 0;
    if (!timePart.empty()) {
        secs = parseTime(timePart);
        if (secs < 0) return std::nullopt;
    }
    return makeDate(y, m, d, secs / 3600, secs / 60 % 60, secs % 60);
}

} // namespace rt
