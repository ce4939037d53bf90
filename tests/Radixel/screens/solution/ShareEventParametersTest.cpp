#include <gtest/gtest.h>

#include "Radixel/screens/solution/ShareEventParameters.hpp"

TEST(ShareEventParametersTest, CarryTheWholeStepListInOrderAndItsCount) {
    std::vector<SolutionStep> steps = {{{"title", "Step 1    Your Input"}, {"latexString", "p = 2"}},
                                       {{"title", ""}, {"messageString", "no solution"}}};
    nlohmann::json parameters = shareEventParameters(steps);
    EXPECT_EQ(parameters, (nlohmann::json{{"solutionSteps", nlohmann::json::array({steps[0], steps[1]})},
                                          {"solutionStepsCount", 2}}));
    EXPECT_TRUE(parameters["solutionStepsCount"].is_number_integer());
    EXPECT_EQ(shareEventParameters({}),
              (nlohmann::json{{"solutionSteps", nlohmann::json::array()}, {"solutionStepsCount", 0}}));
}
