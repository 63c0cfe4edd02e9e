#pragma once
// The stored form of dates: "yyyymmdd", or "yyyymmdd hh:mm:ss" with a time of day.
// A fast reader for it, since every date cell of a result passes through here.
#include <optional>
#include <string>
#include <string_view>

namespace ado::detail {

struct StoredDate {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Nothing unless the text is exactly a valid stored date ("yyyymmdd hh:mm" is accepted too).
std::optional<StoredDate> parseStoredDate(std::string_view text);

// A date in one of SQL Server's CONVERT styles (1, 3, 4, 5, 10, 11, 12, 23, 101, 103, 104, 105,
// 108, 110, 111, 112, 120); nothing for a style this system does not know.
std::optional<std::string> formatDateStyle(const StoredDate& d, int style);

} // namespace ado::detail
