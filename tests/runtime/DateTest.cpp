#include "runtime/Date.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

namespace {

using rt::Date;
using rt::makeDate;
using rt::parseDate;

void expectParts(Date d, int y, int m, int day, int h = 0, int mi = 0, int s = 0) {
    rt::DateParts p = rt::splitDate(d);
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.day, p.hour, p.minute, p.second}),
              std::vector<int>({y, m, day, h, mi, s}));
}

TEST(OleDate, SerialsAndRoundTrips) {
    EXPECT_EQ(makeDate(1899, 12, 30).serial, 0);
    EXPECT_EQ(makeDate(1899, 12, 29).serial, -1);
    EXPECT_EQ(makeDate(1900, 1, 1).serial, 2);
    EXPECT_EQ(makeDate(2026, 1, 31, 12).serial, 46053.5);
    struct Ymd {
        int y, m, d;
    };
    for (Ymd c : {Ymd{2024, 2, 29}, Ymd{2000, 2, 29}, Ymd{2025, 12, 31}, Ymd{1900, 3, 1}, Ymd{2100, 3, 1}}) {
        SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
        expectParts(makeDate(c.y, c.m, c.d, 23, 59, 59), c.y, c.m, c.d, 23, 59, 59);
    }
    // 2100 is no leap year.
    EXPECT_EQ(makeDate(2100, 3, 1).serial - makeDate(2100, 2, 28).serial, 1);
    EXPECT_EQ(makeDate(2024, 3, 1).serial - makeDate(2024, 2, 28).serial, 2);
}

TEST(OleDate, TimeJustBeforeMidnightRoundsToTheNextDay) {
    Date d{makeDate(2026, 1, 31).serial + 86399.7 / 86400.0};
    expectParts(d, 2026, 2, 1);
    EXPECT_FALSE(rt::hasTime(d));
    EXPECT_EQ(rt::dateOnly(makeDate(2026, 3, 1, 10, 30)), makeDate(2026, 3, 1));
}

TEST(DateText, WrittenFormsAndParsingThemBack) {
    Date withTime = makeDate(2026, 1, 5, 8, 4, 3);
    EXPECT_EQ(rt::toYmd(withTime), "20260105");
    EXPECT_EQ(rt::toStored(makeDate(2026, 1, 5)), "20260105");
    EXPECT_EQ(rt::toStored(withTime), "20260105 08:04:03");
    EXPECT_EQ(rt::toDisplay(withTime), "05/01/2026 08:04:03");
    Date stamp = makeDate(2024, 2, 29, 17, 0, 1);
    EXPECT_EQ(parseDate(rt::toStored(stamp)), stamp);
    EXPECT_EQ(parseDate(rt::toDisplay(stamp)), stamp);
    Date d = makeDate(2026, 1, 31);
    for (const char* text : {"31/01/2026", "31-01-2026", "2026-01-31", "20260131", " 31/1/2026 ", "31/01/26"})
        EXPECT_EQ(parseDate(text), d) << text;
    EXPECT_EQ(parseDate("31/01/99"), makeDate(1999, 1, 31));
    EXPECT_EQ(parseDate("2026-01-31 23:59"), makeDate(2026, 1, 31, 23, 59));
}

TEST(DateText, RejectsTextThatIsNoDate) {
    for (const char* bad :
         {"31/02/2026", "29/02/2025", "00/01/2026", "31/13/2026", "20261301", "2026013", "31/01", "1/2/3/4",
          "", "abc", "31/01/2026 25:00", "31/01/2026 10:60", "31/0a/2026"}) {
        EXPECT_FALSE(parseDate(bad).has_value()) << bad;
    }
}

// Parts too long for a number, and serials beyond year 9999, are an overflow rather than
// arithmetic past the end of an int.
TEST(DateText, PartsOfTenDigitsOrMoreAndHugeSerialsOverflow) {
    auto overflows = [](auto&& f) { return testsupport::errorOf(f) == rt::errOverflow; };
    for (const char* big :
         {"01/01/2147483648", "9999999999/01/2026", "2026-01-99999999999", "01/4294967297/2026"})
        EXPECT_TRUE(overflows([&] { parseDate(big); })) << big;
    EXPECT_TRUE(parseDate("01/01/999999999") == std::nullopt); // nine digits still read, and is no date
    EXPECT_TRUE(overflows([] { rt::splitDate(Date{1e18}); }));
    EXPECT_TRUE(overflows([] { rt::toStored(Date{-1e18}); }));
}

} // namespace
