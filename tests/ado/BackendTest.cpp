// The data layer's behaviour that must not depend on the backend: parameters, cursors,
// transactions, adding rows, errors and timeouts, run on SQLite and on the server.
#include "BackendFixture.h"
#include "ado/ConnectionTarget.h"
#include "ado/PgSession.h"
#include "ado/ProviderError.h"
#include "runtime/Convert.h"
#include "support/Errors.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using ado::detail::BackendKind;
using ado::detail::connectionTarget;
using adotest::BackendFixture;
using testsupport::errorOf;
using testsupport::errorRaised;

TEST(ConnectionTarget, FilesAndUrisChooseTheBackend) {
    EXPECT_EQ(connectionTarget("/tmp/a.db").kind, BackendKind::Sqlite);
    EXPECT_EQ(connectionTarget("/tmp/a.db").address, "/tmp/a.db");
    EXPECT_EQ(connectionTarget("Provider=x; Data Source = /tmp/b.db ;Mode=3").address, "/tmp/b.db");
    EXPECT_EQ(connectionTarget("sqlite:///tmp/c.db").address, "/tmp/c.db");
    EXPECT_EQ(connectionTarget("sqlite:rel.db").address, "rel.db");
    auto pg = connectionTarget("  PostgreSQL://host/db?sslmode=disable");
    EXPECT_EQ(pg.kind, BackendKind::Postgres);
    EXPECT_EQ(pg.address, "PostgreSQL://host/db?sslmode=disable");
    EXPECT_EQ(connectionTarget("postgres:///db").kind, BackendKind::Postgres);
    // A file whose name merely contains the scheme stays a file.
    EXPECT_EQ(connectionTarget("/data/postgresql://x").kind, BackendKind::Sqlite);
}

TEST(ServerStatements, QuestionMarksBecomeNumberedOutsideLiterals) {
    size_t n = 0;
    EXPECT_EQ(ado::detail::numberedPlaceholders("SELECT '?', \"a?\" FROM t WHERE a = ? AND b = ? -- ?", n),
              "SELECT '?', \"a?\" FROM t WHERE a = $1 AND b = $2 -- ?");
    EXPECT_EQ(n, 2u);
    auto parts = ado::detail::splitStatements("UPDATE t SET a = ';'; ; SELECT 1;");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], "UPDATE t SET a = ';'");
}

TEST(ServerConnection, UnreachableServerFailsAsAnOpenFailure) {
    auto c = ado::Connection::create();
    const rt::Error e = errorRaised([&] { c->Open("postgresql:///nodb?host=/nonexistent-idj-socket-dir"); });
    EXPECT_EQ(e.number(), ado::detail::errOpenFailed);
    EXPECT_EQ(e.source(), "idjrnl PostgreSQL provider");
    EXPECT_EQ(c->State(), ado::adStateClosed);
}

class DataLayer : public BackendFixture {
  protected:
    void SetUp() override {
        BackendFixture::SetUp();
        create("CREATE TABLE item (id INTEGER PRIMARY KEY, name VARCHAR(40) COLLATE TEXT_CI, amount REAL)");
    }
    void insert(int id, const std::string& name, double amount) {
        conn->Execute("INSERT INTO item (id, name, amount) VALUES (?, ?, ?)", {id, name, amount});
    }
    long count() { return rt::CLng(scalar("SELECT COUNT(*) FROM item")); }
};

TEST_P(DataLayer, BoundTextIsStoredAsWrittenNeverAsSqlAndEveryParameterIsNeeded) {
    const std::string hostile = "O'Brien'); DROP TABLE item; --";
    insert(1, hostile, 2.5);
    EXPECT_EQ(rt::CStr(scalar("SELECT name FROM item WHERE name = ?", {hostile})), hostile);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(
        errorRaised([&] { conn->Execute("SELECT name FROM item WHERE id = ? AND name = ?", {1}); }).number(),
        ado::detail::errMissingParameters);
}

