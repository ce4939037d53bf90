#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/FormulaError.hpp"
#include "Radixel/math/NaturalConstant.hpp"

TEST(Digit, KeepsTheNumeratorAndDenominatorItIsMadeWith) {
    Digit digit(-3.5, 4.0);

    EXPECT_EQ(digit.z, -3.5);
    EXPECT_EQ(digit.n, 4.0);
    EXPECT_TRUE(digit.zConstants.empty());
    EXPECT_EQ(digit.powerOfNVariable, 0.0);
}

TEST(NaturalConstant, EqualityComparesKeyLatexAndValueAsNumbers) {
    const NaturalConstant pi{"pi", "\\pi", 3.14159};

    EXPECT_EQ(pi, (NaturalConstant{"pi", "\\pi", 3.14159}));
    EXPECT_NE(pi, (NaturalConstant{"pi", "\\pi", 3.14}));
    EXPECT_NE(pi, (NaturalConstant{"pi", "\\Pi", 3.14159}));
    EXPECT_NE(pi, (NaturalConstant{"Pi", "\\pi", 3.14159}));
    EXPECT_EQ((NaturalConstant{"z", "0", 0.0}), (NaturalConstant{"z", "0", -0.0}));

    const NaturalConstant notANumber{"nan", "?", std::numeric_limits<double>::quiet_NaN()};
    EXPECT_FALSE(notANumber == notANumber);
}

TEST(FormulaError, IsAnExceptionThatComparesAndHashesByCase) {
    const FormulaError error(FormulaError::configurationFailed);

    EXPECT_EQ(error, FormulaError(FormulaError::configurationFailed));
    EXPECT_EQ(std::hash<FormulaError>{}(error), std::hash<FormulaError>{}(FormulaError(FormulaError::configurationFailed)));
    EXPECT_NE(std::string(error.what()).find("configurationFailed"), std::string::npos);
    try {
        throw error;
    } catch (const std::exception& caught) {
        EXPECT_STREQ(caught.what(), error.what());
    }
}
