#include "ado/SqlTranslator.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

using ado::translateSql;

TEST(SqlTranslator, DropsTableHintsAfterTablesAndAliases) {
    EXPECT_EQ(translateSql("SELECT a From T h (nolock)  where x=1"), "SELECT a From T h   where x=1");
    EXPECT_EQ(translateSql("SELECT FunctionRights FROM auserrights (nolock) WHERE CompanyID = 1"),
              "SELECT FunctionRights FROM auserrights  WHERE CompanyID = 1");
    EXPECT_EQ(translateSql("select * from t with (NOLOCK, rowlock) join u (nolock) on t.a=u.a"),
              "select * from t  join u  on t.a=u.a");
    // A parenthesis that holds anything but hints stays.
    EXPECT_EQ(translateSql("select * from t where a in (nolock_col)"),
              "select * from t where a in (nolock_col)");
    EXPECT_EQ(translateSql("select count(*) from t"), "select count(*) from t");
}

TEST(SqlTranslator, RenamesWhatSqliteCannotParse) {
    EXPECT_EQ(translateSql("select isnull(max(JournalTransID),0) + 1 from t"),
              "select ifnull(max(JournalTransID),0) COLLATE TEXT_CI + 1 from t");
    EXPECT_EQ(
        translateSql("select RIGHT(a, 2), Left (a,1) from t left join u on 1=1"),
        "select ss_right(a, 2) COLLATE TEXT_CI, ss_left (a,1) COLLATE TEXT_CI from t left join u on 1=1");
    // ISNULL as a column name or as SQLite's postfix operator is not a call.
    EXPECT_EQ(translateSql("select a from t where a isnull"), "select a from t where a isnull");
    EXPECT_EQ(translateSql("select len(a), isnumeric(a) from t"), "select len(a), isnumeric(a) from t");
}

TEST(SqlTranslator, ConvertAndCastBecomeCheckedConversions) {
    EXPECT_EQ(translateSql("select max(convert(int,right(JournalNo,len(JournalNo)-4))) from t"),
              "select max(ss_convert('int',ss_right(JournalNo,len(JournalNo)-4))) from t");
    EXPECT_EQ(translateSql("  and convert(varchar(20),JournalTransDate,105) like '%1%'"),
              "  and ss_convert('varchar(20)',JournalTransDate,105) COLLATE TEXT_CI like '%1%'");
    EXPECT_EQ(translateSql("select CONVERT( decimal (18, 2) , x) from t"),
              "select ss_convert('decimal(18,2)', x) from t");
    EXPECT_EQ(translateSql("select cast(a + 1 as int) from t"), "select ss_convert('int',a + 1 ) from t");
}

TEST(SqlTranslator, TopBecomesLimitAtTheEndOfItsSelect) {
    EXPECT_EQ(translateSql("SELECT TOP 5 a FROM t ORDER BY a"), "SELECT  a FROM t ORDER BY a LIMIT 5");
    EXPECT_EQ(translateSql("select distinct top (2) a from t;"), "select distinct  a from t LIMIT 2;");
    EXPECT_EQ(translateSql("select a from t where b = (select top 1 c from u order by c desc) -- last"),
              "select a from t where b = (select  c from u order by c desc LIMIT 1) -- last");
    // "top" elsewhere is an ordinary name.
    EXPECT_EQ(translateSql("select top from t"), "select top from t");
}

TEST(SqlTranslator, LeavesLiteralsNamesCommentsAndPlaceholdersAlone) {
    const char* same[] = {
        "select 'isnull(x,1) (nolock) right(' from t",
        "select 'it''s' , [right] , \"left\" from [my table] where a = ? and b = ?2",
        "select a -- isnull(a,b)\n from t /* convert(int, x) /* nested */ */",
        "SELECT NoOfPreviousDays FROM ASETTINGS WHERE CompanyID = 1",
        " h.JournalTransDate >= '20240101'ORDER BY h.JournalTransID",
        "select 1.5e3, .5, 0x1F from t where a<>b and c!=d and e>=f",
    };
    for (const char* s : same)
        EXPECT_EQ(translateSql(s), s);
    EXPECT_EQ(translateSql("select N'Zoë''s' from t"), "select 'Zoë''s' from t");
}

TEST(SqlTranslator, RefusesTextItCannotRead) {
    auto refuses = [](const char* sql, const char* fragment) {
        try {
            translateSql(sql);
            ADD_FAILURE() << "accepted: " << sql;
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), rt::errProvider);
            EXPECT_NE(e.description().find(fragment), std::string::npos) << e.description();
        }
    };
    refuses("select 'abc from t", "Unclosed quotation mark after the character string 'abc from t'");
    refuses("select a from [t", "Unclosed quoted name");
    refuses("select (a from t", "parenthesis");
    refuses("select a) from t", "')'");
    refuses("select /* a from t", "'*/'");
    refuses("select convert(int) from t", "CONVERT");
    // The type becomes a literal of the translation: nothing may end it early.
    refuses("SELECT convert(', null) ; delete from t ; select (1', x) FROM t", "CONVERT takes a data type");
    refuses("select cast(x as 'int'') ; delete from t; --') from t", "CAST takes a data type");
    refuses("select convert(?, x) from t", "CONVERT takes a data type");
    refuses("select convert([int], x) from t", "CONVERT takes a data type");
    refuses("select top (?) a from t where b = ?", "TOP takes a number");
}

