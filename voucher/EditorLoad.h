#pragma once
// Loading the voucher editor for one opening from the browse window.
#include "ado/Ado.h"

namespace idj {

class frmJournal;

// Loads the editor afresh on the connection, in the entry mode already set, so that its
// controls start from their design; the opener then fills them and shows the window.
frmJournal& loadVoucherEditor(const ado::ConnectionPtr& connection);

} // namespace idj
