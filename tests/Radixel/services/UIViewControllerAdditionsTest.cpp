#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <optional>

#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabBar.hpp"
#include "support/LocalHttpServer.hpp"

using uikit::testing::Harness;

namespace {

std::vector<std::string> titles(const UIAlertController& alert) {
    std::vector<std::string> result;
    for (const auto& action : alert.actions()) result.push_back(action->title().value_or(""));
    return result;
}

std::shared_ptr<UIAlertAction> action(const std::string& title, std::vector<std::string>& log) {
    return UIAlertAction::actionWithTitle(title, UIAlertActionStyle::Default,
                                          [&log, title](const std::shared_ptr<UIAlertAction>&) { log.push_back(title); });
}

// Points the internet check at an address for the test's duration.
class CheckAddress {
public:
    explicit CheckAddress(const std::string& url) { setenv("RADIXEL_INTERNET_CHECK_URL", url.c_str(), 1); }
    ~CheckAddress() { unsetenv("RADIXEL_INTERNET_CHECK_URL"); }
};

// The address of a port on which nothing listens any more: the connection is refused.
std::string refusingAddress() {
    LocalHttpServer closed;
    return closed.url("/");
}

class AdditionsTest : public ::testing::Test {
protected:
    bool alertShown() const { return h.presentedAlert() != nullptr; }

    ScratchDefaults defaults;
    Harness h;
    ShownScreen screen{h};
    std::vector<std::string> log;
};

}  // namespace

TEST_F(AdditionsTest, AnAlertWithoutActionsGetsOneOkThatOnlyCloses) {
    showAlert(*screen.controller, "Title", std::nullopt, {}, UIAlertControllerStyle::Alert);
    h.runUntilIdle();
    ASSERT_TRUE(alertShown());
    EXPECT_EQ(titles(*h.presentedAlert()), (std::vector<std::string>{"OK"}));
    EXPECT_TRUE(h.tapAlertAction("OK"));
    EXPECT_FALSE(alertShown());

    showAlert(*screen.controller, std::nullopt, "Message", {action("Second", log), action("First", log)},
              UIAlertControllerStyle::ActionSheet);
    h.runUntilIdle();
    EXPECT_EQ(titles(*h.presentedAlert()), (std::vector<std::string>{"Second", "First"}));
    h.tapAlertAction("First");
    EXPECT_EQ(log, (std::vector<std::string>{"First"}));
}

TEST_F(AdditionsTest, PageTabItemIsGreyWhenDisabledAndLightWhenEnabled) {
    auto page = std::make_shared<UIViewController>();
    for (bool enabled : {false, true}) {
        setupPageTabItem(*page, "Solution", enabled);
        EXPECT_EQ(Material::tabItem(*page)->isEnabled(), enabled);
        EXPECT_EQ(Material::tabItem(*page)->titleColor(), enabled ? ThemeColor::lightText() : ThemeColor::gray());
    }
}

TEST_F(AdditionsTest, BottomInsetIsThatOfTheLastWindowAndZeroWithoutAWindowScene) {
    Harness bare;
    EXPECT_EQ(bottomSafeAreaInset(), 0);
    ShownScreen first(bare);
    EXPECT_EQ(bottomSafeAreaInset(), 34);
    auto second = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    second->setSafeAreaInsets(UIEdgeInsets{0, 0, 21, 0});
    EXPECT_EQ(bottomSafeAreaInset(), 21);
}

TEST_F(AdditionsTest, AnyHttpAnswerIsOnlineAndNoAnswerShowsTheNoInternetAlertWhoseOkRunsTheFailureAction) {
    LocalHttpServer server;
    server.respond(503, "down for maintenance");
    std::optional<CheckAddress> address(std::in_place, server.url("/"));
    checkInternetConnection(*screen.controller, [this] { log.push_back("online"); });
    EXPECT_TRUE(h.runUntil([this] { return !log.empty(); }));
    EXPECT_FALSE(alertShown());
    EXPECT_EQ(server.requestCount(), 1u);

    address.emplace(refusingAddress());
    log.clear();
    std::shared_ptr<UIAlertAction> tapped;
    for (bool withFailureAction : {false, true}) {
        if (withFailureAction)
            checkInternetConnection(
                *screen.controller, [this] { log.push_back("online"); },
                [&](const std::shared_ptr<UIAlertAction>& action) { tapped = action; });
        else
            checkInternetConnection(*screen.controller, [this] { log.push_back("online"); });
        ASSERT_TRUE(h.runUntil([this] { return alertShown(); }));
        EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("noInternet", "No internet"));
        EXPECT_EQ(titles(*h.presentedAlert()), (std::vector<std::string>{"OK"}));
        h.tapAlertAction("OK");
    }
    ASSERT_TRUE(tapped);
    EXPECT_EQ(tapped->title(), "OK");
    EXPECT_TRUE(log.empty());
}

TEST_F(AdditionsTest, ASlowPageNeverHoldsUpTheMainLoop) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    LocalHttpServer server([released](const LocalHttpServer::Request&) {
        // Bounded, so a broken test cannot hang the run.
        released.wait_for(std::chrono::seconds(30));
        return LocalHttpServer::Response{200, {}, "ok", false};
    });
    CheckAddress address(server.url("/"));
    checkInternetConnection(*screen.controller, [this] { log.push_back("online"); });

    bool otherWorkRan = false;
    DispatchQueue::main().async([&] { otherWorkRan = true; });
    EXPECT_TRUE(h.runUntil([&] { return otherWorkRan; }));
    EXPECT_FALSE(h.runUntil([this] { return !log.empty() || alertShown(); }, 0.3));

    release.set_value();
    EXPECT_TRUE(h.runUntil([this] { return !log.empty(); }));
    EXPECT_EQ(log, (std::vector<std::string>{"online"}));
}

TEST_F(AdditionsTest, RatingPageNeedsTheAppsRecordAndAnOpenableLink) {
    openRatingPage(*screen.controller);
    h.runUntilIdle();
    ASSERT_TRUE(alertShown());
    EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("noInternet", "No internet"));
    EXPECT_EQ(titles(*h.presentedAlert()), (std::vector<std::string>{"OK"}));
    h.tapAlertAction("OK");

    RemoteConfigManager::shared().loadAllValues();  // the bundled catalogue holds this app
    openRatingPage(*screen.controller);
    EXPECT_FALSE(alertShown());
    EXPECT_TRUE(h.linkOpener().openedURLs().empty());
    EXPECT_TRUE(h.analytics().events().empty());

    h.linkOpener().installURLHandler("https");
    openRatingPage(*screen.controller);
    EXPECT_EQ(h.linkOpener().openedURLs(),
              (std::vector<std::string>{"https://radixel.example/store/radixel-pro/rate"}));
    ASSERT_EQ(h.analytics().names(), (std::vector<std::string>{"Tapped Rating in Menu"}));
    EXPECT_EQ(h.analytics().events().front().parameters,
              nlohmann::json({{"ketuApp", "Radixel – Quadratic Equations"}}));
}
