#include "services/FaultDetails.h"
#include "automation/Automation.h"
#include "forms/ScriptedHost.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

namespace {

struct FaultDetailsTest : ::testing::Test {
    testsupport::DemoDb demo;
    forms::ScriptedHost host;
    rt::ObjectPtr fault = automation::CreateObject("FaultReport.FaultDetails");

    void SetUp() override { forms::setHost(&host); }
    void TearDown() override {
        forms::setHost(nullptr);
        services::setSuiteConnection(nullptr);
    }
    bool track() {
        std::vector<rt::Variant> args{
            "FrmMaster", "admin", "GridPopulate", int32_t{17873}, "Provider", "Violation of constraint",
            "E",         true};
        return rt::CBool(automation::call(fault, "ErrorTrack", args));
    }
};

TEST_F(FaultDetailsTest, RecordsTheFaultAndShowsItOrSaysItWasNotRecorded) {
    services::setSuiteConnection(demo.conn);
    EXPECT_TRUE(track());
    EXPECT_EQ(
        demo.scalar("SELECT ModuleName || '|' || UserName || '|' || RoutineName || '|' || ErrorNumber || '|' "
                    "|| ErrorSource || '|' || ErrorDescription || '|' || EntryMode FROM aFaultLog"),
        "FrmMaster|admin|GridPopulate|17873|Provider|Violation of constraint|E");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].buttons & forms::vbCritical, forms::vbCritical);
    for (const char* part : {"FrmMaster", "GridPopulate", "17873", "Violation of constraint"})
        EXPECT_NE(host.lastMessage().find(part), std::string::npos) << part;
    EXPECT_EQ(host.lastMessage().find("not recorded"), std::string::npos);

    // A fault that cannot be recorded is still shown, and says so.
    services::setSuiteConnection(nullptr);
    EXPECT_TRUE(track());
    EXPECT_NE(host.lastMessage().find("not recorded"), std::string::npos);
    demo.exec("DROP TABLE aFaultLog");
    automation::set(fault, "adocon", demo.conn);
    EXPECT_TRUE(track());
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_NE(host.lastMessage().find("could not be recorded"), std::string::npos);
}

} // namespace
