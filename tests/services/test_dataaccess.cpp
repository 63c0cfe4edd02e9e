#include "SampleForm.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

namespace {

struct DataAccessTest : ::testing::Test {
    testsupport::DemoDb demo;
    rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");

    void SetUp() override { automation::set(data, "adocon", demo.conn); }

    rt::Variant field(const std::string& table, const std::string& name, const std::string& condition = {}) {
        automation::let(data, "strTableName", table);
        if (condition.empty()) return automation::callv(data, "fnreturnfield", name);
        return automation::callv(data, "fnreturnfield", name, condition);
    }
};

TEST_F(DataAccessTest, ReturnsTheFieldOfTheFirstRow) {
    EXPECT_EQ(rt::CStr(field("ausers where userid=2", "username")), "clerk");
    EXPECT_EQ(rt::CStr(field("ausers", "username", "userid = 3")), "dubai");
    EXPECT_EQ(rt::CLng(field("ausers", "count(*)")), 4);
    EXPECT_EQ(
        rt::CLng(field(
            "AACCOUNTMASTER a, agroupmaster g", "count(*)",
            "g.groupid = a.groupid and g.companyid = a.companyid and a.CompanyID = 1 and g.groupid = 1")),
        3);
    EXPECT_EQ(rt::CStr(automation::get(data, "strTableName")), "AACCOUNTMASTER a, agroupmaster g");
}

TEST_F(DataAccessTest, NoRowIsEmptyAndANullColumnIsNull) {
    rt::Variant none = field("ausers where userid=99", "username");
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(rt::Val(none), 0) << "callers read it as 0";

    rt::Variant null = field("aPrefix", "shopid", "CompanyID = 1 and Prefix = 'IDJ/'");
    EXPECT_TRUE(null.isNull());
}

TEST_F(DataAccessTest, AnEmptyConditionAddsNoWhere) {
    EXPECT_EQ(rt::CLng(field("ausers", "count(*)", "  ")), 4);
}

TEST_F(DataAccessTest, WithoutAConnectionItRaises91) {
    auto fresh = automation::CreateObject("BaseServices.clsDataAccess");
    automation::let(fresh, "strTableName", "ausers");
    try {
        automation::callv(fresh, "fnreturnfield", "username");
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::errObjectNotSet);
    }
}

TEST_F(DataAccessTest, AStatementTheDatabaseRefusesRaisesToTheCaller) {
    EXPECT_THROW(field("nosuchtable", "x"), rt::Error);
}

TEST_F(DataAccessTest, PopulateReplacesTheEntriesInTheQuerysOrder) {
    auto form = servicetest::SampleForm::create();
    forms::ComboBox& combo = form->cboDepartment;
    combo.AddItem("left over");

    automation::let(data, "strTableName", "adepartmentmaster");
    automation::callv(data, "populatecomboorlist", combo.ref(), "DepartmentID", "DepartmentName",
                      "CompanyID = 1 and DepartmentID  IN (1,2,3) order by DepartmentName");
    ASSERT_EQ(combo.ListCount(), 3);
    EXPECT_EQ(combo.List(0), "Dubai Branch");
    EXPECT_EQ(combo.ItemData(0), 3);
    EXPECT_EQ(combo.List(1), "Export Division");
    EXPECT_EQ(combo.ItemData(1), 2);
    EXPECT_EQ(combo.List(2), "Head Office");
    EXPECT_EQ(combo.ItemData(2), 1);
    EXPECT_EQ(combo.ListIndex(), -1);
}

TEST_F(DataAccessTest, PopulateTakesADistinctIdField) {
    auto form = servicetest::SampleForm::create();
    forms::ComboBox& combo = form->cboDepartment;
    automation::let(data, "strTableName", "AACCOUNTMASTER");
    automation::callv(data, "populatecomboorlist", combo.ref(), " distinct CompanyID", "'Company'",
                      "active = 1 order by CompanyID");
    ASSERT_EQ(combo.ListCount(), 2);
    EXPECT_EQ(combo.ItemData(0), 1);
    EXPECT_EQ(combo.ItemData(1), 2);
}

} // namespace
