// Reading the browse list through the data layer against a raw SQLite loop on the same
// statement and data: 100,000 vouchers of one company and year, every field read as text.
#include "BenchDb.h"
#include "Ratio.h"
#include "ado/Ado.h"
#include "ado/SqlTranslator.h"
#include "db/Schema.h"
#include "db/Seeder.h"
#include "runtime/Convert.h"

#include <benchmark/benchmark.h>
#include <ctime>
#include <filesystem>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kVouchers = 100000;

const std::string& browseSql() {
    static const std::string sql =
        std::string("SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate,") +
        "  case h.type when 'PA' then 'Payment' else  case h.type when 'RE' then 'Receipt' else " +
        " case h.type when 'CA' then 'Cash Transfer' else 'Journal' end  end end type ,TypeSeriallNO " +
        ", " + "case h.cancelled when 1 then 'Yes' else 'No' end cancelled , " +
        " case h.posted when 1 then 'Yes' else 'No' end posted ,case h.Confirm when 1 then 'Yes' else 'No' "
        "end "
        "Confirm  From InterDivisionJournalTransHeader h (nolock) " +
        " where  h.Companyid= 1 and h.FinancialID = 3 and h.JournalTransDate >= '20240401'ORDER BY "
        "h.JournalTransID";
    return sql;
}

struct Data {
    ado::ConnectionPtr conn;

    Data() {
        conn = ado::Connection::create();
        conn->Open(benchsupport::seededDatabase(kVouchers));
        conn->setCommandTimeout(0); // as the component runs
    }
    ~Data() { conn->Close(); }
};

Data& data() {
    static Data d;
    return d;
}

size_t readThroughRecordset(ado::CursorType cursor) {
    auto rs = ado::Recordset::create();
    rs->Open(browseSql(), data().conn, cursor, ado::adLockReadOnly);
    const int fields = rs->FieldCount();
    size_t chars = 0, rows = 0;
    for (; !rs->eof(); rs->MoveNext(), ++rows)
        for (int i = 0; i < fields; ++i) {
            std::string text = rt::TextOf((*rs)[i]);
            chars += text.size();
            benchmark::DoNotOptimize(text.data());
        }
    rs->Close();
    if (rows < kVouchers) throw std::runtime_error("unexpected row count " + std::to_string(rows));
    return chars;
}

// Prepared once, on the data layer's own connection (the same flags and pragmas).
size_t readRaw() {
    static sqlite3_stmt* stmt = [] {
        const std::string translated = ado::translateSql(browseSql());
        sqlite3_stmt* s = nullptr;
        sqlite3* db = data().conn->handle();
        if (sqlite3_prepare_v3(db, translated.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        return s;
    }();
    const int fields = sqlite3_column_count(stmt);
    size_t chars = 0, rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int i = 0; i < fields; ++i) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            std::string text =
                p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt, i))) : std::string();
            chars += text.size();
            benchmark::DoNotOptimize(text.data());
        }
    }
    sqlite3_reset(stmt);
    if (rows < kVouchers) throw std::runtime_error("unexpected row count " + std::to_string(rows));
    return chars;
}

// The first read after seeding is slow for reasons of no interest here (cold caches).
void warmUp() {
    static const bool warm = [] {
        readRaw();
        readThroughRecordset(ado::adOpenStatic);
        return true;
    }();
    (void)warm;
}

void BM_BrowseRawSqlite(benchmark::State& state) {
    warmUp();
    for (auto _ : state)
        benchmark::DoNotOptimize(readRaw());
    state.SetItemsProcessed(state.iterations() * kVouchers);
}

void BM_BrowseRecordsetStatic(benchmark::State& state) {
    warmUp();
    for (auto _ : state)
        benchmark::DoNotOptimize(readThroughRecordset(ado::adOpenStatic));
    state.SetItemsProcessed(state.iterations() * kVouchers);
}

void BM_BrowseRecordsetForwardOnly(benchmark::State& state) {
    warmUp();
    for (auto _ : state)
        benchmark::DoNotOptimize(readThroughRecordset(ado::adOpenForwardOnly));
    state.SetItemsProcessed(state.iterations() * kVouchers);
}

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Both loops in turn within each iteration, timed by the CPU time of this thread, so that the
// ratio does not depend on what else the machine is doing.
void BM_BrowseRatioStaticToRaw(benchmark::State& state) {
    warmUp();
    double raw = 0, layer = 0;
    for (auto _ : state) {
        double t0 = threadCpuMs();
        benchmark::DoNotOptimize(readRaw());
        double t1 = threadCpuMs();
        benchmark::DoNotOptimize(readThroughRecordset(ado::adOpenStatic));
        double t2 = threadCpuMs();
        raw += t1 - t0;
        layer += t2 - t1;
    }
    auto n = static_cast<double>(state.iterations());
    state.counters["raw_cpu_ms"] = raw / n;
    state.counters["recordset_cpu_ms"] = layer / n;
    state.counters["ratio"] = layer / raw;
    benchsupport::figures()["browse_read"] = layer / raw;
}

} // namespace

BENCHMARK(BM_BrowseRawSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowseRecordsetStatic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowseRecordsetForwardOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowseRatioStaticToRaw)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) {
    return benchsupport::runWithRatios(argc, argv, {});
}
