#include "ado/DateText.h"

#include <cstdio>

namespace ado::detail {

namespace {

bool digitsAt(std::string_view s, size_t from, size_t n, int& value) {
    int v = 0;
    for (size_t k = from; k < from + n; ++k) {
        char c = s[k];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

bool validDate(int y, int m, int d) {
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    static const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= len[m - 1] + (m == 2 && leap ? 1 : 0);
}

} // namespace

std::optional<StoredDate> parseStoredDate(std::string_view s) {
    if (s.size() != 8 && s.size() != 14 && s.size() != 17) return std::nullopt;
    StoredDate d;
    if (!digitsAt(s, 0, 4, d.year) || !digitsAt(s, 4, 2, d.month) || !digitsAt(s, 6, 2, d.day))
        return std::nullopt;
    if (!validDate(d.year, d.month, d.day)) return std::nullopt;
    if (s.size() == 8) return d;
    if (s[8] != ' ' || s[11] != ':' || !digitsAt(s, 9, 2, d.hour) || !digitsAt(s, 12, 2, d.minute))
        return std::nullopt;
    if (s.size() == 17 && (s[14] != ':' || !digitsAt(s, 15, 2, d.second))) return std::nullopt;
    if (d.hour > 23 || d.minute > 59 || d.second > 59) return std::nullopt;
    return d;
}

std::optional<std::string> formatDateStyle(const StoredDate& d, int style) {
    char buf[40];
    int y = d.year, yy = d.year % 100;
    switch (style) {
    case 1:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", d.month, d.day, yy);
        break;
    case 3:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", d.day, d.month, yy);
        break;
    case 4:
        std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", d.day, d.month, yy);
        break;
    case 5:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", d.day, d.month, yy);
        break;
    case 10:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", d.month, d.day, yy);
        break;
    case 11:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", yy, d.month, d.day);
        break;
    case 12:
        std::snprintf(buf, sizeof buf, "%02d%02d%02d", yy, d.month, d.day);
        break;
    case 23:
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, d.month, d.day);
        break;
    case 101:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.month, d.day, y);
        break;
    case 103:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, y);
        break;
    case 104:
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, y);
        break;
    case 105:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", d.day, d.month, y);
        break;
    case 108:
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", d.hour, d.minute, d.second);
        break;
    case 110:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", d.month, d.day, y);
        break;
    case 111:
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", y, d.month, d.day);
        break;
    case 112:
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, d.month, d.day);
        break;
    case 120:
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, d.month, d.day, d.hour, d.minute,
                      d.second);
        break;
    default:
        return std::nullopt;
    }
    return std::string(buf);
}

} // namespace ado::detail
