#pragma once
// A fresh database file with the suite's schema, opened through the data layer.
#include "ado/Ado.h"
#include "db/Schema.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace adotest {

inline std::string freshPath(const std::string& stem) {
    static std::atomic<int> n{0};
    auto dir = std::filesystem::path(testing::TempDir());
    auto p = dir / (stem + "_" + std::to_string(getpid()) + "_" + std::to_string(n++) + ".db");
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(p.string() + suffix);
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
        db::createSchema(conn->handle());
    }
    void TearDown() override {
        conn.reset();
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path + suffix);
    }

    std::string path;
};

} // namespace adotest
