// Duplicating a voucher into a new one. Not built yet: the button does nothing.
#include "browser/FrmMaster.h"

namespace idj {

void FrmMaster::cmdDuplicate_Click() {}

} // namespace idj
