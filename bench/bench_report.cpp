// The journal report of a 1,000-line voucher written to PDF through the engine (statements,
// layout, pages, painting, file), against a raw SQLite read of the same header and lines into
// strings, prepared once on a connection opened as the data layer opens its own. Ends with
// "ratio report_1000_lines = X.XX".
#include "BenchDb.h"
#include "Ratio.h"
#include "ado/SqlTranslator.h"
#include "ado/TextCompare.h"
#include "automation/Automation.h"
#include "report/ReportEngine.h"
#include "report/ReportLayout.h"
#include "runtime/Convert.h"
#include "tests/support/LongVoucher.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int kVoucher = 9000;
constexpr int kLines = 1000;

std::string reportFile() {
    return std::string(IDJ_SOURCE_DIR) + "/reports/rptInterjournalregister.json";
}

// The demo database with the long voucher added once; reused by later runs.
const std::string& database() {
    static const std::string path = [] {
        std::string p = benchsupport::seededDatabase(0);
        auto c = ado::Connection::create();
        c->Open(p);
        auto rs = c->Execute("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = ? AND "
                             "JournalTransID = ?",
                             {rt::Variant(db::demo::kCompany), rt::Variant(int32_t{kVoucher})});
        const bool added = rt::CLng((*rs)[0]) > 0;
        rs->Close();
        if (!added)
            testsupport::addLongVoucher(c, db::demo::kCompany, kVoucher, db::demo::kTwelveLineVoucher,
                                        kLines);
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
    std::filesystem::remove(pdfPath());
    connection->Close();
}

void BM_RawSqlite(benchmark::State& state) {
    const report::Layout layout = report::readLayout(reportFile());
    sqlite3* db = benchsupport::openLikeTheDataLayer(database());
    std::vector<sqlite3_stmt*> statements;
    for (const report::LayoutQuery* q : {&layout.header, &layout.lines}) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v3(db, ado::translateSql(q->sql).c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st,
                               nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        statements.push_back(st);
    }
    size_t rows = 0;
    for (auto _ : state) {
        std::vector<std::string> cells;
        cells.reserve(8 * (kLines + 1));
        rows = 0;
        for (sqlite3_stmt* st : statements) {
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
            sqlite3_reset(st);
        }
        benchmark::DoNotOptimize(cells.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    for (sqlite3_stmt* st : statements)
        sqlite3_finalize(st);
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

    return benchsupport::runWithRatios(argc, argv, {{"report_1000_lines", "BM_ReportPdf", "BM_RawSqlite"}});
}
