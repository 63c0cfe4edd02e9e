// The journal numbering and the type serial read through their indexes give what their
// statements give over all stored numbers, whatever those numbers look like, on SQLite and on
// the server.
#include "VoucherFixture.h"
#include "db/Schema.h"
#include "support/OnBackends.h"
#include "voucher/JournalNumbers.h"

#include <sqlite3.h>

namespace vouchertest {
namespace {

class NumberingIndexTest : public testsupport::DemoBackendChoice,
                           public VoucherTest,
                           public testing::WithParamInterface<adotest::BackendId> {
  protected:
    int nextId = 1000;
    void insert(int company, const std::string& number, const std::string& type = "JO") {
        db.conn->Execute(
            "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
            "JournalTransDate, Remarks, Cancelled, Posted, FinancialID, Type, Confirm, "
            "TypeSeriallNO, DepartmentID) values (?, ?, ?, '20261201', 'r', 0, 0, 3, ?, 0, 'x', 1)",
            {int32_t(++nextId), int32_t(company), number, type});
    }
    // The value, or "error" when the reading raises.
    template <class F> static std::string outcome(F read) {
        try {
            return std::to_string(read());
        } catch (const rt::Error&) {
            return "error";
        }
    }
    std::string countByStatement(int company, const std::string& type) {
        return db.scalar("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Type ='" + type +
                         "' and companyid= " + std::to_string(company));
    }
};

TEST_P(NumberingIndexTest, HighestRunningNumberIsTheStatementsForEveryPrefixAndCompany) {
    using demo::kCompany, demo::kSecondCompany, demo::kCompanyWithoutSettings;
    for (const char* n : {"IDJ/5",
                          "IDJ/0042",
                          "idj/50",
                          "IDJ/7 ",
                          "IDJ/12A",
                          "IDJ/",
                          "IDJ/-3",
                          "IDJ/ 9",
                          "EXP/IDJ/77",
                          "77",
                          "IDJ77",
                          "Idj/88",
                          "IDJ/4 5",
                          "JV/999999999",
                          "IDJ/1234567890",
                          "ERR/1.5",
                          "\xC3\x84"
                          "DJ/3",
                          "IDJ/4/2",
                          "IDJ/1e3",
                          "X/8",
                          "X/ 8 ",
                          "x/10"})
        insert(kCompanyWithoutSettings, n);
    insert(kCompany, "idj/400");
    insert(kCompany, "IDJ/0299");
    insert(kCompany, "IDJ/3000 ");
    insert(kSecondCompany, "IDJ/9999");
    insert(kSecondCompany, "5");

    int compared = 0;
    for (int16_t company : {kCompany, kSecondCompany, kCompanyWithoutSettings, int16_t{9}})
        for (const char* prefix :
             {"IDJ/", "idj/", "", "IDJ", "IDJ/4", "EXP/IDJ/", "JV/", "IDJ/ ", "ERR/", "X/", "Idj/",
              "\xC3\x84"
              "DJ/",
              "Q#"}) {
            const auto c = static_cast<int16_t>(company);
            EXPECT_EQ(outcome([&] { return idj::highestRunningNumber(db.conn, c, prefix); }),
                      outcome([&] { return idj::highestRunningNumberByStatement(db.conn, c, prefix); }))
                << "company " << company << ", prefix '" << prefix << "'";
            ++compared;
        }
    EXPECT_EQ(compared, 52);
}

TEST_P(NumberingIndexTest, ManyOddNumbersAreJudgedByTheStatementAlone) {
    for (int k = 0; k < 250; ++k)
        insert(demo::kCompanyWithoutSettings, "idj/" + std::to_string(k));
    insert(demo::kCompanyWithoutSettings, "IDJ/260");
    for (const char* prefix : {"IDJ/", "idj/", ""})
        EXPECT_EQ(idj::highestRunningNumber(db.conn, demo::kCompanyWithoutSettings, prefix),
                  idj::highestRunningNumberByStatement(db.conn, demo::kCompanyWithoutSettings, prefix))
            << prefix;
}

TEST_P(NumberingIndexTest, TypeCountFollowsInsertsChangesAndDeletions) {
    const int16_t c = demo::kCompanyWithoutSettings;
    for (const char* type : {"JO", "jo", "Jo ", "PA", "RE", "XX", "CA", " C"})
        insert(c, "1", type);
    insert(demo::kCompany, "1", "RE");
    db.exec("update InterDivisionJournalTransHeader set Type = 'PA' where CompanyID = 3 and Type = 'XX'");
    db.exec("update InterDivisionJournalTransHeader set CompanyID = 3 where CompanyID = 1 and "
            "JournalTransID = 5");
    db.exec("delete from InterDivisionJournalTransHeader where CompanyID = 3 and Type = 'RE'");
    for (int16_t company : {demo::kCompany, demo::kSecondCompany, c})
        for (const char* type : {"JO", "PA", "RE", "CA"})
            EXPECT_EQ(std::to_string(idj::vouchersOfType(db.conn, static_cast<int16_t>(company), type)),
                      countByStatement(company, type))
                << company << " " << type;
}

IDJ_INSTANTIATE_ON_BACKENDS(NumberingIndexTest);

// A database of an earlier version has neither the indexes nor the counts: opening it through
// the demo set-up adds both, with the counts of what is stored.
TEST(NumberingUpgradeTest, AnOlderDatabaseGainsIndexesAndCounts) {
    testsupport::DemoDb old;
    for (const char* drop : {"DROP TABLE InterDivisionJournalTypeCount",
                             "DROP TRIGGER TR_IDJHeader_CountInsert", "DROP TRIGGER TR_IDJHeader_CountDelete",
                             "DROP TRIGGER TR_IDJHeader_CountUpdate", "DROP INDEX IX_IDJHeader_Numbering",
                             "DROP INDEX IX_IDJHeader_OddNumbers", "DROP INDEX IX_IDJHeader_Open"})
        old.exec(drop);
    old.conn->Close();
    EXPECT_FALSE(db::ensureDemoDatabase(old.path(), testsupport::processDate()));
    old.conn->Open(old.path());
    EXPECT_EQ(old.scalar("SELECT count(*) FROM sqlite_master WHERE name IN ('IX_IDJHeader_Numbering', "
                         "'IX_IDJHeader_OddNumbers', 'IX_IDJHeader_Open', 'TR_IDJHeader_CountInsert')"),
              "4");
    const std::string receipts =
        old.scalar("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Type ='RE' and companyid= 1");
    EXPECT_EQ(std::to_string(idj::vouchersOfType(old.conn, demo::kCompany, "RE")), receipts);
    EXPECT_EQ(idj::highestRunningNumber(old.conn, demo::kCompany, "IDJ/"), 300);
    // A second opening changes nothing.
    old.conn->Close();
    EXPECT_FALSE(db::ensureDemoDatabase(old.path(), testsupport::processDate()));
    old.conn->Open(old.path());
    EXPECT_EQ(std::to_string(idj::vouchersOfType(old.conn, demo::kCompany, "RE")), receipts);
}

// The same for a server database made before the numbering keys: opening it adds the indexes
// and the functions that read them.
class NumberingUpgradeOnServer : public testsupport::DemoBackendChoice,
                                 public testing::TestWithParam<adotest::BackendId> {};

TEST_P(NumberingUpgradeOnServer, AnOlderServerDatabaseGainsTheNumberingKeys) {
    testsupport::DemoDb old;
    for (const char* drop : {"DROP FUNCTION idj_highest_running_number(integer, text)",
                             "DROP FUNCTION idj_odd_numbers(integer, integer)",
                             "DROP INDEX IX_IDJHeader_Numbering", "DROP INDEX IX_IDJHeader_OddNumbers"})
        old.conn->ExecuteNative(drop);
    EXPECT_THROW(idj::highestRunningNumber(old.conn, demo::kCompany, "IDJ/"), rt::Error);
    old.conn->Close();
    EXPECT_FALSE(db::ensureDemoDatabase(old.path(), testsupport::processDate()));
    old.conn->Open(old.path());
    EXPECT_EQ(
        old.scalar("SELECT count(*) FROM pg_indexes WHERE schemaname = current_schema() AND indexname IN "
                   "('ix_idjheader_numbering', 'ix_idjheader_oddnumbers')"),
        "2");
    EXPECT_EQ(idj::highestRunningNumber(old.conn, demo::kCompany, "IDJ/"), 300);
}

INSTANTIATE_TEST_SUITE_P(Postgres, NumberingUpgradeOnServer, testing::Values(adotest::BackendId::Postgres),
                         adotest::backendName);

} // namespace
} // namespace vouchertest
