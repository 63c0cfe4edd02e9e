#include "BackendFixture.h"
#include "runtime/Convert.h"
#include "support/Errors.h"

#include <chrono>
#include <filesystem>

namespace {

using adotest::AdoFixture;
auto errorOf = [](auto&& f) { return testsupport::errorRaised(f); };

const char* kNotUsable = "The connection cannot be used to perform this operation. It is either closed or "
                         "invalid in this context.";

TEST(ConnectionState, UnopenedOrClosedConnectionsRefuseStatements) {
    auto conn = ado::Connection::create();
    EXPECT_EQ(conn->State(), ado::adStateClosed);
    rt::Error e = errorOf([&] { conn->Execute("select 1"); });
    EXPECT_EQ(e.number(), 3709);
    EXPECT_EQ(e.description(), kNotUsable);
    EXPECT_EQ(errorOf([&] { ado::Recordset::create()->Open("select 1", conn); }).number(), 3709);
    EXPECT_EQ(errorOf([&] { conn->BeginTrans(); }).number(), 3709);

    std::string path = adotest::freshPath("conn");
    conn->Open("Provider=SQLite; Data Source = " + path + " ;Persist Security Info=False");
    EXPECT_TRUE(std::filesystem::exists(path)); // created when missing
    EXPECT_EQ(conn->State(), ado::adStateOpen);
    EXPECT_EQ(rt::CStr((*conn->Execute("pragma journal_mode"))[0]), "wal");
    EXPECT_EQ(errorOf([&] { conn->Open(path); }).number(), 3705);
    conn->Close();
    EXPECT_EQ(errorOf([&] { conn->Execute("select 1"); }).number(), 3709);
    EXPECT_EQ(errorOf([&] { conn->Close(); }).number(), 3704);
    EXPECT_EQ(errorOf([&] { conn->Open("Data Source=/nonexistent/dir/x.db"); }).number(), -2147467259);
    std::filesystem::remove(path);
}

class ConnectionTest : public AdoFixture {
  protected:
    void SetUp() override {
        AdoFixture::SetUp();
        exec("create table t (id integer primary key, name varchar(50) collate nocase, d datetext)");
    }
};

TEST_F(ConnectionTest, ParametersCarryApostrophesDatesAndNulls) {
    rt::Date when = rt::makeDate(2024, 3, 31, 14, 5, 9);
    exec("insert into t values (?, ?, ?)", {1, "O'Brien's \"cheque\"", when});
    exec("insert into t values (?, ?, ?)", {int16_t(2), rt::Variant::null(), rt::makeDate(2024, 4, 1)});
    exec("insert into t values (?, ?, ?)", {3.0, rt::Variant(), rt::makeDate(2023, 12, 31)});
    EXPECT_EQ(rt::CStr(scalar("select name from t where name = ?", {"o'brien's \"CHEQUE\""})),
              "O'Brien's \"cheque\"");
    EXPECT_EQ(rt::CStr(scalar("select d from t where id = 1")), "31/03/2024 14:05:09");
    EXPECT_EQ(rt::CStr(scalar("select cast(d as text) || '|' || typeof(d) from t where id = 1")),
              "20240331 14:05:09|text");
    EXPECT_EQ(scalar("select d from t where id = ?", {int32_t(1)}).date(), when);
    EXPECT_EQ(rt::CLng(scalar("select count(*) from t where name is null")), 2);
    // Stored dates compare chronologically with the component's 'yyyymmdd' literals.
    EXPECT_EQ(rt::CLng(scalar("select count(*) from t where d >= '20240331'")), 2);
    // As on the server, a time of day lies after the bare date.
    EXPECT_EQ(rt::CLng(scalar("select count(*) from t where d between '20231231' and '20240331'")), 1);
    EXPECT_EQ(rt::CLng(scalar("select min(id) from t where d > ?", {rt::makeDate(2024, 3, 31)})), 1);
    EXPECT_EQ(errorOf([&] { exec("insert into t values (?, ?, ?)", {9, "x"}); }).number(), -2147217904);
}

TEST_F(ConnectionTest, FailuresRaiseProviderErrorsNamingTheStatement) {
    rt::Error e = errorOf([&] { exec("SELEC name FROM t"); });
    EXPECT_EQ(e.number(), -2147217900);
    EXPECT_EQ(e.source(), "idjrnl SQLite provider");
    EXPECT_NE(e.description().find("syntax error"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("SELEC name FROM t"), std::string::npos) << e.description();
    EXPECT_NE(errorOf([&] { exec("select nosuch from t"); }).description().find("no such column: nosuch"),
              std::string::npos);
}

// A literal that ends early must not turn the rest of the text into statements of their own.
TEST_F(ConnectionTest, OneStatementPerCallUnlessABatchIsAskedFor) {
    exec("insert into t (id, name) values (1, 'a')");
    const char* smuggled = "SELECT convert(', null) ; delete from t ; select (1', x) FROM t";
    EXPECT_EQ(errorOf([&] { exec(smuggled); }).number(), rt::errProvider);
    rt::Error e = errorOf([&] { exec("update t set name = 'b'; delete from t"); });
    EXPECT_NE(e.description().find("Only one statement"), std::string::npos) << e.description();
    rt::Error viaRecordset = errorOf([&] {
        auto rs = ado::Recordset::create();
        rs->Open("select 1; delete from t", conn);
    });
    EXPECT_EQ(viaRecordset.number(), rt::errProvider);
    EXPECT_EQ(rt::CStr(scalar("select count(*) || name from t")), "1a"); // nothing ran
    exec("update t set name = 'c';  -- a trailing semicolon and comment are one statement");
    EXPECT_EQ(rt::CStr(scalar("select name from t")), "c");
}

TEST_F(ConnectionTest, CommandTimeoutInterruptsLongStatements) {
    const char* endless =
        "with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c";
    conn->setCommandTimeout(1);
    auto start = std::chrono::steady_clock::now();
    rt::Error e = errorOf([&] { exec(endless); });
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(e.number(), -2147217871);
    EXPECT_NE(e.description().find("Query timeout expired"), std::string::npos);
    EXPECT_GE(took, std::chrono::milliseconds(900));
    EXPECT_LT(took, std::chrono::seconds(5));
    // The next statement gets its own time.
    EXPECT_EQ(rt::CLng(scalar("select 7")), 7);
    conn->setCommandTimeout(0); // no limit
    EXPECT_EQ(
        rt::CLng(scalar("with recursive c(x) as (select 1 union all select x + 1 from c where x < 300000) "
                        "select count(*) from c")),
        300000);
    EXPECT_EQ(errorOf([&] { conn->setCommandTimeout(-1); }).number(), rt::errInvalidProcedureCall);
}

TEST_F(ConnectionTest, LateBoundMembers) {
    std::vector<rt::Variant> args{"insert into t (id, name) values (1, 'a')", rt::Variant()};
    conn->invoke("execute", rt::CallKind::Method, args);
    EXPECT_EQ(rt::CLng(args[1]), 1); // records affected, by reference
    std::vector<rt::Variant> query{"select id, name from t"}, none;
    rt::Variant rs = conn->invoke("Execute", rt::CallKind::Method, query);
    std::vector<rt::Variant> byName{"NAME"};
    EXPECT_EQ(rt::CStr(rs.object()->invoke("Fields", rt::CallKind::PropertyGet, byName)), "a");
    EXPECT_EQ(errorOf([&] { conn->invoke("Frobnicate", rt::CallKind::Method, none); }).number(), 438);
}

} // namespace
