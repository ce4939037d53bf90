#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "SolverTestSupport.hpp"

namespace {

using Step = StepList::value_type;

struct InputErrorCase {
    std::optional<std::string> p, q;
    std::optional<std::string> key;
    std::optional<int64_t> tag;
};
void PrintTo(const InputErrorCase& c, std::ostream* out) {
    *out << c.p.value_or("(none)").substr(0, 20) << " | " << c.q.value_or("(none)").substr(0, 20);
}

class SolverInputErrors : public ::testing::TestWithParam<InputErrorCase> {};

TEST_P(SolverInputErrors, ReportKeyAndFieldWithoutTouchingTheOutput) {
    const auto& c = GetParam();
    KeTuRadixelResult result = runSolver(c.p, c.q);
    EXPECT_EQ(result.errorKey, c.key);
    EXPECT_EQ(result.errorTag, c.tag);
    EXPECT_FALSE(result.solutionSteps);
    EXPECT_FALSE(result.p);
    EXPECT_FALSE(result.q);
    EXPECT_TRUE(KeTuStringOutput::shared().solutionSteps.empty());
    EXPECT_EQ(KeTuStringOutput::shared().solutionStepCounter, 0);
}

const std::string kParam = "inputParameterError";
const std::string kZero = "inputZeroInDenominator";
const std::string kMissing = "notEnoughInputValues";

const std::optional<int64_t> kNone;
const std::string kLong = "1" + std::string(308, '0');

INSTANTIATE_TEST_SUITE_P(
    Cases, SolverInputErrors,
    ::testing::ValuesIn(std::vector<InputErrorCase>{
        {std::nullopt, std::nullopt, kMissing, kNone}, {"", "5", kMissing, kNone}, {"5", "", kMissing, kNone},
        {"1/0", "2", kZero, 11}, {"4/0.0", "2", kZero, 11}, {"4/-0", "2", kZero, 11}, {"2", "7/0", kZero, 12},
        // The slash count of both texts comes before any number is read.
        {"", "1//2", kParam, 12}, {"1..2", "1//2", kParam, 12}, {"1/2/3", "x", kParam, 11}, {"/", "1", kParam, 11},
        {"3 /4", "1", kParam, 11}, {"2,5", "1", kParam, 11}, {" 2", "1", kParam, 11}, {"2 ", "1", kParam, 11},
        {"-", "1", kParam, 11}, {".", "1", kParam, 11}, {"1e", "1", kParam, 11}, {"1", "abc", kParam, 12},
        {std::string("1\0", 2), "1", kParam, 11}, {"\xff\xfe", "1", kParam, 11},
        // Values that are not finite numbers are refused rather than solved with.
        {"nan", "1", kParam, 11}, {"1", "-inf", kParam, 12}, {"1e400", "1", kParam, 11},
        {"1/infinity", "1", kParam, 11},
        // So are values that read as finite but overflow while solving, in the field that holds
        // the larger number.
        {kLong, "1", kParam, 11}, {"1", kLong, kParam, 12}, {"1e300", "1e300", kParam, 11},
        {"3", "1e308/3", kParam, 12}, {std::string(100000, '9'), "1", kParam, 11}}));

TEST(SolverResult, GivesNormalisedValuesAndFractionModeFollowsTheSlashAndTheFinalDenominators) {
    // Denominators of 1 after normalising count as plain numbers.
    for (const auto& [p, q, fraction] : std::vector<std::tuple<const char*, const char*, bool>>{
             {"1/0", "2", true}, {"2", "3", false}, {"3/1", "2", false}, {"4/4", "3", false}, {"1/2", "3", true}})
        EXPECT_EQ(runSolver(p, q).withFraction, fraction) << p << ", " << q;

    struct Case {
        const char *p, *q;
        double pz, pn, qz, qn;
    };
    for (const Case& c : {Case{"2", "3", 2, 1, 3, 1}, Case{"3/-4", "1", -3, 4, 1, 1}, Case{"0.5", "2", 5, 10, 2, 1},
                          Case{"3/", "/3", 1, 1, 1, 1},  // a missing side takes the other's number
                          Case{"0x1p3", "1", 8, 1, 1, 1}, Case{"1.", ".5", 1, 1, 5, 10}, Case{"3/0.5", "1", 30, 5, 1, 1},
                          Case{"1.2345678", "1", 123457, 100000, 1, 1}}) {
        SCOPED_TRACE(std::string(c.p) + ", " + c.q);
        KeTuRadixelResult result = runSolver(c.p, c.q);
        ASSERT_TRUE(result.p && result.q);
        EXPECT_EQ(std::tuple(result.p->z, result.p->n, result.q->z, result.q->n),
                  std::tuple(std::optional<double>(c.pz), c.pn, std::optional<double>(c.qz), c.qn));
    }
}

TEST(SolverInputSteps, ShowTheInputBeforeAndAfterNormalising) {
    EXPECT_EQ(stepsOf(runSolver("0/5", "3"))[0].second, "p = 0 \\quad q = 3");
    EXPECT_NE(stepsOf(runSolver("0/5", "3"))[1].first, "Step 2    Modified Input");

    StepList unit = stepsOf(runSolver("4/4", "3"));
    EXPECT_EQ(unit[0], (Step{"Step 1    Your Input", "p = \\frac{4}{4} \\quad q = 3"}));
    EXPECT_EQ(unit[1], (Step{"Step 2    Modified Input", "p = 1 \\quad q = 3"}));

    // A q of 1 counts as changed, a p of 1 does not.
    StepList qOne = stepsOf(runSolver("2", "1"));
    EXPECT_EQ(qOne[1].first, "Step 2    Modified Input");
    EXPECT_EQ(qOne[1].second, qOne[0].second);
    EXPECT_EQ(stepsOf(runSolver("1", "2"))[1].first, "Step 2    Quadratic equation");

    StepList negative = stepsOf(runSolver("3/-4", "2"));
    EXPECT_EQ(negative[0].second, "p = \\frac{3}{(-4)} \\quad q = 2");
    EXPECT_EQ(negative[1].second, "p = \\frac{(-3)}{4} \\quad q = 2");
}

TEST(SolverInputSteps, ExpandDecimalsOnTheirSixDigitPrint) {
    StepList half = stepsOf(runSolver("0.5", "2"));
    ASSERT_GE(half.size(), 3u);
    EXPECT_EQ(half[0], (Step{"Step 1    Your Input", "p = 0.5 \\quad q = 2"}));
    EXPECT_EQ(half[1],
              (Step{"Step 2    Expand", "p = \\frac{0.5 \\cdot 10}{1 \\cdot 10} = \\frac{5}{10} \\quad q = 2"}));
    EXPECT_EQ(half[2], (Step{"Step 3    Modified Input", "p = \\frac{5}{10} \\quad q = 2"}));

    EXPECT_EQ(stepsOf(runSolver("0.25", "1.5"))[1].second,
              "p = \\frac{0.25 \\cdot 100}{1 \\cdot 100} = \\frac{25}{100} \\quad q = \\frac{1.5 \\cdot 10}{1 \\cdot 10} = "
              "\\frac{15}{10}");
    EXPECT_EQ(stepsOf(runSolver("2.5", "1"))[1].first, "Step 2    Expand");
    EXPECT_EQ(stepsOf(runSolver("2.5", "1"))[2].first, "Step 3    Modified Input");

    // "%g" prints 1e-05: nothing to expand.
    EXPECT_EQ(stepsOf(runSolver("0.00001", "2"))[1].first, "Step 2    Quadratic equation");
}

TEST(SolverInputSteps, TinyDenominatorNeverBecomesZero) {
    // The six-digit print of 0.0000001 would expand to a zero denominator.
    KeTuRadixelResult result = runSolver("0.5/0.0000001", "1");
    ASSERT_TRUE(result.solutionSteps);
    EXPECT_NE(result.p->n, 0.0);
    EXPECT_DOUBLE_EQ(*result.p->z / result.p->n, 5000000.0);
    EXPECT_NE(stepsOf(result).back().second.find("-5000000.0"), std::string::npos);
}

TEST(SolverWholeRuns, TwoRealRoots) {
    StepList expected = {
        {"Step 1    Your Input", "p = (-2) \\quad q = (-3)"},
        {"Step 2    Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + (-2) \\cdot x + (-3)"},
        {"Step 3    Radixel", "x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}"},
        {"Step 4    Insert",
         "x_{1,2} = - \\frac{(-2)}{2} \\pm \\sqrt{ \\left( \\frac{(-2)}{2} \\right)^2 -  (-3)}"},
        {"Step 5    Calculate", "x_{1,2} = - (-1) \\pm \\sqrt{  (-1) ^2  -  (-3)}"},
        {"Step 6    Square", "x_{1,2} = - (-1) \\pm \\sqrt{ 1 - (-3)}"},
        {"Step 7    Subtraction", "x_{1,2} = - (-1) \\pm \\sqrt{4} "},
        {"Step 8    Extract a root", "x_{1,2} = 1 \\pm 2"},
        {"Step 9    Addition", "x_1 = 1 + 2.0 = 3.0"},
        {"Step 10    Subtraction", "x_2 = 1 -  2.0 = -1.0"},
        {"Result", "x_1 = 3.0 \\quad x_2 = -1.0"},
    };
    EXPECT_EQ(stepsOf(runSolver("-2", "-3")), expected);
    EXPECT_EQ(KeTuStringOutput::shared().solutionStepCounter, 10);  // the result step takes no number
}

TEST(SolverWholeRuns, NonRealRoots) {
    StepList expected = {
        {"Step 1    Your Input", "p = 2 \\quad q = 5"},
        {"Step 2    Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 2 \\cdot x + 5"},
        {"Step 3    Radixel", "x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}"},
        {"Step 4    Insert", "x_{1,2} = - \\frac{2}{2} \\pm \\sqrt{ \\left( \\frac{2}{2} \\right)^2 -  5}"},
        {"Step 5    Calculate", "x_{1,2} = - 1 \\pm \\sqrt{  1 ^2 -  5}"},
        {"Step 6    Square", "x_{1,2} = - 1 \\pm \\sqrt{ 1 - 5}"},
        {"Step 7    Subtraction", "x_{1,2} = - 1 \\pm \\sqrt{(-4)} "},
        {"Result",
         "\\begin{eqalign} x_1 &=  (-1) + \\sqrt{(-4)} \\\\ x_2 &=  (-1) - \\sqrt{(-4)}\\end{eqalign} "},
    };
    EXPECT_EQ(stepsOf(runSolver("2", "5")), expected);
}

TEST(SolverWholeRuns, FractionalCoefficients) {
    StepList steps = stepsOf(runSolver("-12/5", "7/3"));
    StepList expectedTail = {
        {"Step 5    Double fraction",
         "x_{1,2} = - \\frac{(-12)}{5}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{(-12)}{5}\\cdot \\frac{1}{2} "
         "\\right)^2 -  \\frac{7}{3}}"},
        {"Step 6    Calculate",
         "x_{1,2} = - \\frac{(-12)}{10} \\pm \\sqrt{ \\left(\\frac{(-12)}{10}\\right) ^2 -  \\frac{7}{3}}"},
        {"Step 7    Simplify",
         "x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{  \\left(\\frac{(-6)}{5}\\right) ^2  -  \\frac{7}{3}}"},
        {"Step 8    Square", "x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{ \\frac{36}{25} - \\frac{7}{3}}"},
        {"Step 9    Bring to a common denominator",
         "x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - \\frac{7 \\cdot "
         "25}{3  \\cdot 25}}"},
        {"", "x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{108}{75} - \\frac{175}{75}}"},
        {"Step 10    Subtraction", "x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{(-67)}{75}} "},
        {"Step 11    Calculate", "x_{1,2} = 1.2 \\pm \\sqrt{(-0.8933333333)}"},
        {"Result", "\\begin{eqalign} x_1 &=  1.2 + \\sqrt{(-0.8933333333)} \\\\ x_2 &=  1.2 - "
                   "\\sqrt{(-0.8933333333)}\\end{eqalign} "},
    };
    ASSERT_EQ(steps.size(), 13u);
    EXPECT_EQ(StepList(steps.begin() + 4, steps.end()), expectedTail);
}

TEST(SolverFormulaSteps, ZeroCoefficients) {
    StepList zero = stepsOf(runSolver("0", "0"));
    ASSERT_EQ(zero.size(), 5u);
    EXPECT_EQ(zero[3].second,
              "x_{1,2} = - \\frac{0}{2} \\pm \\sqrt{ \\left( \\frac{0}{2} \\right)^2 -  0}= 0 \\pm \\sqrt{   0}");
    EXPECT_EQ(zero[4].first, "Result");
    EXPECT_EQ(zero[4].second.rfind("x_1 =  0 \\quad x_2 =  ", 0), 0u);

    StepList pZero = stepsOf(runSolver("0", "-4"));
    const std::string& insert = pZero[3].second;
    EXPECT_EQ(insert.substr(insert.rfind('=')), "= 0 \\pm \\sqrt{   4}");
    EXPECT_EQ(pZero[4], (Step{"Step 5    Extract a root", "x_{1,2} = 0 \\pm 2"}));
    EXPECT_EQ(pZero.back().second, "x_1 = 2.0 \\quad x_2 = -2.0");

    StepList qZero = stepsOf(runSolver("3", "0"));
    EXPECT_NE(qZero[3].second.find("\\right)^2 }"), std::string::npos);
    EXPECT_EQ(qZero[4].first, "Step 5    Square");
    EXPECT_EQ(qZero[5].first, "Step 6    Calculate");  // straight to the value under the root
    EXPECT_EQ(qZero.back().second, "x_1 = 0.0 \\quad x_2 = -3.0");

    // p = 0 with a q that cancels: the root term keeps the value under the root right.
    StepList cancelled = stepsOf(runSolver("0", "-4/6"));
    EXPECT_EQ(cancelled[4].second, "x_{1,2} = - 0 \\pm \\sqrt{  -  \\frac{(-2)}{3}}");
    EXPECT_EQ(cancelled.back().second, "x_1 \\approx 0.816 \\quad x_2 \\approx -0.816");
}

TEST(SolverFormulaSteps, HalvingAndCancelling) {
    StepList doubleRoot = stepsOf(runSolver("2", "1"));
    EXPECT_EQ(doubleRoot[5], (Step{"Step 6    Calculate", "x_{1,2} = - 1 \\pm \\sqrt{  1 ^2 -  1}"}));
    EXPECT_EQ(doubleRoot.back().second, "x_1 = -1.0 \\quad x_2 = -1.0");

    StepList cancelToWhole = stepsOf(runSolver("-4", "3"));
    EXPECT_EQ(cancelToWhole[4], (Step{"Step 5    Calculate", "x_{1,2} = - (-2) \\pm \\sqrt{  (-2) ^2  -  3}"}));
}

TEST(SolverRoots, RelationSignFollowsTheRoundedRoot) {
    EXPECT_EQ(stepsOf(runSolver("2", "-1")).back().second, "x_1 \\approx 0.414 \\quad x_2 \\approx -2.414");

    StepList sixth = stepsOf(runSolver("1/3", "0"));
    EXPECT_EQ(sixth[7].second, "x_{1,2} = (-0.1666666667) \\pm \\sqrt{0.0277777778}");
    EXPECT_EQ(sixth[8].second, "x_{1,2} = -0.1666666667 \\pm 0.166667");
    EXPECT_EQ(sixth[9].second.substr(0, 10), "x_1 \\appro");

    // The root 0.5 is exact, so "=" although both solutions are rounded.
    EXPECT_EQ(stepsOf(runSolver("2/3", "-5/36")).back().second, "x_1 = 0.167 \\quad x_2 = -0.833");
}

TEST(SolverRobustness, HugeAndOddInputsStillGiveSteps) {
    // Numbers too large to show exactly still solve (rounded, or shown as infinities).
    for (const auto& [p, q] : std::vector<std::pair<std::string, std::string>>{
             {"123456789012345", "987654321098765"}, {"1e150", "-1e150"}, {"-1e-300", "1e-300"},
             {"1e-400", "1"}, {"9007199254740993", "3"}, {"0.5/0.0000001", "0.0000003/7"}, {"-0", "-0"}}) {
        KeTuRadixelResult result = runSolver(p, q);
        EXPECT_FALSE(result.errorKey) << p << " " << q;
        ASSERT_TRUE(result.solutionSteps) << p << " " << q;
        EXPECT_GE(result.solutionSteps->size(), 5u) << p << " " << q;
        const std::string last = stepsOf(result).back().second;
        EXPECT_NE(last.find("x_1"), std::string::npos) << p << " " << q << ": " << last;
        EXPECT_NE(last.find("x_2"), std::string::npos) << p << " " << q << ": " << last;
    }
}

TEST(Cancelling, DividesByTheGreatestCommonDivisorOfTheWholeParts) {
    KeTuRadixel solver;
    // Whole parts beyond the 64-bit range, and infinities, are left as they are.
    for (const auto& [a, b, za, nb, divisor] : std::vector<std::array<double, 5>>{
             {6, 4, 3, 2, 2}, {-6, 8, -3, 4, 2}, {7, 5, 7, 5, 1}, {1, 4, 1, 4, 1}, {1.5, 2.5, 1.5, 2.5, 1},
             {4.5, 8, 1.125, 2, 4}, {999999999999990.0, 999999999999995.0, 199999999999998.0, 199999999999999.0, 5},
             {-9223372036854775808.0, 4, -2305843009213693952.0, 1, 4},
             {9223372036854775808.0, 4, 9223372036854775808.0, 4, 1}, {INFINITY, 4, INFINITY, 4, 1}}) {
        solver.cancelDownDone = false;
        auto result = solver.greatestCommonDivisor(a, b);
        EXPECT_EQ(result.z, za) << a << "/" << b;
        EXPECT_EQ(result.n, nb);
        EXPECT_EQ(solver.divisor, divisor);
        EXPECT_EQ(solver.cancelDownDone, divisor != 1.0);
    }
    auto notANumber = solver.greatestCommonDivisor(std::nan(""), 4);
    EXPECT_TRUE(std::isnan(*notANumber.z));
    EXPECT_EQ(solver.divisor, 1.0);

    auto absent = solver.greatestCommonDivisor(std::nullopt, 4);
    EXPECT_FALSE(absent.z);
    EXPECT_EQ(solver.divisor, 1.0);
}

TEST(LatexHelpers, FractionRootTermAndDecimalPlaces) {
    KeTuRadixel solver;
    EXPECT_EQ(solver.latexFraction(3, true, 1), "3");
    EXPECT_EQ(solver.latexFraction(-7, false, 3), "\\frac{(-7)}{3}");
    EXPECT_EQ(solver.latexFraction(-7, true, 3), "\\left(\\frac{(-7)}{3}\\right)");

    EXPECT_EQ(solver.latexPlusMinusSqrtTerm({1.0, 2}, {1.0, 2}, {3.0, 1}, false),
              "= - \\frac{1}{2} \\pm \\sqrt{ \\left(\\frac{1}{2}\\right) ^2  -  3}");
    EXPECT_EQ(solver.latexPlusMinusSqrtTerm({-1.0, 2}, {-1.0, 2}, {3.0, 1}, false),
              "= - \\frac{(-1)}{2} \\pm \\sqrt{  \\left(\\frac{(-1)}{2}\\right) ^2  -  3}");
    EXPECT_EQ(solver.latexPlusMinusSqrtTerm({1.0, 2}, {1.0, 4}, {0.0, 1}, true),
              "= - \\frac{1}{2} \\pm \\sqrt{  \\frac{1}{4}}");
    EXPECT_EQ(solver.latexPlusMinusSqrtTerm({0.0, 1}, {0.0, 1}, {5.0, 1}, true), "= - 0 \\pm \\sqrt{ 5}");

    // The last: beyond 64 bits.
    for (const auto& [p, q, places] : std::vector<std::tuple<const char*, const char*, double>>{
             {"3.14159", "2", 5}, {"7", "3", 0}, {"0.125", "2.5", 3}, {"1.5e-07", "1", 0}, {"2.", "1", 1},
             {"1.99999999999999999999", "1", 0}})
        EXPECT_EQ(KeTuRadixel::decimalPlaces(p, q), places) << p << ", " << q;
}

}  // namespace

