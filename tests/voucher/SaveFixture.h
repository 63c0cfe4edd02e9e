#pragma once
// Saving vouchers from the editor, with the browse window loaded as the user has it.
#include "VoucherFixture.h"

#include "runtime/Convert.h"

namespace vouchertest {

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

    struct Line {
        int department;
        int account;
        double debit, credit;
        std::string description = "line";
    };

    // A new voucher as the user would have it on the screen just before OK.
    frmJournal& enterNew(rt::Date date, const std::string& remarks, const std::vector<Line>& lines) {
        frmJournal& j = loadNew();
        j.dtpJournalDate.setValue(date);
        j.txtRemarks.setText(remarks);
        fillRows(j, lines);
        return j;
    }
    static void fillRows(frmJournal& j, const std::vector<Line>& lines) {
        for (const Line& l : lines) {
            forms::ListItem& it = j.lvwJournal.Add(std::to_string(j.lvwJournal.Count() + 1));
            const std::string sub[] = {"Dept " + std::to_string(l.department),
                                       "Account " + std::to_string(l.account),
                                       l.description,
                                       rt::Format(l.debit, "0.00"),
                                       rt::Format(l.credit, "0.00"),
                                       std::to_string(l.account),
                                       "0",
                                       std::to_string(l.department)};
            for (int i = 1; i <= 8; ++i)
                it.setSubItem(i, sub[i - 1]);
        }
    }
    static std::vector<Line> balanced(double amount = 250) {
        return {{1, 3, amount, 0, "salaries"}, {1, 2, 0, amount, "bank"}};
    }

    // A voucher saved when the editor unloaded itself with OK disabled.
    static bool saved(frmJournal& j) { return !j.loaded() && !j.cmdOK.Enabled; }

    std::string header(int id, const std::string& column) {
        return db.scalar("select " + column +
                         " from InterDivisionJournalTransHeader where companyid=1 and "
                         "JournalTransID=" +
                         std::to_string(id));
    }
    std::vector<Texts> lines(int id, int company = 1) {
        std::vector<Texts> out;
        auto rs = db.conn->Execute(
            "select JournalTransDetailID, AccountID, JournalTransCredit, Amount, Remarks, "
            "departmentid, depexrates from InterDivisionJournalTransDetails where companyid=" +
            std::to_string(company) + " and JournalTransID=" + std::to_string(id) +
            " order by JournalTransDetailID");
        for (; !rs->eof(); rs->MoveNext()) {
            Texts r;
            for (int i = 0; i < 7; ++i) {
                const rt::Variant& v = (*rs)[i];
                r.push_back(v.type() == rt::Variant::Type::Boolean ? (rt::CBool(v) ? "1" : "0")
                                                                   : rt::TextOf(v));
            }
            out.push_back(r);
        }
        rs->Close();
        return out;
    }
    int count(const std::string& table) { return std::stoi(db.scalar("select count(*) from " + table)); }

    static rt::Date day(int y, int m, int d) { return rt::makeDate(y, m, d); }
};

} // namespace vouchertest
