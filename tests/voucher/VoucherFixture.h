#pragma once
// The voucher editor on the demo database, opened as the browse window opens it.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "db/Seeder.h"
#include "forms/ScriptedHost.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vouchertest {

using idj::ctx;
using idj::frmJournal;
using idj::FrmMaster;
using Texts = std::vector<std::string>;
namespace demo = db::demo;

// What the user saw while the editor was up.
struct Seen {
    bool shown = false, ok = false, typesEnabled = false, confirmEnabled = false;
    int confirm = -1, accountHeadWidth = 0, lines = 0;
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
        testsupport::resetContext(company, user, demo::kCurrentYear, department);
        ctx().strFunctionRights = user == demo::kAdmin ? "NEDUPI" : "NE";
        ctx().objPainter = automation::CreateObject("Paintkit.clsPainter");
        ctx().objActivityLog = automation::CreateObject("ActivityLog.clsActivityLog");
        FrmMaster::instance().adocon = db.conn;
        services::setSuiteConnection(db.conn); // where the fault report records
    }

    // The browse grid with the voucher in its current row, dated as the list shows it.
    void selectVoucher(int id) {
        forms::FlexGrid& grid = FrmMaster::instance().GrdMaster;
        grid.setRows(2);
        grid.setCols(8);
        grid.setTextMatrix(1, 0, std::to_string(id));
        std::string date =
            db.scalar("select JournalTransDate from InterDivisionJournalTransHeader where companyid=" +
                      std::to_string(ctx().intCompanyID) + " and JournalTransID=" + std::to_string(id));
        grid.setTextMatrix(1, 2, rt::toDisplay(*rt::parseDate(date)));
        grid.setRow(1);
    }

    // The editor loaded for a new voucher and not shown; its list and keys work all the same.
    frmJournal& loadNew() {
        ctx().GStrMasterNewEditFlag = "N";
        return idj::loadVoucherEditor(db.conn);
    }
    static void closeQuietly(frmJournal& j) {
        j.Tag.clear();
        j.Unload();
    }

    static Seen look(frmJournal& j) {
        return {true,
                j.cmdOK.Enabled,
                j.frtype.Enabled,
                j.Chconfirm.Enabled,
                j.Chconfirm.Value(),
                j.lvwJournal.header(3).Width,
                j.lvwJournal.Count(),
                j.txtJournalNo.Text(),
                j.voucherType(),
                ctx().GStrExchangeRates,
                j.dtpJournalDate.Value()};
    }
    // Runs a browse action; the editor is looked at and closed as soon as it is up.
    template <class Action> Seen whileShown(Action action) {
        Seen seen;
        host.onShow("frmJournal", [&seen](forms::Form& f) {
            seen = look(static_cast<frmJournal&>(f));
            closeQuietly(static_cast<frmJournal&>(f));
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

    // A line as the line editor writes it.
    static void addRow(frmJournal& j, const std::string& serial, const std::string& department,
                       const std::string& debit, const std::string& credit, int account = 3,
                       const std::string& description = "narration") {
        forms::ListItem& it = j.lvwJournal.Add(serial);
        const std::string sub[] = {department,  "Account " + std::to_string(account),
                                   description, debit,
                                   credit,      std::to_string(account),
                                   "0",         "1"};
        for (int i = 1; i <= 8; ++i)
            it.setSubItem(i, sub[i - 1]);
    }
    static Texts column(frmJournal& j, int subItem) {
        Texts out;
        for (int i = 1; i <= j.lvwJournal.Count(); ++i)
            out.push_back(subItem == 0 ? j.lvwJournal.Item(i).Text : j.lvwJournal.Item(i).SubItem(subItem));
        return out;
    }

    Texts prompts() const {
        Texts out;
        for (const auto& m : host.messages)
            out.push_back(m.prompt);
        return out;
    }
    // The routines the fault report recorded.
    Texts faults() {
        Texts out;
        auto rs = db.conn->Execute("select RoutineName from aFaultLog order by FaultID");
        for (; !rs->eof(); rs->MoveNext())
            out.push_back(rt::TextOf((*rs)[0]));
        rs->Close();
        return out;
    }
    void autoConfirm(bool on) {
        db.exec(std::string("update apackagesettings set AutoConfirmAccTrans=") + (on ? "1" : "0"));
    }

    testsupport::DemoDb db;
    forms::ScriptedHost host;
};

} // namespace vouchertest
