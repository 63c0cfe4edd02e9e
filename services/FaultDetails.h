#pragma once
// FaultReport.FaultDetails: records an unexpected error in the table aFaultLog and shows it to
// the user.
#include "ado/Ado.h"
#include "runtime/Object.h"

#include <cstdint>
#include <string>

namespace services {

struct Fault {
    std::string moduleName;
    std::string userName;
    std::string routineName;
    int32_t number = 0;
    std::string source;
    std::string description;
    std::string entryMode;
};

class FaultDetails : public rt::Object {
  public:
    static constexpr const char* kProgId = "FaultReport.FaultDetails";

    std::string className() const override { return "FaultDetails"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // Where the fault is recorded; unset, the suite's connection (SuiteConnection.h).
    ado::ConnectionPtr adocon;

    // Records the fault and shows it (critical icon). A fault that cannot be recorded is still
    // shown, with the reason it was not recorded. Returns true.
    bool ErrorTrack(const Fault& fault);

    // The message shown; `note` says why the fault was not recorded, empty when it was.
    static std::string messageText(const Fault& fault, const std::string& note);

  private:
    // Empty when recorded, else the reason it was not.
    std::string record(const Fault& fault) const;
};

} // namespace services
