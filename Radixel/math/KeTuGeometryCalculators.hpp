#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "platform/foundation/NSNumberFormatter.hpp"

// The triangle and solid calculators: named input parameters (a name may be present without
// a term yet), their own number formatter and a step counter of their own.
class KeTuGeometryCalculator {
public:
    KeTuGeometryCalculator(const KeTuGeometryCalculator&) = delete;
    KeTuGeometryCalculator& operator=(const KeTuGeometryCalculator&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    NSNumberFormatter numberFormatter;
    int64_t solutionStepCounter = 0;
    bool someThingCalculated = false;
    std::map<std::string, std::shared_ptr<Digit>> inputParameters;  // a null term: named, not given

protected:
    KeTuGeometryCalculator() = default;
    ~KeTuGeometryCalculator() = default;
};

class KeTuRightTriangle : public KeTuGeometryCalculator {};
class KeTuSphereCalculator : public KeTuGeometryCalculator {};
class KeTuFrustumOfAPyramid : public KeTuGeometryCalculator {};
class KeTuIsoscelesTriangle : public KeTuGeometryCalculator {};
class KeTuCircularCone : public KeTuGeometryCalculator {};
class KeTuFrustumOfACone : public KeTuGeometryCalculator {};
class KeTuPyramid : public KeTuGeometryCalculator {};
class KeTuArbitraryTriangle : public KeTuGeometryCalculator {};
