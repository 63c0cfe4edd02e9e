#pragma once
// Databases of the data layer's own for tests. BackendFixture runs a case on each backend: a
// fresh SQLite file, or a fresh schema on the server IDJ_TEST_PG names (dropped afterwards).
// Server cases are instantiated under the "Postgres" prefix, which gives them the CTest label
// "postgres"; without IDJ_TEST_PG they fail rather than pass unseen. AdoFixture is SQLite alone,
// for what only a file shows.
#include "ado/Ado.h"
#include "ado/PgSession.h"
#include "db/ServerSchema.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace adotest {

inline void removeDatabase(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path + suffix);
}

inline std::string freshPath(const std::string& stem) {
    static std::atomic<int> n{0};
    auto dir = std::filesystem::path(testing::TempDir());
    auto p = dir / (stem + "_" + std::to_string(getpid()) + "_" + std::to_string(n++) + ".db");
    removeDatabase(p.string());
    return p.string();
}

// Statements on the fixture's connection.
template <class Base> class OnConnection : public Base {
  protected:
    ado::RecordsetPtr open(const std::string& sql, ado::CursorType cursor = ado::adOpenStatic,
                           ado::LockType lock = ado::adLockReadOnly, const ado::Params& params = {}) {
        auto rs = ado::Recordset::create();
        rs->Open(sql, conn, cursor, lock, params);
        return rs;
    }

    // The first column of the first row.
    rt::Variant scalar(const std::string& sql, const ado::Params& params = {}) {
        auto rs = conn->Execute(sql, params);
        return (*rs)[0];
    }

    void exec(const std::string& sql, const ado::Params& params = {}) { conn->Execute(sql, params); }

    ado::ConnectionPtr conn;
};

class AdoFixture : public OnConnection<testing::Test> {
  protected:
    void SetUp() override {
        path = freshPath("ado");
        conn = ado::Connection::create();
        conn->Open(path);
        conn->setCommandTimeout(0);
    }
    void TearDown() override {
        conn.reset();
        removeDatabase(path);
    }

    std::string path;
};

enum class BackendId { Sqlite, Postgres };

inline std::string backendName(const testing::TestParamInfo<BackendId>& info) {
    return info.param == BackendId::Sqlite ? "SQLite" : "PostgreSQL";
}

class BackendFixture : public OnConnection<testing::TestWithParam<BackendId>> {
  protected:
    void SetUp() override { conn = openConnection(); }

    void TearDown() override {
        if (conn && conn->State() == ado::adStateOpen && !schema.empty()) {
            while (conn->TransactionLevel() > 0)
                conn->RollbackTrans();
            conn->Execute("DROP SCHEMA " + schema + " CASCADE");
        }
        conn.reset();
        if (!path.empty()) removeDatabase(path);
    }

    // A table declared as the suite's schema declares it (SQLite's text), in this backend's types.
    void create(std::string_view ddl) {
        conn->Execute(onServer() ? db::renderForServer(ddl) : std::string(ddl));
    }

    bool onServer() const { return GetParam() == BackendId::Postgres; }

    // The connection string of this test's database; a second connection opens the same one.
    std::string target() {
        if (!onServer()) {
            if (path.empty()) path = freshPath("backend");
            return path;
        }
        const char* uri = std::getenv("IDJ_TEST_PG");
        if (!uri || !*uri)
            throw std::runtime_error("IDJ_TEST_PG is not set: it must name a postgresql:// database these "
                                     "tests may create schemas in (scripts/with-pg.sh starts one)");
        if (schema.empty()) {
            static int n = 0;
            schema = "idjt_" + std::to_string(getpid()) + "_" + std::to_string(n++);
        }
        std::string sep = std::string(uri).find('?') == std::string::npos ? "?" : "&";
        return std::string(uri) + sep + "options=-csearch_path%3D" + schema;
    }

    ado::ConnectionPtr openConnection() {
        std::string cs = target();
        auto c = ado::Connection::create();
        c->Open(cs);
        c->setCommandTimeout(0);
        if (onServer() && !conn) {
            c->Execute("CREATE SCHEMA " + schema);
            db::createServerFunctions(c);
        }
        return c;
    }

    std::string path;
    std::string schema;
};

#define IDJ_INSTANTIATE_ON_BACKENDS(fixture)                                                                 \
    INSTANTIATE_TEST_SUITE_P(Sqlite, fixture, testing::Values(adotest::BackendId::Sqlite),                   \
                             adotest::backendName);                                                          \
    INSTANTIATE_TEST_SUITE_P(Postgres, fixture, testing::Values(adotest::BackendId::Postgres),               \
                             adotest::backendName)

} // namespace adotest
