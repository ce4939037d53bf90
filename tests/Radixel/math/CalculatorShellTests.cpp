#include <gtest/gtest.h>

#include "Radixel/math/KeTuGeometryCalculators.hpp"
#include "Radixel/math/KeTuRuleOfProportion.hpp"
#include "Radixel/math/KeTuUnitCircle.hpp"

// The calculators share the framework's singletons, but a term or chart shared between two
// calculators would carry one calculation's numbers into the other.
TEST(CalculatorShells, ShareTheFrameworksObjectsButNeitherTheirTermsNorTheirCharts) {
    KeTuRuleOfProportion first;
    KeTuRuleOfProportion second;
    EXPECT_EQ(&first.outputHelper, &KeTuStringOutput::shared());
    EXPECT_EQ(&first.inputManager, &second.inputManager);
    for (const auto& term : {first.a, first.b, first.c, first.d}) {
        ASSERT_NE(term, nullptr);
        EXPECT_FALSE(term->z.has_value());
        EXPECT_EQ(term->n, 1.0);
    }
    EXPECT_NE(first.a, first.b);
    first.a->z = 4.0;
    EXPECT_FALSE(second.a->z.has_value());

    KeTuRightTriangle triangle;
    KeTuSphereCalculator sphere;
    EXPECT_EQ(&triangle.operation, &sphere.operation);
    EXPECT_NE(&triangle.numberFormatter, &sphere.numberFormatter);

    KeTuUnitCircle circle, other;
    ASSERT_NE(circle.unitCircleChartData, nullptr);
    EXPECT_NE(circle.unitCircleChartData, other.unitCircleChartData);
    EXPECT_EQ(circle.unitCircleChartData->quadrant, Quadrant::first);
    EXPECT_NE(circle.alpha, other.alpha);
}
