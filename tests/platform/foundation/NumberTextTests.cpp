#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "platform/foundation/NSNumberFormatter.hpp"
#include "platform/foundation/NumberText.hpp"

namespace {

// Each table's texts, joined by spaces.
template <typename Format>
std::string texts(Format format, std::initializer_list<double> values) {
    std::string joined;
    for (double value : values) joined += (joined.empty() ? "" : " ") + format(value);
    return joined;
}

TEST(NumberText, ShortestRoundTripAndSixDigitTexts) {
    EXPECT_EQ(texts(foundation::doubleDescription, {2.0, -1.5, 0.0001, 0.00001, 1.5e-7, 0.1, 1.0 / 3, -0.0, 1000000.0,
                                                   9007199254740992.0, 9007199254740994.0, 1e100, 5e-324, NAN, -INFINITY}),
              "2.0 -1.5 0.0001 1e-05 1.5e-07 0.1 0.3333333333333333 -0.0 1000000.0 9007199254740992.0 "
              "9.007199254740994e+15 1e+100 5e-324 nan -inf");
    EXPECT_EQ(texts(foundation::printfG, {1.2345678, 1000000, 0.00001, -0.0, 2.5}), "1.23457 1e+06 1e-05 -0 2.5");
}

TEST(NumberFormatter, RoundsHalfToEvenOnTheShortestTextAndLaysOutTheDigits) {
    auto decimal = [](int64_t digits, bool grouping = true) {
        return [=](double value) {
            NSNumberFormatter formatter;
            formatter.maximumFractionDigits = digits;
            formatter.usesGroupingSeparator = grouping;
            return formatter.stringFromNumber(value);
        };
    };
    // The shortest text of 1.005 is a tie, rounded to even; 9027161.35 is not 9027161.3499999996.
    EXPECT_EQ(texts(decimal(2), {0.125, 0.375, 0.1251, 1.005}), "0.12 0.38 0.13 1");
    EXPECT_EQ(texts(decimal(0), {2.5, 3.5, 0.5}), "2 4 0");
    EXPECT_EQ(texts(decimal(3), {999.9996, -0.0004, 100, 0.05, -12.5, NAN, -INFINITY}), "1,000 -0 100 0.05 -12.5 NaN -∞");
    EXPECT_EQ(texts(decimal(10), {9027161.35, 1234567.5, 1e-10}), "9,027,161.35 1,234,567.5 0.0000000001");
    EXPECT_EQ(texts(decimal(10, false), {1234567.5, 1e21}), "1234567.5 1000000000000000000000");
    EXPECT_EQ(texts(decimal(-4), {1.5}), "2");  // negative counts act as none
}

}  // namespace
