// The browse window's New and Edit: what the editor shows, and whether it may save.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

using OpenVoucherTest = VoucherTest;

TEST_F(OpenVoucherTest, EditShowsEveryVoucherAndOnlyAnOpenOneMaySave) {
    const std::string posted = "Entry Posted,Cannot Modify",
                      referred = "Journal entry refered in Journal. Cannot Edit.";
    const std::pair<int, Texts> cases[] = {{demo::kReferredByCancelledVoucher, {}},
                                           {demo::kPostedVoucher, {posted}},
                                           {demo::kCancelledVoucher, {}},
                                           {demo::kReferredVoucher, {referred}},
                                           {demo::kConfirmedVoucher, {}},
                                           {demo::kFreezeVoucher, {}},
                                           {demo::kPostedReferredVoucher, {posted, referred}}};
    for (const auto& [id, messages] : cases) {
        host.messages.clear();
        const Seen seen = openEdit(id);
        ASSERT_TRUE(seen.shown) << id;
        EXPECT_EQ(seen.ok, id == demo::kReferredByCancelledVoucher) << id;
        EXPECT_EQ(prompts(), messages) << id;
        EXPECT_EQ(seen.journalNo, "IDJ/" + std::to_string(id)) << id;
        EXPECT_GE(seen.lines, 2) << id;
    }
    // The posted message has the application's own title, not the host's caption.
    openEdit(demo::kPostedVoucher);
    EXPECT_EQ(host.messages.back().title, forms::appTitle());
    EXPECT_EQ(host.messages.back().buttons, forms::vbInformation);
    EXPECT_EQ(faults(), Texts{});
}

TEST_F(OpenVoucherTest, NewStartsAnEmptyJournalVoucherWithFreshRates) {
    useContext(demo::kAdmin, demo::kExportDivision);
    ctx().GStrExchangeRates = "9:-3:"; // left by the previous voucher
    const Seen seen = openNew();
    EXPECT_EQ(seen.date, testsupport::processDate());
    EXPECT_EQ(seen.type, "JO");
    EXPECT_EQ(seen.rates, "1:2:-1:83.2:");
    EXPECT_EQ(seen.lines, 0);
    EXPECT_TRUE(seen.ok && seen.typesEnabled && seen.confirmEnabled); // the admin holds "I"
    useContext(demo::kClerk, demo::kHeadOffice);
    EXPECT_FALSE(openNew().confirmEnabled);
    autoConfirm(true);
    EXPECT_EQ(openEdit(demo::kConfirmedVoucher).confirm, 0); // confirmed, but the setting clears the box
}

} // namespace
} // namespace vouchertest
