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
