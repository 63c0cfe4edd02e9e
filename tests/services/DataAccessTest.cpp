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

TEST_F(DataAccessTest, ReturnsTheFieldOfTheFirstRowEmptyForNoRowAndNullForANullColumn) {
    EXPECT_EQ(rt::CStr(field("ausers where userid=2", "username")), "clerk");
    EXPECT_EQ(rt::CStr(field("ausers", "username", "userid = 3")), "dubai");
    EXPECT_EQ(rt::CLng(field("ausers", "count(*)", "  ")), 4); // a blank condition adds no where

    rt::Variant none = field("ausers where userid=99", "username");
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(rt::Val(none), 0) << "callers read it as 0";
    EXPECT_TRUE(field("aPrefix", "shopid", "CompanyID = 1 and Prefix = 'IDJ/'").isNull());
    EXPECT_THROW(field("nosuchtable", "x"), rt::Error);
}

TEST_F(DataAccessTest, PopulateReplacesTheEntriesInTheQuerysOrder) {
    auto form = servicetest::SampleForm::create();
    forms::ComboBox& combo = form->cboDepartment;
    combo.AddItem("left over");
    automation::let(data, "strTableName", "adepartmentmaster");
    automation::callv(data, "populatecomboorlist", combo.ref(), "DepartmentID", "DepartmentName",
                      "CompanyID = 1 and DepartmentID  IN (1,2,3) order by DepartmentName");
    std::vector<std::pair<std::string, int>> entries;
    for (int i = 0; i < combo.ListCount(); ++i)
        entries.emplace_back(combo.List(i), combo.ItemData(i));
    EXPECT_EQ(entries, (std::vector<std::pair<std::string, int>>{
                           {"Dubai Branch", 3}, {"Export Division", 2}, {"Head Office", 1}}));
    EXPECT_EQ(combo.ListIndex(), -1);
}

} // namespace
