#include <gtest/gtest.h>

#include <memory>

#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "support/ScratchFolder.hpp"

using nlohmann::json;

// Readable failure messages.
void PrintTo(const Calculation& calculation, std::ostream* out) { *out << calculation.dictionary().dump(); }

namespace {

Calculation record(const std::string& p, const std::string& q) {
    Calculation calculation;
    calculation.inputParameters = {{"p", p}, {"q", q}};
    calculation.latexString = "p = " + p + " \\quad q = " + q;
    calculation.setupParameter = {{"appKey", "ZV"}};
    return calculation;
}

std::vector<std::string> ps(const std::vector<Calculation>& calculations) {
    std::vector<std::string> result;
    for (const Calculation& calculation : calculations) result.push_back(calculation.inputParameters.at("p"));
    return result;
}

class CalcManagerTest : public ::testing::Test {
protected:
    // Drops the open defaults (writing what is pending) and reads the file again, as a new
    // process would.
    void restart() {
        ASSERT_TRUE(defaults->synchronize());
        defaults = std::make_shared<NSUserDefaults>(directory.path() / "defaults.json");
    }

    // What the store holds, as records.
    std::vector<Calculation> stored() const {
        std::vector<Calculation> result;
        const json list = defaults->objectForKey("Calculations").value();
        for (const json& entry : list)
            result.push_back(Calculation::initFromDictionary(entry));
        return result;
    }

    ScratchFolder directory;
    std::shared_ptr<NSUserDefaults> defaults = std::make_shared<NSUserDefaults>(directory.path() / "defaults.json");
};

}  // namespace

TEST_F(CalcManagerTest, NewestFirstAndEveryChangeKeepsTheStoredListInStep) {
    {
        CalcManager manager(defaults);
        for (const char* p : {"A", "B", "C"}) manager.addCalculation(record(p, "1"));
        EXPECT_EQ(ps(manager.calculations), (std::vector<std::string>{"C", "B", "A"}));
        EXPECT_EQ(stored(), manager.calculations);

        EXPECT_TRUE(manager.swapCalculations(0, 2));
        EXPECT_EQ(stored(), manager.calculations);
        EXPECT_TRUE(manager.swapCalculations(1, 1));
        EXPECT_EQ(ps(manager.calculations), (std::vector<std::string>{"A", "B", "C"}));

        // Indices outside the list change nothing.
        EXPECT_FALSE(manager.removeCalculation(3) || manager.removeCalculation(static_cast<std::size_t>(-1)));
        EXPECT_FALSE(manager.swapCalculations(0, 5) || manager.swapCalculations(7, 0));
        EXPECT_TRUE(manager.removeCalculation(1));
        EXPECT_EQ(ps(manager.calculations), (std::vector<std::string>{"A", "C"}));
        EXPECT_EQ(stored(), manager.calculations);
    }
    restart();
    CalcManager reopened(defaults);
    EXPECT_EQ(ps(reopened.calculations), (std::vector<std::string>{"A", "C"}));

    // Deleting the last entry leaves an empty list, which a restart keeps as it is.
    EXPECT_TRUE(reopened.removeCalculation(0));
    EXPECT_TRUE(reopened.removeCalculation(0));
    restart();
    EXPECT_TRUE(CalcManager(defaults).calculations.empty());
    EXPECT_EQ(defaults->objectForKey("Calculations"), std::optional<json>(json::array()));
}

