// The browse window's New and Edit: what the editor shows, and whether it may save.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

using OpenVoucherTest = VoucherTest;

TEST_F(OpenVoucherTest, EditLoadsHeaderAndLinesOfAnOpenVoucher) {
    const Seen seen = openEdit(282); // a plain Journal voucher after the freeze date
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(seen.ok);
    EXPECT_FALSE(seen.typesEnabled);
    EXPECT_EQ(seen.journalNo, "IDJ/282");
    EXPECT_EQ(seen.type, "JO");
    const std::string header =
        "from InterDivisionJournalTransHeader where companyid=1 and JournalTransID=282";
    EXPECT_EQ(seen.serial, db.scalar("select TypeSeriallNO " + header));
    EXPECT_EQ(seen.rates, db.scalar("select exchangerates " + header));
    EXPECT_EQ(rt::toYmd(seen.date), db.scalar("select JournalTransDate " + header).substr(0, 8));

    auto rs = db.conn->Execute(
        "select d.JournalTransDetailID, m.DepartmentName, a.AccountDesc, d.Remarks, d.JournalTransCredit, "
        "d.Amount, "
        "d.AccountID, d.DepartmentID from InterDivisionJournalTransDetails d join adepartmentmaster m on "
        "m.DepartmentID=d.DepartmentID join AACCOUNTMASTER a on a.AccountID=d.AccountID and "
        "a.CompanyID=d.CompanyID "
        "where d.CompanyID=1 and d.JournalTransID=282 order by d.JournalTransDetailID");
    std::vector<Texts> expected;
    double debit = 0;
    for (; !rs->eof(); rs->MoveNext()) {
        const bool credit = rt::CBool((*rs)[4]);
        const std::string amount = rt::Format((*rs)[5], "0.00");
        if (!credit) debit += rt::CDbl((*rs)[5]);
        expected.push_back({rt::CStr((*rs)[0]), rt::CStr((*rs)[1]), rt::CStr((*rs)[2]), rt::TextOf((*rs)[3]),
                            credit ? "0.00" : amount, credit ? amount : "0.00", rt::CStr((*rs)[6]), "",
                            rt::CStr((*rs)[7])});
    }
    rs->Close();
    ASSERT_GE(expected.size(), 2u);
    EXPECT_EQ(seen.rows, expected);
    EXPECT_EQ(seen.debitTotal, rt::Format(rt::Variant(debit), "###,###,##0.00"));
    EXPECT_EQ(FrmMaster::instance().MousePointer, forms::vbDefault);
    EXPECT_EQ(faults(), Texts{});
}

TEST_F(OpenVoucherTest, EveryRefusalShowsTheVoucherWithoutSave) {
    const std::string posted = "Entry Posted,Cannot Modify",
                      referred = "Journal entry refered in Journal. Cannot Edit.";
    const std::pair<int, Texts> cases[] = {
        {283, {posted}},           {285, {}} /* cancelled */,  {281, {referred}},
        {284, {}} /* confirmed */, {demo::kFreezeVoucher, {}}, {290, {posted, referred}}};
    for (const auto& [id, messages] : cases) {
        host.messages.clear();
        const Seen seen = openEdit(id);
        ASSERT_TRUE(seen.shown) << id;
        EXPECT_FALSE(seen.ok) << id;
        EXPECT_EQ(prompts(), messages) << id;
        EXPECT_EQ(seen.journalNo, "IDJ/" + std::to_string(id)) << id;
        EXPECT_FALSE(seen.rows.empty()) << id;
    }
    // The posted message has the application's own title, not the host's caption.
    openEdit(283);
    EXPECT_EQ(host.messages.back().title, forms::appTitle());
    EXPECT_EQ(host.messages.back().buttons, forms::vbInformation);

    // The day after the freeze date is open again.
    const rt::Date frozen =
        *rt::parseDate(db.scalar("select JournalTransDate from InterDivisionJournalTransHeader where "
                                 "companyid=1 and JournalTransID=200"));
    db.exec("update MiscSettings set AccountsFreezeDate='" + rt::toYmd(rt::addDays(frozen, -1)) + "'");
    EXPECT_TRUE(openEdit(demo::kFreezeVoucher).ok);
    EXPECT_EQ(faults(), Texts{});
}

