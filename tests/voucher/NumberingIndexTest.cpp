// The numbering and the type serial read through their indexes give what their statements give,
// whatever the stored numbers look like, on SQLite and on the server.
#include "VoucherFixture.h"
#include "support/OnBackends.h"
#include "voucher/JournalNumbers.h"

namespace vouchertest {
namespace {

using idj::highestRunningNumber, idj::highestRunningNumberByStatement, idj::vouchersOfType;

class NumberingIndexTest : public testsupport::DemoBackendChoice,
                           public VoucherTest,
                           public testing::WithParamInterface<adotest::BackendId> {
  protected:
    int nextId = 1000;
    void insert(int company, const std::string& number, const std::string& type = "JO") {
        insertHeader(company, ++nextId, number, type);
    }
    // The value, or "error" when the reading raises.
    template <class F> static std::string outcome(F read) {
        try {
            return std::to_string(read());
        } catch (const rt::Error&) {
            return "error";
        }
    }
    void expectIndexGivesTheStatements(int16_t company, const std::string& prefix) {
        EXPECT_EQ(outcome([&] { return highestRunningNumber(db.conn, company, prefix); }),
                  outcome([&] { return highestRunningNumberByStatement(db.conn, company, prefix); }))
            << "company " << company << ", prefix '" << prefix << "'";
    }
};

TEST_P(NumberingIndexTest, HighestRunningNumberIsTheStatementsForEveryPrefixAndCompany) {
    using demo::kCompany, demo::kSecondCompany, demo::kCompanyWithoutSettings;
    for (const char* n : {"IDJ/5",   "IDJ/0042",     "idj/50",         "IDJ/7 ",  "IDJ/12A",    "IDJ/",
                          "IDJ/-3",  "IDJ/ 9",       "EXP/IDJ/77",     "77",      "IDJ77",      "Idj/88",
                          "IDJ/4 5", "JV/999999999", "IDJ/1234567890", "ERR/1.5", "\u00C4DJ/3", "IDJ/4/2",
                          "IDJ/1e3", "X/8",          "X/ 8 ",          "x/10"})
        insert(kCompanyWithoutSettings, n);
    for (const char* n : {"idj/400", "IDJ/0299", "IDJ/3000 "})
        insert(kCompany, n);
    insert(kSecondCompany, "IDJ/9999");
    insert(kSecondCompany, "5");
    for (int16_t company : {kCompany, kSecondCompany, kCompanyWithoutSettings, int16_t{9}})
        for (const char* prefix : {"IDJ/", "idj/", "", "IDJ", "IDJ/4", "EXP/IDJ/", "JV/", "IDJ/ ", "ERR/",
                                   "X/", "Idj/", "\u00C4DJ/", "Q#"})
            expectIndexGivesTheStatements(company, prefix);
}

TEST_P(NumberingIndexTest, ManyOddNumbersAreJudgedByTheStatementAlone) {
    for (int k = 0; k < 250; ++k)
        insert(demo::kCompanyWithoutSettings, "idj/" + std::to_string(k));
    insert(demo::kCompanyWithoutSettings, "IDJ/260");
    for (const char* prefix : {"IDJ/", "idj/", ""})
        expectIndexGivesTheStatements(demo::kCompanyWithoutSettings, prefix);
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
            EXPECT_EQ(
                std::to_string(vouchersOfType(db.conn, company, type)),
                db.scalar(std::string("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Type ='") +
                          type + "' and companyid= " + std::to_string(company)))
                << company << " " << type;
}

IDJ_INSTANTIATE_ON_BACKENDS(NumberingIndexTest);

// A database of an earlier version gains the numbering keys on opening, once.
class NumberingUpgrade : public testsupport::DemoBackendChoice,
                         public testing::TestWithParam<adotest::BackendId> {};

TEST_P(NumberingUpgrade, AnOlderDatabaseGainsTheNumberingKeys) {
    const bool server = GetParam() == adotest::BackendId::Postgres;
    testsupport::DemoDb old;
    for (const char* drop :
         server ? std::vector<const char*>{"FUNCTION idj_highest_running_number(integer, text)",
                                           "FUNCTION idj_odd_numbers(integer, integer)",
                                           "INDEX IX_IDJHeader_Numbering", "INDEX IX_IDJHeader_OddNumbers"}
                : std::vector<const char*>{"TABLE InterDivisionJournalTypeCount",
                                           "TRIGGER TR_IDJHeader_CountInsert",
                                           "TRIGGER TR_IDJHeader_CountDelete",
                                           "TRIGGER TR_IDJHeader_CountUpdate", "INDEX IX_IDJHeader_Numbering",
                                           "INDEX IX_IDJHeader_OddNumbers", "INDEX IX_IDJHeader_Open"})
        old.conn->ExecuteNative(std::string("DROP ") + drop);
    if (server) {
        EXPECT_THROW(highestRunningNumber(old.conn, demo::kCompany, "IDJ/"), rt::Error);
    }
    const std::string receipts =
        old.scalar("SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Type ='RE' and companyid= 1");
    for (int opening = 0; opening < 2; ++opening) {
        old.conn->Close();
        EXPECT_FALSE(db::ensureDemoDatabase(old.path(), testsupport::processDate()));
        old.conn->Open(old.path());
        EXPECT_EQ(old.scalar(
                      server ? "SELECT count(*) FROM pg_indexes WHERE schemaname = current_schema() AND "
                               "indexname IN ('ix_idjheader_numbering', 'ix_idjheader_oddnumbers')"
                             : "SELECT count(*) FROM sqlite_master WHERE name IN ('IX_IDJHeader_Numbering', "
                               "'IX_IDJHeader_OddNumbers', 'IX_IDJHeader_Open', 'TR_IDJHeader_CountInsert')"),
                  server ? "2" : "4");
        EXPECT_EQ(std::to_string(vouchersOfType(old.conn, demo::kCompany, "RE")), receipts);
        EXPECT_EQ(highestRunningNumber(old.conn, demo::kCompany, "IDJ/"), 300);
    }
}

IDJ_INSTANTIATE_ON_BACKENDS(NumberingUpgrade);

} // namespace
} // namespace vouchertest
