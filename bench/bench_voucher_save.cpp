// Saving vouchers through the editor and making journal numbers, each against the least the
// job needs: the same rows inserted by raw prepared statements, the same maximum read by one
// indexed seek; and the same 10-line save over 10,000 and over 1,000,000 stored vouchers.
#include "BenchDb.h"
#include "EditorSave.h"
#include "Ratio.h"
#include "db/NumberingKeys.h"

#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int kFewVouchers = 10000;
constexpr int kManyVouchers = 1000000;

// New vouchers of `lines` lines saved through the editor into the database of `stored` vouchers.
void saveThroughEditor(benchmark::State& state, int stored, int lines) {
    const std::string path = benchsupport::seededDatabase(stored);
    benchsupport::saveThroughEditor(state, path, lines);
    benchsupport::removeVouchersAfter(path, benchsupport::lastVoucherId(stored));
}

void BM_Save1000Lines(benchmark::State& state) {
    saveThroughEditor(state, kFewVouchers, 1000);
}
void BM_Save10LinesAt10k(benchmark::State& state) {
    saveThroughEditor(state, kFewVouchers, 10);
}
void BM_Save10LinesAt1M(benchmark::State& state) {
    saveThroughEditor(state, kManyVouchers, 10);
}

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

sqlite3_stmt* prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    check(sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr), db);
    return s;
}

void stepOnce(sqlite3_stmt* s, sqlite3* db) {
    check(sqlite3_step(s), db);
    sqlite3_reset(s);
}

// The rows a 1,000-line save writes, by statements prepared once, in one transaction.
void BM_RawSave1000Lines(benchmark::State& state) {
    const std::string path = benchsupport::seededDatabase(kFewVouchers);
    sqlite3* db = benchsupport::openLikeTheDataLayer(path);
    sqlite3_stmt* next = prepare(
        db, "SELECT ifnull(max(JournalTransID),0)+1 FROM InterDivisionJournalTransHeader WHERE CompanyID=1");
    sqlite3_stmt* header = prepare(
        db,
        "INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
        "JournalTransDate, Remarks, Cancelled, CancelledRemarks, Posted, FinancialID, exchangerate, "
        "updatetime, exchangerates, Type, Confirm, TypeSeriallNO, DepartmentID) VALUES (?,1,?,'20261201','a "
        "long voucher',0,NULL,0,3,1,'20261206 10:00:00','1:-1:','JO',0,'JRN/1',1)");
    sqlite3_stmt* line =
        prepare(db, "INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, "
                    "JournalTransID, AccountID, JournalTransCredit, DepartmentID, Amount, Remarks, "
                    "depexrates) VALUES (?,1,?,?,?,'1',125.5,?,1)");
    sqlite3_stmt* confirm = prepare(
        db, "UPDATE InterDivisionJournalTransHeader SET Confirm=0 WHERE JournalTransID=? AND CompanyID=1");
    sqlite3_stmt* log = prepare(
        db, "INSERT INTO aActivityLog (CompanyID, UserID, DepartmentID, InterfaceID, VoucherID, VoucherNo, "
            "ActionCode, LoggedTime, ActionTime) VALUES (1,1,1,5029,?,?,'N','20261206','20261206')");
    for (auto _ : state) {
        check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
        check(sqlite3_step(next), db);
        const int id = sqlite3_column_int(next, 0);
        sqlite3_reset(next);
        const std::string number = "IDJ/" + std::to_string(id);
        sqlite3_bind_int(header, 1, id);
        sqlite3_bind_text(header, 2, number.c_str(), -1, SQLITE_TRANSIENT);
        stepOnce(header, db);
        for (int i = 1; i <= 1000; ++i) {
            const std::string remarks = "line " + std::to_string(i);
            sqlite3_bind_int(line, 1, i);
            sqlite3_bind_int(line, 2, id);
            sqlite3_bind_int(line, 3, i % 2 ? 3 : 2);
            sqlite3_bind_int(line, 4, i % 2 ? 0 : 1);
            sqlite3_bind_text(line, 5, remarks.c_str(), -1, SQLITE_TRANSIENT);
            stepOnce(line, db);
        }
        sqlite3_bind_int(confirm, 1, id);
        stepOnce(confirm, db);
        sqlite3_bind_int(log, 1, id);
        sqlite3_bind_text(log, 2, number.c_str(), -1, SQLITE_TRANSIENT);
        stepOnce(log, db);
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    }
    for (sqlite3_stmt* s : {next, header, line, confirm, log})
        sqlite3_finalize(s);
    sqlite3_close(db);
    benchsupport::removeVouchersAfter(path, benchsupport::lastVoucherId(kFewVouchers));
}

void BM_GenerateJournalNo1M(benchmark::State& state) {
    benchsupport::openBrowse(benchsupport::seededDatabase(kManyVouchers));
    idj::ctx().GStrMasterNewEditFlag = "N";
    idj::frmJournal& j = idj::loadVoucherEditor(idj::FrmMaster::instance().adocon);
    for (auto _ : state) {
        if (!j.GenerateJournalNo()) state.SkipWithError("no number");
        benchmark::DoNotOptimize(j.journalNo());
    }
    state.SetLabel(j.journalNo());
    j.Tag.clear();
    j.Unload();
    benchsupport::closeBrowse();
}

// The same maximum by one seek of the numbering index, prepared once.
void BM_RawNumberSeek1M(benchmark::State& state) {
    sqlite3* db = benchsupport::openLikeTheDataLayer(benchsupport::seededDatabase(kManyVouchers));
    using namespace db::numbering;
    sqlite3_stmt* seek = prepare(db, "SELECT max(" + std::string(kRunning) +
                                         ") FROM InterDivisionJournalTransHeader INDEXED BY "
                                         "IX_IDJHeader_Numbering WHERE CompanyID = 1 AND " +
                                         kHead + " = ?1 AND " + plain());
    std::string number;
    for (auto _ : state) {
        sqlite3_bind_text(seek, 1, "IDJ/", -1, SQLITE_STATIC);
        check(sqlite3_step(seek), db);
        number = "IDJ/" + std::to_string(sqlite3_column_int64(seek, 0) + 1);
        sqlite3_reset(seek);
        benchmark::DoNotOptimize(number);
    }
    state.SetLabel(number);
    sqlite3_finalize(seek);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_RawSave1000Lines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Save1000Lines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Save10LinesAt10k)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Save10LinesAt1M)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawNumberSeek1M)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GenerateJournalNo1M)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

int main(int argc, char** argv) {
    return benchsupport::runWithRatios(argc, argv,
                                       {{"save_1000_lines", "BM_Save1000Lines", "BM_RawSave1000Lines"},
                                        {"save_at_1M_vs_10k", "BM_Save10LinesAt1M", "BM_Save10LinesAt10k"},
                                        {"numbering_1M", "BM_GenerateJournalNo1M", "BM_RawNumberSeek1M"}});
}
