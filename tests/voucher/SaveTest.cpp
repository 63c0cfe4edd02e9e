// Saving a voucher: the checks in their order, the stored header and lines, the grid row.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

constexpr int kNew = demo::kNextVoucher;
const std::string kNewVouchers = "InterDivisionJournalTransHeader where companyid=1 and JournalTransID>300";

TEST_F(SaveTest, EditAfterRemovingTheFirstLineRewritesTheLinesOfThisCompanyOnly) {
    const int id = demo::kPlainVoucher;
    // Another company's voucher with the same identifier must keep its lines.
    db.exec("insert into InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, JournalTransID, "
            "AccountID, JournalTransCredit, DepartmentID, Amount, Remarks, depexrates) values (1, 2, " +
            std::to_string(id) + ", 1, 0, 5, 9, 'other company', 1)");
    const std::string kept = header(id, "JournalNo || TypeSeriallNO || FinancialID");
    auto before = lines(id);
    ASSERT_EQ(before.size(), 3u);

    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        // Remove the first line, a debit, and move its amount to the first line left so it still tallies.
        host.answer(forms::vbYes);
        j.lvwJournal.select(1);
        const double moved =
            rt::Val(j.lvwJournal.Item(1).SubItem(4)) + rt::Val(j.lvwJournal.Item(1).SubItem(5));
        j.mnuDelete_Click();
        forms::ListItem& first = j.lvwJournal.Item(1);
        const int side = rt::Val(first.SubItem(4)) != 0 ? 4 : 5;
        first.setSubItem(side,
                         rt::Format(rt::Val(first.SubItem(side)) + (side == 4 ? moved : -moved), "0.00"));
        j.txtRemarks.setText(" it's corrected '; drop table aPrefix; -- ");
        j.cmdOK_Click();
    });
    selectVoucher(id);
    FrmMaster::instance().CmdEdit_Click();

    auto after = lines(id);
    ASSERT_EQ(after.size(), 2u) << ::testing::PrintToString(prompts()) << ::testing::PrintToString(faults());
    EXPECT_EQ(after[0][0] + after[1][0], "12");
    EXPECT_EQ(after[0][1] + after[1][1], before[1][1] + before[2][1]);
    EXPECT_EQ(header(id, "Remarks"), "it's corrected '; drop table aPrefix; --");
    EXPECT_GT(count("aPrefix"), 0);
    EXPECT_EQ(header(id, "JournalNo || TypeSeriallNO || FinancialID"), kept);
    EXPECT_EQ(header(id, "updatetime").size(), 8u) << "a date without a time of day";
    EXPECT_EQ(lines(id, demo::kSecondCompany).size(), 1u);
}

TEST_F(SaveTest, TotalsMustTallyToTheCentAndNotOverflow) {
    const std::vector<Line> huge = {{.debit = "1e308"}, {.debit = "1e308"}, {.account = 2, .credit = "5.00"}};
    const std::pair<std::vector<Line>, const char*> cases[] = {
        // Amounts are compared at two decimals; two zero lines tally.
        {{{.debit = "100.004"}, {.account = 2, .credit = "100.001"}}, nullptr},
        {{{.debit = "100.01"}, {.account = 2, .credit = "100.00"}}, "Transaction amount should be tallied"},
        {{{.debit = "0.00"}, {.account = 2, .credit = "0.00"}}, nullptr},
        {huge, "Total amount is too large"}, // each amount within range, both together not
    };
    for (const auto& [lines, refusal] : cases) {
        host.messages.clear();
        frmJournal& j = enterNew(day(2026, 12, 1), "tally", lines);
        j.cmdOK_Click();
        EXPECT_EQ(saved(j), !refusal) << ::testing::PrintToString(prompts());
        if (refusal) {
            EXPECT_EQ(host.lastMessage(), refusal);
        }
        if (!saved(j)) closeQuietly(j);
    }
    EXPECT_EQ(count(kNewVouchers), 2);
    EXPECT_EQ(lines(kNew + 1)[0][2], "1") << "a line of two zeros is stored as a credit of 0";
    EXPECT_TRUE(faults().empty());

    frmJournal& j = enterNew(day(2026, 12, 1), "huge", huge);
    j.FillTotal();
    EXPECT_EQ(j.lblCr.Caption, "");
    EXPECT_EQ(host.lastMessage(), "Total amount is too large");
}

TEST_F(SaveTest, AStoredInfiniteAmountIsReportedWhenTheVoucherOpens) {
    db.exec("update InterDivisionJournalTransDetails set Amount=9e999 where companyid=1 and JournalTransID=" +
            std::to_string(demo::kPlainVoucher) + " and JournalTransDetailID=1");
    // The voucher is not offered for editing with an amount it cannot show.
    EXPECT_FALSE(openEdit(demo::kPlainVoucher).shown);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.lastMessage().find("Error 6: Overflow"), std::string::npos) << host.lastMessage();
}

