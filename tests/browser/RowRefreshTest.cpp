// Refreshing one row after a save or deletion, and the module routines the buttons rely on.
#include "BrowseFixture.h"

#include "component/basJournal.h"

using idj::FrmMaster;

namespace {
void insertVoucher(testsupport::DemoDb& demo, int id, const std::string& date,
                   const char* remarksNumber = "IDJ/") {
    demo.exec(
        "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, JournalTransDate,"
        " Remarks, Cancelled, Posted, FinancialID, Type, Confirm, TypeSeriallNO, DepartmentID) values (" +
        std::to_string(id) + ", 1, '" + remarksNumber + std::to_string(id) + "', '" + date +
        "', 'r', 0, 0, 3, 'RE', 1, 'RCPT/99', 1)");
}
} // namespace

TEST_F(BrowseTest, NewVoucherIsAddedAsTheLastRowAndSelected) {
    FrmMaster& m = open();
    const int rows = m.GrdMaster.Rows();
    insertVoucher(demo, 301, "20261206");
    idj::ctx().GStrMasterNewEditFlag = "N";
    idj::UpdateEditedRow("JournalTransID=301", 301);
    forms::FlexGrid& g = m.GrdMaster;
    ASSERT_EQ(g.Rows(), rows + 1);
    EXPECT_EQ(g.TextMatrix(rows, 0), "301");
    EXPECT_EQ(g.TextMatrix(rows, 1), "IDJ/301");
    EXPECT_EQ(g.TextMatrix(rows, 3), "Receipt");
    EXPECT_EQ(g.TextMatrix(rows, 7), "Yes");
    EXPECT_EQ(g.Row(), rows);
    EXPECT_EQ(g.TopRow(), rows);
    EXPECT_EQ(g.ColSel(), 7);
}

TEST_F(BrowseTest, VoucherOutsideTheListIsNotAdded) {
    FrmMaster& m = open();
    const int rows = m.GrdMaster.Rows();
    insertVoucher(demo, 301, "20240101"); // before the look-back
    idj::ctx().GStrMasterNewEditFlag = "N";
    idj::UpdateEditedRow("JournalTransID=301", 301);
    EXPECT_EQ(m.GrdMaster.Rows(), rows);
}

TEST_F(BrowseTest, EditedVoucherRewritesTheCurrentRowButNotItsIdentifier) {
    FrmMaster& m = open();
    select(m, 284);
    const int row = m.GrdMaster.Row();
    demo.exec(
        "update InterDivisionJournalTransHeader set JournalNo='IDJ/284-B', Cancelled=1 where companyid=1 and "
        "JournalTransID=284");
    idj::ctx().GStrMasterNewEditFlag = "E";
    idj::UpdateEditedRow("JournalTransID=284", 0);
    EXPECT_EQ(m.GrdMaster.TextMatrix(row, 0), "284");
    EXPECT_EQ(m.GrdMaster.TextMatrix(row, 1), "IDJ/284-B");
    EXPECT_EQ(m.GrdMaster.TextMatrix(row, 5), "Yes");
}

TEST_F(BrowseTest, NullFieldsRefreshAsEmptyText) {
    FrmMaster& m = open();
    select(m, 284);
    demo.exec("update InterDivisionJournalTransHeader set TypeSeriallNO=NULL where companyid=1 and "
              "JournalTransID=284");
    idj::ctx().GStrMasterNewEditFlag = "E";
    idj::UpdateEditedRow("JournalTransID=284", 0);
    EXPECT_EQ(m.GrdMaster.TextMatrix(m.GrdMaster.Row(), 4), "");
}

TEST_F(BrowseTest, FreezeDateBelongsToTheFrozenPeriod) {
    open();
    std::string freeze = demo.scalar("select AccountsFreezeDate from MiscSettings");
    rt::Date d = *rt::parseDate(freeze);
    EXPECT_TRUE(idj::IsFrozenDate(d));
    EXPECT_TRUE(idj::IsFrozenDate(rt::addDays(d, -30)));
    EXPECT_FALSE(idj::IsFrozenDate(rt::addDays(d, 1)));
    demo.exec("update MiscSettings set AccountsFreezeDate = NULL");
    EXPECT_FALSE(idj::IsFrozenDate(d));
    demo.exec("update MiscSettings set AccountsFreezeDate = ''");
    EXPECT_FALSE(idj::IsFrozenDate(d));
}

TEST_F(BrowseTest, UserDepartmentsBecomeAnInFilter) {
    open();
    idj::LoadUserDepartments();
    EXPECT_EQ(idj::ctx().GStrUserDepartments, " IN (1,2,3,4,5,6)");
    idj::ctx().intuserid = db::demo::kClerk;
    idj::LoadUserDepartments();
    EXPECT_EQ(idj::ctx().GStrUserDepartments, " IN (1,2)");
    idj::ctx().intuserid = db::demo::kAuditor;
    idj::LoadUserDepartments();
    EXPECT_EQ(idj::ctx().GStrUserDepartments, " IN (0)");
}
