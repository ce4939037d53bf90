#pragma once

#include <memory>

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "platform/uikit/UIView.hpp"

// The unit circle with the angle of its data: axes, the circle, the swept arc and the radius
// to the point. The picture fades in when its animation (re)starts, unless the table is being
// captured (isTakingScreenshot), when it is shown finished at once.
class UnitCircleChartView : public UIView {
public:
    UnitCircleChartView(const CGRect& frame, std::shared_ptr<UnitCircleChartData> data);

    const std::shared_ptr<UnitCircleChartData>& chartData() const { return chartData_; }

    void restartAnimation();

    void drawRect(const CGRect& rect) const override;

    static constexpr double animationDuration = 1.0;

private:
    std::shared_ptr<UnitCircleChartData> chartData_;
};
