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

class CalcManagerTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return directory.path() / "defaults.json"; }

    // Drops the open defaults (writing what is pending) and reads the file again, as a new
    // process would.
    void restart() {
        ASSERT_TRUE(defaults->synchronize());
        defaults.reset();
        defaults = std::make_shared<NSUserDefaults>(file());
    }

    std::vector<std::string> storedPs() const {
        std::vector<std::string> ps;
        std::optional<json> stored = defaults->objectForKey("Calculations");
        for (const json& entry : stored.value()) ps.push_back(entry["inputParameters"]["p"]);
        return ps;
    }

    static std::vector<std::string> ps(const CalcManager& manager) {
        std::vector<std::string> result;
        for (const Calculation& calculation : manager.calculations)
            result.push_back(calculation.inputParameters.at("p"));
        return result;
    }

    ScratchFolder directory;
    std::shared_ptr<NSUserDefaults> defaults = std::make_shared<NSUserDefaults>(file());
};

}  // namespace

TEST_F(CalcManagerTest, FirstStartSeedsTheExampleAndItSurvivesARestart) {
    {
        CalcManager manager(defaults);
        EXPECT_TRUE(manager.calculations.empty());
        manager.resetHistory();
        ASSERT_EQ(manager.calculations.size(), 1u);
    }
    restart();
    CalcManager manager(defaults);
    ASSERT_EQ(manager.calculations.size(), 1u);
    const Calculation& example = manager.calculations[0];
    EXPECT_EQ(example.inputParameters, (std::map<std::string, std::string>{{"p", "-2.4"}, {"q", "7/3"}}));
    EXPECT_EQ(example.latexString, "p = -2.4, q = \\frac{7}{3}");
    EXPECT_TRUE(example.solutionSteps.empty());
    EXPECT_EQ(example.setupParameter, json({{"appKey", "ZV"}}));
}

TEST_F(CalcManagerTest, NewestFirstAndSwapsKeepTheStoredListInStep) {
    CalcManager manager(defaults);
    manager.addCalculation(record("A", "1"));
    manager.addCalculation(record("B", "2"));
    manager.addCalculation(record("C", "3"));
    EXPECT_EQ(ps(manager), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(storedPs(), ps(manager));

    EXPECT_TRUE(manager.swapCalculations(0, 2));
    EXPECT_EQ(ps(manager), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(*defaults->objectForKey("Calculations"), manager.calculationDictionaries());

    EXPECT_TRUE(manager.swapCalculations(1, 1));
    EXPECT_EQ(ps(manager), (std::vector<std::string>{"A", "B", "C"}));

    restart();
    CalcManager reopened(defaults);
    EXPECT_EQ(reopened.calculations, manager.calculations);
}

TEST_F(CalcManagerTest, IndicesOutsideTheListChangeNothing) {
    CalcManager manager(defaults);
    manager.addCalculation(record("A", "1"));
    EXPECT_FALSE(manager.removeCalculation(1));
    EXPECT_FALSE(manager.removeCalculation(static_cast<std::size_t>(-1)));
    EXPECT_FALSE(manager.swapCalculations(0, 5));
    EXPECT_FALSE(manager.swapCalculations(7, 0));
    EXPECT_EQ(ps(manager), (std::vector<std::string>{"A"}));
    EXPECT_EQ(storedPs(), ps(manager));
}

TEST_F(CalcManagerTest, DeletingTheLastEntryLeavesAnEmptyListThatIsRewrittenAtTheNextStart) {
    {
        CalcManager manager(defaults);
        manager.addCalculation(record("A", "1"));
        EXPECT_TRUE(manager.removeCalculation(0));
        EXPECT_TRUE(manager.calculations.empty());
        EXPECT_EQ(*defaults->objectForKey("Calculations"), json::array());
    }
    restart();
    CalcManager manager(defaults);
    EXPECT_TRUE(manager.calculations.empty());
    EXPECT_EQ(defaults->objectForKey("Calculations"), std::optional<json>(json::array()));
}

TEST_F(CalcManagerTest, DamagedStoredHistoryKeepsWhatCanBeRead) {
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
}

TEST_F(CalcManagerTest, AHistoryWithoutASingleRecordIsReplacedByAnEmptyOne) {
    for (const json& stored : {json("not a list"), json::array({42}), json::array({"a", json::array()}),
                               json(7), json::object()}) {
        defaults->setObject(stored, "Calculations");
        testing::internal::CaptureStdout();
        CalcManager manager(defaults);
        EXPECT_NE(testing::internal::GetCapturedStdout(), "") << stored;
        EXPECT_TRUE(manager.calculations.empty()) << stored;
        EXPECT_EQ(defaults->objectForKey("Calculations"), std::optional<json>(json::array())) << stored;
    }
}

TEST_F(CalcManagerTest, SelectionIsStoredOrRemovedAndBothRecordsAreReadAtCreation) {
    {
        CalcManager manager(defaults);
        EXPECT_FALSE(manager.currentSelectedCalculation.has_value());
        EXPECT_FALSE(manager.currentCalculation.has_value());
        manager.saveCurrentSelectedCalculation();
        EXPECT_FALSE(defaults->objectForKey("CurrentSelectedCalculation").has_value());

        manager.currentSelectedCalculation = record("3", "4");
        manager.saveCurrentSelectedCalculation();
        EXPECT_EQ(*defaults->objectForKey("CurrentSelectedCalculation"), record("3", "4").dictionary());
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

TEST_F(SharedCalcManagerTest, ARestartMakesANewStoreOverTheNewDefaults) {
    CalcManager::shared().addCalculation(record("A", "1"));
    EXPECT_EQ(CalcManager::shared().userDefaults, NSUserDefaults::standardUserDefaults());

    h.simulateRestart();
    // Changed behind the old process's back: only a store made anew reads it.
    NSUserDefaults::standardUserDefaults()->setObject(json::array({record("B", "2").dictionary()}), "Calculations");
    CalcManager& after = CalcManager::shared();
    EXPECT_EQ(after.userDefaults, NSUserDefaults::standardUserDefaults());
    EXPECT_EQ(after.calculations, (std::vector<Calculation>{record("B", "2")}));

    after.addCalculation(record("C", "3"));
    h.simulateRestart();
    EXPECT_EQ(CalcManager::shared().calculations, (std::vector<Calculation>{record("C", "3"), record("B", "2")}));
}

TEST_F(SharedCalcManagerTest, OnlyTheVeryFirstStartSeedsTheExample) {
    EXPECT_TRUE(CalcManager::shared().resetHistoryOnFirstStart());
    ASSERT_EQ(CalcManager::shared().calculations.size(), 1u);
    EXPECT_EQ(CalcManager::shared().calculations[0].inputParameters.at("p"), "-2.4");
    EXPECT_TRUE(CalcManager::shared().removeCalculation(0));

    h.simulateRestart();
    EXPECT_FALSE(CalcManager::shared().resetHistoryOnFirstStart());
    EXPECT_TRUE(CalcManager::shared().calculations.empty());
}
