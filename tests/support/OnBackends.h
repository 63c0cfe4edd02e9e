#pragma once
// A fixture of the demo database run on both backends: list this first among the bases of a
// parameterised fixture, so that the DemoDb the others hold is made where the case asks.
#include "ado/BackendFixture.h"
#include "support/DemoDb.h"

namespace testsupport {

struct DemoBackendChoice {
    DemoBackendChoice() {
        demoOnServer() =
            testing::WithParamInterface<adotest::BackendId>::GetParam() == adotest::BackendId::Postgres;
    }
};

} // namespace testsupport
