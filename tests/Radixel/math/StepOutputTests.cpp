#include <gtest/gtest.h>

#include <cmath>

#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

namespace {

std::string solverNumber(double value) {
    return KeTuStringOutput().numberString("", {}, "", 10, true, false, value);
}

TEST(NumberString, MagnitudeLimits) {
    EXPECT_EQ(solverNumber(0.00000000001), "0");
    EXPECT_EQ(solverNumber(-0.00000000001), "0");
    EXPECT_EQ(solverNumber(-0.0), "0");
    EXPECT_EQ(solverNumber(1e-10), "0.0000000001");
    EXPECT_EQ(solverNumber(1e12), "1000000000000");
    EXPECT_EQ(solverNumber(-1e12), "(-1000000000000)");
    EXPECT_EQ(solverNumber(1e12 + 1), "\\infty");
    EXPECT_EQ(solverNumber(INFINITY), "\\infty");
    EXPECT_EQ(solverNumber(-2e12), "-\\infty");
    EXPECT_EQ(KeTuStringOutput().numberString("", {}, "", 10, false, false, 2e12), "2000000000000");
}

TEST(NumberString, DigitsAndParentheses) {
    EXPECT_EQ(solverNumber(-2.5), "(-2.5)");
    EXPECT_EQ(solverNumber(2.5), "2.5");
    EXPECT_EQ(solverNumber(7.0 / 3), "2.3333333333");
    EXPECT_EQ(solverNumber(1.0 / 3), "0.3333333333");
    EXPECT_EQ(solverNumber(1234567.5), "1234567.5");  // no grouping
    EXPECT_EQ(solverNumber(9027161.35), "9027161.35");
    EXPECT_EQ(KeTuStringOutput().numberString("", {}, "", 10, true, true, -2.5), "-2.5");
}

TEST(NumberString, ConstantsVariableAndUnit) {
    KeTuStringOutput output;
    std::vector<NaturalConstant> pi{{"pi", "\\pi", M_PI}};
    EXPECT_EQ(output.numberString("", pi, "", 10, true, false, 1), "\\pi");
    EXPECT_EQ(output.numberString("", pi, "", 10, true, false, -1), "(-\\pi)");
    EXPECT_EQ(output.numberString("", pi, "", 10, true, false, -2), "(-2\\pi)");
    EXPECT_EQ(output.numberString("", pi, "", 10, true, false, 3), "3\\pi");

    EXPECT_EQ(output.numberString("", {}, "x", 10, true, false, 1), "x");
    EXPECT_EQ(output.numberString("", {}, "x", 10, true, true, -1), "-x");
    EXPECT_EQ(output.numberString("", {}, "x", 10, true, false, -1), "(-1) x");
    EXPECT_EQ(output.numberString("", {}, "x", 10, true, false, 2), "2 x");
    EXPECT_EQ(output.numberString("", {}, "x", 10, true, false, 0), "0 x");
    EXPECT_EQ(output.numberString("cm", {}, "", 2, true, false, 1.005), "1 cm");
}

TEST(StepTitles, NumberFromOneAfterAReset) {
    KeTuStringOutput output;
    EXPECT_EQ(output.nextStepTitle("Your Input"), "Step 1    Your Input");
    EXPECT_EQ(output.nextStepTitle("Expand"), "Step 2    Expand");
    // A "%" in a title stands for itself.
    EXPECT_EQ(output.nextStepTitle("100% %i %s"), "Step 3    100% %i %s");
    EXPECT_EQ(output.solutionStepCounter, 3);
}

TEST(Rounding, ThreePlacesWithApproximationFlag) {
    const auto& operation = KeTuMathOperation::shared();
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
        auto result = operation.roundedToDecimalPlaces(c.value, c.places);
        EXPECT_DOUBLE_EQ(result.rounded, c.rounded) << c.value;
        EXPECT_EQ(result.isApproximate, c.approximate) << c.value;
    }
    EXPECT_TRUE(std::isnan(operation.roundedToDecimalPlaces(NAN, 3).rounded));
}

}  // namespace
