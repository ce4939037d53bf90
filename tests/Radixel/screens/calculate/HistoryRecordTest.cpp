#include <gtest/gtest.h>

#include "Radixel/math/SolverTestSupport.hpp"
#include "Radixel/screens/calculate/HistoryRecord.hpp"

namespace {

std::string summaryOfSolving(const std::string& pText, const std::string& qText) {
    KeTuRadixelResult result = runSolver(pText, qText);
    EXPECT_FALSE(result.errorKey) << pText << ", " << qText;
    return historyLatexString(pText, result.p.value_or(Fraction{}), qText, result.q.value_or(Fraction{}),
                              result.withFraction);
}

}  // namespace

TEST(HistoryRecordTest, FractionsShowAsFractionsOnlyWhenTypedAndNotWhole) {
    const Fraction half{1.0, 2.0};
    const Fraction three{3.0, 1.0};
    EXPECT_EQ(historyLatexString("1/2", half, "3", three, true), "p = \\frac{1}{2} \\quad q = 3");
    EXPECT_EQ(historyLatexString("1/2", half, "3", three, false), "p = 0.5 \\quad q = 3");
    EXPECT_EQ(historyLatexString("3/-4", Fraction{-3.0, 4.0}, "1/3", Fraction{1.0, 3.0}, true),
              "p = \\frac{-3}{4} \\quad q = \\frac{1}{3}");
    EXPECT_EQ(historyLatexString("1/3", Fraction{1.0, 3.0}, "-2", Fraction{-2.0, 1.0}, false),
              "p = 0.333333 \\quad q = -2");
}

TEST(HistoryRecordTest, SummaryOfWhatTheSolverHandsBack) {
    EXPECT_EQ(summaryOfSolving("1/2", "3"), "p = \\frac{1}{2} \\quad q = 3");
    EXPECT_EQ(summaryOfSolving("0.5", "-3"), "p = 0.5 \\quad q = -3");
    EXPECT_EQ(summaryOfSolving("4/2", "-3"), "p = \\frac{4}{2} \\quad q = -3");
    EXPECT_EQ(summaryOfSolving("-2.4", "7/3"), "p = \\frac{-24}{10} \\quad q = \\frac{7}{3}");
}

TEST(HistoryRecordTest, EmptyInputsShowAsQuestionMarkAndHaveNoEntry) {
    EXPECT_EQ(historyLatexString("", Fraction{}, "3", Fraction{3.0, 1.0}, false), "? \\quad q = 3");
    EXPECT_EQ(historyLatexString("2", Fraction{}, "", Fraction{}, false), "? \\quad ?");
    EXPECT_EQ(historyInputParameters("", "3"), (std::map<std::string, std::string>{{"q", "3"}}));
    EXPECT_TRUE(historyInputParameters("", "").empty());
}

TEST(HistoryRecordTest, RecordCarriesTextsSummaryNoStepsAndTheAppKey) {
    Calculation calculation = historyCalculation("1/2", Fraction{1.0, 2.0}, "3", Fraction{3.0, 1.0}, true);
    EXPECT_EQ(calculation.inputParameters, (std::map<std::string, std::string>{{"p", "1/2"}, {"q", "3"}}));
    EXPECT_EQ(calculation.latexString, "p = \\frac{1}{2} \\quad q = 3");
    EXPECT_TRUE(calculation.solutionSteps.empty());
    EXPECT_EQ(calculation.setupParameter, (nlohmann::json{{"appKey", "ZV"}}));
}
