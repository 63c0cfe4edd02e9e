// Refreshing one row after a save or deletion, and the module routines the buttons rely on.
#include "BrowseFixture.h"

namespace {

class RowRefreshTest : public BrowseTest {
  protected:
    void insertVoucher(int id, const std::string& date) {
        db.conn->Execute(
            "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
            "JournalTransDate, Remarks, Cancelled, Posted, FinancialID, Type, Confirm, "
            "TypeSeriallNO, DepartmentID) values (?, 1, ?, ?, 'r', 0, 0, 3, 'RE', 1, 'RCPT/99', 1)",
            {id, "IDJ/" + std::to_string(id), date});
    }
    static void refresh(const char* mode, int id, int newId) {
        idj::ctx().GStrMasterNewEditFlag = mode;
        idj::UpdateEditedRow("JournalTransID=" + std::to_string(id), newId);
    }
};

TEST_F(RowRefreshTest, NewVoucherIsAddedAsTheLastRowAndSelectedUnlessOutsideTheList) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    const int rows = g.Rows();
    insertVoucher(demo::kNextVoucher, "20240101"); // before the look-back
    refresh("N", demo::kNextVoucher, demo::kNextVoucher);
    EXPECT_EQ(g.Rows(), rows);

    insertVoucher(demo::kNextVoucher + 1, "20261206");
    refresh("N", demo::kNextVoucher + 1, demo::kNextVoucher + 1);
    ASSERT_EQ(g.Rows(), rows + 1);
    EXPECT_EQ(g.TextMatrix(rows, 1), "IDJ/302");
    EXPECT_EQ(g.TextMatrix(rows, 3), "Receipt");
    EXPECT_EQ(g.TextMatrix(rows, 7), "Yes");
    EXPECT_EQ(g.Row(), rows);
    EXPECT_EQ(g.TopRow(), rows);
}

TEST_F(RowRefreshTest, EditedVoucherRewritesTheCurrentRowButNotItsIdentifier) {
    FrmMaster& m = open();
    select(m, demo::kConfirmedVoucher);
    setHeader(demo::kConfirmedVoucher, "JournalNo='IDJ/284-B', Cancelled=1, TypeSeriallNO=NULL");
    refresh("E", demo::kConfirmedVoucher, 0);
    EXPECT_EQ(current(m, 0), std::to_string(demo::kConfirmedVoucher));
    EXPECT_EQ(current(m, 1), "IDJ/284-B");
    EXPECT_EQ(current(m, 4), "") << "a null field";
    EXPECT_EQ(current(m, 5), "Yes");
}

TEST_F(BrowseTest, FreezeDateBelongsToTheFrozenPeriod) {
    open();
    rt::Date d = *rt::parseDate(db.scalar("select AccountsFreezeDate from MiscSettings"));
    EXPECT_TRUE(idj::IsFrozenDate(d));
    EXPECT_TRUE(idj::IsFrozenDate(rt::addDays(d, -30)));
    EXPECT_FALSE(idj::IsFrozenDate(rt::addDays(d, 1)));
    for (const char* unset : {"NULL", "''"}) {
        db.exec(std::string("update MiscSettings set AccountsFreezeDate = ") + unset);
        EXPECT_FALSE(idj::IsFrozenDate(d)) << unset;
    }
}

TEST_F(BrowseTest, UserDepartmentsBecomeAnInFilter) {
    open();
    const std::pair<int16_t, const char*> cases[] = {
        {demo::kAdmin, " IN (1,2,3,4,5,6)"}, {demo::kClerk, " IN (1,2)"}, {demo::kAuditor, " IN (0)"}};
    for (auto [user, filter] : cases) {
        idj::ctx().intuserid = user;
        idj::LoadUserDepartments();
        EXPECT_EQ(idj::ctx().GStrUserDepartments, filter);
    }
}

} // namespace
