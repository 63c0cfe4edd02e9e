// Journal numbers and type serials: as the editor shows them, and read through their indexes
// as their statements give them, whatever the stored numbers look like, on both backends.
#include "VoucherFixture.h"
#include "support/OnBackends.h"
#include "voucher/JournalNumbers.h"

namespace vouchertest {
namespace {

using idj::highestRunningNumber, idj::highestRunningNumberByStatement, idj::vouchersOfType;

using NumberingTest = VoucherTest;

TEST_F(NumberingTest, SerialNumberCountsTheTypeOverEveryStoredVoucherOfTheCompany) {
    useContext(demo::kAdmin, 0, demo::kCompanyWithoutSettings);
    insertHeader(demo::kCompanyWithoutSettings, 1, "1", "RE");
    insertHeader(demo::kCompanyWithoutSettings, 2, "2", "RE", demo::kPastYear, 1);
    insertHeader(demo::kCompanyWithoutSettings, 3, "3", "RE");
    insertHeader(demo::kCompanyWithoutSettings, 4, "4", "PA");
    Texts serials;
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        serials.push_back(j.txtserialNO.Text()); // untouched: a Journal voucher
        for (forms::OptionButton* o : {&j.optReceipts, &j.optPayment, &j.optCash}) {
            o->setValue(true);
            serials.push_back(j.txtserialNO.Text());
        }
        insertHeader(demo::kCompanyWithoutSettings, 5, "5", "CA");
        j.activate(); // back from a dialog
        serials.push_back(j.txtserialNO.Text());
        closeQuietly(j);
    });
    FrmMaster::instance().cmdNew_Click();
    EXPECT_EQ(serials, (Texts{"JRN/1", "RCPT/4", "PAY/2", "CSTR/1", "CSTR/2"}));
}

TEST_F(NumberingTest, JournalNumberFollowsTheHighestNumericSuffixOfThePrefix) {
    frmJournal& j = loadNew();
    const auto next = [&j] { return j.GenerateJournalNo() ? j.journalNo() : "refused"; };
    EXPECT_EQ(next(), "IDJ/301");
    // Neither the prefix alone nor a suffix that is no number counts, nor another company.
    insertHeader(demo::kCompany, 301, "IDJ/");
    insertHeader(demo::kCompany, 302, "IDJ/7A");
    insertHeader(demo::kSecondCompany, 99, "IDJ/950");
    int id = 310;
    EXPECT_EQ(next(), "IDJ/301");
    // Numbers typed or imported in another case belong to the prefix, as on SQL Server; a number
    // with a trailing blank reads there as its last digit and a blank ("IDJ/460 " gives "0 ").
    for (const char* n : {"IDJ/310", "idj/450", "IDJ/460 ", "Idj/7A "})
        insertHeader(demo::kCompany, ++id, n);
    EXPECT_EQ(next(), "IDJ/451");
    // Past 32,767 the running number goes on.
    insertHeader(demo::kCompany, 304, "IDJ/40000", "PA", demo::kPastYear);
    EXPECT_EQ(next(), "IDJ/40001");

    // The prefix of the package's department; without one for the year, the bare number.
    db.exec("update apackagesettings set companydepartment=2");
    EXPECT_EQ(next(), "EXP/IDJ/1");
    db.exec("update apackagesettings set companydepartment=1");
    ctx().intFinancialID = 9;
    insertHeader(demo::kCompany, 305, "41");
    EXPECT_EQ(next(), "42");
    EXPECT_EQ(faults(), Texts{});
}

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
