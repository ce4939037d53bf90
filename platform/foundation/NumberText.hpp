#pragma once

#include <string>

// Number-to-text conversions with the platform's exact rules, shared by every formatter.
namespace foundation {

// The shortest text that reads back as the same double: plain with at least one fraction digit
// ("2.0", "0.0001", "-1.5"), in exponent form below 1e-4 or above 2^53 in magnitude ("1e-05",
// "9.007199254740994e+15"); "-0.0", "nan", "inf", "-inf" for the special values.
std::string doubleDescription(double value);

// printf's "%g": six significant digits, trailing zeros dropped, "." as the decimal point.
std::string printfG(double value);

// The pieces of a finite double's shortest round-trip decimal text: value = 0.digits x 10^exponent,
// digits without leading or trailing zeros ("0" for zero).
struct ShortestDecimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};
ShortestDecimal shortestDecimal(double finiteValue);

}  // namespace foundation
