#include <gtest/gtest.h>

#include <cmath>

#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

namespace {

TEST(NumberString, LimitsDigitsParenthesesConstantsVariableAndUnit) {
    const std::vector<NaturalConstant> pi{{"pi", "\\pi", M_PI}};
    struct Case {
        double value;
        std::string expected;
        std::string variable = "";
        bool withoutParentheses = false;
        const std::vector<NaturalConstant>* constants = nullptr;
        bool allowInfinity = true;
    };
    const Case cases[] = {
        {0.00000000001, "0"}, {-0.00000000001, "0"}, {-0.0, "0"}, {1e-10, "0.0000000001"},
        {1e12, "1000000000000"}, {-1e12, "(-1000000000000)"}, {1e12 + 1, "\\infty"}, {INFINITY, "\\infty"},
        {-2e12, "-\\infty"}, {2e12, "2000000000000", "", false, nullptr, false},
        {-2.5, "(-2.5)"}, {2.5, "2.5"}, {7.0 / 3, "2.3333333333"}, {1.0 / 3, "0.3333333333"},
        {1234567.5, "1234567.5"},  // no grouping
        {9027161.35, "9027161.35"}, {-2.5, "-2.5", "", true},
        {1, "\\pi", "", false, &pi}, {-1, "(-\\pi)", "", false, &pi}, {-2, "(-2\\pi)", "", false, &pi},
        {3, "3\\pi", "", false, &pi},
        {1, "x", "x"}, {-1, "-x", "x", true}, {-1, "(-1) x", "x"}, {2, "2 x", "x"}, {0, "0 x", "x"}};
    KeTuStringOutput output;
    for (const Case& c : cases)
        EXPECT_EQ(output.numberString("", c.constants ? *c.constants : std::vector<NaturalConstant>{}, c.variable,
                                      10, c.allowInfinity, c.withoutParentheses, c.value),
                  c.expected)
            << c.value;
    EXPECT_EQ(output.numberString("cm", {}, "", 2, true, false, 1.005), "1 cm");
}

// The solver's runs check the numbering.
TEST(StepTitles, APercentSignInATitleStandsForItself) {
    EXPECT_EQ(KeTuStringOutput().nextStepTitle("100% %i %s"), "Step 1    100% %i %s");
}

TEST(Rounding, ThreePlacesWithApproximationFlag) {
    struct Case {
        double value;
        int64_t places;
        double rounded;
        bool approximate;
    };
    for (const Case& c : {Case{7.0 / 3, 3, 2.333, true}, Case{0.5, 3, 0.5, false}, Case{1.23456, 3, 1.235, true},
                          Case{-2.5555, 3, -2.556, true}, Case{2.0000000001, 3, 2.0, false},
                          Case{1.99999999, 3, 2.0, false}, Case{2.0, 3, 2.0, false}, Case{2.5, 0, 3.0, true},
                          Case{-2.5, 0, -3.0, true}, Case{1.0 / 6, 3, 0.167, true}, Case{0.00001, 3, 0.0, true}}) {
        auto result = KeTuMathOperation::shared().roundedToDecimalPlaces(c.value, c.places);
        EXPECT_DOUBLE_EQ(result.rounded, c.rounded) << c.value;
        EXPECT_EQ(result.isApproximate, c.approximate) << c.value;
    }
    EXPECT_TRUE(std::isnan(KeTuMathOperation::shared().roundedToDecimalPlaces(NAN, 3).rounded));
}

}  // namespace
