// The voucher editor: what New and Edit show, whether it may save, closing it with unsaved
// changes, and its line list (removing lines, sorting, the totals).
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

using EditorWindowTest = VoucherTest;

TEST_F(EditorWindowTest, EditShowsEveryVoucherAndOnlyAnOpenOneMaySave) {
    const std::string posted = "Entry Posted,Cannot Modify",
                      referred = "Journal entry refered in Journal. Cannot Edit.";
    const std::pair<int, Texts> cases[] = {{demo::kReferredByCancelledVoucher, {}},
                                           {demo::kPostedVoucher, {posted}},
                                           {demo::kCancelledVoucher, {}},
                                           {demo::kReferredVoucher, {referred}},
                                           {demo::kConfirmedVoucher, {}},
                                           {demo::kFreezeVoucher, {}},
                                           {demo::kPostedReferredVoucher, {posted, referred}}};
    for (const auto& [id, messages] : cases) {
        host.messages.clear();
        const Seen seen = openEdit(id);
        ASSERT_TRUE(seen.shown) << id;
        EXPECT_EQ(seen.ok, id == demo::kReferredByCancelledVoucher) << id;
        EXPECT_EQ(prompts(), messages) << id;
        EXPECT_EQ(seen.journalNo, "IDJ/" + std::to_string(id)) << id;
        EXPECT_GE(seen.lines, 2) << id;
    }
    EXPECT_EQ(faults(), Texts{});
}

TEST_F(EditorWindowTest, NewStartsAnEmptyJournalVoucherWithFreshRates) {
    useContext(demo::kAdmin, demo::kExportDivision);
    ctx().GStrExchangeRates = "9:-3:"; // left by the previous voucher
    const Seen seen = openNew();
    EXPECT_EQ(seen.date, testsupport::processDate());
    EXPECT_EQ(seen.type, "JO");
    EXPECT_EQ(seen.rates, "1:2:-1:83.2:");
    EXPECT_EQ(seen.lines, 0);
    EXPECT_TRUE(seen.ok && seen.typesEnabled && seen.confirmEnabled); // the admin holds "I"
    useContext(demo::kClerk, demo::kHeadOffice);
    EXPECT_FALSE(openNew().confirmEnabled);
    autoConfirm(true);
    EXPECT_EQ(openEdit(demo::kConfirmedVoucher).confirm, 0); // confirmed, but the setting clears the box
}

TEST_F(EditorWindowTest, ClosingAChangedVoucherAsksAndEachAnswerDoesItsPart) {
    std::vector<bool> open;
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        const auto close = [&](int answer, bool byTheCloseBox = false) {
            host.answer(answer);
            if (byTheCloseBox)
                j.requestClose();
            else
                j.cmdCancel.press();
            open.push_back(j.loaded() && j.cmdOK.Enabled);
        };
        j.blnDataChanged = true; // a line was changed and put back as it was
        close(forms::vbCancel);
        EXPECT_FALSE(j.blnDataChanged) << "the answer clears the line editor's flag";
        j.txtRemarks.setText("typed by the user");
        close(forms::vbCancel);
        close(forms::vbYes, true); // the save refuses a voucher without lines: the window stays
        close(forms::vbNo);
    });
    FrmMaster::instance().cmdNew_Click();
    EXPECT_EQ(open, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(host.messages[0].buttons, forms::vbYesNoCancel + forms::vbQuestion);
    EXPECT_EQ(prompts(), (Texts{"Save Changes?", "Save Changes?", "Save Changes?",
                                "Journal details not entered", "Save Changes?"}));
}

TEST_F(EditorWindowTest, NothingIsAskedOnClosingWhenNothingMayBeSaved) {
    selectVoucher(demo::kPostedVoucher);
    host.onShow("frmJournal", [](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        j.txtRemarks.setText("changed");
        j.cmdCancel.press();
    });
    FrmMaster::instance().CmdEdit_Click();
    EXPECT_FALSE(frmJournal::instance().loaded());
    EXPECT_EQ(prompts(), Texts{"Entry Posted,Cannot Modify"});
}

