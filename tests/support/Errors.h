#pragma once
#include "runtime/Error.h"

#include <gtest/gtest.h>

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

// The whole error a call raises; a call that returns fails the test.
template <class F> rt::Error errorRaised(F&& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return rt::Error(0, "", "");
}

} // namespace testsupport
