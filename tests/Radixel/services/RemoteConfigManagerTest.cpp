#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include "support/LocalHttpServer.hpp"
#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"

using nlohmann::json;

namespace {

const std::vector<std::string> notificationNames = {"didLoadMenu", "didLoadKeTuAds", "didLoadOffers",
                                                    "didLoadUmpReferenceData", "didLoadVideoTutorialsData"};

// Records the manager's notifications with the thread that posted them.
class NotificationRecorder {
public:
    NotificationRecorder() {
        for (const std::string& name : notificationNames)
            tokens_.push_back(
                NSNotificationCenter::defaultCenter().addObserverForName(name, [this](const NSNotification& n) {
                    std::lock_guard lock(mutex_);
                    posted_.emplace_back(n.name, std::this_thread::get_id());
                    changed_.notify_all();
                }));
    }
    ~NotificationRecorder() {
        for (auto token : tokens_) NSNotificationCenter::defaultCenter().removeObserver(token);
    }

    std::vector<std::string> names() const {
        std::lock_guard lock(mutex_);
        std::vector<std::string> result;
        for (const auto& entry : posted_) result.push_back(entry.first);
        return result;
    }

    // Waits for name; the bound only keeps a broken manager from hanging the test run.
    std::thread::id awaitThreadOf(const std::string& name) {
        std::unique_lock lock(mutex_);
        std::thread::id thread;
        auto seen = [&] {
            for (const auto& entry : posted_)
                if (entry.first == name) return thread = entry.second, true;
            return false;
        };
        if (!changed_.wait_for(lock, std::chrono::seconds(30), seen)) ADD_FAILURE() << name << " never posted";
        return thread;
    }

    void clear() {
        std::lock_guard lock(mutex_);
        posted_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::pair<std::string, std::thread::id>> posted_;
    std::vector<NSNotificationObserverToken> tokens_;
};

json app(const std::string& identifier, bool shouldShow, std::optional<bool> isMultiApp) {
    json record = {{"appIdentifiers", identifier.empty() ? json::array() : json::array({identifier})},
                   {"appName", {{"en", identifier}}},
                   {"appURL", "https://radixel.example/open"},
                   {"appURLPro", "https://radixel.example/open-pro"},
                   {"ratingURL", "https://radixel.example/rate"},
                   {"ratingURLPro", "https://radixel.example/rate-pro"},
                   {"storeURL", "https://radixel.example/store"},
                   {"storeURLPro", "https://radixel.example/store-pro"},
                   {"shouldShow", shouldShow},
                   {"calculationsUntilInterstitial", 5}};
    if (isMultiApp) record["isMultiApp"] = *isMultiApp;
    return record;
}

json catalogue() {
    return {{"apps", json::array({app("com.radixel.app", true, false), app("single.absent", true, std::nullopt),
                                  app("single.false", true, false), app("hidden", false, std::nullopt),
                                  app("multi", true, true), app("", true, std::nullopt)})}};
}

const json goodAds = {{"spring", json::array({{{"imageName", "fractora"},
                                                {"linkingString", "https://radixel.example/fractora"},
                                                {"discountNumber", "30"}}})}};

class RemoteConfigManagerTest : public ::testing::Test {
protected:
    RemoteConfigManagerTest() {
        std::filesystem::create_directories(resources());
        writeResource("Info.plist",
                      "<plist version=\"1.0\"><dict><key>CFBundleIdentifier</key><string>com.radixel.app</string>"
                      "</dict></plist>");
        std::filesystem::copy_file(NSBundle::mainBundle().pathForResource("RemoteConfigDefaults", "plist").value(),
                                   resources() / "RemoteConfigDefaults.plist");
    }

    std::filesystem::path resources() const { return directory.path() / "resources"; }

    void writeResource(const std::string& name, const std::string& contents) const {
        std::ofstream(resources() / name, std::ios::binary | std::ios::trunc) << contents;
    }

