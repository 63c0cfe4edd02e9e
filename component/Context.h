#pragma once
// Module-wide state of the component: the working context set by clsJournal::show and the
// shared values that the windows hand to each other. It lives as long as the library is loaded.
#include "runtime/Date.h"
#include "runtime/Object.h"

#include <cstdint>
#include <string>

namespace idj {

struct Context {
    // Working context (set by show; the voucher save replaces intFinancialID).
    int16_t intCompanyID = 0;
    int16_t intuserid = 0;
    int16_t intFinancialID = 0;
    int16_t intdepartmentid = 0;
    rt::Date dtProcessDate{};
    std::string strMsgboxCaption;

    // Look-back of the browse list in days.
    int16_t NoOfPreviousDays = 0;
    // The user's function rights for interface 5029.
    std::string strFunctionRights;
    // "N" while a new or duplicated voucher is entered, "E" while a stored one is edited.
    std::string GStrMasterNewEditFlag;
    // The voucher's rates text.
    std::string GStrExchangeRates;
    // " IN (...)" filter of the user's departments.
    std::string GStrUserDepartments;
    // Line editor mode.
    bool blnAddLine = false;
    bool blnEditLine = false;

    // Form-colouring and activity-log services, created by the browse window's load.
    rt::ObjectPtr objPainter;
    rt::ObjectPtr objActivityLog;
};

// The one context of the loaded component.
Context& ctx();

// The component's number in the suite: rights, number prefix and activity log.
inline constexpr int16_t kInterfaceId = 5029;
// Interface under which the right to enter vouchers outside the current year is stored.
inline constexpr int16_t kOutsideYearInterfaceId = 56;

} // namespace idj
