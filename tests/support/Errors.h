#pragma once
#include "runtime/Error.h"

namespace testsupport {

// The error number a call raises, or 0 when it returns.
template <class F> int errorOf(F&& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace testsupport
