#include "runtime/Variant.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

namespace {

using rt::Variant;
using T = Variant::Type;

struct Thing : rt::Object {
    std::string className() const override { return "Thing"; }
};

TEST(VariantType, WideIntegersAndNumberKinds) {
    EXPECT_EQ(Variant(int64_t{5}).type(), T::Long);
    EXPECT_EQ(Variant(int64_t{1} << 40).type(), T::Double); // beyond a Long
    EXPECT_DOUBLE_EQ(rt::CDbl(Variant(int64_t{1} << 40)), 1099511627776.0);
    EXPECT_TRUE(Variant(int16_t{2}).isNumber());
    EXPECT_FALSE(Variant(true).isNumber());
    EXPECT_FALSE(Variant("2").isNumber());
    EXPECT_FALSE(Variant().isNumber());
}

TEST(VariantType, TypedViewsRaiseOnTheWrongType) {
    auto number = [](auto f) {
        try {
            f();
        } catch (const rt::Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(Variant("abc").str(), "abc");
    EXPECT_EQ(number([] { Variant(5).str(); }), rt::errTypeMismatch);
    EXPECT_EQ(number([] { Variant().object(); }), rt::errObjectNotSet);
    EXPECT_EQ(number([] { Variant(rt::ObjectPtr()).object(); }), rt::errObjectNotSet);
    EXPECT_EQ(number([] { Variant(5).object(); }), rt::errTypeMismatch);
    EXPECT_EQ(Variant("31/01/2026").date(), rt::makeDate(2026, 1, 31));
}

TEST(VariantEquality, EmptyEqualsZeroAndEmptyText) {
    EXPECT_TRUE(Variant() == Variant(0));
    EXPECT_TRUE(Variant() == Variant(""));
    EXPECT_TRUE(Variant() == Variant(false));
    EXPECT_TRUE(Variant() == Variant());
    EXPECT_FALSE(Variant() == Variant(" "));
    EXPECT_FALSE(Variant() == Variant(1));
}

TEST(VariantEquality, NullEqualsNothing) {
    EXPECT_FALSE(Variant::null() == Variant::null());
    EXPECT_FALSE(Variant::null() == Variant());
    EXPECT_FALSE(Variant::null() == Variant(0));
    EXPECT_FALSE(Variant("") == Variant::null());
}

TEST(VariantEquality, NumbersByValueTextExactly) {
    EXPECT_TRUE(Variant(int16_t{5}) == Variant(5.0));
    EXPECT_TRUE(Variant(true) == Variant(-1));
    EXPECT_TRUE(Variant("5") == Variant(5));
    EXPECT_TRUE(Variant(5) == Variant(" 5.0 "));
    EXPECT_FALSE(Variant("abc") == Variant(0));
    EXPECT_FALSE(Variant("A") == Variant("a"));
    EXPECT_FALSE(Variant("5") == Variant("5.0")); // two texts compare as text
    EXPECT_TRUE(Variant(rt::makeDate(1900, 1, 1)) == Variant(2));
}

TEST(VariantEquality, ObjectsByIdentity) {
    auto a = std::make_shared<Thing>();
    auto b = std::make_shared<Thing>();
    EXPECT_TRUE(Variant(a) == Variant(rt::ObjectPtr(a)));
    EXPECT_FALSE(Variant(a) == Variant(b));
    EXPECT_FALSE(Variant(a) == Variant(0));
}

TEST(ErrorObject, CarriesNumberSourceAndDescription) {
    try {
        rt::raise(rt::errNoCurrentRecord, "ADODB.Recordset");
        FAIL();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 3021);
        EXPECT_EQ(e.source(), "ADODB.Recordset");
        EXPECT_NE(e.description().find("current record"), std::string::npos);
        EXPECT_EQ(std::string(e.what()), e.description());
    }
    try {
        rt::raise(rt::errOverflow);
        FAIL();
    } catch (const std::runtime_error& e) {
        auto& err = dynamic_cast<const rt::Error&>(e);
        EXPECT_EQ(err.number(), 6);
        EXPECT_EQ(err.source(), "idjrnl08");
        EXPECT_EQ(err.description(), "Overflow");
    }
    rt::Error own(91, "frmJournal", "custom text");
    EXPECT_EQ(own.description(), "custom text");
    try {
        rt::raise(13, "x", "Own wording");
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.description(), "Own wording");
    }
}

TEST(LateBinding, UnknownMemberRaises438AndNamesMatchWithoutCase) {
    Thing t;
    std::vector<Variant> args;
    try {
        t.invoke("Frobnicate", rt::CallKind::Method, args);
        FAIL();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::errMemberNotFound);
        EXPECT_EQ(e.source(), "Thing");
    }
    EXPECT_TRUE(rt::iequals("strTableName", "STRTABLENAME"));
    EXPECT_FALSE(rt::iequals("adocon", "adocon2"));
}

} // namespace
