#include "TempRegistry.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <functional>

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
        if (rt::iequals(member, "Name")) {
            if (kind == rt::CallKind::PropertyPut) return name = rt::CStr(args.at(0)), rt::Variant();
            return name;
        }
        if (rt::iequals(member, "Partner") && kind == rt::CallKind::PropertyPutRef) {
            partner = args.at(0).isObject() ? *rt::VariantAccess::get<rt::ObjectPtr>(args[0]) : nullptr;
            return {};
        }
        return rt::Object::invoke(member, kind, args);
    }
    std::string name;
    rt::ObjectPtr partner;
};

int32_t errorNumber(const std::function<void()>& f, std::string* description = nullptr) {
    try {
        f();
    } catch (const rt::Error& e) {
        if (description) *description = e.description();
        return e.number();
    }
    return 0;
}

} // namespace

TEST(Automation, InProcessClassesAreCreatedByProgIdIgnoringCase) {
    automation::registerClass("Test.Doubler", [] { return std::make_shared<Doubler>(); });
    EXPECT_TRUE(automation::isRegistered("test.DOUBLER"));
    rt::ObjectPtr a = automation::CreateObject("TEST.doubler");
    rt::ObjectPtr b = automation::CreateObject("Test.Doubler");
    EXPECT_EQ(a->className(), "Doubler");
    EXPECT_NE(a, b) << "each call makes a new object";
}

TEST(Automation, ArgumentsGoByReference) {
    automation::registerClass("Test.Doubler", [] { return std::make_shared<Doubler>(); });
    rt::ObjectPtr d = automation::CreateObject("Test.Doubler");
    std::vector<rt::Variant> args{21};
    rt::Variant old = automation::call(d, "twice", args);
    EXPECT_EQ(rt::CLng(old), 21);
    EXPECT_EQ(rt::CLng(args[0]), 42);

    automation::let(d, "Name", "first");
    EXPECT_EQ(rt::CStr(automation::get(d, "NAME")), "first");
    automation::set(d, "Partner", d);
    EXPECT_EQ(std::static_pointer_cast<Doubler>(d)->partner, d);
    std::static_pointer_cast<Doubler>(d)->partner.reset();

    EXPECT_EQ(errorNumber([&] { automation::callv(d, "Thrice", 1); }), rt::errMemberNotFound);
}

TEST(Automation, AnUnknownProgIdRaises429NamingIt) {
    automationtest::TempRegistry reg;
    std::string description;
    EXPECT_EQ(errorNumber([] { automation::CreateObject("No.SuchThing"); }, &description),
              rt::errCannotCreateObject);
    EXPECT_NE(description.find("ActiveX component can't create object"), std::string::npos);
    EXPECT_NE(description.find("No.SuchThing"), std::string::npos);
    EXPECT_FALSE(automation::isRegistered("No.SuchThing"));
}

TEST(Automation, AServerThatCannotServeRaises429) {
    automationtest::TempRegistry reg;
    automation::registerServer({"Gone.Server", {}, "Gone", "Gone", "/nonexistent/gone.so"});
    std::string description;
    EXPECT_EQ(errorNumber([] { automation::CreateObject("Gone.Server"); }, &description),
              rt::errCannotCreateObject);
    EXPECT_NE(description.find("Gone.Server"), std::string::npos);
    EXPECT_NE(description.find("gone.so"), std::string::npos);
}

TEST(Automation, CallsOnNothingRaise91) {
    rt::ObjectPtr nothing;
    std::vector<rt::Variant> none;
    EXPECT_EQ(errorNumber([&] { automation::call(nothing, "show", none); }), rt::errObjectNotSet);
    EXPECT_EQ(errorNumber([&] { automation::get(nothing, "adocon"); }), rt::errObjectNotSet);
    EXPECT_EQ(errorNumber([&] { automation::let(nothing, "strTableName", "x"); }), rt::errObjectNotSet);
    EXPECT_EQ(errorNumber([&] { automation::set(nothing, "adocon", nullptr); }), rt::errObjectNotSet);
}
