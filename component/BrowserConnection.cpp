#include "browser/FrmMaster.h"
#include "component/basJournal.h"

namespace idj {

ado::ConnectionPtr browserConnection() {
    return FrmMaster::instance().adocon;
}

} // namespace idj
