#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Radixel/math/SolverTestSupport.hpp"
#include "Radixel/screens/solution/LatexCleanUp.hpp"

// One rule a group: only the first ".0" goes, and never before a digit; signs merge and
// coefficients of one and zero go; parentheses are sized, but a leading Roman label stays plain;
// each colour gets one thin space. Sizing a parenthesis without a partner, or gluing a command to
// a letter, would leave a formula the typesetter refuses as a whole. Empty and odd text cleans up
// without failing.
TEST(LatexCleanUpTest, EachRuleRewritesOnlyWhatItMay) {
    for (const auto& [in, out] : std::vector<std::pair<std::string, std::string>>{
             {"3.05", "3.05"}, {"3.0", "3"}, {"3.0 + x", "3 + x"}, {"2.05 + 3.0 x", "2.05 + 3.0 x"},
             {"2.05 + 3.0", "2.05 + 3"}, {"x_1 = 1 + 2.0 = 3.0", "x_1 = 1 + 2 = 3"},
             {"x = 3.0\\quad y", "x = 3\\quad  y"},

             {"x^2 + 1x", "x^2 +x"}, {"x^2 + 0x + 1", "x^2 + 1"}, {"a - -b", "a +b"}, {"a + -b", "a -b"},
             {"a +- b", "a - b"}, {"a--b", "a+b"}, {"p = +3", "p =3"}, {"2*3", "2\\cdot 3"}, {"one.  two", "one two"},

             {"I) x + y = 3", "I) x + y = 3"}, {"VII) x", "VII) x"}, {"(I) x", "\\left(I\\right) x"},
             {"\\left(a\\right) (b)", "\\left(a\\right) \\left(b\\right)"},
             {"x = 2.0 \\quad (x - 1.5)", "x = 2 \\quad  \\left(x - 1.5\\right)"},

             {"x = \\color{red}{3.0} + \\color{blue}{y}", "x = \\;\\color{red}{3} + \\;\\color{blue}{y}"},

             {"I) x + y = 3 \\quad II) x - y = 1", "I) x + y = 3 \\quad  II) x - y = 1"},
             {"V) a = (IV)", "V) a = (IV)"}, {"a) x = (1", "a) x = (1"}, {"\\frac{(a}{b)}", "\\frac{(a}{b)}"},
             {"\\begin{aligned} (a & b) \\end{aligned}", "\\begin{aligned} (a & b) \\end{aligned}"},
             {"\\left ( x \\right )", "\\left ( x \\right )"}, {"\\left. x \\right| y", "\\left. x \\right| y"},
             {"x = \\pm 1x", "x = \\pm x"}, {"x \\qquad 1x", "x \\qquad x"}, {"\\cdot 0xy", "\\cdot y"},

             {"", ""}, {".0", ""}, {"\\", "\\"}, {"\xC3\xA4.0 \xFF", "\xC3\xA4 \xFF"}, {")))(((", ")))((("}})
        EXPECT_EQ(cleanUpLatexString(in), out) << "from: " << in;
}

TEST(LatexCleanUpTest, CleansTheSolversStepsIntoSizedParenthesesAndWholeNumbers) {
    StepList steps = stepsOf(runSolver("-2", "-3"));
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(cleanUpLatexString(steps[0].second), "p = \\left(-2\\right) \\quad  q = \\left(-3\\right)");
    EXPECT_EQ(cleanUpLatexString(steps[4].second),
              "x_{1,2} = - \\left(-1\\right) \\pm \\sqrt{ \\left(-1\\right) ^2 - \\left(-3\\right)}");
    EXPECT_EQ(cleanUpLatexString(steps[9].second), "x_2 = 1 - 2 = -1");
    EXPECT_EQ(cleanUpLatexString(steps[10].second), "x_1 = 3 \\quad  x_2 = -1");

    steps = stepsOf(runSolver("-2.4", "7/3"));
    ASSERT_EQ(steps.size(), 15u);
    EXPECT_EQ(cleanUpLatexString(steps[10].second),
              "x_{1,2} = - \\frac{\\left(-6\\right)}{5} \\pm "
              "\\sqrt{\\frac{\\left( 36 \\right) \\cdot 3}{25 \\cdot 3} - \\frac{7 \\cdot 25}{3 \\cdot 25}}");
    EXPECT_EQ(cleanUpLatexString(steps[14].second),
              "\\begin{eqalign} x_1 &= 1.2 + \\sqrt{\\left(-0.8933333333\\right)} \\\\ x_2 &= 1.2 - "
              "\\sqrt{\\left(-0.8933333333\\right)}\\end{eqalign} ");
}
