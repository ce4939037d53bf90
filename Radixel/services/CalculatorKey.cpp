#include "Radixel/services/CalculatorKey.hpp"

#include <array>
#include <string_view>

namespace {

// In case order; the remote configuration's "videoTutorials" keys must use these texts.
constexpr std::array<std::string_view, calculatorKeyCount> codes = {
    "FRAC", "PCT",  "LIN",  "ZV",   "CUB",  "SYS",  "PYT",  "RTRI", "TRI",  "CIRC", "POLY", "PRSM",
    "CYL",  "CONE", "PYR",  "SPH",  "UNIT", "PRIME", "GCD", "LCM",  "POW",  "ROOT", "LOG",  "TRIG",
    "UCIRC", "VEC", "MAT",  "DERIV", "INTEG", "CURVE", "STAT", "PROB", "BINOM", "INTR",
};

}  // namespace

std::string code(CalculatorKey key) {
    auto index = static_cast<std::size_t>(key);
    return index < codes.size() ? std::string(codes[index]) : std::string();
}
