// Every action of the browse window run on company 2, whose vouchers share their identifiers
// with company 1's: each must read and change company 2's rows only.
#include "BrowseFixture.h"

#include "voucher/frmJournal.h"

using idj::frmJournal;
using idj::FrmMaster;

namespace {

class CompanyIsolationTest : public BrowseTest {
  protected:
    // Everything stored for company 1: headers, lines and general journal rows.
    std::string firstCompany() {
        return demo.scalar(
                   "select group_concat(JournalTransID || JournalNo || ifnull(Remarks, '') || Cancelled "
                   "|| Posted || Confirm || ifnull(CancelledRemarks, ''), ';') from "
                   "InterDivisionJournalTransHeader where companyid=1") +
               demo.scalar("select count(*) || ':' || sum(Amount) || ':' || group_concat(Remarks) from "
                           "InterDivisionJournalTransDetails where companyid=1") +
               demo.scalar("select count(*) || ':' || sum(Cancel) from genjournalheader where companyid=1");
    }
    std::string second(int id, const std::string& column) {
        return demo.scalar("select " + column +
                           " from InterDivisionJournalTransHeader where companyid=2 and "
                           "JournalTransID=" +
                           std::to_string(id));
    }
    FrmMaster& openSecond() { return open(db::demo::kSecondCompany); }

    // Runs an action that opens the editor; `inEditor` looks at it and may save.
    void inEditor(const std::function<void()>& action, const std::function<void(frmJournal&)>& look) {
        bool shown = false;
        host.onShow("frmJournal", [&](forms::Form& f) {
            auto& j = static_cast<frmJournal&>(f);
            shown = true;
            look(j);
            if (j.loaded()) {
                j.Tag.clear();
                j.Unload();
            }
        });
        action();
        EXPECT_TRUE(shown);
    }
    std::string secondLines(int id) {
        return demo.scalar("select count(*) from InterDivisionJournalTransDetails where companyid=2 and "
                           "JournalTransID=" +
                           std::to_string(id));
    }
};

TEST_F(CompanyIsolationTest, EditAndSaveLoadAndStoreTheSecondCompanysVoucher) {
    const std::string before = firstCompany();
    FrmMaster& m = openSecond();
    select(m, 10); // after the freeze date, unlike company 1's voucher 10
    inEditor([&] { m.CmdEdit_Click(); },
             [&](frmJournal& j) {
                 EXPECT_EQ(j.txtJournalNo.Text(), "IDJ/910");
                 EXPECT_EQ(std::to_string(j.lvwJournal.Count()), secondLines(10));
                 EXPECT_TRUE(j.cmdOK.Enabled);
                 j.txtRemarks.setText("harbour fees");
                 j.cmdOK_Click();
             });
    EXPECT_EQ(second(10, "Remarks"), "harbour fees");
    // The refreshed row is the second company's voucher.
    EXPECT_EQ(m.GrdMaster.TextMatrix(m.GrdMaster.Row(), 1), "IDJ/910");
    EXPECT_EQ(firstCompany(), before);
    for (const auto& msg : host.messages)
        EXPECT_EQ(msg.prompt.find("unexpected"), std::string::npos) << msg.prompt;
}

TEST_F(CompanyIsolationTest, DuplicateCopiesTheSecondCompanysLines) {
    const std::string before = firstCompany();
    FrmMaster& m = openSecond();
    select(m, 11);
    const int rows = m.GrdMaster.Rows();
    inEditor([&] { m.cmdDuplicate_Click(); },
             [&](frmJournal& j) {
                 EXPECT_EQ(j.txtRemarks.Text(), second(11, "Remarks"));
                 EXPECT_EQ(std::to_string(j.lvwJournal.Count()), secondLines(11));
                 EXPECT_TRUE(j.cmdOK.Enabled);
                 j.cmdOK_Click();
             });
    EXPECT_EQ(demo.scalar("select count(*) from InterDivisionJournalTransHeader where companyid=2"), "13");
    EXPECT_EQ(m.GrdMaster.Rows(), rows + 1);
    EXPECT_EQ(firstCompany(), before);
}

TEST_F(CompanyIsolationTest, ButtonsDeleteAndCancelPostingTouchTheSecondCompanyOnly) {
    // Company 1's voucher 7 is confirmed, and unposted here so that only the company filter keeps
    // a deletion of company 2's voucher 7 off it.
    demo.exec("update InterDivisionJournalTransHeader set Posted=0 where companyid=1 and JournalTransID=7");
    const std::string before = firstCompany();
    FrmMaster& m = openSecond();
    // Cancelled by another user since the list was loaded: company 2's voucher 11 only.
    demo.exec(
        "update InterDivisionJournalTransHeader set Cancelled=1 where companyid=2 and JournalTransID=11");
    select(m, 11);
    EXPECT_FALSE(m.CmdDelete.Enabled);

    // Company 2's voucher 7 is not confirmed: the deletion goes ahead.
    select(m, 7);
    ASSERT_TRUE(m.CmdDelete.Enabled);
    confirmDeletion("entered twice");
    m.CmdDelete_Click();
    EXPECT_EQ(second(7, "Cancelled || CancelledRemarks"), "1entered twice");
    EXPECT_EQ(m.GrdMaster.TextMatrix(m.GrdMaster.Row(), 1), "IDJ/907");
    EXPECT_EQ(m.GrdMaster.TextMatrix(m.GrdMaster.Row(), 5), "Yes");

    select(m, 3);
    ASSERT_TRUE(m.cmdUpdate.Enabled);
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_EQ(second(3, "Posted"), "0");
    EXPECT_EQ(demo.scalar("select count(*) from genjournalheader where companyid=2 and referenceno='IDJ/903' "
                          "and Cancel=0"),
              "0");
    EXPECT_EQ(firstCompany(), before);
}

} // namespace
