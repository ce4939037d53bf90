#include <gtest/gtest.h>

#include <tuple>

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "Radixel/charts/views/ChartManager.hpp"
#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "Radixel/charts/views/ScreenshotFlag.hpp"
#include "Radixel/charts/views/UnitCircleChartView.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

using uikit::testing::Harness;

namespace {

std::shared_ptr<UnitCircleChartData> unitCircle() {
    return std::make_shared<UnitCircleChartData>(45.0, 0.7, 390.0, 1, Quadrant::first);
}

std::shared_ptr<ChartTableViewCell> cellFromNib() {
    ChartTableViewCell::registerNib();
    auto views = UINib::nibWithNibName(ChartTableViewCell::nibName, nullptr)->instantiateWithOwner(nullptr);
    return std::dynamic_pointer_cast<ChartTableViewCell>(views.at(0));
}

std::shared_ptr<UnitCircleChartView> chartIn(ChartTableViewCell& cell) {
    const auto& views = cell.contentView()->subviews();
    return views.empty() ? nullptr : std::dynamic_pointer_cast<UnitCircleChartView>(views.front());
}

}  // namespace

TEST(ChartTableViewCell, ShowsOneChartViewSizedByTheHostAndReplacesWhatWasThere) {
    Harness h;
    auto cell = cellFromNib();
    ASSERT_TRUE(cell);
    auto host = std::make_shared<UIView>(CGRect{0, 0, 300, 600});
    cell->contentView()->addSubview(std::make_shared<UIView>());
    auto data = unitCircle();
    cell->setupChart({data}, host);
    ASSERT_EQ(cell->contentView()->subviews().size(), 1u);
    auto chart = chartIn(*cell);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->chartData(), data);
    EXPECT_EQ(std::tuple(data->alpha, data->b, data->angle, data->fullCircles, data->quadrant),
              std::tuple(45.0, 0.7, 390.0, 1, Quadrant::first));
    EXPECT_EQ(chart->frame(), (CGRect{0, 0, 300, 150}));  // twice as wide as high

    // Several elements ask for a spline chart, and no spline data exists: nothing is shown.
    cell->setupChart({unitCircle(), unitCircle()}, host);
    EXPECT_EQ(cell->chartData.size(), 2u);
    EXPECT_TRUE(cell->contentView()->subviews().empty());
    cell->setupChart({std::make_shared<ChartData>()}, host);
    EXPECT_TRUE(cell->contentView()->subviews().empty());
}

TEST(ChartManager, RefreshRestartsTheUnitCircleUnlessTheTableIsBeingCaptured) {
    Harness h;
    auto cell = cellFromNib();
    cell->setupChart({unitCircle()}, std::make_shared<UIView>(CGRect{0, 0, 390, 800}));
    auto chart = chartIn(*cell);

    isTakingScreenshot = true;
    ChartManager::refreshChart(cell);
    EXPECT_FALSE(chart->hasRunningAnimations());
    EXPECT_DOUBLE_EQ(chart->presentationAlpha(), 1.0);
    isTakingScreenshot = false;

    ChartManager::refreshChart(cell);
    EXPECT_TRUE(chart->hasRunningAnimations());
    h.advance(UnitCircleChartView::animationDuration / 2);
    EXPECT_GT(chart->presentationAlpha(), 0.0);
    EXPECT_LT(chart->presentationAlpha(), 1.0);
    h.finishAnimations();
    EXPECT_DOUBLE_EQ(chart->presentationAlpha(), 1.0);

    ChartManager::refreshChart(nullptr);
    cell->setupChart({std::make_shared<ChartData>()}, nullptr);
    ChartManager::refreshChart(cell);
}
