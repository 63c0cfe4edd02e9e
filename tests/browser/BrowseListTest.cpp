// The browse list as a user sees it after the window loads.
#include "BrowseFixture.h"

#include "runtime/Convert.h"

using idj::FrmMaster;

TEST_F(BrowseTest, ListsTheCurrentYearWithCatalogueHeadersAndFittingWidths) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    // Vouchers 141..300 lie in the current year and inside the 400-day look-back.
    ASSERT_EQ(g.Rows(), 1 + 160);
    ASSERT_EQ(g.Cols(), 8);
    EXPECT_EQ(g.TextMatrix(1, 0), "141");
    EXPECT_EQ(g.TextMatrix(g.Rows() - 1, 0), "300");
    EXPECT_EQ(g.TextMatrix(0, 1), "JournalNo");
    EXPECT_EQ(g.TextMatrix(0, 2), "Date");
    EXPECT_EQ(g.TextMatrix(0, 7), "Confirmed");
    EXPECT_EQ(g.TextMatrix(1, 1), "IDJ/141");
    EXPECT_EQ(g.TextMatrix(1, 2), "01/04/2026");
    EXPECT_EQ(g.TextMatrix(FrmMaster::instance().GrdMaster.Rows() - 1, 2), "06/12/2026");
    // 148 % 8 == 4: a payment; 151 % 8 == 7: a cash transfer.
    EXPECT_EQ(g.TextMatrix(rowOf(m, 148), 3), "Payment");
    EXPECT_EQ(g.TextMatrix(rowOf(m, 151), 3), "Cash Transfer");
    EXPECT_EQ(g.TextMatrix(rowOf(m, 150), 3), "Receipt");
    EXPECT_EQ(g.TextMatrix(rowOf(m, 144), 3), "Journal");

    EXPECT_EQ(g.ColWidth(0), 0);
    for (int c = 5; c <= 7; ++c)
        EXPECT_EQ(g.ColWidth(c), 1290);
    for (int c = 1; c <= 4; ++c) {
        size_t longest = 0;
        for (int r = 0; r < g.Rows(); ++r)
            longest = std::max(longest, g.TextMatrix(r, c).size());
        EXPECT_GE(g.ColWidth(c), static_cast<int>(130 * longest)) << "column " << c;
    }

    // The sort and search lists carry the headers with their column numbers.
    ASSERT_EQ(m.cboColNames.ListCount(), 7);
    EXPECT_EQ(m.cboColNames.List(0), "JournalNo");
    EXPECT_EQ(m.cboColNames.ItemData(6), 7);
    EXPECT_EQ(m.cboSearch.ListCount(), 7);
    EXPECT_EQ(m.cboSearch.ListIndex(), -1);

    // The last row is current and selected across all columns.
    EXPECT_EQ(g.Row(), g.Rows() - 1);
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.ColSel(), 7);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BrowseTest, ColoursRowsByStatusWithCancelledWinningOverPosted) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    const forms::Colour green = forms::rgb(0, 128, 0);
    for (int c = 0; c <= 7; ++c) {
        EXPECT_EQ(g.cellForeColor(rowOf(m, 286), c), forms::vbRed) << "cancelled and posted, column " << c;
        EXPECT_EQ(g.cellForeColor(rowOf(m, 285), c), forms::vbRed) << "cancelled, column " << c;
        EXPECT_EQ(g.cellForeColor(rowOf(m, 283), c), green) << "posted, column " << c;
        EXPECT_EQ(g.cellForeColor(rowOf(m, 284), c), 0u) << "confirmed only, column " << c;
    }
}

TEST_F(BrowseTest, SelectionTakesTheRowColourAndCyanForSeveralRows) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    select(m, 285);
    EXPECT_EQ(g.ForeColorSel, forms::vbRed);
    select(m, 284);
    EXPECT_EQ(g.ForeColorSel, forms::vbHighlightText);
    g.setRowSel(g.Row() + 2);
    EXPECT_EQ(g.ForeColorSel, forms::vbCyan);
}

TEST_F(BrowseTest, MissingSettingsRowShowsTheMessageAndLeavesTheGridAsDesigned) {
    demo.exec(
        "update auserrights set FunctionRights='N' where userid=1 and companyid=3 and interfaceid=5029");
    FrmMaster& m = open(db::demo::kCompanyWithoutSettings);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt, "Data missing in ASETTINGS");
    EXPECT_EQ(host.messages[0].buttons, forms::vbCritical);
    EXPECT_EQ(host.messages[0].title, "Accounts Suite");
    EXPECT_EQ(m.GrdMaster.Rows(), 2);
    EXPECT_EQ(m.GrdMaster.Cols(), 2);
    EXPECT_TRUE(m.GrdMaster.TextMatrix(1, 0).empty());
    // The rights were read before the settings.
    EXPECT_TRUE(m.cmdNew.Enabled);
    EXPECT_FALSE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
}

TEST_F(BrowseTest, EmptyListShowsOneEmptyRowAndPreviewStaysOffWhenRowsReturn) {
    FrmMaster& m = open(db::demo::kCompany, db::demo::kAdmin, /*year without vouchers*/ 9);
    forms::FlexGrid& g = m.GrdMaster;
    ASSERT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 8);
    for (int c = 0; c < 8; ++c)
        EXPECT_TRUE(g.TextMatrix(1, c).empty());
    EXPECT_FALSE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.CmdDelete.Enabled);
    EXPECT_FALSE(m.cmdUpdate.Enabled);
    EXPECT_FALSE(m.cmdpreview.Enabled);

    // A voucher saved meanwhile fills the empty row instead of adding a second one.
    demo.exec(
        "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, JournalTransDate,"
        " Remarks, Cancelled, Posted, FinancialID, Type, Confirm, TypeSeriallNO, DepartmentID)"
        " values (900, 1, 'IDJ/900', '20261201', 'new', 0, 0, 9, 'JO', 0, 'JRN/1', 1)");
    idj::ctx().GStrMasterNewEditFlag = "N";
    idj::UpdateEditedRow("JournalTransID=900", 900);
    ASSERT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.TextMatrix(1, 0), "900");
    EXPECT_EQ(g.TextMatrix(1, 1), "IDJ/900");
    m.EnableOrDisableButtons();
    EXPECT_TRUE(m.CmdEdit.Enabled);
    EXPECT_FALSE(m.cmdpreview.Enabled);
}

TEST_F(BrowseTest, DepartmentUserSeesOnlyTheDepartmentsVouchers) {
    FrmMaster& m =
        open(db::demo::kCompany, db::demo::kDubaiUser, db::demo::kCurrentYear, db::demo::kDubaiBranch);
    forms::FlexGrid& g = m.GrdMaster;
    std::string expected =
        demo.scalar("select count(*) from InterDivisionJournalTransHeader where companyid=1 "
                    "and financialid=3 and departmentid=3 and JournalTransDate >= '20251101'");
    ASSERT_NE(expected, "0");
    EXPECT_EQ(std::to_string(g.Rows() - 1), expected);
    for (int r = 1; r < g.Rows(); ++r)
        EXPECT_EQ(
            demo.scalar("select DepartmentID from InterDivisionJournalTransHeader where companyid=1 and "
                        "JournalTransID=" +
                        g.TextMatrix(r, 0)),
            "3");
    EXPECT_TRUE(host.messages.empty());
}
