// The edges of rewriting SQL Server's text for each backend; what the rewritten text reads is
// checked on both backends (SqlServerConformanceTest, StatementShapesTest).
#include "ado/SqlTranslator.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

using ado::translateSql;

namespace {

struct Translation {
    const char* sql;
    const char* translated = nullptr; // none: the text stays as it is
};

void expectTranslations(std::initializer_list<Translation> cases, ado::Dialect dialect) {
    for (const Translation& c : cases)
        EXPECT_EQ(translateSql(c.sql, dialect), c.translated ? c.translated : c.sql) << c.sql;
}

} // namespace

TEST(SqlTranslator, RewritesOnlyWhatSqliteCannotParseOrWouldCompareOtherwise) {
    expectTranslations(
        {
            // Table hints after tables and aliases; a parenthesis of anything else stays.
            {"SELECT a From T h (nolock)  where x=1", "SELECT a From T h   where x=1"},
            {"select * from t with (NOLOCK, rowlock) join u (nolock) on t.a=u.a",
             "select * from t  join u  on t.a=u.a"},
            {"select * from t where a in (nolock_col)"},
            // Functions SQLite lacks; ISNULL as a column or SQLite's postfix operator is no call.
            {"select RIGHT(a, 2), Left (a,1) from t left join u on 1=1",
             "select ss_right(a, 2) COLLATE TEXT_CI, ss_left (a,1) COLLATE TEXT_CI from t left join u on "
             "1=1"},
            {"select a from t where a isnull"},
            {"select len(a), isnumeric(a) from t"},
            // CONVERT and CAST become checked conversions.
            {"select CONVERT( decimal (18, 2) , x) from t", "select ss_convert('decimal(18,2)', x) from t"},
            // TOP becomes LIMIT at the end of its own SELECT; "top" elsewhere is a name.
            {"select distinct top (2) a from t;", "select distinct  a from t LIMIT 2;"},
            {"select a from t where b = (select top 1 c from u order by c desc) -- last",
             "select a from t where b = (select  c from u order by c desc LIMIT 1) -- last"},
            {"select top from t"},
            // Literals, names, comments and placeholders are left alone.
            {"select 'isnull(x,1) (nolock) right(' from t"},
            {"select 'it''s' , [right] , \"left\" from [my table] where a = ? and b = ?2"},
            {"select a -- isnull(a,b)\n from t /* convert(int, x) /* nested */ */"},
            {" h.JournalTransDate >= '20240101'ORDER BY h.JournalTransID"},
            {"select 1.5e3, .5, 0x1F from t where a<>b and c!=d and e>=f"},
            {"select N'Zoë''s' from t", "select 'Zoë''s' from t"},
            // Comparisons of values and function results go to ss_compare; a bare column keeps
            // SQLite's comparison, so that its index stays usable.
            {"select 1 where '1' = 1 and ? <> -2",
             "select 1 where ss_compare('1' , 1) = 0 and ss_compare(? , -2) <> 0"},
            {"select * from t where 1=2"},
            {"where CompanyID = ? and JournalNo = 'x'"},
            {"where h.Posted = 1 and len(a) + 1 = 2"},
            {"where a.b = isnull(c, 0)", "where a.b = ifnull(c, 0)"},
            {"order by isnull(a, '') desc", "order by ifnull(a, '') COLLATE TEXT_CI desc"},
            {"where ? in ('a', 'b')", "where ? COLLATE TEXT_CI in ('a', 'b')"},
        },
        ado::Dialect::Sqlite);
}

TEST(SqlTranslator, RefusesTextItCannotRead) {
    const std::pair<const char*, const char*> refused[] = {
        {"select 'abc from t", "Unclosed quotation mark after the character string 'abc from t'"},
        {"select a from [t", "Unclosed quoted name"},
        {"select (a from t", "parenthesis"},
        {"select a) from t", "')'"},
        {"select /* a from t", "'*/'"},
        {"select convert(int) from t", "CONVERT"},
        // The type becomes a literal of the translation: nothing may end it early.
        {"SELECT convert(', null) ; delete from t ; select (1', x) FROM t", "CONVERT takes a data type"},
        {"select cast(x as 'int'') ; delete from t; --') from t", "CAST takes a data type"},
        {"select convert(?, x) from t", "CONVERT takes a data type"},
        {"select convert([int], x) from t", "CONVERT takes a data type"},
        {"select top (?) a from t where b = ?", "TOP takes a number"},
    };
    for (const auto& [sql, fragment] : refused) {
        try {
            translateSql(sql);
            ADD_FAILURE() << "accepted: " << sql;
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), rt::errProvider) << sql;
            EXPECT_NE(e.description().find(fragment), std::string::npos) << e.description();
        }
    }
}

TEST(SqlTranslator, RewritesOnlyWhatTheServerLacks) {
    expectTranslations(
        {
            {"SELECT TOP 1 [Voucher No] FROM T h (nolock) WHERE Name = N'x'",
             "SELECT  \"voucher no\" FROM T h  WHERE Name = 'x' LIMIT 1"},
            {"select len(a) from t", "select length(rtrim(CAST(a AS text))) from t"},
            // Calls inside a CONVERT are translated too.
            {"select convert(int, len(a)) from t",
             "select CAST(ss_int( length(rtrim(CAST(a AS text))), 'int') AS integer) from t"},
            // A style stays for the server to check; a plain cast where the server's is SQL Server's.
            {"select convert(varchar(20), d, 999), cast(x as nvarchar) from t",
             "select CAST(ss_date_text( d, 999) AS varchar(20)) COLLATE TEXT_CI, CAST(x  AS varchar(30)) "
             "COLLATE "
             "TEXT_CI from t"},
        },
        ado::Dialect::Postgres);
    // The SQLite text of the same statement is its own: the two are cached apart.
    EXPECT_EQ(translateSql("select len(a) from t"), "select len(a) from t");
    EXPECT_THROW(translateSql("select cast(d as widget) from t", ado::Dialect::Postgres), rt::Error);
}
