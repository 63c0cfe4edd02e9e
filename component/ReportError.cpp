#include "component/ReportError.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

#include <string>
#include <vector>

namespace idj {

int32_t shortenErrorNumber(int32_t number) {
    std::string text = std::to_string(number);
    if (text.size() > 5) text = text.substr(text.size() - 5);
    return static_cast<int32_t>(std::stol(text));
}

void ReportError(const std::string& moduleName, int16_t userId, const std::string& routineName,
                 int32_t& number, const std::string& source, const std::string& description,
                 const std::string& entryMode, int32_t /*flag*/) {
    rt::ObjectPtr objFault = automation::CreateObject("FaultReport.FaultDetails");
    number = shortenErrorNumber(number);

    rt::ObjectPtr objData = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(objData, "adocon", browserConnection());
    automation::let(objData, "strTableName", "ausers where userid=" + std::to_string(userId));
    std::string userName = rt::TextOf(automation::callv(objData, "fnreturnfield", "username"));

    std::vector<rt::Variant> args{moduleName, userName,    routineName, number,
                                  source,     description, entryMode,   true};
    rt::Variant tracked = automation::call(objFault, "ErrorTrack", args);
    // The number went by reference.
    if (rt::IsNumeric(args[3])) number = rt::CLng(args[3]);
    // The answer is compared with false, and the report ends the same way whatever it is.
    [[maybe_unused]] const bool declined = tracked == rt::Variant(false);
}

void reportTrapped(const std::string& moduleName, const std::string& routineName, const rt::Error& e) {
    int32_t number = e.number();
    const Context& c = ctx();
    ReportError(moduleName, c.intuserid, routineName, number, e.source(), e.description(),
                c.GStrMasterNewEditFlag, -1);
}

void reportTrapped(const std::string& moduleName, const std::string& routineName, const std::exception& e) {
    int32_t number = rt::errInvalidProcedureCall;
    const Context& c = ctx();
    ReportError(moduleName, c.intuserid, routineName, number, "idjrnl08", e.what(), c.GStrMasterNewEditFlag,
                -1);
}

} // namespace idj
