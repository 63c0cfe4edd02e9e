#pragma once
// The voucher editor on the demo database, opened as the browse window opens it.
#include "support/DemoDb.h"
#include "support/Session.h"
#include "support/VoucherLines.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vouchertest {

using idj::ctx;
using idj::frmJournal;
using idj::FrmMaster;
using testsupport::Line;
using Texts = std::vector<std::string>;
namespace demo = db::demo;

// What the user saw while the editor was up.
struct Seen {
    bool shown = false, ok = false, typesEnabled = false, confirmEnabled = false;
    int confirm = -1, lines = 0;
    std::string journalNo, type, rates;
    rt::Date date{};
};

class VoucherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        forms::setHost(&host);
        useContext(demo::kAdmin, demo::kHeadOffice);
    }
    void TearDown() override {
        if (frmJournal::exists()) closeQuietly(frmJournal::instance());
        services::setSuiteConnection(nullptr);
        forms::setHost(nullptr);
    }

    void useContext(int16_t user, int16_t department, int16_t company = demo::kCompany) {
        testsupport::startSession(db, user, department, company);
    }
    void selectVoucher(int id) { testsupport::selectVoucher(db, id); }

    // The editor loaded for a new voucher and not shown, on the browse window's connection.
    frmJournal& loadNew() {
        ctx().GStrMasterNewEditFlag = "N";
        return idj::loadVoucherEditor(FrmMaster::instance().adocon);
    }
    static void closeQuietly(frmJournal& j) {
        j.Tag.clear();
        j.Unload();
    }

    // Runs a browse action; the editor is looked at and closed as soon as it is up.
    template <class Action> Seen whileShown(Action action) {
        Seen seen;
        host.onShow("frmJournal", [&seen](forms::Form& f) {
            auto& j = static_cast<frmJournal&>(f);
            seen = {true,
                    j.cmdOK.Enabled,
                    j.frtype.Enabled,
                    j.Chconfirm.Enabled,
                    j.Chconfirm.Value(),
                    j.lvwJournal.Count(),
                    j.txtJournalNo.Text(),
                    j.voucherType(),
                    ctx().GStrExchangeRates,
                    j.dtpJournalDate.Value()};
            closeQuietly(j);
        });
        action();
        return seen;
    }
    Seen openEdit(int id) {
        selectVoucher(id);
        return whileShown([] { FrmMaster::instance().CmdEdit_Click(); });
    }
    Seen openNew() {
        return whileShown([] { FrmMaster::instance().cmdNew_Click(); });
    }

    // A header as another user or an import stores it.
    void insertHeader(int company, int id, const std::string& number, const std::string& type = "JO",
                      int year = demo::kCurrentYear, int cancelled = 0, const std::string& serial = "x") {
        db.conn->Execute(
            "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
            "JournalTransDate, Remarks, Cancelled, Posted, FinancialID, Type, Confirm, TypeSeriallNO, "
            "DepartmentID) values (?, ?, ?, '20261201', 'r', ?, 0, ?, ?, 0, ?, 1)",
            {int32_t(id), int32_t(company), number, int32_t(cancelled), int32_t(year), type, serial});
    }

    static Texts column(frmJournal& j, int subItem) {
        Texts out;
        for (int i = 1; i <= j.lvwJournal.Count(); ++i)
            out.push_back(subItem == 0 ? j.lvwJournal.Item(i).Text : j.lvwJournal.Item(i).SubItem(subItem));
        return out;
    }
    Texts prompts() const { return testsupport::prompts(host); }
    // The routines the fault report recorded.
    Texts faults() { return db.texts("select RoutineName from aFaultLog order by FaultID"); }
    void autoConfirm(bool on) {
        db.exec(std::string("update apackagesettings set AutoConfirmAccTrans=") + (on ? "1" : "0"));
    }

    testsupport::DemoDb db;
    forms::ScriptedHost host;
};

// Saving, with the browse window loaded as the user has it.
class SaveTest : public VoucherTest {
  protected:
    void SetUp() override {
        VoucherTest::SetUp();
        FrmMaster::instance().Load(); // its list, and the activity log opened on the connection
    }
    void TearDown() override {
        VoucherTest::TearDown();
        if (FrmMaster::instance().loaded()) FrmMaster::instance().Unload();
    }

    // A new voucher as the user would have it on the screen just before OK.
    frmJournal& enterNew(rt::Date date, const std::string& remarks, const std::vector<Line>& lines) {
        frmJournal& j = loadNew();
        j.dtpJournalDate.setValue(date);
        j.txtRemarks.setText(remarks);
        testsupport::addLines(j.lvwJournal, lines);
        return j;
    }
    // A voucher saved when the editor unloaded itself with OK disabled.
    static bool saved(frmJournal& j) { return !j.loaded() && !j.cmdOK.Enabled; }

    std::string header(int id, const std::string& column) {
        return db.scalar("select " + column + " from InterDivisionJournalTransHeader where companyid=1 and " +
                         "JournalTransID=" + std::to_string(id));
    }
    // Each stored line: detail id, account, credit flag, amount, remarks, department, rate.
    std::vector<Texts> lines(int id, int company = demo::kCompany) {
        return db.rows(
            "select JournalTransDetailID, AccountID, JournalTransCredit, Amount, Remarks, departmentid, "
            "depexrates from InterDivisionJournalTransDetails where companyid=" +
            std::to_string(company) + " and JournalTransID=" + std::to_string(id) +
            " order by JournalTransDetailID");
    }
    int count(const std::string& table) { return std::stoi(db.scalar("select count(*) from " + table)); }

    static rt::Date day(int y, int m, int d) { return rt::makeDate(y, m, d); }
};

} // namespace vouchertest
