#pragma once
// The line editor on the demo database, opened from a voucher editor that was loaded as the
// browse window's New would load it.
#include "lines/frmJournalDetails.h"
#include "support/DemoDb.h"
#include "support/Session.h"
#include "support/VoucherLines.h"
#include "voucher/frmJournal.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace linetest {

using idj::ctx;
using idj::frmJournal;
using idj::frmJournalDetails;
namespace demo = db::demo;

class LineEditorTest : public ::testing::Test {
  protected:
    using Script = std::function<void(frmJournalDetails&)>;

    // The voucher editor for a new voucher of the Head Office.
    void SetUp() override {
        forms::setHost(&host);
        testsupport::startSession(db, demo::kAdmin, demo::kHeadOffice);
        ctx().GStrMasterNewEditFlag = "N";
        voucher().adocon = db.conn;
        voucher().Load();
    }

    void TearDown() override {
        if (frmJournalDetails::exists()) frmJournalDetails::instance().Unload();
        // Closing without the "Save Changes?" question: these tests never save.
        voucher().Tag.clear();
        voucher().Unload();
        forms::setHost(nullptr);
    }

    // Opens the line editor from the voucher's line menu, Add or Edit; the script is the user's part.
    void open(bool add, Script script) {
        host.onShow("frmJournalDetails",
                    [script](forms::Form& f) { script(static_cast<frmJournalDetails&>(f)); });
        size_t shows = host.shown.size();
        (add ? voucher().mnuAdd : voucher().mnuEdit).choose();
        EXPECT_EQ(host.shown.size(), shows + 1) << "the line editor did not open";
    }

    // An existing voucher in the browse grid's current row, its stored lines in the voucher's list.
    void editStoredVoucher(int id) {
        ctx().GStrMasterNewEditFlag = "E";
        testsupport::selectVoucher(db, id);
        testsupport::loadStoredLines(lines(), db.conn, demo::kCompany, id);
    }

    static frmJournal& voucher() { return frmJournal::instance(); }
    static forms::ListView& lines() { return voucher().lvwJournal; }

    // The row's text and its eight sub-items.
    static std::vector<std::string> row(int i) {
        forms::ListItem& it = lines().Item(i);
        std::vector<std::string> r{it.Text};
        for (int s = 1; s <= 8; ++s)
            r.push_back(it.SubItem(s));
        return r;
    }

    static void choose(forms::ComboBox& c, const std::string& text) {
        for (int i = 0; i < c.ListCount(); ++i)
            if (c.List(i) == text) return c.setListIndex(i);
        ADD_FAILURE() << "no entry " << text << " in " << c.name();
    }

    // A whole line as the user enters it, then OK.
    static void enterLine(frmJournalDetails& w, const std::string& department, const std::string& account,
                          const std::string& amount, bool credit = false) {
        choose(w.cboDepartment, department);
        choose(w.cboAccountID, account);
        w.txtAmount.setText(amount);
        (credit ? w.optCredit : w.optDebit).setValue(true);
        w.cmdOK.press();
    }

    // How many faults the fault-report service recorded.
    int faults() { return std::stoi(db.scalar("select count(*) from aFaultLog")); }
    std::vector<std::string> prompts() const { return testsupport::prompts(host); }

    testsupport::DemoDb db;
    forms::ScriptedHost host;
};

} // namespace linetest
