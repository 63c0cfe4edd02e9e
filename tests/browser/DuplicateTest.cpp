// Duplicating the selected voucher into a new one in the voucher editor.
#include "BrowseFixture.h"

#include "component/Context.h"

using Texts = std::vector<std::string>;

namespace {

class DuplicateTest : public BrowseTest {
  protected:
    void SetUp() override {
        BrowseTest::SetUp();
        open();
    }
    bool duplicate(int id, const std::function<void(frmJournal&)>& look) {
        select(m, id);
        return inEditor([&] { m.cmdDuplicate_Click(); }, look);
    }
    bool okOfCopy(int id) {
        bool ok = false;
        duplicate(id, [&](frmJournal& j) { ok = j.cmdOK.Enabled; });
        return ok;
    }
    // Each stored line's account, or account|amount|credit.
    Texts lines(int id, const char* columns = "AccountID || '|' || Amount || '|' || JournalTransCredit") {
        return db.texts(std::string("select ") + columns +
                        " from InterDivisionJournalTransDetails where companyid=1 and JournalTransID=" +
                        std::to_string(id) + " order by JournalTransDetailID");
    }
    FrmMaster& m = FrmMaster::instance();
};

TEST_F(DuplicateTest, ACopyIsANewVoucherWithoutTheOriginalsStateOrItsFreeze) {
    for (const char* empty : {"", "0", "none"}) {
        m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0, empty);
        m.cmdDuplicate_Click();
    }
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(host.messages.empty());

    const int id = demo::kCancelledPostedVoucher; // cancelled, posted and confirmed, three lines
    Texts serials, accounts;
    std::string remarks, rates, journalNo, mode;
    ASSERT_TRUE(duplicate(id, [&](frmJournal& j) {
        EXPECT_TRUE(j.cmdOK.Enabled);
        remarks = j.txtRemarks.Text(), journalNo = j.txtJournalNo.Text();
        rates = idj::ctx().GStrExchangeRates, mode = idj::ctx().GStrMasterNewEditFlag;
        for (int i = 1; i <= j.lvwJournal.Count(); ++i)
            serials.push_back(j.lvwJournal.Item(i).Text), accounts.push_back(j.lvwJournal.Item(i).SubItem(6));
    }));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(mode, "N");
    EXPECT_EQ(remarks, header(id, "Remarks"));
    EXPECT_EQ(rates, header(id, "exchangerates")); // not the rates a new voucher is seeded with
    EXPECT_NE(journalNo, header(id, "JournalNo"));
    EXPECT_EQ(serials, (Texts{"1", "2", "3"}));
    EXPECT_EQ(accounts, lines(id, "AccountID"));
    int count = 0;
    duplicate(demo::kTwelveLineVoucher, [&](frmJournal& j) { count = j.lvwJournal.Count(); });
    EXPECT_EQ(count, 12);

    // The copy of a frozen voucher cannot be saved, even with a later date.
    EXPECT_FALSE(okOfCopy(demo::kFreezeVoucher));
    EXPECT_FALSE(okOfCopy(demo::kFreezeVoucher - 1));
    EXPECT_TRUE(okOfCopy(demo::kFreezeVoucher + 1)) << "posted, after the freeze date";
    duplicate(demo::kFreezeVoucher, [](frmJournal& j) {
        j.dtpJournalDate.setValue(testsupport::processDate());
        EXPECT_FALSE(j.cmdOK.Enabled);
    });
    for (const char* unset : {"NULL", "''"}) {
        db.exec(std::string("update MiscSettings set AccountsFreezeDate = ") + unset);
        EXPECT_TRUE(okOfCopy(demo::kFreezeVoucher)) << "no freeze date: " << unset;
    }

    const int plain = demo::kPlainVoucher, copy = demo::kNextVoucher;
    ASSERT_TRUE(duplicate(plain, [](frmJournal& j) { j.cmdOK_Click(); }));
    EXPECT_EQ(header(copy, "JournalNo"), "IDJ/301") << host.lastMessage();
    EXPECT_EQ(header(copy, "Remarks"), header(plain, "Remarks"));
    EXPECT_EQ(lines(copy), lines(plain));
    EXPECT_EQ(header(plain, "JournalNo"), "IDJ/292");
}

} // namespace
