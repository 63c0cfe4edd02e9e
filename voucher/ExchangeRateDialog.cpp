#include "voucher/ExchangeRateDialog.h"

#include "rates/frmExchangerate.h"
#include "voucher/frmJournal.h"

namespace idj {

void openExchangeRateDialog(frmJournal& journal) {
    frmExchangerate& dialog = frmExchangerate::instance();
    // The dialog reads its rates from the connection when it loads, so the connection goes
    // first; the OK button is disabled after the load, which would restore its design.
    dialog.adocon = journal.adocon;
    dialog.Load();
    if (!journal.cmdOK.Enabled) dialog.cmdOk.Enabled = false;
    dialog.Show(true, nullptr);
}

} // namespace idj
