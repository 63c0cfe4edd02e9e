#include "SampleForm.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "services/ActivityLog.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

namespace {

struct ActivityLogTest : ::testing::Test {
    testsupport::DemoDb demo;
    rt::ObjectPtr log = automation::CreateObject("ActivityLog.clsActivityLog");
    std::shared_ptr<servicetest::SampleForm> form = servicetest::SampleForm::create();
    rt::Date opened = rt::makeDate(2026, 12, 6, 9, 30, 0);

    void open() {
        automation::callv(log, "OpenObject", rt::ObjectPtr(demo.conn), int16_t{1}, int16_t{2}, int16_t{3},
                          int16_t{5029}, opened);
    }
    std::string count(const std::string& where = "1=1") {
        return demo.scalar("SELECT count(*) FROM aActivityLog WHERE " + where);
    }
};

TEST_F(ActivityLogTest, OpeningIsRecordedWithTheSession) {
    open();
    EXPECT_EQ(count(), "1");
    EXPECT_EQ(demo.scalar(
                  "SELECT CompanyID || '/' || UserID || '/' || DepartmentID || '/' || InterfaceID || '/' || "
                  "ActionCode FROM aActivityLog"),
              "1/2/3/5029/O");
    EXPECT_EQ(demo.scalar("SELECT LoggedTime FROM aActivityLog"), "20261206 09:30:00");
    EXPECT_EQ(rt::CDate(automation::get(log, "LoggedTime")), opened);
}

TEST_F(ActivityLogTest, AnActionIsRecordedWithItsLoggedTime) {
    open();
    rt::Date before = rt::makeDate(2026, 12, 6, 10, 0, 0);
    automation::let(log, "LoggedTime", before);
    automation::callv(log, "SaveActivityLogInfo", int32_t{42}, "IDJ/O'Neil/42", true, "D");
    EXPECT_EQ(count("ActionCode = 'D'"), "1");
    EXPECT_EQ(demo.scalar("SELECT VoucherID || ' ' || VoucherNo || ' ' || LoggedTime FROM aActivityLog "
                          "WHERE ActionCode = 'D'"),
              "42 IDJ/O'Neil/42 20261206 10:00:00");
    EXPECT_EQ(
        demo.scalar("SELECT count(*) FROM aActivityLog WHERE ActionCode = 'D' AND WindowSnapshot IS NULL"),
        "1");
}

TEST_F(ActivityLogTest, ARecordJoinsTheCallersTransaction) {
    open();
    demo.conn->BeginTrans();
    automation::callv(log, "SaveActivityLogInfo", int32_t{7}, "IDJ/7", true, "C");
    demo.conn->RollbackTrans();
    EXPECT_EQ(count("ActionCode = 'C'"), "0");
}

TEST_F(ActivityLogTest, BeforeOpenObjectThereIsNoConnection) {
    try {
        automation::callv(log, "SaveActivityLogInfo", int32_t{7}, "IDJ/7", true, "C");
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::errObjectNotSet);
    }
}

TEST_F(ActivityLogTest, OnAnUnopenedConnectionTheOpeningFails) {
    auto closed = ado::Connection::create();
    EXPECT_THROW(automation::callv(log, "OpenObject", rt::ObjectPtr(closed), int16_t{1}, int16_t{1},
                                   int16_t{0}, int16_t{5029}, opened),
                 rt::Error);
}

TEST_F(ActivityLogTest, DataChangedComparesEveryInputControlWithItsTag) {
    form->txtRemarks.setText("Monthly transfer");
    form->cboDepartment.AddItem("Head Office");
    form->cboDepartment.setListIndex(0);
    form->optDebit.setValue(true);
    form->dtpDate.setValue(rt::makeDate(2026, 4, 1));
    form->lvwLines.Add("1").setSubItem(1, "Head Office");

    automation::callv(log, "SaveInToTag", rt::ObjectPtr(form));
    EXPECT_EQ(form->txtRemarks.Tag, "Monthly transfer");
    EXPECT_EQ(form->optDebit.Tag, "True");
    EXPECT_FALSE(rt::CBool(automation::callv(log, "DataChanged", rt::ObjectPtr(form))));
    EXPECT_TRUE(form->lblRemarks.Tag.empty()) << "labels are not inputs";

    struct Change {
        const char* what;
        std::function<void()> make;
    };
    std::vector<Change> changes = {
        {"text", [&] { form->txtAmount.setText("5"); }},
        {"combo", [&] { form->cboDepartment.setText("Head"); }},
        {"check", [&] { form->Chconfirm.setValue(1); }},
        {"option", [&] { form->optCredit.setValue(true); }},
        {"date", [&] { form->dtpDate.setValue(rt::makeDate(2026, 4, 2)); }},
        {"list", [&] { form->lvwLines.Item(1).setSubItem(4, "100.00"); }},
        {"tag", [&] { form->txtRemarks.Tag = "Changed"; }},
    };
    for (const Change& c : changes) {
        automation::callv(log, "SaveInToTag", rt::ObjectPtr(form));
        c.make();
        EXPECT_TRUE(rt::CBool(automation::callv(log, "DataChanged", rt::ObjectPtr(form)))) << c.what;
    }
}

TEST_F(ActivityLogTest, ASaveRecordsTheChangedControls) {
    open();
    form->txtRemarks.setText("Old");
    automation::callv(log, "SaveInToTag", rt::ObjectPtr(form));
    form->txtRemarks.setText("New remarks");
    form->Chconfirm.setValue(1);
    automation::callv(log, "SaveActivityLogInfo", int32_t{301}, "IDJ/301", true, "E", rt::ObjectPtr(form));
    EXPECT_EQ(demo.scalar("SELECT WindowSnapshot FROM aActivityLog WHERE ActionCode = 'E'"),
              "txtRemarks=New remarks; Chconfirm=1");
}

} // namespace
