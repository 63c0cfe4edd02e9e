#include "services/FaultDetails.h"

#include "automation/Automation.h"
#include "forms/Form.h"
#include "runtime/Convert.h"
#include "services/Args.h"
#include "services/SuiteConnection.h"

namespace services {

std::string FaultDetails::record(const Fault& fault) const {
    ado::ConnectionPtr connection = adocon ? adocon : suiteConnection();
    if (!connection || connection->State() != ado::adStateOpen)
        return "The fault was not recorded: there is no open database connection.";
    try {
        connection->Execute(
            "INSERT INTO aFaultLog (FaultTime, ModuleName, UserName, RoutineName, ErrorNumber, "
            "ErrorSource, ErrorDescription, EntryMode) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
            {rt::now(), fault.moduleName, fault.userName, fault.routineName, fault.number, fault.source,
             fault.description, fault.entryMode});
    } catch (const rt::Error& e) {
        // The report must still reach the user; the message says why it was not recorded.
        return "The fault could not be recorded: " + e.description();
    }
    return {};
}

std::string FaultDetails::messageText(const Fault& fault, const std::string& note) {
    std::string text = "An unexpected error occurred.\n\nModule: " + fault.moduleName +
                       "\nRoutine: " + fault.routineName + "\nError " + std::to_string(fault.number) + ": " +
                       fault.description;
    if (!fault.source.empty()) text += "\nSource: " + fault.source;
    if (!fault.userName.empty()) text += "\nUser: " + fault.userName;
    if (!note.empty()) text += "\n\n" + note;
    return text;
}

bool FaultDetails::ErrorTrack(const Fault& fault) {
    std::string note = record(fault);
    forms::MsgBox(messageText(fault, note), forms::vbCritical | forms::vbOKOnly);
    return true;
}

rt::Variant FaultDetails::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "adocon")) return objectProperty(adocon, kind, args, cls, member);
    if (rt::iequals(member, "ErrorTrack")) {
        if (args.size() < 8) wrongArguments(cls, member);
        Fault fault;
        fault.moduleName = rt::TextOf(args[0]);
        fault.userName = rt::TextOf(args[1]);
        fault.routineName = rt::TextOf(args[2]);
        fault.number = rt::IsNumeric(args[3]) ? rt::CLng(args[3]) : 0;
        fault.source = rt::TextOf(args[4]);
        fault.description = rt::TextOf(args[5]);
        fault.entryMode = rt::TextOf(args[6]);
        return ErrorTrack(fault);
    }
    return rt::Object::invoke(member, kind, args);
}

namespace {
[[maybe_unused]] const bool registered = [] {
    automation::registerClass(FaultDetails::kProgId, [] { return std::make_shared<FaultDetails>(); });
    return true;
}();
} // namespace

} // namespace services
