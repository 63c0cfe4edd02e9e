// Duplicating the selected voucher into a new one in the voucher editor.
#include "BrowseFixture.h"

#include "component/Context.h"
#include "voucher/frmJournal.h"

#include <vector>

using idj::frmJournal;
using idj::FrmMaster;

namespace {

// What the editor held when it came up.
struct Copy {
    bool shown = false, ok = false;
    std::string remarks, journalNo, rates, mode;
    std::vector<std::string> serials, accounts, debits;
    int accountHeadWidth = 0;
};

class DuplicateTest : public BrowseTest {
  protected:
    // Duplicates the voucher; `inEditor` runs while the editor is up, before it closes.
    Copy duplicate(FrmMaster& m, int id, std::function<void(frmJournal&)> inEditor = {}) {
        select(m, id);
        Copy copy;
        host.onShow("frmJournal", [&](forms::Form& f) {
            auto& j = static_cast<frmJournal&>(f);
            copy.shown = true;
            copy.ok = j.cmdOK.Enabled;
            copy.remarks = j.txtRemarks.Text();
            copy.journalNo = j.txtJournalNo.Text();
            copy.rates = idj::ctx().GStrExchangeRates;
            copy.mode = idj::ctx().GStrMasterNewEditFlag;
            copy.accountHeadWidth = j.lvwJournal.header(3).Width;
            for (int i = 1; i <= j.lvwJournal.Count(); ++i) {
                copy.serials.push_back(j.lvwJournal.Item(i).Text);
                copy.accounts.push_back(j.lvwJournal.Item(i).SubItem(6));
                copy.debits.push_back(j.lvwJournal.Item(i).SubItem(4));
            }
            if (inEditor) inEditor(j);
            if (j.loaded()) {
                j.Tag.clear();
                j.Unload();
            }
        });
        m.cmdDuplicate_Click();
        return copy;
    }
    std::string header(int id, const std::string& column) {
        return demo.scalar("select " + column +
                           " from InterDivisionJournalTransHeader where companyid=1 and "
                           "JournalTransID=" +
                           std::to_string(id));
    }
    std::vector<std::string> lineRows(int id) {
        std::vector<std::string> out;
        auto rs =
            demo.conn->Execute("select AccountID, Amount, JournalTransCredit from "
                               "InterDivisionJournalTransDetails where companyid=1 and JournalTransID=" +
                               std::to_string(id) + " order by JournalTransDetailID");
        for (; !rs->eof(); rs->MoveNext())
            out.push_back(rt::TextOf((*rs)[0]) + "|" + rt::TextOf((*rs)[1]) + "|" + rt::TextOf((*rs)[2]));
        rs->Close();
        return out;
    }
};

} // namespace

TEST_F(DuplicateTest, WithoutASelectedVoucherNothingHappens) {
    FrmMaster& m = open();
    for (const char* empty : {"", "0", "none"}) {
        m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0, empty);
        idj::ctx().GStrMasterNewEditFlag = "E";
        m.cmdDuplicate_Click();
        EXPECT_TRUE(host.shown.empty()) << "'" << empty << "'";
        EXPECT_EQ(idj::ctx().GStrMasterNewEditFlag, "E");
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DuplicateTest, PostedAndCancelledVoucherIsCopiedAsANewOneWithoutMessages) {
    FrmMaster& m = open();
    // 286: cancelled, posted and confirmed, dated after the freeze date, three lines.
    Copy c = duplicate(m, 286);
    ASSERT_TRUE(c.shown);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(c.mode, "N");
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.remarks, header(286, "Remarks"));
    // The stored rates replace the ones the editor seeded for a new voucher.
    EXPECT_EQ(c.rates, header(286, "exchangerates"));
    EXPECT_NE(c.journalNo, "IDJ/286");
    EXPECT_EQ(c.serials, (std::vector<std::string>{"1", "2", "3"}));
    ASSERT_EQ(c.accounts.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(lineRows(286)[i].substr(0, lineRows(286)[i].find('|')), c.accounts[i]);
}

TEST_F(DuplicateTest, ManyLinesAreNumberedInOrderAndWidenTheAccountColumn) {
    FrmMaster& m = open();
    Copy c = duplicate(m, db::demo::kTwelveLineVoucher);
    ASSERT_EQ(c.serials.size(), 12u);
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(c.serials[i], std::to_string(i + 1));
    EXPECT_EQ(c.accountHeadWidth, 3000);
}

TEST_F(DuplicateTest, CopyOfAFrozenVoucherCannotBeSaved) {
    FrmMaster& m = open();
    EXPECT_FALSE(duplicate(m, db::demo::kFreezeVoucher).ok) << "on the freeze date";
    EXPECT_FALSE(duplicate(m, db::demo::kFreezeVoucher - 1).ok) << "before it";
    EXPECT_TRUE(duplicate(m, db::demo::kFreezeVoucher + 1).ok) << "after it, though posted";
    // A later date typed into the editor does not bring the save back.
    bool okAfterDateChange = true;
    duplicate(m, db::demo::kFreezeVoucher, [&](frmJournal& j) {
        j.dtpJournalDate.setValue(testsupport::processDate());
        okAfterDateChange = j.cmdOK.Enabled;
    });
    EXPECT_FALSE(okAfterDateChange);
}

TEST_F(DuplicateTest, SavingTheCopyStoresANewVoucherAndLeavesTheOriginal) {
    FrmMaster& m = open();
    const std::string before = header(292, "JournalNo");
    Copy c = duplicate(m, 292, [](frmJournal& j) { j.cmdOK_Click(); });
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(header(301, "JournalNo"), "IDJ/301") << host.lastMessage();
    EXPECT_EQ(header(301, "Remarks"), header(292, "Remarks"));
    EXPECT_EQ(lineRows(301), lineRows(292));
    EXPECT_EQ(header(292, "JournalNo"), before);
}