// Where SQLite would compare bytes, or text against a number as unequal, the comparison goes to
// ss_compare; a bare column keeps SQLite's comparison so that its index stays usable.
TEST(SqlTranslator, ComparisonsOfValuesAndFunctionResultsGoThroughSsCompare) {
    EXPECT_EQ(translateSql("where substring(journalno,1,len('IDJ/'))='IDJ/'"),
              "where ss_compare(substring(journalno,1,len('IDJ/')),'IDJ/') = 0");
    EXPECT_EQ(translateSql("select 1 where '1' = 1 and ? <> -2"),
              "select 1 where ss_compare('1' , 1) = 0 and ss_compare(? , -2) <> 0");
    for (const char* same : {"select * from t where 1=2", "where CompanyID = ? and JournalNo = 'x'",
                             "where h.Posted = 1 and len(a) + 1 = 2"})
        EXPECT_EQ(translateSql(same), same);
    EXPECT_EQ(translateSql("where a.b = isnull(c, 0)"), "where a.b = ifnull(c, 0)");
    EXPECT_EQ(translateSql("order by isnull(a, '') desc"), "order by ifnull(a, '') COLLATE TEXT_CI desc");
    EXPECT_EQ(translateSql("where ? in ('a', 'b')"), "where ? COLLATE TEXT_CI in ('a', 'b')");
}

TEST(SqlTranslatorServer, RewritesOnlyWhatTheServerLacks) {
    using ado::Dialect;
    auto pg = [](std::string_view s) { return translateSql(s, Dialect::Postgres); };
    EXPECT_EQ(pg("SELECT TOP 1 [Voucher No] FROM T h (nolock) WHERE Name = N'x'"),
              "SELECT  \"voucher no\" FROM T h  WHERE Name = 'x' LIMIT 1");
    EXPECT_EQ(pg("select isnull(max(ID),0) + 1 from t"), "select coalesce(max(ID),0) + 1 from t");
    EXPECT_EQ(pg("select len(a) from t"), "select length(rtrim(CAST(a AS text))) from t");
    EXPECT_EQ(pg("select isnumeric(a) from t"), "select ss_isnumeric(a) from t");
    EXPECT_EQ(pg("select convert(int, a), convert(varchar(20), d, 103) from t"),
              "select CAST( a AS integer), to_char( d, 'DD/MM/YYYY') COLLATE TEXT_CI from t");
    EXPECT_EQ(pg("select right(a, 2) from t"), "select ss_right(a, 2) COLLATE TEXT_CI from t");
    // The SQLite text of the same statement is its own: the two are cached apart.
    EXPECT_EQ(translateSql("select len(a) from t"), "select len(a) from t");
    EXPECT_THROW(pg("select convert(varchar(20), d, 999) from t"), rt::Error);
    // Calls inside a CONVERT are translated too.
    EXPECT_EQ(pg("select convert(int, len(a)) from t"),
              "select CAST( length(rtrim(CAST(a AS text))) AS integer) from t");
    // A number standing in for a text keeps the text's type.
    EXPECT_EQ(pg("select isnull(right(a, 2), 0), isnull(b, 0) from t"),
              "select coalesce(ss_right(a, 2), '0'), coalesce(b, 0) from t");
    // A literal pattern is a regular expression, with LIKE's sets and its escape character.
    // A column is read with the trailing blanks it stores, which the pattern may match.
    EXPECT_EQ(pg("select a from t where h.a not like 'x[%]_!%.%' escape '!'"),
              "select a from t where lower(CASE WHEN h.a IS NULL THEN NULL ELSE concat(h.a) END COLLATE "
              "\"und-x-icu\")  !~ lower('^x[%].%\\..* *$' COLLATE \"und-x-icu\") ");
    EXPECT_EQ(pg("select a from t where [A] like ?"),
              "select a from t where CASE WHEN \"a\" IS NULL THEN NULL ELSE concat(\"a\") END COLLATE "
              "\"und-x-icu\" ILIKE ?");
    EXPECT_EQ(pg("select a from t where right(a, 2) like ?"),
              "select a from t where CAST(ss_right(a, 2) AS text) COLLATE \"und-x-icu\" ILIKE ?");
    // Literals and parameters meet text as text, without trailing blanks.
    EXPECT_EQ(pg("select 1 where ? in ('a') and case ? when 'b' then 1 end = 1 and ? in (1)"),
              "select 1 where rtrim(CAST(? AS text), ' ') COLLATE TEXT_CI in ('a') and case "
              "rtrim(CAST(? AS text), ' ') COLLATE TEXT_CI when 'b' then 1 end = 1 and ? in (1)");
}
