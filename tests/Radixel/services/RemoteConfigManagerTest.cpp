#include <gtest/gtest.h>

#include <fstream>

#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "support/LocalHttpServer.hpp"
#include "support/ScratchFolder.hpp"

using nlohmann::json;
using Names = std::vector<std::string>;

namespace {

const Names notificationNames = {"didLoadMenu", "didLoadKeTuAds", "didLoadOffers", "didLoadUmpReferenceData",
                                 "didLoadVideoTutorialsData"};

// Records the names of the manager's notifications, posted on whichever thread loads.
class NotificationRecorder {
public:
    NotificationRecorder() {
        for (const std::string& name : notificationNames)
            tokens_.push_back(NSNotificationCenter::defaultCenter().addObserverForName(name, [this](auto& posted) {
                std::lock_guard lock(mutex_);
                names_.push_back(posted.name);
            }));
    }
    ~NotificationRecorder() {
        for (auto token : tokens_) NSNotificationCenter::defaultCenter().removeObserver(token);
    }

    Names names() const {
        std::lock_guard lock(mutex_);
        return names_;
    }

    // Waits for name; the bound only keeps a broken manager from hanging the test run.
    void await(const std::string& name) const {
        for (int waited = 0; waited < 3000; ++waited, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
            if (Names seen = names(); std::find(seen.begin(), seen.end(), name) != seen.end()) return;
        ADD_FAILURE() << name << " never posted";
    }

    void clear() {
        std::lock_guard lock(mutex_);
        names_.clear();
    }

private:
    mutable std::mutex mutex_;
    Names names_;
    std::vector<NSNotificationObserverToken> tokens_;
};

json app(const std::string& identifier, bool shouldShow, std::optional<bool> isMultiApp) {
    json record = {{"appIdentifiers", identifier.empty() ? json::array() : json::array({identifier})},
                   {"appName", {{"en", identifier}}},
                   {"shouldShow", shouldShow},
                   {"calculationsUntilInterstitial", 5}};
    for (const char* link : {"appURL", "appURLPro", "ratingURL", "ratingURLPro", "storeURL", "storeURLPro"})
        record[link] = std::string("https://radixel.example/") + link;
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

Names identifiers(const std::vector<AppMetaData>& apps) {
    Names result;
    for (const AppMetaData& app : apps) result.push_back(app.appIdentifiers.empty() ? "" : app.appIdentifiers[0]);
    return result;
}

template <typename Run>
std::string printedBy(Run run) {
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

long lines(const std::string& printed) { return std::count(printed.begin(), printed.end(), '\n'); }

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

    // A client holding values as an earlier run would have activated them (texts as they are).
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

}  // namespace

TEST_F(RemoteConfigManagerTest, TheCatalogueIsTheRemoteOneListedByItsFlagsElseTheBundledOne) {
    auto manager = makeManager(clientHolding(json::object()));
    // Only the four other loaders complain; the missing remote catalogue is silent.
    EXPECT_EQ(lines(printedBy([&] { manager->loadAllValues(); })), 4);
    EXPECT_EQ(recorder.names(), Names{"didLoadMenu"});
    EXPECT_EQ(manager->apps().size(), 10u);
    EXPECT_EQ(manager->getCurrentApp().value().appName.at("en"), "Radixel – Quadratic Equations");
    EXPECT_EQ(identifiers(manager->multiApps()), Names{"com.radixel.calcadia"});

    manager->loadApps(*clientHolding({{"apps", catalogue()}}));
    EXPECT_EQ(manager->apps().size(), 6u);
    EXPECT_EQ(identifiers(manager->singleApps()), (Names{"single.absent", "single.false", ""}));
    EXPECT_EQ(identifiers(manager->multiApps()), Names{"multi"});
    json broken = catalogue();
    broken["apps"][2]["shouldShow"] = "yes";
    EXPECT_EQ(printedBy([&] { manager->loadApps(*clientHolding({{"apps", broken}})); }), "");
    EXPECT_EQ(manager->apps().size(), 10u);
    manager->loadApps(*clientHolding({{"apps", {{"apps", json::array()}}}}));
    EXPECT_TRUE(manager->apps().empty());
    EXPECT_EQ(recorder.names(), Names(4, "didLoadMenu"));

    // A broken bundled catalogue keeps the list, with one line unless only its records are bad.
    manager->loadApps(*clientHolding({{"apps", catalogue()}}));
    recorder.clear();
    auto empty = clientHolding(json::object());
    for (const auto& [contents, printed] : std::vector<std::pair<std::string, long>>{
             {"<plist><dict><key>apps</key><array><dict>", 1},  // cut off
             {"<plist version=\"1.0\"><array><string>a</string></array></plist>", 1},
             {"<plist version=\"1.0\"><dict><key>apps</key><array><dict/></array></dict></plist>", 0}}) {
        writeResource("RemoteConfigDefaults.plist", contents);
        EXPECT_EQ(lines(printedBy([&] { manager->loadApps(*empty); })), printed) << contents;
        EXPECT_EQ(manager->apps().size(), 6u);
    }
    EXPECT_TRUE(recorder.names().empty());

    std::filesystem::remove(resources() / "Info.plist");
    EXPECT_TRUE(manager->singleApps().empty() && manager->multiApps().empty());
}

TEST_F(RemoteConfigManagerTest, EachValueIsReplacedWholeOrKeptWithOneLine) {
    json offers = {{"o", json::array({{{"buttonTexts", {{"buy", "Buy"}}}, {"offerId", "o1"}}})}};
    json ump = {{"purposeConsents", "1"},
                {"purposeLegitimateInterests", "0"},
                {"vendorConsents", "1"},
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

    for (const json& bad :
         {json("not json {"), json(std::string(1500000, 'x')),
          json{{"spring", json::array({{{"imageName", "x"}, {"linkingString", "y"}, {"discountNumber", 30}}})}}}) {
        auto client =
            clientHolding({{"ads", bad}, {"offers", bad}, {"umpReferenceData", bad}, {"videoTutorials", bad}});
        std::string printed = printedBy([&] {
            manager->loadAds(*client);
            manager->loadOffers(*client);
            manager->loadUmpReferenceData(*client);
            manager->loadVideoTutorials(*client);
        });
        EXPECT_EQ(lines(printed), 4) << printed.substr(0, 300);
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
    EXPECT_EQ(printedBy([&] { manager->loadApps(*manager->remoteConfig()); }), "");
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
    json videos = {{"ZV", {{"de", {"de1", "shared"}}, {"en", {"en1", "shared"}}}}, {"FRAC", {{"en", {"fraction"}}}}};
    auto manager = makeManager(clientHolding({{"videoTutorials", videos}}));
    EXPECT_TRUE(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "de").empty());
    manager->loadVideoTutorials(*manager->remoteConfig());

    using Case = std::tuple<std::optional<CalculatorKey>, std::string, Names>;
    for (const auto& [key, language, links] : std::vector<Case>{
             {CalculatorKey::quadraticEquation, "de", {"de1", "shared", "en1", "shared"}},
             {CalculatorKey::quadraticEquation, "en", {"en1", "shared"}},
             {CalculatorKey::quadraticEquation, "fr", {"en1", "shared"}}, {CalculatorKey::fractions, "de", {"fraction"}},
             {CalculatorKey::cubicEquation, "de", {}}, {std::nullopt, "de", {}}})
        EXPECT_EQ(manager->getVideoTutorials(key, language), links) << language;
}

TEST_F(RemoteConfigManagerTest, ASuccessfulFetchActivatesAndLoadsWhatItFetched) {
    LocalHttpServer server;
    json videos = {{"ZV", {{"en", {"https://videos.radixel.example/watch?v=bbbbbbbbbbb"}}}}};
    server.respond(200, json{{"apps", catalogue().dump()}, {"ads", goodAds}, {"videoTutorials", videos}}.dump());
    auto manager = makeManager(clientHolding(json::object(), server.url("/config")));
    printedBy([&] {
        manager->remoteConfig()->fetchWithExpirationDuration(21600.0, manager->fetchCompletionHandler());
        recorder.await("didLoadVideoTutorialsData");
    });
    EXPECT_EQ(recorder.names(), (Names{"didLoadMenu", "didLoadKeTuAds", "didLoadVideoTutorialsData"}));
    EXPECT_EQ(manager->apps().size(), 6u);
    EXPECT_EQ(manager->getVideoTutorials(CalculatorKey::quadraticEquation, "ja").size(), 1u);
}

TEST_F(RemoteConfigManagerTest, AFailedFetchLoadsWhatTheClientHoldsAndAThrottledOneNothing) {
    LocalHttpServer server;
    server.respond(503, "down");
    auto manager = makeManager(clientHolding({{"ads", goodAds}}, server.url("/config")));
    EXPECT_EQ(printedBy([&] { manager->handleFetchResult(RADEvuvozUziduzFetchStatusThrottled, std::nullopt); }),
              "Config not fetched\nError: No error available.\n");
    EXPECT_TRUE(recorder.names().empty());

    printedBy([&] {
        manager->remoteConfig()->fetchWithExpirationDuration(21600.0, manager->fetchCompletionHandler());
        recorder.await("didLoadKeTuAds");
    });
    EXPECT_EQ(manager->ads().size(), 1u);
    EXPECT_EQ(manager->apps().size(), 10u);
}
