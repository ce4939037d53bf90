#include "Radixel/charts/ChartData.hpp"

// Out of line so the vtable has one home.
ChartData::~ChartData() = default;