TEST(SolverFormulaSteps, CommonDenominatorBracketsEachNegativeSide) {
    // One case per sign branch of the format: -p/2 = -6/5 or 6/5, q = 7/3 or -7/3.
    const std::string root = " \\pm \\sqrt{\\frac{";
    for (const auto& [p, q, expected] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"-12/5", "7/3", "- \\frac{(-6)}{5}" + root + "\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - \\frac{7 \\cdot 25}{3  \\cdot 25}}"},
             {"12/5", "7/3", "- \\frac{6}{5}" + root + "36 \\cdot 3}{25  \\cdot 3} - \\frac{7 \\cdot 25}{3  \\cdot 25}}"},
             {"12/5", "-7/3", "- \\frac{6}{5}" + root + "36 \\cdot 3}{25  \\cdot 3} - \\frac{ \\left( -7 \\right) \\cdot 25}{3  \\cdot 25}}"},
             {"-12/5", "-7/3", "- \\frac{(-6)}{5}" + root + "\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - \\frac{\\left( -7 \\right) \\cdot 25}{3  \\cdot 25}}"}}) {
        StepList steps = stepsOf(runSolver(p, q));
        auto step = std::find_if(steps.begin(), steps.end(), [](const auto& s) { return s.first.find("common denominator") != std::string::npos; });
        ASSERT_NE(step, steps.end()) << p << " " << q;
        EXPECT_EQ(step->second, "x_{1,2} =  " + expected) << p << " " << q;
    }
}
