#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

using rt::Variant;

using testsupport::errorOf;

TEST(Integer, RoundsHalfToEvenWithinRange) {
    EXPECT_EQ(rt::CInt(2.5), 2);
    EXPECT_EQ(rt::CInt(3.5), 4);
    EXPECT_EQ(rt::CInt(-2.5), -2);
    EXPECT_EQ(rt::CInt(2.5000001), 3);
    EXPECT_EQ(rt::CInt("2.5"), 2);
    EXPECT_EQ(rt::CLng(1234567.5), 1234568);
    EXPECT_EQ(rt::CInt(-32768.5), -32768); // rounds to the even -32768, still in range
    EXPECT_EQ(rt::CInt(true), -1);
    EXPECT_EQ(errorOf([] { rt::CInt(32767.5); }), rt::errOverflow);
    EXPECT_EQ(errorOf([] { rt::CInt("40000"); }), rt::errOverflow);
    EXPECT_EQ(errorOf([] { rt::CLng(2147483647.5); }), rt::errOverflow);
    EXPECT_EQ(errorOf([] { rt::CInt("abc"); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CInt(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(Val, ReadsTheLeadingNumberOnly) {
    struct Case {
        const char* text;
        double value;
    };
    for (Case c : {Case{"  12.5abc", 12.5},
                   {"abc", 0},
                   {"1,000", 1},
                   {"1.2.3", 1.2},
                   {"-7.25 kg", -7.25},
                   {".5", 0.5},
                   {"1 2 3", 123},
                   {"1.5e2x", 150},
                   {"12e", 12}}) {
        EXPECT_DOUBLE_EQ(rt::Val(c.text), c.value) << c.text;
    }
    EXPECT_EQ(errorOf([] { rt::Val("1e400"); }), rt::errOverflow);
    EXPECT_EQ(errorOf([] { rt::Val(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(Val, DecimalTextsReadToTheSameBitsAsStrtod) {
    // Amounts as typed: a wrong last bit would move totals and tallies by a cent in the end.
    std::vector<std::string> texts = {"0.1",
                                      "0.3",
                                      "-0",
                                      "-0.0",
                                      "123456789012345",
                                      "0.000000000000000000001",
                                      "1.",
                                      "1234567890123456",
                                      "9007199254740993",
                                      "00000000000000001.5",
                                      "  12.50  ",
                                      "+.5"};
    uint64_t seed = 12345;
    for (int k = 0; k < 20000; ++k) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const uint64_t digits = (seed >> 11) % 1000000000000000ULL;
        const int decimals = static_cast<int>((seed >> 3) % 16);
        std::string t = std::to_string(digits);
        if (decimals > 0 && decimals < static_cast<int>(t.size())) t.insert(t.size() - decimals, ".");
        texts.push_back((k % 2 ? "-" : "") + t);
    }
    for (const std::string& t : texts) {
        const double expected = std::strtod(t.c_str(), nullptr);
        const double val = rt::Val(t), cdbl = rt::CDbl(Variant(t));
        EXPECT_EQ(std::memcmp(&val, &expected, sizeof val), 0) << t;
        EXPECT_EQ(std::memcmp(&cdbl, &expected, sizeof cdbl), 0) << t;
    }
}

TEST(IsNumeric, WholeTextMustReadAsANumber) {
    for (const char* yes : {" 12 ", "-12.50", "1,000", "1e5"})
        EXPECT_TRUE(rt::IsNumeric(yes)) << yes;
    for (const char* no : {"", "   ", "1.2.3", "12abc", "-", ".", "1e"})
        EXPECT_FALSE(rt::IsNumeric(no)) << no;
    EXPECT_TRUE(rt::IsNumeric(Variant()));
    EXPECT_FALSE(rt::IsNumeric(Variant::null()));
    EXPECT_FALSE(rt::IsNumeric(Variant(rt::makeDate(2026, 1, 31))));
}

TEST(Text, StrLeavesABlankForTheSign) {
    EXPECT_EQ(rt::Str(5), " 5");
    EXPECT_EQ(rt::Str(-5), "-5");
    EXPECT_EQ(rt::Str(45.5), " 45.5");
    EXPECT_EQ(rt::Str(-0.0), " 0");
}

TEST(Text, NumbersAndDatesAsText) {
    EXPECT_EQ(rt::NumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(rt::NumberText(123456789.123456789), "123456789.123457");
    EXPECT_EQ(rt::NumberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(rt::NumberText(1e15), "1E+15");
    EXPECT_EQ(rt::NumberText(-0.00001), "-1E-05");
    EXPECT_EQ(rt::CStr(Variant(true)), "True");
    EXPECT_EQ(rt::CStr(Variant(rt::makeDate(2026, 1, 31))), "31/01/2026");
    EXPECT_EQ(rt::CStr(Variant(rt::makeDate(2026, 1, 31, 8, 5, 9))), "31/01/2026 08:05:09");
    EXPECT_EQ(errorOf([] { rt::CStr(Variant::null()); }), rt::errInvalidUseOfNull);
    EXPECT_EQ(rt::TextOf(Variant::null()), "");
}

TEST(OtherConversions, BooleansDoublesAndDates) {
    EXPECT_TRUE(rt::CBool(" true "));
    EXPECT_TRUE(rt::CBool("-1"));
    EXPECT_EQ(errorOf([] { rt::CBool("yes"); }), rt::errTypeMismatch);
    EXPECT_DOUBLE_EQ(rt::CDbl(" 1,234.5 "), 1234.5);
    EXPECT_EQ(errorOf([] { rt::CDbl("12abc"); }), rt::errTypeMismatch);
    EXPECT_EQ(rt::CDate(Variant(46053.5)), rt::makeDate(2026, 1, 31, 12));
    EXPECT_EQ(errorOf([] { rt::CDate("31/02/2026"); }), rt::errTypeMismatch);
    // Beyond the years 100 to 9999 a serial is no date: overflow, not a wild value.
    for (double serial : {1e300, -1e300, 2958466.0, -657435.0, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(errorOf([&] { rt::CDate(Variant(serial)); }), rt::errOverflow) << serial;
    EXPECT_EQ(rt::CDate(Variant(2958465.5)), rt::makeDate(9999, 12, 31, 12));
    EXPECT_EQ(errorOf([] { rt::CDate("01/01/99999999999"); }), rt::errOverflow);
}

TEST(Strings, TrimOnlyBlanksAndSearch) {
    EXPECT_EQ(rt::Trim("\t a "), "\t a");
    EXPECT_EQ(rt::Trim("  a b  "), "a b");
    EXPECT_EQ(rt::Trim("   "), "");
    EXPECT_EQ(rt::InStr("Journal Date", "date"), 0u);
    EXPECT_EQ(rt::InStr("Journal Date", "date", true), 9u);
    EXPECT_EQ(rt::InStr("abc", ""), 1u);
    EXPECT_EQ(rt::InStr("", ""), 0u);
}

} // namespace
