#include "voucher/ExchangeRateDialog.h"

#include "rates/frmExchangerate.h"
#include "runtime/Error.h"
#include "voucher/frmJournal.h"

// Until rates/ has the dialog's window, the editor reaches it through a weak reference, so that
// the editor and every program that links it still build. A weak reference alone would not pull
// the window out of the component library, so once the window exists it is called directly.
#if __has_include("rates/frmExchangerate.cpp")
static idj::frmExchangerate& rateDialogInstance() {
    return idj::frmExchangerate::instance();
}
static constexpr bool kRateDialogBuilt = true;
#else
idj::frmExchangerate& rateDialogInstance() __asm__("_ZN3idj15frmExchangerate8instanceEv")
    __attribute__((weak));
static constexpr bool kRateDialogBuilt = false;
#endif

namespace idj {

bool exchangeRateDialogAvailable() {
    if constexpr (kRateDialogBuilt)
        return true;
    else
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
