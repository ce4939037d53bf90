// The solver's step formulas for p = -2, q = -3 and for p = -2.4, q = 7/3, as TeX sets them
// (The TeXbook, appendix G) with Latin Modern Math's MATH constants, at 20 pt in display style.
#include "MathTestSupport.hpp"

using namespace iosmath_test;

namespace {

constexpr double kSize = 20;
constexpr double kMedium = kSize * 4 / 18;

double widthOf(const char* latex) { return layout(latex, kSize).width; }
double heightOf(const MTMathListDisplay& display) { return display.ascent + display.descent; }

}  // namespace

// Under the solution formula's root: the 2.4 em surd, then Inner \left...\right with its script,
// medium, Bin minus, medium, Ord q.
TEST(StepFormulas, TheSolutionFormulasRootTakesThe2Point4EmSurd) {
    const uint32_t surd = font().verticalVariants(glyphOf(U'\u221A')).at(3).glyph;
    EXPECT_NEAR(widthOf("\\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}"),
                units(font().metrics(surd).advance, kSize) + widthOf("\\left( \\frac{p}{2} \\right)^2") + widthOf("-") +
                    widthOf("q") + 2 * kMedium,
                1e-9);
}

// Total heights where fractions, delimiters and roots decide them, in em. KaTeX (whose Computer
// Modern sizes are Latin Modern's) sets the same within 0.02 em: 2.44, 3.04, 3.43, 2.44, 2.44.
TEST(StepFormulas, HeightsFollowTheDelimiterAndRootSizesTeXChooses) {
    struct Case {
        const char* latex;
        double em;
    };
    const Case cases[] = {
        // 1.8 em parentheses (rule 19 lets them fall short of the fraction), a 2.4 em root and
        // the room above its bar: 25 % lower than parentheses that cover the fraction made it.
        {"x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}", 2.44},
        // The bracketed numerator reaches higher: 2.4 em parentheses and a 3.0 em root.
        {"x_{1,2} = - \\frac{(-2)}{2} \\pm \\sqrt{ \\left( \\frac{(-2)}{2} \\right)^2 -  (-3)}", 3.04},
        // A fraction in a numerator: 3.0 em parentheses and an assembled root.
        {"x_{1,2} = - \\frac{\\frac{(-24)}{10}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{(-24)}{10}}{2} \\right)^2 -  "
         "\\frac{7}{3}}", 3.447},
        // Fractions under the root without delimiters: the 2.4 em root.
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{ \\frac{36}{25} - \\frac{7}{3}}", 2.44},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{(-67)}{75}} ", 2.44},
    };
    for (const Case& c : cases) EXPECT_NEAR(heightOf(layout(c.latex, kSize)) / kSize, c.em, 0.001) << c.latex;
}

// Widths in points of the whole run. Formulas where a fraction follows the sign or comes before
// \quad are 3.33 pt (a thin space) narrower than with Inner fractions; the solution formula with
// p itself is 5.97 pt narrower, its parentheses and root also being a size smaller. The rest have
// their fractions next to binary operators and relations, whose glue is the same for Ord and Inner.
TEST(StepFormulas, WholeRunsHaveTheirTeXWidths) {
    struct Case {
        const char* latex;
        double width;
    };
    const Case cases[] = {
        {"p = (-2) \\quad q = (-3)", 175.542},
        {"0 = x^2 + p \\cdot x + q = x^2 + (-2) \\cdot x + (-3)", 354.236},
        {"x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}", 213.501},
        {"x_{1,2} = - \\frac{(-2)}{2} \\pm \\sqrt{ \\left( \\frac{(-2)}{2} \\right)^2 -  (-3)}", 312.101},
        {"x_{1,2} = - (-1) \\pm \\sqrt{  (-1) ^2  -  (-3)}", 273.061},
        {"x_{1,2} = - (-1) \\pm \\sqrt{ 1 - (-3)}", 233.821},
        {"x_{1,2} = - (-1) \\pm \\sqrt{4} ", 164.912},
        {"x_{1,2} = 1 \\pm 2", 101.572},
        {"x_1 = 1 + 2.0 = 3.0", 158.471},
        {"x_2 = 1 -  2.0 = -1.0", 174.031},
        {"x_1 = 3.0 \\quad x_2 = -1.0", 179.142},
        {"p = (-2.4) \\quad q = \\frac{7}{3}", 165.042},
        {"p = \\frac{-2.4 \\cdot 10}{1 \\cdot 10} = \\frac{(-24)}{10} \\quad q = \\frac{7}{3}", 271.322},
        {"p = \\frac{(-24)}{10} \\quad q = \\frac{7}{3}", 164.282},
        {"0 = x^2 + p \\cdot x + q = x^2 + \\frac{(-24)}{10} \\cdot x + \\frac{7}{3}", 342.976},
        {"x_{1,2} = - \\frac{\\frac{(-24)}{10}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{(-24)}{10}}{2} \\right)^2 -  "
         "\\frac{7}{3}}", 291.649},
        {"x_{1,2} = - \\frac{(-24)}{10}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{(-24)}{10}\\cdot \\frac{1}{2} "
         "\\right)^2 -  \\frac{7}{3}}", 364.539},
        {"x_{1,2} = - \\frac{(-24)}{20} \\pm \\sqrt{ \\left(\\frac{(-24)}{20}\\right) ^2 -  \\frac{7}{3}}", 306.041},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{  \\left(\\frac{(-6)}{5}\\right) ^2  -  \\frac{7}{3}}", 286.041},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{ \\frac{36}{25} - \\frac{7}{3}}", 227.361},
        {"x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - "
         "\\frac{7 \\cdot 25}{3  \\cdot 25}}", 301.819},
        {"x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{108}{75} - \\frac{175}{75}}", 257.361},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{(-67)}{75}} ", 219.232},
        {"x_{1,2} = 1.2 \\pm \\sqrt{(-0.8933333333)}", 273.812},
        {"\\begin{eqalign} x_1 &=  1.2 + \\sqrt{(-0.8933333333)} \\\\ x_2 &=  1.2 - "
         "\\sqrt{(-0.8933333333)}\\end{eqalign} ", 262.920},
    };
    for (const Case& c : cases) EXPECT_NEAR(widthOf(c.latex), c.width, 0.001) << c.latex;
}
