// The event store under hostile load: oversized parameters, floods, a database locked by another
// process, deleted or damaged while running. Nothing may grow without bound, and events are only
// lost where a bound says so, with a warning.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "measurement/DDVAnalytics.hpp"
#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"
#include "measurement/storage/APMDatabase.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "support/ScratchFolder.hpp"
#include "tests/measurement/MeasurementEngineTest.hpp"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

// Parameters as large as the rules let through: 25 lists of dictionaries with texts, just under
// the size limit.
json largestAllowedParameters() {
    json parameters = json::object();
    for (int p = 0; p < 25; ++p) {
        json list = json::array();
        for (int i = 0; i < 4; ++i) list.push_back({{"title", std::string(100, 'a' + i)}, {"step", i}});
        parameters["list" + std::to_string(p)] = list;
    }
    EXPECT_LE(APMDataTypeValidator::parametersSizeEstimate(parameters, APMDataTypeValidator::maximumParametersBytes),
              APMDataTypeValidator::maximumParametersBytes);
    EXPECT_GT(APMDataTypeValidator::parametersSizeEstimate(parameters, APMDataTypeValidator::maximumParametersBytes),
              APMDataTypeValidator::maximumParametersBytes * 3 / 4);
    return parameters;
}

class EventStoreLimits : public MeasurementEngineTest {
protected:
    fs::path databaseFile() const { return folder.path() / "measurement" / "rezuvu-app-measurement.sql"; }
    std::uintmax_t bytesOnDisk() const {
        std::uintmax_t total = 0;
        for (const auto& entry : fs::directory_iterator(databaseFile().parent_path())) total += entry.file_size();
        return total;
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
};

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
    EXPECT_EQ(events[0].parameters, json::object());
    EXPECT_EQ(events[1].parameters, json::object());
    EXPECT_EQ(events[2].parameters.size(), 25u);
    EXPECT_EQ(logged("I-ACS013010").size(), 2u);
}

TEST_F(EventStoreLimits, AFloodOfTheLargestEventsStaysWithinTheStatedSizeOnDisk) {
    const json parameters = largestAllowedParameters();
    // In rounds small enough for the queue, so that every event reaches the database.
    for (int round = 0; round < 12; ++round) {
        for (int i = 0; i < 200; ++i) DDVAnalytics::logEventWithName("ketu_tapped_share", parameters);
        APMAnalytics::waitUntilIdleForTesting();
    }
    EXPECT_TRUE(logged("I-ACS034003").empty());
    auto database = APMDatabase::open(databaseFile());
    ASSERT_TRUE(database);
    EXPECT_LE(database->storedBytes(), APMDatabase::maximumStoredBytes);
    EXPECT_GT(database->storedBytes(), APMDatabase::maximumStoredBytes * 3 / 4);
    // The events, SQLite's page overhead, the write-ahead log and its index together.
    EXPECT_LE(bytesOnDisk(), APMDatabase::maximumStoredBytes * 9 / 8 + APMDatabase::maximumLogBytes + (1u << 20))
        << bytesOnDisk();
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

    DDVAnalytics::logEventWithName("tapped_menu_history");
    APMAnalytics::resetForTesting();  // closes the handle: only what reached the file counts
    auto events = APMAnalytics::storedEventsForTesting();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].name, "tapped_menu_history");
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
        auto events = APMAnalytics::storedEventsForTesting();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].name, "tapped_menu_calculate");
        bool keptAside = false;
        for (const auto& entry : fs::directory_iterator(databaseFile().parent_path()))
            keptAside |= entry.path().filename().string().find(".corrupt-") != std::string::npos;
        EXPECT_TRUE(keptAside);
    }
}

// The estimate bounds what is stored, and gives up early instead of walking huge parameters.
TEST(APMDataTypeValidatorSize, TheEstimateIsNeverBelowTheStoredSizeAndStopsEarly) {
    const std::vector<json> samples = {
        json::object(),
        {{"text", std::string(1000, '"')}},
        {{"control", std::string(300, '\x01')}},
        {{"broken", std::string(2000, '\x80')}},
        {{"umlauts", std::string(500, '\xc3')}},
        {{"n", -9.2233720368547758e18}, {"m", std::numeric_limits<std::int64_t>::min()}, {"b", true}, {"d", 1e-300}},
        {{"steps", json::array({{{"latexString", "\\frac{7}{3}"}, {"x", 0.1}}, {{"title", std::string(150, '\\')}}})}},
    };
    for (const json& parameters : samples) {
        const std::string shown = parameters.dump(-1, ' ', false, json::error_handler_t::replace);
        auto event = APMDataTypeValidator::validatedEvent(APMEvent{"app", "ketu_calculate", 1.0, parameters});
        ASSERT_TRUE(event) << shown.substr(0, 60);
        std::size_t stored = event->parameters.dump(-1, ' ', false, json::error_handler_t::replace).size();
        EXPECT_GE(APMDataTypeValidator::parametersSizeEstimate(parameters, 1u << 30), stored) << shown.substr(0, 60);
    }
    json huge = json::array();
    for (int i = 0; i < 200000; ++i) huge.push_back(i);
    EXPECT_LE(APMDataTypeValidator::parametersSizeEstimate({{"list", huge}}, 1000), 1000u + 64);
}

}  // namespace
