// The journal report of a 1,000-line voucher written to PDF through the engine (statements,
// layout, pages, painting, file), against a raw SQLite read of the same header and lines into
// strings. Prints "ratio report_1000_lines = x.xx" and the pages written per second.
#include "BenchDb.h"
#include "Ratio.h"
#include "ado/SqlTranslator.h"
#include "automation/Automation.h"
#include "report/ReportEngine.h"
#include "report/ReportLayout.h"
#include "runtime/Convert.h"
#include "tests/support/LongVoucher.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kVoucher = 9000;
constexpr int kLines = 1000;
int pagesWritten = 0;

std::string reportFile() {
    return std::string(IDJ_SOURCE_DIR) + "/reports/rptInterjournalregister.json";
}

const std::string& database() {
    static const std::string path = [] {
        std::string p = benchsupport::makeDatabase("report", 0);
        auto c = ado::Connection::create();
        c->Open(p);
        testsupport::addLongVoucher(c, db::demo::kCompany, kVoucher, db::demo::kTwelveLineVoucher, kLines);
        c->Close();
        return p;
    }();
    return path;
}

std::string pdfPath() {
    return (std::filesystem::temp_directory_path() /
            ("idj-bench-report-" + std::to_string(getpid()) + ".pdf"))
        .string();
}

void BM_ReportPdf(benchmark::State& state) {
    auto connection = ado::Connection::create();
    connection->Open(database());
    rt::ObjectPtr engine = automation::CreateObject(report::ReportApplication::kProgId);
    automation::callv(engine, "LogOnServer", rt::ObjectPtr(connection));
    int pages = 0;
    for (auto _ : state) {
        rt::ObjectPtr rpt = automation::callv(engine, "OpenReport", reportFile()).object();
        rt::ObjectPtr fields = automation::get(rpt, "ParameterFieldDefinitions").object();
        automation::callv(automation::callv(fields, "Item", 1).object(), "SetCurrentValue",
                          db::demo::kCompany);
        automation::callv(automation::callv(fields, "Item", 2).object(), "SetCurrentValue", double(kVoucher));
        pages = rt::CLng(automation::callv(rpt, "Export", pdfPath()));
    }
    state.counters["pages"] = pages;
    pagesWritten = pages;
    std::filesystem::remove(pdfPath());
    connection->Close();
}

void BM_RawSqlite(benchmark::State& state) {
    const report::Layout layout = report::readLayout(reportFile());
    sqlite3* db = nullptr;
    sqlite3_open(database().c_str(), &db);
    size_t rows = 0;
    for (auto _ : state) {
        std::vector<std::string> cells;
        cells.reserve(8 * (kLines + 1));
        rows = 0;
        for (const report::LayoutQuery* q : {&layout.header, &layout.lines}) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, ado::translateSql(q->sql).c_str(), -1, &st, nullptr);
            sqlite3_bind_int(st, 1, db::demo::kCompany);
            sqlite3_bind_int(st, 2, kVoucher);
            const int cols = sqlite3_column_count(st);
            while (sqlite3_step(st) == SQLITE_ROW) {
                ++rows;
                for (int i = 0; i < cols; ++i) {
                    const unsigned char* t = sqlite3_column_text(st, i);
                    cells.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
                }
            }
            sqlite3_finalize(st);
        }
        benchmark::DoNotOptimize(cells.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_RawSqlite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv); // fonts for the PDF
    report::registerReportEngine();

    benchmark::Initialize(&argc, argv);
    benchsupport::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double report = reporter.time("BM_ReportPdf/min_time:2.000");
    const double raw = reporter.time("BM_RawSqlite/min_time:2.000");
    if (report > 0 && raw > 0) {
        std::printf("ratio report_1000_lines = %.2f\n", report / raw);
        // Adjusted times are in the benchmarks' unit, milliseconds.
        std::printf("pages per second = %.1f\n", pagesWritten / (report / 1000.0));
    }
    benchmark::Shutdown();
    benchsupport::removeDatabase(database());
    return 0;
}
