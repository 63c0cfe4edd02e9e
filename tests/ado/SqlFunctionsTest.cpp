// SQL Server's scalar functions as the data layer runs them on SQLite.
#include "BackendFixture.h"
#include "ado/Ado.h"
#include "runtime/Convert.h"
#include "support/Errors.h"

#include <regex>

namespace {

class SqlFunctions : public adotest::AdoFixture {
  protected:
    std::string text(const std::string& expr) { return rt::TextOf(scalar("select " + expr)); }

    // The error a failing expression raises.
    rt::Error failure(const std::string& expr) {
        return testsupport::errorRaised([&] { scalar("select " + expr); });
    }
};

// What CONVERT gives, or "!" and part of the error it raises. LEN, RIGHT, SUBSTRING and
// ISNUMERIC have their table in SqlServerConformanceTest, run on both backends.
TEST_F(SqlFunctions, ConvertGivesWhatSqlServerGivesAndRefusesWhatItRefuses) {
    const std::pair<const char*, const char*> cases[] = {
        {"convert(int, ' 42 ')", "42"},
        {"convert(int, '')", "0"},
        {"convert(int, 12.9)", "12"},
        {"convert(int, -12.9)", "-12"},
        {"cast('5' as int) + 1", "6"},
        {"convert(int, 'A12')",
         "!Conversion failed when converting the varchar value 'A12' to data type int."},
        {"convert(int, '12.5')", "!Conversion failed"},
        {"convert(int, '2147483648')", "!overflowed an int column"},
        {"convert(smallint, 40000)", "!Arithmetic overflow"},
        {"convert(varchar(20), '20240315 14:05:09', 105)", "15-03-2024"},
        {"convert(varchar(20), '20240315 14:05:09', 120)", "2024-03-15 14:05:09"},
        {"convert(varchar(5), '20240315', 103)", "15/03"},
        {"convert(char(4), 'ab')", "ab  "},
        {"convert(varchar(20), 'no date', 103)", "no date"},
        {"convert(varchar(20), '20240315', 999)", "!999 is not a valid style"},
        {"convert(datetime, '15/03/2024', 103)", "20240315"},
        {"convert(date, '20240315 10:00:00')", "20240315"},
        {"convert(datetime, '31/02/2024', 103)", "!Conversion failed"},
        {"convert(decimal(10,2), '2.345')", "2.35"},
        {"convert(widget, 1)", "!Type widget is not a defined system type."},
    };
    for (const auto& [expr, expected] : cases) {
        SCOPED_TRACE(expr);
        if (expected[0] != '!') {
            EXPECT_EQ(text(expr), expected);
            continue;
        }
        const rt::Error e = failure(expr);
        EXPECT_NE(e.description().find(expected + 1), std::string::npos) << e.description();
    }
    EXPECT_TRUE(scalar("select convert(int, null)").isNull());
    EXPECT_EQ(failure("convert(int, 'A12')").number(), -2147217913);
    EXPECT_EQ(failure("convert(datetime, '31/02/2024', 103)").number(), -2147217913);
}

TEST_F(SqlFunctions, GetDateGivesTheStoredFormOfNow) {
    std::string now = text("getdate()");
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{8}( \d\d:\d\d:\d\d)?)"))) << now;
    EXPECT_EQ(now.substr(0, 8), rt::toYmd(rt::today()));
}

} // namespace