    // A client holding values as an earlier run would have activated them. Texts are stored as
    // they are, other values as their JSON text.
    std::shared_ptr<RADEvuvozUziduz> clientHolding(const json& values, const std::string& endpoint = "") {
        json stored = json::object();
        for (const auto& [key, value] : values.items()) stored[key] = value.is_string() ? value : json(value.dump());
        std::filesystem::path file = directory.path() / ("store-" + std::to_string(++clients) + ".json");
        std::ofstream(file) << json{{"activatedValues", stored}}.dump();
        return std::make_shared<RADEvuvozUziduz>(RADEvuvozUziduz::Configuration{endpoint, file});
    }

    std::shared_ptr<RemoteConfigManager> makeManager(std::shared_ptr<RADEvuvozUziduz> client) {
        return std::make_shared<RemoteConfigManager>(std::move(client), bundle);
    }

    ScratchFolder directory;
    int clients = 0;
    NSBundle bundle{directory.path() / "resources"};
    NotificationRecorder recorder;
};

std::vector<std::string> identifiers(const std::vector<AppMetaData>& apps) {
    std::vector<std::string> result;
    for (const AppMetaData& app : apps) result.push_back(app.appIdentifiers.empty() ? "" : app.appIdentifiers[0]);
    return result;
}

}  // namespace

TEST_F(RemoteConfigManagerTest, FirstRunTakesTheCatalogueFromTheBundleAndReportsTheOtherValues) {
    auto manager = makeManager(clientHolding(json::object()));
    testing::internal::CaptureStdout();
    manager->loadAllValues();
    std::string printed = testing::internal::GetCapturedStdout();

    EXPECT_EQ(recorder.names(), std::vector<std::string>{"didLoadMenu"});
    std::vector<AppMetaData> apps = manager->apps();
    ASSERT_EQ(apps.size(), 10u);
    // Only the four other loaders complain; the failed remote catalogue is silent.
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 4) << printed;

    std::optional<AppMetaData> own = manager->getCurrentApp();
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(own->appName.at("en"), "Radixel – Quadratic Equations");
    for (const AppMetaData& entry : apps) {
        EXPECT_EQ(entry.appName.size(), 11u) << entry.appIdentifiers[0];
        EXPECT_EQ(entry.storeURL.rfind("https://radixel.example/", 0), 0u);
    }
    std::vector<std::string> listed = identifiers(manager->singleApps());
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "com.radixel.app"), 0);
    EXPECT_EQ(identifiers(manager->multiApps()), std::vector<std::string>{"com.radixel.calcadia"});
}

