#pragma once
// Error numbers and sources of the data layer, shaped as ADO and its provider report them.
#include "runtime/Error.h"

#include <cstdint>
#include <string>

namespace ado::detail {

inline constexpr const char* kProviderSource = "idjrnl SQLite provider";
inline constexpr const char* kConnectionSource = "ADODB.Connection";
inline constexpr const char* kRecordsetSource = "ADODB.Recordset";

enum : int32_t {
    errQueryTimeout = -2147217871,
    errCantConvertValue = -2147217913,
    errMissingParameters = -2147217904,
    errNoTransaction = -2147168242,
    errOpenFailed = -2147467259,
    errNoBackwardFetch = -2147217884,
    errItemNotFound = 3265,
    errNotSupported = 3251,
    errObjectClosed = 3704,
    errObjectOpen = 3705,
    errConnectionUnusable = 3709,
};

[[noreturn]] inline void raiseProvider(int32_t number, std::string description) {
    throw rt::Error(number, kProviderSource, std::move(description));
}

[[noreturn]] inline void raiseConnectionUnusable() {
    throw rt::Error(errConnectionUnusable, kConnectionSource,
                    "The connection cannot be used to perform this operation. It is either closed or "
                    "invalid in this context.");
}

} // namespace ado::detail
