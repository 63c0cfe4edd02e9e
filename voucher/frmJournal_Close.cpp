// Closing the voucher editor: whatever starts the close, unsaved changes are asked about.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {
constexpr const char* kWindow = "frmJournal";
}

void frmJournal::cmdCancel_Click() {
    trapped(kWindow, "cmdCancel_Click", [this] { Unload(); });
}

void frmJournal::Form_QueryUnload(int& cancel, int) {
    trapped(kWindow, "Form_QueryUnload", [&] {
        // Before the first activation, and after a save (which empties the tag and disables OK),
        // there is nothing to ask about; nor while the voucher is only being looked at.
        if (Tag.empty() || !cmdOK.Enabled) return;
        const bool changed =
            rt::CBool(automation::callv(ctx().objActivityLog, "DataChanged", shared_from_this())) ||
            blnDataChanged;
        if (!changed) return;

        const int answer =
            forms::MsgBox("Save Changes?", forms::vbYesNoCancel + forms::vbQuestion, ctx().strMsgboxCaption);
        if (answer == forms::vbCancel) {
            cancel = 1;
        } else if (answer == forms::vbYes) {
            cmdOK_Click();
            // OK still enabled: a check refused the voucher or the save did not complete.
            if (loaded() && cmdOK.Enabled) cancel = 1;
        }
        // A second close asks again only if the controls still differ from what was remembered.
        blnDataChanged = false;
    });
}

} // namespace idj
