#pragma once
// A fresh copy of the demo database for one test, and the module state reset around it.
#include "ado/Ado.h"
#include "component/Context.h"
#include "db/Schema.h"
#include "db/Seeder.h"
#include "forms/ScriptedHost.h"
#include "runtime/Convert.h"
#include "runtime/Date.h"
#include "runtime/Error.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace testsupport {

// The process date all tests use (the demo's dates follow it).
inline rt::Date processDate() {
    return rt::makeDate(2026, 12, 6);
}

// True while a test that runs on the server is being built: the DemoDb it holds is a fresh
// schema of the database IDJ_TEST_PG names, seeded as the host program seeds a server.
inline bool& demoOnServer() {
    static bool on = false;
    return on;
}

class DemoDb {
    static std::string seededPath() {
        return (std::filesystem::temp_directory_path() / ("idj-demo-" + std::to_string(getpid()) + ".db"))
            .string();
    }

  public:
    DemoDb() {
        namespace fs = std::filesystem;
        if (demoOnServer()) {
            demoOnServer() = false; // the next one is SQLite's unless asked again
            openOnServer();
            return;
        }
        static const std::string seeded = [] {
            std::string p = seededPath();
            fs::remove(p);
            auto c = ado::Connection::create();
            c->Open(p);
            db::createSchema(c->handle());
            db::seedDemo(c->handle(), processDate());
            c->Close();
            std::atexit([] { std::filesystem::remove(seededPath()); });
            return p;
        }();
        static int n = 0;
        path_ = seeded + "." + std::to_string(++n);
        removeFiles();
        fs::copy_file(seeded, path_);
        conn = ado::Connection::create();
        conn->Open(path_);
    }
    ~DemoDb() {
        if (conn && conn->State() == ado::adStateOpen) conn->Close();
        if (!schema_.empty()) {
            dropSchema();
            return;
        }
        removeFiles();
    }
    DemoDb(const DemoDb&) = delete;
    DemoDb& operator=(const DemoDb&) = delete;

    const std::string& path() const { return path_; }
    // A single value of a query, as text ("" for NULL or no row).
    std::string scalar(const std::string& sql) {
        auto rs = conn->Execute(sql);
        std::string v = rs->eof() ? std::string() : textOf((*rs)[0]);
        rs->Close();
        return v;
    }
    // Every row of a query, each value as text.
    std::vector<std::vector<std::string>> rows(const std::string& sql) {
        std::vector<std::vector<std::string>> out;
        auto rs = conn->Execute(sql);
        for (; !rs->eof(); rs->MoveNext()) {
            out.emplace_back();
            for (int i = 0; i < rs->FieldCount(); ++i)
                out.back().push_back(textOf((*rs)[i]));
        }
        rs->Close();
        return out;
    }
    // The first column of every row.
    std::vector<std::string> texts(const std::string& sql) {
        std::vector<std::string> out;
        for (auto& row : rows(sql))
            out.push_back(row.front());
        return out;
    }
    void exec(const std::string& sql) { conn->Execute(sql); }

    ado::ConnectionPtr conn;

  private:
    static std::string serverUri() {
        const char* uri = std::getenv("IDJ_TEST_PG");
        if (!uri || !*uri)
            throw std::runtime_error("IDJ_TEST_PG is not set: it must name a postgresql:// database these "
                                     "tests may create schemas in (scripts/with-pg.sh starts one)");
        return uri;
    }
    void openOnServer() {
        static int n = 0;
        schema_ = "idjd_" + std::to_string(getpid()) + "_" + std::to_string(n++);
        const std::string uri = serverUri();
        auto admin = ado::Connection::create();
        admin->Open(uri);
        admin->Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
        admin->Execute("CREATE SCHEMA " + schema_);
        admin->Close();
        path_ = uri + (uri.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema_;
        db::ensureDemoDatabase(path_, processDate());
        conn = ado::Connection::create();
        conn->Open(path_);
    }
    void dropSchema() noexcept {
        try {
            auto admin = ado::Connection::create();
            admin->Open(serverUri());
            admin->Execute("DROP SCHEMA " + schema_ + " CASCADE");
        } catch (const rt::Error& e) {
            std::fprintf(stderr, "test schema %s left: %s\n", schema_.c_str(), e.description().c_str());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "test schema %s left: %s\n", schema_.c_str(), e.what());
        }
    }
    std::string schema_;
    static std::string textOf(const rt::Variant& v);
    void removeFiles() {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(path_ + suffix);
    }
    std::string path_;
};

inline std::string DemoDb::textOf(const rt::Variant& v) {
    if (v.type() == rt::Variant::Type::Date) return rt::toStored(v.date());
    if (v.type() == rt::Variant::Type::Boolean) return rt::CBool(v) ? "1" : "0"; // flags as stored
    return rt::TextOf(v);
}

// Resets the module-wide state to a user's working context.
inline void resetContext(int16_t company, int16_t user, int16_t year, int16_t department = 0) {
    idj::Context& c = idj::ctx();
    c = idj::Context{};
    c.intCompanyID = company;
    c.intuserid = user;
    c.intFinancialID = year;
    c.intdepartmentid = department;
    c.dtProcessDate = processDate();
    c.strMsgboxCaption = "Accounts Suite";
}

} // namespace testsupport
