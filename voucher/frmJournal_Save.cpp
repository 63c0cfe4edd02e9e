// THE VOUCHER SAVE BELONGS HERE: the checks before saving and the write of header and lines in
// one transaction. Until it is written, OK (and Ctrl+S, and Yes to "Save Changes?") leaves the
// voucher unsaved and the window open.
#include "voucher/frmJournal.h"

namespace idj {

void frmJournal::cmdOK_Click() {}

} // namespace idj
