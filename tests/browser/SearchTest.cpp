// Sorting the browse grid, the quick search among its rows, and the table search with its
// five-column list on which every action still works.
#include "BrowseFixture.h"

#include "runtime/Date.h"

using SearchTest = BrowseTest;

TEST_F(SearchTest, SortsByTheHiddenIdentifierAndQuickSearchSortsOncePerColumn) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    sortOn(m, "Type", false);
    EXPECT_EQ(g.TextMatrix(1, 3), "Receipt");
    sortOn(m, "Date");
    std::vector<int> sorted = ids(m);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    sortOn(m, "JournalNo", false);
    sorted = ids(m);
    EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend()));
    // Choosing a direction alone clears the sort column and leaves the rows.
    m.optAscend.setValue(true);
    EXPECT_EQ(m.cboColNames.ListIndex(), -1);
    EXPECT_EQ(ids(m), sorted);

    // The quick search moves to the first row at or after the prefix, sorting once per column.
    sortOn(m, "Type", false); // the search sorts the grid itself
    const int before = g.sortsMade();
    for (const char* typed : {"i", "id", "idj", "idj/", "idj/1", "idj/15"})
        typeSearch(m, "JournalNo", typed, false);
    EXPECT_EQ(current(m, 1), "IDJ/150");
    EXPECT_EQ(g.TopRow(), g.Row());
    EXPECT_EQ(g.sortsMade(), before + 1);
    typeSearch(m, "Type", "P", false);
    typeSearch(m, "Type", "Pay", false);
    EXPECT_EQ(g.sortsMade(), before + 2);
    EXPECT_EQ(current(m, 3), "Payment");
    EXPECT_NE(g.TextMatrix(g.Row() - 1, 3), "Payment");
    // Nothing at or after the text: the grid stays where it was.
    const int row = g.Row();
    typeSearch(m, "JournalNo", "IDJ/9", false);
    EXPECT_EQ(g.Row(), row);
    EXPECT_EQ(g.Rows(), 161);
    // A refill brings the grid's own order back, so the next key sorts again.
    m.GridPopulate(m.browseStatement(), "InterDivisionJournalTransHeader", "");
    const int sorts = g.sortsMade();
    typeSearch(m, "Type", "Payme", false);
    EXPECT_EQ(g.sortsMade(), sorts + 1);
    EXPECT_EQ(current(m, 3), "Payment");
}

TEST_F(SearchTest, TableSearchOnFlagsDatesAndLiteralTextWithItsOwnColumns) {
    setHeader(250, "JournalNo='IDJ/2_5%'");
    // A layout saved for the full list must not be forced on the search's five columns.
    db.exec("update aGridColumnLayout set ColumnWidth=9999 where ColumnIndex=3 and UserID=1");
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    const std::string date = g.TextMatrix(rowOf(m, 150), 2); // dd/mm/yyyy
    typeSearch(m, "Posted", " yes", true, forms::vbKeyReturn);
    ASSERT_EQ(g.Cols(), 5);
    EXPECT_LT(g.ColWidth(3), 9999);
    EXPECT_EQ(g.Rows() - 1, count("posted=1"));
    for (int r = 1; r < g.Rows(); ++r)
        EXPECT_EQ(g.TextMatrix(r, 4), "Yes") << "row " << r;
    std::vector<int> listed = ids(m);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    EXPECT_EQ(m.cboSearch.Text(), "Posted") << "the search column is chosen again";

    typeSearch(m, "Cancelled", "No", true, forms::vbKeyReturn);
    EXPECT_EQ(g.Rows() - 1, count("cancelled=0"));
    // Neither yes nor no, no Enter, or an overlong text: the list stays.
    const std::string sql = m.lastGridSql();
    typeSearch(m, "Posted", "x", true, forms::vbKeyReturn);
    typeSearch(m, "Posted", "yes", true, 'S');
    EXPECT_EQ(m.lastGridSql(), sql);
    EXPECT_EQ(g.Rows() - 1, count("cancelled=0"));
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    typeSearch(m, "Journal No", std::string(50000, 'x'), true, forms::vbKeyReturn);
    EXPECT_EQ(
        testsupport::prompts(host),
        std::vector<std::string>{"The search text is too long: at most 50 characters can be searched for."});
    EXPECT_EQ(m.lastGridSql(), sql);
    host.messages.clear();

    // Dates with either separator.
    std::string hyphened = date;
    std::replace(hyphened.begin(), hyphened.end(), '/', '-');
    for (const std::string& text : {hyphened, date}) {
        typeSearch(m, "Date", text, true, forms::vbKeyReturn);
        EXPECT_NE(rowOf(m, 150), 0) << text;
        for (int r = 1; r < g.Rows(); ++r)
            EXPECT_EQ(g.TextMatrix(r, 2), date) << text;
    }
    // Quotes and wildcards are only text; an empty result keeps one blank row.
    for (const char* text : {"_", "%", "2_5%"}) {
        typeSearch(m, "JournalNo", text, true, forms::vbKeyReturn);
        EXPECT_EQ(ids(m), std::vector<int>{250}) << text;
    }
    for (const char* text :
         {"\\", "O'Brien", "1' or '1'='1", "'; delete from InterDivisionJournalTransHeader; --"}) {
        for (const char* column : {"Journal No", "Date"}) {
            typeSearch(m, column, text, true, forms::vbKeyReturn);
            EXPECT_EQ(ids(m), std::vector<int>{0}) << column << ": " << text;
        }
        typeSearch(m, "Journal No", text, false);
    }
    typeSearch(m, "Date", "__/", true, forms::vbKeyReturn);
    EXPECT_EQ(ids(m), std::vector<int>{0});
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    EXPECT_EQ(count("1=1"), 160);
}

