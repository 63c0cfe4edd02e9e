#pragma once
// OLE automation dates: days since 30 December 1899, the time of day as the fraction.
#include <optional>
#include <string>
#include <string_view>

namespace rt {

struct Date {
    double serial = 0.0;
    friend bool operator==(Date a, Date b) { return a.serial == b.serial; }
    friend auto operator<=>(Date a, Date b) { return a.serial <=> b.serial; }
};

// The serials of 1 January 100 and 31 December 9999, the range of a date; a date outside it
// raises 6 (overflow) where it is converted or taken apart.
inline constexpr double kMinSerial = -657434.0;
inline constexpr double kMaxSerial = 2958465.0;

struct DateParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

Date makeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
DateParts splitDate(Date d);
Date dateOnly(Date d);
Date addDays(Date d, int days);
bool hasTime(Date d);
Date now();
Date today();

// "yyyymmdd" as this system writes dates into SQL.
std::string toYmd(Date d);
// The display form of a date (the suite's short date, day first), with the time when it has one.
std::string toDisplay(Date d);
// Reads the display form (dd/mm/yyyy, dd-mm-yyyy), ISO (yyyy-mm-dd) and the stored forms
// ("yyyymmdd" and "yyyymmdd hh:mm:ss"); nothing for text that is no date. A part of ten digits
// or more raises 6 (overflow).
std::optional<Date> parseDate(std::string_view text);
// The stored form: "yyyymmdd", or "yyyymmdd hh:mm:ss" when there is a time of day.
std::string toStored(Date d);

} // namespace rt
