#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "platform/foundation/NSNumberFormatter.hpp"

// An angle on the unit circle, with the chart that shows it; the chart starts at 0 in the
// first quadrant.
class KeTuUnitCircle {
public:
    KeTuUnitCircle() = default;
    KeTuUnitCircle(const KeTuUnitCircle&) = delete;
    KeTuUnitCircle& operator=(const KeTuUnitCircle&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    std::string inputStringAlpha;
    std::string inputStringB;
    NSNumberFormatter numberFormatter;
    int64_t solutionStepCounter = 0;
    bool withFraction = false;
    std::shared_ptr<Digit> alpha = newDigit();
    std::shared_ptr<Digit> b = newDigit();
    std::shared_ptr<UnitCircleChartData> unitCircleChartData =
        std::make_shared<UnitCircleChartData>(0.0, 0.0, 0.0, 0, Quadrant::first);
};
