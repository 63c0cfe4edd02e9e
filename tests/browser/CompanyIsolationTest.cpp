// Every action of the browse window run on company 2, whose vouchers share their identifiers
// with company 1's: each must read and change company 2's rows only.
#include "BrowseFixture.h"

namespace {

using CompanyIsolationTest = BrowseTest;

TEST_F(CompanyIsolationTest, EveryActionReadsAndChangesTheSecondCompanysVouchersOnly) {
    // Everything stored for company 1: headers, lines and general journal rows.
    auto firstCompany = [&] {
        return db.scalar("select group_concat(JournalTransID || JournalNo || ifnull(Remarks, '') || "
                         "Cancelled || Posted || Confirm || ifnull(CancelledRemarks, ''), ';') from "
                         "InterDivisionJournalTransHeader where companyid=1") +
               db.scalar("select count(*) || ':' || sum(Amount) || ':' || group_concat(Remarks) from "
                         "InterDivisionJournalTransDetails where companyid=1") +
               db.scalar("select count(*) || ':' || sum(Cancel) from genjournalheader where companyid=1");
    };
    auto second = [&](int id, const std::string& column) { return header(id, column, demo::kSecondCompany); };
    auto secondLines = [&](int id) {
        return std::stoi(db.scalar("select count(*) from InterDivisionJournalTransDetails where "
                                   "companyid=2 and JournalTransID=" +
                                   std::to_string(id)));
    };
    // Company 1's voucher 7 is confirmed, and unposted here so that only the company filter keeps
    // a deletion of company 2's voucher 7 off it.
    setHeader(7, "Posted=0");
    const std::string firstBefore = firstCompany();
    FrmMaster& m = open(demo::kSecondCompany);
    {
        SCOPED_TRACE("edit and save");
        select(m, 10); // after the freeze date, unlike company 1's voucher 10
        EXPECT_TRUE(inEditor([&] { m.CmdEdit_Click(); },
                             [&](frmJournal& j) {
                                 EXPECT_EQ(j.txtJournalNo.Text(), "IDJ/910");
                                 EXPECT_EQ(j.lvwJournal.Count(), secondLines(10));
                                 j.txtRemarks.setText("harbour fees");
                                 j.cmdOK_Click();
                             }));
        EXPECT_EQ(second(10, "Remarks"), "harbour fees");
        EXPECT_EQ(current(m, 1), "IDJ/910"); // the refreshed row
    }
    {
        SCOPED_TRACE("duplicate and save");
        select(m, 11);
        const int rows = m.GrdMaster.Rows();
        EXPECT_TRUE(inEditor([&] { m.cmdDuplicate_Click(); },
                             [&](frmJournal& j) {
                                 EXPECT_EQ(j.txtRemarks.Text(), second(11, "Remarks"));
                                 EXPECT_EQ(j.lvwJournal.Count(), secondLines(11));
                                 j.cmdOK_Click();
                             }));
        EXPECT_EQ(db.scalar("select count(*) from InterDivisionJournalTransHeader where companyid=2"), "13");
        EXPECT_EQ(m.GrdMaster.Rows(), rows + 1);
    }
    {
        SCOPED_TRACE("buttons, delete and cancel posting");
        setHeader(11, "Cancelled=1", demo::kSecondCompany); // by another user since the list was loaded
        select(m, 11);
        EXPECT_FALSE(m.CmdDelete.Enabled);
        select(m, 7); // not confirmed in company 2
        ASSERT_TRUE(m.CmdDelete.Enabled);
        confirmDeletion("entered twice");
        m.CmdDelete_Click();
        EXPECT_EQ(second(7, "Cancelled || CancelledRemarks"), "1entered twice");
        EXPECT_EQ(current(m, 1), "IDJ/907");
        EXPECT_EQ(current(m, 5), "Yes");
        select(m, 3);
        ASSERT_TRUE(m.cmdUpdate.Enabled);
        host.answer(forms::vbYes);
        m.cmdUpdate_Click();
        EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
        EXPECT_EQ(second(3, "Posted"), "0");
        EXPECT_EQ(db.scalar("select count(*) from genjournalheader where companyid=2 and "
                            "referenceno='IDJ/903' and Cancel=0"),
                  "0");
    }
    EXPECT_EQ(firstCompany(), firstBefore);
    for (const auto& msg : host.messages)
        EXPECT_EQ(msg.prompt.find("unexpected"), std::string::npos) << msg.prompt;
}

} // namespace
