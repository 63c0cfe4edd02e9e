#include "test_reporterror_stubs.h"

#include "browser/FrmMaster.h"
#include "component/ReportError.h"
#include "forms/ScriptedHost.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

using componenttest::StubbedServices;

TEST(ShortenErrorNumber, KeepsTheLastFiveDecimalCharacters) {
    EXPECT_EQ(idj::shortenErrorNumber(-2147217873), 17873);
    EXPECT_EQ(idj::shortenErrorNumber(-2147217900), 17900);
    EXPECT_EQ(idj::shortenErrorNumber(-2147467259), 67259);
    EXPECT_EQ(idj::shortenErrorNumber(3021), 3021);
    EXPECT_EQ(idj::shortenErrorNumber(91), 91);
    EXPECT_EQ(idj::shortenErrorNumber(-5), -5);
    EXPECT_EQ(idj::shortenErrorNumber(-1234), -1234) << "five characters with the sign";
    EXPECT_EQ(idj::shortenErrorNumber(-12345), 12345);
    EXPECT_EQ(idj::shortenErrorNumber(2100000), 0);
}

namespace {

struct ReportErrorTest : ::testing::Test {
    testsupport::DemoDb demo;
    forms::ScriptedHost host;

    void SetUp() override {
        forms::setHost(&host);
        testsupport::resetContext(1, 1, 3);
        idj::FrmMaster::instance().adocon = demo.conn;
    }
    void TearDown() override {
        idj::FrmMaster::instance().adocon = nullptr;
        services::setSuiteConnection(nullptr);
        forms::setHost(nullptr);
    }
};

} // namespace

TEST_F(ReportErrorTest, PassesTheFaultWithTheUsersNameToErrorTrack) {
    StubbedServices stubs;
    int32_t number = -2147217873;
    idj::ReportError("FrmMaster", 2, "GridPopulate", number, "Microsoft OLE DB Provider", "Constraint failed",
                     "E", -1);
    EXPECT_EQ(number, 17873) << "the caller's variable holds the shortened number";

    ASSERT_EQ(stubs.calls->size(), 1u);
    const std::vector<rt::Variant>& a = stubs.calls->front().args;
    ASSERT_EQ(a.size(), 8u);
    EXPECT_EQ(rt::CStr(a[0]), "FrmMaster");
    EXPECT_EQ(rt::CStr(a[1]), "clerk");
    EXPECT_EQ(rt::CStr(a[2]), "GridPopulate");
    EXPECT_EQ(a[3].type(), rt::Variant::Type::Long);
    EXPECT_EQ(rt::CLng(a[3]), 17873);
    EXPECT_EQ(rt::CStr(a[4]), "Microsoft OLE DB Provider");
    EXPECT_EQ(rt::CStr(a[5]), "Constraint failed");
    EXPECT_EQ(rt::CStr(a[6]), "E");
    EXPECT_EQ(a[7].type(), rt::Variant::Type::Boolean);
    EXPECT_TRUE(rt::CBool(a[7]));
    EXPECT_TRUE(host.messages.empty()) << "the component shows nothing of its own";
}

TEST_F(ReportErrorTest, AnUnknownUserStillGetsTheReport) {
    StubbedServices stubs(false);
    int32_t number = 3021;
    idj::ReportError("basJournal", 99, "GetFreezeDate", number, "src", "No current record", "", -1);
    EXPECT_EQ(number, 3021);
    ASSERT_EQ(stubs.calls->size(), 1u);
    EXPECT_EQ(rt::CStr(stubs.calls->front().args[1]), "");
}

TEST_F(ReportErrorTest, HasNoTrapOfItsOwn) {
    StubbedServices stubs;
    // No connection in the browse window: the user lookup fails, and that reaches the caller.
    idj::FrmMaster::instance().adocon = nullptr;
    int32_t number = 91;
    EXPECT_THROW(idj::ReportError("FrmMaster", 1, "Form_Load", number, "s", "d", "", -1), rt::Error);
    EXPECT_TRUE(stubs.calls->empty());

    // A fault service that cannot be created.
    automation::registerClass("FaultReport.FaultDetails", [] { return rt::ObjectPtr(); });
    try {
        idj::ReportError("FrmMaster", 1, "Form_Load", number, "s", "d", "", -1);
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::errCannotCreateObject);
    }
}

