#include <gtest/gtest.h>

#include "Radixel/services/Calculation.hpp"

using nlohmann::json;

TEST(CalculationTest, DictionaryHasExactlyTheFourFieldKeysAndRoundTrips) {
    Calculation calculation;
    calculation.inputParameters = {{"p", "-2.4"}, {"q", "7/3"}};
    calculation.latexString = "p = -2.4, q = \\frac{7}{3}";
    calculation.solutionSteps = {{{"title", "Step 1"}, {"latexString", "x^2"}}};
    calculation.setupParameter = {{"appKey", "ZV"}};

    json dictionary = calculation.dictionary();
    EXPECT_EQ(dictionary.size(), 4u);
    EXPECT_EQ(dictionary["inputParameters"], json({{"p", "-2.4"}, {"q", "7/3"}}));
    EXPECT_EQ(dictionary["setupParameter"], json({{"appKey", "ZV"}}));
    EXPECT_EQ(Calculation::initFromDictionary(dictionary), calculation);

    json empty = Calculation().dictionary();
    EXPECT_TRUE(empty["inputParameters"].is_object());
    EXPECT_TRUE(empty["solutionSteps"].is_array());
    EXPECT_TRUE(empty["setupParameter"].is_object());
}

TEST(CalculationTest, DamagedFieldsFallBackOneByOne) {
    json dictionary = {{"inputParameters", {{"p", "1"}, {"q", "2"}}},
                       {"solutionSteps", "not a list"},
                       {"setupParameter", {{"appKey", "ZV"}, {"version", 2}}},
                       {"somethingNew", 1}};
    Calculation calculation = Calculation::initFromDictionary(dictionary);
    EXPECT_EQ(calculation.inputParameters.at("q"), "2");
    EXPECT_EQ(calculation.latexString, "");
    EXPECT_TRUE(calculation.solutionSteps.empty());
    EXPECT_EQ(calculation.setupParameter["version"], 2);

    json wrongKinds = {{"inputParameters", {{"p", 1}}},
                       {"latexString", 3},
                       {"solutionSteps", json::array({{{"title", 1}}})},
                       {"setupParameter", json::array()}};
    EXPECT_EQ(Calculation::initFromDictionary(wrongKinds), Calculation());
    EXPECT_EQ(Calculation::initFromDictionary(json::object()), Calculation());
    EXPECT_EQ(Calculation::initFromDictionary("text"), Calculation());
}
