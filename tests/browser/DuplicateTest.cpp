// Duplicating the selected voucher into a new one in the voucher editor.
#include "BrowseFixture.h"

#include "component/Context.h"
#include "voucher/frmJournal.h"

using idj::frmJournal;
using idj::FrmMaster;
using Texts = std::vector<std::string>;

namespace {

class DuplicateTest : public BrowseTest {
  protected:
    // Duplicates the voucher and runs `inEditor` while the editor is up; false when none came up.
    bool duplicate(int id, const std::function<void(frmJournal&)>& inEditor) {
        select(m, id);
        bool shown = false;
        host.onShow("frmJournal", [&](forms::Form& f) {
            shown = true;
            auto& j = static_cast<frmJournal&>(f);
            inEditor(j);
            if (j.loaded()) { // closed without the question about unsaved changes
                j.Tag.clear();
                j.Unload();
            }
        });
        m.cmdDuplicate_Click();
        return shown;
    }
    bool okOfCopy(int id) {
        bool ok = false;
        duplicate(id, [&](frmJournal& j) { ok = j.cmdOK.Enabled; });
        return ok;
    }
    std::string header(int id, const std::string& column) {
        return demo.scalar("select " + column +
                           " from InterDivisionJournalTransHeader where companyid=1 and JournalTransID=" +
                           std::to_string(id));
    }
    Texts lines(int id) {
        Texts out;
        auto rs =
            demo.conn->Execute("select AccountID || '|' || Amount || '|' || JournalTransCredit from "
                               "InterDivisionJournalTransDetails where companyid=1 and JournalTransID=" +
                               std::to_string(id) + " order by JournalTransDetailID");
        for (; !rs->eof(); rs->MoveNext())
            out.push_back(rt::TextOf((*rs)[0]));
        return out;
    }
    void SetUp() override {
        BrowseTest::SetUp();
        open();
    }
    FrmMaster& m = FrmMaster::instance();
};

} // namespace

TEST_F(DuplicateTest, WithoutASelectedVoucherNothingHappens) {
    for (const char* empty : {"", "0", "none"}) {
        m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0, empty);
        m.cmdDuplicate_Click();
    }
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DuplicateTest, StateOfTheOriginalIsNoBarAndLinesAreNumberedAfresh) {
    // 286: cancelled, posted and confirmed, three lines.
    Texts serials, accounts;
    std::string remarks, rates, journalNo, mode;
    ASSERT_TRUE(duplicate(286, [&](frmJournal& j) {
        EXPECT_TRUE(j.cmdOK.Enabled);
        remarks = j.txtRemarks.Text(), journalNo = j.txtJournalNo.Text();
        rates = idj::ctx().GStrExchangeRates, mode = idj::ctx().GStrMasterNewEditFlag;
        for (int i = 1; i <= j.lvwJournal.Count(); ++i)
            serials.push_back(j.lvwJournal.Item(i).Text), accounts.push_back(j.lvwJournal.Item(i).SubItem(6));
    }));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(mode, "N");
    EXPECT_EQ(remarks, header(286, "Remarks"));
    EXPECT_EQ(rates, header(286, "exchangerates")); // not the rates a new voucher is seeded with
    EXPECT_NE(journalNo, "IDJ/286");
    EXPECT_EQ(serials, (Texts{"1", "2", "3"}));
    for (size_t i = 0; i < accounts.size(); ++i)
        EXPECT_EQ(lines(286).at(i).substr(0, accounts[i].size() + 1), accounts[i] + "|");

    int width = 0, count = 0;
    duplicate(db::demo::kTwelveLineVoucher, [&](frmJournal& j) {
        width = j.lvwJournal.header(3).Width, count = j.lvwJournal.Count();
        EXPECT_EQ(j.lvwJournal.Item(12).Text, "12");
    });
    EXPECT_EQ(count, 12);
    EXPECT_EQ(width, 3000);
}

TEST_F(DuplicateTest, CopyOfAFrozenVoucherCannotBeSavedEvenWithALaterDate) {
    EXPECT_FALSE(okOfCopy(db::demo::kFreezeVoucher));
    EXPECT_FALSE(okOfCopy(db::demo::kFreezeVoucher - 1));
    EXPECT_TRUE(okOfCopy(db::demo::kFreezeVoucher + 1)) << "posted, after the freeze date";
    duplicate(db::demo::kFreezeVoucher, [](frmJournal& j) {
        j.dtpJournalDate.setValue(testsupport::processDate());
        EXPECT_FALSE(j.cmdOK.Enabled);
    });
}

TEST_F(DuplicateTest, SavingTheCopyStoresANewVoucherAndLeavesTheOriginal) {
    ASSERT_TRUE(duplicate(292, [](frmJournal& j) { j.cmdOK_Click(); }));
    EXPECT_EQ(header(301, "JournalNo"), "IDJ/301") << host.lastMessage();
    EXPECT_EQ(header(301, "Remarks"), header(292, "Remarks"));
    EXPECT_EQ(lines(301), lines(292));
    EXPECT_EQ(header(292, "JournalNo"), "IDJ/292");
}
