// Sorting the browse grid, the quick search among its rows and the table search.
#include "SearchFixture.h"

#include "runtime/Date.h"

#include <algorithm>

using idj::FrmMaster;

TEST_F(SearchTest, DateAndNumberColumnsSortByTheHiddenIdentifier) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    sortOn(m, "Type", false);
    EXPECT_EQ(g.TextMatrix(1, 3), "Receipt");
    EXPECT_EQ(g.Col(), 3);
    sortOn(m, "Date");
    EXPECT_EQ(g.Col(), 0);
    std::vector<int> sorted = ids(m);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    sortOn(m, "JournalNo", false);
    sorted = ids(m);
    EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend()));
    // Choosing a direction alone clears the sort column and leaves the rows.
    m.optAscend.setValue(true);
    EXPECT_EQ(m.cboColNames.ListIndex(), -1);
    EXPECT_EQ(ids(m), sorted);
}

TEST_F(SearchTest, QuickSearchMovesToTheFirstRowAtOrAfterThePrefix) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    sortOn(m, "Type", false); // the search sorts the grid itself
    typeSearch(m, "JournalNo", "idj/15", false);
    EXPECT_EQ(g.TextMatrix(g.Row(), 1), "IDJ/150");
    EXPECT_EQ(g.TopRow(), g.Row());
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.ColSel(), 7);
    typeSearch(m, "Type", "Pay", false);
    EXPECT_EQ(g.TextMatrix(g.Row(), 3), "Payment");
    EXPECT_NE(g.TextMatrix(g.Row() - 1, 3), "Payment");
    // Nothing at or after the text: the grid stays where it was.
    const int row = g.Row();
    typeSearch(m, "JournalNo", "IDJ/9", false);
    EXPECT_EQ(g.Row(), row);
    EXPECT_EQ(g.Rows(), 161);
}

TEST_F(SearchTest, TableSearchOnFlagsListsFiveColumnsWithoutAnError) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    typeSearch(m, "Posted", " yes", true, forms::vbKeyReturn);
    ASSERT_EQ(g.Cols(), 5);
    EXPECT_EQ(g.Rows() - 1, count("posted=1"));
    for (int r = 1; r < g.Rows(); ++r)
        EXPECT_EQ(g.TextMatrix(r, 4), "Yes") << "row " << r;
    std::vector<int> listed = ids(m);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    EXPECT_EQ(m.cboSearch.Text(), "Posted") << "the search column is chosen again";
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();

    typeSearch(m, "Cancelled", "No", true, forms::vbKeyReturn);
    EXPECT_EQ(g.Rows() - 1, count("cancelled=0"));
    // Neither yes nor no: the list stays.
    const std::string sql = m.lastGridSql();
    typeSearch(m, "Posted", "x", true, forms::vbKeyReturn);
    EXPECT_EQ(m.lastGridSql(), sql);
    EXPECT_EQ(g.Rows() - 1, count("cancelled=0"));
    // Without Enter the table is not searched.
    typeSearch(m, "Posted", "yes", true, 'S');
    EXPECT_EQ(m.lastGridSql(), sql);
}

TEST_F(SearchTest, DateSearchTakesTheStyleFromTheSeparator) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    const std::string shown = g.TextMatrix(rowOf(m, 150), 2); // dd/mm/yyyy
    std::string hyphened = shown;
    std::replace(hyphened.begin(), hyphened.end(), '/', '-');
    for (const auto& [text, style] : {std::pair{hyphened, ",105)"}, std::pair{shown, ",103)"}}) {
        typeSearch(m, "Date", text, true, forms::vbKeyReturn);
        EXPECT_NE(m.lastGridSql().find(style), std::string::npos) << m.lastGridSql();
        ASSERT_GE(g.Rows(), 2);
        EXPECT_NE(rowOf(m, 150), 0) << text;
        for (int r = 1; r < g.Rows(); ++r)
            EXPECT_EQ(g.TextMatrix(r, 2), shown) << text;
    }
}

TEST_F(SearchTest, EmptySearchAllReloadsTheLookBackForTheUsersDepartment) {
    FrmMaster& m =
        open(db::demo::kCompany, db::demo::kDubaiUser, db::demo::kCurrentYear, db::demo::kDubaiBranch);
    forms::FlexGrid& g = m.GrdMaster;
    typeSearch(m, "JournalNo", "", true, forms::vbKeyReturn);
    ASSERT_EQ(g.Cols(), 5);
    EXPECT_EQ(g.Rows() - 1, count("DepartmentID=3"));
    for (int id : ids(m))
        EXPECT_EQ(id % 4, 2) << "voucher " << id << " of another department";
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();

    // The look-back limits the list of an empty search only.
    idj::ctx().NoOfPreviousDays = 10;
    typeSearch(m, "JournalNo", "", true, forms::vbKeyReturn);
    const std::string since = rt::toYmd(rt::addDays(testsupport::processDate(), -10));
    EXPECT_EQ(g.Rows() - 1, count("DepartmentID=3 and JournalTransDate >= '" + since + "'"));
    typeSearch(m, "JournalNo", "IDJ/1", true, forms::vbKeyReturn);
    EXPECT_EQ(g.Rows() - 1, count("DepartmentID=3 and JournalNo like '%IDJ/1%'"));
}

TEST_F(SearchTest, QuotesInTheSearchTextAreOnlyText) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    for (const char* text :
         {"O'Brien", "1' or '1'='1", "'; delete from InterDivisionJournalTransHeader; --"}) {
        typeSearch(m, "JournalNo", text, true, forms::vbKeyReturn);
        EXPECT_EQ(g.Rows(), 2) << text; // the header and one empty row
        EXPECT_EQ(g.TextMatrix(1, 0), "") << text;
        typeSearch(m, "Date", text, true, forms::vbKeyReturn);
        EXPECT_EQ(g.TextMatrix(1, 0), "") << text;
        typeSearch(m, "JournalNo", text, false);
    }
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    EXPECT_EQ(count("1=1"), 160);
}
