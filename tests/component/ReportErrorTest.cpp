#include "StubbedServices.h"

#include "browser/FrmMaster.h"
#include "component/ReportError.h"
#include "forms/ScriptedHost.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

using componenttest::StubbedServices;

TEST(ShortenErrorNumber, KeepsTheLastFiveDecimalCharacters) {
    // Five characters with the sign: -1234 stays, -12345 loses it.
    const std::pair<int32_t, int32_t> cases[] = {
        {-2147217873, 17873}, {-2147467259, 67259}, {3021, 3021}, {-5, -5},
        {-1234, -1234},       {-12345, 12345},      {2100000, 0}};
    for (const auto& [number, shortened] : cases)
        EXPECT_EQ(idj::shortenErrorNumber(number), shortened) << number;
}

namespace {

using Texts = std::vector<std::string>;

Texts texts(const std::vector<rt::Variant>& args) {
    Texts out;
    for (const rt::Variant& v : args)
        out.push_back(rt::CStr(v));
    return out;
}

struct ReportErrorTest : ::testing::Test {
    testsupport::DemoDb demo;
    forms::ScriptedHost host;

    void SetUp() override {
        forms::setHost(&host);
        testsupport::resetContext(db::demo::kCompany, db::demo::kAdmin, db::demo::kCurrentYear);
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
    EXPECT_EQ(texts(a), (Texts{"FrmMaster", "clerk", "GridPopulate", "17873", "Microsoft OLE DB Provider",
                               "Constraint failed", "E", "True"}));
    EXPECT_EQ(a[3].type(), rt::Variant::Type::Long);
    EXPECT_EQ(a[7].type(), rt::Variant::Type::Boolean);
    EXPECT_TRUE(host.messages.empty()) << "the component shows nothing of its own";

    // An unknown user still gets the report, under no name.
    StubbedServices unknown(false);
    number = 3021;
    idj::ReportError("basJournal", 99, "GetFreezeDate", number, "src", "No current record", "", -1);
    EXPECT_EQ(number, 3021);
    ASSERT_EQ(unknown.calls->size(), 1u);
    EXPECT_EQ(rt::CStr(unknown.calls->front().args[1]), "");
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
    EXPECT_EQ(testsupport::errorOf(
                  [&] { idj::ReportError("FrmMaster", 1, "Form_Load", number, "s", "d", "", -1); }),
              rt::errCannotCreateObject);
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
    EXPECT_EQ(texts(stubs.calls->at(0).args),
              (Texts{"frmJournal", "dubai", "cmdOK_Click", "17873", "Microsoft OLE DB Provider",
                     "UNIQUE constraint failed", "N", "True"}));
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
