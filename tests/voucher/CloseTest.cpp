// Closing the editor with unsaved changes.
#include "VoucherFixture.h"

namespace vouchertest {
namespace {

using CloseTest = VoucherTest;

TEST_F(CloseTest, ChangedVoucherAsksAndEachAnswerDoesItsPart) {
    std::vector<bool> open;
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        j.txtRemarks.setText("typed by the user");
        host.answer(forms::vbCancel);
        j.cmdCancel.press();
        open.push_back(j.loaded());
        // Yes runs the save, which refuses a voucher without lines: the window stays.
        host.answer(forms::vbYes);
        j.requestClose(); // the close box asks the same
        open.push_back(j.loaded() && j.cmdOK.Enabled);
        host.answer(forms::vbNo);
        j.cmdCancel.press();
        open.push_back(j.loaded());
    });
    FrmMaster::instance().cmdNew_Click();
    EXPECT_EQ(open, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(prompts(),
              (Texts{"Save Changes?", "Save Changes?", "Journal details not entered", "Save Changes?"}));
    EXPECT_EQ(host.messages[0].buttons, forms::vbYesNoCancel + forms::vbQuestion);
}

TEST_F(CloseTest, LineEditorsFlagIsClearedByTheAnswer) {
    std::vector<bool> open;
    host.answer(forms::vbCancel);
    host.onShow("frmJournal", [&](forms::Form& f) {
        auto& j = static_cast<frmJournal&>(f);
        j.blnDataChanged = true; // a line was changed and put back as it was
        j.cmdCancel.press();
        open.push_back(j.loaded() && !j.blnDataChanged);
        j.cmdCancel.press(); // nothing differs now
        open.push_back(j.loaded());
    });
    FrmMaster::instance().cmdNew_Click();
    EXPECT_EQ(open, (std::vector<bool>{true, false}));
    EXPECT_EQ(prompts(), Texts{"Save Changes?"});
}

TEST_F(CloseTest, NothingIsAskedWhenNothingMayBeSaved) {
    selectVoucher(demo::kPostedVoucher); // changes on screen cannot be saved
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
