#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/charts/ChartData.hpp"
#include "platform/uikit/UITableViewCell.hpp"

// The table row of one chart: one chart view filling the content view, as wide as the host view
// and as high as the data's frame ratio asks. Made from the interface file "ChartTableViewCell".
class ChartTableViewCell : public UITableViewCell {
public:
    static constexpr const char* cellIdentifier = "chartCell";
    static constexpr const char* nibName = "ChartTableViewCell";

    // Registers the interface file under nibName; registering again replaces it.
    static void registerNib();

    ChartTableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier);
    explicit ChartTableViewCell(const NSCoder& coder);

    // Keeps the data and replaces the content view's subviews by the chart view for it: the
    // view of the one element's kind. A kind without a view (or a list of several elements, for
    // which only a spline chart exists and no spline data does) leaves the content view empty.
    void setupChart(const std::vector<std::shared_ptr<ChartData>>& data, const std::shared_ptr<UIView>& host);

    std::vector<std::shared_ptr<ChartData>> chartData;
};
