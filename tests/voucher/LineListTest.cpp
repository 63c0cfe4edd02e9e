// The line list: removing lines, sorting, the totals.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

class LineListTest : public VoucherTest {
  protected:
    frmJournal& threeLines() {
        frmJournal& j = loadNew();
        testsupport::addLines(
            j.lvwJournal,
            {{.account = 3, .debit = "100.00", .description = "first"},
             {.department = demo::kExportDivision, .account = 14, .debit = "25.00", .description = "second"},
             {.department = demo::kDubaiBranch, .account = 19, .credit = "125.00", .description = "third"}});
        j.FillTotal();
        return j;
    }
};

TEST_F(LineListTest, RemovingALineRenumbersByTheSerialAndRecomputesTotals) {
    frmJournal& j = threeLines();
    j.lvwJournal.select(2);
    host.answer(forms::vbYes);
    j.mnuDelete_Click();
    ASSERT_EQ(prompts(), Texts{"Do you want to remove transaction Export Division from the invoice"});
    EXPECT_EQ(column(j, 0), (Texts{"1", "2"}));
    EXPECT_EQ(column(j, 3), (Texts{"first", "third"}));
    EXPECT_EQ(j.lblCr.Caption, "100.00");

    // Out of order: serials above the removed one go down, wherever they stand.
    testsupport::addLines(
        j.lvwJournal,
        {{.department = demo::kDubaiBranch, .account = 19, .debit = "25.00", .description = "fourth"}});
    j.lvwJournal.sortBy(0, true, true); // 3, 2, 1
    j.lvwJournal.select(3);
    host.answer(forms::vbYes);
    j.mnuDelete_Click();
    EXPECT_EQ(column(j, 0), (Texts{"2", "1"}));
    EXPECT_EQ(column(j, 3), (Texts{"fourth", "third"}));
    EXPECT_EQ(j.lblCr.Caption, "25.00");
}

TEST_F(LineListTest, ControlAccountOfTheVoucherDepartmentCannotBeRemoved) {
    frmJournal& j = threeLines();
    // Account 7 is the Head Office's control account for the Export Division, on a line of
    // whatever department.
    testsupport::addLines(j.lvwJournal, {{.department = demo::kDubaiBranch, .account = 7}});
    j.lvwJournal.select(4);
    j.mnuDelete_Click();
    EXPECT_EQ(prompts(), Texts{"Detail can't Delete"});
    EXPECT_EQ(j.lvwJournal.Count(), 4);

    // For an Export Division voucher it is an ordinary account.
    ctx().intdepartmentid = demo::kExportDivision;
    host.answer(forms::vbYes);
    j.mnuDelete_Click();
    EXPECT_EQ(j.lvwJournal.Count(), 3);
}

TEST_F(LineListTest, HeaderClicksSortNumbersAsNumbers) {
    frmJournal& j = loadNew();
    testsupport::addLines(j.lvwJournal, {{.debit = "100.00"},
                                         {.department = demo::kExportDivision, .debit = "25.00"},
                                         {.department = demo::kLondonBranch, .debit = "1000.00"},
                                         {.department = demo::kDubaiBranch, .debit = "7.50"}});
    j.lvwJournal.Item(3).Text = "10";
    j.lvwJournal.Item(4).Text = "3";

    j.lvwJournal_ColumnClick(5); // "Debit"
    EXPECT_EQ(column(j, 4), (Texts{"7.50", "25.00", "100.00", "1000.00"}));
    j.lvwJournal_ColumnClick(5); // again: the other way
    EXPECT_EQ(column(j, 4), (Texts{"1000.00", "100.00", "25.00", "7.50"}));
    j.lvwJournal_ColumnClick(1); // "SlNo.": 10 after 3
    EXPECT_EQ(column(j, 0), (Texts{"1", "2", "3", "10"}));
    j.lvwJournal_ColumnClick(2); // "Department", as text
    EXPECT_EQ(column(j, 1), (Texts{"Dubai Branch", "Export Division", "Head Office", "London Branch"}));
}

} // namespace
} // namespace vouchertest