TEST_P(DataLayer, CursorsCountMoveAndEndAsAdoDoes) {
    for (int i = 1; i <= 3; ++i)
        insert(i, "n" + std::to_string(i), i * 1.5);
    const std::string all = "SELECT id, name, amount FROM item ORDER BY id";
    auto fwd = open(all, ado::adOpenForwardOnly);
    EXPECT_EQ(fwd->RecordCount(), -1);
    EXPECT_EQ(errorOf([&] { fwd->MoveLast(); }), -2147217884);
    // The same text opened again while the first still reads.
    auto again = open(all, ado::adOpenForwardOnly);
    again->MoveNext();
    EXPECT_EQ(rt::CStr((*again)["name"]), "n2");
    for (int i = 0; i < 3; ++i)
        fwd->MoveNext();
    EXPECT_TRUE(fwd->eof());
    fwd->MoveFirst(); // runs the statement again
    EXPECT_EQ(rt::CLng((*fwd)[0]), 1);

    auto st = open(all);
    EXPECT_EQ(st->RecordCount(), 3);
    st->MoveLast();
    EXPECT_EQ(rt::CLng((*st)["ID"]), 3);
    EXPECT_DOUBLE_EQ(rt::CDbl((*st)["amount"]), 4.5);
    EXPECT_EQ(rt::CStr((*st)[1]), "n3");
    st->MoveNext();
    EXPECT_TRUE(st->eof());
    const rt::Error e = errorRaised([&] { (void)(*st)["name"]; });
    EXPECT_EQ(e.number(), 3021);
    EXPECT_EQ(e.description(), "Either BOF or EOF is True, or the current record has been deleted. Requested "
                               "operation requires a current record.");
    EXPECT_EQ(errorOf([&] { st->MoveNext(); }), 3021);
    st->MoveFirst();
    EXPECT_EQ(rt::CStr((*st)["NAME"]), "n1");
    auto none = open("SELECT id, name FROM item WHERE id = 99", ado::adOpenKeyset);
    EXPECT_TRUE(none->eof() && none->bof());
    none->MoveFirst();
    EXPECT_EQ(errorOf([&] { (void)(*none)[0]; }), 3021);
    EXPECT_EQ(none->FieldCount(), 2);

    // Closing a file's connection closes what still reads from it (the server's rows are the
    // client's own once fetched, and stay readable).
    if (onServer()) return;
    conn->Close();
    EXPECT_EQ(again->State(), ado::adStateClosed);
    EXPECT_EQ(errorOf([&] { again->MoveNext(); }), 3704);
}

TEST_P(DataLayer, AddNewStoresTheRowInItsTableButNotInAnExpressionOrAReadOnlyResult) {
    auto rs = open("SELECT id, name, amount FROM item WHERE 1=2", ado::adOpenKeyset, ado::adLockOptimistic);
    EXPECT_EQ(errorOf([&] { rs->field("name").setValue("a"); }), 3251); // no AddNew yet
    rs->AddNew();
    rs->field("id").setValue(7);
    rs->field("name").setValue(std::string("seven"));
    rs->Update();
    EXPECT_EQ(rt::CStr(scalar("SELECT name FROM item WHERE id = 7")), "seven");
    EXPECT_TRUE(scalar("SELECT amount FROM item WHERE id = 7").isNull());

    EXPECT_EQ(errorOf([&] { open("SELECT * FROM item WHERE 1=2")->AddNew(); }), 3251);
    auto expr =
        open("SELECT id, name || 'x' AS nx FROM item WHERE 1=2", ado::adOpenKeyset, ado::adLockOptimistic);
    expr->AddNew();
    expr->field("nx").setValue("ax");
    EXPECT_EQ(errorOf([&] { expr->Update(); }), 3251);
    // A statement without a result leaves the recordset closed.
    EXPECT_EQ(open("UPDATE item SET name = name")->State(), ado::adStateClosed);
}

TEST_P(DataLayer, NestedTransactionsAndSavepointsUndoOnlyTheirOwnWork) {
    conn->BeginTrans();
    insert(1, "kept", 1);
    conn->BeginTrans();
    insert(2, "undone", 2);
    conn->RollbackTrans();
    conn->CommitTrans();
    EXPECT_EQ(count(), 1);
    conn->BeginTrans();
    insert(3, "undone", 3);
    conn->RollbackTrans();
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(testsupport::errorOf([&] { conn->CommitTrans(); }), -2147168242);

    // A failure inside a savepoint leaves the outer transaction going on.
    conn->BeginTrans();
    conn->BeginTrans();
    const rt::Error e = errorRaised([&] { insert(1, "duplicate", 1); });
    EXPECT_EQ(e.number(), rt::errProviderConstraint);
    EXPECT_EQ(e.source(), onServer() ? "idjrnl PostgreSQL provider" : "idjrnl SQLite provider");
    conn->RollbackTrans();
    insert(2, "b", 1);
    conn->CommitTrans();
    EXPECT_EQ(count(), 2);

    // Levels count from 1; closing with a transaction open rolls it back.
    EXPECT_EQ(conn->BeginTrans(), 1);
    EXPECT_EQ(conn->BeginTransImmediate(), 2);
    insert(3, "gone", 3);
    conn->CommitTrans();
    EXPECT_EQ(conn->TransactionLevel(), 1);
    conn->Close();
    conn->Open(target());
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(conn->TransactionLevel(), 0);
    EXPECT_EQ(testsupport::errorOf([&] { conn->RollbackTrans(); }), -2147168242);
}

