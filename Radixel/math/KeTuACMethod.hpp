#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuACMethod {
public:
    struct resultContainer {
        double A1 = 0.0;
        double A2 = 0.0;
        double B = 0.0;
        double C1 = 0.0;
        double C2 = 0.0;
        double D = 0.0;
    };

    KeTuACMethod() = default;
    KeTuACMethod(const KeTuACMethod&) = delete;
    KeTuACMethod& operator=(const KeTuACMethod&) = delete;

    std::string inputAText;
    std::string inputBText;
    std::string inputCText;
    int64_t inputATag = 0;
    int64_t inputBTag = 0;
    int64_t inputCTag = 0;
    std::optional<double> a;
    std::optional<double> b;
    std::optional<double> c;
    bool isA1Example = true;
    bool isAnyNumberChanged = false;
    std::optional<std::vector<resultContainer>> allTmps;
    std::optional<std::vector<resultContainer>> allResults;
    std::optional<resultContainer> choosenExample;
    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    bool withFraction = false;
};
