// The engine's rules for event names and parameter values, its size estimate, and its log lines.
#include <gtest/gtest.h>

#include <cmath>

#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"

using nlohmann::json;
using namespace std::string_literals;

namespace {

class Validator : public ::testing::Test {
protected:
    void SetUp() override {
        APMMonitor::setSinkForTesting([this](const std::string& line) { lines.push_back(line); });
    }
    void TearDown() override { APMMonitor::setSinkForTesting(nullptr); }

    std::optional<APMEvent> validate(const std::string& name, json parameters) {
        return APMDataTypeValidator::validatedEvent(APMEvent{"app", name, 1.0, std::move(parameters)});
    }
    bool logged(const std::string& code) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const auto& line) { return line.find(code) != std::string::npos; });
    }

    std::vector<std::string> lines;
};

TEST_F(Validator, EventNamesFollowTheNamingRulesAndARefusedOneDropsTheEventWithAWarning) {
    for (const std::string& good : {"ketu_calculate"s, "ketuAds_presented"s, "a"s, std::string(40, 'x'), "Step2_done"s})
        EXPECT_FALSE(APMDataTypeValidator::nameProblem(good)) << good;
    for (const std::string& bad : {""s, std::string(41, 'x'), "1st"s, "_internal"s, "Tapped App Link"s, "tapped-menu"s,
                                   "caf\xc3\xa9"s, "ddv_event"s, "APM_event"s, "a\nb"s})
        EXPECT_TRUE(APMDataTypeValidator::nameProblem(bad)) << bad;

    EXPECT_FALSE(validate("Tapped Rating in Menu", {{"ketuApp", "Radixel"}}));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("WARNING <ZivOzavuzerove>[I-ACS013001] ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("Tapped Rating in Menu"), std::string::npos);
    EXPECT_FALSE(validate("a\r\nERROR forged", json::object()));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "a refused name must not forge a second line";
}

TEST_F(Validator, SupportedValuesPassAndOthersAreDroppedOneByOne) {
    json parameters = json::parse(R"({"solutionStepsCount": 7, "rating": 4.5, "app": "ZV", "flag": true,
        "nothing": null, "nested": {"a": 1}, "huge": 18446744073709551615, "bad name": 1})");
    parameters["nan"] = std::nan("");
    auto event = validate("ketu_tapped_share", parameters);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->parameters, json({{"solutionStepsCount", 7}, {"rating", 4.5}, {"app", "ZV"}, {"flag", 1}}));
    EXPECT_TRUE(logged("I-ACS013002"));  // the name with a space
    EXPECT_TRUE(logged("I-ACS013003"));
    EXPECT_EQ(lines.size(), 5u);
}

TEST_F(Validator, LongTextsAreCutAtACharacterBoundary) {
    std::string umlauts;
    for (int i = 0; i < 150; ++i) umlauts += "\xc3\xa4";  // two bytes per character
    auto event = validate("ketu_got_error", {{"error_case", umlauts}, {"short", std::string(100, 'x')}});
    ASSERT_TRUE(event);
    EXPECT_EQ(event->parameters, json({{"error_case", umlauts.substr(0, 200)}, {"short", std::string(100, 'x')}}));
    EXPECT_TRUE(logged("I-ACS013004"));
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(Validator, StepListsKeepTheirDictionariesUnderTheSameRules) {
    json steps = json::array();
    for (int i = 0; i < 210; ++i)
        steps.push_back(
            {{"title", "Step " + std::to_string(i)}, {"latexString", std::string(120, 'x')}, {"deep", json::array()}});
    auto event = validate("ketu_tapped_share", {{"solutionSteps", steps}, {"solutionStepsCount", 210}});
    ASSERT_TRUE(event);
    const json& kept = event->parameters["solutionSteps"];
    ASSERT_EQ(kept.size(), APMDataTypeValidator::maximumListLength);
    EXPECT_EQ(kept[0], json({{"title", "Step 0"}, {"latexString", std::string(100, 'x')}}));
    EXPECT_TRUE(logged("I-ACS013007"));

    auto mixed = validate("ketu_tapped_share", {{"solutionSteps", json::array({{{"title", "x"}}, 3})}});
    ASSERT_TRUE(mixed);
    EXPECT_FALSE(mixed->parameters.contains("solutionSteps"));  // a list must hold dictionaries only
}

TEST_F(Validator, ParametersBeyondTwentyFiveAndNonDictionariesAreDropped) {
    json many = json::object();
    for (int i = 0; i < 30; ++i) many["p" + std::to_string(100 + i)] = i;
    auto event = validate("ketu_calculate", many);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->parameters.size(), APMDataTypeValidator::maximumParameterCount);
    EXPECT_TRUE(logged("I-ACS013005"));
    for (const json& parameters : {json::array({1, 2}), json(nullptr)}) {
        auto none = validate("ketu_calculate", parameters);
        ASSERT_TRUE(none);
        EXPECT_EQ(none->parameters, json::object());
    }
    EXPECT_TRUE(logged("I-ACS013006"));
}

