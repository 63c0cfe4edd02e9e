#pragma once
// A demo database with a year of extra vouchers, made once per benchmark program.
#include "ado/Ado.h"
#include "db/Schema.h"
#include "db/Seeder.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace benchsupport {

inline rt::Date processDate() { return rt::makeDate(2026, 12, 6); }

// The file of a demo database holding `vouchers` more vouchers in the current year.
inline const std::string& yearOfVouchers(int vouchers) {
    static const std::string path = [vouchers] {
        std::string p = (std::filesystem::temp_directory_path() /
                         ("idj-bench-" + std::to_string(getpid()) + ".db"))
                            .string();
        for (const char* s : {"", "-wal", "-shm"}) std::filesystem::remove(p + s);
        auto c = ado::Connection::create();
        c->Open(p);
        db::createSchema(c->handle());
        db::seedDemo(c->handle(), processDate());
        db::seedBulkVouchers(c->handle(), db::demo::kCompany, db::demo::kCurrentYear, vouchers,
                             rt::makeDate(2026, 4, 1));
        c->Close();
        return p;
    }();
    return path;
}

inline void removeDatabase(const std::string& p) {
    for (const char* s : {"", "-wal", "-shm"}) std::filesystem::remove(p + s);
}

} // namespace benchsupport