TEST_P(DataLayer, BatchRunsEveryStatementWithItsOwnParameters) {
    long affected = 0;
    auto rs =
        conn->ExecuteBatch("INSERT INTO item (id, name) VALUES (?, ?); "
                           "UPDATE item SET amount = ? WHERE id = ?; SELECT amount FROM item WHERE id = 5",
                           {5, std::string("five"), 9.0, 5}, &affected);
    EXPECT_DOUBLE_EQ(rt::CDbl((*rs)[0]), 9.0);
    conn->Execute("UPDATE item SET name = ? WHERE id > ?", {std::string("x"), 0}, &affected);
    EXPECT_EQ(affected, 1);
}

TEST_P(DataLayer, SavesQueueBehindEachOtherUntilTheTimeout) {
    auto other = openConnection();
    conn->BeginTransImmediate();
    insert(1, "first", 1);
    other->setCommandTimeout(1);
    const auto start = std::chrono::steady_clock::now();
    const rt::Error e = errorRaised([&] {
        other->BeginTransImmediate();
        other->Execute("INSERT INTO item (id, name, amount) VALUES (2, 'second', 1)");
    });
    EXPECT_EQ(e.number(), ado::detail::errQueryTimeout) << e.description();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900)) << "waited";
    while (other->TransactionLevel() > 0)
        other->RollbackTrans();
    conn->CommitTrans();
    other->setCommandTimeout(0);
    other->BeginTransImmediate();
    other->Execute("INSERT INTO item (id, name, amount) VALUES (2, 'second', 1)");
    other->CommitTrans();
    EXPECT_EQ(count(), 2);
}

IDJ_INSTANTIATE_ON_BACKENDS(DataLayer);

} // namespace

namespace {

// SQL Server's functions, literals and names as the component writes them, on both backends.
class SqlServerText : public BackendFixture {
  protected:
    void SetUp() override {
        BackendFixture::SetUp();
        create("CREATE TABLE doc (DocID INTEGER, Code VARCHAR(20) COLLATE TEXT_CI, Made DATETEXT, "
               "Num VARCHAR(10) COLLATE TEXT_CI)");
        conn->Execute("INSERT INTO doc VALUES (1, 'Abc  ', '20240305', '12')");
        conn->Execute("INSERT INTO doc VALUES (2, 'xyz', '20241231', 'n/a')");
    }
    std::string text(const std::string& sql) {
        rt::Variant v = scalar(sql);
        return v.isNull() ? "NULL" : rt::CStr(v);
    }
};

TEST_P(SqlServerText, FunctionsGiveSqlServersResults) {
    // LEN, RIGHT, SUBSTRING and ISNUMERIC have their own table (SqlServerConformanceTest).
    EXPECT_EQ(text("SELECT isnull(max(DocID), 0) + 1 FROM doc WHERE DocID > 5"), "1");
    EXPECT_EQ(text("SELECT convert(int, Num) + 1 FROM doc WHERE DocID = 1"), "13");
    EXPECT_EQ(text("SELECT convert(varchar(20), Made, 103) FROM doc WHERE DocID = 1"), "05/03/2024");
    EXPECT_EQ(text("SELECT convert(varchar(20), Made, 105) FROM doc WHERE DocID = 1"), "05-03-2024");
}

TEST_P(SqlServerText, LiteralsNamesAndHintsReadAsOnSqlServer) {
    EXPECT_EQ(text("SELECT TOP 1 [DocID] FROM doc d (nolock) WHERE d.Made >= '20241201' ORDER BY DocID"),
              "2");
    EXPECT_EQ(text("SELECT COUNT(*) FROM doc WITH (NOLOCK) WHERE Code = N'XYZ'"), "1");
    EXPECT_EQ(text("SELECT COUNT(*) FROM DOC WHERE code = 'aBC  '"), "1"); // names and text ignore case
    rt::Variant made = scalar("SELECT Made FROM doc WHERE DocID = 2");
    EXPECT_EQ(made.type(), rt::Variant::Type::Date);
}

IDJ_INSTANTIATE_ON_BACKENDS(SqlServerText);

} // namespace
