#include "Radixel/math/KeTuMathOperation.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "Radixel/math/KeTuStringOutput.hpp"
#include "platform/foundation/NumberText.hpp"

KeTuMathOperation::KeTuMathOperation() : outputHelper(KeTuStringOutput::shared()) {}

KeTuMathOperation& KeTuMathOperation::shared() {
    static KeTuMathOperation instance;
    return instance;
}

KeTuMathOperation::Rounded KeTuMathOperation::roundedToDecimalPlaces(double value, int64_t places) const {
    places = std::max<int64_t>(places, 0);
    double factor = std::pow(10.0, static_cast<double>(places));
    double rounded = std::round(value * factor) / factor;

    // The digit test looks at the value's own shortest text: digits that only continue with a
    // run of zeros or nines past the kept places are noise of binary arithmetic, not a
    // genuinely rounded value.
    std::string text = foundation::doubleDescription(value);
    std::string lastPiece;
    size_t start = 0;
    while (start <= text.size()) {
        size_t dot = text.find('.', start);
        std::string piece = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (!piece.empty()) lastPiece = piece;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    std::string tail = lastPiece.size() > static_cast<size_t>(places) ? lastPiece.substr(static_cast<size_t>(places)) : "";
    bool tailStartsWithZeros = tail.compare(0, 4, "0000") == 0;
    bool tailStartsWithNines = tail.compare(0, 4, "9999") == 0;

    bool isApproximate = rounded != value && !tailStartsWithZeros && !tailStartsWithNines;
    return {rounded, isApproximate};
}
