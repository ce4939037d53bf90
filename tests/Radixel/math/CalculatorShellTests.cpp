#include <gtest/gtest.h>

#include "Radixel/math/KeTuACMethod.hpp"
#include "Radixel/math/KeTuBinomialFormula.hpp"
#include "Radixel/math/KeTuFactorizeQuadratics.hpp"
#include "Radixel/math/KeTuFieldlessCalculators.hpp"
#include "Radixel/math/KeTuFindX.hpp"
#include "Radixel/math/KeTuFormulaCalculation.hpp"
#include "Radixel/math/KeTuGeometryCalculators.hpp"
#include "Radixel/math/KeTuInputListCalculators.hpp"
#include "Radixel/math/KeTuInputManager.hpp"
#include "Radixel/math/KeTuLinearEquation.hpp"
#include "Radixel/math/KeTuOptionalInputListCalculators.hpp"
#include "Radixel/math/KeTuPercentageCalculator.hpp"
#include "Radixel/math/KeTuPythagoras.hpp"
#include "Radixel/math/KeTuQuickStochastics.hpp"
#include "Radixel/math/KeTuReduceFraction.hpp"
#include "Radixel/math/KeTuRuleOfProportion.hpp"
#include "Radixel/math/KeTuSimpleFractionCalculator.hpp"
#include "Radixel/math/KeTuSineCosineTangent.hpp"
#include "Radixel/math/KeTuUnitCircle.hpp"

namespace {

void expectFreshTerm(const std::shared_ptr<Digit>& term) {
    ASSERT_NE(term, nullptr);
    EXPECT_FALSE(term->z.has_value());
    EXPECT_EQ(term->n, 1.0);
}

}  // namespace

TEST(CalculatorShells, ShareTheFrameworksObjectsButNotTheirTerms) {
    KeTuRuleOfProportion first;
    KeTuRuleOfProportion second;

    EXPECT_EQ(&first.outputHelper, &KeTuStringOutput::shared());
    EXPECT_EQ(&first.mathOperation, &KeTuMathOperation::shared());
    EXPECT_EQ(&first.inputManager, &second.inputManager);
    EXPECT_EQ(&first.inputManager, &KeTuInputManager::shared());

    for (const auto& term : {first.a, first.b, first.c, first.d}) expectFreshTerm(term);
    EXPECT_NE(first.a, second.a);
    EXPECT_NE(first.a, first.b);
    first.a->z = 4.0;
    EXPECT_FALSE(second.a->z.has_value());

    KeTuRightTriangle triangle;
    KeTuSphereCalculator sphere;
    EXPECT_EQ(&triangle.operation, &sphere.operation);
    EXPECT_EQ(&triangle.output, &sphere.output);
    EXPECT_NE(&triangle.numberFormatter, &sphere.numberFormatter);
    EXPECT_EQ(triangle.solutionStepCounter, 0);
    EXPECT_FALSE(triangle.someThingCalculated);
    EXPECT_TRUE(triangle.inputParameters.empty());
}

TEST(CalculatorShells, EveryUnitCircleStartsItsOwnChartAtZeroInTheFirstQuadrant) {
    KeTuUnitCircle first;
    KeTuUnitCircle second;

    ASSERT_NE(first.unitCircleChartData, nullptr);
    EXPECT_NE(first.unitCircleChartData, second.unitCircleChartData);
    for (const KeTuUnitCircle* circle : {&first, &second}) {
        const UnitCircleChartData& chart = *circle->unitCircleChartData;
        EXPECT_EQ(chart.alpha, 0.0);
        EXPECT_EQ(chart.b, 0.0);
        EXPECT_EQ(chart.angle, 0.0);
        EXPECT_EQ(chart.fullCircles, 0);
        EXPECT_EQ(chart.quadrant, Quadrant::first);
        EXPECT_EQ(chart.frameRatio, 2.0);
    }
    expectFreshTerm(first.alpha);
    EXPECT_NE(first.alpha, second.alpha);
}

TEST(CalculatorShells, TheInputManagerIsOneObjectWithItsStartValues) {
    KeTuInputManager& manager = KeTuInputManager::shared();

    EXPECT_EQ(&manager, &KeTuInputManager::shared());
    EXPECT_EQ(manager.inputFormatMode, FormatMode::formula);
    EXPECT_TRUE(manager.isAllFractionIfOccuredOnce);
    EXPECT_FALSE(manager.isDecimalEliminationForced);
    EXPECT_FALSE(manager.isTagUsed);
    EXPECT_TRUE(manager.inputSymbols.empty());
    expectFreshTerm(manager.digit);
}

TEST(CalculatorShells, StartValuesThatDifferFromTheUsualOnes) {
    EXPECT_TRUE(KeTuFactorizeQuadratics().isA1Example);
    EXPECT_TRUE(KeTuACMethod().isA1Example);

    KeTuFindX findX;
    EXPECT_TRUE(findX.isXAllowed);
    EXPECT_FALSE(findX.isDotInDigitAlready.has_value());
    EXPECT_FALSE(findX.bracketCounter.has_value());
    EXPECT_TRUE(findX.allDigits.empty());

    EXPECT_EQ(KeTuLinearEquation().divisor, 1.0);
    EXPECT_FALSE(KeTuPythagoras().divisor.has_value());
    EXPECT_FALSE(KeTuFactorizeQuadratics().divisor.has_value());
    EXPECT_FALSE(KeTuReduceFraction().divisor.has_value());
    EXPECT_FALSE(KeTuBinomialFormula().divisor.has_value());
    EXPECT_FALSE(findX.divisor.has_value());

    EXPECT_EQ(KeTuReduceFraction().maximumFractionDigits, 10);
    EXPECT_FALSE(KeTuBinomialFormula().solutionStepCounter.has_value());
    EXPECT_FALSE(KeTuLinearEquation().m.z.has_value());
    EXPECT_EQ(KeTuPythagoras().c.n, 1.0);
}

TEST(CalculatorShells, InputListsAndRoundingPlacesByLayout) {
    EXPECT_FALSE(KeTuSimplePowerCalculator().allInputs.has_value());
    EXPECT_FALSE(KeTuBinomialCoefficient().allInputs.has_value());
    EXPECT_FALSE(KeTuSineCosineTangent().allInputs.has_value());

    KeTuBernoulliFormula bernoulli;
    EXPECT_TRUE(bernoulli.allInputs.empty());
    EXPECT_EQ(KeTuCombinatorics().decimalPlaces, 5);
    EXPECT_EQ(KeTuHypothesisTestTypeIError().decimalPlaces, 5);
    EXPECT_EQ(KeTuQuickStochastics().decimalPlaces, 5);
    EXPECT_EQ(KeTuFormulaCalculation().decimalPlaces, 12);

    KeTuSimpleFractionCalculator fractions;
    for (const auto& term : {fractions.a, fractions.b, fractions.c, fractions.d, fractions.ab, fractions.cd})
        expectFreshTerm(term);
    KeTuPercentageCalculator percentage;
    EXPECT_EQ(&percentage.inputManager, &KeTuInputManager::shared());
    EXPECT_TRUE(percentage.inputFormat.empty());
}
