#pragma once

#include <cstdint>
#include <optional>

#include "Radixel/charts/ChartData.hpp"
#include "Radixel/charts/Quadrant.hpp"

// What a unit-circle chart shows: an angle alpha (with the point's b), the angle it sweeps and
// how many full turns come first. Twice as wide as high.
class UnitCircleChartData : public ChartData {
public:
    UnitCircleChartData(double alpha, double b, double angle, int64_t fullCircles, std::optional<Quadrant> quadrant);

    std::optional<double> alpha;
    std::optional<double> b;
    std::optional<double> angle;
    std::optional<int64_t> fullCircles;
    std::optional<Quadrant> quadrant;
};
