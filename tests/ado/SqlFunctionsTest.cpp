// SQL Server's scalar functions as the data layer runs them on SQLite.
#include "AdoFixture.h"
#include "ado/Ado.h"
#include "runtime/Convert.h"

#include <regex>

namespace {

class SqlFunctions : public adotest::AdoFixture {
  protected:
    std::string text(const std::string& expr) { return rt::TextOf(scalar("select " + expr)); }

    // The error a failing expression raises.
    rt::Error failure(const std::string& expr) {
        try {
            scalar("select " + expr);
        } catch (const rt::Error& e) {
            return e;
        }
        ADD_FAILURE() << "no error from " << expr;
        return rt::Error(0, "", "");
    }
};

TEST_F(SqlFunctions, TextFunctionsCountCharactersAsSqlServerDoes) {
    EXPECT_EQ(text("len('IDJ/12   ')"), "6"); // trailing blanks do not count
    EXPECT_EQ(text("len('  IDJ')"), "5");     // leading ones do
    EXPECT_EQ(text("len('Zoë')"), "3");       // characters, not bytes
    EXPECT_TRUE(scalar("select len(null)").isNull());
    EXPECT_EQ(text("right('IDJ/42', 2)"), "42");
    EXPECT_EQ(text("right('Zoë', 1)"), "ë");
    EXPECT_EQ(text("substring('IDJ/42', 0, 2)"), "I"); // positions before 1 use up the length
    EXPECT_EQ(text("substring('IDJ/42', -1, 4)"), "ID");
    EXPECT_EQ(text("substring('IDJ/42', 9, 1)"), "");
    EXPECT_FALSE(scalar("select substring('IDJ/42', 1, 0)").isNull()); // empty, not NULL: '' = '' holds
    EXPECT_EQ(failure("right('abc', -1)").description().substr(0, 50),
              "Invalid length parameter passed to the right funct");
    EXPECT_EQ(failure("substring('abc', 1, -1)").number(), rt::errProvider);
}

TEST_F(SqlFunctions, IsNumericAnswersOneOrZero) {
    for (const char* yes : {"'42'", "' 42 '", "'-4.5'", "'1e5'", "'$12'", "'1,000'", "12", "1.5"})
        EXPECT_EQ(text(std::string("isnumeric(") + yes + ")"), "1") << yes;
    for (const char* no : {"'4a'", "''", "' '", "'IDJ/4'", "'1e'", "null"})
        EXPECT_EQ(text(std::string("isnumeric(") + no + ")"), "0") << no;
    EXPECT_EQ(text("isnumeric(isnull(null, 0))"), "1");
}

TEST_F(SqlFunctions, ConvertToIntRefusesWhatSqlServerRefuses) {
    EXPECT_EQ(text("convert(int, ' 42 ')"), "42");
    EXPECT_EQ(text("convert(int, '')"), "0");
    EXPECT_EQ(text("convert(int, 12.9)"), "12");
    EXPECT_EQ(text("convert(int, -12.9)"), "-12");
    EXPECT_TRUE(scalar("select convert(int, null)").isNull());
    rt::Error e = failure("convert(int, 'A12')");
    EXPECT_EQ(e.number(), -2147217913);
    EXPECT_NE(
        e.description().find("Conversion failed when converting the varchar value 'A12' to data type int."),
        std::string::npos)
        << e.description();
    EXPECT_EQ(failure("convert(int, '12.5')").number(), -2147217913);
    EXPECT_NE(failure("convert(int, '2147483648')").description().find("overflowed an int column"),
              std::string::npos);
    EXPECT_NE(failure("convert(smallint, 40000)").description().find("Arithmetic overflow"),
              std::string::npos);
    EXPECT_EQ(text("cast('5' as int) + 1"), "6");
}

TEST_F(SqlFunctions, ConvertFormatsStoredDatesInTheAskedStyle) {
    EXPECT_EQ(text("convert(varchar(20), '20240315 14:05:09', 105)"), "15-03-2024");
    EXPECT_EQ(text("convert(varchar(20), '20240315 14:05:09', 120)"), "2024-03-15 14:05:09");
    EXPECT_EQ(text("convert(varchar(5), '20240315', 103)"), "15/03");
    EXPECT_EQ(text("convert(char(4), 'ab')"), "ab  ");
    EXPECT_EQ(text("convert(varchar(20), 'no date', 103)"), "no date");
    EXPECT_NE(failure("convert(varchar(20), '20240315', 999)").description().find("999 is not a valid style"),
              std::string::npos);
    EXPECT_EQ(text("convert(datetime, '15/03/2024', 103)"), "20240315");
    EXPECT_EQ(text("convert(date, '20240315 10:00:00')"), "20240315");
    EXPECT_EQ(failure("convert(datetime, '31/02/2024', 103)").number(), -2147217913);
    EXPECT_EQ(text("convert(decimal(10,2), '2.345')"), "2.35");
    EXPECT_NE(failure("convert(widget, 1)").description().find("Type widget is not a defined system type."),
              std::string::npos);
}

TEST_F(SqlFunctions, GetDateGivesTheStoredFormOfNow) {
    std::string now = text("getdate()");
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{8}( \d\d:\d\d:\d\d)?)"))) << now;
    EXPECT_EQ(now.substr(0, 8), rt::toYmd(rt::today()));
}

} // namespace
