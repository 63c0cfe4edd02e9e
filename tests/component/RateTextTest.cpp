// The rates text: reading its lists, writing rates so that every written text reads back.
#include "component/RateText.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace idj::rates;
using Texts = std::vector<std::string>;

TEST(RateTextTest, SplitsIntoIdentifiersAndRates) {
    RateLists l = splitRates(" 1:2:5:-1:83.2:");
    EXPECT_EQ(l.ids, (Texts{"1", "2", "5"}));
    EXPECT_EQ(l.rates, (Texts{"1", "83.2"}));
    EXPECT_TRUE(l.separated);
    EXPECT_TRUE(splitRates("   ").ids.empty());
    // No rate part at all: the currencies are there, their rates are not.
    RateLists bare = splitRates("3:");
    EXPECT_EQ(bare.ids, Texts{"3"});
    EXPECT_TRUE(bare.rates.empty());
    EXPECT_FALSE(bare.separated);
}

TEST(RateTextTest, OldExponentTextsReadAsTheyAlwaysHave) {
    // Its second "-" cut the rate off: the currency stays listed without a rate.
    RateLists l = splitRates("1:3:-1:6.25E-05:");
    EXPECT_EQ(l.ids, (Texts{"1", "3"}));
    EXPECT_EQ(l.rates, Texts{"1"});
    EXPECT_DOUBLE_EQ(rateOf(l, 3), 0);
}

TEST(RateTextTest, WrittenRatesArePlainAndReadBack) {
    EXPECT_EQ(rateText(0.0000625), "0.0000625");
    EXPECT_EQ(rateText(83.2), "83.2");
    EXPECT_EQ(rateText(1), "1");
    EXPECT_EQ(rateText(123456789012345), "123456789012345");
    EXPECT_EQ(rateText(1e20), "100000000000000000000");
    for (double rate : {0.0000625, 1.0 / 3, 2.0 / 3 * 1e-9, 83.2, 0.123456789012, 1e-300, 98765.4321e10}) {
        const std::string written = rateText(rate);
        EXPECT_EQ(written.find_first_of("eE-"), std::string::npos) << written;
        RateLists back = splitRates(joinRates({{" 1", "7"}, {"1", written}}));
        ASSERT_EQ(back.rates.size(), 2u) << written;
        // At least ten significant digits survive.
        EXPECT_NEAR(rateOf(back, 7), rate, std::fabs(rate) * 1e-10) << written;
    }
}

TEST(RateTextTest, NonFiniteRatesAreRefused) {
    for (double bad : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(testsupport::errorOf([&] { rateText(bad); }), rt::errOverflow) << bad;
}

TEST(RateTextTest, OnlyWholeNumbersCountAsIdentifiers) {
    EXPECT_EQ(wholeNumber(" 12 "), 12);
    EXPECT_EQ(wholeNumber("-3"), -3);
    for (const char* bad : {"", " ", "1.5", "1e2", "0x4", "2)", "1 or 1=1", "99999999999"})
        EXPECT_EQ(wholeNumber(bad), std::nullopt) << bad;
    EXPECT_EQ(sqlIdList({" 1", "2;drop table x", "7", "abc", "07"}), "1,7,7");
    EXPECT_EQ(sqlIdList({"x"}), "");
}

TEST(RateTextTest, RateComesFromTheFirstMatchingPosition) {
    RateLists l = splitRates("2:x:3:2:5:-83.2:9:22.6:1:");
    EXPECT_DOUBLE_EQ(rateOf(l, 2), 83.2);
    EXPECT_DOUBLE_EQ(rateOf(l, 3), 22.6); // the bad element keeps its position
    EXPECT_DOUBLE_EQ(rateOf(l, 5), 0);    // listed, but no rate at its position
    EXPECT_DOUBLE_EQ(rateOf(l, 4), 0);    // not listed
}

} // namespace
