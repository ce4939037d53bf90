#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
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

using Analytics = MeasurementEngineTest;

double now() { return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(); }

TEST_F(Analytics, EventsBeforeConfigureAreDroppedWithWarning25018) {
    DDVApp::resetForTesting();
    DDVAnalytics::logEventWithName("ketu_calculate", {{"solutionStepsCount", 9}});
    EXPECT_TRUE(APMAnalytics::storedEventsForTesting().empty());
    EXPECT_EQ(logged(), std::vector<std::string>{
                            "WARNING <ZivOzavuzerove>[I-ACS025018] Event not logged. Call +[DDVApp configure]"});
}

// Refused names drop out without disturbing the rest; texts that look like SQL stay text; a value
// without a platform counterpart (null) is warned about and dropped, its event kept.
TEST_F(Analytics, AConfiguredAppStoresEachEventInOrderWithOriginTimeAndParameters) {
    const std::string hostile = "x'); DROP TABLE raw_events; --";
    double before = now();
    DDVAnalytics::logEventWithName("tapped_rated_app", {{"rating", 4.0}, {"app", "ZV"}});
    DDVAnalytics::logEventWithName("Tapped App Link", {{"app", "x"}});
    DDVAnalytics::logEventWithName("tapped_rated_app_cancel");
    DDVAnalytics::logEventWithName("ketu_calculate", {{"input", hostile}, {"detail", nullptr}});
    double after = now();
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].origin, "app");
    EXPECT_EQ(events[0].name, "tapped_rated_app");
    EXPECT_EQ(events[0].parameters, json({{"rating", 4.0}, {"app", "ZV"}}));
    EXPECT_GE(events[0].timestamp, before - 0.001);
    EXPECT_LE(events[0].timestamp, after + 0.001);
    EXPECT_EQ(events[1].name, "tapped_rated_app_cancel");
    EXPECT_EQ(events[1].parameters, json::object());
    EXPECT_EQ(events[2].parameters, json({{"input", hostile}}));
    EXPECT_EQ(logged("I-ACS013001").size(), 1u);
    auto bridged = logged("I-ACS025040");  // then dropped by the engine's value rules too
    ASSERT_EQ(bridged.size(), 1u);
    EXPECT_EQ(bridged[0].rfind("WARNING <ZivOzavuzerove>[I-ACS025040] ", 0), 0u) << bridged[0];
    EXPECT_NE(bridged[0].find("ketu_calculate, detail"), std::string::npos);
    EXPECT_EQ(logged().size(), 3u);
    EXPECT_TRUE(fs::exists(folder.path() / "measurement" / "rezuvu-app-measurement.sql"));
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

TEST_F(Analytics, AnUnusableDataFolderIsReportedOnceAndNothingCrashes) {
    std::ofstream(folder.path() / "measurement") << "a file where the folder should be";
    for (int i = 0; i < 2; ++i) {
        DDVAnalytics::logEventWithName("ketu_calculate");
        APMAnalytics::waitUntilIdleForTesting();
    }
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
