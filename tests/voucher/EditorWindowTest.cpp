// The browse window's New and Edit: what the editor shows, whether it may save, and closing it
// with unsaved changes.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

using EditorWindowTest = VoucherTest;

TEST_F(EditorWindowTest, EditShowsEveryVoucherAndOnlyAnOpenOneMaySave) {
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
    EXPECT_EQ(faults(), Texts{});
}

TEST_F(EditorWindowTest, NewStartsAnEmptyJournalVoucherWithFreshRates) {
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

TEST_F(EditorWindowTest, ClosingAChangedVoucherAsksAndEachAnswerDoesItsPart) {
    std::vector<bool> open;
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        const auto close = [&](int answer, bool byTheCloseBox = false) {
            host.answer(answer);
            if (byTheCloseBox)
                j.requestClose();
            else
                j.cmdCancel.press();
            open.push_back(j.loaded() && j.cmdOK.Enabled);
        };
        j.blnDataChanged = true; // a line was changed and put back as it was
        close(forms::vbCancel);
        EXPECT_FALSE(j.blnDataChanged) << "the answer clears the line editor's flag";
        j.txtRemarks.setText("typed by the user");
        close(forms::vbCancel);
        close(forms::vbYes, true); // the save refuses a voucher without lines: the window stays
        close(forms::vbNo);
    });
    FrmMaster::instance().cmdNew_Click();
    EXPECT_EQ(open, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(host.messages[0].buttons, forms::vbYesNoCancel + forms::vbQuestion);
    EXPECT_EQ(prompts(), (Texts{"Save Changes?", "Save Changes?", "Save Changes?",
                                "Journal details not entered", "Save Changes?"}));
}

TEST_F(EditorWindowTest, NothingIsAskedOnClosingWhenNothingMayBeSaved) {
    selectVoucher(demo::kPostedVoucher);
    host.onShow("frmJournal", [](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        j.txtRemarks.setText("changed");
        j.cmdCancel.press();
    });
    FrmMaster::instance().CmdEdit_Click();
    EXPECT_FALSE(frmJournal::instance().loaded());
    EXPECT_EQ(prompts(), Texts{"Entry Posted,Cannot Modify"});
}

} // namespace
} // namespace vouchertest
