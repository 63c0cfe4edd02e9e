#pragma once
// Opening the exchange-rate dialog from the voucher editor (F9).
namespace idj {

class frmJournal;

// Shows the rates of the voucher modally; while the voucher cannot be saved the dialog's OK
// is disabled, so the rates can be looked at but not changed.
void openExchangeRateDialog(frmJournal& journal);

} // namespace idj
