#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/NSNumberFormatter.hpp"
#include "platform/foundation/NumberText.hpp"

namespace {

TEST(DoubleDescription, ShortestRoundTripText) {
    using foundation::doubleDescription;
    EXPECT_EQ(doubleDescription(2.0), "2.0");
    EXPECT_EQ(doubleDescription(-1.5), "-1.5");
    EXPECT_EQ(doubleDescription(0.0001), "0.0001");
    EXPECT_EQ(doubleDescription(0.00001), "1e-05");
    EXPECT_EQ(doubleDescription(1.5e-7), "1.5e-07");
    EXPECT_EQ(doubleDescription(0.1), "0.1");
    EXPECT_EQ(doubleDescription(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(doubleDescription(-0.0), "-0.0");
    EXPECT_EQ(doubleDescription(1000000.0), "1000000.0");
    EXPECT_EQ(doubleDescription(9007199254740992.0), "9007199254740992.0");
    EXPECT_EQ(doubleDescription(9007199254740994.0), "9.007199254740994e+15");
    EXPECT_EQ(doubleDescription(1e100), "1e+100");
    EXPECT_EQ(doubleDescription(5e-324), "5e-324");
    EXPECT_EQ(doubleDescription(NAN), "nan");
    EXPECT_EQ(doubleDescription(-INFINITY), "-inf");
}

TEST(PrintfG, SixSignificantDigits) {
    EXPECT_EQ(foundation::printfG(1.2345678), "1.23457");
    EXPECT_EQ(foundation::printfG(1000000), "1e+06");
    EXPECT_EQ(foundation::printfG(0.00001), "1e-05");
    EXPECT_EQ(foundation::printfG(-0.0), "-0");
    EXPECT_EQ(foundation::printfG(2.5), "2.5");
}

std::string decimal(double value, int64_t digits, bool grouping = true) {
    NSNumberFormatter formatter;
    formatter.maximumFractionDigits = digits;
    formatter.usesGroupingSeparator = grouping;
    return formatter.stringFromNumber(value);
}

TEST(NumberFormatter, RoundsHalfToEvenOnTheShortestDecimalText) {
    EXPECT_EQ(decimal(0.125, 2), "0.12");
    EXPECT_EQ(decimal(0.375, 2), "0.38");
    EXPECT_EQ(decimal(2.5, 0), "2");
    EXPECT_EQ(decimal(3.5, 0), "4");
    EXPECT_EQ(decimal(0.1251, 2), "0.13");
    EXPECT_EQ(decimal(9027161.35, 10), "9,027,161.35");  // not 9027161.3499999996
    EXPECT_EQ(decimal(1.005, 2), "1");                     // the shortest text is 1.005: a tie, to even
    EXPECT_EQ(decimal(999.9996, 3), "1,000");
    EXPECT_EQ(decimal(-0.0004, 3), "-0");
    EXPECT_EQ(decimal(0.5, 0), "0");
}

TEST(NumberFormatter, LayoutOfDigits) {
    EXPECT_EQ(decimal(1234567.5, 10), "1,234,567.5");
    EXPECT_EQ(decimal(1234567.5, 10, false), "1234567.5");
    EXPECT_EQ(decimal(100, 3), "100");
    EXPECT_EQ(decimal(0.05, 3), "0.05");
    EXPECT_EQ(decimal(-12.5, 3), "-12.5");
    EXPECT_EQ(decimal(1e-10, 10), "0.0000000001");
    EXPECT_EQ(decimal(1e21, 0, false), "1000000000000000000000");
    EXPECT_EQ(decimal(NAN, 3), "NaN");
    EXPECT_EQ(decimal(-INFINITY, 3), "-∞");
    EXPECT_EQ(decimal(1.5, -4), "2");  // negative counts act as none
}

}  // namespace
