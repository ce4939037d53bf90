#pragma once

// Base of the chart-data family. The solution screen sizes a chart row from its first
// element alone: row height = screen width / frameRatio, so frameRatio must stay positive.
//
// Chart data is handed around by pointer (std::shared_ptr) and recognised by its dynamic
// type, so it is polymorphic and never copied (a copy through the base would slice it).
class ChartData {
public:
    ChartData() = default;
    virtual ~ChartData();

    ChartData(const ChartData&) = delete;
    ChartData& operator=(const ChartData&) = delete;

    double frameRatio = 1.0;  // chart width divided by chart height
};
