#include "StubbedServices.h"

#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/clsJournal.h"
#include "forms/ScriptedHost.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

using idj::clsJournal;

namespace {

struct ShowTest : ::testing::Test {
    testsupport::DemoDb demo;
    forms::ScriptedHost host;
    std::shared_ptr<clsJournal> journal = std::make_shared<clsJournal>();

    void SetUp() override {
        forms::setHost(&host);
        idj::ctx() = idj::Context{};
        journal->setIntCompanyID(db::demo::kCompany);
        journal->setIntuserid(db::demo::kAdmin);
        journal->setIntFinancialID(db::demo::kCurrentYear);
        journal->setIntdepartmentid(0);
        journal->setDtProcessDate(testsupport::processDate());
        journal->setStrMsgboxCaption("Accounts Suite");
    }
    void TearDown() override {
        idj::FrmMaster& m = idj::FrmMaster::instance();
        if (m.loaded()) m.Unload();
        m.adocon = nullptr;
        services::setSuiteConnection(nullptr);
        forms::setHost(nullptr);
    }
};

} // namespace

TEST_F(ShowTest, CopiesTheContextAndRunsTheBrowseWindowOnTheHostsConnection) {
    journal->setAdocon(demo.conn);
    bool sawWindow = false;
    host.onShow("FrmMaster", [&](forms::Form& f) {
        sawWindow = f.loaded();
        const idj::Context& c = idj::ctx();
        EXPECT_EQ(std::tie(c.intCompanyID, c.intuserid, c.intFinancialID, c.intdepartmentid),
                  std::make_tuple(db::demo::kCompany, db::demo::kAdmin, db::demo::kCurrentYear, 0));
        EXPECT_EQ(c.dtProcessDate, testsupport::processDate());
        EXPECT_EQ(c.strMsgboxCaption, "Accounts Suite");
        EXPECT_EQ(idj::FrmMaster::instance().adocon, demo.conn);
        EXPECT_EQ(demo.conn->CommandTimeout(), 0);
    });
    automation::callv(journal, "show");
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(host.shown, std::vector<std::string>{"FrmMaster"});
    EXPECT_FALSE(idj::FrmMaster::instance().loaded()) << "show returns when the window is closed";
    EXPECT_EQ(demo.scalar("SELECT count(*) FROM aActivityLog WHERE InterfaceID = 5029"), "1");

    // A second show overwrites the context.
    journal->setIntuserid(db::demo::kClerk);
    journal->show();
    EXPECT_EQ(idj::ctx().intuserid, db::demo::kClerk);
}

TEST_F(ShowTest, TheObjectStaysAliveUntilShowEnds) {
    journal->setAdocon(demo.conn);
    long before = clsJournal::liveCount();
    clsJournal* raw = journal.get();
    host.onShow("FrmMaster", [&](forms::Form&) {
        journal.reset(); // the host lets go while the window is open
        EXPECT_EQ(clsJournal::liveCount(), before);
    });
    raw->show();
    EXPECT_EQ(clsJournal::liveCount(), before - 1);
}

TEST_F(ShowTest, WithAnUnsetConnectionTheFirstStatementFails) {
    {
        componenttest::StubbedServices stubs;
        // The user lookup would fail on the unopened connection too; the stand-in answers it.
        stubs.answerUserName("admin");
        journal->show();
        ASSERT_EQ(stubs.calls->size(), 1u);
        const auto& a = stubs.calls->front().args;
        EXPECT_EQ(rt::CStr(a[0]) + "." + rt::CStr(a[2]) + " " + rt::CStr(a[3]), "FrmMaster.Form_Load 3709");
        EXPECT_EQ(journal->adocon()->CommandTimeout(), 0);
    }
    // With the real services the fault report's own user lookup fails, and that reaches the host.
    const rt::Error e = testsupport::errorRaised([&] { automation::callv(journal, "show"); });
    EXPECT_EQ(e.number(), 3709) << e.description();
    EXPECT_TRUE(host.messages.empty()) << "ErrorTrack was never reached";
}
