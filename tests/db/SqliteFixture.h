#pragma once
// An in-memory database with the suite's schema, and one-value queries for the db tests.
#include "ado/TextCompare.h"
#include "db/Schema.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dbtest {

class Memory {
  public:
    Memory() {
        if (sqlite3_open(":memory:", &db_) != SQLITE_OK)
            throw rt::Error(rt::errProvider, "test", "cannot open");
        ado::registerTextCollation(db_);
    }
    ~Memory() { sqlite3_close(db_); }
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;
    sqlite3* get() const { return db_; }

    // All rows of a query, each column as text ("" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql) const {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw rt::Error(rt::errProvider, "test", sql + ": " + sqlite3_errmsg(db_));
        std::vector<std::vector<std::string>> out;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const unsigned char* t = sqlite3_column_text(st, i);
                row.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
            }
            out.push_back(std::move(row));
        }
        std::string err = rc == SQLITE_DONE ? "" : sqlite3_errmsg(db_);
        sqlite3_finalize(st);
        if (!err.empty()) throw rt::Error(rt::errProvider, "test", sql + ": " + err);
        return out;
    }
    std::vector<std::string> column(const std::string& sql) const {
        std::vector<std::string> out;
        for (auto& r : rows(sql))
            out.push_back(r.at(0));
        return out;
    }
    std::string text(const std::string& sql) const {
        auto r = rows(sql);
        return r.empty() ? std::string("<no row>") : r.at(0).at(0);
    }
    int64_t number(const std::string& sql) const { return std::stoll(text(sql)); }
    void exec(const std::string& sql) const { rows(sql); } // one statement

  private:
    sqlite3* db_ = nullptr;
};

} // namespace dbtest
