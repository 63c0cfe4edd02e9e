// The table search's five-column list: its own headers and choices, every action and button
// state on it, literal search text, and the user's column layout kept for the full list.
#include "SearchFixture.h"

#include "voucher/frmJournal.h"

namespace {

const std::vector<std::string> kSearchHeaders = {"Journal No", "Date", "Cancelled", "Posted"};

std::vector<std::string> entries(const forms::ComboBox& combo) {
    std::vector<std::string> out;
    for (int i = 0; i < combo.ListCount(); ++i)
        out.push_back(combo.List(i));
    return out;
}

// The number the editor showed when an action opened it; the editor is closed unsaved.
std::string numberShownBy(forms::ScriptedHost& host, const std::function<void()>& action) {
    std::string shown = "(not shown)";
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<idj::frmJournal&>(f);
        shown = j.txtJournalNo.Text() + "/" + std::to_string(j.lvwJournal.Count());
        j.Tag.clear();
        j.Unload();
    });
    action();
    return shown;
}

} // namespace

TEST_F(SearchTest, SearchGridHasItsOwnHeadersAndSortsAndSeeksOnThem) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    typeSearch(m, "Posted", "yes", true, forms::vbKeyReturn);
    ASSERT_EQ(g.Cols(), 5);
    for (int col = 1; col <= 4; ++col)
        EXPECT_EQ(g.TextMatrix(0, col), kSearchHeaders[static_cast<size_t>(col - 1)]);
    EXPECT_EQ(entries(m.cboColNames), kSearchHeaders);
    EXPECT_EQ(entries(m.cboSearch), kSearchHeaders);

    sortOn(m, "Cancelled", false);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.TextMatrix(1, 3), "Yes");
    sortOn(m, "Posted");
    EXPECT_EQ(g.Col(), 4);
    sortOn(m, "Journal No");
    std::vector<int> listed = ids(m);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));

    typeSearch(m, "Cancelled", "yes", false);
    EXPECT_EQ(g.TextMatrix(g.Row(), 3), "Yes");
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    typeSearch(m, "Journal No", "IDJ/28", false);
    EXPECT_EQ(g.TextMatrix(g.Row(), 1), "IDJ/283");
    EXPECT_TRUE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

TEST_F(SearchTest, EveryActionWorksOnTheSearchGrid) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    typeSearch(m, "Posted", "no", true, forms::vbKeyReturn);
    ASSERT_EQ(g.Cols(), 5);
    select(m, 291);
    EXPECT_TRUE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_EQ(numberShownBy(host, [&] { m.CmdEdit_Click(); }), "IDJ/291/2");
    EXPECT_EQ(numberShownBy(host, [&] { m.cmdDuplicate_Click(); }), "/2");

    confirmDeletion("duplicate entry");
    m.CmdDelete_Click();
    EXPECT_EQ(demo.scalar("select Cancelled from InterDivisionJournalTransHeader where companyid=1 and "
                          "JournalTransID=291"),
              "1");
    EXPECT_EQ(g.TextMatrix(g.Row(), 3), "Yes");
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(g.cellForeColor(g.Row(), col), forms::vbRed) << col;
    EXPECT_FALSE(m.CmdDelete.Enabled);

    select(m, 284);
    m.CmdDelete_Click();
    EXPECT_EQ(host.lastMessage(), "Confirm Finished, Cannot Delete");

    typeSearch(m, "Posted", "yes", true, forms::vbKeyReturn);
    select(m, 283);
    EXPECT_TRUE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    m.CmdDelete_Click();
    EXPECT_EQ(host.lastMessage(), "This entry cannot be deleted because transaction is posted. ");
    host.answer(forms::vbYes);
    m.cmdUpdate_Click();
    EXPECT_EQ(host.lastMessage(), "Posting Cancelled");
    EXPECT_EQ(g.TextMatrix(g.Row(), 4), "No");
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(m.CmdDelete.Enabled);
    for (const auto& msg : host.messages)
        EXPECT_EQ(msg.prompt.find("unexpected"), std::string::npos) << msg.prompt;
}

TEST_F(SearchTest, SortingOrSeekingReevaluatesTheButtonsForTheVoucherNowCurrent) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    select(m, 283); // posted: Cancel Posting on, Delete off
    ASSERT_TRUE(m.cmdUpdate.Enabled);
    sortOn(m, "Type", false);
    ASSERT_NE(g.TextMatrix(g.Row(), 0), "283");
    const bool posted = g.TextMatrix(g.Row(), 6) == "Yes", cancelled = g.TextMatrix(g.Row(), 5) == "Yes";
    ASSERT_FALSE(posted || cancelled) << "row " << g.Row() << " holds " << g.TextMatrix(g.Row(), 0);
    EXPECT_FALSE(m.cmdUpdate.Enabled);

    select(m, 283);
    typeSearch(m, "JournalNo", "IDJ/291", false);
    EXPECT_EQ(g.TextMatrix(g.Row(), 0), "291");
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_TRUE(m.CmdDelete.Enabled);
}

TEST_F(SearchTest, OnlyTheFullGridSavesAndRestoresTheUsersColumnLayout) {
    FrmMaster& m = open();
    const std::string layout = "select count(*) || ':' || group_concat(ColumnWidth) from aGridColumnLayout "
                               "where UserID=1 and CompanyID=1";
    const std::string saved = demo.scalar(layout);
    ASSERT_EQ(saved.substr(0, 2), "8:");
    // A layout saved for the full list must not be forced on the search's five columns.
    demo.exec("update aGridColumnLayout set ColumnWidth=9999 where ColumnIndex=3 and UserID=1");
    const std::string widened = demo.scalar(layout);
    typeSearch(m, "Posted", "yes", true, forms::vbKeyReturn);
    ASSERT_EQ(m.GrdMaster.Cols(), 5);
    EXPECT_EQ(demo.scalar(layout), widened);
    EXPECT_LT(m.GrdMaster.ColWidth(3), 9999);
}

TEST_F(SearchTest, WildcardsInTheSearchTextMatchLiterally) {
    demo.exec("update InterDivisionJournalTransHeader set JournalNo='IDJ/2_5%' where companyid=1 and "
              "JournalTransID=250");
    FrmMaster& m = open();
    for (const char* text : {"_", "%", "2_5%"}) {
        typeSearch(m, "JournalNo", text, true, forms::vbKeyReturn);
        EXPECT_EQ(ids(m), std::vector<int>{250}) << text;
    }
    // The escape character itself is only text; an empty list keeps one blank row.
    typeSearch(m, "Journal No", "\\", true, forms::vbKeyReturn);
    EXPECT_EQ(ids(m), std::vector<int>{0});
    typeSearch(m, "Date", "__/", true, forms::vbKeyReturn);
    EXPECT_EQ(ids(m), std::vector<int>{0});
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
}

TEST_F(SearchTest, OverlongSearchTextIsRefusedWithAMessage) {
    FrmMaster& m = open();
    typeSearch(m, "Posted", "yes", true, forms::vbKeyReturn);
    const std::string sql = m.lastGridSql();
    const int rows = m.GrdMaster.Rows();
    typeSearch(m, "Journal No", std::string(50000, 'x'), true, forms::vbKeyReturn);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), "The search text is too long: at most 50 characters can be searched for.");
    EXPECT_EQ(host.messages.back().buttons, forms::vbInformation);
    EXPECT_EQ(m.lastGridSql(), sql);
    EXPECT_EQ(m.GrdMaster.Rows(), rows);
}
