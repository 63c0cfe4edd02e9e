#pragma once
// Error reporting: every handler traps its errors and hands them to ReportError, which adds
// the user's name and passes them to the suite's fault-report service.
#include "ado/Transaction.h"
#include "runtime/Error.h"

#include <cstdint>
#include <exception>
#include <string>

namespace idj {

// Overwrites `number` with its last five digits (-2147217873 becomes 17873). Has no trap of
// its own: a failure to create the services or to look the user up reaches the caller.
void ReportError(const std::string& moduleName, int16_t userId, const std::string& routineName,
                 int32_t& number, const std::string& source, const std::string& description,
                 const std::string& entryMode, int32_t flag);

// The number as ReportError shortens it.
int32_t shortenErrorNumber(int32_t number);

// The handler shape used everywhere: report the trapped error with the window's (or module's)
// and the routine's name, from the working context.
void reportTrapped(const std::string& moduleName, const std::string& routineName, const rt::Error& e);
// Errors that are not the component's own (a standard-library failure) are reported as 5.
void reportTrapped(const std::string& moduleName, const std::string& routineName, const std::exception& e);

// Runs `body` under the usual trap; returns whether it ended without an error.
template <class F> bool trapped(const char* moduleName, const char* routineName, F&& body) {
    try {
        body();
        return true;
    } catch (const rt::Error& e) {
        reportTrapped(moduleName, routineName, e);
    } catch (const std::exception& e) {
        reportTrapped(moduleName, routineName, e);
    }
    return false;
}

// The trap of a handler that opens a transaction on `connection`: whatever `body` throws, the
// transactions it left open are rolled back before the error is reported, so the report is
// not undone with them. Begins nothing itself. Returns whether `body` ended without an error.
template <class F>
bool trappedWithRollback(const char* moduleName, const char* routineName,
                         const ado::ConnectionPtr& connection, F&& body) {
    const int level = connection ? connection->TransactionLevel() : 0;
    auto rollBack = [&] {
        if (connection) trapped(moduleName, routineName, [&] { ado::rollBackTo(*connection, level); });
    };
    try {
        body();
        return true;
    } catch (const rt::Error& e) {
        rollBack();
        reportTrapped(moduleName, routineName, e);
    } catch (const std::exception& e) {
        rollBack();
        reportTrapped(moduleName, routineName, e);
    }
    return false;
}

} // namespace idj
