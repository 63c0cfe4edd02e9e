#include "voucher/ExchangeRateDialog.h"

#include "rates/frmExchangerate.h"
#include "runtime/Error.h"
#include "voucher/frmJournal.h"

// The dialog's window is reached through a weak reference to frmExchangerate::instance, so
// that the editor (and every program that links it) builds while rates/ has no window yet.
// TODO: call frmExchangerate::instance() directly once rates/frmExchangerate.cpp exists; a weak
// reference does not pull the dialog out of the component library by itself.
idj::frmExchangerate& rateDialogInstance() __asm__("_ZN3idj15frmExchangerate8instanceEv")
    __attribute__((weak));

namespace idj {

bool exchangeRateDialogAvailable() {
    return &rateDialogInstance != nullptr;
}

void openExchangeRateDialog(frmJournal& journal) {
    if (!exchangeRateDialogAvailable())
        rt::raise(rt::errCannotCreateObject, "frmJournal", "The exchange-rate dialog is not available");
    frmExchangerate& dialog = rateDialogInstance();
    // The dialog reads its rates from the connection when it loads, so the connection goes
    // first; the OK button is disabled after the load, which would restore its design.
    dialog.adocon = journal.adocon;
    dialog.Load();
    if (!journal.cmdOK.Enabled) dialog.cmdOk.Enabled = false;
    dialog.Show(true, nullptr);
}

} // namespace idj
