// The accounts freeze date: no voucher dated on or before it may change.
#include "automation/Automation.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

namespace idj {

rt::Variant GetFreezeDate() {
    rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(data, "adocon", browserConnection());
    automation::let(data, "strTableName", "MiscSettings");
    return automation::callv(data, "fnreturnfield", "AccountsFreezeDate");
}

bool IsFrozenDate(rt::Date date) {
    rt::Variant freeze = GetFreezeDate();
    if (freeze.isNull() || freeze.isEmpty()) return false;
    // An empty text in the settings means no period is frozen, as a missing value does.
    if (freeze.isString() && rt::Trim(freeze.str()).empty()) return false;
    return rt::dateOnly(rt::CDate(freeze)) >= rt::dateOnly(date);
}

} // namespace idj
