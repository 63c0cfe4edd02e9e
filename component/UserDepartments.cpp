// The departments the user's group may work with, as the filter the line editor appends.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

namespace idj {

void LoadUserDepartments() {
    Context& c = ctx();
    // Fail closed: whatever goes wrong below, the previous user's departments must not stay.
    c.GStrUserDepartments = " IN (0)";

    rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(data, "adocon", browserConnection());
    automation::let(data, "strTableName", "Ausers where userid=" + std::to_string(c.intuserid));
    rt::Variant groupField = automation::callv(data, "fnreturnfield", "UserGroupID");
    // A user without a group works with no department.
    if (groupField.isNull() || groupField.isEmpty()) return;
    int16_t group = rt::CInt(groupField);

    auto rs = ado::Recordset::create();
    rs->Open("Select DepartmentID,DepartmentName from adepartmentmaster where DepartmentID in "
             " (select deptid from AuserGroupDeptDetails where "
             " UserGroupID=" +
                 std::to_string(group) + " )",
             browserConnection(), ado::adOpenForwardOnly, ado::adLockReadOnly);
    std::string list;
    for (; !rs->eof(); rs->MoveNext()) {
        if (!list.empty()) list += ",";
        list += rt::TextOf((*rs)["departmentid"]);
    }
    rs->Close();
    if (list.empty()) list = "0";
    c.GStrUserDepartments = " IN (" + list + ")";
}

} // namespace idj
