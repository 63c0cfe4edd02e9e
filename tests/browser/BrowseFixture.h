#pragma once
// The browse window on a fresh demo database, driven as a user drives it.
#include "browser/FrmMaster.h"
#include "browser/frmcancelreason.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "support/DemoDb.h"
#include "support/Session.h"
#include "voucher/frmJournal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using idj::frmJournal;
using idj::FrmMaster;
namespace demo = db::demo;

class BrowseTest : public ::testing::Test {
  protected:
    void SetUp() override { forms::setHost(&host); }
    void TearDown() override {
        FrmMaster& m = FrmMaster::instance();
        if (m.loaded()) m.Unload();
        forms::setHost(nullptr);
    }

    FrmMaster& open(int16_t company = demo::kCompany, int16_t user = demo::kAdmin,
                    int16_t year = demo::kCurrentYear, int16_t department = 0) {
        testsupport::resetContext(company, user, year, department);
        FrmMaster& m = FrmMaster::instance();
        m.adocon = db.conn;
        m.Load();
        return m;
    }

    // The grid row showing a voucher, or 0.
    static int rowOf(FrmMaster& m, int id) {
        for (int r = 1; r < m.GrdMaster.Rows(); ++r)
            if (m.GrdMaster.TextMatrix(r, 0) == std::to_string(id)) return r;
        return 0;
    }
    static void select(FrmMaster& m, int id) {
        int r = rowOf(m, id);
        ASSERT_GT(r, 0) << "voucher " << id << " not listed";
        m.GrdMaster.setRow(r);
    }
    static std::string current(FrmMaster& m, int col) {
        return m.GrdMaster.TextMatrix(m.GrdMaster.Row(), col);
    }
    static std::vector<int> ids(FrmMaster& m) {
        std::vector<int> out;
        for (int r = 1; r < m.GrdMaster.Rows(); ++r)
            out.push_back(static_cast<int>(rt::Val(m.GrdMaster.TextMatrix(r, 0))));
        return out;
    }

    // Yes to the deletion question, then the reason typed and OK pressed.
    void confirmDeletion(const std::string& reason) {
        host.answer(forms::vbYes);
        host.onShow("frmcancelreason", [reason](forms::Form& f) {
            f.typeText(reason);
            static_cast<idj::frmcancelreason&>(f).cmdOK.press();
        });
    }
    // Runs an action that opens the voucher editor; `look` sees it and may save. False when the
    // editor never came up.
    bool inEditor(const std::function<void()>& action, const std::function<void(frmJournal&)>& look) {
        bool shown = false;
        host.onShow("frmJournal", [&](forms::Form& f) {
            auto& j = static_cast<frmJournal&>(f);
            shown = true;
            look(j);
            if (j.loaded()) { // closed without the question about unsaved changes
                j.Tag.clear();
                j.Unload();
            }
        });
        action();
        return shown;
    }

    // The full list heads its number column "JournalNo", the search's list "Journal No".
    static int entry(forms::ComboBox& combo, const std::string& text) {
        auto blankless = [](std::string t) {
            t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
            return t;
        };
        for (int i = 0; i < combo.ListCount(); ++i)
            if (blankless(combo.List(i)) == blankless(text)) return i;
        ADD_FAILURE() << text << " not listed";
        return -1;
    }
    static void sortOn(FrmMaster& m, const std::string& column, bool ascending = true) {
        (ascending ? m.optAscend : m.optDescend).setValue(true);
        m.cboColNames.setListIndex(entry(m.cboColNames, column));
    }
    static void typeSearch(FrmMaster& m, const std::string& column, const std::string& text, bool all,
                           int key = 'A') {
        m.chkSearchAll.setValue(all ? 1 : 0);
        m.cboSearch.setListIndex(entry(m.cboSearch, column));
        m.txtsearch.setText(text);
        m.txtsearch.KeyUp(key, 0);
    }

    // A column of a stored header.
    std::string header(int id, const std::string& column, int company = demo::kCompany) {
        return db.scalar("select " + column + " from InterDivisionJournalTransHeader where companyid=" +
                         std::to_string(company) + " and JournalTransID=" + std::to_string(id));
    }
    void setHeader(int id, const std::string& assignments, int company = demo::kCompany) {
        db.exec("update InterDivisionJournalTransHeader set " + assignments +
                " where companyid=" + std::to_string(company) + " and JournalTransID=" + std::to_string(id));
    }
    // What the activity log holds for a voucher: action and number.
    std::vector<std::string> logged(int id) {
        return db.texts("select ActionCode || VoucherNo from aActivityLog where VoucherID=" +
                        std::to_string(id));
    }
    // Company 1's current-year vouchers matching a condition.
    int count(const std::string& where) {
        return std::stoi(db.scalar("select count(*) from InterDivisionJournalTransHeader where companyid=1 "
                                   "and FinancialID=3 and " +
                                   where));
    }
    void failOn(const std::string& when) {
        db.exec("CREATE TEMP TRIGGER injected " + when + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
    }
    bool reported(const std::string& routine) const {
        return host.lastMessage().find("Module: FrmMaster\nRoutine: " + routine) != std::string::npos;
    }

    testsupport::DemoDb db;
    forms::ScriptedHost host;
};
