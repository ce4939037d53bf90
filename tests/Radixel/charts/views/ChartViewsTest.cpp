#include <gtest/gtest.h>

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "Radixel/charts/views/ChartManager.hpp"
#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "Radixel/charts/views/ScreenshotFlag.hpp"
#include "Radixel/charts/views/UnitCircleChartView.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

namespace {

class ChartCellTest : public ::testing::Test {
protected:
    ChartCellTest() {
        ChartTableViewCell::registerNib();
        auto views = UINib::nibWithNibName(ChartTableViewCell::nibName, nullptr)->instantiateWithOwner(nullptr);
        cell = std::dynamic_pointer_cast<ChartTableViewCell>(views.at(0));
    }

    std::shared_ptr<UnitCircleChartView> chart() const {
        const auto& views = cell->contentView()->subviews();
        return views.empty() ? nullptr : std::dynamic_pointer_cast<UnitCircleChartView>(views.front());
    }

    uikit::testing::Harness h;
    std::shared_ptr<ChartTableViewCell> cell;
    std::shared_ptr<UnitCircleChartData> data =
        std::make_shared<UnitCircleChartData>(45.0, 0.7, 390.0, 1, Quadrant::first);
};

}  // namespace

TEST_F(ChartCellTest, ShowsOneChartViewSizedByTheHostInPlaceOfWhatWasThere) {
    cell->contentView()->addSubview(std::make_shared<UIView>());
    cell->setupChart({data}, std::make_shared<UIView>(CGRect{0, 0, 300, 600}));
    ASSERT_EQ(cell->contentView()->subviews().size(), 1u);
    ASSERT_TRUE(chart());
    EXPECT_EQ(chart()->chartData(), data);
    EXPECT_EQ(chart()->frame(), (CGRect{0, 0, 300, 150}));  // twice as wide as high

    cell->setupChart({data, std::make_shared<ChartData>()}, nullptr);  // one view shows one chart
    EXPECT_TRUE(cell->contentView()->subviews().empty());
    ChartManager::refreshChart(cell);
    ChartManager::refreshChart(nullptr);
}

TEST_F(ChartCellTest, RefreshRestartsTheUnitCircleUnlessTheTableIsBeingCaptured) {
    cell->setupChart({data}, nullptr);
    isTakingScreenshot = true;
    ChartManager::refreshChart(cell);
    EXPECT_FALSE(chart()->hasRunningAnimations());
    isTakingScreenshot = false;

    ChartManager::refreshChart(cell);
    h.advance(UnitCircleChartView::animationDuration / 2);
    EXPECT_GT(chart()->presentationAlpha(), 0.0);
    EXPECT_LT(chart()->presentationAlpha(), 1.0);
    h.finishAnimations();
    EXPECT_DOUBLE_EQ(chart()->presentationAlpha(), 1.0);
}