TEST_F(RemoteConfigManagerTest, RemoteCatalogueWinsListedByItsFlagsAndOnlyAGoodBundledOneReplacesABadRecord) {
    auto manager = makeManager(clientHolding({{"apps", catalogue()}}));
    manager->loadApps(*manager->remoteConfig());
    EXPECT_EQ(manager->apps().size(), 6u);
    EXPECT_EQ(identifiers(manager->singleApps()), (std::vector<std::string>{"single.absent", "single.false", ""}));
    EXPECT_EQ(identifiers(manager->multiApps()), std::vector<std::string>{"multi"});

    json broken = catalogue();
    broken["apps"][2]["shouldShow"] = "yes";
    testing::internal::CaptureStdout();
    manager->loadApps(*clientHolding({{"apps", broken}}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(manager->apps().size(), 10u);
    EXPECT_EQ(recorder.names(), (std::vector<std::string>{"didLoadMenu", "didLoadMenu"}));

    manager->loadApps(*clientHolding({{"apps", {{"apps", json::array()}}}}));
    EXPECT_TRUE(manager->apps().empty());
    EXPECT_EQ(recorder.names().size(), 3u);

    // A broken bundled catalogue keeps the list and prints one line.
    manager->loadApps(*clientHolding({{"apps", catalogue()}}));
    recorder.clear();
    auto empty = clientHolding(json::object());

    for (std::string contents : {std::string("<plist><dict><key>apps</key><array><dict>"),  // cut off
                                 std::string("\x00\x01garbage", 9),
                                 std::string("<plist version=\"1.0\"><array><string>a</string></array></plist>")}) {
        writeResource("RemoteConfigDefaults.plist", contents);
        testing::internal::CaptureStdout();
        manager->loadApps(*empty);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
        EXPECT_EQ(manager->apps().size(), 6u);
    }
    // A well-formed list whose records do not decode stops quietly.
    writeResource("RemoteConfigDefaults.plist",
                  "<plist version=\"1.0\"><dict><key>apps</key><array><dict/></array></dict></plist>");
    testing::internal::CaptureStdout();
    manager->loadApps(*empty);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(manager->apps().size(), 6u);
    EXPECT_TRUE(recorder.names().empty());

    // Without this app's identifier nothing is listed.
    std::filesystem::remove(resources() / "Info.plist");
    EXPECT_TRUE(manager->singleApps().empty());
    EXPECT_TRUE(manager->multiApps().empty());
}

TEST_F(RemoteConfigManagerTest, EachValueIsReplacedWholeOrKeptWithOneLine) {
    json offers = {{"o", json::array({{{"buttonTexts", {{"buy", "Buy"}}}, {"offerId", "o1"}}})}};
    json ump = {{"purposeConsents", "1"}, {"purposeLegitimateInterests", "0"}, {"vendorConsents", "1"},
                {"vendorLegitimateInterests", "0"}};
    json videos = {{"ZV", {{"en", {"https://videos.radixel.example/watch?v=aaaaaaaaaaa"}}}}};
    auto manager = makeManager(
        clientHolding({{"ads", goodAds}, {"offers", offers}, {"umpReferenceData", ump}, {"videoTutorials", videos}}));
    manager->loadAllValues();
    EXPECT_EQ(recorder.names(), notificationNames);
    ASSERT_EQ(manager->ads().at("spring").size(), 1u);
    EXPECT_EQ(manager->offers().at("o")[0].offerId, "o1");
    EXPECT_FALSE(manager->umpReferenceData()->isConsentOrPayActivated.has_value());
    EXPECT_EQ(manager->videoTutorials()->at("ZV").at("en").size(), 1u);
    recorder.clear();

    const std::vector<json> badValues = {
        "not json {",
        json::array({goodAds}),
        {{"spring", json::array({{{"imageName", "x"}, {"linkingString", "y"}, {"discountNumber", 30}}})}},
        std::string(1500000, 'x'),
        std::string(20000, '[') + std::string(20000, ']'),
    };
    for (const json& bad : badValues) {
        auto client =
            clientHolding({{"ads", bad}, {"offers", bad}, {"umpReferenceData", bad}, {"videoTutorials", bad}});
        testing::internal::CaptureStdout();
        manager->loadAds(*client);
        manager->loadOffers(*client);
        manager->loadUmpReferenceData(*client);
        manager->loadVideoTutorials(*client);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 4) << printed.substr(0, 300);
        EXPECT_LT(printed.size(), 2000u);
    }
    EXPECT_TRUE(recorder.names().empty());
    EXPECT_EQ(manager->ads().at("spring")[0].discountNumber, "30");
    EXPECT_EQ(manager->offers().size(), 1u);
    EXPECT_TRUE(manager->umpReferenceData().has_value());
    EXPECT_EQ(manager->videoTutorials()->size(), 1u);
}

TEST_F(RemoteConfigManagerTest, WithoutABundledCatalogueTheCurrentAppIsSearchedUntilFoundAndThenKept) {
    std::filesystem::remove(resources() / "RemoteConfigDefaults.plist");
    auto manager = makeManager(clientHolding({{"apps", ""}}));
    testing::internal::CaptureStdout();
    manager->loadApps(*manager->remoteConfig());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(manager->apps().empty());
    EXPECT_TRUE(recorder.names().empty());
    EXPECT_FALSE(manager->getCurrentApp().has_value());

    manager->loadApps(*clientHolding({{"apps", catalogue()}}));
    std::optional<AppMetaData> found = manager->getCurrentApp();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->appIdentifiers[0], "com.radixel.app");
    manager->loadApps(*clientHolding({{"apps", {{"apps", json::array()}}}}));
    EXPECT_EQ(manager->getCurrentApp(), found);
}

