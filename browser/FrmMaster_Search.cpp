// Sorting and searching the browse grid. Not built yet: the Browse frame's controls do nothing.
#include "browser/FrmMaster.h"

namespace idj {

void FrmMaster::wireSearchEvents() {}

} // namespace idj
