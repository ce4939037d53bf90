#pragma once

#include <cstdint>
#include <string>

// The decimal style of the platform's number formatter in the en_US locale: grouping with ",",
// "." as the decimal point, "-" for negatives, at most maximumFractionDigits fraction digits with
// trailing zeros dropped, and the last kept digit rounded half to even. The rounding works on
// the shortest decimal text that reads back as the same double, not on the exact binary value:
// 9027161.35 with 10 fraction digits stays 9027161.35.
class NSNumberFormatter {
public:
    int64_t maximumFractionDigits = 3;
    bool usesGroupingSeparator = true;

    std::string stringFromNumber(double value) const;
};
