// The departments the user's group may work with, as the filter the line editor appends.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

namespace idj {

void LoadUserDepartments() {
    Context& c = ctx();
    rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(data, "adocon", browserConnection());
    automation::let(data, "strTableName", "Ausers where userid=" + std::to_string(c.intuserid));
    int16_t group = rt::CInt(automation::callv(data, "fnreturnfield", "UserGroupID"));

    c.GStrUserDepartments.clear();
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
