#pragma once

#include <cstdint>
#include <optional>

class KeTuStringOutput;

// The framework's shared arithmetic object. Its flags are kept for the calculators' sake;
// nothing here reads them after construction.
class KeTuMathOperation {
public:
    struct Rounded {
        double rounded;
        bool isApproximate;  // whether the rounded value should be shown with "\approx"
    };

    KeTuMathOperation();

    static KeTuMathOperation& shared();

    // Rounds half away from zero to the given number of places. The value counts as
    // approximate when rounding changed it and the digits past the kept places do not start
    // with "0000" or "9999" (so 2.0000000001 and 1.99999999 count as exact at 3 places).
    Rounded roundedToDecimalPlaces(double value, int64_t places) const;

    KeTuStringOutput& outputHelper;
    bool withFraction = false;
    bool negativeSqrt = false;
    bool isAnyNumberChanged = false;
    bool cancelDownDone = false;
    std::optional<double> divisor;
};