TEST_F(OpenVoucherTest, ConfirmationFollowsTheAutomaticSetting) {
    Seen seen = openEdit(284);
    EXPECT_EQ(seen.confirm, 1);
    EXPECT_FALSE(seen.confirmEnabled);
    autoConfirm(true);
    seen = openEdit(284);
    EXPECT_EQ(seen.confirm, 0);
    EXPECT_FALSE(seen.confirmVisible);
    EXPECT_TRUE(seen.ok);
}

TEST_F(OpenVoucherTest, AccountHeadWidensFromNineLines) {
    const std::string lines =
        "delete from InterDivisionJournalTransDetails where companyid=1 and JournalTransID=288";
    db.exec(lines + " and JournalTransDetailID>9");
    EXPECT_EQ(openEdit(demo::kTwelveLineVoucher).accountHeadWidth, 3000);
    db.exec(lines + " and JournalTransDetailID=9");
    EXPECT_EQ(openEdit(demo::kTwelveLineVoucher).accountHeadWidth, 2200);
    db.exec(lines);
    const Seen seen = openEdit(demo::kTwelveLineVoucher);
    EXPECT_TRUE(seen.rows.empty());
    EXPECT_EQ(seen.debitTotal, "0.00");
}

TEST_F(OpenVoucherTest, TypeCodeChoosesTheOptionAndNullRatesGiveEmptyText) {
    const std::string where = " where companyid=1 and JournalTransID=282";
    db.exec("update InterDivisionJournalTransHeader set Type='PA', exchangerates=NULL" + where);
    Seen seen = openEdit(282);
    EXPECT_EQ(seen.type, "PA");
    EXPECT_EQ(seen.rates, "");
    db.exec("update InterDivisionJournalTransHeader set Type='ZZ'" + where);
    EXPECT_EQ(openEdit(282).type, "JO"); // as the editor loaded it
}

TEST_F(OpenVoucherTest, EditOfAMissingVoucherIsReportedAndShowsNothing) {
    selectVoucher(282);
    FrmMaster::instance().GrdMaster.setTextMatrix(1, 0, "9999");
    FrmMaster::instance().CmdEdit_Click();
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(faults(), Texts{"CmdEdit_Click "});
    EXPECT_EQ(FrmMaster::instance().MousePointer, forms::vbDefault);
}

TEST_F(OpenVoucherTest, NewStartsAnEmptyJournalVoucherWithFreshRates) {
    useContext(demo::kAdmin, demo::kExportDivision);
    ctx().GStrExchangeRates = "9:-3:"; // left by the previous voucher
    Seen seen = openNew();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(ctx().GStrMasterNewEditFlag, "N");
    EXPECT_EQ(seen.date, testsupport::processDate());
    EXPECT_EQ(seen.type, "JO");
    EXPECT_TRUE(seen.typesEnabled);
    EXPECT_EQ(seen.rates, "1:2:-1:83.2:");
    EXPECT_TRUE(seen.rows.empty());
    EXPECT_TRUE(seen.ok);
    EXPECT_TRUE(seen.confirmEnabled); // the admin holds "I"
    EXPECT_EQ(faults(), Texts{});

    useContext(demo::kClerk, demo::kHeadOffice);
    EXPECT_FALSE(openNew().confirmEnabled);

    // A copied voucher (mode "N") shows the process date once it is up, whatever was put in.
    frmJournal& j = loadNew();
    j.dtpJournalDate.setValue(rt::makeDate(2025, 1, 15));
    seen = whileShown([&] { j.Show(true, &FrmMaster::instance()); });
    EXPECT_EQ(seen.date, testsupport::processDate());
}

TEST_F(OpenVoucherTest, AutomaticConfirmationClearsTheBoxAtEveryActivation) {
    autoConfirm(true);
    Seen first;
    int afterReactivation = -1;
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        first = look(j);
        j.Chconfirm.setValue(1);
        j.activate();
        afterReactivation = j.Chconfirm.Value();
        closeQuietly(j);
    });
    FrmMaster::instance().cmdNew_Click();
    EXPECT_EQ(first.confirm, 0);
    EXPECT_FALSE(first.confirmVisible);
    EXPECT_EQ(afterReactivation, 0);
}

} // namespace
} // namespace vouchertest
