#pragma once

#include <cstdint>
#include <string>

// The calculators of the product family. The code of a case is the key of its entry in the
// remote value "videoTutorials"; this application is quadraticEquation, code "ZV", the same
// text its history records carry as "appKey".
enum class CalculatorKey : uint8_t {
    fractions,
    percentages,
    linearEquation,
    quadraticEquation,
    cubicEquation,
    systemOfEquations,
    pythagoras,
    rightTriangle,
    generalTriangle,
    circle,
    polygon,
    prism,
    cylinder,
    cone,
    pyramid,
    sphere,
    unitConversion,
    primeFactorization,
    greatestCommonDivisor,
    leastCommonMultiple,
    powers,
    roots,
    logarithms,
    trigonometry,
    unitCircle,
    vectors,
    matrices,
    derivatives,
    integrals,
    curveSketching,
    statistics,
    probability,
    binomialDistribution,
    compoundInterest,
};

inline constexpr int calculatorKeyCount = 34;

// Two to five upper-case Latin letters.
std::string code(CalculatorKey key);
