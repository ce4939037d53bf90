#pragma once

#include <array>
#include <string_view>

// The step texts of a whole solution run for p = -2, q = -3, and the longest formulas of the run
// for p = -12/5, q = 7/3: what the math label typesets most.
namespace iosmath_samples {

inline constexpr std::array<std::string_view, 11> kRunForMinus2Minus3{
    R"(p = (-2) \quad q = (-3))",
    R"(0 = x^2 + p \cdot x + q = x^2 + (-2) \cdot x + (-3))",
    R"(x_{1,2} = - \frac{p}{2} \pm \sqrt{ \left( \frac{p}{2} \right)^2 -q})",
    R"(x_{1,2} = - \frac{(-2)}{2} \pm \sqrt{ \left( \frac{(-2)}{2} \right)^2 -  (-3)})",
    R"(x_{1,2} = - (-1) \pm \sqrt{  (-1) ^2  -  (-3)})",
    R"(x_{1,2} = - (-1) \pm \sqrt{ 1 - (-3)})",
    R"(x_{1,2} = - (-1) \pm \sqrt{4} )",
    R"(x_{1,2} = 1 \pm 2)",
    R"(x_1 = 1 + 2.0 = 3.0)",
    R"(x_2 = 1 -  2.0 = -1.0)",
    R"(x_1 = 3.0 \quad x_2 = -1.0)",
};

inline constexpr std::array<std::string_view, 2> kLongestForFractions{
    R"(x_{1,2} =  - \frac{(-6)}{5} \pm \sqrt{\frac{\left( 36 \right) \cdot 3}{25  \cdot 3} - \frac{7 \cdot 25}{3  \cdot 25}} )",
    R"(\begin{eqalign} x_1 &=  (-1) + \sqrt{(-4)} \\ x_2 &=  (-1) - \sqrt{(-4)}\end{eqalign} )",
};

}  // namespace iosmath_samples
