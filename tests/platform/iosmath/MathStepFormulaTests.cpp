// The solver's step formulas for p = -2, q = -3 and for p = -2.4, q = 7/3, as TeX sets them
// (The TeXbook, appendix G) with Latin Modern Math's MATH constants, at 20 pt in display style.
#include "MathTestSupport.hpp"

using namespace iosmath_test;

// Widths in points of the whole run, and total heights in em where fractions, delimiters and
// roots decide them. KaTeX (whose Computer Modern sizes are Latin Modern's) sets the same heights
// within 0.02 em. Formulas where a fraction follows the sign or comes before \quad are 3.33 pt (a
// thin space) narrower than with Inner fractions; the solution formula with p itself is 5.97 pt
// narrower, its parentheses and root also being a size smaller. The rest have their fractions
// next to binary operators and relations, whose glue is the same for Ord and Inner.
TEST(StepFormulas, HaveTheirTeXWidthsAndTheHeightsOfTheDelimiterAndRootSizesTeXChooses) {
    struct Case {
        const char* latex;
        double width;
        double em = 0;  // 0: the height is not the point of the case
    };
    const Case cases[] = {
        {"p = (-2) \\quad q = (-3)", 175.542},
        {"0 = x^2 + p \\cdot x + q = x^2 + (-2) \\cdot x + (-3)", 354.236},
        // 1.8 em parentheses (rule 19 lets them fall short of the fraction), a 2.4 em root and
        // the room above its bar: 25 % lower than parentheses that cover the fraction made it.
        {"x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}", 213.501, 2.44},
        // The bracketed numerator reaches higher: 2.4 em parentheses and a 3.0 em root.
        {"x_{1,2} = - \\frac{(-2)}{2} \\pm \\sqrt{ \\left( \\frac{(-2)}{2} \\right)^2 -  (-3)}", 312.101, 3.04},
        {"x_{1,2} = - (-1) \\pm \\sqrt{  (-1) ^2  -  (-3)}", 273.061},
        {"x_{1,2} = 1 \\pm 2", 101.572},
        {"x_1 = 1 + 2.0 = 3.0", 158.471},
        {"x_2 = 1 -  2.0 = -1.0", 174.031},
        {"p = (-2.4) \\quad q = \\frac{7}{3}", 165.042},
        {"p = \\frac{-2.4 \\cdot 10}{1 \\cdot 10} = \\frac{(-24)}{10} \\quad q = \\frac{7}{3}", 271.322},
        // A fraction in a numerator: 3.0 em parentheses and an assembled root.
        {"x_{1,2} = - \\frac{\\frac{(-24)}{10}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{(-24)}{10}}{2} \\right)^2 -  "
         "\\frac{7}{3}}", 291.649, 3.447},
        {"x_{1,2} = - \\frac{(-24)}{10}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{(-24)}{10}\\cdot \\frac{1}{2} "
         "\\right)^2 -  \\frac{7}{3}}", 364.539},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{  \\left(\\frac{(-6)}{5}\\right) ^2  -  \\frac{7}{3}}", 286.041},
        // Fractions under the root without delimiters: the 2.4 em root.
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{ \\frac{36}{25} - \\frac{7}{3}}", 227.361, 2.44},
        {"x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - "
         "\\frac{7 \\cdot 25}{3  \\cdot 25}}", 301.819},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{(-67)}{75}} ", 219.232, 2.44},
        {"x_{1,2} = 1.2 \\pm \\sqrt{(-0.8933333333)}", 273.812},
        {"\\begin{eqalign} x_1 &=  1.2 + \\sqrt{(-0.8933333333)} \\\\ x_2 &=  1.2 - "
         "\\sqrt{(-0.8933333333)}\\end{eqalign} ", 262.920},
    };
    for (const Case& c : cases) {
        MTMathListDisplay display = layout(c.latex, 20);
        EXPECT_NEAR(display.width, c.width, 0.001) << c.latex;
        if (c.em > 0) {
            EXPECT_NEAR((display.ascent + display.descent) / 20, c.em, 0.001) << c.latex;
        }
    }
}
