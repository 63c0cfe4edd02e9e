// The voucher editor's keys: F9 for the rates, Ctrl+S for the save, Enter as Tab.
#include "component/ReportError.h"
#include "voucher/ExchangeRateDialog.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {
constexpr const char* kWindow = "frmJournal";
constexpr int kCtrlS = 19;
} // namespace

void frmJournal::wireKeys() {
    dtpJournalDate.KeyDown = [this](int& keyCode, int) {
        trapped(kWindow, "dtpJournalDate_KeyDown", [&] {
            if (keyCode == forms::vbKeyReturn) tabToNext();
        });
    };
    auto enterAsTab = [this](const char* routine) {
        return [this, routine](int& keyAscii) {
            trapped(kWindow, routine, [&] {
                if (keyAscii == forms::vbKeyReturn) tabToNext();
            });
        };
    };
    optJournal.KeyPress = enterAsTab("optJournal_KeyPress");
    optReceipts.KeyPress = enterAsTab("optReceipts_KeyPress");
    txtRemarks.KeyPress = enterAsTab("txtremarks_KeyPress");
}

void frmJournal::Form_KeyDown(int& keyCode, int) {
    trapped(kWindow, "Form_KeyDown", [&] {
        if (keyCode == forms::vbKeyF9) openExchangeRateDialog(*this);
    });
}

void frmJournal::Form_KeyPress(int& keyAscii) {
    trapped(kWindow, "Form_KeyPress", [&] {
        if (keyAscii == kCtrlS && cmdOK.Enabled) cmdOK_Click();
    });
}

} // namespace idj