TEST_F(Validator, WarningsAreBoundedPerEventAndShowNamesCut) {
    json parameters = json::object();
    for (int p = 0; p < 25; ++p) {
        json entry = json::object();
        for (int k = 0; k < 30; ++k) entry["bad key " + std::to_string(k)] = json::array();
        parameters["list" + std::to_string(p)] = json::array({entry, entry, entry});
    }
    parameters[std::string(100000, 'n')] = 1;
    ASSERT_TRUE(validate("ketu_tapped_share", parameters));
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(APMDataTypeValidator::maximumWarningsPerEvent) + 1);
    EXPECT_TRUE(logged("I-ACS013008"));
    for (const auto& line : lines) EXPECT_LT(line.size(), 300u) << line.substr(0, 80);

    lines.clear();
    json wide = json::object();
    for (int k = 0; k < 40; ++k) wide["k" + std::to_string(k)] = k;
    auto cut = validate("ketu_tapped_share", {{"steps", json::array({wide, wide})}});
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->parameters["steps"][1].size(), APMDataTypeValidator::maximumListEntryParameterCount);
    EXPECT_EQ(lines.size(), 1u) << "the same cut in every entry is said once";
    EXPECT_TRUE(logged("I-ACS013009"));
}

// The estimate bounds what is stored, and gives up early instead of walking huge parameters.
TEST(APMDataTypeValidatorSize, TheEstimateIsNeverBelowTheStoredSizeAndStopsEarly) {
    const json samples[] = {
        json::object(),
        {{"text", std::string(1000, '"')}},
        {{"control", std::string(300, '\x01')}},
        {{"broken", std::string(2000, '\x80')}},
        {{"umlauts", std::string(500, '\xc3')}},
        {{"n", -9.2233720368547758e18}, {"m", std::numeric_limits<std::int64_t>::min()}, {"b", true}, {"d", 1e-300}},
        {{"steps", json::array({{{"latexString", "\\frac{7}{3}"}, {"x", 0.1}}, {{"title", std::string(150, '\\')}}})}},
    };
    for (const json& parameters : samples) {
        const std::string shown = parameters.dump(-1, ' ', false, json::error_handler_t::replace).substr(0, 60);
        auto event = APMDataTypeValidator::validatedEvent(APMEvent{"app", "ketu_calculate", 1.0, parameters});
        ASSERT_TRUE(event) << shown;
        std::size_t stored = event->parameters.dump(-1, ' ', false, json::error_handler_t::replace).size();
        EXPECT_GE(APMDataTypeValidator::parametersSizeEstimate(parameters, 1u << 30), stored) << shown;
    }
    json huge = json::array();
    for (int i = 0; i < 200000; ++i) huge.push_back(i);
    EXPECT_LE(APMDataTypeValidator::parametersSizeEstimate({{"list", huge}}, 1000), 1000u + 64);
}

}  // namespace