class LineListTest : public VoucherTest {
  protected:
    frmJournal& withLines(const std::vector<Line>& lines) {
        frmJournal& j = loadNew();
        testsupport::addLines(j.lvwJournal, lines);
        j.FillTotal();
        return j;
    }
    void remove(frmJournal& j, int index) {
        j.lvwJournal.select(index);
        host.answer(forms::vbYes);
        j.mnuDelete_Click();
    }
};

TEST_F(LineListTest, RemovingALineRenumbersByTheSerialAndRecomputesTotals) {
    frmJournal& j = withLines(
        {{.account = 3, .debit = "100.00", .description = "first"},
         {.department = demo::kExportDivision, .account = 14, .debit = "25.00", .description = "second"},
         {.department = demo::kDubaiBranch, .account = 19, .credit = "125.00", .description = "third"}});
    remove(j, 2);
    ASSERT_EQ(prompts(), Texts{"Do you want to remove transaction Export Division from the invoice"});
    EXPECT_EQ(column(j, 0), (Texts{"1", "2"}));
    EXPECT_EQ(column(j, 3), (Texts{"first", "third"}));
    EXPECT_EQ(j.lblCr.Caption, "100.00");

    // Out of order: serials above the removed one go down, wherever they stand.
    testsupport::addLines(j.lvwJournal,
                          {{.department = demo::kDubaiBranch, .debit = "25.00", .description = "fourth"}});
    j.lvwJournal.sortBy(0, true, true); // 3, 2, 1
    remove(j, 3);
    EXPECT_EQ(column(j, 0), (Texts{"2", "1"}));
    EXPECT_EQ(column(j, 3), (Texts{"fourth", "third"}));
    EXPECT_EQ(j.lblCr.Caption, "25.00");
}

TEST_F(LineListTest, ControlAccountOfTheVoucherDepartmentCannotBeRemoved) {
    // Account 7 is the Head Office's control account for the Export Division, on a line of
    // whatever department.
    frmJournal& j = withLines({{}, {.department = demo::kDubaiBranch, .account = 7}});
    j.lvwJournal.select(2);
    j.mnuDelete_Click();
    EXPECT_EQ(prompts(), Texts{"Detail can't Delete"});
    EXPECT_EQ(j.lvwJournal.Count(), 2);

    // For an Export Division voucher it is an ordinary account.
    ctx().intdepartmentid = demo::kExportDivision;
    remove(j, 2);
    EXPECT_EQ(j.lvwJournal.Count(), 1);
}

TEST_F(LineListTest, HeaderClicksSortNumbersAsNumbers) {
    frmJournal& j = withLines({{.debit = "100.00"},
                               {.department = demo::kExportDivision, .debit = "25.00"},
                               {.department = demo::kLondonBranch, .debit = "1000.00"},
                               {.department = demo::kDubaiBranch, .debit = "7.50"}});
    j.lvwJournal.Item(3).Text = "10";
    j.lvwJournal.Item(4).Text = "3";
    const std::tuple<int, int, Texts> clicks[] = {
        {5, 4, {"7.50", "25.00", "100.00", "1000.00"}},                              // "Debit"
        {5, 4, {"1000.00", "100.00", "25.00", "7.50"}},                              // again: the other way
        {1, 0, {"1", "2", "3", "10"}},                                               // "SlNo.": 10 after 3
        {2, 1, {"Dubai Branch", "Export Division", "Head Office", "London Branch"}}, // as text
    };
    for (const auto& [header, subItem, order] : clicks) {
        j.lvwJournal_ColumnClick(header);
        EXPECT_EQ(column(j, subItem), order) << "header " << header;
    }
}

} // namespace
} // namespace vouchertest
