// Late binding inside the process: by-reference arguments and the errors a caller sees.
#include "TempRegistry.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

namespace {

// Doubles its by-reference argument and answers with the old value.
class Doubler : public rt::Object {
  public:
    std::string className() const override { return "Doubler"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override {
        if (rt::iequals(member, "Twice")) {
            rt::Variant old = args.at(0);
            args[0] = rt::CLng(old) * 2;
            return old;
        }
        return rt::Object::invoke(member, kind, args);
    }
};

} // namespace

TEST(Automation, CallsGoByReferenceAndUnknownMembersRaise) {
    automation::registerClass("Test.Doubler", [] { return std::make_shared<Doubler>(); });
    rt::ObjectPtr d = automation::CreateObject("TEST.doubler");
    std::vector<rt::Variant> args{21};
    EXPECT_EQ(rt::CLng(automation::call(d, "twice", args)), 21);
    EXPECT_EQ(rt::CLng(args[0]), 42);
    EXPECT_EQ(testsupport::errorOf([&] { automation::callv(d, "Thrice", 1); }), rt::errMemberNotFound);

    rt::ObjectPtr nothing;
    EXPECT_EQ(testsupport::errorOf([&] { automation::get(nothing, "adocon"); }), rt::errObjectNotSet);
    automationtest::TempRegistry reg;
    automation::registerServer({"Gone.Server", {}, "Gone", "Gone", "/nonexistent/gone.so"});
    for (const char* progId : {"No.SuchThing", "Gone.Server"})
        EXPECT_EQ(testsupport::errorOf([&] { automation::CreateObject(progId); }), rt::errCannotCreateObject)
            << progId;
}
