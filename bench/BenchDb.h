#pragma once
// A demo database with a year of extra vouchers, made once per benchmark program.
#include "ado/Ado.h"
#include "db/Schema.h"
#include "db/Seeder.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace benchsupport {

inline rt::Date processDate() {
    return rt::makeDate(2026, 12, 6);
}

// A demo database file holding `vouchers` more vouchers in the current year.
inline std::string makeDatabase(const std::string& name, int vouchers) {
    std::string p = (std::filesystem::temp_directory_path() /
                     ("idj-bench-" + name + "-" + std::to_string(getpid()) + ".db"))
                        .string();
    for (const char* s : {"", "-wal", "-shm"})
        std::filesystem::remove(p + s);
    auto c = ado::Connection::create();
    c->Open(p);
    db::createSchema(c->handle());
    db::seedDemo(c->handle(), processDate());
    if (vouchers > 0)
        db::seedBulkVouchers(c->handle(), db::demo::kCompany, db::demo::kCurrentYear, vouchers,
                             rt::makeDate(2026, 4, 1));
    c->Close();
    return p;
}

// The same, made once per program.
inline const std::string& yearOfVouchers(int vouchers) {
    static const std::string path = makeDatabase("year", vouchers);
    return path;
}

inline void removeDatabase(const std::string& p) {
    for (const char* s : {"", "-wal", "-shm"})
        std::filesystem::remove(p + s);
}

} // namespace benchsupport
