// Journal numbers and type serial numbers.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

using NumberingTest = VoucherTest;

void insertHeader(testsupport::DemoDb& db, int company, int id, const std::string& number,
                  const std::string& type, int year = demo::kCurrentYear, int cancelled = 0) {
    db.conn->Execute(
        "insert into InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
        "JournalTransDate, Remarks, Cancelled, Posted, FinancialID, Type, Confirm, TypeSeriallNO, "
        "DepartmentID) values (?, ?, ?, '20261201', 'r', ?, 0, ?, ?, 0, 'x', 1)",
        {int32_t(id), int32_t(company), number, int32_t(cancelled), int32_t(year), type});
}

TEST_F(NumberingTest, SerialNumberCountsTheTypeOverEveryStoredVoucherOfTheCompany) {
    useContext(demo::kAdmin, 0, demo::kCompanyWithoutSettings);
    insertHeader(db, demo::kCompanyWithoutSettings, 1, "1", "RE");
    insertHeader(db, demo::kCompanyWithoutSettings, 2, "2", "RE", demo::kPastYear, 1);
    insertHeader(db, demo::kCompanyWithoutSettings, 3, "3", "RE");
    insertHeader(db, demo::kCompanyWithoutSettings, 4, "4", "PA");
    Texts serials;
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        serials.push_back(j.txtserialNO.Text()); // untouched: a Journal voucher
        for (forms::OptionButton* o : {&j.optReceipts, &j.optPayment, &j.optCash}) {
            o->setValue(true);
            serials.push_back(j.txtserialNO.Text());
        }
        insertHeader(db, demo::kCompanyWithoutSettings, 5, "5", "CA");
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
    insertHeader(db, demo::kCompany, 301, "IDJ/", "JO");
    insertHeader(db, demo::kCompany, 302, "IDJ/7A", "JO");
    insertHeader(db, demo::kSecondCompany, 99, "IDJ/950", "JO");
    EXPECT_EQ(next(), "IDJ/301");
    // Numbers typed or imported in another case belong to the prefix, as on SQL Server; a number
    // with a trailing blank reads there as its last digit and a blank ("IDJ/460 " gives "0 ").
    insertHeader(db, demo::kCompany, 310, "IDJ/310", "JO");
    insertHeader(db, demo::kCompany, 311, "idj/450", "JO");
    insertHeader(db, demo::kCompany, 312, "IDJ/460 ", "JO");
    insertHeader(db, demo::kCompany, 313, "Idj/7A ", "JO");
    EXPECT_EQ(next(), "IDJ/451");
    // Past 32,767 the running number goes on.
    insertHeader(db, demo::kCompany, 304, "IDJ/40000", "PA", demo::kPastYear);
    EXPECT_EQ(next(), "IDJ/40001");

    // The prefix of the package's department; without one for the year, the bare number.
    db.exec("update apackagesettings set companydepartment=2");
    EXPECT_EQ(next(), "EXP/IDJ/1");
    db.exec("update apackagesettings set companydepartment=1");
    ctx().intFinancialID = 9;
    insertHeader(db, demo::kCompany, 305, "41", "JO");
    EXPECT_EQ(next(), "42");
    EXPECT_EQ(faults(), Texts{});
}

} // namespace
} // namespace vouchertest
