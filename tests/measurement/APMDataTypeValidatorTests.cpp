#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"

using nlohmann::json;

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
        for (const auto& line : lines)
            if (line.find(code) != std::string::npos) return true;
        return false;
    }

    std::vector<std::string> lines;
};

TEST_F(Validator, EventNamesFollowTheNamingRulesAndARefusedOneDropsTheEventWithAWarning) {
    for (const std::string& good : {std::string("ketu_calculate"), std::string("ketuAds_presented"), std::string("a"),
                                    std::string(40, 'x'), std::string("Step2_done")})
        EXPECT_FALSE(APMDataTypeValidator::nameProblem(good)) << good;
    for (const std::string& bad : {std::string(), std::string(41, 'x'), std::string("1st"), std::string("_internal"),
                                   std::string("Tapped App Link"), std::string("tapped-menu"), std::string("caf\xc3\xa9"),
                                   std::string("ddv_event"), std::string("APM_event"), std::string("a\nb")})
        EXPECT_TRUE(APMDataTypeValidator::nameProblem(bad)) << bad;

    EXPECT_FALSE(validate("Tapped Rating in Menu", {{"ketuApp", "Radixel"}}));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("WARNING <ZivOzavuzerove>[I-ACS013001] ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("Tapped Rating in Menu"), std::string::npos);
}

TEST_F(Validator, SupportedValuesPassAndOthersAreDroppedOneByOne) {
    auto event = validate("ketu_tapped_share", {{"solutionStepsCount", 7},
                                                {"rating", 4.5},
                                                {"app", "ZV"},
                                                {"flag", true},
                                                {"nothing", nullptr},
                                                {"nested", {{"a", 1}}},
                                                {"huge", std::numeric_limits<std::uint64_t>::max()},
                                                {"nan", std::nan("")},
                                                {"bad name", 1}});
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
    EXPECT_EQ(event->parameters["error_case"].get<std::string>(), umlauts.substr(0, 200));
    EXPECT_EQ(event->parameters["short"].get<std::string>().size(), 100u);
    EXPECT_TRUE(logged("I-ACS013004"));
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(Validator, StepListsKeepTheirDictionariesUnderTheSameRules) {
    json steps = json::array();
    for (int i = 0; i < 210; ++i)
        steps.push_back({{"title", "Step " + std::to_string(i)}, {"latexString", std::string(120, 'x')}, {"deep", json::array()}});
    auto event = validate("ketu_tapped_share", {{"solutionSteps", steps}, {"solutionStepsCount", 210}});
    ASSERT_TRUE(event);
    const json& kept = event->parameters["solutionSteps"];
    ASSERT_EQ(kept.size(), APMDataTypeValidator::maximumListLength);
    EXPECT_EQ(kept[0]["title"], "Step 0");
    EXPECT_EQ(kept[0]["latexString"].get<std::string>().size(), 100u);
    EXPECT_FALSE(kept[0].contains("deep"));
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

    auto listed = validate("ketu_calculate", json::array({1, 2}));
    ASSERT_TRUE(listed);
    EXPECT_TRUE(listed->parameters.empty());
    EXPECT_TRUE(logged("I-ACS013006"));

    auto none = validate("tapped_rated_app_cancel", nullptr);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->parameters, json::object());
}

TEST_F(Validator, WarningsAreBoundedPerEventAndShowNamesCut) {
    json parameters = json::object();
    for (int p = 0; p < 25; ++p) {
        json entry = json::object();
        for (int k = 0; k < 30; ++k) entry["bad key " + std::to_string(k)] = json::array();
        parameters["list" + std::to_string(p)] = json::array({entry, entry, entry});
    }
    parameters[std::string(100000, 'n')] = 1;
    auto event = validate("ketu_tapped_share", parameters);
    ASSERT_TRUE(event);
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

// A context value cannot forge a second line.
TEST(APMMonitorLine, CarriesLevelTagCodeAndContextOnOneLine) {
    EXPECT_EQ(APMMonitor::formatLine(0, 34001, "Cannot open. Path, error", {"/x", "busy"}),
              "ERROR <ZivOzavuzerove>[I-ACS034001] Cannot open. Path, error: /x, busy");
    EXPECT_EQ(APMMonitor::formatLine(6, 1, "n").substr(0, 7), "NOTICE ");
    EXPECT_EQ(APMMonitor::formatLine(4, 13001, "Bad. Event name", {"a\nERROR forged"}).find('\n'), std::string::npos);
}

}  // namespace
