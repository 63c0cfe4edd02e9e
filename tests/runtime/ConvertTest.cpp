#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

namespace {

using rt::Variant;

// The error number a call raises, or 0 when it returns.
template <class F> int errorOf(F&& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(Integer, RoundsHalfToEven) {
    EXPECT_EQ(rt::CInt(2.5), 2);
    EXPECT_EQ(rt::CInt(3.5), 4);
    EXPECT_EQ(rt::CInt(-2.5), -2);
    EXPECT_EQ(rt::CInt(-3.5), -4);
    EXPECT_EQ(rt::CInt(2.5000001), 3);
    EXPECT_EQ(rt::CInt(0.5), 0);
    EXPECT_EQ(rt::CLng(1234567.5), 1234568);
    EXPECT_EQ(rt::CInt("2.5"), 2);
    EXPECT_EQ(rt::CInt(" 12 "), 12);
}

TEST(Integer, RangeEndsAndOverflow) {
    EXPECT_EQ(rt::CInt(32767.4), 32767);
    EXPECT_EQ(rt::CInt(-32768.5), -32768); // rounds to the even -32768, still in range
    EXPECT_EQ(errorOf([] { rt::CInt(32767.5); }), rt::errOverflow);
    EXPECT_EQ(errorOf([] { rt::CInt(-32769); }), rt::errOverflow);
    EXPECT_EQ(errorOf([] { rt::CInt("40000"); }), rt::errOverflow);
    EXPECT_EQ(rt::CLng(2147483647.0), 2147483647);
    EXPECT_EQ(errorOf([] { rt::CLng(2147483647.5); }), rt::errOverflow);
}

TEST(Integer, OtherTypes) {
    EXPECT_EQ(rt::CInt(Variant()), 0);
    EXPECT_EQ(rt::CInt(true), -1);
    EXPECT_EQ(rt::CInt("1e3"), 1000);
    EXPECT_EQ(errorOf([] { rt::CInt("abc"); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CInt(""); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CInt(Variant::null()); }), rt::errInvalidUseOfNull);
    EXPECT_EQ(errorOf([] { rt::CLng(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(Val, ReadsTheLeadingNumberOnly) {
    EXPECT_DOUBLE_EQ(rt::Val("  12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(rt::Val("abc"), 0);
    EXPECT_DOUBLE_EQ(rt::Val(""), 0);
    EXPECT_DOUBLE_EQ(rt::Val("1,000"), 1);
    EXPECT_DOUBLE_EQ(rt::Val("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(rt::Val("-7.25 kg"), -7.25);
    EXPECT_DOUBLE_EQ(rt::Val(".5"), 0.5);
    EXPECT_DOUBLE_EQ(rt::Val("1 2 3"), 123);
    EXPECT_DOUBLE_EQ(rt::Val("1.5e2x"), 150);
    EXPECT_DOUBLE_EQ(rt::Val("12e"), 12);
    EXPECT_EQ(errorOf([] { rt::Val("1e400"); }), rt::errOverflow);
}

TEST(Val, OfVariants) {
    EXPECT_DOUBLE_EQ(rt::Val(Variant("45.5:")), 45.5);
    EXPECT_DOUBLE_EQ(rt::Val(Variant(int16_t{7})), 7);
    EXPECT_DOUBLE_EQ(rt::Val(Variant()), 0);
    EXPECT_EQ(errorOf([] { rt::Val(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(IsNumeric, WholeTextMustReadAsANumber) {
    EXPECT_TRUE(rt::IsNumeric(" 12 "));
    EXPECT_TRUE(rt::IsNumeric("-12.50"));
    EXPECT_TRUE(rt::IsNumeric("1,000"));
    EXPECT_TRUE(rt::IsNumeric("1e5"));
    EXPECT_FALSE(rt::IsNumeric(""));
    EXPECT_FALSE(rt::IsNumeric("   "));
    EXPECT_FALSE(rt::IsNumeric("1.2.3"));
    EXPECT_FALSE(rt::IsNumeric("12abc"));
    EXPECT_FALSE(rt::IsNumeric("-"));
    EXPECT_FALSE(rt::IsNumeric("."));
    EXPECT_FALSE(rt::IsNumeric("1e"));
}

TEST(IsNumeric, ByType) {
    EXPECT_TRUE(rt::IsNumeric(Variant()));
    EXPECT_TRUE(rt::IsNumeric(Variant(3.5)));
    EXPECT_TRUE(rt::IsNumeric(Variant(false)));
    EXPECT_FALSE(rt::IsNumeric(Variant::null()));
    EXPECT_FALSE(rt::IsNumeric(Variant(rt::makeDate(2026, 1, 31))));
}

TEST(Text, StrLeavesABlankForTheSign) {
    EXPECT_EQ(rt::Str(5), " 5");
    EXPECT_EQ(rt::Str(-5), "-5");
    EXPECT_EQ(rt::Str(45.5), " 45.5");
    EXPECT_EQ(rt::Str(0), " 0");
    EXPECT_EQ(rt::Str(-0.0), " 0");
    EXPECT_EQ(rt::Str(-0.25), "-0.25");
}

TEST(Text, NumbersInTheirShortestForm) {
    EXPECT_EQ(rt::NumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(rt::NumberText(2.0), "2");
    EXPECT_EQ(rt::NumberText(123456789.123456789), "123456789.123457");
    EXPECT_EQ(rt::NumberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(rt::NumberText(1e15), "1E+15");
    EXPECT_EQ(rt::NumberText(0.0001), "0.0001");
    EXPECT_EQ(rt::NumberText(-0.00001), "-1E-05");
    EXPECT_EQ(rt::NumberText(1.5e-300), "1.5E-300");
}

TEST(Text, CStrAndTextOf) {
    EXPECT_EQ(rt::CStr(Variant()), "");
    EXPECT_EQ(rt::CStr(Variant(int16_t{-3})), "-3");
    EXPECT_EQ(rt::CStr(Variant(int32_t{70000})), "70000");
    EXPECT_EQ(rt::CStr(Variant(45.5)), "45.5");
    EXPECT_EQ(rt::CStr(Variant(true)), "True");
    EXPECT_EQ(rt::CStr(Variant(false)), "False");
    EXPECT_EQ(rt::CStr(Variant(rt::makeDate(2026, 1, 31))), "31/01/2026");
    EXPECT_EQ(rt::CStr(Variant(rt::makeDate(2026, 1, 31, 8, 5, 9))), "31/01/2026 08:05:09");
    EXPECT_EQ(errorOf([] { rt::CStr(Variant::null()); }), rt::errInvalidUseOfNull);
    EXPECT_EQ(rt::TextOf(Variant::null()), "");
    EXPECT_EQ(rt::TextOf(Variant(7)), "7");
}

TEST(Boolean, FromTextNumbersAndNull) {
    EXPECT_TRUE(rt::CBool("True"));
    EXPECT_TRUE(rt::CBool(" true "));
    EXPECT_FALSE(rt::CBool("FALSE"));
    EXPECT_TRUE(rt::CBool("-1"));
    EXPECT_FALSE(rt::CBool("0"));
    EXPECT_TRUE(rt::CBool(0.5));
    EXPECT_FALSE(rt::CBool(Variant()));
    EXPECT_EQ(errorOf([] { rt::CBool("yes"); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CBool(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(Double, FromTextAndOtherTypes) {
    EXPECT_DOUBLE_EQ(rt::CDbl(" 1,234.5 "), 1234.5);
    EXPECT_DOUBLE_EQ(rt::CDbl(true), -1);
    EXPECT_DOUBLE_EQ(rt::CDbl(Variant(rt::makeDate(1900, 1, 1, 12))), 2.5);
    EXPECT_EQ(errorOf([] { rt::CDbl("12abc"); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CDbl(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(DateConversion, FromTextAndNumbers) {
    EXPECT_EQ(rt::CDate("31/01/2026"), rt::makeDate(2026, 1, 31));
    EXPECT_EQ(rt::CDate(Variant(46053.5)), rt::makeDate(2026, 1, 31, 12));
    EXPECT_EQ(errorOf([] { rt::CDate("31/02/2026"); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CDate(""); }), rt::errTypeMismatch);
    EXPECT_EQ(errorOf([] { rt::CDate(Variant::null()); }), rt::errInvalidUseOfNull);
}

TEST(Strings, TrimCaseAndSearch) {
    EXPECT_EQ(rt::Trim("  a b  "), "a b");
    EXPECT_EQ(rt::LTrim("  a "), "a ");
    EXPECT_EQ(rt::RTrim("  a "), "  a");
    EXPECT_EQ(rt::Trim("\tx"), "\tx"); // only blanks are trimmed
    EXPECT_EQ(rt::UCase("JournalNo"), "JOURNALNO");
    EXPECT_EQ(rt::LCase("JournalNo"), "journalno");
    EXPECT_EQ(rt::InStr("Journal Date", "date"), 0u);
    EXPECT_EQ(rt::InStr("Journal Date", "date", true), 9u);
    EXPECT_EQ(rt::InStr("2:5:-1:45.5:", "-"), 5u);
    EXPECT_EQ(rt::InStr("abc", ""), 1u);
    EXPECT_EQ(rt::InStr("", ""), 0u);
}

} // namespace
