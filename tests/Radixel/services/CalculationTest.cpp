#include <gtest/gtest.h>

#include "Radixel/services/Calculation.hpp"

using nlohmann::json;

TEST(CalculationTest, DictionaryHasExactlyTheFourFieldsAndRoundTrips) {
    Calculation calculation;
    calculation.inputParameters = {{"p", "-2.4"}, {"q", "7/3"}};
    calculation.latexString = "p = -2.4, q = \\frac{7}{3}";
    calculation.solutionSteps = {{{"title", "Step 1"}, {"latexString", "x^2"}}};
    calculation.setupParameter = {{"appKey", "ZV"}};
    EXPECT_EQ(Calculation::initFromDictionary(calculation.dictionary()), calculation);
    EXPECT_EQ(Calculation().dictionary(), json::parse(R"({"inputParameters": {}, "latexString": "",
                                                         "solutionSteps": [], "setupParameter": {}})"));
}

TEST(CalculationTest, DamagedFieldsFallBackOneByOne) {
    Calculation calculation = Calculation::initFromDictionary({{"inputParameters", {{"p", "1"}, {"q", "2"}}},
                                                               {"solutionSteps", "not a list"},
                                                               {"setupParameter", {{"appKey", "ZV"}, {"version", 2}}},
                                                               {"somethingNew", 1}});
    EXPECT_EQ(calculation.inputParameters.at("q"), "2");
    EXPECT_TRUE(calculation.solutionSteps.empty());
    EXPECT_EQ(calculation.setupParameter["version"], 2);

    for (const json& damaged : {json{{"inputParameters", {{"p", 1}}}, {"latexString", 3},
                                     {"solutionSteps", json::array({{{"title", 1}}})},
                                     {"setupParameter", json::array()}},
                                json::object(), json("text")})
        EXPECT_EQ(Calculation::initFromDictionary(damaged), Calculation()) << damaged;
}
