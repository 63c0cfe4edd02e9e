// The demo database made by the host program's --db on either backend: the same rows, read
// through the data layer with the component's own kind of text.
#include "ado/BackendFixture.h"
#include "db/Seeder.h"
#include "runtime/Convert.h"
#include "runtime/Date.h"

#include <gtest/gtest.h>

namespace {

using namespace db::demo;

class DemoDatabase : public adotest::BackendFixture {
  protected:
    void SetUp() override {
        // A server database must exist before it is seeded; an SQLite file must not.
        if (onServer()) BackendFixture::SetUp();
        created = db::ensureDemoDatabase(target(), process);
        if (!onServer()) BackendFixture::SetUp();
    }
    long number(const std::string& sql, const ado::Params& params = {}) {
        return rt::CLng(scalar(sql, params));
    }

    rt::Date process = rt::makeDate(2025, 1, 15);
    bool created = false;
};

TEST_P(DemoDatabase, IsSeededOnceWithTheWholeDemo) {
    EXPECT_TRUE(created);
    EXPECT_FALSE(db::ensureDemoDatabase(target(), process)); // never seeded over
    EXPECT_EQ(number("SELECT COUNT(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1"),
              kVoucherCount);
    EXPECT_EQ(number("select count(*) from interdivisionjournaltransheader (nolock) where companyid = 2"),
              kSecondVoucherCount);
    EXPECT_EQ(number("SELECT COUNT(*) FROM InterDivisionJournalTransDetails WHERE CompanyID = 1 AND "
                     "JournalTransID = " +
                     std::to_string(kTwelveLineVoucher)),
              12);
}

TEST_P(DemoDatabase, OpenedAgainGainsTheServerFunctionsItLacks) {
    if (onServer()) exec("DROP FUNCTION ss_compare(text, text)");
    EXPECT_FALSE(db::ensureDemoDatabase(target(), process));
    EXPECT_EQ(number("SELECT COUNT(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                     "'IDJ' = 'idj'"),
              kVoucherCount);
}

TEST_P(DemoDatabase, ReadsBackWithTheTypesOfSqlite) {
    auto rs =
        open("SELECT TOP 1 JournalTransDate, JournalNo, Amount FROM InterDivisionJournalTransHeader h "
             "JOIN InterDivisionJournalTransDetails d ON d.CompanyID = h.CompanyID AND d.JournalTransID "
             "= h.JournalTransID WHERE h.CompanyID = ? ORDER BY h.JournalTransID",
             ado::adOpenStatic, ado::adLockReadOnly, {1});
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ((*rs)[0].type(), rt::Variant::Type::Date);
    EXPECT_EQ((*rs)[1].type(), rt::Variant::Type::String);
    EXPECT_EQ((*rs)[2].type(), rt::Variant::Type::Double);
    // Journal numbers compare without regard to case.
    EXPECT_EQ(number("SELECT COUNT(*) FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND "
                     "JournalNo = ?",
                     {std::string("idj/288")}),
              1);
}

TEST_P(DemoDatabase, KeysLeftOutOfAnInsertFollowTheSeededOnes) {
    long before = number("SELECT isnull(max(ActivityID), 0) FROM aActivityLog");
    conn->Execute("INSERT INTO aActivityLog (CompanyID, UserID, InterfaceID, ActionCode, LoggedTime) "
                  "VALUES (1, 1, 5029, 'X', '20250115 10:00:00')");
    conn->Execute("INSERT INTO aFaultLog (FaultTime, ModuleName) VALUES ('20250115 10:00:00', 'm')");
    EXPECT_EQ(number("SELECT max(ActivityID) FROM aActivityLog"), before + 1);
    EXPECT_EQ(number("SELECT COUNT(*) FROM aFaultLog WHERE FaultID IS NOT NULL"),
              number("SELECT COUNT(*) FROM aFaultLog"));
}

IDJ_INSTANTIATE_ON_BACKENDS(DemoDatabase);

} // namespace
