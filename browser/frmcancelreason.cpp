// The reason-for-deletion dialog: the only way back to the browse window is to give a reason.
#include "browser/frmcancelreason.h"

#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"

#include <memory>

namespace idj {

namespace {

constexpr const char* kWindow = "frmcancelreason";
constexpr int kApostrophe = 39;

std::shared_ptr<frmcancelreason>& slot() {
    static std::shared_ptr<frmcancelreason> window;
    return window;
}

} // namespace

frmcancelreason& frmcancelreason::instance() {
    auto& window = slot();
    if (!window) window.reset(new frmcancelreason());
    return *window;
}

frmcancelreason::frmcancelreason() : forms::Form(kWindow) {
    wireEvents();
}

void frmcancelreason::wireEvents() {
    cmdOK.Click = [this] { cmdOK_Click(); };
    txtcanreason.KeyPress = [](int& keyAscii) {
        trapped(kWindow, "txtcanreason_KeyPress", [&] {
            if (keyAscii == kApostrophe) keyAscii = 0;
        });
    };
    txtcanreason.KeyUp = [this](int&, int) {
        trapped(kWindow, "txtcanreason_KeyUp",
                [this] { cmdOK.Enabled = !rt::Trim(txtcanreason.Text()).empty(); });
    };
}

void frmcancelreason::design() {
    Caption = "Reason For Deletion";
    Width = 6480;
    Height = 915;
    place(lblReason, 120, 150, 795, 255);
    place(txtcanreason, 960, 105, 4275, 315);
    place(cmdOK, 5340, 90, 975, 345);
    txtcanreason.TabIndex = 0;
    // What CancelledRemarks holds: a longer reason would fail the deletion on the server.
    txtcanreason.MaxLength = 500;
    cmdOK.TabIndex = 1;
    // Enter after typing the reason gives it, as the dialog's only way on.
    cmdOK.Default = true;
}

void frmcancelreason::Form_Load() {
    trapped(kWindow, "Form_Load",
            [this] { automation::callv(ctx().objPainter, "ApplyPaintkit", shared_from_this()); });
}

void frmcancelreason::Form_Activate() {
    trapped(kWindow, "Form_Activate", [this] {
        Width = 6480;
        Height = 915;
        Caption = "Reason for deletion";
    });
}

void frmcancelreason::Form_QueryUnload(int& cancel, int unloadMode) {
    // The dialog's own unload (after OK) passes; the window frame must give a reason first.
    if (unloadMode != forms::vbFormControlMenu) return;
    trapped(kWindow, "Form_QueryUnload", [&] {
        if (!acceptReason()) cancel = 1;
    });
}

void frmcancelreason::cmdOK_Click() {
    trapped(kWindow, "cmdok_Click", [this] { acceptReason(); });
}

bool frmcancelreason::acceptReason() {
    if (rt::Trim(txtcanreason.Text()).empty()) {
        forms::MsgBox("Enter reason for deletion", forms::vbInformation, ctx().strMsgboxCaption);
        txtcanreason.SetFocus();
        return false;
    }
    FrmMaster::instance().strCancelReason = txtcanreason.Text();
    cmdOK.Enabled = false;
    Unload();
    return true;
}

} // namespace idj
