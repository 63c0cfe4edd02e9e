// Deleting a voucher (marking it cancelled with a reason) and cancelling a posting.
// Not built yet: the buttons do nothing.
#include "browser/FrmMaster.h"

namespace idj {

void FrmMaster::CmdDelete_Click() {}
void FrmMaster::cmdUpdate_Click() {}

} // namespace idj
