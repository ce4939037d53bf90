#include "Radixel/charts/views/ChartTableViewCell.hpp"

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "Radixel/charts/views/UnitCircleChartView.hpp"
#include "platform/uikit/UINib.hpp"

namespace {

std::shared_ptr<UIView> chartView(const std::shared_ptr<ChartData>& data, CGFloat width) {
    if (!data || !(data->frameRatio > 0)) {
        return nullptr;
    }
    CGRect frame{0, 0, width, width / data->frameRatio};
    if (auto unitCircle = std::dynamic_pointer_cast<UnitCircleChartData>(data)) {
        return std::make_shared<UnitCircleChartView>(frame, unitCircle);
    }
    return nullptr;
}

}  // namespace

void ChartTableViewCell::registerNib() {
    UINib::registerNib(nibName, [](const std::shared_ptr<UIResponder>&) -> std::vector<std::shared_ptr<UIView>> {
        auto cell = std::make_shared<ChartTableViewCell>(NSCoder(nibName, cellIdentifier));
        cell->setFrame({0, 0, 390, 195});
        cell->setSelectionStyle(UITableViewCellSelectionStyle::None);
        return {cell};
    });
}

ChartTableViewCell::ChartTableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier)
    : UITableViewCell(style, std::move(reuseIdentifier)) {}

ChartTableViewCell::ChartTableViewCell(const NSCoder& coder) : UITableViewCell(coder) {}

void ChartTableViewCell::setupChart(const std::vector<std::shared_ptr<ChartData>>& data,
                                    const std::shared_ptr<UIView>& host) {
    chartData = data;
    auto content = contentView();
    auto old = content->subviews();
    for (const auto& view : old) {
        view->removeFromSuperview();
    }
    if (data.size() != 1) {
        return;
    }
    CGFloat width = host ? host->frame().size.width : bounds().size.width;
    if (auto view = chartView(data.front(), width)) {
        content->addSubview(view);
    }
}
