#pragma once
// Demo databases with extra vouchers, seeded once into build/bench-data/ and reused by every
// later run. Benchmarks that save remove what they added, so the files stay as seeded.
#include "ado/TextCompare.h"
#include "component/Context.h"
#include "db/Schema.h"
#include "db/Seeder.h"
#include "db/Sqlite.h"
#include "runtime/Error.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace benchsupport {

inline rt::Date processDate() {
    return rt::makeDate(2026, 12, 6);
}

// The admin of the demo company browsing this year's vouchers.
inline void setBrowseContext() {
    idj::Context& c = idj::ctx();
    c.intCompanyID = db::demo::kCompany;
    c.intuserid = db::demo::kAdmin;
    c.intFinancialID = db::demo::kCurrentYear;
    c.intdepartmentid = 0;
    c.dtProcessDate = processDate();
    c.NoOfPreviousDays = 400;
}

// build/bench-data, beside the folder of the benchmark programs.
inline std::filesystem::path dataFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bench-data";
}

using Handle = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

inline Handle openRaw(const std::string& path) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Handle h(raw, sqlite3_close);
    if (rc != SQLITE_OK) db::raiseSqlite(raw, "open " + path);
    ado::registerTextCollation(raw); // the text columns' indexes are ordered by it
    return h;
}

// Opened as the data layer opens its connections (flags, collation, journal and sync), so that a
// raw side of a benchmark measures the same work.
inline sqlite3* openLikeTheDataLayer(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        db::raiseSqlite(db, "open " + path);
    ado::registerTextCollation(db);
    for (const char* pragma :
         {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA foreign_keys=ON"})
        if (sqlite3_exec(db, pragma, nullptr, nullptr, nullptr) != SQLITE_OK) db::raiseSqlite(db, pragma);
    return db;
}

// The demo database with `vouchers` more vouchers of company 1 in the current year.
inline std::string seededDatabase(int vouchers) {
    namespace fs = std::filesystem;
    fs::create_directories(dataFolder());
    const std::string path = (dataFolder() / ("demo-" + std::to_string(vouchers) + ".db")).string();
    if (fs::exists(path)) {
        db::upgradeSchema(openRaw(path).get()); // seeded by an earlier version of the schema
        return path;
    }
    std::fprintf(stderr, "seeding %s (once)\n", path.c_str());
    const std::string part = path + ".part";
    fs::remove(part);
    {
        Handle h = openRaw(part);
        db::exec(h.get(), "PRAGMA journal_mode=WAL");
        db::createSchema(h.get());
        db::seedDemo(h.get(), processDate());
        db::seedBulkVouchers(h.get(), db::demo::kCompany, db::demo::kCurrentYear, vouchers,
                             rt::makeDate(2026, 4, 1));
        db::exec(h.get(), "PRAGMA wal_checkpoint(TRUNCATE)");
    }
    fs::rename(part, path);
    return path;
}

// Removes the company's vouchers above `lastId` and the log of their saves.
inline void removeVouchersAfter(const std::string& path, int lastId) {
    Handle h = openRaw(path);
    db::Statement lines(h.get(), "DELETE FROM InterDivisionJournalTransDetails WHERE CompanyID = 1 AND "
                                 "JournalTransID > ?");
    lines.run(lastId);
    db::Statement headers(h.get(), "DELETE FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                                   "JournalTransID > ?");
    headers.run(lastId);
    db::Statement log(h.get(), "DELETE FROM aActivityLog WHERE CompanyID = 1 AND VoucherID > ?");
    log.run(lastId);
}

inline int lastVoucherId(int vouchers) {
    return db::demo::kVoucherCount + vouchers;
}

} // namespace benchsupport
