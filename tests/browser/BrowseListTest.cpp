// The browse list as a user sees it after the window loads.
#include "BrowseFixture.h"

TEST_F(BrowseTest, TheListHoldsTheUsersYearAndDepartmentOrOneEmptyRow) {
    FrmMaster& m = open();
    forms::FlexGrid& g = m.GrdMaster;
    {
        SCOPED_TRACE("the current year within the look-back");
        ASSERT_EQ(g.Rows(), 1 + 160); // vouchers 141..300
        ASSERT_EQ(g.Cols(), 8);
        EXPECT_EQ(g.TextMatrix(1, 0), std::to_string(demo::kFirstCurrentYearVoucher));
        EXPECT_EQ(g.TextMatrix(1, 1), "IDJ/141");
        EXPECT_EQ(g.TextMatrix(1, 2), "01/04/2026");
        // The stored type code is shown by name (the demo's types follow the id).
        for (auto [id, type] :
             {std::pair{148, "Payment"}, {151, "Cash Transfer"}, {150, "Receipt"}, {144, "Journal"}})
            EXPECT_EQ(g.TextMatrix(rowOf(m, id), 3), type) << id;
        // The last row is current and selected across all columns.
        EXPECT_EQ(current(m, 0), std::to_string(demo::kVoucherCount));
        EXPECT_EQ(g.ColSel(), 7);
        EXPECT_TRUE(host.messages.empty());
    }
    {
        SCOPED_TRACE("a department's user");
        m.Unload();
        open(demo::kCompany, demo::kDubaiUser, demo::kCurrentYear, demo::kDubaiBranch);
        const int expected = count("departmentid=3 and JournalTransDate >= '20251101'");
        ASSERT_NE(expected, 0);
        EXPECT_EQ(g.Rows() - 1, expected);
        for (int id : ids(m))
            EXPECT_EQ(header(id, "DepartmentID"), "3") << id;
    }
    {
        SCOPED_TRACE("no settings row: the message and an empty grid");
        m.Unload();
        db.exec(
            "update auserrights set FunctionRights='N' where userid=1 and companyid=3 and interfaceid=5029");
        open(demo::kCompanyWithoutSettings);
        EXPECT_EQ(testsupport::prompts(host), std::vector<std::string>{"Data missing in ASETTINGS"});
        EXPECT_EQ(ids(m), std::vector<int>{0});
        // The rights were read before the settings.
        EXPECT_TRUE(m.cmdNew.Enabled);
        EXPECT_FALSE(m.CmdEdit.Enabled || m.CmdDelete.Enabled);
    }
    {
        SCOPED_TRACE("a year without vouchers: no action on the blank row until a voucher fills it");
        m.Unload();
        open(demo::kCompany, demo::kAdmin, /*year without vouchers*/ 9);
        ASSERT_EQ(g.Rows(), 2);
        EXPECT_EQ(ids(m), std::vector<int>{0});
        EXPECT_FALSE(m.CmdEdit.Enabled || m.CmdDelete.Enabled || m.cmdUpdate.Enabled || m.cmdpreview.Enabled);
        db.exec("insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
                "JournalTransDate, Remarks, Cancelled, Posted, FinancialID, Type, Confirm, TypeSeriallNO, "
                "DepartmentID) values (900, 1, 'IDJ/900', '20261201', 'new', 0, 0, 9, 'JO', 0, 'JRN/1', 1)");
        idj::ctx().GStrMasterNewEditFlag = "N";
        idj::UpdateEditedRow("JournalTransID=900", 900);
        EXPECT_EQ(ids(m), std::vector<int>{900});
        m.EnableOrDisableButtons();
        EXPECT_TRUE(m.CmdEdit.Enabled);
        EXPECT_FALSE(m.cmdpreview.Enabled);
    }
}
