#pragma once
// The data layer's backends for parameterised tests. Each test gets a database of its own: a
// fresh SQLite file, or a fresh schema on the server IDJ_TEST_PG names (dropped afterwards).
// Server cases are instantiated under the "Postgres" prefix, which gives them the CTest label
// "postgres"; without IDJ_TEST_PG they fail rather than pass unseen.
#include "AdoFixture.h"
#include "ado/PgSession.h"
#include "db/ServerSchema.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace adotest {

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
        if (!path.empty())
            for (const char* suffix : {"", "-wal", "-shm"})
                std::filesystem::remove(path + suffix);
    }

    // A text column that compares as SQL Server's text does.
    std::string textType(int length) const {
        return "VARCHAR(" + std::to_string(length) + ") COLLATE " + (onServer() ? "text_ci" : "TEXT_CI");
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
