#pragma once
// Conversions with the original runtime's semantics.
#include "runtime/Variant.h"

#include <string>
#include <string_view>

namespace rt {

// Numeric value of the leading number of a text ("  12.5abc" is 12.5, "abc" is 0).
double Val(std::string_view text);
inline double Val(const std::string& text) {
    return Val(std::string_view(text));
}
inline double Val(const char* text) {
    return Val(std::string_view(text));
}
double Val(const Variant& v);

// True when the value is a number or a text that reads wholly as one (blanks around allowed).
bool IsNumeric(const Variant& v);

// Integer conversions round half to even and raise 6 (overflow) out of range,
// 13 for a text that is no number, 94 for Null.
int16_t CInt(const Variant& v);
int32_t CLng(const Variant& v);
double CDbl(const Variant& v);
bool CBool(const Variant& v);
Date CDate(const Variant& v);
// Text of a value: Empty is "", Null raises 94, numbers in their shortest plain form.
std::string CStr(const Variant& v);
// Text of a value where Null counts as "" (the `& ""` idiom).
std::string TextOf(const Variant& v);

// Number to text with one leading blank for a non-negative number.
std::string Str(double n);
// Shortest plain decimal text of a number ("45.5", "1", "0.25", "-3").
std::string NumberText(double n);

// Formats "0.00", "###,###,##0.00", "###,###,##0.00######", "########0.00" for numbers,
// and date patterns such as "yyyymmdd" for dates. Non-numeric text is returned unchanged.
std::string Format(const Variant& v, std::string_view pattern);

std::string Trim(std::string_view s);
// Trims blanks off both ends without copying the text.
void TrimInPlace(std::string& s);
// The text between the leading and trailing spaces, without a copy.
std::string_view TrimView(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
// 1-based position of needle in hay, 0 when absent; case-insensitive when asked.
size_t InStr(std::string_view hay, std::string_view needle, bool ignoreCase = false);

} // namespace rt
