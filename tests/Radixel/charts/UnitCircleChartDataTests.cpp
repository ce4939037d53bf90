#include "Radixel/charts/UnitCircleChartData.hpp"

#include <gtest/gtest.h>

#include <memory>

TEST(UnitCircleChartData, HoldsTheGivenValuesAsPresentValuesAndIsTwiceAsWideAsHigh) {
    UnitCircleChartData data(0.5, -0.25, 390.0, -2, Quadrant::third);

    EXPECT_EQ(data.frameRatio, 2.0);
    EXPECT_EQ(data.alpha, 0.5);
    EXPECT_EQ(data.b, -0.25);
    EXPECT_EQ(data.angle, 390.0);
    EXPECT_EQ(data.fullCircles, -2);
    EXPECT_EQ(data.quadrant, Quadrant::third);
}

TEST(UnitCircleChartData, ZeroValuesArePresentAndTheQuadrantMayBeAbsent) {
    UnitCircleChartData data(0.0, 0.0, 0.0, 0, std::nullopt);

    ASSERT_TRUE(data.alpha.has_value());
    ASSERT_TRUE(data.fullCircles.has_value());
    EXPECT_EQ(*data.alpha, 0.0);
    EXPECT_EQ(*data.fullCircles, 0);
    EXPECT_FALSE(data.quadrant.has_value());
}

TEST(ChartData, PlainChartDataHasAPositiveFrameRatioAndIsNotUnitCircleData) {
    std::shared_ptr<ChartData> row = std::make_shared<ChartData>();

    EXPECT_GT(row->frameRatio, 0.0);
    EXPECT_EQ(std::dynamic_pointer_cast<UnitCircleChartData>(row), nullptr);
}
