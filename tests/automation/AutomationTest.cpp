// Late binding inside the process: the errors a caller sees. Arguments by reference are the
// services' own (NumericInputTest reads a key back through one).
#include "TempRegistry.h"

#include "automation/Automation.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

TEST(Automation, UnknownMembersObjectsAndServersRaise) {
    rt::ObjectPtr toolkit = automation::CreateObject("BASESERVICES.clsuitoolkit"); // a ProgID ignores case
    EXPECT_EQ(testsupport::errorOf([&] { automation::callv(toolkit, "Thrice", 1); }), rt::errMemberNotFound);

    rt::ObjectPtr nothing;
    EXPECT_EQ(testsupport::errorOf([&] { automation::get(nothing, "adocon"); }), rt::errObjectNotSet);
    automationtest::TempRegistry reg;
    automation::registerServer({"Gone.Server", {}, "Gone", "Gone", "/nonexistent/gone.so"});
    for (const char* progId : {"No.SuchThing", "Gone.Server"})
        EXPECT_EQ(testsupport::errorOf([&] { automation::CreateObject(progId); }), rt::errCannotCreateObject)
            << progId;
}
