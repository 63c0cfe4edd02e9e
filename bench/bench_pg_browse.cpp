// Filling the browse grid with 100,000 vouchers from a PostgreSQL server, end to end (query,
// grid model, headers and widths), against raw libpq running the same statement, prepared
// once, and keeping the same trimmed texts, dates shown as the grid shows them, in one flat store.
// Most of the work is the server's, in another process, so the ratio is of wall time: the least
// of five repetitions of each side. Run it under scripts/with-pg.sh (the server is found through
// IDJ_TEST_PG); the vouchers are seeded once per server.
#include "BrowseFill.h"
#include "PgBenchDb.h"
#include "Ratio.h"
#include "RawGrid.h"
#include "ado/PgSession.h"
#include "ado/SqlTranslator.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "runtime/Convert.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kVouchers = 100000;
constexpr int kRepetitions = 5;

const std::string& database() {
    static const std::string target = benchsupport::seededServer(kVouchers);
    return target;
}

void BM_PgGridPopulate(benchmark::State& state) {
    benchsupport::setBrowseContext();
    idj::FrmMaster& m = idj::FrmMaster::instance();
    m.adocon = ado::Connection::create();
    m.adocon->Open(database());
    m.adocon->setCommandTimeout(0);
    benchsupport::fillBrowseGrid(state, m);
}

void BM_RawLibpq(benchmark::State& state) {
    benchsupport::setBrowseContext();
    benchsupport::PgHandle server = benchsupport::openServer(database());
    size_t marks = 0;
    const std::string sql = ado::detail::numberedPlaceholders(
        ado::translateSql(idj::FrmMaster::instance().browseStatement(), ado::Dialect::Postgres), marks);
    benchsupport::checkedRows(server.get(), PQprepare(server.get(), "browse", sql.c_str(), 0, nullptr));
    size_t rows = 0;
    for (auto _ : state) {
        benchsupport::PgRows r = benchsupport::checkedRows(
            server.get(), PQexecPrepared(server.get(), "browse", 0, nullptr, nullptr, nullptr, 0));
        const int cols = PQnfields(r.get()), n = PQntuples(r.get());
        std::vector<bool> isDate(static_cast<size_t>(cols));
        for (int i = 0; i < cols; ++i)
            isDate[static_cast<size_t>(i)] = PQftype(r.get(), i) == 1114 || PQftype(r.get(), i) == 1082;
        benchsupport::FlatTexts texts(cols);
        for (int row = 0; row < n; ++row) {
            for (int i = 0; i < cols; ++i) {
                std::string_view cell(PQgetvalue(r.get(), row, i),
                                      static_cast<size_t>(PQgetlength(r.get(), row, i)));
                std::string date;
                // The server's "yyyy-mm-dd[ hh:mm:ss]".
                if (isDate[static_cast<size_t>(i)] && cell.size() >= 10)
                    cell = date = benchsupport::dateText(cell, 5, 8);
                texts.add(i, cell);
            }
        }
        rows = static_cast<size_t>(n);
        benchmark::DoNotOptimize(texts.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}

} // namespace

BENCHMARK(BM_RawLibpq)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(kRepetitions);
BENCHMARK(BM_PgGridPopulate)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5)
    ->Repetitions(kRepetitions);

int main(int argc, char** argv) {
    benchsupport::serverUri(); // stops here, naming IDJ_TEST_PG, when no server is given
    database();
    return benchsupport::runWithRatios(
        argc, argv, {{"pg_browse_fill", "BM_PgGridPopulate", "BM_RawLibpq", benchsupport::Clock::Wall}});
}
