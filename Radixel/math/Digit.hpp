#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/math/NaturalConstant.hpp"

// A number term of the calculators: numerator over denominator, each with its own named
// constants, variable and power of that variable. No arithmetic lives here.
//
// A term is one object that its holders refer to (std::shared_ptr<Digit>), so it is never
// copied: a copy would silently stop following the calculator's changes.
class Digit {
public:
    Digit(std::optional<double> z, double n) : z(z), n(n) {}

    Digit(const Digit&) = delete;
    Digit& operator=(const Digit&) = delete;

    std::optional<double> z;  // absent: no number was given
    double n = 1.0;
    std::vector<NaturalConstant> zConstants;
    std::vector<NaturalConstant> nConstants;
    std::string zVariable;
    std::string nVariable;
    double powerOfZVariable = 0.0;
    double powerOfNVariable = 0.0;
};

// The term every calculator starts with: no number given, denominator 1.
inline std::shared_ptr<Digit> newDigit() { return std::make_shared<Digit>(std::nullopt, 1.0); }
