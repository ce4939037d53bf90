#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "SolverTestSupport.hpp"
#include "platform/foundation/NSBundle.hpp"

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
    EXPECT_FALSE(result.solutionSteps || result.p || result.q);
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
        {"1/0", "2", kZero, 11}, {"0/0", "2", kZero, 11}, {"4/0.0", "2", kZero, 11}, {"4/-0", "2", kZero, 11}, {"2", "7/0", kZero, 12},
        // The slash count of both texts comes before any number is read.
        {"", "1//2", kParam, 12}, {"1..2", "1//2", kParam, 12}, {"1/2/3", "x", kParam, 11}, {"/", "1", kParam, 11},
        {"3 /4", "1", kParam, 11}, {"2,5", "1", kParam, 11}, {" 2", "1", kParam, 11}, {"2 ", "1", kParam, 11},
        {"-", "1", kParam, 11}, {".", "1", kParam, 11}, {"1e", "1", kParam, 11}, {"1", "abc", kParam, 12},
        {std::string("1\0", 2), "1", kParam, 11}, {"\xff\xfe", "1", kParam, 11},
        // Values that are not finite numbers are refused rather than solved with.
        {"nan", "1", kParam, 11}, {"1", "-inf", kParam, 12}, {"1e400", "1", kParam, 11},
        {"1/infinity", "1", kParam, 11},
        // So are values that read as finite but overflow while solving, in the field that holds
        // the larger number, a denominator's included.
        {"1/1e200", "1e10", kParam, 11}, {"1e10", "1/1e300", kParam, 12}, {kLong, "1", kParam, 11}, {"1", kLong, kParam, 12}, {"1e300", "1e300", kParam, 11},
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

    // "%g" prints 1e-05: nothing to expand.
    EXPECT_EQ(stepsOf(runSolver("0.00001", "2"))[1].first, "Step 2    Quadratic equation");
}

// Titles are written as keys; all but the result and the unnamed step take the next number.
StepList titled(StepList steps) {
    int number = 0;
    for (auto& [key, latex] : steps)
        if (!key.empty())
            key = (key == "Result" ? "" : NSLocalizedString("Step", "") + " " + std::to_string(++number) + "    ") +
                  NSLocalizedString(key, "");
    return steps;
}

