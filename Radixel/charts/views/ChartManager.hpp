#pragma once

#include <memory>

class ChartTableViewCell;

// What the solution screen asks of the charts once a chart row is on screen.
class ChartManager {
public:
    ChartManager() = delete;

    // Restarts the animation of a unit-circle chart shown in the cell; other charts have none.
    static void refreshChart(const std::shared_ptr<ChartTableViewCell>& cell);
};
