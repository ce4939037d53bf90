#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuFactorizeQuadratics {
public:
    struct resultContainer {
        double A1 = 0.0;
        double A2 = 0.0;
        double B = 0.0;
        double C1 = 0.0;
        double C2 = 0.0;
        double D = 0.0;
    };

    KeTuFactorizeQuadratics() = default;
    KeTuFactorizeQuadratics(const KeTuFactorizeQuadratics&) = delete;
    KeTuFactorizeQuadratics& operator=(const KeTuFactorizeQuadratics&) = delete;

    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    bool withFraction = false;
    std::string inputAText;
    std::string inputBText;
    std::string inputCText;
    int64_t inputATag = 0;
    int64_t inputBTag = 0;
    int64_t inputCTag = 0;
    std::optional<double> a;
    std::optional<double> b;
    std::optional<double> c;
    std::optional<std::vector<resultContainer>> allTmps;
    std::optional<std::vector<resultContainer>> allResults;
    std::optional<resultContainer> choosenExample;
    bool isA1Example = true;
    bool negativeSqrt = false;
    std::optional<double> divisor;
    bool isAnyNumberChanged = false;
};