TEST_F(ReportErrorTest, TrappedErrorsAreReportedWithTheWorkingContext) {
    StubbedServices stubs;
    idj::ctx().intuserid = 3;
    idj::ctx().GStrMasterNewEditFlag = "N";
    bool ok = idj::trapped("frmJournal", "cmdOK_Click", [] {
        throw rt::Error(rt::errProviderConstraint, "Microsoft OLE DB Provider", "UNIQUE constraint failed");
    });
    EXPECT_FALSE(ok);
    ok = idj::trapped("frmJournal", "FillTotal", [] { throw std::out_of_range("vector index"); });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(idj::trapped("frmJournal", "FillTotal", [] {}));

    ASSERT_EQ(stubs.calls->size(), 2u);
    const auto& first = stubs.calls->at(0).args;
    EXPECT_EQ(rt::CStr(first[0]), "frmJournal");
    EXPECT_EQ(rt::CStr(first[1]), "dubai");
    EXPECT_EQ(rt::CStr(first[2]), "cmdOK_Click");
    EXPECT_EQ(rt::CLng(first[3]), 17873);
    EXPECT_EQ(rt::CStr(first[6]), "N");
    const auto& second = stubs.calls->at(1).args;
    EXPECT_EQ(rt::CLng(second[3]), rt::errInvalidProcedureCall);
    EXPECT_EQ(rt::CStr(second[5]), "vector index");
}

TEST_F(ReportErrorTest, TrappedWithRollbackUndoesOnlyWhatTheBodyOpened) {
    StubbedServices stubs;
    auto count = [&] { return demo.scalar("select count(*) from aPrefix where Prefix like 'T%'"); };
    const std::string before = count();
    demo.conn->BeginTrans(); // the caller's own
    demo.conn->Execute("update aPrefix set Prefix='T1' where rowid=(select min(rowid) from aPrefix)");
    const bool ok = idj::trappedWithRollback("FrmMaster", "CmdDelete_Click ", demo.conn, [&] {
        demo.conn->BeginTrans();
        demo.conn->Execute("update aPrefix set Prefix='T2'");
        throw std::out_of_range("row index");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(demo.conn->TransactionLevel(), 1);
    EXPECT_EQ(count(), "1") << "the caller's change stays, the body's is gone";
    demo.conn->RollbackTrans();
    EXPECT_EQ(count(), before);
    ASSERT_EQ(stubs.calls->size(), 1u);
    EXPECT_EQ(rt::CStr(stubs.calls->front().args[2]), "CmdDelete_Click ");
    EXPECT_EQ(rt::CStr(stubs.calls->front().args[5]), "row index");

    // A body that opened nothing and failed: reported, nothing else rolled back.
    demo.conn->BeginTrans();
    EXPECT_FALSE(
        idj::trappedWithRollback("FrmMaster", "x", demo.conn, [] { throw rt::Error(91, "s", "d"); }));
    EXPECT_EQ(demo.conn->TransactionLevel(), 1);
    demo.conn->RollbackTrans();
    EXPECT_TRUE(idj::trappedWithRollback("FrmMaster", "x", demo.conn, [] {}));
    EXPECT_EQ(stubs.calls->size(), 2u);
}

TEST_F(ReportErrorTest, TheRealFaultServiceRecordsAndShowsTheFault) {
    services::setSuiteConnection(demo.conn);
    int32_t number = -2147217900;
    idj::ReportError("FrmMaster", 1, "CmdDelete_Click", number, "Provider", "Syntax error", "E", -1);
    EXPECT_EQ(demo.scalar("SELECT UserName || ' ' || RoutineName || ' ' || ErrorNumber FROM aFaultLog"),
              "admin CmdDelete_Click 17900");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.lastMessage().find("Syntax error"), std::string::npos);
}