TEST_F(SaveTest, RefusalsComeInOrderAndOnlyAnOpenYearIsSavedOn) {
    ctx().intFinancialID = demo::kPastYear;
    frmJournal& blank = enterNew(day(2026, 12, 1), "", testsupport::balancedLines());
    blank.cmdOK_Click();
    EXPECT_EQ(host.lastMessage(), "Remarks not entered");
    EXPECT_EQ(blank.activeControl(), &blank.txtRemarks);
    EXPECT_EQ(ctx().intFinancialID, demo::kCurrentYear) << "the year of the voucher date is taken before";

    blank.txtRemarks.setText("   ");
    blank.lvwJournal.Clear();
    blank.cmdOK_Click();
    EXPECT_EQ(host.lastMessage(), "Journal details not entered") << "blank remarks pass";
    EXPECT_TRUE(blank.loaded() && blank.cmdOK.Enabled);
    EXPECT_EQ(blank.MousePointer, forms::vbDefault);
    closeQuietly(blank);

    const std::tuple<rt::Date, int16_t, const char*> cases[] = {
        {day(2031, 1, 1), demo::kAdmin, "Date entered should be in any of the financial year"},
        {day(2024, 12, 1), demo::kAdmin, "Date entered should not be in closed financial year"},
        {day(2025, 12, 1), demo::kClerk, "Date entered should be in current financial year"}, // no right
    };
    for (const auto& [date, user, message] : cases) {
        ctx().intuserid = user;
        frmJournal& j = enterNew(date, "refused", testsupport::balancedLines());
        j.cmdOK_Click();
        EXPECT_EQ(host.lastMessage(), message);
        closeQuietly(j);
    }
    ctx().intuserid = demo::kAdmin;
    const std::string packageDate = db.scalar("select packagedate from apackagesettings");
    db.exec("update apackagesettings set packagedate='20261115'");
    frmJournal& early = enterNew(day(2026, 11, 14), "early", testsupport::balancedLines());
    early.cmdOK_Click();
    EXPECT_EQ(host.lastMessage(), "Date should not be greater than package date ");
    EXPECT_EQ(count(kNewVouchers), 0);
    early.dtpJournalDate.setValue(day(2026, 11, 15));
    early.cmdOK_Click();
    EXPECT_TRUE(saved(early));

    // The open past year asks; No keeps the window, Yes saves there.
    db.exec("update apackagesettings set packagedate='" + packageDate + "'");
    frmJournal& j = enterNew(day(2025, 12, 1), "past year", testsupport::balancedLines());
    host.answer(forms::vbNo);
    j.cmdOK_Click();
    EXPECT_EQ(host.lastMessage(),
              "Date entered does not fall in the current financial year\r\nDo you want to continue ?");
    EXPECT_EQ(host.messages.back().buttons, forms::vbYesNo + forms::vbInformation);
    EXPECT_TRUE(j.loaded());
    host.answer(forms::vbYes);
    j.cmdOK_Click();
    ASSERT_TRUE(saved(j)) << ::testing::PrintToString(prompts());
    EXPECT_EQ(header(kNew + 1, "FinancialID"), "2");
    EXPECT_EQ(ctx().intFinancialID, demo::kPastYear);
}

TEST_F(SaveTest, EditChecksPostedFirstThenTheStoredYear) {
    const auto editWithDate = [&](int id, rt::Date date) {
        host.onShow("frmJournal", [&](forms::Form& f) {
            auto& j = static_cast<frmJournal&>(f);
            j.dtpJournalDate.setValue(date);
            j.cmdOK_Click();
            closeQuietly(j);
        });
        selectVoucher(id);
        FrmMaster::instance().CmdEdit_Click();
        return host.lastMessage();
    };
    // A posted voucher is refused before its date is looked at.
    EXPECT_EQ(editWithDate(demo::kPostedWithoutJournalVoucher, day(2031, 1, 1)),
              "The transaction has posted to the Journal. Please cancel post to edit");
    // The open past year, but not the voucher's.
    EXPECT_EQ(editWithDate(demo::kPlainVoucher, day(2025, 12, 1)),
              "Date entered should be in the same financial year");
    EXPECT_EQ(header(demo::kPlainVoucher, "JournalTransDate").substr(0, 4), "2026");
}

TEST_F(SaveTest, TheNumbersAreMadeAtTheSaveAndTheSettingDecidesTheConfirmation) {
    autoConfirm(true);
    frmJournal& j = enterNew(day(2026, 12, 1), "serial", testsupport::balancedLines());
    j.Chconfirm.setValue(0);
    const std::string shown = j.txtserialNO.Text();
    ASSERT_EQ(shown.rfind("JRN/", 0), 0u);
    // A number that cannot be made stops the save, reported after the rollback so its record stays.
    db.exec("alter table aPrefix rename to aPrefixGone");
    j.cmdOK_Click();
    EXPECT_TRUE(j.loaded() && j.cmdOK.Enabled);
    EXPECT_EQ(count(kNewVouchers), 0);
    EXPECT_EQ(faults(), Texts{"GenerateJournalNo"});
    EXPECT_EQ(db.conn->TransactionLevel(), 0);
    db.exec("alter table aPrefixGone rename to aPrefix");
    // Another user stores a Journal voucher while this one is entered.
    insertHeader(demo::kCompany, kNew, "IDJ/301", "JO", demo::kCurrentYear, 0, shown);
    j.cmdOK_Click();
    ASSERT_TRUE(saved(j)) << ::testing::PrintToString(prompts());
    const std::string stored = "JRN/" + std::to_string(std::stoi(shown.substr(4)) + 1);
    EXPECT_EQ(header(kNew + 1, "TypeSeriallNO || Confirm"), stored + "1");
    forms::FlexGrid& grid = FrmMaster::instance().GrdMaster;
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 1, 1) + grid.TextMatrix(grid.Rows() - 1, 4), "IDJ/302" + stored);

    autoConfirm(false);
    frmJournal& k = enterNew(day(2026, 12, 1), "unconfirmed", testsupport::balancedLines());
    k.Chconfirm.setValue(0);
    k.cmdOK_Click();
    ASSERT_TRUE(saved(k));
    EXPECT_EQ(header(kNew + 2, "Confirm"), "0");
}

} // namespace
} // namespace vouchertest