TEST_F(RemoteConfigManagerTest, VideosInTheAppLanguageComeBeforeTheEnglishOnes) {
    json videos = {{"ZV", {{"de", {"de1", "shared"}}, {"en", {"en1", "shared"}}}},
                   {"FRAC", {{"en", {"fraction"}}}}};
    auto manager = makeManager(clientHolding({{"videoTutorials", videos}}));
    EXPECT_TRUE(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "de").empty());
    manager->loadVideoTutorials(*manager->remoteConfig());

    using List = std::vector<std::string>;
    EXPECT_EQ(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "de"),
              (List{"de1", "shared", "en1", "shared"}));
    EXPECT_EQ(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "en"), (List{"en1", "shared"}));
    EXPECT_EQ(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "fr"), (List{"en1", "shared"}));
    EXPECT_EQ(manager->getVideoTutorials(CalculatorKey::fractions, "de"), (List{"fraction"}));
    EXPECT_TRUE(manager->getVideoTutorials(CalculatorKey::cubicEquation, "de").empty());
    EXPECT_TRUE(manager->getVideoTutorials(std::nullopt, "de").empty());
}

TEST_F(RemoteConfigManagerTest, ASuccessfulFetchActivatesAndLoadsOnTheCompletionThread) {
    LocalHttpServer server;
    json videos = {{"ZV", {{"en", {"https://videos.radixel.example/watch?v=bbbbbbbbbbb"}}}}};
    server.respond(200, json{{"apps", catalogue().dump()}, {"ads", goodAds}, {"videoTutorials", videos}}.dump());
    auto manager = makeManager(clientHolding(json::object(), server.url("/config")));

    testing::internal::CaptureStdout();
    manager->remoteConfig()->fetchWithExpirationDuration(21600.0, manager->fetchCompletionHandler());
    std::thread::id loaderThread = recorder.awaitThreadOf("didLoadVideoTutorialsData");
    testing::internal::GetCapturedStdout();

    EXPECT_NE(loaderThread, std::this_thread::get_id());
    EXPECT_EQ(recorder.names(),
              (std::vector<std::string>{"didLoadMenu", "didLoadKeTuAds", "didLoadVideoTutorialsData"}));
    EXPECT_EQ(manager->apps().size(), 6u);
    EXPECT_EQ(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "ja").size(), 1u);
}

TEST_F(RemoteConfigManagerTest, AFailedFetchLoadsWhatTheClientHoldsAndAThrottledOneNothing) {
    LocalHttpServer server;
    server.respond(503, "down");
    auto manager = makeManager(clientHolding({{"ads", goodAds}}, server.url("/config")));
    testing::internal::CaptureStdout();
    manager->handleFetchResult(RADEvuvozUziduzFetchStatusThrottled, std::nullopt);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Config not fetched\nError: No error available.\n");
    EXPECT_TRUE(recorder.names().empty());

    testing::internal::CaptureStdout();
    manager->remoteConfig()->fetchWithExpirationDuration(21600.0, manager->fetchCompletionHandler());
    recorder.awaitThreadOf("didLoadKeTuAds");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(manager->ads().size(), 1u);
    EXPECT_EQ(manager->apps().size(), 10u);
}

TEST(SharedRemoteConfigManagerTest, ARestartStartsWithNothingLoaded) {
    ScratchDefaults defaults;
    uikit::testing::Harness h;
    RemoteConfigManager& first = RemoteConfigManager::shared();
    first.loadAllValues();
    ASSERT_TRUE(first.getCurrentApp().has_value());

    h.simulateRestart();
    RemoteConfigManager& second = RemoteConfigManager::shared();
    EXPECT_TRUE(second.apps().empty());
    EXPECT_FALSE(second.getCurrentApp().has_value());
}