TEST_F(SearchTest, EmptySearchAllReloadsTheLookBackForTheUsersDepartment) {
    FrmMaster& m = open(demo::kCompany, demo::kDubaiUser, demo::kCurrentYear, demo::kDubaiBranch);
    typeSearch(m, "JournalNo", "", true, forms::vbKeyReturn);
    ASSERT_EQ(m.GrdMaster.Cols(), 5);
    EXPECT_EQ(m.GrdMaster.Rows() - 1, count("DepartmentID=3"));
    for (int id : ids(m))
        EXPECT_EQ(id % 4, 2) << "voucher " << id << " of another department";

    // The look-back limits the list of an empty search only.
    idj::ctx().NoOfPreviousDays = 10;
    typeSearch(m, "JournalNo", "", true, forms::vbKeyReturn);
    const std::string since = rt::toYmd(rt::addDays(testsupport::processDate(), -10));
    EXPECT_EQ(m.GrdMaster.Rows() - 1, count("DepartmentID=3 and JournalTransDate >= '" + since + "'"));
    typeSearch(m, "JournalNo", "IDJ/1", true, forms::vbKeyReturn);
    EXPECT_EQ(m.GrdMaster.Rows() - 1, count("DepartmentID=3 and JournalNo like '%IDJ/1%'"));
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

TEST_F(SearchTest, EveryActionWorksOnTheSearchGrid) {
    FrmMaster& m = open();
    typeSearch(m, "Posted", "no", true, forms::vbKeyReturn);
    ASSERT_EQ(m.GrdMaster.Cols(), 5);
    select(m, demo::kPlainVoucher);
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(inEditor([&] { m.CmdEdit_Click(); },
                         [](frmJournal& j) { EXPECT_EQ(j.txtJournalNo.Text(), "IDJ/292"); }));
    EXPECT_TRUE(
        inEditor([&] { m.cmdDuplicate_Click(); }, [](frmJournal& j) { EXPECT_EQ(j.lvwJournal.Count(), 3); }));

    confirmDeletion("duplicate entry");
    m.CmdDelete_Click();
    EXPECT_EQ(header(demo::kPlainVoucher, "Cancelled"), "1");
    EXPECT_EQ(current(m, 3), "Yes");
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(m.GrdMaster.cellForeColor(m.GrdMaster.Row(), col), forms::vbRed) << col;
    EXPECT_FALSE(m.CmdDelete.Enabled);

    typeSearch(m, "Posted", "yes", true, forms::vbKeyReturn);
    select(m, demo::kPostedVoucher);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_EQ(current(m, 4), "No");
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(m.CmdDelete.Enabled);
    for (const auto& msg : host.messages)
        EXPECT_EQ(msg.prompt.find("unexpected"), std::string::npos) << msg.prompt;
}
