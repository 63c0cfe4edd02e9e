// Filling the browse grid with a year of vouchers, end to end (query, grid model, headers and
// widths), against a raw SQLite read of the same statement into strings.
#include "BenchDb.h"
#include "Ratio.h"
#include "ado/SqlTranslator.h"
#include "ado/TextCompare.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kVouchers = 100000;

void setContext() {
    idj::Context& c = idj::ctx();
    c.intCompanyID = db::demo::kCompany;
    c.intuserid = db::demo::kAdmin;
    c.intFinancialID = db::demo::kCurrentYear;
    c.intdepartmentid = 0;
    c.dtProcessDate = benchsupport::processDate();
    c.NoOfPreviousDays = 400;
}

void BM_GridPopulate(benchmark::State& state) {
    setContext();
    idj::FrmMaster& m = idj::FrmMaster::instance();
    m.adocon = ado::Connection::create();
    m.adocon->Open(benchsupport::yearOfVouchers(kVouchers));
    const std::string sql = m.browseStatement();
    for (auto _ : state) {
        m.GridPopulate(sql, "InterDivisionJournalTransHeader",
                       "InterDivisionJournalTransDetails, AACCOUNTMASTER");
        benchmark::DoNotOptimize(m.GrdMaster.Rows());
    }
    state.counters["rows"] = m.GrdMaster.Rows() - 1;
    m.adocon->Close();
}

void BM_RawSqlite(benchmark::State& state) {
    setContext();
    sqlite3* db = nullptr;
    sqlite3_open(benchsupport::yearOfVouchers(kVouchers).c_str(), &db);
    ado::registerTextCollation(db);
    idj::FrmMaster& m = idj::FrmMaster::instance();
    const std::string sql = ado::translateSql(m.browseStatement());
    size_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        const int cols = sqlite3_column_count(st);
        // The cheapest store of the same texts: one flat, pre-sized array.
        std::vector<std::string> grid;
        grid.reserve(static_cast<size_t>(cols) * (kVouchers + 400));
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < cols; ++i) {
                const unsigned char* t = sqlite3_column_text(st, i);
                grid.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
            }
        }
        sqlite3_finalize(st);
        rows = grid.size() / static_cast<size_t>(cols);
        benchmark::DoNotOptimize(grid.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_RawSqlite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GridPopulate)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    benchsupport::runWithRatios(argc, argv,
                                {{"BM_GridPopulate/min_time:2.000", "BM_RawSqlite/min_time:2.000"}});
    benchsupport::removeDatabase(benchsupport::yearOfVouchers(kVouchers));
    return 0;
}