TEST(SolverWholeRuns, OneRunPerStepShape) {
    const Step kFormula{"Radixel", "x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}"};
    struct Run {
        const char *p, *q;
        StepList steps;
    };
    // Non-real roots; a fractional p; the early end; p = 0, q cancels; only p / 2 or only q a fraction; solutions
    // from the unrounded root (-0.333, 2.475); an exact root, rounded solutions; squares beyond 1e12.
    const Run runs[] = {
        {"2", "5", {
            {"Your Input", "p = 2 \\quad q = 5"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 2 \\cdot x + 5"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{2}{2} \\pm \\sqrt{ \\left( \\frac{2}{2} \\right)^2 -  5}"},
            {"Calculate Verb", "x_{1,2} = - 1 \\pm \\sqrt{  1 ^2 -  5}"},
            {"Square", "x_{1,2} = - 1 \\pm \\sqrt{ 1 - 5}"},
            {"Subtraction", "x_{1,2} = - 1 \\pm \\sqrt{(-4)} "},
            {"Result", "\\begin{eqalign} x_1 &=  (-1) + \\sqrt{(-4)} \\\\ x_2 &=  (-1) - \\sqrt{(-4)}\\end{eqalign} "}}},
        {"-12/5", "7/3", {
            {"Your Input", "p = \\frac{(-12)}{5} \\quad q = \\frac{7}{3}"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + \\frac{(-12)}{5} \\cdot x + \\frac{7}{3}"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{\\frac{(-12)}{5}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{(-12)}{5}}{2} \\right)^2 -  \\frac{7}{3}}"},
            {"Double fraction", "x_{1,2} = - \\frac{(-12)}{5}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{(-12)}{5}\\cdot \\frac{1}{2} \\right)^2 -  \\frac{7}{3}}"},
            {"Calculate Verb", "x_{1,2} = - \\frac{(-12)}{10} \\pm \\sqrt{ \\left(\\frac{(-12)}{10}\\right) ^2 -  \\frac{7}{3}}"},
            {"Cancel (math)", "x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{  \\left(\\frac{(-6)}{5}\\right) ^2  -  \\frac{7}{3}}"},
            {"Square", "x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{ \\frac{36}{25} - \\frac{7}{3}}"},
            {"Bring to a common denominator", "x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - \\frac{7 \\cdot 25}{3  \\cdot 25}}"},
            {"", "x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{108}{75} - \\frac{175}{75}}"},
            {"Subtraction", "x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{(-67)}{75}} "},
            {"Calculate Verb", "x_{1,2} = 1.2 \\pm \\sqrt{(-0.8933333333)}"},
            {"Result", "\\begin{eqalign} x_1 &=  1.2 + \\sqrt{(-0.8933333333)} \\\\ x_2 &=  1.2 - \\sqrt{(-0.8933333333)}\\end{eqalign} "}}},
        {"0", "0", {
            {"Your Input", "p = 0 \\quad q = 0"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 0 \\cdot x + 0"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{0}{2} \\pm \\sqrt{ \\left( \\frac{0}{2} \\right)^2 -  0}= 0 \\pm \\sqrt{   0}"},
            {"Result", "x_1 =  0 \\quad x_2 =  -0"}}},
        {"0", "-4/6", {
            {"Your Input", "p = 0 \\quad q = \\frac{(-4)}{6}"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 0 \\cdot x + \\frac{(-4)}{6}"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{0}{2} \\pm \\sqrt{ \\left( \\frac{0}{2} \\right)^2 -  \\frac{(-4)}{6}}= 0 \\pm \\sqrt{   \\frac{4}{6}}"},
            {"Cancel (math)", "x_{1,2} = - 0 \\pm \\sqrt{  -  \\frac{(-2)}{3}}"},
            {"Calculate Verb", "x_{1,2} = 0 \\pm \\sqrt{0.6666666667}"},
            {"Extract a root", "x_{1,2} = 0 \\pm 0.816497"},
            {"Addition", "x_1 \\approx 0 + 0.816 \\approx 0.816"},
            {"Subtraction", "x_2 \\approx 0 -  0.816 \\approx -0.816"},
            {"Result", "x_1 \\approx 0.816 \\quad x_2 \\approx -0.816"}}},
        {"3", "2", {
            {"Your Input", "p = 3 \\quad q = 2"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 3 \\cdot x + 2"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{3}{2} \\pm \\sqrt{ \\left( \\frac{3}{2} \\right)^2 -  2}"},
            {"Square", "x_{1,2} = - \\frac{3}{2} \\pm \\sqrt{ \\frac{9}{4} - 2}"},
            {"Bring to a common denominator", "x_{1,2} =  - \\frac{3}{2} \\pm \\sqrt{\\frac{9 \\cdot 1}{4  \\cdot 1} - \\frac{2 \\cdot 4}{1  \\cdot 4}}"},
            {"", "x_{1,2} =  - \\frac{3}{2} \\pm \\sqrt{\\frac{9}{4} - \\frac{8}{4}}"},
            {"Subtraction", "x_{1,2} = - \\frac{3}{2} \\pm \\sqrt{\\frac{1}{4}} "},
            {"Calculate Verb", "x_{1,2} = (-1.5) \\pm \\sqrt{0.25}"},
            {"Extract a root", "x_{1,2} = -1.5 \\pm 0.5"},
            {"Addition", "x_1 = -1.5 + 0.5 = -1.0"},
            {"Subtraction", "x_2 = -1.5 -  0.5 = -2.0"},
            {"Result", "x_1 = -1.0 \\quad x_2 = -2.0"}}},
        {"4", "1/3", {
            {"Your Input", "p = 4 \\quad q = \\frac{1}{3}"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 4 \\cdot x + \\frac{1}{3}"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{4}{2} \\pm \\sqrt{ \\left( \\frac{4}{2} \\right)^2 -  \\frac{1}{3}}"},
            {"Cancel (math)", "x_{1,2} = - 2 \\pm \\sqrt{ 2 ^2  -  \\frac{1}{3}}"},
            {"Square", "x_{1,2} = - 2 \\pm \\sqrt{ 4 - \\frac{1}{3}}"},
            {"Bring to a common denominator", "x_{1,2} =  - 2 \\pm \\sqrt{\\frac{4 \\cdot 3}{1  \\cdot 3} - \\frac{1 \\cdot 1}{3  \\cdot 1}}"},
            {"", "x_{1,2} =  - 2 \\pm \\sqrt{\\frac{12}{3} - \\frac{1}{3}}"},
            {"Subtraction", "x_{1,2} = - 2 \\pm \\sqrt{\\frac{11}{3}} "},
            {"Calculate Verb", "x_{1,2} = (-2) \\pm \\sqrt{3.6666666667}"},
            {"Extract a root", "x_{1,2} = -2 \\pm 1.91485"},
            {"Addition", "x_1 \\approx -2 + 1.915 \\approx -0.085"},
            {"Subtraction", "x_2 \\approx -2 -  1.915 \\approx -3.915"},
            {"Result", "x_1 \\approx -0.085 \\quad x_2 \\approx -3.915"}}},
        {"1/3", "0", {
            {"Your Input", "p = \\frac{1}{3} \\quad q = 0"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + \\frac{1}{3} \\cdot x + 0"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{\\frac{1}{3}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{1}{3}}{2} \\right)^2 -  0}= - \\frac{\\frac{1}{3}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{1}{3}}{2} \\right)^2 }"},
            {"Double fraction", "x_{1,2} = - \\frac{1}{3}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{1}{3}\\cdot \\frac{1}{2} \\right)^2 }"},
            {"Calculate Verb", "x_{1,2} = - \\frac{1}{6} \\pm \\sqrt{ \\left(\\frac{1}{6}\\right) ^2 }"},
            {"Square", "x_{1,2} = - \\frac{1}{6} \\pm \\sqrt{  \\frac{1}{36}}"},
            {"Calculate Verb", "x_{1,2} = (-0.1666666667) \\pm \\sqrt{0.0277777778}"},
            {"Extract a root", "x_{1,2} = -0.1666666667 \\pm 0.166667"},
            {"Addition", "x_1 \\approx -0.1666666667 + 0.167 \\approx 0.0"},
            {"Subtraction", "x_2 \\approx -0.1666666667 -  0.167 \\approx -0.333"},
            {"Result", "x_1 \\approx 0.0 \\quad x_2 \\approx -0.333"}}},
        {"-5/3", "-2", {
            {"Your Input", "p = \\frac{(-5)}{3} \\quad q = (-2)"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + \\frac{(-5)}{3} \\cdot x + (-2)"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{\\frac{(-5)}{3}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{(-5)}{3}}{2} \\right)^2 -  (-2)}"},
            {"Double fraction", "x_{1,2} = - \\frac{(-5)}{3}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{(-5)}{3}\\cdot \\frac{1}{2} \\right)^2 -  (-2)}"},
            {"Calculate Verb", "x_{1,2} = - \\frac{(-5)}{6} \\pm \\sqrt{ \\left(\\frac{(-5)}{6}\\right) ^2 -  (-2)}"},
            {"Square", "x_{1,2} = - \\frac{(-5)}{6} \\pm \\sqrt{ \\frac{25}{36} - (-2)}"},
            {"Bring to a common denominator", "x_{1,2} =  - \\frac{(-5)}{6} \\pm \\sqrt{\\frac{\\left( 25 \\right) \\cdot 1}{36  \\cdot 1} - \\frac{\\left( -2 \\right) \\cdot 36}{1  \\cdot 36}}"},
            {"", "x_{1,2} =  - \\frac{(-5)}{6} \\pm \\sqrt{\\frac{25}{36} - \\frac{(-72)}{36}}"},
            {"Subtraction", "x_{1,2} = - \\frac{(-5)}{6} \\pm \\sqrt{\\frac{97}{36}} "},
            {"Calculate Verb", "x_{1,2} = 0.8333333333 \\pm \\sqrt{2.6944444444}"},
            {"Extract a root", "x_{1,2} = 0.8333333333 \\pm 1.64148"},
            {"Addition", "x_1 \\approx 0.8333333333 + 1.641 \\approx 2.475"},
            {"Subtraction", "x_2 \\approx 0.8333333333 -  1.641 \\approx -0.808"},
            {"Result", "x_1 \\approx 2.475 \\quad x_2 \\approx -0.808"}}},
        {"2/3", "-5/36", {
            {"Your Input", "p = \\frac{2}{3} \\quad q = \\frac{(-5)}{36}"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + \\frac{2}{3} \\cdot x + \\frac{(-5)}{36}"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{\\frac{2}{3}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{2}{3}}{2} \\right)^2 -  \\frac{(-5)}{36}}"},
            {"Double fraction", "x_{1,2} = - \\frac{2}{3}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{2}{3}\\cdot \\frac{1}{2} \\right)^2 -  \\frac{(-5)}{36}}"},
            {"Calculate Verb", "x_{1,2} = - \\frac{2}{6} \\pm \\sqrt{ \\left(\\frac{2}{6}\\right) ^2 -  \\frac{(-5)}{36}}"},
            {"Cancel (math)", "x_{1,2} = - \\frac{1}{3} \\pm \\sqrt{ \\left(\\frac{1}{3}\\right) ^2  -  \\frac{(-5)}{36}}"},
            {"Square", "x_{1,2} = - \\frac{1}{3} \\pm \\sqrt{ \\frac{1}{9} - \\frac{(-5)}{36}}"},
            {"Bring to a common denominator", "x_{1,2} =  - \\frac{1}{3} \\pm \\sqrt{\\frac{1 \\cdot 36}{9  \\cdot 36} - \\frac{ \\left( -5 \\right) \\cdot 9}{36  \\cdot 9}}"},
            {"", "x_{1,2} =  - \\frac{1}{3} \\pm \\sqrt{\\frac{36}{324} - \\frac{(-45)}{324}}"},
            {"Subtraction", "x_{1,2} = - \\frac{1}{3} \\pm \\sqrt{\\frac{81}{324}} "},
            {"Calculate Verb", "x_{1,2} = (-0.3333333333) \\pm \\sqrt{0.25}"},
            {"Extract a root", "x_{1,2} = -0.3333333333 \\pm 0.5"},
            {"Addition", "x_1 = -0.3333333333 + 0.5 = 0.167"},
            {"Subtraction", "x_2 = -0.3333333333 -  0.5 = -0.833"},
            {"Result", "x_1 = 0.167 \\quad x_2 = -0.833"}}},
        {"4000000", "0", {
            {"Your Input", "p = 4000000 \\quad q = 0"},
            {"Quadratic equation", "0 = x^2 + p \\cdot x + q = x^2 + 4000000 \\cdot x + 0"}, kFormula,
            {"Insert", "x_{1,2} = - \\frac{4000000}{2} \\pm \\sqrt{ \\left( \\frac{4000000}{2} \\right)^2 -  0}= - \\frac{4000000}{2} \\pm \\sqrt{ \\left( \\frac{4000000}{2} \\right)^2 }"},
            {"Calculate Verb", "x_{1,2} = - 2000000 \\pm \\sqrt{  2000000 ^2 -  0}"},
            {"Square", "x_{1,2} = - 2000000 \\pm \\sqrt{  \\infty}"},
            {"Extract a root", "x_{1,2} = -2000000 \\pm 2e+06"},
            {"Addition", "x_1 = -2000000 + 2000000.0 = 0.0"},
            {"Subtraction", "x_2 = -2000000 -  2000000.0 = -4000000.0"},
            {"Result", "x_1 = 0.0 \\quad x_2 = -4000000.0"}}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(std::string(run.p) + ", " + run.q);
        EXPECT_EQ(stepsOf(runSolver(run.p, run.q)), titled(run.steps));
    }
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

TEST(LatexHelpers, RootTermAndDecimalPlaces) {
    KeTuRadixel solver;
    // No whole run squares a p of 0 before the root.
    EXPECT_EQ(solver.latexPlusMinusSqrtTerm({0.0, 1}, {0.0, 1}, {5.0, 1}, true), "= - 0 \\pm \\sqrt{ 5}");

    // The last: beyond 64 bits.
    for (const auto& [p, q, places] : std::vector<std::tuple<const char*, const char*, double>>{
             {"3.14159", "2", 5}, {"7", "3", 0}, {"0.125", "2.5", 3}, {"1.5e-07", "1", 0}, {"2.", "1", 1},
             {"1.99999999999999999999", "1", 0}})
        EXPECT_EQ(KeTuRadixel::decimalPlaces(p, q), places) << p << ", " << q;
}

}  // namespace
