// Refreshing one row after a save.
#include "BrowseFixture.h"

namespace {

TEST_F(BrowseTest, ANewVoucherIsAddedLastUnlessOutsideTheListAndAnEditedOneRewritesItsRow) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    const int rows = g.Rows();
    auto saved = [&](const char* mode, int id, const std::string& date) {
        if (*mode == 'N')
            db.conn->Execute(
                "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
                "JournalTransDate, Remarks, Cancelled, Posted, FinancialID, Type, Confirm, "
                "TypeSeriallNO, DepartmentID) values (?, 1, ?, ?, 'r', 0, 0, 3, 'RE', 1, 'RCPT/99', 1)",
                {id, "IDJ/" + std::to_string(id), date});
        idj::ctx().GStrMasterNewEditFlag = mode;
        idj::UpdateEditedRow("JournalTransID=" + std::to_string(id), *mode == 'N' ? id : 0);
    };
    saved("N", demo::kNextVoucher, "20240101"); // before the look-back
    EXPECT_EQ(g.Rows(), rows);
    saved("N", demo::kNextVoucher + 1, "20261206");
    ASSERT_EQ(g.Rows(), rows + 1);
    EXPECT_EQ(g.TextMatrix(rows, 1), "IDJ/302");
    EXPECT_EQ(g.TextMatrix(rows, 3), "Receipt");
    EXPECT_EQ(g.TextMatrix(rows, 7), "Yes");
    EXPECT_EQ(g.Row(), rows);
    EXPECT_EQ(g.TopRow(), rows);

    select(m, demo::kConfirmedVoucher);
    setHeader(demo::kConfirmedVoucher, "JournalNo='IDJ/284-B', Cancelled=1, TypeSeriallNO=NULL");
    saved("E", demo::kConfirmedVoucher, "");
    EXPECT_EQ(current(m, 0), std::to_string(demo::kConfirmedVoucher)); // the identifier stays
    EXPECT_EQ(current(m, 1), "IDJ/284-B");
    EXPECT_EQ(current(m, 4), "") << "a null field";
    EXPECT_EQ(current(m, 5), "Yes");
}

} // namespace
