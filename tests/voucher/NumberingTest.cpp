// Journal numbers and type serial numbers.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

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

} // namespace
} // namespace vouchertest
