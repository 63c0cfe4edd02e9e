#include "SampleForm.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

namespace {

struct ActivityLogTest : ::testing::Test {
    testsupport::DemoDb demo;
    rt::ObjectPtr log = automation::CreateObject("ActivityLog.clsActivityLog");
    std::shared_ptr<servicetest::SampleForm> form = servicetest::SampleForm::create();

    void open() {
        automation::callv(log, "OpenObject", rt::ObjectPtr(demo.conn), int16_t{1}, int16_t{2}, int16_t{3},
                          int16_t{5029}, rt::makeDate(2026, 12, 6, 9, 30, 0));
    }
    bool changed() { return rt::CBool(automation::callv(log, "DataChanged", rt::ObjectPtr(form))); }
};

TEST_F(ActivityLogTest, OpeningAndActionsAreRecordedAndJoinTheCallersTransaction) {
    open();
    automation::let(log, "LoggedTime", rt::makeDate(2026, 12, 6, 10, 0, 0));
    automation::callv(log, "SaveActivityLogInfo", int32_t{42}, "IDJ/O'Neil/42", true, "D");
    demo.conn->BeginTrans();
    automation::callv(log, "SaveActivityLogInfo", int32_t{7}, "IDJ/7", true, "C");
    demo.conn->RollbackTrans();
    EXPECT_EQ(demo.scalar("SELECT group_concat(CompanyID || '/' || UserID || '/' || DepartmentID || '/' || "
                          "InterfaceID || '/' || ActionCode || '/' || ifnull(VoucherNo, '') || '/' || "
                          "LoggedTime, '|') FROM aActivityLog"),
              "1/2/3/5029/O//20261206 09:30:00|1/2/3/5029/D/IDJ/O'Neil/42/20261206 10:00:00");
}

TEST_F(ActivityLogTest, DataChangedComparesEveryInputControlWithItsTag) {
    form->txtRemarks.setText("Monthly transfer");
    form->cboDepartment.AddItem("Head Office");
    form->cboDepartment.setListIndex(0);
    form->optDebit.setValue(true);
    form->dtpDate.setValue(rt::makeDate(2026, 4, 1));
    form->lvwLines.Add("1").setSubItem(1, "Head Office");
    automation::callv(log, "SaveInToTag", rt::ObjectPtr(form));
    EXPECT_FALSE(changed());

    const std::pair<const char*, std::function<void()>> changes[] = {
        {"text", [&] { form->txtAmount.setText("5"); }},
        {"combo", [&] { form->cboDepartment.setText("Head"); }},
        {"check", [&] { form->Chconfirm.setValue(1); }},
        {"option", [&] { form->optCredit.setValue(true); }},
        {"date", [&] { form->dtpDate.setValue(rt::makeDate(2026, 4, 2)); }},
        {"list", [&] { form->lvwLines.Item(1).setSubItem(4, "100.00"); }},
    };
    for (const auto& [what, make] : changes) {
        automation::callv(log, "SaveInToTag", rt::ObjectPtr(form));
        make();
        EXPECT_TRUE(changed()) << what;
    }
}

// Only the changed controls: a long value cut with its breaks as blanks, a list by its start.
TEST_F(ActivityLogTest, ASaveRecordsTheChangedControls) {
    open();
    form->txtRemarks.setText("Old");
    for (int i = 1; i <= 20; ++i)
        form->lvwLines.Add(std::to_string(i)).setSubItem(2, "100.00");
    automation::callv(log, "SaveInToTag", rt::ObjectPtr(form));
    // A list is compared to its last cell.
    form->lvwLines.Item(20).setSubItem(2, "100.01");
    EXPECT_TRUE(changed());
    form->lvwLines.Item(20).setSubItem(2, "100.00");
    EXPECT_FALSE(changed());
    form->lvwLines.Add("21");
    EXPECT_TRUE(changed());
    form->txtRemarks.setText("a\tb\nc" + std::string(60, 'x'));
    form->Chconfirm.setValue(1);
    automation::callv(log, "SaveActivityLogInfo", int32_t{302}, "IDJ/302", true, "E", rt::ObjectPtr(form));
    EXPECT_EQ(demo.scalar("SELECT WindowSnapshot FROM aActivityLog WHERE ActionCode = 'E'"),
              "txtRemarks=a b c" + std::string(35, 'x') +
                  "...; Chconfirm=1; lvwLines=1  100.00 2  100.00 3  100.00 4  100.00 ...");
}

} // namespace
