#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using rt::Format;
using rt::Variant;

struct Case {
    Variant value;
    const char* format;
    const char* text;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.value, c.format), c.text) << rt::TextOf(c.value) << " as " << c.format;
}

constexpr const char* kAmount = "###,###,##0.00";
constexpr const char* kRate = "###,###,##0.00######";
constexpr const char* kPlain = "########0.00";

TEST(FormatNumber, EdgeValuesOfEachFormat) {
    expectAll({
        // The 15-digit decimal is rounded, not the binary value a little below the half.
        {2.345, "0.00", "2.35"},
        {1.005, "0.00", "1.01"},
        {0.004999, "0.00", "0.00"},
        {9.995, "0.00", "10.00"},
        {-2.345, "0.00", "-2.35"},
        {-0.001, "0.00", "0.00"}, // rounds to zero: no sign
        {0, kAmount, "0.00"},
        {999, kAmount, "999.00"},
        {1000, kAmount, "1,000.00"},
        {999999.995, kAmount, "1,000,000.00"},
        {12345678901.125, kAmount, "12,345,678,901.13"},
        {-123456.789, kAmount, "-123,456.79"},
        {1.123456789, kRate, "1.12345679"},
        {1.1, kRate, "1.10"},
        {1234567.5, kRate, "1,234,567.50"},
        {0.000000004, kRate, "0.00"},
        {0.000000005, kRate, "0.00000001"},
        {100.004, kPlain, "100.00"},
        {1234567.5, kPlain, "1234567.50"},
    });
}

TEST(FormatNumber, TextAndSpecialValues) {
    expectAll({
        {" 12 ", kAmount, "12.00"},
        {"abc", "0.00", "abc"},
        {"", "0.00", ""},
        {Variant::null(), "0.00", ""},
        {true, "0.00", "-1.00"},
    });
}

TEST(FormatNumber, NonFiniteValuesRaiseOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        for (const char* pattern : {"0.00", kAmount, kRate, kPlain})
            EXPECT_EQ(testsupport::errorOf([&] { Format(v, pattern); }), rt::errOverflow)
                << v << " as " << pattern;
    }
    // The largest finite value is still written out in full.
    EXPECT_EQ(Format(1e308, kPlain).size(), 309u + 3u);
}

TEST(FormatDate, Patterns) {
    expectAll({
        {rt::makeDate(2026, 1, 5, 8, 4, 3), "yyyymmdd", "20260105"},
        {rt::makeDate(2024, 2, 29), "yyyymmdd", "20240229"},
        {rt::makeDate(2026, 1, 5, 8, 4, 3), "dd-mm-yy hh:nn:ss", "05-01-26 08:04:03"},
        {"31/12/2025", "yyyymmdd", "20251231"},
        {46053.75, "yyyymmdd hh:nn", "20260131 18:00"},
        {"not a date", "yyyymmdd", "not a date"},
    });
}

} // namespace
