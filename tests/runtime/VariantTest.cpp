#include "runtime/Variant.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

namespace {

using rt::Variant;

struct Thing : rt::Object {
    std::string className() const override { return "Thing"; }
};

TEST(VariantType, WideIntegersAndWrongTypeViews) {
    EXPECT_EQ(Variant(int64_t{5}).type(), Variant::Type::Long);
    EXPECT_EQ(Variant(int64_t{1} << 40).type(), Variant::Type::Double); // beyond a Long
    EXPECT_FALSE(Variant("2").isNumber());
    EXPECT_EQ(testsupport::errorOf([] { Variant(5).str(); }), rt::errTypeMismatch);
    EXPECT_EQ(testsupport::errorOf([] { Variant(rt::ObjectPtr()).object(); }), rt::errObjectNotSet);
    EXPECT_EQ(testsupport::errorOf([] { Variant(5).object(); }), rt::errTypeMismatch);
}

TEST(VariantEquality, EmptyNullNumbersTextAndObjects) {
    EXPECT_TRUE(Variant() == Variant(0));
    EXPECT_TRUE(Variant() == Variant(""));
    EXPECT_TRUE(Variant() == Variant(false));
    EXPECT_FALSE(Variant() == Variant(" "));
    EXPECT_FALSE(Variant::null() == Variant::null());
    EXPECT_FALSE(Variant::null() == Variant());
    EXPECT_FALSE(Variant("") == Variant::null());
    EXPECT_TRUE(Variant(int16_t{5}) == Variant(5.0));
    EXPECT_TRUE(Variant(true) == Variant(-1));
    EXPECT_TRUE(Variant(5) == Variant(" 5.0 "));
    EXPECT_FALSE(Variant("abc") == Variant(0));
    EXPECT_FALSE(Variant("A") == Variant("a"));
    EXPECT_FALSE(Variant("5") == Variant("5.0")); // two texts compare as text
    EXPECT_TRUE(Variant(rt::makeDate(1900, 1, 1)) == Variant(2));
    auto a = std::make_shared<Thing>();
    EXPECT_TRUE(Variant(a) == Variant(rt::ObjectPtr(a)));
    EXPECT_FALSE(Variant(a) == Variant(std::make_shared<Thing>()));
}

} // namespace
