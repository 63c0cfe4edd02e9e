#pragma once
// The editor's save as the benchmarks time it: the browse window open for the demo's admin on a
// database of either backend, and new vouchers saved through the editor, one per iteration.
#include "BenchDb.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "forms/ScriptedHost.h"
#include "services/SuiteConnection.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

#include <benchmark/benchmark.h>
#include <string>

namespace benchsupport {

inline void openBrowse(const std::string& connectionString) {
    static forms::ScriptedHost host;
    forms::setHost(&host);
    idj::Context& c = idj::ctx();
    c.intCompanyID = db::demo::kCompany;
    c.intuserid = db::demo::kAdmin;
    c.intFinancialID = db::demo::kCurrentYear;
    c.intdepartmentid = db::demo::kHeadOffice;
    c.dtProcessDate = processDate();
    c.strMsgboxCaption = "bench";
    idj::FrmMaster& m = idj::FrmMaster::instance();
    if (m.loaded()) m.Unload();
    m.adocon = ado::Connection::create();
    m.adocon->Open(connectionString);
    m.adocon->setCommandTimeout(0);
    services::setSuiteConnection(m.adocon);
    m.Load();
}

inline void closeBrowse() {
    idj::FrmMaster::instance().Unload();
    idj::FrmMaster::instance().adocon->Close();
}

inline void fillLines(idj::frmJournal& j, int lines) {
    for (int i = 1; i <= lines; ++i) {
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

// New vouchers of `lines` lines saved through the editor; only the OK button's work is timed.
inline void saveThroughEditor(benchmark::State& state, const std::string& connectionString, int lines) {
    openBrowse(connectionString);
    for (auto _ : state) {
        state.PauseTiming();
        idj::ctx().GStrMasterNewEditFlag = "N";
        idj::frmJournal& j = idj::loadVoucherEditor(idj::FrmMaster::instance().adocon);
        j.dtpJournalDate.setValue(rt::makeDate(2026, 12, 1));
        j.txtRemarks.setText("a long voucher");
        fillLines(j, lines);
        state.ResumeTiming();
        j.cmdOK_Click();
        if (j.loaded()) state.SkipWithError("the save was refused");
    }
    closeBrowse();
}

} // namespace benchsupport
