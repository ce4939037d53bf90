#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "measurement/DDVAnalytics.hpp"
#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "measurement/storage/APMDatabase.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "support/ScratchFolder.hpp"
#include "tests/measurement/MeasurementEngineTest.hpp"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

class Analytics : public MeasurementEngineTest {
protected:
    static double now() {
        return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    }
};

TEST_F(Analytics, EventsBeforeConfigureAreDroppedWithWarning25018) {
    DDVApp::resetForTesting();
    DDVAnalytics::logEventWithName("ketu_calculate", {{"solutionStepsCount", 9}});
    EXPECT_TRUE(APMAnalytics::storedEventsForTesting().empty());
    EXPECT_EQ(logged(), std::vector<std::string>{
                            "WARNING <ZivOzavuzerove>[I-ACS025018] Event not logged. Call +[DDVApp configure]"});
}

TEST_F(Analytics, AConfiguredAppStoresTheEventWithOriginTimeAndParameters) {
    double before = now();
    DDVAnalytics::logEventWithName("tapped_rated_app", {{"rating", 4.0}, {"app", "ZV"}});
    DDVAnalytics::logEventWithName("tapped_rated_app_cancel");
    double after = now();
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].origin, "app");
    EXPECT_EQ(events[0].name, "tapped_rated_app");
    EXPECT_EQ(events[0].parameters, json({{"rating", 4.0}, {"app", "ZV"}}));
    EXPECT_GE(events[0].timestamp, before - 0.001);
    EXPECT_LE(events[0].timestamp, after + 0.001);
    EXPECT_EQ(events[1].parameters, json::object());
    EXPECT_TRUE(logged().empty());
    EXPECT_TRUE(fs::exists(folder.path() / "measurement" / "rezuvu-app-measurement.sql"));
}

TEST_F(Analytics, AValueWithoutPlatformCounterpartWarns25040ButTheEventPasses) {
    DDVAnalytics::logEventWithName("ketu_got_error", {{"error_case", "inputParameterError"}, {"detail", nullptr}});
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].parameters, json({{"error_case", "inputParameterError"}}));
    auto lines = logged();
    ASSERT_EQ(lines.size(), 2u);  // not bridgeable, then dropped by the engine's value rules
    EXPECT_EQ(lines[0].rfind("WARNING <ZivOzavuzerove>[I-ACS025040] ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("ketu_got_error, detail"), std::string::npos);
}

TEST_F(Analytics, RefusedNamesAreDroppedAndTheRestKeepTheirOrder) {
    DDVAnalytics::logEventWithName("tapped_menu_calculate");
    DDVAnalytics::logEventWithName("Tapped App Link", {{"app", "x"}});
    DDVAnalytics::logEventWithName("tapped_menu_history");
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].name, "tapped_menu_calculate");
    EXPECT_EQ(events[1].name, "tapped_menu_history");
}

TEST_F(Analytics, TextsThatLookLikeSqlAreStoredVerbatim) {
    std::string hostile = "x'); DROP TABLE raw_events; --";
    DDVAnalytics::logEventWithName("ketu_calculate", {{"input", hostile}});
    DDVAnalytics::logEventWithName("ketu_calculate", {{"input", "second"}});
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].parameters["input"], hostile);
}

TEST_F(Analytics, EventsFromManyThreadsAreAllStoredAndSurviveARestart) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 250; ++i)
                DDVAnalytics::logEventWithName("tapped_history_item", {{"thread", t}, {"index", i}});
        });
    for (auto& thread : threads) thread.join();
    APMAnalytics::resetForTesting();  // closes the database; the next read opens the file again
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 1000u);
    std::vector<int> nextIndex(4, 0);
    for (const auto& event : events) {
        int thread = event.parameters["thread"];
        EXPECT_EQ(event.parameters["index"], nextIndex[thread]++);  // each thread's order is kept
    }
}

TEST_F(Analytics, ADamagedDatabaseIsSetAsideAndANewOneIsMade) {
    fs::create_directories(folder.path() / "measurement");
    std::ofstream(folder.path() / "measurement" / "rezuvu-app-measurement.sql") << std::string(8192, 'x');
    DDVAnalytics::logEventWithName("ketu_calculate");
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 1u);
    bool keptAside = false;
    for (const auto& entry : fs::directory_iterator(folder.path() / "measurement"))
        keptAside |= entry.path().filename().string().find(".corrupt-") != std::string::npos;
    EXPECT_TRUE(keptAside);
}

TEST_F(Analytics, AnUnusableDataFolderIsReportedOnceAndNothingCrashes) {
    std::ofstream(folder.path() / "measurement") << "a file where the folder should be";
    DDVAnalytics::logEventWithName("ketu_calculate");
    APMAnalytics::waitUntilIdleForTesting();
    DDVAnalytics::logEventWithName("ketu_calculate");
    APMAnalytics::waitUntilIdleForTesting();
    auto lines = logged();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("ERROR <ZivOzavuzerove>[I-ACS034001] ", 0), 0u) << lines[0];
}

TEST(APMDatabaseStore, KeepsOnlyTheNewestEventsBeyondItsCap) {
    ScratchFolder folder;
    auto database = APMDatabase::open(folder.path() / "events.sql");
    ASSERT_TRUE(database);
    std::vector<APMEvent> batch(APMDatabase::maximumStoredEvents / 4, APMEvent{"app", "e", 1.0, json::object()});
    for (int i = 0; i < 5; ++i) {
        for (auto& event : batch) event.timestamp = i;
        ASSERT_TRUE(database->insertEvents(batch));
    }
    EXPECT_EQ(database->eventCount(), APMDatabase::maximumStoredEvents);
    EXPECT_EQ(database->readEvents().front().timestamp, 1.0);  // the first batch gave way
}

}  // namespace
