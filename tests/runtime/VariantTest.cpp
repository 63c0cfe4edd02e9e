#include "runtime/Variant.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

namespace {

using rt::Variant;
using T = Variant::Type;

struct Thing : rt::Object {
    std::string className() const override { return "Thing"; }
};

TEST(VariantType, ConstructorsPickTheType) {
    EXPECT_EQ(Variant().type(), T::Empty);
    EXPECT_EQ(Variant::null().type(), T::Null);
    EXPECT_EQ(Variant(int16_t{1}).type(), T::Integer);
    EXPECT_EQ(Variant(1).type(), T::Long);
    EXPECT_EQ(Variant(int64_t{5}).type(), T::Long);
    EXPECT_EQ(Variant(int64_t{1} << 40).type(), T::Double);
    EXPECT_EQ(Variant(1.5).type(), T::Double);
    EXPECT_EQ(Variant(true).type(), T::Boolean);
    EXPECT_EQ(Variant("x").type(), T::String);
    EXPECT_EQ(Variant(rt::makeDate(2026, 1, 1)).type(), T::Date);
    EXPECT_EQ(Variant(std::make_shared<Thing>()).type(), T::Object);
    EXPECT_TRUE(Variant(2.0).isNumber());
    EXPECT_FALSE(Variant(true).isNumber());
    EXPECT_FALSE(Variant("2").isNumber());
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

TEST(ErrorObject, StandardWordings) {
    auto text = [](int n) {
        try {
            rt::raise(n);
        } catch (const rt::Error& e) {
            return e.description();
        }
        return std::string();
    };
    EXPECT_EQ(text(13), "Type mismatch");
    EXPECT_EQ(text(91), "Object variable or With block variable not set");
    EXPECT_EQ(text(94), "Invalid use of Null");
    EXPECT_EQ(text(9), "Subscript out of range");
    EXPECT_EQ(text(5), "Invalid procedure call or argument");
    EXPECT_EQ(text(12345), "Application-defined or object-defined error");
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
