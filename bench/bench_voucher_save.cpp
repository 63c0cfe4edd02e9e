// Saving a voucher of 1,000 lines through the editor, and making a journal number over
// 1,000,000 stored vouchers, each against raw SQLite doing the same inserts / the same scan.
#include "BenchDb.h"
#include "Ratio.h"
#include "ado/TextCompare.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "forms/ScriptedHost.h"
#include "runtime/Convert.h"
#include "services/SuiteConnection.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

#include <sqlite3.h>

namespace {

constexpr int kLines = 1000;
constexpr int kStoredVouchers = 1000000;

forms::ScriptedHost host;

void openBrowse(const std::string& path) {
    forms::setHost(&host);
    idj::Context& c = idj::ctx();
    c.intCompanyID = db::demo::kCompany;
    c.intuserid = db::demo::kAdmin;
    c.intFinancialID = db::demo::kCurrentYear;
    c.intdepartmentid = db::demo::kHeadOffice;
    c.dtProcessDate = benchsupport::processDate();
    c.strMsgboxCaption = "bench";
    idj::FrmMaster& m = idj::FrmMaster::instance();
    if (m.loaded()) m.Unload();
    m.adocon = ado::Connection::create();
    m.adocon->Open(path);
    m.adocon->setCommandTimeout(0);
    services::setSuiteConnection(m.adocon);
    m.Load();
}

void fillLines(idj::frmJournal& j) {
    for (int i = 1; i <= kLines; ++i) {
        forms::ListItem& it = j.lvwJournal.Add(std::to_string(i));
        const bool debit = i % 2 == 1;
        const std::string sub[] = {"Head Office",
                                   debit ? "Salaries & Wages - HO" : "HDFC Bank Current A/c",
                                   "line " + std::to_string(i),
                                   debit ? "125.50" : "0.00",
                                   debit ? "0.00" : "125.50",
                                   debit ? "3" : "2",
                                   "0",
                                   "1"};
        for (int k = 1; k <= 8; ++k)
            it.setSubItem(k, sub[k - 1]);
    }
}

void BM_SaveVoucher(benchmark::State& state) {
    const std::string path = benchsupport::makeDatabase("save", 0);
    openBrowse(path);
    for (auto _ : state) {
        state.PauseTiming();
        idj::ctx().GStrMasterNewEditFlag = "N";
        idj::frmJournal& j = idj::loadVoucherEditor(idj::FrmMaster::instance().adocon);
        j.dtpJournalDate.setValue(rt::makeDate(2026, 12, 1));
        j.txtRemarks.setText("a long voucher");
        fillLines(j);
        state.ResumeTiming();
        j.cmdOK_Click();
        if (j.loaded()) state.SkipWithError("the save was refused");
    }
    idj::FrmMaster::instance().Unload();
    idj::FrmMaster::instance().adocon->Close();
    benchsupport::removeDatabase(path);
}

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void BM_RawSave(benchmark::State& state) {
    const std::string path = benchsupport::makeDatabase("rawsave", 0);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    ado::registerTextCollation(db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_stmt *next, *header, *line, *confirm, *log;
    sqlite3_prepare_v2(
        db, "SELECT ifnull(max(JournalTransID),0)+1 FROM InterDivisionJournalTransHeader WHERE CompanyID=1",
        -1, &next, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
        "JournalTransDate, Remarks, Cancelled, CancelledRemarks, Posted, FinancialID, exchangerate, "
        "updatetime, exchangerates, Type, Confirm, TypeSeriallNO) VALUES (?,1,?,'20261201','a long "
        "voucher',0,NULL,0,3,1,'20261206 10:00:00','1:-1:','JO',0,'JRN/1')",
        -1, &header, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, "
        "JournalTransID, AccountID, JournalTransCredit, DepartmentID, Amount, Remarks, depexrates) "
        "VALUES (?,1,?,?,?,'1',125.5,?,1)",
        -1, &line, nullptr);
    sqlite3_prepare_v2(
        db, "UPDATE InterDivisionJournalTransHeader SET Confirm=0 WHERE JournalTransID=? AND CompanyID=1", -1,
        &confirm, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO aActivityLog (CompanyID, UserID, DepartmentID, InterfaceID, VoucherID, VoucherNo, "
        "ActionCode, LoggedTime, ActionTime) VALUES (1,1,1,5029,?,?,'N','20261206','20261206')",
        -1, &log, nullptr);
    for (auto _ : state) {
        check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
        sqlite3_step(next);
        const int id = sqlite3_column_int(next, 0);
        sqlite3_reset(next);
        const std::string number = "IDJ/" + std::to_string(id);
        sqlite3_bind_int(header, 1, id);
        sqlite3_bind_text(header, 2, number.c_str(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(header), db);
        sqlite3_reset(header);
        for (int i = 1; i <= kLines; ++i) {
            const std::string remarks = "line " + std::to_string(i);
            sqlite3_bind_int(line, 1, i);
            sqlite3_bind_int(line, 2, id);
            sqlite3_bind_int(line, 3, i % 2 ? 3 : 2);
            sqlite3_bind_int(line, 4, i % 2 ? 0 : 1);
            sqlite3_bind_text(line, 5, remarks.c_str(), -1, SQLITE_TRANSIENT);
            check(sqlite3_step(line), db);
            sqlite3_reset(line);
        }
        sqlite3_bind_int(confirm, 1, id);
        check(sqlite3_step(confirm), db);
        sqlite3_reset(confirm);
        sqlite3_bind_int(log, 1, id);
        sqlite3_bind_text(log, 2, number.c_str(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(log), db);
        sqlite3_reset(log);
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    }
    for (sqlite3_stmt* s : {next, header, line, confirm, log})
        sqlite3_finalize(s);
    sqlite3_close(db);
    benchsupport::removeDatabase(path);
}

const std::string& millionVouchers() {
    static const std::string path = benchsupport::makeDatabase("million", kStoredVouchers);
    return path;
}

void BM_GenerateJournalNo(benchmark::State& state) {
    openBrowse(millionVouchers());
    idj::ctx().GStrMasterNewEditFlag = "N";
    idj::frmJournal& j = idj::loadVoucherEditor(idj::FrmMaster::instance().adocon);
    for (auto _ : state) {
        if (!j.GenerateJournalNo()) state.SkipWithError("no number");
        benchmark::DoNotOptimize(j.journalNo());
    }
    state.SetLabel(j.journalNo());
    j.Tag.clear();
    j.Unload();
    idj::FrmMaster::instance().Unload();
    idj::FrmMaster::instance().adocon->Close();
}

void BM_RawNumberScan(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open(millionVouchers().c_str(), &db);
    ado::registerTextCollation(db);
    sqlite3_stmt* prefix = nullptr;
    sqlite3_stmt* scan = nullptr;
    sqlite3_prepare_v2(
        db,
        "SELECT Prefix FROM aPrefix WHERE CompanyID=1 AND InterfaceID=5029 AND FinancialId=3 AND "
        "shopid IS NULL AND godownid IS NULL AND ifnull(departmentid,0)=1",
        -1, &prefix, nullptr);
    // The same scan with SQLite's own functions: highest numeric suffix after the prefix.
    sqlite3_prepare_v2(
        db,
        "SELECT ifnull(max(CAST(substr(JournalNo, length(?1) + 1) AS INTEGER)), 0) FROM "
        "InterDivisionJournalTransHeader WHERE CompanyID = 1 AND length(JournalNo) > length(?1) AND "
        "substr(JournalNo, length(?1) + 1) NOT GLOB '*[^0-9]*' AND substr(JournalNo, 1, length(?1)) = ?1",
        -1, &scan, nullptr);
    std::string number;
    for (auto _ : state) {
        sqlite3_step(prefix);
        std::string p = reinterpret_cast<const char*>(sqlite3_column_text(prefix, 0));
        sqlite3_reset(prefix);
        sqlite3_bind_text(scan, 1, p.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(scan);
        number = p + std::to_string(sqlite3_column_int64(scan, 0) + 1);
        sqlite3_reset(scan);
    }
    state.SetLabel(number);
    sqlite3_finalize(prefix);
    sqlite3_finalize(scan);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_RawSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaveVoucher)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawNumberScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GenerateJournalNo)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    benchsupport::runWithRatios(argc, argv,
                                {{"BM_SaveVoucher/min_time:2.000", "BM_RawSave/min_time:2.000"},
                                 {"BM_GenerateJournalNo/min_time:2.000", "BM_RawNumberScan/min_time:2.000"}});
    benchsupport::removeDatabase(millionVouchers());
    return 0;
}
