// Reading the rates text: the lists, the identifiers that count as numbers, the rate lookup.
#include "rates/RateText.h"

#include <gtest/gtest.h>

namespace {

using namespace idj::rates;
using Texts = std::vector<std::string>;

TEST(RateTextTest, SplitsIntoIdentifiersAndRates) {
    RateLists l = splitRates(" 1:2:5:-1:83.2:");
    EXPECT_EQ(l.ids, (Texts{"1", "2", "5"}));
    EXPECT_EQ(l.rates, (Texts{"1", "83.2"}));
    EXPECT_TRUE(splitRates("   ").ids.empty());
    EXPECT_EQ(splitRates("3:").ids, Texts{"3"}); // no rate part at all
    EXPECT_TRUE(splitRates("3:").rates.empty());
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
