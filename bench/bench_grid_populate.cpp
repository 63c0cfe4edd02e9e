// Filling the browse grid with 100,000 vouchers, end to end (query, grid model, headers and
// widths), against a raw loop that steps the same statement, prepared once on a connection
// opened as the data layer opens its own, and keeps the same trimmed texts in one flat store.
// Also the grid's resident memory per 100,000 rows, read from the process.
#include "BenchDb.h"
#include "BrowseFill.h"
#include "Ratio.h"
#include "RawGrid.h"
#include "ado/SqlTranslator.h"
#include "ado/TextCompare.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "runtime/Convert.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr int kVouchers = 100000;

const std::string& database() {
    static const std::string path = benchsupport::seededDatabase(kVouchers);
    return path;
}

void openBrowseConnection() {
    idj::FrmMaster& m = idj::FrmMaster::instance();
    m.adocon = ado::Connection::create();
    m.adocon->Open(database());
    m.adocon->setCommandTimeout(0);
}

void BM_GridPopulate(benchmark::State& state) {
    benchsupport::setBrowseContext();
    openBrowseConnection();
    idj::FrmMaster& m = idj::FrmMaster::instance();
    benchsupport::fillBrowseGrid(state, m);
}

void BM_RawSqlite(benchmark::State& state) {
    benchsupport::setBrowseContext();
    sqlite3* db = benchsupport::openLikeTheDataLayer(database());
    const std::string sql = ado::translateSql(idj::FrmMaster::instance().browseStatement());
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    const int cols = sqlite3_column_count(st);
    std::vector<bool> isDate(static_cast<size_t>(cols));
    for (int i = 0; i < cols; ++i) {
        const char* type = sqlite3_column_decltype(st, i);
        isDate[static_cast<size_t>(i)] = type && std::string_view(type) == "DATETEXT";
    }
    size_t rows = 0;
    for (auto _ : state) {
        benchsupport::FlatTexts texts(cols);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < cols; ++i) {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                std::string_view cell =
                    p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(st, i)))
                      : std::string_view();
                std::string date;
                if (isDate[static_cast<size_t>(i)] && cell.size() >= 8)
                    cell = date = benchsupport::dateText(cell, 4, 6);
                texts.add(i, cell);
            }
        }
        sqlite3_reset(st);
        rows = texts.cells() / static_cast<size_t>(cols);
        benchmark::DoNotOptimize(texts.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

double residentMiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The process's resident memory before and after one fill, per 100,000 rows.
void measureGridMemory() {
    benchsupport::setBrowseContext();
    openBrowseConnection();
    idj::FrmMaster& m = idj::FrmMaster::instance();
    // An empty fill first, so that code and caches are in place before the count starts.
    std::string none = m.browseStatement();
    none.insert(none.find("ORDER BY"), " AND 1=0 ");
    m.GridPopulate(none, "InterDivisionJournalTransHeader", "");
    const double before = residentMiB();
    m.GridPopulate(m.browseStatement(), "InterDivisionJournalTransHeader", "");
    const double after = residentMiB();
    const double rows = m.GrdMaster.Rows() - 1;
    benchsupport::figures()["grid_mib_per_100k"] = (after - before) * 100000.0 / rows;
    m.GrdMaster.Clear();
    m.GrdMaster.setRows(2);
    m.adocon->Close();
}

} // namespace

BENCHMARK(BM_RawSqlite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GridPopulate)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    measureGridMemory();
    return benchsupport::runWithRatios(argc, argv, {{"browse_fill", "BM_GridPopulate", "BM_RawSqlite"}});
}
