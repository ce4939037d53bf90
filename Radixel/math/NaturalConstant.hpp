#pragma once

#include <string>

// A named constant: the number formatter writes its LaTeX text after a number.
struct NaturalConstant {
    std::string key;
    std::string latex;
    double value = 0.0;

    // Field by field, values as floating-point numbers (so 0.0 == -0.0 and NaN != NaN).
    friend bool operator==(const NaturalConstant& a, const NaturalConstant& b) {
        return a.key == b.key && a.latex == b.latex && a.value == b.value;
    }
};
