#include "runtime/Convert.h"

#include <gtest/gtest.h>

namespace {

using rt::Format;
using rt::Variant;

constexpr const char* kAmount = "###,###,##0.00";
constexpr const char* kRate = "###,###,##0.00######";

TEST(FormatNumber, FixedTwoDecimals) {
    EXPECT_EQ(Format(1234.5, "0.00"), "1234.50");
    EXPECT_EQ(Format(0, "0.00"), "0.00");
    EXPECT_EQ(Format(0.5, "0.00"), "0.50");
    EXPECT_EQ(Format(7, "0.00"), "7.00");
    EXPECT_EQ(Format(100.004, "########0.00"), "100.00");
    EXPECT_EQ(Format(123456789.5, "########0.00"), "123456789.50");
}

TEST(FormatNumber, RoundsTheDecimalNotTheBinaryValue) {
    // 2.345 and 1.005 are stored a little below the half; the 15-digit decimal is not.
    EXPECT_EQ(Format(2.345, "0.00"), "2.35");
    EXPECT_EQ(Format(1.005, "0.00"), "1.01");
    EXPECT_EQ(Format(0.005, "0.00"), "0.01");
    EXPECT_EQ(Format(0.004999, "0.00"), "0.00");
    EXPECT_EQ(Format(2.5, "0"), "3");
}

TEST(FormatNumber, CarryRunsThroughAllDigits) {
    EXPECT_EQ(Format(0.995, "0.00"), "1.00");
    EXPECT_EQ(Format(9.995, "0.00"), "10.00");
    EXPECT_EQ(Format(999999.995, kAmount), "1,000,000.00");
}

TEST(FormatNumber, Grouping) {
    EXPECT_EQ(Format(1234567.5, kAmount), "1,234,567.50");
    EXPECT_EQ(Format(0, kAmount), "0.00");
    EXPECT_EQ(Format(999, kAmount), "999.00");
    EXPECT_EQ(Format(1000, kAmount), "1,000.00");
    EXPECT_EQ(Format(12345678901.125, kAmount), "12,345,678,901.13");
    EXPECT_EQ(Format(1234567.5, "########0.00"), "1234567.50"); // no comma, no grouping
}

TEST(FormatNumber, OptionalDecimals) {
    EXPECT_EQ(Format(1.123456789, kRate), "1.12345679");
    EXPECT_EQ(Format(1.1, kRate), "1.10");
    EXPECT_EQ(Format(45.5, kRate), "45.50");
    EXPECT_EQ(Format(1234567.5, kRate), "1,234,567.50");
    EXPECT_EQ(Format(0.000000004, kRate), "0.00");
    EXPECT_EQ(Format(0.000000005, kRate), "0.00000001");
}

TEST(FormatNumber, Negatives) {
    EXPECT_EQ(Format(-1234.5, kAmount), "-1,234.50");
    EXPECT_EQ(Format(-2.345, "0.00"), "-2.35");
    EXPECT_EQ(Format(-0.5, "0.00"), "-0.50");
    EXPECT_EQ(Format(-123456.789, kAmount), "-123,456.79");
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
}

TEST(FormatNumber, TextAndSpecialValues) {
    EXPECT_EQ(Format("1234.5", "0.00"), "1234.50");
    EXPECT_EQ(Format(" 12 ", kAmount), "12.00");
    EXPECT_EQ(Format("abc", "0.00"), "abc");
    EXPECT_EQ(Format("", "0.00"), "");
    EXPECT_EQ(Format(Variant::null(), "0.00"), "");
    EXPECT_EQ(Format(int16_t{12}, "0.00"), "12.00");
    EXPECT_EQ(Format(true, "0.00"), "-1.00");
}

TEST(FormatDate, Patterns) {
    rt::Date d = rt::makeDate(2026, 1, 5, 8, 4, 3);
    EXPECT_EQ(Format(d, "yyyymmdd"), "20260105");
    EXPECT_EQ(Format(d, "dd/mm/yyyy"), "05/01/2026");
    EXPECT_EQ(Format(d, "dd-mm-yy hh:nn:ss"), "05-01-26 08:04:03");
    EXPECT_EQ(Format(rt::makeDate(2024, 2, 29), "yyyymmdd"), "20240229");
}

TEST(FormatDate, FromTextAndSerials) {
    EXPECT_EQ(Format("31/12/2025", "yyyymmdd"), "20251231");
    EXPECT_EQ(Format("20251231", "dd/mm/yyyy"), "31/12/2025");
    EXPECT_EQ(Format(46053.75, "yyyymmdd hh:nn"), "20260131 18:00");
    EXPECT_EQ(Format("not a date", "yyyymmdd"), "not a date");
}

} // namespace
