#include <gtest/gtest.h>

#include "Radixel/math/SolverTestSupport.hpp"
#include "Radixel/screens/calculate/HistoryRecord.hpp"

TEST(HistoryRecordTest, SummaryShowsFractionsOnlyWhenTypedAndNotWholeAndEmptyInputsAsQuestionMarks) {
    EXPECT_EQ(historyLatexString("1/2", {1.0, 2.0}, "3", {3.0, 1.0}, false), "p = 0.5 \\quad q = 3");
    EXPECT_EQ(historyLatexString("1/3", {1.0, 3.0}, "-2", {-2.0, 1.0}, false), "p = 0.333333 \\quad q = -2");
    EXPECT_EQ(historyLatexString("", {2.0, 1.0}, "3", {3.0, 1.0}, false), "? \\quad q = 3");
    EXPECT_EQ(historyLatexString("2", Fraction{}, "", Fraction{}, false), "? \\quad ?");
    // What the solver hands back for typed inputs.
    for (auto [p, q, summary] : {std::tuple{"1/2", "3", "p = \\frac{1}{2} \\quad q = 3"},
                                 {"0.5", "-3", "p = 0.5 \\quad q = -3"},
                                 {"4/2", "-3", "p = \\frac{4}{2} \\quad q = -3"},
                                 {"3/-4", "1/3", "p = \\frac{-3}{4} \\quad q = \\frac{1}{3}"}}) {
        KeTuRadixelResult result = runSolver(p, q);
        ASSERT_FALSE(result.errorKey) << p << ", " << q;
        EXPECT_EQ(historyLatexString(p, result.p.value_or(Fraction{}), q, result.q.value_or(Fraction{}),
                                     result.withFraction),
                  summary);
    }
    // The record carries the typed texts, the summary and the app key.
    Calculation calculation = historyCalculation("1/2", {1.0, 2.0}, "3", {3.0, 1.0}, true);
    EXPECT_EQ(calculation.inputParameters, (std::map<std::string, std::string>{{"p", "1/2"}, {"q", "3"}}));
    EXPECT_EQ(calculation.latexString, "p = \\frac{1}{2} \\quad q = 3");
    EXPECT_EQ(calculation.setupParameter, (nlohmann::json{{"appKey", "ZV"}}));
    EXPECT_EQ(historyInputParameters("", "3"), (std::map<std::string, std::string>{{"q", "3"}}));
    EXPECT_TRUE(historyInputParameters("", "").empty());
}
