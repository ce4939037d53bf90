// The analytics engine from the app's calls to the database, also under hostile load: nothing may
// grow without bound, and events are only lost where a bound says so, with a warning.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <fstream>
#include <thread>

#include "measurement/DDVAnalytics.hpp"
#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"
#include "measurement/storage/APMDatabase.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "support/ScratchFolder.hpp"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

// A started engine over a scratch data folder, with every console line it logs kept for the
// test. Each test starts and ends with no engine and no configured app.
class Analytics : public ::testing::Test {
protected:
    void SetUp() override {
        APMAnalytics::resetForTesting();
        folder.useAsAppDataDirectory();
        DDVApp::configure();
        APMMonitor::setSinkForTesting([this](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
        });
    }
    void TearDown() override {
        APMAnalytics::resetForTesting();
        APMMonitor::setSinkForTesting(nullptr);
        DDVApp::resetForTesting();
    }
    // The lines logged so far, or those that carry the given text (a message code).
    std::vector<std::string> logged(const std::string& containing = "") {
        std::lock_guard lock(mutex);
        std::vector<std::string> found;
        for (const auto& line : lines)
            if (line.find(containing) != std::string::npos) found.push_back(line);
        return found;
    }
    fs::path databaseFile() const { return folder.path() / "measurement" / "rezuvu-app-measurement.sql"; }
    // The stored events as "origin name parameters", oldest first.
    static std::vector<std::string> stored() {
        std::vector<std::string> shown;
        for (const auto& e : APMAnalytics::storedEventsForTesting())
            shown.push_back(e.origin + " " + e.name + " " + e.parameters.dump());
        return shown;
    }
    // Locks the database as another process would, once the engine has made it, until unlock().
    void lock() {
        DDVAnalytics::logEventWithName("ketu_calculate", {{"n", -1}});
        APMAnalytics::waitUntilIdleForTesting();
        ASSERT_EQ(sqlite3_open(databaseFile().c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void unlock() {
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
    // The events beyond the queue's bounds, as the warnings count them.
    std::size_t dropped() {
        std::size_t count = 0;
        for (const auto& line : logged("I-ACS034003")) count += std::stoul(line.substr(line.rfind(' ') + 1));
        return count;
    }

    sqlite3* other = nullptr;
    ScratchFolder folder;
    std::mutex mutex;
    std::vector<std::string> lines;
};
using EventStoreLimits = Analytics;

// Parameters as large as the rules let through: 25 lists of dictionaries with texts, just under
// the size limit.
json largestAllowedParameters() {
    json parameters = json::object();
    for (int p = 0; p < 25; ++p)
        for (int i = 0; i < 4; ++i)
            parameters["list" + std::to_string(p)].push_back({{"title", std::string(100, 'a' + i)}, {"step", i}});
    constexpr std::size_t limit = APMDataTypeValidator::maximumParametersBytes;
    const std::size_t estimate = APMDataTypeValidator::parametersSizeEstimate(parameters, limit);
    EXPECT_TRUE(estimate <= limit && estimate > limit * 3 / 4) << estimate;
    return parameters;
}

double now() { return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(); }

TEST_F(Analytics, EventsBeforeConfigureAreDroppedWithWarning25018) {
    DDVApp::resetForTesting();
    DDVAnalytics::logEventWithName("ketu_calculate", {{"solutionStepsCount", 9}});
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(logged(), std::vector<std::string>{
                            "WARNING <ZivOzavuzerove>[I-ACS025018] Event not logged. Call +[DDVApp configure]"});
}

// Refused names drop out without disturbing the rest; texts that look like SQL stay text; a value
// without a platform counterpart (null) is warned about and dropped, its event kept.
TEST_F(Analytics, AConfiguredAppStoresEachEventInOrderWithOriginTimeAndParameters) {
    double before = now();
    DDVAnalytics::logEventWithName("tapped_rated_app", {{"rating", 4.0}, {"app", "ZV"}});
    DDVAnalytics::logEventWithName("Tapped App Link", {{"app", "x"}});
    DDVAnalytics::logEventWithName("tapped_rated_app_cancel");
    DDVAnalytics::logEventWithName("ketu_calculate",
                                   {{"input", "x'); DROP TABLE raw_events; --"}, {"detail", nullptr}});
    double after = now();
    EXPECT_EQ(stored(), (std::vector<std::string>{R"(app tapped_rated_app {"app":"ZV","rating":4.0})",
                                                  "app tapped_rated_app_cancel {}",
                                                  R"(app ketu_calculate {"input":"x'); DROP TABLE raw_events; --"})"}));
    const double time = APMAnalytics::storedEventsForTesting().at(0).timestamp;
    EXPECT_TRUE(time >= before - 0.001 && time <= after + 0.001) << std::fixed << before << " " << time;
    // The null is warned about, then dropped by the engine's value rules too.
    const auto bridged = logged("WARNING <ZivOzavuzerove>[I-ACS025040] ");
    ASSERT_EQ(bridged.size(), 1u);
    EXPECT_NE(bridged[0].find("ketu_calculate, detail"), std::string::npos);
    EXPECT_EQ(logged().size(), 3u);
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
    EXPECT_EQ(logged().size(), 1u);
    EXPECT_EQ(logged("ERROR <ZivOzavuzerove>[I-ACS034001] ").size(), 1u);
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

TEST_F(EventStoreLimits, OversizedParametersAreDroppedButTheEventIsKept) {
    // Long texts alone would only be cut; it takes many values to pass the size limit.
    json huge = json::array();
    for (int i = 0; i < 200; ++i) huge.push_back({{"text", std::string(1000, 'x')}});
    json wide = json::array();
    for (int i = 0; i < 100000; ++i) wide.push_back({{"k" + std::to_string(i), i}});
    DDVAnalytics::logEventWithName("ketu_tapped_share", {{"solutionSteps", huge}});
    DDVAnalytics::logEventWithName("ketu_tapped_share", {{"solutionSteps", wide}});
    DDVAnalytics::logEventWithName("ketu_tapped_share", largestAllowedParameters());
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].parameters.size() + events[1].parameters.size() + events[2].parameters.size(), 25u);
    EXPECT_EQ(logged("I-ACS013010").size(), 2u);
}

TEST_F(EventStoreLimits, AFloodOfTheLargestEventsStaysWithinTheStatedSizeOnDisk) {
    const json parameters = largestAllowedParameters();
    // In rounds small enough for the queue, so that every event reaches the database; every other
    // one has a refused name and must give its place in the queue back.
    for (int round = 0; round < 24; ++round) {
        for (int i = 0; i < 200; ++i) DDVAnalytics::logEventWithName(i % 2 ? "ketu_tapped_share" : "x y", parameters);
        APMAnalytics::waitUntilIdleForTesting();
    }
    EXPECT_TRUE(logged("I-ACS034003").empty());
    auto database = APMDatabase::open(databaseFile());
    ASSERT_TRUE(database);
    EXPECT_LE(database->storedBytes(), APMDatabase::maximumStoredBytes);
    EXPECT_GT(database->storedBytes(), APMDatabase::maximumStoredBytes * 3 / 4);
    // The events, SQLite's page overhead, the write-ahead log and its index together.
    std::uintmax_t onDisk = 0;
    for (const auto& entry : fs::directory_iterator(databaseFile().parent_path())) onDisk += entry.file_size();
    EXPECT_LE(onDisk, APMDatabase::maximumStoredBytes * 9 / 8 + APMDatabase::maximumLogBytes + (1u << 20));
    EXPECT_TRUE(logged("I-ACS034002").empty());
}

TEST_F(EventStoreLimits, ALockedDatabaseKeepsTheEventsWithinTheQueueBoundsAndStoresThemLater) {
    lock();
    const int flood = static_cast<int>(APMAnalytics::maximumQueuedEvents) + 500;
    for (int i = 0; i < flood; ++i) DDVAnalytics::logEventWithName("ketu_calculate", {{"n", i}});
    APMAnalytics::waitUntilIdleForTesting();
    EXPECT_EQ(logged("I-ACS034004").size(), 1u) << "one warning for the whole time the file is locked";

    unlock();
    DDVAnalytics::logEventWithName("ketu_calculate", {{"n", flood}});  // stores what is held, then this one
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 1 + APMAnalytics::maximumQueuedEvents);
    for (std::size_t i = 1; i + 1 < events.size(); ++i) ASSERT_EQ(events[i].parameters["n"], i - 1);
    EXPECT_EQ(dropped(), 501u) << "the events beyond the bound, and the last one, which found the queue still full";
    EXPECT_TRUE(logged("I-ACS034002").empty());
}

// Large events fill the queue's 4 MiB long before its count of events: no more than fit are kept.
TEST_F(EventStoreLimits, ALockedDatabaseKeepsNoMoreEventsThanTheQueuesBytesHold) {
    const json parameters = largestAllowedParameters();
    const std::size_t fit = (4u << 20) / APMDataTypeValidator::parametersSizeEstimate(parameters, 1u << 30);
    lock();
    for (std::size_t i = 0; i < fit + 100; ++i) DDVAnalytics::logEventWithName("ketu_tapped_share", parameters);
    APMAnalytics::waitUntilIdleForTesting();
    unlock();
    APMAnalytics::resetForTesting();  // stores what is held
    const std::size_t kept = APMAnalytics::storedEventsForTesting().size() - 1;
    EXPECT_LE(kept, fit);
    EXPECT_GE(kept, fit * 9 / 10) << "each event counts its parameters' estimate and a little more";
    EXPECT_EQ(kept + dropped(), fit + 100);
}

TEST_F(EventStoreLimits, ADatabaseFileDeletedWhileRunningIsMadeAnew) {
    DDVAnalytics::logEventWithName("tapped_menu_calculate");
    APMAnalytics::waitUntilIdleForTesting();
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(databaseFile().string() + suffix);
    std::ofstream{databaseFile()};  // and another file put in its place

    DDVAnalytics::logEventWithName("tapped_menu_history");
    APMAnalytics::resetForTesting();  // closes the handle: only what reached the file counts
    EXPECT_EQ(stored(), std::vector<std::string>{"app tapped_menu_history {}"});
    EXPECT_EQ(logged("I-ACS034006").size(), 1u);
}

// A file that is no database at all, and one whose header is valid but whose table pages are not.
TEST_F(EventStoreLimits, ADamagedDatabaseIsSetAsideAndANewOneIsMade) {
    for (bool validHeader : {false, true}) {
        SCOPED_TRACE(validHeader ? "damaged pages" : "no database");
        APMAnalytics::resetForTesting();
        fs::remove_all(databaseFile().parent_path());
        if (validHeader) {
            for (int i = 0; i < 2000; ++i)
                DDVAnalytics::logEventWithName("ketu_calculate", {{"text", std::string(100, 'q')}});
            APMAnalytics::resetForTesting();
            std::fstream file(databaseFile(), std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(4096 * 3);  // past the header and the schema
            file << std::string(4096 * 8, '\xA5');
        } else {
            fs::create_directories(databaseFile().parent_path());
            std::ofstream(databaseFile()) << std::string(8192, 'x');
        }
        DDVAnalytics::logEventWithName("tapped_menu_calculate");
        EXPECT_EQ(stored(), std::vector<std::string>{"app tapped_menu_calculate {}"});
        bool keptAside = false;
        for (const auto& entry : fs::directory_iterator(databaseFile().parent_path()))
            keptAside |= entry.path().filename().string().find(".corrupt-") != std::string::npos;
        EXPECT_TRUE(keptAside);
    }
}

}  // namespace