TEST_F(CalcManagerTest, DamagedStoredHistoryKeepsWhatCanBeReadOrStartsEmpty) {
    json noSummary = record("5", "6").dictionary();
    noSummary.erase("latexString");
    defaults->setObject(json::array({noSummary, "garbage", 42, record("7", "8").dictionary()}), "Calculations");
    testing::internal::CaptureStdout();
    CalcManager manager(defaults);
    std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(manager.calculations.size(), 2u);
    EXPECT_EQ(manager.calculations[0].latexString, "");
    EXPECT_EQ(manager.calculations[0].inputParameters.at("q"), "6");
    EXPECT_EQ(manager.calculations[1].inputParameters.at("p"), "7");
    EXPECT_NE(printed.find("skipped 2"), std::string::npos) << printed;

    // Without a single readable record the history is replaced by an empty one.
    for (const json& value : {json("not a list"), json::array({42}), json::array({"a", json::array()}), json(7),
                              json::object()}) {
        defaults->setObject(value, "Calculations");
        testing::internal::CaptureStdout();
        CalcManager empty(defaults);
        EXPECT_NE(testing::internal::GetCapturedStdout(), "") << value;
        EXPECT_TRUE(empty.calculations.empty()) << value;
        EXPECT_EQ(defaults->objectForKey("Calculations"), std::optional<json>(json::array())) << value;
    }
}

TEST_F(CalcManagerTest, SelectionIsStoredOrRemovedAndBothRecordsAreReadAtCreation) {
    {
        CalcManager manager(defaults);
        EXPECT_FALSE(manager.currentSelectedCalculation || manager.currentCalculation);
        manager.currentSelectedCalculation = record("3", "4");
        manager.saveCurrentSelectedCalculation();
        defaults->setObject(record("9", "9").dictionary(), "CurrentCalculation");
    }
    restart();
    CalcManager manager(defaults);
    EXPECT_EQ(manager.currentSelectedCalculation, std::optional<Calculation>(record("3", "4")));
    EXPECT_EQ(manager.currentCalculation, std::optional<Calculation>(record("9", "9")));

    manager.currentSelectedCalculation.reset();
    manager.saveCurrentSelectedCalculation();
    EXPECT_FALSE(defaults->objectForKey("CurrentSelectedCalculation").has_value());

    defaults->setObject("not a record", "CurrentCalculation");
    EXPECT_FALSE(manager.loadCalculation("CurrentCalculation").has_value());
}

// The shared store, as the application uses it, across simulated restarts of the program.
class SharedCalcManagerTest : public ::testing::Test {
protected:
    ScratchDefaults defaults;
    uikit::testing::Harness h;
};

TEST_F(SharedCalcManagerTest, OnlyTheVeryFirstStartSeedsTheExample) {
    EXPECT_TRUE(CalcManager::shared().resetHistoryOnFirstStart());
    ASSERT_EQ(CalcManager::shared().calculations.size(), 1u);
    const Calculation& example = CalcManager::shared().calculations[0];
    EXPECT_EQ(example.dictionary(), json({{"inputParameters", {{"p", "-2.4"}, {"q", "7/3"}}},
                                          {"latexString", "p = -2.4, q = \\frac{7}{3}"},
                                          {"solutionSteps", json::array()}, {"setupParameter", {{"appKey", "ZV"}}}}));
    EXPECT_TRUE(CalcManager::shared().removeCalculation(0));

    h.simulateRestart();
    EXPECT_FALSE(CalcManager::shared().resetHistoryOnFirstStart());
    EXPECT_TRUE(CalcManager::shared().calculations.empty());
}

TEST_F(CalcManagerTest, AStoredHistoryIsKeptWhateverTheFirstStartMarkerHolds) {
    // Missing, or written by hand or by an older version as something other than a Boolean.
    json history = json::array();
    for (int i = 0; i < 20; ++i) history.push_back(record(std::to_string(i), "1").dictionary());
    for (const std::optional<json>& marker : {std::optional<json>(), std::optional<json>("true"), std::optional<json>(0.0)}) {
        SCOPED_TRACE(marker ? marker->dump() : "missing");
        defaults->setObject(history, "Calculations");
        if (marker)
            defaults->setObject(*marker, "isFirstStartDone");
        else
            defaults->removeObjectForKey("isFirstStartDone");
        restart();

        CalcManager manager(defaults);
        EXPECT_FALSE(manager.resetHistoryOnFirstStart());
        EXPECT_EQ(manager.calculations.size(), 20u);
        restart();
        EXPECT_EQ(stored().size(), 20u);
        EXPECT_EQ(defaults->objectForKey("isFirstStartDone"), json(true));
    }
}
