#include "Radixel/charts/UnitCircleChartData.hpp"

UnitCircleChartData::UnitCircleChartData(double alpha, double b, double angle, int64_t fullCircles,
                                         std::optional<Quadrant> quadrant)
    : alpha(alpha), b(b), angle(angle), fullCircles(fullCircles), quadrant(quadrant) {
    frameRatio = 2.0;
}
