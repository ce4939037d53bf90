#include "Radixel/charts/views/ChartManager.hpp"

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "Radixel/charts/views/UnitCircleChartView.hpp"

void ChartManager::refreshChart(const std::shared_ptr<ChartTableViewCell>& cell) {
    if (!cell || cell->chartData.empty() || !std::dynamic_pointer_cast<UnitCircleChartData>(cell->chartData.front())) {
        return;
    }
    const auto& views = cell->contentView()->subviews();
    if (views.empty()) {
        return;
    }
    if (auto chart = std::dynamic_pointer_cast<UnitCircleChartView>(views.front())) {
        chart->restartAnimation();
    }
}
